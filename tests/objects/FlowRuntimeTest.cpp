// The flow runtime stepped sub-step by sub-step over scripted flows: which commands run in which
// sub-step, how far each flow got and whether it still runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FlowTestSupport.h"
#include "definitions/cEdCommand.h"
#include "objects/flow/CommandTable.h"
#include "project/cSystemData.h"

namespace {

// What the test handler does after it traced itself, by the command's parameter 0.
enum TESTACTION { ACT_NONE = 0, ACT_RESTART_SELF = 1, ACT_END_SELF = 2, ACT_START_FLOW = 3, ACT_BREAK = 4 };

std::string g_Trace;

int TraceHandler(const FLOWCONTEXT& ctx)
{
    if (!g_Trace.empty()) g_Trace += ' ';
    g_Trace += std::to_string(ctx.nFlow) + "." + std::to_string(ctx.nCommand);
    const cEdCommand& def = *ctx.Command().command;
    cFlowOwner& owner = *ctx.owner;
    switch (def.m_Param[0]) {
    case ACT_RESTART_SELF:
        cFlowRuntime::End(owner, ctx.Flow());
        cFlowRuntime::Start(owner, ctx.nFlow);
        break;
    case ACT_END_SELF: cFlowRuntime::End(owner, ctx.Flow()); break;
    case ACT_START_FLOW: cFlowRuntime::Start(owner, def.m_Param[1]); break;
    case ACT_BREAK: ctx.Flow().breakStep = 1; break;
    default: break;
    }
    return 0;
}

struct CMD {
    int nKind;
    int nDuration;
    int bImmediate;
    int nAction = ACT_NONE;
    int nArg = 0;
};

class FlowRuntimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int k = 0; k < CommandFuncTable::kKindCount; ++k) CommandFuncTable::Register(k, TraceHandler);
        m_nRepeat = SystemData.bTriggerRepeat;
        SystemData.bTriggerRepeat = 0;
        g_Trace.clear();
    }
    void TearDown() override
    {
        CommandFuncTable::Clear();
        SystemData.bTriggerRepeat = m_nRepeat;
    }

    int Add(int nTrigger, const std::vector<CMD>& cmds, int nGroup = 0, int nId = 0)
    {
        std::vector<TESTCOMMAND> tc;
        for (const CMD& c : cmds) tc.push_back({c.nKind, c.nDuration, c.bImmediate});
        const int n = owner.AddFlow(nTrigger, tc, nGroup, nId);
        for (std::size_t i = 0; i < cmds.size(); ++i) {
            owner.defs[n].m_Command[static_cast<int>(i)].m_Param[0] = cmds[i].nAction;
            owner.defs[n].m_Command[static_cast<int>(i)].m_Param[1] = cmds[i].nArg;
        }
        return n;
    }

    // "ran | state": the commands run in the sub-step, then per flow "R<current>" or "i" (idle).
    std::string SubStep(bool bFireAlways)
    {
        g_Trace.clear();
        if (bFireAlways) cFlowRuntime::FireTrigger(owner, 0);
        cFlowRuntime::StepFlows(owner, false);
        std::string row = g_Trace + " |";
        for (const FLOWINSTANCE& f : owner.state.flows) {
            row += f.running ? " R" + std::to_string(f.current) : std::string(" i");
        }
        return row;
    }

    cTestFlowOwner owner;
    int m_nRepeat = 0;
};

struct STEPCASE {
    const char* szName;
    std::vector<CMD> commands;
    std::vector<std::string> expected;  // one row per sub-step
};

