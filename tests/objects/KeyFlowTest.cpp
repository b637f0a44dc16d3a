// Key sequences entered on controller 0, frame by frame through its own press logs, starting the
// player's flows: on the frame the sequence is completed, once in edge mode and on every frame in
// level mode, and never a frame early or late.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/cInput.h"
#include "objects/StageObjects.h"
#include "objects/cStageField.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/flow/CommandTable.h"
#include "project/cSystemData.h"

namespace {

int g_nFrame = 0;
std::vector<std::string> g_Starts;

// Command kind 16 of these flows: notes "frame:flow" when it runs.
int NoteStart(const FLOWCONTEXT& ctx)
{
    g_Starts.push_back(std::to_string(g_nFrame) + ":" + std::to_string(ctx.nFlow));
    return 0;
}

cEdKeyCondition KeyStep(int nKey, int nMin, int nMax, int bAny, int bRelative = 0)
{
    cEdKeyCondition k;
    k.m_KeyFlag[nKey] = 1;
    k.m_nMinFrames = static_cast<std::int16_t>(nMin);
    k.m_nMaxFrames = static_cast<std::int16_t>(nMax);
    k.m_bAnyLength = static_cast<std::int8_t>(bAny);
    k.m_bFacingRelative = static_cast<std::int8_t>(bRelative);
    return k;
}

// A trigger-0 flow of one immediate command of kind 16 (one sub-step).
cEdFlow KeyFlow(std::vector<cEdKeyCondition> steps, int nGap, int bLevel)
{
    cEdFlow flow;
    flow.m_nTrigger = 0;
    flow.m_nKeyGap = static_cast<std::int8_t>(nGap);
    flow.m_bKeyRepeat = static_cast<std::int8_t>(bLevel);
    for (const cEdKeyCondition& k : steps) flow.m_KeyCondition.push_back(k);
    cEdCommand command;
    command.m_nKind = 16;
    command.m_bWithNext = 1;
    command.ResizeParam(3);
    flow.m_Command.push_back(command);
    return flow;
}

struct KEYSCRIPT {
    int nFrames;
    SHORT nDir;
    SHORT nButtons;
};

class KeyFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetInput();
        ResetStageObjects();
        CommandFuncTable::Register(16, NoteStart);
        m_nOverlap = SystemData.bKeyMatchVariant;
        SystemData.bKeyMatchVariant = 0;
        g_Starts.clear();
        g_nFrame = 0;
        cPlayer& p = Player[P1];
        p.value2 = 0;
        p.hp = 10;
        p.flowGroupRunning.Reset(cCharaBase::kFlowGroups);
        p.flowGroupEnded.Reset(cCharaBase::kFlowGroups);
        p.flowGroupStartedNow.Reset(cCharaBase::kFlowGroups);
    }
    void TearDown() override
    {
        CommandFuncTable::Clear();
        SystemData.bKeyMatchVariant = m_nOverlap;
        ResetStageObjects();
        ResetInput();
    }

    // The player's flows: one instance per flow of its definition, each command one sub-step.
    void SetFlows(const std::vector<cEdFlow>& flows)
    {
        cPlayer& p = Player[P1];
        p.def.m_Flow.clear();
        p.flows.clear();
        for (const cEdFlow& f : flows) {
            p.def.m_Flow.push_back(f);
            FLOWINSTANCE inst;
            inst.serial = p.flowSerial++;
            inst.commands.resize(f.m_Command.size());
            for (COMMANDINSTANCE& c : inst.commands) c.duration = 1;
            p.flows.push_back(inst);
        }
        cCharaFlowOwner owner(p);
        cFlowRuntime::RelinkFlows(owner);
    }

    // Plays the script: per frame the controller's words and its press logs, the per-frame reset,
    // then nSubSteps sub-steps of trigger 0 and the flow step.
    void Play(const std::vector<KEYSCRIPT>& script, int nSubSteps = 1)
    {
        cInput& input = Input[0];
        cPlayer& p = Player[P1];
        for (const KEYSCRIPT& part : script) {
            for (int i = 0; i < part.nFrames; ++i) {
                input.wDir = part.nDir;
                input.wButton = part.nButtons;
                input.PushHistory();
                input.UpdateKeyLog();
                ResetCharaFlowFrameFlags(p);
                for (int s = 0; s < nSubSteps; ++s) {
                    FireCharaTrigger(p, 0);
                    StepCharaFlows(p, 0);
                }
                ++g_nFrame;
            }
        }
    }

    int m_nOverlap = 0;
};

TEST_F(KeyFlowTest, SequenceStartsItsFlowOnTheFrameItIsCompleted)
{
    // Flow 0 edge mode, flow 1 level mode: down for 1..10 frames, then right.
    const std::vector<cEdKeyCondition> steps = {KeyStep(4, 1, 10, 0), KeyStep(2, 0, 0, 1)};
    SetFlows({KeyFlow(steps, 0, 0), KeyFlow(steps, 0, 1)});
    // Frames 0-2 nothing, 3-7 down, 8-11 right, 12 nothing.
    Play({{3, 0, 0}, {5, DIR_DOWN, 0}, {4, DIR_RIGHT, 0}, {1, 0, 0}}, 2);
    const std::vector<std::string> expected = {"8:0", "8:1", "9:1", "10:1", "11:1"};
    EXPECT_EQ(g_Starts, expected);
}

