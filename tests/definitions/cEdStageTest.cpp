#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StageTestSupport.h"
#include "definitions/cEdStage.h"

namespace stagetest {
namespace {

using testsupport::MinimalStage;
using testsupport::StageFile;
using testsupport::StageSpec;

constexpr const char* kStagePath = "data\\stg4\\test.stg4_000";

class cEdStageTest : public StageTest {
protected:
    // Reads spec into a fresh stage record with cDataRecord::LoadFile. The load's result.
    int LoadStageSpec(cEdStage& stage, const StageSpec& spec)
    {
        WriteStage(kStagePath, spec);
        return stage.LoadFile(kStagePath);
    }
};

TEST_F(cEdStageTest, MinimalStageLoadsAsWritten)
{
    cEdStage stage;
    ASSERT_EQ(LoadStageSpec(stage, MinimalStage()), 1);

    EXPECT_EQ(stage.m_nWidth, 20);
    EXPECT_EQ(stage.m_nHeight, 15);
    EXPECT_EQ(stage.m_nFieldWidthPx, 640);
    ASSERT_EQ(stage.m_PlacedBlock.size(), 20u);
    EXPECT_EQ(stage.m_PlacedBlock[19].m_nX, 19);
    EXPECT_EQ(stage.m_PlacedBlock[19].m_nY, 14);
    EXPECT_EQ(stage.m_PlacedBlock[19].m_nGraphic, 1);
    EXPECT_EQ(stage.m_PlacedBlock[19].m_nHitKind, 1);
    ASSERT_EQ(stage.FindHero(), 0);
    EXPECT_EQ(stage.m_PlacedChara[0].m_nX, 2);
    EXPECT_EQ(stage.m_PlacedChara[0].m_nY, 13);
    EXPECT_EQ(stage.m_PlacedChara[0].m_nDirection, 1);
    EXPECT_EQ(stage.m_PaletteBlock.size(), 2u);
    EXPECT_EQ(stage.m_PaletteChara.size(), 2u);
    EXPECT_EQ(stage.m_PaletteItem.size(), 2u);
    ASSERT_EQ(stage.m_Background.size(), 1u);
    EXPECT_EQ(stage.m_Background[0].m_bFill, 1);
    EXPECT_EQ(stage.m_Background[0].m_nFillColor, 16);
    EXPECT_EQ(stage.m_Ranking, (cVector<std::int32_t>{1, 1, 1, 1, 1}));
    EXPECT_EQ(stage.m_OffScreen[OFFSCREEN_CHARA_SHOT].m_nBottom, 10);
    // Level 10: 10 sub-steps, 60 pixels per frame, 6 per sub-step, 60 sub-steps per tenth.
    EXPECT_EQ(stage.m_nSubSteps, 10);
    EXPECT_EQ(stage.m_nTenthSteps, 60);
    EXPECT_DOUBLE_EQ(stage.m_dMaxSpeed, 60.0);
    EXPECT_DOUBLE_EQ(stage.m_dSubMaxSpeed, 6.0);
    EXPECT_DOUBLE_EQ(stage.m_dSubGravity, 0.004);
}

TEST_F(cEdStageTest, SaveWritesTheStageFileLayout)
{
    StageSpec spec = MinimalStage();
    spec.placedPrefix = 77;  // ignored when read, written as 0
    cEdStage stage;
    ASSERT_EQ(LoadStageSpec(stage, spec), 1);

    StageSpec expected = MinimalStage();
    // The saved constants are the ones Normalize derived; blocks without graphic do not collide.
    expected.header["m_dSubGravity"] = 0.4 / 100.0;
    for (testsupport::BlockDefSpec& block : expected.paletteBlocks) {
        block.hitKind = 0;
    }
    const std::string saved = SavedBytes(stage);
    EXPECT_EQ(saved, AsString(StageFile(expected)));
    ASSERT_GE(saved.size(), 4u);
    EXPECT_EQ(saved.substr(saved.size() - 4), std::string("\x15\xCD\x5B\x07", 4));
}

TEST_F(cEdStageTest, ResetGivesTheDefaultsOfANewStage)
{
    cEdStage stage;
    EXPECT_EQ(stage.m_nTimeLimit, 200);
    EXPECT_EQ(stage.m_nTimeWarning, 20);
    EXPECT_DOUBLE_EQ(stage.m_dGravity, 0.4);
    EXPECT_EQ(stage.m_nFps, 60);
    EXPECT_EQ(stage.m_nSpeedLevel, 10);
    EXPECT_EQ(stage.m_bReadyBanner, 1);
    EXPECT_EQ(stage.m_nContactFlag, 1);
    EXPECT_EQ(stage.m_nHeroInvSame, 30);
    EXPECT_EQ(stage.m_nCharaInvSame, 30);
    EXPECT_EQ(stage.m_nHeroShotRangeW, 12);
    EXPECT_EQ(stage.m_nCharaShotRangeH, 30);
    EXPECT_EQ(stage.m_nRectFlag, 1);
    EXPECT_TRUE(stage.m_PlacedChara.empty());
    EXPECT_EQ(stage.m_PaletteBlock.size(), 1u);
    ASSERT_EQ(stage.m_Background.size(), 1u);
    EXPECT_EQ(stage.m_Background[0].m_bFill, 1);
    EXPECT_EQ(stage.m_Ranking.size(), 5u);
    EXPECT_EQ(stage.m_OffScreen[OFFSCREEN_ITEM].m_bLeft, 0);
    EXPECT_EQ(stage.m_OffScreen[OFFSCREEN_HERO_SHOT].m_bTop, 1);
    EXPECT_EQ(stage.m_OffScreen[OFFSCREEN_HERO_SHOT].m_nTop, 0);
    EXPECT_EQ(stage.m_OffScreen[OFFSCREEN_CHARA_SHOT].m_nLeft, 10);
    EXPECT_EQ(stage.MemberTable().size(), 98u);
}

TEST_F(cEdStageTest, SpeedLevelGivesSubStepsAndLimits)
{
    struct Case {
        int level;
        int subSteps;
        double maxSpeed;
        double subMaxSpeed;
        int storedLevel;
    };
    const Case cases[] = {
        {15, 5, 60.0, 12.0, 15},
        {5, 5, 30.0, 6.0, 5},
        {10, 10, 60.0, 6.0, 10},
        {1, 1, 6.0, 6.0, 1},
        {19, 9, 60.0, 60.0 / 9, 19},
        {0, 1, 6.0, 6.0, 1},  // no sub-steps would divide by zero: level 1
        {-4, 1, 6.0, 6.0, 1},
        {25, 25, 150.0, 6.0, 25},  // above 19 the level is the sub-step count again
        {20, 20, 120.0, 6.0, 20},
        {2147483647, 1000, 6000.0, 6.0, 1000},  // a damaged level neither freezes the play nor overflows
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        cEdStage stage;
        stage.m_dGravity = 0.9;
        stage.SetSpeedLevel(c.level);
        EXPECT_EQ(stage.m_nSpeedLevel, c.storedLevel);
        EXPECT_EQ(stage.m_nSubSteps, c.subSteps);
        EXPECT_DOUBLE_EQ(stage.m_dSubSteps, c.subSteps);
        EXPECT_DOUBLE_EQ(stage.m_dSubSteps2, c.subSteps * c.subSteps);
        EXPECT_EQ(stage.m_nTenthSteps, 6 * c.subSteps);
        EXPECT_EQ(stage.m_nSubSteps8, 8 * c.subSteps);
        EXPECT_DOUBLE_EQ(stage.m_dMaxSpeed, c.maxSpeed);
        EXPECT_DOUBLE_EQ(stage.m_dSubMaxSpeed, c.subMaxSpeed);
        EXPECT_DOUBLE_EQ(stage.m_dSubGravity, 0.9 / (c.subSteps * c.subSteps));
    }
}

TEST_F(cEdStageTest, NormalizeBringsTheHeaderIntoRange)
{
    struct Case {
        const char* what;
        std::map<std::string, double> header;
        std::vector<std::int32_t> ranking;
        int limitLeft, limitRight, limitTop, limitBottom, bgm, level;
    };
    const Case cases[] = {
        {"limits of a 40 x 30 stage",
         {{"m_nWidth", 40},
          {"m_nHeight", 30},
          {"m_nLimitLeft", 50},
          {"m_nLimitRight", 50},
          {"m_nLimitTop", 50},
          {"m_nLimitBottom", 50}},
         {1, 1, 1, 1, 1},
         20,
         39,
         15,
         29,
         0,
         10},
        // Upper bounds only: 10 - 20, the given -3, 8 - 15, and 0 below 8 - 1.
        {"limits of a stage smaller than a screen",
         {{"m_nWidth", 10}, {"m_nHeight", 8}, {"m_nLimitLeft", 5}, {"m_nLimitRight", -3}, {"m_nLimitTop", 2}},
         {1, 1, 1, 1, 1},
         -10,
         -3,
         -7,
         0,
         0,
         10},
        {"negative limits of a large stage are kept",
         {{"m_nWidth", 40}, {"m_nHeight", 30}, {"m_nLimitLeft", -4}, {"m_nLimitBottom", -1}},
         {1, 1, 1, 1, 1},
         -4,
         0,
         0,
         -1,
         0,
         10},
        {"music at the table size", {{"m_nBgm", kTableEntries}}, {1, 1, 1, 1, 1}, 0, 0, 0, 0, 0, 10},
        {"negative music", {{"m_nBgm", -2}}, {1, 1, 1, 1, 1}, 0, 0, 0, 0, 0, 10},
        {"music in range", {{"m_nBgm", kTableEntries - 1}}, {1, 1, 1, 1, 1}, 0, 0, 0, 0, kTableEntries - 1, 10},
        {"speed level 0", {{"m_nSpeedLevel", 0}}, {1, 1, 1, 1, 1}, 0, 0, 0, 0, 0, 1},
        {"short ranking list", {}, {1, 0, 1}, 0, 0, 0, 0, 0, 10},
        {"long ranking list", {}, {1, 0, 1, 1, 1, 1, 1}, 0, 0, 0, 0, 0, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StageSpec spec = MinimalStage();
        spec.header = c.header;
        spec.ranking = c.ranking;
        cEdStage stage;
        ASSERT_EQ(LoadStageSpec(stage, spec), 1);
        EXPECT_EQ(stage.m_nLimitLeft, c.limitLeft);
        EXPECT_EQ(stage.m_nLimitRight, c.limitRight);
        EXPECT_EQ(stage.m_nLimitTop, c.limitTop);
        EXPECT_EQ(stage.m_nLimitBottom, c.limitBottom);
        EXPECT_EQ(stage.m_nBgm, c.bgm);
        EXPECT_EQ(stage.m_nSpeedLevel, c.level);
        std::vector<std::int32_t> ranking = c.ranking;
        ranking.resize(5, 0);
        EXPECT_EQ(std::vector<std::int32_t>(stage.m_Ranking.begin(), stage.m_Ranking.end()), ranking);
    }
}

TEST_F(cEdStageTest, NormalizeWorksOnItsOwnRecordNotOnStage)
{
    Stage.m_nSpeedLevel = 3;
    Stage.SetSpeedLevel(3);
    cEdStage other;
    other.m_nSpeedLevel = 15;
    other.Normalize();
    EXPECT_EQ(other.m_nSubSteps, 5);
    EXPECT_EQ(Stage.m_nSubSteps, 3);
}

TEST_F(cEdStageTest, OlderFilesGetTheValuesOfTheirTime)
{
    struct Case {
        int version;
        int cEdStage::*member;
        int expected;
    };
    // The file's header holds 7 where it stores a member; a member the version does not store
    // takes the value that matches how that version played.
    const Case cases[] = {
        {154, &cEdStage::m_nHeroCharaRangeFlyW, 20},  // copies of the ranges
        {154, &cEdStage::m_nHeroCharaRangeFlyH, 30},
        {154, &cEdStage::m_nCharaCharaRangeFlyW, 21},
        {154, &cEdStage::m_nCharaCharaRangeFlyH, 31},
        {154, &cEdStage::m_nHeroCharaRangeAlign, 0},
        {154, &cEdStage::m_nCharaCharaRangeFlyAlign, 0},
        {155, &cEdStage::m_nHeroCharaRangeFlyW, 7},
        {165, &cEdStage::m_bBgmLoop, 1},
        {166, &cEdStage::m_bBgmLoop, 7},
        {182, &cEdStage::m_bShowHud, 1},
        {183, &cEdStage::m_bSkipResults, 0},
        {184, &cEdStage::m_bSkipResults, 7},
        {198, &cEdStage::m_bBgmKeep, 0},
        {199, &cEdStage::m_nHeroColor0, 5},
        {199, &cEdStage::m_nCharaBodyH, 30},
        {199, &cEdStage::m_nCharaBodyFlyH, 30},
        {199, &cEdStage::m_nCharaBodyFlyAlign, 1},
        {199, &cEdStage::m_nHeroBodyH, 24},
        {200, &cEdStage::m_nHeroColor0, 7},
        {224, &cEdStage::m_bReadyBanner, 0},
        {225, &cEdStage::m_bReadyBanner, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        StageSpec spec = MinimalStage();
        spec.version = c.version;
        for (const std::string& name : testsupport::StageHeaderNames(c.version)) {
            if (name.find("Range") != std::string::npos || name.find("Body") != std::string::npos ||
                name.find("Color0") != std::string::npos || name.find("Bgm") != std::string::npos ||
                name.find("Hud") != std::string::npos || name.find("Skip") != std::string::npos ||
                name.find("Ready") != std::string::npos) {
                spec.header[name] = 7;
            }
        }
        spec.header["m_nHeroCharaRangeW"] = 20;
        spec.header["m_nHeroCharaRangeH"] = 30;
        spec.header["m_nCharaCharaRangeW"] = 21;
        spec.header["m_nCharaCharaRangeH"] = 31;
        spec.header["m_nBgm"] = 0;
        cEdStage stage;
        ASSERT_EQ(LoadStageSpec(stage, spec), 1);
        EXPECT_EQ(stage.*(c.member), c.expected);
        EXPECT_EQ(stage.FindHero(), 0);
    }
}

TEST_F(cEdStageTest, RankingSwitchesOfFilesOlderThan181)
{
    struct Case {
        int version;
        std::vector<std::int32_t> stored;
        std::vector<std::int32_t> expected;
    };
    const Case cases[] = {
        {180, {1, 1, 1, 1, 1}, {1, 1, 1, 0, 0}},
        {180, {0, 1}, {0, 1, 0, 0, 0}},
        {181, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        StageSpec spec = MinimalStage();
        spec.version = c.version;
        spec.ranking = c.stored;
        cEdStage stage;
        ASSERT_EQ(LoadStageSpec(stage, spec), 1);
        EXPECT_EQ(std::vector<std::int32_t>(stage.m_Ranking.begin(), stage.m_Ranking.end()), c.expected);
    }
}

TEST_F(cEdStageTest, EndCodeOfOldVersions)
{
    // 172 holds no end code; 173 holds it without its value being tested; from 174 it must be there.
    struct Case {
        int version;
        bool endCode;
        std::int32_t trailing;  // appended after the file when not 0
        int loads;
    };
    const Case cases[] = {
        {172, false, 0, 1}, {173, true, 0, 1}, {173, false, 42, 1}, {174, true, 0, 1}, {174, false, 42, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version << " " << c.trailing);
        StageSpec spec = MinimalStage();
        spec.version = c.version;
        spec.endCode = c.endCode;
        ByteWriter file = StageFile(spec);
        if (c.trailing != 0) {
            file.I32(c.trailing);
        }
        folder.Write(kStagePath, file.Data());
        cEdStage stage;
        EXPECT_EQ(stage.LoadFile(kStagePath), c.loads);
    }
}

TEST_F(cEdStageTest, PaletteListOfOneEntryComesBackWithTwo)
{
    StageSpec spec = MinimalStage();
    spec.paletteBlocks.resize(1);
    spec.paletteBlocks[0].name = "z";
    spec.paletteBlocks[0].graphic = 9;
    spec.paletteBlocks[0].hitKind = 2;
    spec.paletteBlocks[0].conditions.resize(1);
    spec.paletteBlocks[0].conditions[0].kind = 5;
    spec.paletteCharas.clear();
    cEdStage stage;
    ASSERT_EQ(LoadStageSpec(stage, spec), 1);
    ASSERT_EQ(stage.m_PaletteBlock.size(), 2u);
    EXPECT_EQ(stage.m_PaletteBlock[0].m_strName, "");
    EXPECT_EQ(stage.m_PaletteBlock[0].m_nGraphic, 0);
    EXPECT_EQ(stage.m_PaletteBlock[0].m_nPassFaction, 255);
    // Only the record's own members are reset; its condition list stays.
    EXPECT_EQ(stage.m_PaletteBlock[0].m_Condition.size(), 1u);
    EXPECT_EQ(stage.m_PaletteBlock[1].m_nGraphic, 0);
    EXPECT_EQ(stage.m_PaletteChara.size(), 2u);
    EXPECT_EQ(stage.m_PaletteChara[1].m_nController, 1);
}

TEST_F(cEdStageTest, SaveForReplayTakesTheHeaderFromTheOtherStage)
{
    StageSpec played = MinimalStage();
    played.header["m_nTimeLimit"] = 99;
    played.placedBlocks.resize(3);
    cEdStage stage;
    ASSERT_EQ(LoadStageSpec(stage, played), 1);

    StageSpec loaded = MinimalStage();
    loaded.header["m_nTimeLimit"] = 150;
    loaded.text = "header";
    loaded.ranking = {1, 0, 1, 0, 1};
    loaded.texts = {"a", "b"};
    loaded.backgrounds.resize(2);
    loaded.backgrounds[1].layer = 1;
    loaded.offScreen[0].margins = {3, 4, 5, 6};
    cEdStage header;
    ASSERT_EQ(LoadStageSpec(header, loaded), 1);

    FILE* fp = OpenDatSave("replay.stg");
    ASSERT_NE(fp, nullptr);
    EXPECT_EQ(stage.SaveForReplay(fp, header), 1);
    ASSERT_EQ(CloseDat(fp), 1);

    cEdStage replay;
    ASSERT_EQ(replay.LoadFile("replay.stg"), 1);
    EXPECT_EQ(replay.m_nTimeLimit, 150);
    EXPECT_EQ(replay.m_strText, "header");
    EXPECT_EQ(replay.m_Ranking, (cVector<std::int32_t>{1, 0, 1, 0, 1}));
    EXPECT_EQ(replay.m_StageString.size(), 2u);
    EXPECT_EQ(replay.m_Background.size(), 2u);
    EXPECT_EQ(replay.m_OffScreen[0].m_nTop, 5);
    EXPECT_EQ(replay.m_PlacedBlock.size(), 3u);
    EXPECT_EQ(replay.FindHero(), 0);
}

TEST_F(cEdStageTest, FindHeroNeedsThePlayerAndAGraphic)
{
    cEdStage stage;
    EXPECT_EQ(stage.FindHero(), -1);
    stage.m_PlacedChara.resize(3);
    stage.m_PlacedChara[0].m_nGraphic = 4;     // the computer's
    stage.m_PlacedChara[1].m_nController = 0;  // the player's, without graphic
    EXPECT_EQ(stage.HasHero(), 0);
    stage.m_PlacedChara[2].m_nController = 0;
    stage.m_PlacedChara[2].m_nGraphic = 1;
    EXPECT_EQ(stage.FindHero(), 2);
    EXPECT_EQ(stage.HasHero(), 1);
}

}  // namespace
}  // namespace stagetest