TEST_F(FlowRuntimeTest, CommandsRunInTheirSubSteps)
{
    const STEPCASE cases[] = {
        {"all immediate finish in the first sub-step", {{16, 1, 1}, {16, 1, 1}, {16, 1, 1}}, {"0.0 0.1 0.2 | i"}},
        {"immediate after waiting starts the next sub-step",
         {{1, 2, 0}, {16, 1, 1}},
         {"0.0 | R0", "0.0 | R1", "0.1 | i"}},
        {"unfinished immediate stops with the last command",
         {{1, 5, 1}, {1, 2, 0}},
         {"0.0 0.1 | R1", "0.0 0.1 | i", " | i"}},
        {"duration 0 runs one step", {{1, 0, 0}, {1, 0, 0}}, {"0.0 | R1", "0.1 | i"}},
        {"a waiting command blocks the later ones",
         {{1, 3, 0}, {16, 1, 1}},
         {"0.0 | R0", "0.0 | R0", "0.0 | R1", "0.1 | i"}},
        {"immediate chain behind a waiting command",
         {{1, 1, 0}, {16, 1, 1}, {16, 1, 1}, {1, 2, 0}},
         {"0.0 | R1", "0.1 0.2 0.3 | R3", "0.3 | i"}},
        {"break ends the step for the sub-step", {{16, 1, 1, ACT_BREAK}, {16, 1, 1}}, {"0.0 | R1", "0.1 | i"}},
        {"restart at the end loops",
         {{1, 2, 0}, {16, 1, 0, ACT_RESTART_SELF}},
         {"0.0 | R0", "0.0 | R1", "0.1 | R0", "0.0 | R0", "0.0 | R1", "0.1 | R0"}},
        {"restart in the middle begins from the first command",
         {{16, 1, 0, ACT_RESTART_SELF}, {1, 1, 0}},
         {"0.0 | R0", "0.0 | R0", "0.0 | R0"}},
        {"an immediate restart begins again next sub-step",
         {{16, 1, 1, ACT_RESTART_SELF}, {1, 3, 0}},
         {"0.0 | R0", "0.0 | R0"}},
        {"ending itself stops at once", {{16, 1, 0, ACT_END_SELF}, {1, 1, 0}}, {"0.0 | i", " | i"}},
    };
    for (const STEPCASE& c : cases) {
        SCOPED_TRACE(c.szName);
        owner = cTestFlowOwner();
        Add(TRIGGER_NONE, c.commands);
        cFlowRuntime::Start(owner, 0);
        for (std::size_t s = 0; s < c.expected.size(); ++s) {
            cFlowRuntime::ResetFlowFrameFlags(owner);
            EXPECT_EQ(SubStep(false), c.expected[s]) << "sub-step " << s;
        }
    }
}

TEST_F(FlowRuntimeTest, FrameCountsSubStepsWithoutFinishing)
{
    Add(TRIGGER_NONE, {{1, 3, 0}});
    Add(TRIGGER_NONE, {{16, 1, 1}, {16, 1, 1}});
    cFlowRuntime::Start(owner, 0);
    cFlowRuntime::Start(owner, 1);
    for (int s = 0; s < 3; ++s) SubStep(false);
    EXPECT_EQ(owner.state.flows[0].frame, 2);
    EXPECT_EQ(owner.state.flows[1].frame, 0);
}

TEST_F(FlowRuntimeTest, PauseHoldsAndResumeContinues)
{
    Add(TRIGGER_NONE, {{1, 3, 0}});
    cFlowRuntime::Start(owner, 0);
    const char* expected[] = {"0.0 | R0", " | R0", " | R0", "0.0 | R0", "0.0 | i"};
    for (int s = 0; s < 5; ++s) {
        if (s == 1) cFlowRuntime::Pause(owner.state.flows[0]);
        if (s == 3) cFlowRuntime::Resume(owner.state.flows[0]);
        cFlowRuntime::ResetFlowFrameFlags(owner);
        EXPECT_EQ(SubStep(false), expected[s]) << "sub-step " << s;
    }
}

TEST_F(FlowRuntimeTest, PausedAndStoppedFlowsAreNotStarted)
{
    Add(TRIGGER_ALWAYS, {{1, 1, 0}});
    Add(TRIGGER_ALWAYS, {{1, 1, 0}});
    cFlowRuntime::Pause(owner.state.flows[0]);
    cFlowRuntime::StopForever(owner, owner.state.flows[1]);
    EXPECT_EQ(SubStep(true), " | i i");
}

TEST_F(FlowRuntimeTest, StopForeverLeavesRunningSetButNeverStepsAgain)
{
    Add(TRIGGER_NONE, {{1, 3, 0}}, 4);
    cFlowRuntime::Start(owner, 0);
    SubStep(false);
    cFlowRuntime::StopForever(owner, owner.state.flows[0]);
    EXPECT_EQ(owner.state.flowGroupEnded[4], 1);
    EXPECT_EQ(SubStep(false), " | R0");
    EXPECT_EQ(SubStep(false), " | R0");
    EXPECT_EQ(owner.state.flows[0].commands[0].remain, 0);
    EXPECT_EQ(owner.state.flowGroupEnded[4], 0) << "released by the flow step";
    EXPECT_EQ(owner.state.flowGroupRunning[4], 0);
}

