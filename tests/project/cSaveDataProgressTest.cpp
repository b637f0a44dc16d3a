// The save data's operations on a run's progress: stage keys, best scores and their total,
// retry points, laps and the ranking genre selection.
#include <gtest/gtest.h>

#include "SaveDataTestSupport.h"
#include "project/cSaveData.h"

namespace {

using projecttest::SaveDataTest;
using testsupport::WorldNodeSpec;
using testsupport::WorldStageSpec;

using cSaveDataProgressTest = SaveDataTest;

TEST_F(cSaveDataProgressTest, SetStageFileMakesTheStageKey)
{
    struct KeyCase {
        const char* path;
        const char* key;
        int worldRun;
    };
    for (KeyCase c :
         {KeyCase{"stg\\W01-1.stg4", "stg\\W01.", 1}, KeyCase{"stg\\W01-2.stg4", "stg\\W01-2.", 0},
          KeyCase{"data\\A03-1.stg4", "data\\A03.", 1}, KeyCase{"data\\A03-2.stg4", "data\\A03-2.", 0},
          KeyCase{"x-12.stg4", "x.", 1}, KeyCase{"", "", 0}, KeyCase{"data\\noext", "", 0}, KeyCase{"a-1", "a.", 1}}) {
        SaveData.strStage = "old";
        SaveData.bWorldRun = 1 - c.worldRun;
        SaveData.SetStageFile(c.path);
        EXPECT_EQ(SaveData.strStage, c.key) << c.path;
        EXPECT_EQ(SaveData.bWorldRun, c.worldRun) << c.path;
    }
    SaveData.SetStageFile(nullptr);
    EXPECT_EQ(SaveData.strStage, "");
    EXPECT_EQ(SaveData.bWorldRun, 0);
}

// The world map lists its stages by the key the save data makes of the same file.
TEST_F(cSaveDataProgressTest, WorldMapAndSaveDataAgreeOnStageKeys)
{
    for (const char* file : {"stg\\W01-1.stg4", "stg\\W01-2.stg4", "data\\stg4\\c01-1.stg4", "x-12.stg4", "s.stg4"}) {
        cWorldStage entry;
        entry.strFile = file;
        SaveData.SetStageFile(file);
        EXPECT_EQ(entry.StageKey(), SaveData.strStage) << file;
    }
}

TEST_F(cSaveDataProgressTest, SetHighScoreKeepsTheBestPerStage)
{
    SaveData.nBestTotal = 1000;
    SaveData.SetHighScore("stg\\W01.", 500);
    SaveData.SetHighScore("stg\\W01.", 300);
    ASSERT_EQ(SaveData.StageBest.size(), 1u);
    EXPECT_EQ(SaveData.StageBest[0].nValue, 500);
    EXPECT_EQ(SaveData.nBestTotal, 1500);

    SaveData.SetHighScore("stg\\W01.", 800);
    ASSERT_EQ(SaveData.StageBest.size(), 1u);
    EXPECT_EQ(SaveData.StageBest[0].nValue, 800);
    EXPECT_EQ(SaveData.nBestTotal, 1800);

    SaveData.SetHighScore("stg\\W01-2.", 40);
    EXPECT_EQ(SaveData.StageBest.size(), 2u);
    EXPECT_EQ(SaveData.nBestTotal, 1840);
    EXPECT_EQ(SaveData.GetHighScore("stg\\W01."), 800);
    EXPECT_EQ(SaveData.GetHighScore("stg\\W01-2."), 40);
    EXPECT_EQ(SaveData.GetHighScore("stg\\W01"), 0);
}

TEST_F(cSaveDataProgressTest, TheTotalCountsOnlyStagesOnTheWorldMap)
{
    testsupport::WorldMapSpec spec;
    WorldNodeSpec node;
    WorldStageSpec enter;
    enter.file = "stg\\W01-1.stg4";
    WorldStageSpec road;
    road.kind = 1;
    road.file = "stg\\W02-1.stg4";
    node.entries = {enter, road};
    spec.nodes = {node};
    folder.Write("data\\WorldMap.dat", testsupport::WorldMapFile(spec).Data());
    ASSERT_EQ(WorldMap.LoadFile("data\\WorldMap.dat"), 1);

    SaveData.SetHighScore("stg\\W01.", 500);
    SaveData.SetHighScore("stg\\W02.", 300);
    SaveData.SetHighScore("stg\\Gone.", 70);
    EXPECT_EQ(SaveData.nBestTotal, 870);
    SaveData.CalcTotalScore();
    EXPECT_EQ(SaveData.nBestTotal, 500);
}

TEST_F(cSaveDataProgressTest, SumsStayWithinInt32)
{
    SaveData.nBestTotal = 2147483000;
    SaveData.SetHighScore("a.", 999999);
    EXPECT_EQ(SaveData.nBestTotal, 2147483647);
    SaveData.nLap = 2147483647;
    SaveData.StartNextLap();
    EXPECT_EQ(SaveData.nLap, 2147483647);
}

TEST_F(cSaveDataProgressTest, ForcedRetryRestoresVariablesLivesAndScore)
{
    SaveData.Var[3] = 30;
    SaveData.nLives = 4;
    SaveData.nRunScore = 1200;
    SaveData.SaveRetryPoint();
    SaveData.Var[3] = 31;
    SaveData.nLives = 2;
    SaveData.nRunScore = 1900;
    EXPECT_EQ(SaveData.LoadRetryPoint(true, cSaveData::kPlayStory, false), 1200);
    EXPECT_EQ(SaveData.Var[3], 30);
    EXPECT_EQ(SaveData.nLives, 4);
    EXPECT_EQ(SaveData.nRunScore, 1200);
}

// Without force, the play kind's retry switch (or the direct-play switch) decides about the
// variables; the lives are never restored and the score always is.
TEST_F(cSaveDataProgressTest, UnforcedRetryFollowsThePlaySwitch)
{
    struct RetryCase {
        int kind;
        bool direct;
        int story, challenge, free, directSwitch;
        bool restored;
    };
    for (RetryCase c : {RetryCase{0, false, 1, 0, 0, 0, true}, RetryCase{0, false, 0, 1, 1, 1, false},
                        RetryCase{1, false, 0, 1, 0, 0, true}, RetryCase{1, false, 1, 0, 1, 1, false},
                        RetryCase{2, false, 0, 0, 1, 0, true}, RetryCase{2, false, 1, 1, 0, 1, false},
                        RetryCase{3, false, 0, 0, 0, 0, true}, RetryCase{0, true, 1, 1, 1, 0, false},
                        RetryCase{0, true, 0, 0, 0, 1, true}}) {
        SystemData.bRetryRestoreStory = c.story;
        SystemData.bRetryRestoreChallenge = c.challenge;
        SystemData.bRetryRestoreFree = c.free;
        SystemData.bRetryRestoreDirect = c.directSwitch;
        SaveData.Var[7] = 70;
        SaveData.nLives = 4;
        SaveData.nRunScore = 100;
        SaveData.SaveRetryPoint();
        SaveData.Var[7] = 71;
        SaveData.nLives = 3;
        SaveData.nRunScore = 150;
        EXPECT_EQ(SaveData.LoadRetryPoint(false, c.kind, c.direct), 100);
        EXPECT_EQ(SaveData.Var[7], c.restored ? 70 : 71) << "kind " << c.kind << " direct " << c.direct;
        EXPECT_EQ(SaveData.nLives, 3);
        EXPECT_EQ(SaveData.nRunScore, 100);
    }
}

TEST_F(cSaveDataProgressTest, ARetryWithoutRetryPointKeepsAllVariables)
{
    cSaveData data;
    data.Var[9] = 5;
    data.LoadRetryPoint(true, cSaveData::kPlayStory, false);
    EXPECT_EQ(data.Var.size(), 256u);
    EXPECT_EQ(TakeCloseRequests(), 0);
}

TEST_F(cSaveDataProgressTest, ClearScoreClearsTheRunValues)
{
    SaveData.nRunScore = 1;
    SaveData.nRunValue1 = 2;
    SaveData.nRunValue2 = 3;
    SaveData.nRunValue3 = 4;
    SaveData.nRunValue4 = 5;
    SaveData.nTotalScore = 6;
    SaveData.nBestTotal = 7;
    SaveData.ClearScore();
    EXPECT_EQ(std::vector<int>({SaveData.nRunScore, SaveData.nRunValue1, SaveData.nRunValue2, SaveData.nRunValue3,
                                SaveData.nRunValue4, SaveData.nTotalScore, SaveData.nBestTotal}),
              std::vector<int>({0, 0, 0, 0, 0, 6, 7}));
}

TEST_F(cSaveDataProgressTest, NextLapClearsTheStagesAndGoesToTheStartCell)
{
    SaveData.nLap = 2;
    SaveData.StageClear[0] = 1;
    SaveData.StageClear[500] = 1;
    SaveData.nMapX = 3;
    SaveData.nMapY = 4;
    SaveData.Var[1] = 8;
    SaveData.StartNextLap();
    EXPECT_EQ(SaveData.nLap, 3);
    EXPECT_EQ(SaveData.StageClear, cVector<std::int32_t>(1000, 0));
    EXPECT_EQ(std::pair(SaveData.nMapX, SaveData.nMapY), std::pair(9, 7));
    EXPECT_EQ(SaveData.Var[1], 8);
}

TEST_F(cSaveDataProgressTest, StepSelectionMovesOverTheEnabledGenres)
{
    SystemData.RankingRows[1].GenreFlags = {0, 1, 0, 1, 0};
    struct StepCase {
        int from, step, to;
    };
    for (StepCase c : {StepCase{3, 1, 1}, StepCase{1, -1, 3}, StepCase{1, 1, 3}, StepCase{3, -1, 1}, StepCase{2, 0, 3},
                       StepCase{1, 0, 1}, StepCase{4, 0, 1}, StepCase{1, 2, 1}, StepCase{0, -1, 3}}) {
        SaveData.nRankingKind = c.from;
        SaveData.StepSelection(1, c.step);
        EXPECT_EQ(SaveData.nRankingKind, c.to) << c.from << " step " << c.step;
    }
    SystemData.RankingRows[2].GenreFlags = {0, 0, 0, 0, 0};
    SaveData.nRankingKind = 2;
    SaveData.StepSelection(2, 1);
    EXPECT_EQ(SaveData.nRankingKind, 2);
}

}  // namespace
