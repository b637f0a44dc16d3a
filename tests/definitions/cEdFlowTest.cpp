#include "definitions/cEdFlow.h"

#include <gtest/gtest.h>

#include <vector>

#include "DefinitionsTestSupport.h"
#include "core/TextHelpers.h"
#include "definitions/FlowList.h"

namespace {

using definitionstest::DefinitionsTest;
using testsupport::ByteWriter;
using testsupport::CommandSpec;
using testsupport::FlowSpec;
using testsupport::ShotSpec;

using cEdFlowTest = DefinitionsTest;

FlowSpec StoredFlow()
{
    FlowSpec f;
    f.flowId = 26;
    f.flowGroup = 2;
    f.testPlayOnly = 0;
    f.condMode = 1;
    f.condOnce = 1;
    f.trigger = 0;
    f.keyGap = 7;
    f.keyRepeat = 1;
    f.conditions.resize(2);
    f.conditions[0].kind = 1;
    f.conditions[0].value = 5;
    f.conditions[1].kind = 7;
    f.keyConditions.resize(2);
    f.keyConditions[0].keys[4] = 1;
    f.keyConditions[1].keys[2] = 1;
    CommandSpec shot;
    shot.kind = 11;
    shot.shot = ShotSpec{};
    shot.shot->speed = 40;
    f.commands.push_back(shot);
    CommandSpec wait;
    wait.kind = 1;
    wait.time = 10;
    f.commands.push_back(wait);
    return f;
}

FlowSpec Trigger(int trigger, int group = 0, const char* memo = "")
{
    FlowSpec f;
    f.trigger = static_cast<std::int8_t>(trigger);
    f.flowGroup = static_cast<std::int8_t>(group);
    f.memo = memo;
    return f;
}

struct VersionCase {
    const char* what;
    int version;
    FlowSpec stored;
    int trigger;
    int group;
};

TEST_F(cEdFlowTest, ReadsEveryLayoutAndUpgradesTriggers)
{
    const VersionCase cases[] = {
        {"trigger 11 of 120 is 14", 120, Trigger(11), 14, 0},
        {"trigger 4 of 120 stays", 120, Trigger(4), 4, 0},
        {"trigger 5 of 120 is 7", 120, Trigger(5), 7, 0},
        {"trigger 10 of 120 is 12", 120, Trigger(10), 12, 0},
        {"trigger 11 of 131 is 14", 131, Trigger(11), 14, 0},
        {"trigger 11 of 132 is 13", 132, Trigger(11), 13, 0},
        {"group of a trigger-3 flow of 160 dropped", 160, Trigger(3, 2), 3, 0},
        {"group of a trigger-0 flow of 160 kept", 160, Trigger(0, 2), 0, 2},
        {"group kept from 163", 163, Trigger(3, 2), 3, 2},
        {"trigger 5 of 163 is 7", 163, Trigger(5), 7, 0},
        {"trigger 5 of 164 stays", 164, Trigger(5), 5, 0},
        {"memo absent before 676", 675, Trigger(19, 4), 19, 4},
        {"memo stored from 676", 700, Trigger(19, 4, "メモ"), 19, 4},
        {"trigger 19 of 720", 720, Trigger(19, 26, "x"), 19, 26},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.what << " (version " << c.version << ")");
        cEdFlow flow;
        flow.m_strMemo = "old";
        ASSERT_EQ(LoadSpec(flow, c.version, c.stored), 1);
        EXPECT_EQ(flow.m_nTrigger, c.trigger);
        EXPECT_EQ(flow.m_nFlowGroup, c.group);
        EXPECT_EQ(flow.m_nKeyGap, 3);
        EXPECT_EQ(flow.m_strMemo, "");
    }
}

TEST_F(cEdFlowTest, ReadsAndSavesThe720Layout)
{
    cEdFlow flow;
    ASSERT_EQ(LoadSpec(flow, 720, StoredFlow()), 1);
    EXPECT_EQ(flow.m_nFlowID, 26);
    EXPECT_EQ(flow.m_nCondMode, 1);
    EXPECT_EQ(flow.m_nKeyGap, 7);
    ASSERT_EQ(flow.m_Condition.size(), 2u);
    EXPECT_EQ(flow.m_Condition[1].m_nKind, 7);
    ASSERT_EQ(flow.m_KeyCondition.size(), 2u);
    EXPECT_EQ(flow.m_KeyCondition[1].m_KeyFlag[2], 1);
    ASSERT_EQ(flow.m_Command.size(), 2u);
    ASSERT_TRUE(flow.m_Command[0].m_lpShot);
    EXPECT_EQ(flow.m_Command[1].m_nTime, 10);
    EXPECT_EQ(SavedBytes(flow), Expected720(StoredFlow()));
}

