// The save-data record: a new game, the current layout read and written, older versions upgraded
// (one table), the lives rule after loading, and Validate.
#include "project/cSaveData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

#include "SaveDataTestSupport.h"
#include "core/TextHelpers.h"

namespace {

using projecttest::kSaveInts;
using projecttest::SaveDataTest;
using projecttest::SaveInt;
using testsupport::CarryStateSpec;
using testsupport::SaveDataSpec;

using cSaveDataTest = SaveDataTest;

const char* const kSlot0 = "user_data\\story\\Story01.dat";

TEST_F(cSaveDataTest, NewGame)
{
    const cSaveData data;
    for (const SaveInt& member : kSaveInts) {
        const std::string name = member.name;
        EXPECT_EQ(data.*member.member, name == "nWorldOpen" ? 1 : name == "nSlot" ? -1 : 0) << name;
    }
    EXPECT_EQ(data.strName, "aaa");
    EXPECT_EQ(data.strStage, "");
    ASSERT_EQ(data.StageClear.size(), 1000u);
    EXPECT_EQ(data.StageClear[0], 1);
    EXPECT_EQ(std::accumulate(data.StageClear.begin(), data.StageClear.end(), 0), 1);
    EXPECT_EQ(data.Var, cVector<std::int32_t>(256, 0));
    EXPECT_EQ(data.CarryFlag, cVector<std::int32_t>(25, 0));
    EXPECT_EQ(data.CarryChara.size(), 1u);
    EXPECT_TRUE(data.StageBest.empty());
    EXPECT_TRUE(data.WorldRecord.empty());
    EXPECT_EQ(data.nMapEntry, nullptr);
}

// A 720 file in which every value differs from the defaults and from its neighbours, inside the
// ranges Validate keeps (the default world is 20 x 15; 3 worlds).
SaveDataSpec DistinctSpec()
{
    SaveDataSpec spec;
    int k = 0;
    for (const SaveInt& member : kSaveInts) {
        spec.*member.stored = 100 + k++;
    }
    spec.mapX = 19;
    spec.mapY = 14;
    spec.worldOpen = 2;
    spec.stage = Sjis("ステージ\\A03.");
    spec.name = "Bob";
    spec.time = {2023, 11, 2, 14, 21, 5, 9, 250};
    for (int g = 0; g < 25; ++g) {
        spec.carryFlags[g] = g % 3;
    }
    CarryStateSpec hero{11, 12, 13, 14, 15, {}};
    hero.chara.name = Sjis("主人公");
    hero.chara["m_nGraphic"] = 7;
    hero.chara["m_nMaxHp"] = 77;
    hero.chara["m_nDefence"] = 66;
    hero.chara["m_nPresenceMode"] = 2;
    hero.chara.x = 3;
    hero.chara.y = 4;
    hero.chara.placeValue = 5;
    hero.chara.inherit[36] = 1;
    CarryStateSpec second{21, 22, 23, 24, 25, {}};
    second.chara["m_nScale"] = 4;
    spec.carryStates = {hero, second};
    spec.stageBests = {{"stg\\W01.", 500}, {Sjis("面\\B-2."), 300}};
    spec.worldRecords = {{1, 900}, {0, 0}, {1, 40}};
    for (int i = 0; i < 1000; ++i) {
        spec.stageClear[i] = i % 7 == 0 ? 1 : 0;
    }
    for (int i = 0; i < 256; ++i) {
        spec.vars[i] = i * 3 - 100;
    }
    return spec;
}

TEST_F(cSaveDataTest, ReadsEveryStoredValueAndSavesTheSameBytes)
{
    const SaveDataSpec spec = DistinctSpec();
    WriteSave(kSlot0, spec);
    cSaveData data;
    ASSERT_EQ(data.LoadFile(kSlot0), 1);

    for (const SaveInt& member : kSaveInts) {
        EXPECT_EQ(data.*member.member, spec.*member.stored) << member.name;
    }
    EXPECT_EQ(data.strStage, spec.stage);
    EXPECT_EQ(data.strName, "Bob");
    const SAVETIME t = data.stTime;
    EXPECT_EQ(
        std::vector<int>({t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds}),
        std::vector<int>({2023, 11, 2, 14, 21, 5, 9, 250}));
    EXPECT_EQ(std::vector<int>(data.CarryFlag.begin(), data.CarryFlag.end()), spec.carryFlags);
    ASSERT_EQ(data.CarryChara.size(), 2u);
    const cCharaCarryState& hero = data.CarryChara[0];
    EXPECT_EQ(std::vector<int>({hero.nHp, hero.nSp, hero.nTime, hero.nLives, hero.nBgm}),
              std::vector<int>({11, 12, 13, 14, 15}));
    EXPECT_EQ(hero.Chara.m_strName, Sjis("主人公"));
    EXPECT_EQ(hero.Chara.m_nGraphic, 7);
    EXPECT_EQ(hero.Chara.m_nMaxHp, 77);
    EXPECT_EQ(hero.Chara.m_nDefence, 66);
    EXPECT_EQ(hero.Chara.m_nPresenceMode, 2);
    EXPECT_EQ(hero.Chara.m_nZ, 3);
    EXPECT_EQ(hero.Chara.m_nX, 3);
    EXPECT_EQ(hero.Chara.m_nY, 4);
    EXPECT_EQ(hero.Chara.m_nPlaceValue, 5);
    EXPECT_EQ(hero.Chara.m_Inherit[36], 1);
    EXPECT_EQ(data.CarryChara[1].nBgm, 25);
    EXPECT_EQ(data.CarryChara[1].Chara.m_nScale, 4);
    ASSERT_EQ(data.StageBest.size(), 2u);
    EXPECT_EQ(data.StageBest[1].strName, Sjis("面\\B-2."));
    EXPECT_EQ(data.StageBest[1].nValue, 300);
    ASSERT_EQ(data.WorldRecord.size(), 3u);
    EXPECT_EQ(std::pair(data.WorldRecord[0].first, data.WorldRecord[0].second), std::pair(1, 900));
    EXPECT_EQ(std::pair(data.WorldRecord[2].first, data.WorldRecord[2].second), std::pair(1, 40));
    EXPECT_EQ(std::vector<int>(data.StageClear.begin(), data.StageClear.end()), spec.stageClear);
    EXPECT_EQ(std::vector<int>(data.Var.begin(), data.Var.end()), spec.vars);

    const testsupport::ByteWriter expected = testsupport::SaveDataFile(spec);
    EXPECT_EQ(SavedBytes(data), std::string(expected.Data().begin(), expected.Data().end()));
}

TEST_F(cSaveDataTest, TheStoredMapEntryIsDropped)
{
    SaveDataSpec spec = NewGameSpec();
    spec.mapEntry = 0x12345678;
    WriteSave(kSlot0, spec);
    cSaveData data;
    data.nMapEntry = &WorldMap.NodeTemplate[0].Entry[0];
    ASSERT_EQ(data.LoadFile(kSlot0), 1);
    EXPECT_EQ(data.nMapEntry, nullptr);
    const std::string saved = SavedBytes(data);
    std::int32_t stored = -1;
    std::memcpy(&stored, saved.data() + 4 + 4 + 3 * 4, 4);  // version, count, three members
    EXPECT_EQ(stored, 0);
}

// Members an older file lacks: the upgrade gives them the old behaviour's value, the members of
// 678 and 679 keep what the record held before the load; the carry flags of files up to 500 are
// all set. The carry record, bests and variables after the head are read in place in every case.
struct VersionCase {
    int version;
    int stageBgmLoop, autoSave, runValue3, runValue4, mapDir, mapEntered, mapEnterX, mapEnterY;
    int carryFlag, startPos, startX, startDir;
};

class cSaveDataVersionTest : public SaveDataTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(cSaveDataVersionTest, OlderFilesAreUpgraded)
{
    const VersionCase c = GetParam();
    SaveDataSpec spec = NewGameSpec();
    spec.stageBgmLoop = 5;
    spec.autoSave = 6;
    spec.runValue3 = 7;
    spec.runValue4 = 8;
    spec.mapDir = 9;
    spec.mapEntered = 10;
    spec.mapEnterX = 11;
    spec.mapEnterY = 12;
    spec.startPos = 13;
    spec.startX = 14;
    spec.startY = 15;
    spec.startDir = 16;
    spec.runScore = 4321;
    spec.carryFlags.assign(25, 2);
    spec.carryStates[0].bgm = 4;
    spec.carryStates[0].chara["m_nMaxHp"] = 77;
    spec.carryStates[0].chara["m_nPresenceMode"] = 2;
    spec.stageBests = {{"k.", 55}};
    spec.vars[255] = -9;
    WriteSave(kSlot0, spec, c.version);