TEST_F(FlowRuntimeTest, NestedStartRunsTheOtherFlowWithItsOwnContext)
{
    // Flow 0 starts flow 1 (trigger 18) from its first command; flow 1 runs its immediate
    // commands of kind 16 and above at once and ends; flow 0's next command still runs as flow 0.
    Add(TRIGGER_NONE, {{16, 1, 0, ACT_START_FLOW, 1}, {16, 1, 0}});
    Add(TRIGGER_STAGE_START, {{16, 1, 1}, {2, 1, 1}, {20, 1, 0}, {30, 1, 1}});
    cFlowRuntime::Start(owner, 0);
    EXPECT_EQ(SubStep(false), "0.0 1.0 1.3 | R1 i");
    cFlowRuntime::ResetFlowFrameFlags(owner);
    EXPECT_EQ(SubStep(false), "0.1 | i i");
    const FLOWINSTANCE& started = owner.state.flows[1];
    EXPECT_EQ(started.commands[0].done, 1);
    EXPECT_EQ(started.commands[1].done, 0);
    EXPECT_EQ(started.commands[2].done, 0);
    EXPECT_EQ(started.commands[3].done, 1);
}

TEST_F(FlowRuntimeTest, StageStartFlowRunsImmediateCommandsOnceAndEnds)
{
    Add(TRIGGER_STAGE_START, {{17, 5, 1}, {3, 1, 1}, {22, 1, 1, ACT_BREAK}, {22, 1, 1}}, 2);
    cFlowRuntime::FireTrigger(owner, TRIGGER_STAGE_START);
    EXPECT_EQ(g_Trace, "0.0 0.2") << "movement skipped, the break stops the loop";
    EXPECT_EQ(owner.state.flows[0].running, 0);
    EXPECT_EQ(owner.state.flows[0].commands[0].done, 1) << "done although its run lasts 5 steps";
    EXPECT_EQ(owner.state.flows[0].commands[2].done, 0);
    EXPECT_EQ(owner.state.flowGroupRunning[2], 0) << "only trigger-0 flows hold their group";
}

TEST_F(FlowRuntimeTest, RestartByItsOwnImmediateStartOfStageFlowEnds)
{
    // A stage-start flow whose command starts the flow again does not recurse without end.
    Add(TRIGGER_STAGE_START, {{16, 1, 1, ACT_RESTART_SELF}, {22, 1, 1}});
    cFlowRuntime::FireTrigger(owner, TRIGGER_STAGE_START);
    EXPECT_EQ(owner.state.flows[0].running, 0);
}

struct REPEATCASE {
    int nRepeat;
    int nFirstCondition;
    int nSecondCondition;
    int nTests;
    int bRunning;
};

TEST_F(FlowRuntimeTest, FlowRepeatSettingDecidesSecondOfferInAFrame)
{
    const REPEATCASE cases[] = {
        {0, 0, 1, 1, 0},  // one offer per frame, even though it did not start
        {1, 0, 1, 2, 1},
        {0, 1, 1, 1, 1},
    };
    for (const REPEATCASE& c : cases) {
        SCOPED_TRACE(c.nRepeat * 100 + c.nFirstCondition * 10 + c.nSecondCondition);
        owner = cTestFlowOwner();
        SystemData.bTriggerRepeat = c.nRepeat;
        Add(TRIGGER_DAMAGED, {{1, 5, 0}});
        cFlowRuntime::ResetFlowFrameFlags(owner);
        owner.conditionResult[0] = c.nFirstCondition;
        cFlowRuntime::FireTrigger(owner, TRIGGER_DAMAGED);
        owner.conditionResult[0] = c.nSecondCondition;
        cFlowRuntime::FireTrigger(owner, TRIGGER_DAMAGED);
        EXPECT_EQ(owner.conditionTests[0], c.nTests);
        EXPECT_EQ(owner.state.flows[0].running, c.bRunning);
    }
}

TEST_F(FlowRuntimeTest, AFlowStartsOncePerFrameEvenAfterItEnded)
{
    SystemData.bTriggerRepeat = 1;
    Add(TRIGGER_DAMAGED, {{1, 0, 0}});
    cFlowRuntime::ResetFlowFrameFlags(owner);
    cFlowRuntime::FireTrigger(owner, TRIGGER_DAMAGED);
    EXPECT_EQ(SubStep(false), "0.0 | i");
    cFlowRuntime::FireTrigger(owner, TRIGGER_DAMAGED);
    EXPECT_EQ(owner.state.flows[0].running, 0);
    cFlowRuntime::ResetFlowFrameFlags(owner);
    cFlowRuntime::FireTrigger(owner, TRIGGER_DAMAGED);
    EXPECT_EQ(owner.state.flows[0].running, 1);
}

