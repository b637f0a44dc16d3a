// The scene manager: owns the six screens and runs one frame of the game. The game thread's loop
// calls Frame whenever its queue is empty and the application is active. Frame paces itself,
// restores lost DirectDraw surfaces, polls controller 0, makes sure the current screen exists
// (deleting the others), runs that screen's Main, measures the frame rate and the work time,
// optionally shows them, and presents the back buffer.
//
// One instance, SceneManager, zero at program start (the first screen is the title). Everything
// runs on the game thread (or on the stage's nested-loop threads while it waits for them).
#pragma once

#include "screenbase/cScene.h"

class cPadScript;

// Frames per second published once a second, and the work time of the last frame (ms).
extern int nFps;
extern int nFrameWorkTime;
// The last 16 work times, the next index to write (0..15) and their average (ms).
extern int FrameWorkTimeRing[16];
extern int nFrameWorkTimeIndex;
extern int nFrameWorkTimeAve;

class cSceneManager : public cSceneFlow {
public:
    // Registers itself as SceneFlow() for the screens.
    cSceneManager();
    ~cSceneManager() override;
    cSceneManager(const cSceneManager&) = delete;
    cSceneManager& operator=(const cSceneManager&) = delete;

    // One frame: 1 after a normal frame, 0 when lost DirectDraw surfaces cannot be restored (the
    // game thread then asks the main window to close and ends).
    int Frame();
    // Deletes every screen but id (title, world-map menu, world map, world select, stage play,
    // option, in this order), then creates screen id when it is missing. Ids outside 0..5 create
    // nothing. A screen that cannot be made shows the out-of-memory box and stays missing.
    void ChangeScene(int id);
    // Deletes all six screens (title, world map, world-map menu, world select, option, stage play).
    void DeleteAllScenes();
    // The screen of id (0..5), or nullptr when it does not exist.
    cScene* Scene(int id) const;

    int RestoreAllSurfaces() override;
    void Flip() override;
    // The colour cycling of ColourCycling.h.
    void CyclePalette() override;
    // LoadFreeStage on the file the stage loader read last.
    int ReloadFreeStage() override;
    // Controller 0 from the pad script when one is set, else from the devices.
    void UpdateInput(cVector<cInput>& input) override;
    // The script that replaces the devices (not owned; nullptr goes back to the devices). Set
    // before the game thread starts.
    void SetPadScript(cPadScript* lpScript) { m_pPadScript = lpScript; }

    cScene* m_pSceneTitle = nullptr;         // 0
    cScene* m_pSceneWorldMap = nullptr;      // 1
    cScene* m_pSceneWorldMapMenu = nullptr;  // 2
    cScene* m_pSceneWorldSelect = nullptr;   // 3
    cScene* m_pSceneOption = nullptr;        // 5
    cScene* m_pSceneStage = nullptr;         // 4

private:
    cPadScript* m_pPadScript = nullptr;
    cScene** Slot(int id);
    void DeleteScene(int id);
    void ShowFrameRate();
    bool FastStage() const;
};

extern cSceneManager SceneManager;
