// The stage-play screen's side of the effect commands: the commands' waits run the screen's own
// nested wait (a picture's key wait ends on the decide press, an effect's timed wait runs its
// frames), the close request reaches them, and a new start of the stage leaves no effect object,
// picture or screen effect behind.
#include "StageFixture.h"

#include "objects/IEffectStage.h"
#include "objects/commands/GraphicsCommands.h"
#include "platform/win/Threads.h"
#include "stage/StageEffectLink.h"

namespace stagetest {
namespace {

unsigned WaitProc(void* lpParam)
{
    const int* args = static_cast<int*>(lpParam);
    lpEffectStage->RunEffectWait(args[0], args[1], args[2]);
    return 0;
}

class EffectLinkTest : public StageFixture {
protected:
    void SetUp() override
    {
        StageFixture::SetUp();
        ASSERT_TRUE(LoadAndEnter());
    }
    // The wait from a game thread of its own while this thread serves the main window.
    void RunWait(int nMode, int bWaitKey, int nCount)
    {
        int args[3] = {nMode, bWaitKey, nCount};
        DWORD id = 0;
        const HANDLE game = BeginThread(&WaitProc, args, 0, &id);
        ASSERT_NE(game, nullptr);
        while (WaitForSingleObject(game, 1) == WAIT_TIMEOUT) {
        }
        CloseHandle(game);
    }
};

TEST_F(EffectLinkTest, CommandWaitsRunTheScreensNestedWait)
{
    ASSERT_EQ(lpEffectStage, StageEffectLink());
    std::vector<testsupport::PadFrame> script(40);
    for (std::size_t i = 2; i < script.size(); ++i) script[i].buttons = BUTTON_DECIDE;
    harness->SetScript(script);
    const int before = harness->Flow().Polls();
    RunWait(WAITMODE_PICTURE, 1, 0);
    EXPECT_EQ(harness->Flow().Polls() - before, 3) << "a picture's key wait ends on the first press";

    harness->SetScript({});
    const int beforeTimed = harness->Flow().Polls();
    RunWait(WAITMODE_EFFECT, 0, 12);
    EXPECT_EQ(harness->Flow().Polls() - beforeTimed, 13) << "an effect's wait runs its count and one more frame";

    EXPECT_EQ(lpEffectStage->EffectQuitRequested(), 0);
    Scene().m_bQuit = 1;
    EXPECT_EQ(lpEffectStage->EffectQuitRequested(), 1);
    Scene().m_bQuit = 0;
}

TEST_F(EffectLinkTest, StageStartClearsEffectsPicturesAndTheScreenEffect)
{
    const double a[4] = {0, 0, 10, 10};
    Scene().m_EffectList.emplace_back(0, a, a, 1);
    Scene().m_PictureList.emplace_back();
    Scene().m_ScrEffect.nNumber = 1;
    Scene().SetStage(1, 0);
    EXPECT_TRUE(Scene().m_EffectList.empty());
    EXPECT_TRUE(Scene().m_PictureList.empty());
    EXPECT_EQ(Scene().m_ScrEffect.nNumber, 0);
}

TEST_F(EffectLinkTest, TheLinkGoesWithTheScreen)
{
    harness.reset();
    EXPECT_EQ(lpEffectStage, nullptr);
}

}  // namespace
}  // namespace stagetest

namespace stagetest {
namespace {

TEST_F(EffectLinkTest, SoundCommandPlaysUnlessOnlyInViewAndOutOfView)
{
    // Sound database entry n is played after the 17 system sounds (0..16): request n + 16.
    constexpr int kDatabaseSoundBase = 16;
    struct SOUNDCASE {
        int onlyInView;
        int inView;
        bool plays;
    };
    const SOUNDCASE cases[] = {{0, 0, true}, {0, 1, true}, {1, 1, true}, {1, 0, false}};
    for (const SOUNDCASE& c : cases) {
        RecordedSounds().clear();
        cEdCommand command;
        command.ResizeParam(1);
        command.m_Param[0] = 3;
        command.m_bSoundOnScreen = static_cast<std::int8_t>(c.onlyInView);
        cChara chara;
        chara.inView = c.inView;
        SoundCommand(command, chara);
        const std::vector<WPARAM> expected =
            c.plays ? std::vector<WPARAM>{static_cast<WPARAM>(3 + kDatabaseSoundBase)} : std::vector<WPARAM>{};
        EXPECT_EQ(RecordedSounds(), expected) << c.onlyInView << c.inView;
    }
}

}  // namespace
}  // namespace stagetest