TEST_F(FlowRuntimeTest, ExclusionGroupFreesForTheNextFrameOnly)
{
    // Two trigger-0 flows of group 3, two sub-steps a frame, flows offered in every sub-step.
    SystemData.bTriggerRepeat = 1;
    Add(TRIGGER_ALWAYS, {{1, 1, 0}}, 3);
    Add(TRIGGER_ALWAYS, {{1, 1, 0}}, 3);
    std::vector<std::string> rows;
    for (int frame = 0; frame < 2; ++frame) {
        cFlowRuntime::ResetFlowFrameFlags(owner);
        if (frame == 1) owner.conditionResult[0] = 0;
        for (int s = 0; s < 2; ++s) rows.push_back(SubStep(true));
    }
    const std::vector<std::string> expected = {"0.0 | i i", " | i i", "1.0 | i i", " | i i"};
    EXPECT_EQ(rows, expected);
}

TEST_F(FlowRuntimeTest, GroupedFlowWaitsWhileTheOtherRuns)
{
    Add(TRIGGER_ALWAYS, {{1, 3, 0}}, 3);
    Add(TRIGGER_ALWAYS, {{1, 1, 0}}, 3);
    Add(TRIGGER_ALWAYS, {{1, 1, 0}}, 5);
    std::vector<std::string> rows;
    for (int frame = 0; frame < 4; ++frame) {
        cFlowRuntime::ResetFlowFrameFlags(owner);
        rows.push_back(SubStep(true));
    }
    const std::vector<std::string> expected = {"0.0 2.0 | R0 i i", "0.0 2.0 | R0 i i", "0.0 2.0 | i i i",
                                               "0.0 2.0 | R0 i i"};
    EXPECT_EQ(rows, expected);
}

TEST_F(FlowRuntimeTest, StepStopsAfterAFlowThatLeftTheCharacterWithoutHp)
{
    Add(TRIGGER_NONE, {{1, 2, 0}});
    Add(TRIGGER_DEATH, {{1, 2, 0}});
    Add(TRIGGER_NONE, {{1, 2, 0}});
    for (int i = 0; i < 3; ++i) cFlowRuntime::Start(owner, i);
    owner.bOutOfHp = 1;
    EXPECT_EQ(cFlowRuntime::StepFlows(owner, false), 1);
    EXPECT_EQ(g_Trace, "0.0");
    g_Trace.clear();
    EXPECT_EQ(cFlowRuntime::StepFlows(owner, true), 0) << "the death step runs death flows only";
    EXPECT_EQ(g_Trace, "1.0");
}

TEST_F(FlowRuntimeTest, DeletedFlowsGoAfterTheStepAndRemoveByIdKeepsOrder)
{
    Add(TRIGGER_NONE, {{1, 1, 0}}, 0, 2);
    Add(TRIGGER_NONE, {{1, 1, 0}}, 0, 1);
    Add(TRIGGER_NONE, {{1, 1, 0}}, 0, 2);
    Add(TRIGGER_NONE, {{1, 1, 0}}, 0, 3);
    EXPECT_EQ(cFlowRuntime::RemoveFlowsById(owner, 9), -1);
    EXPECT_EQ(owner.state.flows.size(), 4u);
    EXPECT_EQ(cFlowRuntime::RemoveFlowsById(owner, 2), 0);
    ASSERT_EQ(owner.state.flows.size(), 2u);
    ASSERT_EQ(owner.defs.size(), 2u);
    EXPECT_EQ(owner.state.flows[0].flow, &owner.defs[0]);
    EXPECT_EQ(owner.state.flows[0].flow->m_nFlowID, 1);
    EXPECT_EQ(owner.state.flows[1].index, 1);
    EXPECT_EQ(owner.state.flows[1].commands[0].command, &owner.defs[1].m_Command[0]);
    const std::vector<std::string> removed = {"remove 0", "remove 2"};
    EXPECT_EQ(owner.animations, removed);

    owner.state.flows[0].toDelete = 1;
    owner.state.flowDeletePending = 1;
    cFlowRuntime::StepFlows(owner, false);
    ASSERT_EQ(owner.state.flows.size(), 1u);
    EXPECT_EQ(owner.state.flows[0].flow->m_nFlowID, 3);
    EXPECT_EQ(cFlowRuntime::RemoveFlowsById(owner, 0), 0);
    EXPECT_TRUE(owner.state.flows.empty());
    EXPECT_TRUE(owner.defs.empty());
}

