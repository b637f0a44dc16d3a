// The screen base: the first frame runs Init then state 0, a thrown text closes the program in
// order, the state table dispatches, the input refresh and the music request.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/AppGlobals.h"
#include "core/MainWindowRequests.h"
#include "input/cInput.h"
#include "platform/win/Messages.h"
#include "project/cSystemData.h"
#include "screenbase/cMenuCursor.h"
#include "screenbase/cScene.h"
#include "support/TestMainWindow.h"

namespace {

// The main window counts the music requests sent to it and the WM_CLOSE posted to it.
std::vector<WPARAM> g_musicRequests;

LRESULT RecordingProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_PLAYBGM) {
        g_musicRequests.push_back(wParam);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

class SceneFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window.emplace(RecordingProc);
        g_musicRequests.clear();
        ResetInput();
        SceneFlow() = cSceneFlow{};
        MenuCursor.Reset();
    }
    void TearDown() override
    {
        m_window.reset();
        SceneFlow() = cSceneFlow{};
    }
    int TakePosted(UINT uMsg) { return m_window->TakePosted(uMsg); }
    std::optional<testsupport::TestMainWindow> m_window;
};

// Three states: fade-in, a menu that leaves on its second frame, fade-out.
class TestScreen : public cScene {
public:
    explicit TestScreen(bool bThrow) : m_bThrow(bThrow)
    {
        SetStates<TestScreen>({&TestScreen::StateFadeIn, &TestScreen::StateMenu, &TestScreen::StateFadeOut});
    }
    void Main() override { RunFrame(3); }
    void Init() override
    {
        log += "I";
        if (m_bThrow) {
            throw "bad picture";
        }
    }
    void StateFadeIn()
    {
        log += "0";
        m_nState = 1;
    }
    void StateMenu()
    {
        log += "1";
        if (++m_nMenuFrames == 2) {
            SceneFlow().m_nNextScene = SCENE_OPTION;
            m_nState = 2;
        }
    }
    void StateFadeOut()
    {
        log += "2";
        LeaveScreen(SCENE_WORLDSELECT);
    }
    void EnterMusic(int n) { RequestMusic(n); }

    std::string log;
    bool m_bThrow = false;
    int m_nMenuFrames = 0;
};

TEST_F(SceneFixture, FirstFrameRunsInitThenStateZeroAndStatesFollowTheTable)
{
    TestScreen screen(false);
    EXPECT_EQ(screen.m_nState, -1);
    for (int i = 0; i < 4; ++i) {
        screen.Main();
    }
    EXPECT_EQ(screen.log, "I0112");
    EXPECT_EQ(SceneFlow().m_nScene, SCENE_OPTION);
    EXPECT_EQ(SceneFlow().m_nPrevScene, SCENE_WORLDSELECT);
    EXPECT_EQ(screen.m_nState, 2);  // the manager deletes the screen; the state stays
    EXPECT_EQ(TakePosted(WM_CLOSE), 0);
}

TEST_F(SceneFixture, ThrownTextInInitClosesInOrderAndTheScreenStillStarts)
{
    TestScreen screen(true);
    screen.Main();
    EXPECT_EQ(screen.log, "I0");
    EXPECT_EQ(screen.m_nState, 1);
    EXPECT_EQ(TakePosted(WM_CLOSE), 1);
}

TEST_F(SceneFixture, FadeOutEndResetsTheMenuCursor)
{
    TestScreen screen(false);
    MenuCursor.Push(0);
    screen.m_nState = 2;
    screen.Main();
    EXPECT_EQ(MenuCursor.m_Stack.size(), 1u);
}

TEST_F(SceneFixture, MainMakesMaskedButtonsOneShotAndRepeatsDirections)
{
    TestScreen screen(false);
    screen.Main();  // Init, state 0
    cInput& in = Input[0];
    // Button 1 held for three frames: passes on the first only. Button 3 is outside the mask.
    const SHORT expected[3] = {1 | 4, 4, 4};
    for (int frame = 0; frame < 3; ++frame) {
        in.wButton = 1 | 4;
        in.wDir = DIR_DOWN;
        screen.Main();
        EXPECT_EQ(in.wButton, expected[frame]) << frame;
        EXPECT_EQ(in.wDir, frame == 0 ? DIR_DOWN : 0) << frame;
    }
}

TEST_F(SceneFixture, MusicRequestIsSentOnlyWhenTheScreenMusicChangesOrIsNone)
{
    SystemData.MusicTable.assign({0, 7, 7, 9});
    TestScreen screen(false);
    screen.EnterMusic(1);  // world map: 7, new
    screen.EnterMusic(2);  // world-map menu: 7 again, keeps playing
    screen.EnterMusic(0);  // title: none, always sent
    screen.EnterMusic(0);
    screen.EnterMusic(2);
    EXPECT_EQ(g_musicRequests, (std::vector<WPARAM>{1, 0, 0, 2}));
    EXPECT_EQ(SceneFlow().m_nBgm, 7);
}

}  // namespace
