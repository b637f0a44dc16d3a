// The screen base: every screen (title, world map, world-map menu, world select, option and stage
// play) is a small state machine whose states are member functions held in a table. The scene
// manager creates the current screen, calls its Main once a frame and deletes it when another
// screen becomes current. Also here: the part of the scene manager that screens read and write
// (cSceneFlow), reached through SceneFlow(), and the frame wait the nested frame loops reuse.
//
// Everything runs on the game thread (or on the stage's nested-loop threads while the game thread
// waits for them).
#pragma once

#include <initializer_list>

#include "core/cVector.h"
#include "graphics/DDSurfaceVec.h"
#include "input/cInput.h"

// Screen ids.
constexpr int SCENE_TITLE = 0;
constexpr int SCENE_WORLDMAP = 1;
constexpr int SCENE_WORLDMAPMENU = 2;
constexpr int SCENE_WORLDSELECT = 3;
constexpr int SCENE_STAGE = 4;
constexpr int SCENE_OPTION = 5;
constexpr int kSceneCount = 6;

// Game modes (cSceneFlow::m_nGameMode): the title entry chosen last, by the entry's fixed id.
constexpr int GAMEMODE_NEWGAME = 0;
constexpr int GAMEMODE_CONTINUE = 1;
constexpr int GAMEMODE_CHALLENGE = 2;
constexpr int GAMEMODE_FREE = 3;    // also a start file's direct play
constexpr int GAMEMODE_REPLAY = 4;  // the play takes its input from the loaded replay
constexpr int GAMEMODE_OPTION = 5;
constexpr int GAMEMODE_QUIT = 6;

// The scene manager's state that outlives the screens, and the frame services that the stage's
// nested frame loops call in a frame's order (WaitFrame, RestoreAllSurfaces, UpdateInput, Flip).
// The scene manager derives from it and supplies the services; this base alone (stage tests)
// polls the input and presents nothing. Zero at program start: the first screen is the title.
class cSceneFlow {
public:
    virtual ~cSceneFlow() = default;

    // DirectDraw: restores lost surfaces; 1 when nothing was lost or everything came back, 0 on a
    // failed restore. 1 at once under Direct3D and in this base.
    virtual int RestoreAllSurfaces() { return 1; }
    // Polls element 0 of input as the frame does: the key configuration when it is in use, else
    // the fixed layout with joystick 0.
    virtual void UpdateInput(cVector<cInput>& input);
    // Presents the back buffer (nothing in this base).
    virtual void Flip() {}
    // One step of the colour cycling, once per drawn frame of a screen (nothing in this base).
    virtual void CyclePalette() {}
    // The end of a free play outside a numbered world: the stage file played is read again for
    // the next entry. 1 when read (and in this base), 0 when it failed (the caller closes).
    virtual int ReloadFreeStage() { return 1; }

    int m_nScene = 0;           // id of the screen that runs this frame
    int m_nNextScene = 0;       // screen chosen by the current screen, taken over after its fade-out
    int m_nPrevScene = 0;       // id of the screen that left last
    int m_nGameMode = 0;        // GAMEMODE_*: title item chosen
    int m_nPlayKind = 0;        // cSaveData::kPlay*: story, challenge, free, replay playback
    int m_nSelectWorld = 0;     // world-select cursor row remembered on entering a world
    int m_nSelectWorldTop = 0;  // world-select scroll offset remembered with it
    int m_bRanking = 0;         // rankings are recorded in this play
    int nTargetFps = 0;         // frames per second: 60, or the running stage's own rate
    int m_nFadeSpeed = 0;       // degrees per frame of every screen fade (10 from start-up)
    int m_nBgm = 0;             // Bgm record of the screen music last requested; 0 none
    // Checks of the replay save keys left before the notice of an empty recording may sound again;
    // kept across stage screens, like the keys' checks it counts.
    int nReplayNoticeCoolDown = 0;
    // Calls of the world map's hero drawing in its 80-call walking cycle (0..79); the cycle runs
    // on from one world-map visit to the next.
    int nMapHeroCount = 0;
    // Set by the start-up from the settings: "ShowFps" of System.ini (0 off, 2 plain small text,
    // other values boxed text) and whether a DirectDraw full screen copies instead of flipping.
    int nShowFps = 0;
    int bFullScreenBlit = 0;
};

