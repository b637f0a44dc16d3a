// The screen harness: runs the front-end screens and the stage play headless, frame by frame, the
// way the scene manager does, for the tests of the screens and of whole plays through them.
//
// It loads a game (by default the sample game) through the play harness - databases, settings,
// common palette, its first stage - and adds the world map and the user's folders. No drawing
// back-end is opened: screens skip their drawing, and fades, pictures and screen surfaces end or
// succeed at once. Controller 0 is fed from a script as in the play harness. A main window on the
// test's thread answers the screens' requests: sounds and music requests are recorded, the file
// and name requests answer what the test sets (by default "cancelled").
//
// Game thread: the test's own thread.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "PlayHarness.h"
#include "TestMainWindow.h"
#include "core/MainWindowRequests.h"
#include "platform/win/Messages.h"

namespace testsupport {

class ScreenHarness {
public:
    // Writes and loads the game of spec, installs the screens' creators and makes the title the
    // current screen (not created until the first frame). Loaded() tells whether it all read.
    explicit ScreenHarness(const GameSpec& spec);
    ScreenHarness();
    ~ScreenHarness();
    ScreenHarness(const ScreenHarness&) = delete;
    ScreenHarness& operator=(const ScreenHarness&) = delete;

    bool Loaded() const { return m_bLoaded; }
    const GameFolder& Folder() const { return m_play->Folder(); }
    ScriptedFlow& Flow() { return m_play->Flow(); }
    PlayHarness& Play() { return *m_play; }

    // The controller script, from the next frame polled on.
    void SetScript(std::vector<PadFrame> script) { m_play->SetScript(std::move(script)); }
    // Makes screen id current; the next frame creates it afresh (its Init runs then).
    void Enter(int id);
    // Runs n frames. Each frame polls the script, advances the clock by a frame (of the stage's
    // rate while the stage plays, else 1/60 s), makes sure the current screen exists (deleting
    // the one that left) and runs its Main.
    void RunFrames(int n);
    // Runs frames until the current screen is nScene and its state nState (any state for -1), at
    // most nMax frames; true when it got there. Checked before each frame, so a screen already
    // there runs no frame.
    bool RunUntil(int nScene, int nState, int nMax);

    // The current screen's id and object (nullptr before its first frame).
    int SceneId() const;
    cScene* Current() { return m_scene.get(); }
    // The play-state digest of the play harness (PlayHarness::Digest) for the current screen:
    // with the stage screen's state while the stage plays.
    std::uint64_t Digest() const;

    // The answers of the main window: "Load stage file" (WM_LOADSTAGEFILE) and "Load replay file"
    // (WM_LOADREPLAYFILE) call the given function on the test's thread and answer its result (a function
    // that is not set answers 0, cancelled). The name dialog (WM_NAMEDIALOG) calls its function when set.
    std::function<int()> onLoadStage;
    std::function<int()> onLoadReplay;
    std::function<void()> onNameDialog;

    // What the screens asked of the main window, in order: the sound slots played (PlaySE), the
    // screens' music numbers requested, and how many requests of a message arrived.
    const std::vector<int>& Sounds() const { return m_sounds; }
    const std::vector<int>& Music() const { return m_music; }
    int Requests(UINT uMsg) const;
    void ClearRecords();
    // Removes the messages posted to the main window and returns how many were uMsg (WM_CLOSE).
    int TakePosted(UINT uMsg);

private:
    static LRESULT WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT Answer(UINT uMsg, WPARAM wParam);
    void MakeCurrent();

    std::unique_ptr<PlayHarness> m_play;
    std::unique_ptr<cScene> m_scene;
    int m_nSceneId = -1;
    std::optional<TestMainWindow> m_window;
    bool m_bLoaded = false;
    std::vector<int> m_sounds;
    std::vector<int> m_music;
    std::vector<UINT> m_requests;
};

}  // namespace testsupport
