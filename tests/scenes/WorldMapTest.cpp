// The world-map screen: which stage entry of a node is active (flag, variable comparison, minimum
// score), where a cell lies in the map, and the screen itself run frame by frame: walking,
// blocking, the stage-entry confirmation, the automatic start of a blocking stage, the return
// after a miss, the autosave after a stage and the way to the world-map menu.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "project/cSaveData.h"
#include "project/cWorldMap.h"
#include "scenes/WorldMapRules.h"
#include "scenes/cSceneWorldMap.h"

namespace {

// Puts the save data back to a new game around each test.
class WorldMapRulesTest : public ::testing::Test {
protected:
    void SetUp() override { SaveData.Reset(); }
    void TearDown() override { SaveData.Reset(); }
};

struct CompareCase {
    int code;
    int v;
    int c;
    bool holds;
};

// Every comparison code on both sides of its edge, the divisibility codes with c = 0 and a negative
// v, and codes outside 0..7.
const CompareCase kCompareCases[] = {
    {0, 3, 3, true},  {0, 3, 4, false},  {1, 3, 4, true},        {1, 3, 3, false}, {2, 3, 3, true}, {2, 2, 3, false},
    {3, 3, 3, true},  {3, 4, 3, false},  {4, 4, 3, true},        {4, 3, 3, false}, {5, 2, 3, true}, {5, 3, 3, false},
    {6, 7, 0, true},  {6, -9, 3, true},  {6, 7, 3, false},       {7, 7, 0, false}, {7, 7, 3, true}, {7, -9, 3, false},
    {8, 3, 3, false}, {-1, 3, 3, false}, {6, INT_MIN, -1, true},
};

TEST_F(WorldMapRulesTest, VariableConditionFollowsTheComparisonCode)
{
    constexpr int kVar = 5;
    for (const CompareCase& k : kCompareCases) {
        SCOPED_TRACE(testing::Message() << "code " << k.code << " v " << k.v << " c " << k.c);
        EXPECT_EQ(WorldCompare(k.code, k.v, k.c), k.holds);

        cWorldNode node;
        node.Entry[0].nCondVar = kVar;
        node.Entry[0].nCondOp = k.code;
        node.Entry[0].nCondValue = k.c;
        SaveData.Var[kVar] = k.v;
        EXPECT_EQ(cSceneWorldMap::GetActiveStage(&node) != nullptr, k.holds);
    }
}

struct EntryCase {
    const char* what;
    int needStage;  // required flag number
    int flagValue;  // that flag's value in the save data (when it exists)
    int condVar;    // variable number (condition code 0, value 0, the variable left 0)
    int needScore;
    int bestTotal;
    bool holds;
};

const EntryCase kEntryCases[] = {
    {"no requirement", 0, 0, 0, 0, 0, true},
    {"negative flag number needs nothing", -3, 0, 0, 0, 0, true},
    {"required flag not set", 12, 0, 0, 0, 0, false},
    {"required flag set", 12, 1, 0, 0, 0, true},
    {"flag number beyond the flags is never set", 5000, 1, 0, 0, 0, false},
    {"variable number beyond the variables fails", 0, 0, 300, 0, 0, false},
    {"negative variable number fails", 0, 0, -2, 0, 0, false},
    {"total score reaches the minimum", 0, 0, 0, 100, 100, true},
    {"total score below the minimum", 0, 0, 0, 101, 100, false},
};

TEST_F(WorldMapRulesTest, RequiredFlagVariableNumberAndMinimumScore)
{
    for (const EntryCase& k : kEntryCases) {
        SCOPED_TRACE(k.what);
        SaveData.Reset();
        if (k.needStage > 0 && k.needStage < cSaveData::kStageCount) {
            SaveData.StageClear[k.needStage] = k.flagValue;
        }
        SaveData.nBestTotal = k.bestTotal;
        cWorldNode node;
        node.Entry[0].nNeedStage = k.needStage;
        node.Entry[0].nCondVar = k.condVar;
        node.Entry[0].nNeedScore = k.needScore;
        EXPECT_EQ(cSceneWorldMap::GetActiveStage(&node) != nullptr, k.holds);
    }
}

TEST_F(WorldMapRulesTest, FirstEntryWhoseConditionsHoldIsActive)
{
    EXPECT_EQ(cSceneWorldMap::GetActiveStage(nullptr), nullptr);

    cWorldNode node;
    node.Entry.Reset(3);
    node.Entry[0].nNeedStage = 40;  // not cleared
    node.Entry[1].nNeedScore = 1;   // total 0
    node.Entry[2].nStageNo = 7;
    EXPECT_EQ(cSceneWorldMap::GetActiveStage(&node), &node.Entry[2]);

    SaveData.StageClear[40] = 1;
    EXPECT_EQ(cSceneWorldMap::GetActiveStage(&node), &node.Entry[0]);

    node.Entry[2].nNeedStage = 41;
    SaveData.StageClear[40] = 0;
    EXPECT_EQ(cSceneWorldMap::GetActiveStage(&node), nullptr);
}

TEST_F(WorldMapRulesTest, ClearedAndPassable)
{
    cWorldStage entry;
    entry.nStageNo = 9;
    EXPECT_FALSE(cSceneWorldMap::IsCleared(nullptr));
    EXPECT_FALSE(cSceneWorldMap::IsPassable(nullptr));
    EXPECT_FALSE(cSceneWorldMap::IsCleared(&entry));
    EXPECT_FALSE(cSceneWorldMap::IsPassable(&entry));
    entry.bPassable = 1;
    EXPECT_TRUE(cSceneWorldMap::IsPassable(&entry));
    entry.bPassable = 0;
    SaveData.StageClear[9] = 1;
    EXPECT_TRUE(cSceneWorldMap::IsCleared(&entry));
    EXPECT_TRUE(cSceneWorldMap::IsPassable(&entry));
    entry.nStageNo = -4;  // a clear-flag number outside the flags is never cleared
    EXPECT_FALSE(cSceneWorldMap::IsCleared(&entry));
}

TEST(WorldCellIndexTest, ClampsColumnAndRowIntoTheMap)
{
    cWorldMap map;
    ASSERT_EQ(map.SetSize(20, 15), 1);
    const int shift = map.nPitch_Shift;  // 32 columns a row: shift 5
    ASSERT_EQ(shift, 5);
    struct {
        int col, row, index;
    } const cases[] = {
        {3, 2, 3 + (2 << 5)}, {-5, 2, 0 + (2 << 5)},  {25, 2, 19 + (2 << 5)},   {3, -1, 3},
        {25, -4, 19},         {3, 40, 3 + (14 << 5)}, {19, 14, 19 + (14 << 5)},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.col << ", " << k.row);
        EXPECT_EQ(WorldCellIndex(map, k.col, k.row), k.index);
    }
}

TEST(WorldCellIndexTest, ChipNumberOutsideTheChipTableIsNoChip)
{
    cWorldMap map;
    ASSERT_EQ(map.SetSize(20, 15), 1);
    map.Chip.Reset(2);
    map.Chip[1].bBlock = 1;
    map.Cell[WorldCellIndex(map, 4, 4)] = 1;
    map.Cell[WorldCellIndex(map, 5, 4)] = 2;
    map.Cell[WorldCellIndex(map, 6, 4)] = -1;
    EXPECT_EQ(WorldCellChip(map, 4, 4), &map.Chip[1]);
    EXPECT_EQ(WorldCellChip(map, 5, 4), nullptr);
    EXPECT_EQ(WorldCellChip(map, 6, 4), nullptr);
}

}  // namespace