    SaveData.bStageBgmLoop = 31;
    SaveData.bStartPos = 21;
    SaveData.nStartX = 22;
    SaveData.nStartY = 23;
    SaveData.nStartDir = 24;
    ASSERT_EQ(SaveData.LoadSlot(0), 1);

    EXPECT_EQ(SaveData.bStageBgmLoop, c.stageBgmLoop);
    EXPECT_EQ(SaveData.bAutoSave, c.autoSave);
    EXPECT_EQ(SaveData.nRunValue3, c.runValue3);
    EXPECT_EQ(SaveData.nRunValue4, c.runValue4);
    EXPECT_EQ(SaveData.nMapDir, c.mapDir);
    EXPECT_EQ(SaveData.bMapEntered, c.mapEntered);
    EXPECT_EQ(SaveData.nMapEnterX, c.mapEnterX);
    EXPECT_EQ(SaveData.nMapEnterY, c.mapEnterY);
    EXPECT_EQ(SaveData.CarryFlag, cVector<std::int32_t>(25, c.carryFlag));
    EXPECT_EQ(SaveData.bStartPos, c.startPos);
    EXPECT_EQ(SaveData.nStartX, c.startX);
    EXPECT_EQ(SaveData.nStartDir, c.startDir);

    EXPECT_EQ(SaveData.nRunScore, 4321);
    EXPECT_EQ(SaveData.strName, "aaa");
    EXPECT_EQ(SaveData.CarryChara[0].nBgm, 4);
    EXPECT_EQ(SaveData.CarryChara[0].Chara.m_nMaxHp, 77);
    EXPECT_EQ(SaveData.CarryChara[0].Chara.m_nPresenceMode, 2);
    ASSERT_EQ(SaveData.StageBest.size(), 1u);
    EXPECT_EQ(SaveData.StageBest[0].nValue, 55);
    EXPECT_EQ(SaveData.Var[255], -9);
}

INSTANTIATE_TEST_SUITE_P(Versions, cSaveDataVersionTest,
                         ::testing::Values(
                             //         ver  loop auto rv3 rv4 dir ent  ex  ey  flag pos  sx  sdir
                             VersionCase{165, 1, 0, 0, 0, 0, 0, 0, 0, 1, 21, 22, 24},
                             VersionCase{166, 5, 0, 0, 0, 0, 0, 0, 0, 1, 21, 22, 24},
                             VersionCase{169, 5, 6, 0, 0, 0, 0, 0, 0, 1, 21, 22, 24},
                             VersionCase{170, 5, 6, 0, 0, 0, 0, 0, 0, 1, 21, 22, 24},
                             VersionCase{182, 5, 6, 7, 8, 0, 0, 0, 0, 1, 21, 22, 24},
                             VersionCase{190, 5, 6, 7, 8, 0, 10, 0, 0, 1, 21, 22, 24},
                             VersionCase{191, 5, 6, 7, 8, 0, 10, 11, 12, 1, 21, 22, 24},
                             VersionCase{194, 5, 6, 7, 8, 9, 10, 11, 12, 1, 21, 22, 24},
                             VersionCase{500, 5, 6, 7, 8, 9, 10, 11, 12, 1, 21, 22, 24},
                             VersionCase{501, 5, 6, 7, 8, 9, 10, 11, 12, 2, 21, 22, 24},
                             VersionCase{678, 5, 6, 7, 8, 9, 10, 11, 12, 2, 13, 14, 24},
                             VersionCase{679, 5, 6, 7, 8, 9, 10, 11, 12, 2, 13, 14, 16},
                             VersionCase{720, 5, 6, 7, 8, 9, 10, 11, 12, 2, 13, 14, 16}),
                         [](const auto& info) { return "v" + std::to_string(info.param.version); });

struct LivesCase {
    const char* what;
    bool challenge;
    int unlimited;
    int storedLives, storedStartLives;
    int lives, startLives;
};

class cSaveDataLivesTest : public SaveDataTest, public ::testing::WithParamInterface<LivesCase> {};

// Story slots follow the settings of play kind 0, the challenge record those of kind 1.
TEST_P(cSaveDataLivesTest, LivesRuleAfterLoading)
{
    const LivesCase c = GetParam();
    SystemData.LivesTable[0] = 5;
    SystemData.LivesTable[1] = 7;
    SystemData.UnlimitedLivesTable[0] = c.challenge ? 1 - c.unlimited : c.unlimited;
    SystemData.UnlimitedLivesTable[1] = c.challenge ? c.unlimited : 1 - c.unlimited;
    SaveDataSpec spec = NewGameSpec();
    spec.lives = c.storedLives;
    spec.startLives = c.storedStartLives;
    WriteSave(c.challenge ? "user_data\\challenge\\Challenge.dat" : kSlot0, spec);

    ASSERT_EQ(c.challenge ? SaveData.LoadChallenge() : SaveData.LoadSlot(0), 1);
    EXPECT_EQ(SaveData.nLives, c.lives);
    EXPECT_EQ(SaveData.nStartLives, c.startLives);
}

INSTANTIATE_TEST_SUITE_P(PlayKinds, cSaveDataLivesTest,
                         ::testing::Values(LivesCase{"story_unlimited", false, 1, 3, 4, 999999, 999999},
                                           LivesCase{"story_saved_unlimited", false, 0, 999999, 4, 5, 4},
                                           LivesCase{"story_counted", false, 0, 3, 4, 3, 4},
                                           LivesCase{"challenge_unlimited", true, 1, 3, 4, 999999, 999999},
                                           LivesCase{"challenge_saved_unlimited", true, 0, 999999, 999999, 7, 999999}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(cSaveDataTest, ValidateMovesTheMapPositionIntoTheWorldMap)
{
    struct PositionCase {
        int x, y, expectedX, expectedY;
    };
    for (PositionCase c : {PositionCase{20, 3, 9, 3}, PositionCase{-1, 3, 9, 3}, PositionCase{19, 14, 19, 14},
                           PositionCase{5, 15, 5, 7}, PositionCase{5, -2, 5, 7}}) {
        cSaveData data;
        data.nMapX = c.x;
        data.nMapY = c.y;
        data.Validate();
        EXPECT_EQ(std::pair(data.nMapX, data.nMapY), std::pair(c.expectedX, c.expectedY)) << c.x << "," << c.y;
    }
}

TEST_F(cSaveDataTest, ValidateSizesTheWorldRecordsToTheWorldCount)
{
    cSaveData data;
    data.WorldRecord = {cIntPair(1, 10), cIntPair(1, 20), cIntPair(0, 30), cIntPair(1, 40), cIntPair(1, 50)};
    data.nWorldOpen = 5;
    data.Validate();
    ASSERT_EQ(data.WorldRecord.size(), 3u);
    EXPECT_EQ(data.WorldRecord[2].second, 30);
    EXPECT_EQ(data.nWorldOpen, 3);

    data.WorldRecord = {cIntPair(1, 10)};
    data.nWorldOpen = 2;
    data.Validate();
    ASSERT_EQ(data.WorldRecord.size(), 3u);
    EXPECT_EQ(data.WorldRecord[0].second, 10);
    EXPECT_EQ(std::pair(data.WorldRecord[2].first, data.WorldRecord[2].second), std::pair(0, 0));
    EXPECT_EQ(data.nWorldOpen, 2);

    SystemData.nWorldCount = -4;
    data.Validate();
    EXPECT_TRUE(data.WorldRecord.empty());
}

// Lists shorter than their users index are padded; the stored entries stay.
TEST_F(cSaveDataTest, ShortListsArePaddedAfterLoading)
{
    SaveDataSpec spec = NewGameSpec();
    spec.carryFlags = {1, 1};
    spec.carryStates.clear();
    spec.stageClear = {1, 0, 1};
    spec.vars = {5, 6};
    WriteSave(kSlot0, spec);
    cSaveData data;
    ASSERT_EQ(data.LoadFile(kSlot0), 1);
    ASSERT_EQ(data.CarryFlag.size(), 25u);
    EXPECT_EQ(data.CarryFlag[1], 1);
    EXPECT_EQ(data.CarryFlag[2], 0);
    EXPECT_EQ(data.CarryChara.size(), 1u);
    ASSERT_EQ(data.StageClear.size(), 1000u);
    EXPECT_EQ(data.StageClear[2], 1);
    EXPECT_EQ(data.StageClear[999], 0);
    ASSERT_EQ(data.Var.size(), 256u);
    EXPECT_EQ(data.Var[1], 6);
    EXPECT_EQ(data.Var[255], 0);
}

TEST_F(cSaveDataTest, AssignmentCopiesEveryMemberAndList)
{
    const SaveDataSpec spec = DistinctSpec();
    WriteSave(kSlot0, spec);
    ASSERT_EQ(SaveData.LoadFile(kSlot0), 1);
    SaveData.nMapEntry = &WorldMap.NodeTemplate[0].Entry[0];
    SaveData.RetryVar = {1, 2, 3};
    SaveDataAtStartPrev = SaveDataAtStart;
    SaveDataAtStart = SaveData;
    EXPECT_EQ(SaveDataAtStart.nMapEntry, SaveData.nMapEntry);
    EXPECT_EQ(SaveDataAtStart.RetryVar, SaveData.RetryVar);
    EXPECT_EQ(SaveDataAtStart.CarryChara[0].Chara.m_nMaxHp, 77);
    EXPECT_EQ(SavedBytes(SaveDataAtStart), SavedBytes(SaveData));
}

}  // namespace