TEST_F(cEdFlowTest, NewFlowHasKeyGapThree)
{
    cEdFlow flow;
    EXPECT_EQ(flow.m_nKeyGap, 3);
    EXPECT_EQ(flow.m_nTrigger, 0);
    EXPECT_EQ(flow.m_bKeyRepeat, 0);
    // A stored flow without raw members keeps the new flow's values.
    ByteWriter file;
    file.I32(720).I32(1).I32(0).I32(1).I32(1).I32(0).I32(0).I32(0);
    folder.Write("list.dat", file.Data());
    cVector<cEdFlow> flows;
    FILE* fp = OpenDatLoad("list.dat");
    ASSERT_NE(fp, nullptr);
    ASSERT_EQ(LoadFlowList(flows, fp), 1);
    CloseDat(fp);
    ASSERT_EQ(flows.size(), 1u);
    EXPECT_EQ(flows[0].m_nKeyGap, 3);
}

TEST_F(cEdFlowTest, CopiesAreDeep)
{
    cEdFlow source;
    ASSERT_EQ(LoadSpec(source, 720, StoredFlow()), 1);
    cEdFlow copy(source);
    cEdFlow assigned;
    assigned.m_Condition.resize(5);
    assigned = source;
    for (cEdFlow* target : {&copy, &assigned}) {
        ASSERT_EQ(target->m_Condition.size(), 2u);
        EXPECT_EQ(target->m_Condition[0].m_nValue, 5);
        EXPECT_EQ(target->m_KeyCondition[0].m_KeyFlag[4], 1);
        ASSERT_EQ(target->m_Command.size(), 2u);
        ASSERT_TRUE(target->m_Command[0].m_lpShot);
        EXPECT_NE(target->m_Command[0].m_lpShot, source.m_Command[0].m_lpShot);
        target->m_Command[0].m_lpShot->m_nSpeed = 1;
        target->m_Condition[0].m_nValue = 1;
        target->m_KeyCondition[0].m_KeyFlag[4] = 2;
    }
    EXPECT_EQ(SavedBytes(source), Expected720(StoredFlow()));
}

FlowSpec Flagged(int flowId, int testPlayOnly)
{
    FlowSpec f;
    f.flowId = static_cast<std::int8_t>(flowId);
    f.testPlayOnly = static_cast<std::int8_t>(testPlayOnly);
    return f;
}

std::vector<int> FlowIds(const cVector<cEdFlow>& flows)
{
    std::vector<int> ids;
    for (const cEdFlow& flow : flows) {
        ids.push_back(flow.m_nFlowID);
    }
    return ids;
}

TEST_F(cEdFlowTest, RemoveTestPlayFlowsKeepsTheOthersInOrder)
{
    cVector<cEdFlow> flows(5);
    const int testPlayOnly[] = {1, 0, 1, 0, 2};
    for (int i = 0; i < 5; ++i) {
        flows[i].m_nFlowID = static_cast<std::int8_t>(i + 1);
        flows[i].m_bTestPlayOnly = static_cast<std::int8_t>(testPlayOnly[i]);
    }
    flows[3].m_Command.resize(1);
    flows[3].m_Command[0].NewMove();
    RemoveTestPlayFlows(flows);
    EXPECT_EQ(FlowIds(flows), (std::vector<int>{2, 4}));
    EXPECT_TRUE(flows[1].m_Command[0].m_lpMove);
}

TEST_F(cEdFlowTest, CommandsDropTestPlayFlowsOnlyOutsideTestPlayWithoutTheKeepSetting)
{
    CommandSpec command;
    command.itemCommand = 1;
    command.kind = 1;
    command.params = {0, 0};
    command.flows = {Flagged(1, 1), Flagged(2, 0), Flagged(3, 1)};
    struct Case {
        int testPlay;
        int keep;
        std::vector<int> flowIds;
    };
    const Case cases[] = {
        {0, 0, {2}},
        {1, 0, {1, 2, 3}},
        {0, 1, {1, 2, 3}},
        {1, 1, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "test play " << c.testPlay << ", keep " << c.keep);
        DefinitionContext.bTestPlayMode = c.testPlay;
        DefinitionContext.bKeepTestPlayFlows = c.keep;
        cEdCommand loaded;
        ASSERT_EQ(LoadSpec(loaded, 720, command), 1);
        EXPECT_EQ(FlowIds(loaded.m_Flow), c.flowIds);
    }
}

TEST_F(cEdFlowTest, MalformedFlowsAreRefused)
{
    ByteWriter full;
    testsupport::WriteRecord(full, StoredFlow(), 720);
    ByteWriter hugeCount;
    hugeCount.I32(8);
    for (int i = 0; i < 8; ++i) {
        hugeCount.U8(0);
    }
    hugeCount.I32(1).I32(1).I32(0x7FFFFFFF).I32(0).I32(0);
    std::vector<ByteWriter> cases{hugeCount};
    for (std::size_t cut = 8; cut < full.Size(); cut += 9) {
        ByteWriter truncated;
        for (std::uint8_t b : full.Truncated(cut)) {
            truncated.U8(b);
        }
        cases.push_back(truncated);
    }
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        cEdFlow flow;
        EXPECT_EQ(LoadBytes(flow, 720, cases[i]), 0);
        EXPECT_EQ(flow.m_strMemo, "");
    }
}

}  // namespace
