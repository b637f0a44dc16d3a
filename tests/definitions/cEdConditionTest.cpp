#include "definitions/cEdCondition.h"

#include <gtest/gtest.h>

#include "DefinitionsTestSupport.h"
#include "definitions/ConditionList.h"

namespace {

using definitionstest::DefinitionsTest;
using testsupport::ByteWriter;
using testsupport::ConditionSpec;

using cEdConditionTest = DefinitionsTest;

// A character-variable condition (kind 3: no upgrade rule touches it) with every member set.
ConditionSpec StoredCondition()
{
    ConditionSpec c;
    c.kind = 3;
    c.value = 1234;
    c.randMin = -5;
    c.randMax = 9;
    c.subject = 1;
    c.item = 4;
    c.leftSource = 1;
    c.leftVarKind = 1;
    c.index = 300;
    c.rightSource = 3;
    c.rightSubject = 1;
    c.rightItem = 3;
    c.rightVarKind = 1;
    c.rightIndex = 77;
    c.compare = 5;
    c.percent = 1;
    c.distDir = 6;
    c.dropped0 = 11;
    c.dropped1 = 22;
    return c;
}

struct VersionCase {
    int version;
    int storedMembers;  // raw members in the file
    const char* member;
    int (*read)(const cEdCondition&);
    int expected;
};

// From 110 every member is stored; before, the two dropped words stand where the operands are
// and the operands of a list element stay cleared; before 43 the percent flag is missing too.
const VersionCase kVersionCases[] = {
    {720, 17, "m_nRandMin", [](const cEdCondition& c) { return int(c.m_nRandMin); }, -5},
    {720, 17, "m_nRightIndex", [](const cEdCondition& c) { return int(c.m_nRightIndex); }, 77},
    {720, 17, "m_nDistDir", [](const cEdCondition& c) { return int(c.m_nDistDir); }, 6},
    {110, 17, "m_nIndex", [](const cEdCondition& c) { return int(c.m_nIndex); }, 300},
    {110, 17, "m_nRightVarKind", [](const cEdCondition& c) { return int(c.m_nRightVarKind); }, 1},
    {100, 7, "m_nValue", [](const cEdCondition& c) { return int(c.m_nValue); }, 1234},
    {100, 7, "m_nIndex", [](const cEdCondition& c) { return int(c.m_nIndex); }, 0},
    {100, 7, "m_nRandMax", [](const cEdCondition& c) { return int(c.m_nRandMax); }, 0},
    {100, 7, "m_nCompare", [](const cEdCondition& c) { return int(c.m_nCompare); }, 5},
    {100, 7, "m_bPercent", [](const cEdCondition& c) { return int(c.m_bPercent); }, 1},
    {100, 7, "m_nDistDir", [](const cEdCondition& c) { return int(c.m_nDistDir); }, 6},
    {40, 6, "m_bPercent", [](const cEdCondition& c) { return int(c.m_bPercent); }, 0},
    {40, 6, "m_nCompare", [](const cEdCondition& c) { return int(c.m_nCompare); }, 5},
    {40, 6, "m_nDistDir", [](const cEdCondition& c) { return int(c.m_nDistDir); }, 6},
};

TEST_F(cEdConditionTest, ReadsEveryLayoutByVersion)
{
    for (const VersionCase& c : kVersionCases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << ", " << c.member);
        EXPECT_EQ(testsupport::ConditionMemberCount(c.version), c.storedMembers);
        ByteWriter list;
        testsupport::WriteList(list, std::vector<ConditionSpec>{StoredCondition()}, c.version);
        cVector<cEdCondition> conditions;
        ByteWriter file;
        file.I32(c.version).Append(list);
        folder.Write("list.dat", file.Data());
        FILE* fp = OpenDatLoad("list.dat");
        ASSERT_NE(fp, nullptr);
        ASSERT_EQ(LoadConditionList(conditions, fp), 1);
        CloseDat(fp);
        ASSERT_EQ(conditions.size(), 1u);
        EXPECT_EQ(conditions[0].m_nKind, 3);
        EXPECT_EQ(c.read(conditions[0]), c.expected);
    }
}

TEST_F(cEdConditionTest, SavesThe720Layout)
{
    cEdCondition condition;
    ASSERT_EQ(LoadSpec(condition, 720, StoredCondition()), 1);
    EXPECT_EQ(SavedBytes(condition), Expected720(StoredCondition()));
}

struct UpgradeCase {
    const char* what;
    int version;
    ConditionSpec stored;
    int kind;
    int subject;
    int item;
    int rightItem;
    int compare;
};

ConditionSpec Cond(int kind, int subject, int item, int leftSource = 0, int rightSource = 0, int rightSubject = 0,
                   int rightItem = 0, int compare = 0)
{
    ConditionSpec c;
    c.kind = static_cast<std::int8_t>(kind);
    c.subject = static_cast<std::int8_t>(subject);
    c.item = static_cast<std::int8_t>(item);
    c.leftSource = static_cast<std::int8_t>(leftSource);
    c.rightSource = static_cast<std::int8_t>(rightSource);
    c.rightSubject = static_cast<std::int8_t>(rightSubject);
    c.rightItem = static_cast<std::int8_t>(rightItem);
    c.compare = static_cast<std::int8_t>(compare);
    return c;
}

