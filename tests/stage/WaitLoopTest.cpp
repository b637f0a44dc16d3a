// The nested wait on thPause: a timed wait runs its frames, a key wait ends on a fresh press of
// the decide button (a message only after 10 frames), the play's controller is left alone, and a
// close ends the wait in order (WM_QUIT to the worker, then the game thread closes the program).
#include "StageFixture.h"

#include <atomic>

#include "core/AppGlobals.h"
#include "input/cInput.h"
#include "platform/win/Threads.h"
#include "platform/win/Time.h"

namespace stagetest {
namespace {

// A flow whose input can close the window while the wait runs: on the poll numbered closeAt it
// does what the window procedure does on WM_CLOSE during a wait (m_bQuit, and WM_QUIT to thPause
// unless postQuit is false).
class ClosingFlow : public testsupport::ScriptedFlow {
public:
    void UpdateInput(cVector<cInput>& input) override
    {
        ScriptedFlow::UpdateInput(input);
        if (Polls() == closeAt && lpSceneStage != nullptr) {
            lpSceneStage->m_bQuit = 1;
            if (postQuit) {
                PostThreadMessage(thPause.m_dwThreadID.load(), WM_QUIT, 0, 0);
            }
        }
    }
    int closeAt = -1;
    bool postQuit = true;
};

struct WaitCall {
    cSceneStage* scene;
    bool handshake;
};

unsigned RunWaitProc(void* lpParam)
{
    const WaitCall* call = static_cast<WaitCall*>(lpParam);
    call->scene->RunWait(call->handshake);
    return 0;
}

class WaitLoopTest : public StageFixture {
protected:
    void SetUp() override
    {
        StageFixture::SetUp();
        ASSERT_TRUE(LoadAndEnter());
        SetSceneFlow(&flow);
    }
    void TearDown() override
    {
        SetSceneFlow(&harness->Flow());
        StageFixture::TearDown();
    }
    // Runs the wait from a game thread of its own while this thread, the main window's, serves
    // the sound requests sent to it, as the program's threads do.
    void RunWait(bool bHandshake)
    {
        WaitCall call{&Scene(), bHandshake};
        DWORD id = 0;
        const HANDLE game = BeginThread(&RunWaitProc, &call, 0, &id);
        ASSERT_NE(game, nullptr);
        while (WaitForSingleObject(game, 1) == WAIT_TIMEOUT) {
        }
        CloseHandle(game);
    }
    ClosingFlow flow;
};

TEST_F(WaitLoopTest, TimedWaitRunsCountPlusOneFrames)
{
    Scene().SetWaitMode(WAITMODE_GAMEWAIT, 0, 12, 0);
    RunWait(false);
    EXPECT_EQ(flow.Polls(), 13);
    EXPECT_EQ(Scene().m_bButtonLatch, 0);
    EXPECT_TRUE(RecordedSounds().empty());
}

TEST_F(WaitLoopTest, KeyWaitsEndOnAFreshDecidePress)
{
    struct Case {
        const char* name;
        int mode;
        int pressFrom;  // first poll (1-based) with button 1 down; held afterwards
        int polls;
        WPARAM sound;
    };
    const Case cases[] = {
        {"picture: no delay", WAITMODE_PICTURE, 3, 3, 1},
        {"message: pressed inside the delay, released, pressed again", WAITMODE_MESSAGE, 5, -1, 12},
        {"message: first press after the delay", WAITMODE_MESSAGE, 12, 12, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordedSounds().clear();
        Scene().m_bButtonLatch = 0;
        std::vector<testsupport::PadFrame> script(40);
        for (int i = c.pressFrom - 1; i < 40; ++i) {
            script[static_cast<std::size_t>(i)].buttons = BUTTON_DECIDE;
        }
        if (c.polls < 0) {
            // Held through the delay it is no fresh press; released at 20, pressed at 21.
            script[19].buttons = 0;
        }
        flow.SetScript(script);
        Scene().SetWaitMode(c.mode, 1, 0, 0);
        RunWait(c.mode == WAITMODE_MESSAGE);
        EXPECT_EQ(flow.Polls(), c.polls < 0 ? 21 : c.polls);
        EXPECT_EQ(Scene().m_bButtonLatch, 1);
        EXPECT_EQ(RecordedSounds(), std::vector<WPARAM>{c.sound});
    }
}

TEST_F(WaitLoopTest, ThePlaysControllerIsUntouched)
{
    Input[0].wButton = 0x40;
    Input[0].wDir = DIR_LEFT;
    Input[0].PushHistory();
    const SHORT before = Input[0].GetHistory(1, 0);
    flow.SetScript({{DIR_RIGHT, BUTTON_DECIDE}});
    Scene().SetWaitMode(WAITMODE_PICTURE, 1, 0, 0);
    RunWait(false);
    EXPECT_EQ(Input[0].wButton, 0x40);
    EXPECT_EQ(Input[0].wDir, DIR_LEFT);
    EXPECT_EQ(Input[0].GetHistory(1, 0), before);
}

TEST_F(WaitLoopTest, ACloseEndsTheWaitThenClosesTheProgram)
{
    flow.closeAt = 4;
    flow.SetScript(Hold(40, BUTTON_DECIDE));
    Scene().SetWaitMode(WAITMODE_MESSAGE, 1, 0, 0);
    RunWait(true);
    EXPECT_EQ(flow.Polls(), 4);
    EXPECT_EQ(Scene().m_bButtonLatch, 0) << "the message is not confirmed";
    EXPECT_TRUE(RecordedSounds().empty());
    EXPECT_EQ(TakePosted(WM_CLOSE), 1) << "the game thread closes again";
    EXPECT_EQ(thPause.m_hThread.load(), nullptr);
}

TEST_F(WaitLoopTest, WithoutWMQuitTheWaitEndsItselfTwoSecondsAfterTheClose)
{
    flow.closeAt = 2;
    flow.postQuit = false;
    Scene().SetWaitMode(WAITMODE_PICTURE, 1, 0, 0);
    const DWORD start = timeGetTime();
    RunWait(true);
    EXPECT_GE(timeGetTime() - start, 2000u);
    EXPECT_EQ(TakePosted(WM_CLOSE), 1);
}

TEST_F(WaitLoopTest, AWaitStartedAfterTheCloseReturnsAtOnce)
{
    Scene().m_bQuit = 1;
    Scene().SetWaitMode(WAITMODE_GAMEWAIT, 0, 100, 0);
    RunWait(true);
    EXPECT_EQ(flow.Polls(), 0);
    EXPECT_EQ(TakePosted(WM_CLOSE), 1);
}

}  // namespace
}  // namespace stagetest