// The scene manager's state: the manager itself once it exists, else a plain cSceneFlow of this
// file (so that stage tests run without the scene manager).
cSceneFlow& SceneFlow();
// The scene manager registers itself here while it exists (nullptr goes back to the plain one).
void SetSceneFlow(cSceneFlow* lpFlow);

// DirectDraw frame pacing: Sleep(1) until CheckFrameTimeDD(nTargetFps) grants the frame (never
// longer than one second). Nothing under Direct3D, whose present paces the frame.
void WaitFrame();

// Surfaces after a DirectDraw loss. One surface: a lost surface is restored and, unless it lives
// in system memory, marked bLost and its bitmap reloaded; FALSE when the reload fails. The vector
// and list forms stop at the first failure.
BOOL RestoreSurface(DDSURFACEDATA& sd);
BOOL RestoreSurface(DDSurfaceVec& vec);
BOOL RestoreSurface(DDSurfaceList& list);
// The three digit strips, redrawn with their fonts when lost.
void RestoreNumberSurfaces();
// A collection of surfaces that owners outside the scene manager keep (the stage's pictures, the
// text objects): registered once, restored by the frame after a loss in the order registered.
using SurfaceRestoreFn = BOOL (*)();
void AddSurfaceRestore(SurfaceRestoreFn fn);
// Runs the registered restores in order; FALSE at the first failure.
BOOL RestoreRegisteredSurfaces();

class cScene {
public:
    using StateFunc = void (cScene::*)();

    // State -1 (Init runs on the first Main); the derived constructor fills the state table.
    cScene() = default;
    cScene(const cScene&) = delete;
    cScene& operator=(const cScene&) = delete;
    virtual ~cScene() = default;

    // One frame of the screen. The base does nothing; screens call RunFrame.
    virtual void Main() {}
    // Entering the screen (music request, pictures, set-up). The base does nothing.
    virtual void Init() {}
    // One step of the fade-in (state 0) and of the fade-out (the last state). The base does nothing.
    virtual void FadeIn() {}
    virtual void FadeOut() {}

    int m_nState = -1;    // index into m_StateFunc; -1 until Init has run
    int m_nSubState = 0;  // step inside the current state; 0 on entering a state
    // One member function per state: 0 calls FadeIn, the last calls FadeOut.
    cVector<StateFunc> m_StateFunc;

protected:
    // Fills the state table with member functions of the derived class, in state order.
    template <class T>
    void SetStates(std::initializer_list<void (T::*)()> states)
    {
        m_StateFunc.clear();
        for (void (T::*fn)() : states) {
            m_StateFunc.push_back(static_cast<StateFunc>(fn));
        }
    }

    // The frame of every screen: when nButtonMask is not negative, the menu key repeat and the
    // one-shot filter of those buttons on Input[0] (the stage passes -1: no refresh); on the first
    // frame Init (a thrown text is written to the trace log and the program is asked to close,
    // and the screen starts all the same), state 0; then the current state's function.
    void RunFrame(int nButtonMask);

    // The music request of entering a front-end screen: nMusic is the screen's music number 0..3.
    // Sent to the main window (WM_PLAYBGM, wParam nMusic) unless the project's music of that
    // screen is the music already requested and not 0.
    void RequestMusic(int nMusic);
    // Loads the built-in pictures of the screen (slots of the surface table); a failure asks the
    // program to close and the screen goes on. FALSE on failure. Without a drawing back-end (the
    // headless logic tests) there is nothing to load into: TRUE at once.
    BOOL LoadPictures(std::initializer_list<int> slots);
    // Releases the built-in pictures, in the order given.
    void ReleasePictures(std::initializer_list<int> slots);

    // One step of the screens' fade-in over the palette: state 1 when it ends (TRUE then).
    // Without a drawing back-end there is nothing to fade: it ends at once.
    BOOL FadeInStep();
    // One step of the fade-out; TRUE on the frame it ends, when the back buffer has been cleared
    // to palette entry 16. The screen then runs its own leaving steps and LeaveScreen. Without a
    // drawing back-end it ends at once.
    BOOL FadeOutStep();
    // The end of a fade-out: the menu cursor reset (unless bKeepCursor), this screen (nOwnId)
    // recorded as the previous one and the chosen next screen made current; the manager deletes
    // this screen on the next frame.
    void LeaveScreen(int nOwnId, bool bKeepCursor = false);
};