const UpgradeCase kUpgradeCases[] = {
    {"old kind 5 is the distance condition, of the hero", 150, Cond(5, 1, 0), 7, 0, 0, 0, 0},
    {"old kind 2 stays", 150, Cond(2, 0, 0), 2, 0, 0, 0, 0},
    {"status 10 and up raised by 2, 5 to 9 by 1", 150, Cond(4, 0, 10, 0, 2, 0, 7), 4, 0, 12, 8, 0},
    {"status 4 stays", 150, Cond(4, 0, 4, 0, 2, 0, 4), 4, 0, 4, 4, 0},
    {"system statuses are not renumbered", 150, Cond(4, 2, 12, 0, 2, 2, 12), 4, 2, 12, 12, 0},
    {"a variable operand is not renumbered", 150, Cond(4, 0, 12, 1, 3, 0, 12), 4, 0, 12, 12, 0},
    {"version 168 raises from 5 only", 168, Cond(4, 0, 10), 4, 0, 11, 0, 0},
    {"version 203 renumbers nothing", 203, Cond(4, 0, 10), 4, 0, 10, 0, 0},
    {"standing on a block was negated", 160, Cond(6, 0, 2, 0, 0, 0, 0, 0), 6, 0, 2, 0, 1},
    {"standing on a block, is not", 160, Cond(6, 0, 2, 0, 0, 0, 0, 1), 6, 0, 2, 0, 0},
    {"another state keeps its test", 160, Cond(6, 0, 1, 0, 0, 0, 0, 0), 6, 0, 1, 0, 0},
    {"version 161 keeps the state test", 161, Cond(6, 0, 2, 0, 0, 0, 0, 0), 6, 0, 2, 0, 0},
    {"flag 6 became 7", 209, Cond(5, 0, 6), 5, 0, 7, 0, 0},
    {"flag 5 stays", 209, Cond(5, 1, 5), 5, 1, 5, 0, 0},
    {"system flags stay", 209, Cond(5, 2, 6), 5, 2, 6, 0, 0},
    {"version 210 keeps flag numbers", 210, Cond(5, 0, 6), 5, 0, 6, 0, 0},
    {"distance to the target becomes to the hero", 600, Cond(7, 1, 0), 7, 0, 0, 0, 0},
    {"version 656 is the last to change it", 656, Cond(7, 1, 0), 7, 0, 0, 0, 0},
    {"version 657 keeps the target", 657, Cond(7, 1, 0), 7, 1, 0, 0, 0},
    {"nothing changes at 720", 720, Cond(5, 1, 6), 5, 1, 6, 0, 0},
};

TEST_F(cEdConditionTest, UpgradesOlderNumbering)
{
    for (const UpgradeCase& c : kUpgradeCases) {
        SCOPED_TRACE(testing::Message() << c.what << " (version " << c.version << ")");
        cEdCondition condition;
        ASSERT_EQ(LoadSpec(condition, c.version, c.stored), 1);
        EXPECT_EQ(condition.m_nKind, c.kind);
        EXPECT_EQ(condition.m_nSubject, c.subject);
        EXPECT_EQ(condition.m_nItem, c.item);
        EXPECT_EQ(condition.m_nRightItem, c.rightItem);
        EXPECT_EQ(condition.m_nCompare, c.compare);
    }
}

struct MalformedCase {
    const char* what;
    ByteWriter bytes;
};

TEST_F(cEdConditionTest, RefusesRecordsThatDoNotFitWithoutTouchingMore)
{
    ByteWriter full;
    testsupport::WriteRecord(full, StoredCondition(), 720);
    ByteWriter surplus;
    surplus.I32(100);
    for (int i = 0; i < 40; ++i) {
        surplus.U8(1);
    }
    ByteWriter negative;
    negative.I32(-1).I32(0);
    ByteWriter truncated;
    for (std::uint8_t b : full.Truncated(10)) {
        truncated.U8(b);
    }
    const MalformedCase cases[] = {
        {"more members than the file holds", surplus},
        {"negative member count", negative},
        {"raw members cut short", truncated},
    };
    for (const MalformedCase& c : cases) {
        SCOPED_TRACE(c.what);
        cEdCondition condition;
        EXPECT_EQ(LoadBytes(condition, 720, c.bytes), 0);
    }
}

// A string that a newer version added is reported and passed over; the record loads.
TEST_F(cEdConditionTest, AStringTheRecordDoesNotHaveIsPassedOver)
{
    ByteWriter strings;
    strings.I32(0).I32(1).RecordString("memo");
    cEdCondition condition;
    EXPECT_EQ(LoadBytes(condition, 720, strings), 1);
}

TEST_F(cEdConditionTest, ListCountBeyondTheFileIsRefusedAndTheListKept)
{
    cVector<cEdCondition> conditions(2);
    ByteWriter file;
    file.I32(720).I32(1000000).I32(0).I32(0);
    folder.Write("list.dat", file.Data());
    FILE* fp = OpenDatLoad("list.dat");
    ASSERT_NE(fp, nullptr);
    EXPECT_EQ(LoadConditionList(conditions, fp), 0);
    CloseDat(fp);
    EXPECT_EQ(conditions.size(), 2u);
}

TEST_F(cEdConditionTest, AssignConditionListCopiesCountAndMembers)
{
    cVector<cEdCondition> source(2);
    source[0].m_nKind = 4;
    source[0].m_nValue = -7;
    source[1].m_nRightIndex = 99;
    cVector<cEdCondition> destination(5);
    destination[0].m_nCompare = 3;

    AssignConditionList(destination, source);
    ASSERT_EQ(destination.size(), 2u);
    EXPECT_EQ(destination[0].m_nKind, 4);
    EXPECT_EQ(destination[0].m_nValue, -7);
    EXPECT_EQ(destination[0].m_nCompare, 0);
    EXPECT_EQ(destination[1].m_nRightIndex, 99);

    destination[0].m_nValue = 5;
    EXPECT_EQ(source[0].m_nValue, -7);

    AssignConditionList(destination, destination);
    ASSERT_EQ(destination.size(), 2u);
    EXPECT_EQ(destination[1].m_nRightIndex, 99);
}

}  // namespace
