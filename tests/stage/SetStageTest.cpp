// SetStage: the block map, the player and the placed characters with their groups and faction
// groups, the sub-steps per speed level, the play seed, the header restored for a retry, and a
// set-up that fails.
#include "StageFixture.h"

#include "definitions/cEdStage.h"
#include "objects/MapCell.h"
#include "objects/StageObjects.h"
#include "platform/win/Random.h"
#include "platform/win/Time.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "stage/StageGeometry.h"

namespace stagetest {
namespace {

// The C runtime generator after a seed: the first draw.
int FirstDraw(unsigned seed)
{
    const unsigned state = seed * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

testsupport::CharaDefSpec Chara(int x, int y, int faction)
{
    testsupport::CharaDefSpec chara;
    chara.controller = 1;
    chara.x = static_cast<std::uint16_t>(x);
    chara.y = static_cast<std::uint16_t>(y);
    chara.faction = static_cast<std::int8_t>(faction);
    chara.direction = 1;
    return chara;
}

class SetStageTest : public StageFixture {};

TEST_F(SetStageTest, PlacedCharactersGroupsAndBlockCharactersFillTheLists)
{
    auto group = Chara(5, 5, 2);
    group.groupCount = 2;  // three members
    group.groupStepX = 32;
    auto block = Chara(10, 10, 3);
    block.fullCell = 1;
    auto edge = Chara(19, 3, 2);
    edge.groupCount = 1;
    edge.groupStepX = 400;  // the second member lies beyond the field's right edge
    StageSpecOf().placedCharas.push_back(group);
    StageSpecOf().placedCharas.push_back(block);
    StageSpecOf().placedCharas.push_back(edge);
    ASSERT_TRUE(LoadAndEnter());

    // The player is object 0; the characters follow in placement order; the dropped member
    // takes no number.
    ASSERT_EQ(CharaList.size(), 5u);
    const auto states = testsupport::PlayHarness::CharaStates();
    const int sources[] = {1, 2, 3, 4, 5};
    const int factions[] = {2, 2, 2, 3, 2};
    for (std::size_t i = 0; i < states.size(); ++i) {
        EXPECT_EQ(states[i].source, sources[i]) << i;
        EXPECT_EQ(states[i].faction, factions[i]) << i;
    }
    EXPECT_EQ(testsupport::PlayHarness::PlayerState().source, 0);
    EXPECT_EQ(Scene().m_nCharaId, 6);
    // Group members stand the group step apart.
    EXPECT_DOUBLE_EQ(states[1].x - states[0].x, 32.0);
    EXPECT_DOUBLE_EQ(states[2].x - states[0].x, 64.0);
    EXPECT_DOUBLE_EQ(states[1].y, states[0].y);

    // The faction groups: the player (faction 1), four of faction 2, the block character.
    ASSERT_EQ(Scene().m_CharaLayer.size(), 8u);
    const std::size_t sizes[] = {0, 1, 4, 1, 0, 0, 0, 0};
    for (int f = 0; f < 8; ++f) {
        EXPECT_EQ(Scene().m_CharaLayer[f].size(), sizes[f]) << "faction " << f;
    }
    EXPECT_EQ(Scene().m_CharaLayer[1].front(), &Player[0]);
    EXPECT_EQ(TakePosted(WM_CLOSE), 0);
}

TEST_F(SetStageTest, TheBlockMapHoldsThePlacedBlocksAtTheirFieldCells)
{
    testsupport::BlockDefSpec far;
    far.graphic = 5;
    far.x = 300;  // outside a 20-tile stage: no cell
    far.y = 2;
    StageSpecOf().placedBlocks.push_back(far);
    testsupport::BlockDefSpec wall;
    wall.graphic = 3;
    wall.x = 7;
    wall.y = 9;
    StageSpecOf().placedBlocks.push_back(wall);
    ASSERT_TRUE(LoadAndEnter());

    const MAPLAYOUT layout = MAPLAYOUT::ForStage(20, 15);
    ASSERT_EQ(StageMap.size(), static_cast<std::size_t>(64 * 35));
    for (int column = 0; column < 20; ++column) {
        EXPECT_EQ(StageMap[layout.Cell(column + 10, 24)].m_nGraphic, 1) << column;
        EXPECT_EQ(StageMap[layout.Cell(column + 10, 23)].m_nGraphic, 0) << column;
        EXPECT_EQ(StageMap[layout.Cell(column + 10, 23)].m_nHitKind, 0) << "an empty cell is passable";
        for (int faction = 0; faction < 8; ++faction) {
            EXPECT_EQ(IsBlockSolidFor(StageMap[layout.Cell(column + 10, 23)], faction), 0) << faction;
            EXPECT_EQ(IsBlockSolidFor(StageMap[layout.Cell(column + 10, 24)], faction), 1) << faction;
        }
    }
    EXPECT_EQ(StageMap[layout.Cell(17, 19)].m_nGraphic, 3);
    int fives = 0;
    for (const MAPCELL& cell : StageMap) {
        fives += cell.m_nGraphic == 5 ? 1 : 0;
    }
    EXPECT_EQ(fives, 0);
    EXPECT_EQ(TakePosted(WM_CLOSE), 0);
}

TEST_F(SetStageTest, APlayFrameRunsTheSubStepsOfTheSpeedLevel)
{
    struct Case {
        int level;
        int subSteps;
    };
    // b = a up to 10, a - 10 from 11 to 19; a level of 0 plays as 1.
    for (const Case& c : {Case{1, 1}, Case{5, 5}, Case{10, 10}, Case{11, 1}, Case{15, 5}, Case{19, 9}, Case{0, 1}}) {
        SCOPED_TRACE(c.level);
        spec = testsupport::MinimalGame();
        SetHeader("m_nSpeedLevel", c.level);
        SetHeader("m_bReadyBanner", 0);
        ASSERT_TRUE(LoadAndEnter());
        ASSERT_TRUE(harness->RunUntilState(STAGESTATE_PLAY, 5));
        harness->RunFrames(1);
        EXPECT_EQ(Scene().m_nFrame, 1);
        EXPECT_EQ(Scene().m_nSubStepTotal, c.subSteps);
        EXPECT_EQ(Scene().m_nSubStep, c.subSteps);
        EXPECT_EQ(Scene().m_SubStepCheck.size(), static_cast<std::size_t>(c.subSteps));
        harness->RunFrames(2);
        EXPECT_EQ(Scene().m_nSubStepTotal, 3 * c.subSteps);
        harness.reset();
    }
}

TEST_F(SetStageTest, WithoutRecordingEveryRetryOfAnEntryRepeatsTheSeedTakenAtEntry)
{
    ASSERT_TRUE(Load());
    SystemData.bReplayEnabled = 0;
    AdvanceVirtualClock(12345);
    ASSERT_TRUE(harness->Enter());
    EXPECT_EQ(Scene().m_nSeed, 12345u);
    EXPECT_EQ(Rand(), FirstDraw(12345));
    harness->RunFrames(30);
    AdvanceVirtualClock(5000);
    Scene().SetStage(1, 0);
    EXPECT_EQ(Scene().m_nSeed, 12345u);
    EXPECT_EQ(Rand(), FirstDraw(12345)) << "the retry's random sequence repeats";
}

TEST_F(SetStageTest, WithRecordingEveryStartTakesTheClockAndKeepsTheSnapshots)
{
    ASSERT_TRUE(Load());
    SystemData.bReplayEnabled = 1;
    AdvanceVirtualClock(1000);
    ASSERT_TRUE(harness->Enter());
    const unsigned first = Scene().m_nSeed;
    EXPECT_EQ(first, timeGetTime());
    EXPECT_EQ(Rand(), FirstDraw(first));
    const int livesAtEntry = SaveData.nLives;
    EXPECT_EQ(SaveDataAtStart.nLives, livesAtEntry);
    SaveData.nLives = 3;
    AdvanceVirtualClock(777);
    Scene().SetStage(1, 0);
    EXPECT_EQ(Scene().m_nSeed, first + 777);
    EXPECT_EQ(SaveDataAtStart.nLives, 3);
    EXPECT_EQ(SaveDataAtStartPrev.nLives, livesAtEntry);
}

TEST_F(SetStageTest, ARetryRestoresTheHeaderAndTheTimeLimit)
{
    SetHeader("m_bTimeLimit", 1);
    SetHeader("m_nTimeLimit", 120);
    ASSERT_TRUE(LoadAndEnter());
    EXPECT_EQ(Scene().m_nTime, 120);
    EXPECT_EQ(Scene().m_bNoTimeLimit, 0);
    // Commands change the header during play; a retry undoes it.
    Stage.m_nTimeLimit = 5;
    Stage.m_bAutoScrollX = 1;
    Scene().SetStage(1, 0);
    EXPECT_EQ(Stage.m_nTimeLimit, 120);
    EXPECT_EQ(Stage.m_bAutoScrollX, 0);
    EXPECT_EQ(Scene().m_nTime, 120);
}

TEST_F(SetStageTest, AFailedSetUpRunsNoStateAndClosesTheProgram)
{
    ASSERT_TRUE(Load());
    Stage.m_PlacedChara.clear();  // no hero to make
    EXPECT_FALSE(harness->Enter());
    EXPECT_TRUE(Scene().IsFailed());
    EXPECT_EQ(TakePosted(WM_CLOSE), 1);
    const int state = Scene().m_nState;
    harness->RunFrames(5);
    EXPECT_EQ(Scene().m_nState, state);
    EXPECT_EQ(Scene().m_nFrame, 0);
    EXPECT_EQ(Scene().m_nBannerCount + Scene().m_nBannerCount2, 0);
}

TEST_F(SetStageTest, TheRunningScreenIsKnownOnlyWhileItExists)
{
    ASSERT_TRUE(LoadAndEnter());
    EXPECT_EQ(lpSceneStage, &Scene());
    EXPECT_EQ(lpStageField, static_cast<cStageField*>(&Scene()));
    harness.reset();
    EXPECT_EQ(lpSceneStage, nullptr);
    EXPECT_EQ(lpStageField, nullptr);
}

}  // namespace
}  // namespace stagetest
