// The save data's files: slot file names, story slots and the challenge record written and read
// back, the slot list, a save that fails before its rename, and malformed files.
#include <gtest/gtest.h>

#include "SaveDataTestSupport.h"
#include "core/ReportLog.h"
#include "platform/win/Files.h"
#include "platform/win/Time.h"
#include "project/SaveSlotMarks.h"
#include "project/cSaveData.h"
#include "project/cSaveSlot.h"

namespace {

using projecttest::SaveDataTest;
using testsupport::ByteWriter;
using testsupport::SaveDataSpec;

using cSaveDataFilesTest = SaveDataTest;

const char* const kChallenge = "user_data\\challenge\\Challenge.dat";

std::string SlotFile(int n)
{
    std::string path;
    SaveSlotFileName(path, n);
    return path;
}

TEST_F(cSaveDataFilesTest, SlotFileNames)
{
    EXPECT_EQ(SlotFile(8), "user_data\\story\\Story09.dat");
    EXPECT_EQ(SlotFile(0), "user_data\\story\\Story01.dat");
    EXPECT_EQ(SlotFile(98), "user_data\\story\\Story99.dat");
}

// A run in progress with values in every part of the record.
void PlaySomething(cSaveData& data)
{
    data.Validate();  // the world records of the project's 3 worlds
    data.nMapX = 4;
    data.nMapY = 5;
    data.nLap = 1;
    data.nLives = 3;
    data.nStartLives = 3;
    data.nRunScore = 1234;
    data.StageClear[12] = 1;
    data.Var[200] = -5;
    data.SetStageFile("stg\\W02-1.stg4");
    data.SetHighScore(data.strStage, 700);
    data.WorldRecord[1] = cIntPair(1, 650);
    data.nSlot = 2;
    data.bAutoSave = 1;
    data.strName = "Zed";
    data.nStartDir = 1;
}

// The stamp comes from the stand-in's clock: on the virtual clock, day 0 is Saturday 2000-01-01.
TEST_F(cSaveDataFilesTest, TheSaveTimeIsReadFromTheStandInClock)
{
    constexpr DWORD kDay = 24 * 60 * 60 * 1000;
    UseVirtualClock(true, 31 * kDay + ((2 * 60 + 3) * 60 + 4) * 1000 + 5);
    PlaySomething(SaveData);
    const int saved = SaveData.SaveSlot(2);
    UseVirtualClock(false);
    ASSERT_EQ(saved, 1);
    const SAVETIME expected{2000, 2, 2, 1, 2, 3, 4, 5};  // Tuesday 1 February, 02:03:04.005
    EXPECT_EQ(SaveData.stTime, expected);
    EXPECT_EQ(SaveSlotList[2].stTime, expected);
}

TEST_F(cSaveDataFilesTest, AStorySlotIsWrittenAndReadBack)
{
    SystemData.UnlimitedLivesTable[0] = 0;
    PlaySomething(SaveData);
    ASSERT_EQ(SaveData.SaveSlot(2), 1);
    EXPECT_TRUE(folder.Exists("user_data\\story\\Story03.dat"));
    EXPECT_FALSE(folder.Exists("user_data\\story\\Story03.dat.tmp"));
    EXPECT_EQ(SaveSlotList[2].bExist, 1);
    EXPECT_EQ(SaveSlotList[2].stTime, SaveData.stTime);
    EXPECT_NE(SaveData.stTime.wYear, 0);
    EXPECT_EQ(SaveSlotList[1].bExist, 0);

    cSaveData loaded;
    ASSERT_EQ(loaded.LoadSlot(2), 1);
    EXPECT_EQ(SavedBytes(loaded), SavedBytes(SaveData));
    EXPECT_EQ(loaded.strStage, "stg\\W02.");
    EXPECT_EQ(loaded.GetHighScore("stg\\W02."), 700);
    EXPECT_EQ(loaded.nRunScore, 1234);
}

TEST_F(cSaveDataFilesTest, TheChallengeRecordIsWrittenAndReadBack)
{
    SystemData.UnlimitedLivesTable[1] = 0;
    PlaySomething(SaveData);
    ASSERT_EQ(SaveData.SaveFile(kChallenge), 1);
    cSaveData loaded;
    ASSERT_EQ(loaded.LoadChallenge(), 1);
    EXPECT_EQ(SavedBytes(loaded), SavedBytes(SaveData));
    EXPECT_EQ(loaded.WorldRecord[1].second, 650);
}

TEST_F(cSaveDataFilesTest, ASlotOutsideTheListIsABadIndexAndWritesNothing)
{
    EXPECT_EQ(SaveData.SaveSlot(-1), 0);
    EXPECT_EQ(SaveData.SaveSlot(99), 0);
    EXPECT_EQ(TakeCloseRequests(), 2);
    EXPECT_FALSE(folder.Exists("user_data\\story\\Story00.dat"));
    EXPECT_FALSE(folder.Exists("user_data\\story\\Story100.dat"));
}

TEST_F(cSaveDataFilesTest, MissingFilesLeaveTheRecordAsItWas)
{
    PlaySomething(SaveData);
    SaveData.nLives = 999999;
    const std::string before = SavedBytes(SaveData);
    EXPECT_EQ(SaveData.LoadSlot(5), 0);
    EXPECT_EQ(SaveData.LoadChallenge(), 0);
    EXPECT_EQ(SavedBytes(SaveData), before);
    EXPECT_EQ(SaveData.nLives, 999999);
}

// The rename that replaces the slot file fails: the previous save stays whole, the slot list and
// the record's time stamp are as they were, no temporary file is left, the failure is reported.
TEST_F(cSaveDataFilesTest, ASaveInterruptedBeforeItsRenameKeepsThePreviousSave)
{
    SaveDataSpec previous = NewGameSpec();
    previous.runScore = 4242;
    previous.time = {2020, 1, 3, 2, 10, 30, 0, 0};
    WriteSave(SlotFile(3), previous);
    const std::string previousBytes = folder.Read(SlotFile(3));
    MakeSaveSlotList(SaveSlotList);
    const SAVETIME listed = SaveSlotList[3].stTime;
    ASSERT_EQ(listed.wYear, 2020);

    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    PlaySomething(SaveData);
    const SAVETIME stamp = SaveData.stTime;
    AddFileFailureForTest(SlotFile(3).c_str());
    EXPECT_EQ(SaveData.SaveSlot(3), 0);
    ClearFileFailuresForTest();

    EXPECT_EQ(folder.Read(SlotFile(3)), previousBytes);
    EXPECT_FALSE(folder.Exists(SlotFile(3) + ".tmp"));
    EXPECT_EQ(SaveSlotList[3].bExist, 1);
    EXPECT_EQ(SaveSlotList[3].stTime, listed);
    EXPECT_EQ(SaveData.stTime, stamp);
    EXPECT_NE(folder.Read("Report_Game.txt").find("slot 4"), std::string::npos);

    cSaveData reread;
    ASSERT_EQ(reread.LoadSlot(3), 1);
    EXPECT_EQ(reread.nRunScore, 4242);
}

TEST_F(cSaveDataFilesTest, TheSlotListShowsTheSlotsThatCanBeRead)
{
    SaveDataSpec first = NewGameSpec();
    first.time = {2024, 3, 2, 5, 7, 9, 1, 2};
    WriteSave(SlotFile(0), first);
    SaveDataSpec old = NewGameSpec();
    old.time = {2009, 12, 4, 31, 23, 59, 0, 0};
    WriteSave(SlotFile(5), old, 300);
    folder.Write(SlotFile(7), std::string("\xD0\x02\x00\x00garbage", 11));
    SaveSlotList[9].bExist = 1;  // from an earlier listing; the file is gone since

    MakeSaveSlotList(SaveSlotList);
    for (int n = 0; n < kSaveSlotCount; ++n) {
        const int want = n == 0 || n == 5 ? 1 : n == 7 ? kSlotUnreadable : 0;
        EXPECT_EQ(SaveSlotList[n].bExist, want) << n;
    }
    const std::vector<SAVESLOTROW> rows = BuildSaveSlotRows(SaveSlotList, 5, 4);
    EXPECT_EQ(rows[0].strTime.rfind("2009/12/31 23:59", 0), 0u) << rows[0].strTime;
    EXPECT_EQ(rows[1].strTime, "");
    EXPECT_EQ(rows[2].strTime, kUnreadableSlotText);
    EXPECT_EQ(SaveSlotList[0].stTime.wYear, 2024);
    EXPECT_EQ(SaveSlotList[0].stTime.wMinute, 9);
    EXPECT_EQ(SaveSlotList[5].stTime.wDay, 31);
}

// A slot file with a member too many (flipped bytes in its count): continuing from it is
// refused without closing the program, the file is kept, and the next save into the slot sets
// it aside before writing.
TEST_F(cSaveDataFilesTest, ADamagedSlotIsKeptAndSetAsideByTheNextSave)
{
    const ByteWriter whole = testsupport::SaveDataFile(NewGameSpec());
    std::vector<std::uint8_t> bytes = whole.Data();
    bytes[4] += 1;  // the member count, just after the version
    bytes.insert(bytes.end(), 64, 0);
    folder.Write(SlotFile(3), bytes);
    const std::string damaged(bytes.begin(), bytes.end());

    MakeSaveSlotList(SaveSlotList);
    EXPECT_EQ(SaveSlotList[3].bExist, kSlotUnreadable);
    EXPECT_EQ(SaveData.LoadSlot(3), 0);
    EXPECT_EQ(TakeCloseRequests(), 0);
    EXPECT_EQ(folder.Read(SlotFile(3)), damaged);

    SaveData.Reset();
    ASSERT_EQ(SaveData.SaveSlot(3), 1);
    EXPECT_EQ(folder.Read(SlotFile(3) + ".damaged"), damaged);
    EXPECT_EQ(SaveData.LoadSlot(3), 1);
    MakeSaveSlotList(SaveSlotList);
    EXPECT_EQ(SaveSlotList[3].bExist, 1);
    EXPECT_EQ(TakeCloseRequests(), 0);
}

// Every shorter prefix of a slot file, and counts and lengths that the file cannot hold, are
// refused without reading past the end; the record being played stays as it was.
TEST_F(cSaveDataFilesTest, MalformedSlotFilesAreRefused)
{
    SaveDataSpec spec = NewGameSpec();
    spec.stageBests = {{"a.", 1}};
    spec.stage = "stage.";
    const ByteWriter whole = testsupport::SaveDataFile(spec);
    PlaySomething(SaveData);
    const std::string before = SavedBytes(SaveData);

    for (std::size_t n = 4; n < whole.Size(); n += n < 600 ? 1 : 41) {
        ByteWriter cut;
        for (std::uint8_t b : whole.Truncated(n)) {
            cut.U8(b);
        }
        folder.Write(SlotFile(0), cut.Data());
        ASSERT_EQ(SaveData.LoadSlot(0), 0) << n << " bytes";
    }
    EXPECT_EQ(SavedBytes(SaveData), before);

    auto withHead = [](std::int32_t rawCount, std::int32_t stringLength) {
        ByteWriter b;
        b.I32(720).I32(rawCount);
        for (int i = 0; i < 32; ++i) {
            b.I32(0);
        }
        b.I32(2).I32(stringLength).I32(1);
        return b;
    };
    const std::vector<ByteWriter> broken = {
        withHead(1000, 1),         // more members than the file holds
        withHead(-1, 1),           // negative count
        withHead(32, 0),           // string length below 1
        withHead(32, 0x7FFFFFFF),  // string longer than the file
        withHead(32, 1).U16(0).U16(0).U16(0).U16(0).U16(0).U16(0).U16(0).U16(0).I32(0x40000000),
        withHead(32, 1).U16(0).U16(0).U16(0).U16(0).U16(0).U16(0).U16(0).U16(0).I32(-25),
    };
    for (std::size_t i = 0; i < broken.size(); ++i) {
        folder.Write(SlotFile(0), broken[i].Data());
        EXPECT_EQ(SaveData.LoadSlot(0), 0) << "case " << i;
    }
    EXPECT_EQ(SavedBytes(SaveData), before);
    EXPECT_EQ(TakeCloseRequests(), 0);
}

}  // namespace
