// The world select (screen id 3), the entry to the challenge mode: it lists the worlds with their
// cleared sign and best value, shows the total score and, on request, the ranking of the chosen
// world's first stage, switches the ranking genre, and starts the first stage of the chosen
// world, "data\stg4\c" + the world number in two digits (or more) + "-1.stg4" (the newest
// numbered variant of that name). The cursor row is the world index (world number - 1); the row
// and the scroll survive the screen in the scene manager (m_nSelectWorld, m_nSelectWorldTop).
//
// Game thread.
#pragma once

#include <string>

#include "scenes/cSurfaceScene.h"

// The states of the screen.
constexpr int WORLDSELECT_FADEIN = 0;
constexpr int WORLDSELECT_LIST = 1;
constexpr int WORLDSELECT_FADEOUT = 2;

// The first stage file of world nWorld (1 and up): "data\stg4\c%02d-1.stg4".
std::string WorldStageFileName(int nWorld);

class cSceneWorldSelect : public cSurfaceScene {
public:
    // The state table.
    cSceneWorldSelect();
    // Releases the screen's pictures (the screen surface goes with the base).
    ~cSceneWorldSelect() override;

    // One frame: buttons 1 to 4 one-shot, Init on the first frame, then the state.
    void Main() override;
    // The world select's music, the pictures, the cursor at the remembered row and scroll, the
    // chosen world's stage name (and ranking), the screen surface.
    void Init() override;
    // The palette fades out; at its end the chosen screen becomes current.
    void FadeOut() override;

    // State 1: the list moves, a world starts (decide), the screen is left (cancel), the ranking
    // is shown or hidden (button 3) and its genre stepped (button 4).
    void WorldList();
    // m_nCount = the worlds offered (all of the project's worlds when they are all open, else
    // the worlds opened by the challenge record); m_nVisible = the rows shown from m_nTop on.
    void CountWorlds();
    // World nWorld (1 and up) becomes the save data's stage; its ranking is read when the play
    // keeps rankings.
    void SelectWorld(int nWorld);

    int m_nTop = 0;      // first world row shown
    int m_nCount = 0;    // worlds offered
    int m_nVisible = 0;  // rows shown, 0..10

protected:
    // The window, title, total score, world-best heading, the world rows and the ranking.
    void DrawSurface(DDSURFACEDATA& surface) override;

private:
    void StateFadeIn() { FadeIn(); }
    void StateWorldList() { WorldList(); }
    void StateFadeOut() { FadeOut(); }

    // Decide on the cursor's world: its first stage read and the save data set for the play.
    // false when the stage file could not be read (the list stays).
    bool StartWorld(int nRow);
    // Button 3 and button 4 of the list.
    void ToggleRanking();
    void StepGenre();
    void Redraw();
};
