// The flow, stage, status, item and message commands on a played stage: the game wait and a
// blocking message run the stage's nested wait on its thread while the play stands still, a
// stage clear reached through an item get ends the stage in the next frame, and the status and
// code commands change the camera, the score and the stage variables of the running stage.
#include "StageFixture.h"

#include <functional>

#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"
#include "objects/commands/FlowStageCommands.h"
#include "objects/commands/MessageCommand.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Threads.h"
#include "project/cSaveData.h"

namespace stagetest {
namespace {

cEdCommand Command(int nKind, int nParams, std::initializer_list<std::pair<int, int>> params)
{
    cEdCommand c;
    c.m_nKind = static_cast<std::int8_t>(nKind);
    c.ResizeParam(nParams);
    for (const auto& [i, v] : params) c.m_Param[i] = v;
    return c;
}

unsigned RunProc(void* lpParam)
{
    (*static_cast<std::function<void()>*>(lpParam))();
    return 0;
}

class StageCommandsPlayTest : public StageFixture {
protected:
    void SetUp() override
    {
        StageFixture::SetUp();
        SetHeader("m_bReadyBanner", 0);
        ASSERT_TRUE(LoadAndEnter());
        ASSERT_TRUE(harness->RunUntilState(STAGESTATE_PLAY, 3));
        SetSceneFlow(&flow);
    }
    void TearDown() override
    {
        SetSceneFlow(&harness->Flow());
        StageFixture::TearDown();
    }
    // Runs a command from a game thread of its own while this thread, the main window's, serves
    // the sound requests sent to it.
    void OnGameThread(std::function<void()> work)
    {
        DWORD id = 0;
        const HANDLE game = BeginThread(&RunProc, &work, 0, &id);
        ASSERT_NE(game, nullptr);
        while (WaitForSingleObject(game, 1) == WAIT_TIMEOUT) {
        }
        CloseHandle(game);
    }
    testsupport::ScriptedFlow flow;
};

TEST_F(StageCommandsPlayTest, AGameWaitOfOneAndAHalfSecondsStandsThePlayStillFor90Frames)
{
    const int nFrame = Scene().m_nFrame;
    const std::uint64_t digest = harness->Digest();
    OnGameThread([] { GameWaitCommand(Player[P1], Command(18, 1, {{0, 15}})); });
    // A timed wait ends when its count of 15 x 6 frames goes below 0: one poll more.
    EXPECT_EQ(flow.Polls(), 15 * 6 + 1);
    EXPECT_EQ(Scene().m_nFrame, nFrame);
    EXPECT_EQ(harness->Digest(), digest) << "nothing moved";
    EXPECT_TRUE(Scene().m_TextList.empty());
    EXPECT_TRUE(RecordedSounds().empty());
}

TEST_F(StageCommandsPlayTest, ABlockingMessageWaitsForTheKeyWithItsSounds)
{
    const struct {
        const char* szName;
        int nDuration;
        int bContinuation;
        int nPressAt;  // first poll with the decide button down (held afterwards)
        std::vector<WPARAM> sounds;
    } cases[] = {
        {"until the key", 0, 0, 12, {11, 12}},
        {"continuing a conversation: no opening sound, no key delay", 0, 1, 2, {12}},
        {"until the stage ends also waits for the key", 1, 0, 11, {11, 12}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        RecordedSounds().clear();
        std::vector<testsupport::PadFrame> script(40);
        for (std::size_t i = static_cast<std::size_t>(c.nPressAt - 1); i < script.size(); ++i) {
            script[i].buttons = BUTTON_DECIDE;
        }
        flow.SetScript(script);
        const int nBefore = flow.Polls();
        cEdCommand message = Command(19, 17, {{6, c.nDuration}, {8, 1}});
        message.m_strText = "hello";
        const int bContinuation = c.bContinuation;
        OnGameThread([&] { MessageCommand(Player[P1], message, bContinuation); });
        EXPECT_EQ(flow.Polls() - nBefore, c.nPressAt);
        EXPECT_EQ(RecordedSounds(), c.sounds);
        EXPECT_TRUE(Scene().m_TextList.empty()) << "the message is gone after its wait";
    }
}

TEST_F(StageCommandsPlayTest, AnItemGetWithAStageClearEndsTheStage)
{
    cEdItem item;
    cEdCommand clear = Command(2, 9, {{0, 1}, {1, 4}});
    clear.m_bItemCommand = 1;
    item.m_Command.push_back(clear);
    Stage.m_PaletteItem.push_back(item);
    const int nIndex = static_cast<int>(Stage.m_PaletteItem.size()) - 1;
    ItemGetCommand(Player[P1], Command(24, 2, {{0, 1}, {1, nIndex}}));
    EXPECT_EQ(Scene().m_nResult, 1);
    EXPECT_EQ(Scene().m_nNextStage, 4);
    harness->RunFrames(1);
    EXPECT_EQ(Scene().m_nState, STAGESTATE_CLEAR);
}

TEST_F(StageCommandsPlayTest, StatusAndCodeCommandsChangeTheRunningStage)
{
    Stage.m_nAutoScrollSpeedX = 30;
    StatusOperation2Command(Player[P1], Command(23, 3, {{0, 2}, {1, 0}, {2, 1}}));
    EXPECT_EQ(Stage.m_bAutoScrollX, 1);
    EXPECT_EQ(Scene().m_ScrollX.bAuto, 1);
    EXPECT_DOUBLE_EQ(Scene().m_ScrollX.dSpeed, 30 * 0.1 / Stage.m_nSubSteps);

    cEdCommand code = Command(36, 0, {});
    code.m_strText = "score = S5 + 70";
    Scene().m_StageVar[5] = 7;
    CodeCommand(Player[P1], code);
    EXPECT_EQ(SaveData.nTotalScore, 77);
    code.m_strText = "scrlx = 999";
    CodeCommand(Player[P1], code);
    EXPECT_EQ(Stage.m_nAutoScrollSpeedX, 480);
    EXPECT_DOUBLE_EQ(Scene().m_ScrollX.dSpeed, 480 * 0.1 / Stage.m_nSubSteps);

    // A failing line shows its box once in the stage, however often it runs.
    ClearRecordedMessageBoxes();
    code.m_strText = "1 / 0";
    for (int i = 0; i < 3; ++i) CodeCommand(Player[P1], code);
    EXPECT_EQ(RecordedMessageBoxes().size(), 1u);
}

}  // namespace
}  // namespace stagetest