TEST_F(FlowRuntimeTest, ScheduledAnimationsStartOnTheirFrame)
{
    Add(TRIGGER_NONE, {{1, 4, 0}});
    FLOWANIMESTART a;
    a.nStartFrame = 2;
    a.nAnime = 7;
    owner.state.flows[0].animeStarts.push_back(a);
    cFlowRuntime::Start(owner, 0);
    for (int s = 0; s < 4; ++s) {
        if (s == 2) cFlowRuntime::Pause(owner.state.flows[0]);
        if (s == 3) cFlowRuntime::Resume(owner.state.flows[0]);
        cFlowRuntime::StepFlows(owner, false);
    }
    // Frames 0, 1 stepped; at the third call the frame counter is 2 but the flow is paused.
    const std::vector<std::string> started = {"0:7"};
    EXPECT_EQ(owner.animations, started);
}

TEST_F(FlowRuntimeTest, UnknownCommandKindDoesNothingAndStillLastsItsDuration)
{
    Add(TRIGGER_NONE, {{90, 2, 0}, {-3, 1, 0}});
    cFlowRuntime::Start(owner, 0);
    for (int k = 0; k < CommandFuncTable::kKindCount; ++k) CommandFuncTable::Register(k, nullptr);
    EXPECT_EQ(CommandFuncTable::Register(37, TraceHandler), 0);
    EXPECT_EQ(SubStep(false), " | R0");
    EXPECT_EQ(SubStep(false), " | R1");
    EXPECT_EQ(SubStep(false), " | i");
}

}  // namespace

namespace {

struct MOVECASE {
    int nDistance;
    int nDistanceStep;
    int k;
    int nUnit;
    int nMode;
    int nDuration;
    double fSpeed;
    int bKeepNegative;
    int nExpectedDuration;
    double fExpectedSpeed;
};

TEST(CalcMoveSpeedOrTimeTest, TimeOrSpeedFromDistance)
{
    const MOVECASE cases[] = {
        {40, 0, 3, 0, 2, 0, 4.0, 0, 160, 4.0},  // 640 pixels at 4 per step
        {-40, 0, 0, 0, 2, 0, 4.0, 0, 160, 4.0},  {-40, 0, 0, 0, 2, 0, 4.0, 1, -160, 4.0},
        {10, 2, 3, 0, 2, 0, 3.0, 0, 85, 3.0},                                            // (10 + 2 x 3) x 16 = 256
        {100, 10, 2, 1, 1, 60, 0.0, 0, 60, 2.0},                                         // 120 dots in 60 steps
        {10, 0, 0, 0, 1, 40, 0.0, 0, 40, 4.0},   {10, 0, 0, 0, 0, 40, 1.5, 0, 40, 1.5},  // mode 0 changes nothing
        {10, 0, 0, 0, 1, 0, 0.0, 0, 0, 160.0},    // duration 0: the one step covers it all
        {10, 0, 0, 0, 1, -8, 0.0, 0, -8, -20.0},  // a negative duration divides as it is
        {3, -2, 3, 1, 1, -4, 0.0, 0, -4, 0.75},   // (3 - 2 x 3) dots in -4 steps
        {10, 0, 0, 0, 2, 30, 0.0, 0, 0, 0.0},     // speed 0: ends at once
    };
    const int nKeep = SystemData.bKeepNegativeTime;
    for (const MOVECASE& c : cases) {
        SystemData.bKeepNegativeTime = c.bKeepNegative;
        cEdCommand command;
        command.NewMove();
        command.m_lpMove->m_nDistance = static_cast<std::int16_t>(c.nDistance);
        command.m_lpMove->m_nDistanceStep = static_cast<std::int16_t>(c.nDistanceStep);
        command.m_lpMove->m_nDistUnit = static_cast<std::int8_t>(c.nUnit);
        command.m_lpMove->m_nTimeMode = static_cast<std::int8_t>(c.nMode);
        COMMANDINSTANCE inst;
        inst.duration = c.nDuration;
        inst.speed = c.fSpeed;
        cFlowRuntime::CalcMoveSpeedOrTime(inst, command, static_cast<std::int16_t>(c.k));
        EXPECT_EQ(inst.duration, c.nExpectedDuration) << c.nDistance << " mode " << c.nMode;
        EXPECT_DOUBLE_EQ(inst.speed, c.fExpectedSpeed) << c.nDistance << " mode " << c.nMode;
    }
    SystemData.bKeepNegativeTime = nKeep;
}

}  // namespace