TEST_F(KeyFlowTest, GapNeedsTheAllowance)
{
    const std::vector<cEdKeyCondition> steps = {KeyStep(4, 1, 10, 0), KeyStep(2, 0, 0, 1)};
    SetFlows({KeyFlow(steps, 0, 0), KeyFlow(steps, 1, 0), KeyFlow(steps, 5, 0)});
    // Down 15 frames (3-17), one free frame (18), right from frame 19.
    Play({{3, 0, 0}, {15, DIR_DOWN, 0}, {1, 0, 0}, {3, DIR_RIGHT, 0}});
    // Allowance 1 covers the free frame but not the five frames of down beyond 10; allowance 5
    // does not reach back over both (the search starts at the free frame).
    const std::vector<std::string> expected = {};
    EXPECT_EQ(g_Starts, expected);
    g_Starts.clear();
    Play({{2, 0, 0}, {4, DIR_DOWN, 0}, {1, 0, 0}, {2, DIR_RIGHT, 0}});
    // Down 24-27, free 28, right 29-30: allowance 1 and 5 start on frame 29.
    const std::vector<std::string> expected2 = {"29:1", "29:2"};
    EXPECT_EQ(g_Starts, expected2);
}

TEST_F(KeyFlowTest, HeldButtonStartsOnceInEdgeMode)
{
    SetFlows({KeyFlow({KeyStep(11, 0, 0, 1)}, 3, 0)});
    Play({{2, 0, 0}, {3, 0, 1}, {1, 0, 0}, {2, 0, 1}});
    const std::vector<std::string> expected = {"2:0", "6:0"};
    EXPECT_EQ(g_Starts, expected);
}

TEST_F(KeyFlowTest, ForwardFollowsThePlayersFacing)
{
    SetFlows({KeyFlow({KeyStep(2, 0, 0, 1, 1)}, 0, 0)});
    Player[P1].facing = 0;
    Play({{2, DIR_RIGHT, 0}, {1, 0, 0}, {2, DIR_LEFT, 0}});
    const std::vector<std::string> expected = {"3:0"};
    EXPECT_EQ(g_Starts, expected);
}

TEST_F(KeyFlowTest, LastKeyConditionHeldWhileTheButtonIs)
{
    SetFlows({KeyFlow({KeyStep(4, 1, 10, 0), KeyStep(11, 0, 0, 1)}, 0, 0), KeyFlow({}, 0, 0)});
    Play({{1, 0, 1}});
    EXPECT_EQ(IsFlowKeyHeld(Player[P1].flows[0]), 1);
    EXPECT_EQ(IsFlowKeyHeld(Player[P1].flows[1]), 0) << "no key conditions";
    Play({{1, 0, 0}});
    EXPECT_EQ(IsFlowKeyHeld(Player[P1].flows[0]), 0);
}

TEST_F(KeyFlowTest, ACopiedCharacterRunsItsOwnDefinitions)
{
    SetFlows({KeyFlow({KeyStep(11, 0, 0, 1)}, 0, 1)});
    Player.push_back(Player[P1]);
    cPlayer& copy = Player[1];
    ResetCharaFlowFrameFlags(copy);
    Input[0].wButton = 1;
    Input[0].UpdateKeyLog();
    FireCharaTrigger(copy, 0);
    EXPECT_EQ(copy.flows[0].flow, &copy.def.m_Flow[0]);
    EXPECT_EQ(copy.flows[0].commands[0].command, &copy.def.m_Flow[0].m_Command[0]);
    EXPECT_EQ(copy.flows[0].running, 1);
}

class cBareStage : public cStageField {
public:
    int CheckBlockCond(MAPCELL&) override { return 1; }
};

cCharaBase* g_pSeen = nullptr;

int NoteCurrentObject(const FLOWCONTEXT&)
{
    g_pSeen = lpStageField->m_pCurrentObject;
    return 0;
}

TEST_F(KeyFlowTest, TriggerNamesItsCharacterAndGivesTheNameBack)
{
    cBareStage stage;
    lpStageField = &stage;
    cChara outer;
    stage.m_pCurrentObject = &outer;  // a trigger fired from inside another character's flow step
    CommandFuncTable::Register(16, NoteCurrentObject);
    cEdFlow flow = KeyFlow({}, 0, 0);
    flow.m_nTrigger = 18;
    SetFlows({flow});
    FireCharaTrigger(Player[P1], 18);
    EXPECT_EQ(g_pSeen, &Player[P1]);
    EXPECT_EQ(stage.m_pCurrentObject, &outer);
    lpStageField = nullptr;
}

}  // namespace
