#include "input/cReplay.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/RecordFile.h"
#include "definitions/DefinitionContext.h"
#include "definitions/cEdCommonPalette.h"
#include "input/ReplayFileName.h"
#include "platform/win/Files.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "project/cWorldMap.h"
#include "support/ByteWriter.h"
#include "support/GameFolder.h"
#include "support/GameGlobals.h"
#include "support/SaveDataWriter.h"
#include "support/StageWriter.h"
#include "support/TestMainWindow.h"

namespace {

using testsupport::ByteWriter;

// The replay record's sections as a file holds them.
struct RecordSpec {
    std::int32_t seed = 0;
    std::vector<std::int16_t> dirWords;
    std::vector<std::int16_t> buttonWords;
    std::vector<std::int32_t> dirRuns;
    std::vector<std::int32_t> buttonRuns;
};

void WriteRecordPart(ByteWriter& w, const RecordSpec& r)
{
    w.I32(1).I32(r.seed).I32(0);
    w.U32(static_cast<std::uint32_t>(r.dirWords.size()));
    for (std::int16_t v : r.dirWords) {
        w.I16(v);
    }
    w.U32(static_cast<std::uint32_t>(r.buttonWords.size()));
    for (std::int16_t v : r.buttonWords) {
        w.I16(v);
    }
    w.U32(static_cast<std::uint32_t>(r.dirRuns.size()));
    for (std::int32_t v : r.dirRuns) {
        w.I32(v);
    }
    w.U32(static_cast<std::uint32_t>(r.buttonRuns.size()));
    for (std::int32_t v : r.buttonRuns) {
        w.I32(v);
    }
}

// The bytes of a writer without the int32 version at its head.
ByteWriter WithoutVersion(const ByteWriter& file)
{
    ByteWriter w;
    for (std::size_t i = 4; i < file.Size(); ++i) {
        w.U8(file.Data()[i]);
    }
    return w;
}

// Where the sections of a written replay file lie.
struct Layout {
    std::size_t stageEnd;   // first byte after the stage's end code
    std::size_t recordEnd;  // first byte after the button runs
    std::size_t size;
};

struct ReplayFile {
    ByteWriter bytes;
    Layout layout{};
};

// A replay file: version, stage, record, snapshot (from version 173).
ReplayFile BuildReplayFile(const testsupport::StageSpec& stage, const RecordSpec& record,
                           const testsupport::SaveDataSpec& save, int version = 720)
{
    ReplayFile file;
    file.bytes.I32(version);
    testsupport::StageSpec versioned = stage;
    versioned.version = version;
    file.bytes.Append(WithoutVersion(testsupport::StageFile(versioned)));
    file.layout.stageEnd = file.bytes.Size();
    WriteRecordPart(file.bytes, record);
    file.layout.recordEnd = file.bytes.Size();
    if (version > 172) {
        file.bytes.Append(WithoutVersion(testsupport::SaveDataFile(save, version)));
    }
    file.layout.size = file.bytes.Size();
    return file;
}

RecordSpec SampleRecord()
{
    RecordSpec r;
    r.seed = 20261210;
    r.dirWords = {0, 2, 0};
    r.dirRuns = {10, 5, 3};
    r.buttonWords = {0, 1};
    r.buttonRuns = {12, 6};
    return r;
}

testsupport::SaveDataSpec SampleSave()
{
    testsupport::SaveDataSpec save;
    save.lives = 7;
    save.runScore = 4321;
    save.vars[5] = 55;
    return save;
}

testsupport::StageSpec SampleStage()
{
    testsupport::StageSpec stage = testsupport::MinimalStage();
    stage.header["m_nTimeLimit"] = 321;
    return stage;
}

const char* const kReplayPath = "user_data\\rpl4\\abc_00.rpl4_720";

class ReplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        nDataVersion = kCurrentDataVersion;
        bRemoveCR = 1;
        testsupport::ResetGameGlobals();
        DefinitionContext.nTableCount.fill(5);
        folder.Write("data\\CommonPalette.cplt4",
                     testsupport::CommonPaletteFile(testsupport::MinimalCommonPalette()).Data());
        ASSERT_EQ(CommonPalette.LoadFile("data\\CommonPalette.cplt4"), 1);
        for (cEdStage* stage : {&Stage, &StageBackup}) {
            stage->m_strPath = "before";
        }
        Stage.m_nTimeLimit = 77;
        StageBackup.m_nTimeLimit = 78;
        SaveData.nLives = 42;
        Replay.Clear();
        Replay.nSeed = 99;
        Replay.Record(8, 1);
        Replay.Record(8, 1);
        Replay.nDirRunPos = 1;
        std::filesystem::create_directories(folder.Host("user_data/rpl4"));
    }
    void TearDown() override
    {
        ClearFileFailuresForTest();
        Replay.Clear();
        testsupport::ResetGameGlobals();
        bRemoveCR = 0;
    }

    // The live state is as SetUp made it.
    void ExpectLiveStateUntouched()
    {
        EXPECT_EQ(Replay.nSeed, 99);
        EXPECT_EQ(Replay.dirValues, (cVector<std::int16_t>{8}));
        EXPECT_EQ(Replay.dirRuns, (cVector<std::int32_t>{2}));
        EXPECT_EQ(Replay.nDirRunPos, 1);
        EXPECT_EQ(Stage.m_nTimeLimit, 77);
        EXPECT_EQ(Stage.m_strPath, "before");
        EXPECT_EQ(StageBackup.m_nTimeLimit, 78);
        EXPECT_EQ(SaveData.nLives, 42);
        EXPECT_EQ(window.TakePosted(WM_CLOSE), 0);
    }

    testsupport::GameFolder folder;
    testsupport::TestMainWindow window;
};

TEST_F(ReplayTest, RecordingKeepsRunsAndPlaysBackFrameForFrame)
{
    cReplay replay;
    for (int f = 0; f < 15; ++f) {
        replay.Record(f < 10 ? 0 : 2, 0);
    }
    EXPECT_EQ(replay.dirValues, (cVector<std::int16_t>{0, 2}));
    EXPECT_EQ(replay.dirRuns, (cVector<std::int32_t>{10, 5}));
    EXPECT_EQ(replay.buttonValues, (cVector<std::int16_t>{0}));
    EXPECT_EQ(replay.buttonRuns, (cVector<std::int32_t>{15}));

    // The streams are independent: a button change starts no direction entry.
    replay.Record(2, 4);
    EXPECT_EQ(replay.dirRuns, (cVector<std::int32_t>{10, 6}));
    EXPECT_EQ(replay.buttonRuns, (cVector<std::int32_t>{15, 1}));

    std::vector<std::int16_t> dirs;
    std::vector<std::int16_t> buttons;
    std::int16_t dir = -1;
    std::int16_t button = -1;
    while (replay.Play(dir, button) == 0 && dirs.size() < 100) {
        dirs.push_back(dir);
        buttons.push_back(button);
    }
    ASSERT_EQ(dirs.size(), 16u);  // the 17th call reports the end and writes nothing
    for (int f = 0; f < 16; ++f) {
        EXPECT_EQ(dirs[static_cast<std::size_t>(f)], f < 10 ? 0 : 2) << f;
        EXPECT_EQ(buttons[static_cast<std::size_t>(f)], f < 15 ? 0 : 4) << f;
    }
    EXPECT_EQ(replay.Play(dir, button), 1);

    // A copy takes the streams and the seed and keeps its own playback position.
    cReplay copy;
    copy.nDirIndex = 1;
    replay.nSeed = 5;
    copy = replay;
    EXPECT_EQ(copy.nSeed, 5);
    EXPECT_EQ(copy.dirRuns, replay.dirRuns);
    EXPECT_EQ(copy.nDirIndex, 1);
    copy.Clear();
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.nSeed, 0);
    EXPECT_EQ(copy.nDirIndex, 0);
}

TEST_F(ReplayTest, ASoundFileReplacesStageRecordAndSaveData)
{
    const ReplayFile file = BuildReplayFile(SampleStage(), SampleRecord(), SampleSave());
    folder.Write(kReplayPath, file.bytes.Data());
    ASSERT_EQ(Replay.LoadFile(kReplayPath, &StageBackup, SaveData), 1);

    EXPECT_EQ(Replay.nSeed, 20261210);
    EXPECT_EQ(Replay.dirValues, (cVector<std::int16_t>{0, 2, 0}));
    EXPECT_EQ(Replay.dirRuns, (cVector<std::int32_t>{10, 5, 3}));
    EXPECT_EQ(Replay.buttonValues, (cVector<std::int16_t>{0, 1}));
    EXPECT_EQ(Replay.buttonRuns, (cVector<std::int32_t>{12, 6}));
    EXPECT_EQ(Replay.nDirRunPos, 1);  // playback positions are the stage start's to reset

    EXPECT_EQ(Stage.m_nTimeLimit, 321);
    EXPECT_EQ(Stage.m_strPath, kReplayPath);
    EXPECT_EQ(Stage.FindHero(), 0);
    EXPECT_EQ(StageBackup.m_nTimeLimit, 321);
    EXPECT_TRUE(StageBackup.m_PlacedChara.empty());
    EXPECT_TRUE(StageBackup.m_PaletteBlock.empty());

    EXPECT_EQ(SaveData.nLives, 7);
    EXPECT_EQ(SaveData.nRunScore, 4321);
    EXPECT_EQ(SaveData.Var[5], 55);
    EXPECT_EQ(window.TakePosted(WM_CLOSE), 0);
}

TEST_F(ReplayTest, AnOldFileWithoutSnapshotKeepsTheSaveData)
{
    const ReplayFile file = BuildReplayFile(SampleStage(), SampleRecord(), SampleSave(), 172);
    folder.Write(kReplayPath, file.bytes.Data());
    ASSERT_EQ(Replay.LoadFile(kReplayPath, &StageBackup, SaveData), 1);
    EXPECT_EQ(Replay.nSeed, 20261210);
    EXPECT_EQ(SaveData.nLives, 42);
}

TEST_F(ReplayTest, ASavedReplayHasTheFileLayoutAndReadsBack)
{
    ByteWriter stageFile = testsupport::StageFile(SampleStage());
    folder.Write("data\\s.stg4", stageFile.Data());
    ASSERT_EQ(Stage.LoadFile("data\\s.stg4"), 1);
    StageBackup.CopyHeader(Stage);

    cReplay replay;
    replay.nSeed = -12345;
    for (std::int16_t w : {1, 1, 1, 4, 4, 1}) {
        replay.Record(w, static_cast<std::int16_t>(w * 16));
    }
    cSaveData snapshot;
    snapshot.nLives = 9;
    ASSERT_EQ(replay.SaveFile(kReplayPath, Stage, StageBackup, snapshot), 1);
    const std::string saved = folder.Read("user_data/rpl4/abc_00.rpl4_720");

    // The stage part as the stage writes it for a replay.
    FILE* fp = OpenDatSave("stage_part.bin");
    ASSERT_NE(fp, nullptr);
    ASSERT_EQ(Stage.SaveForReplay(fp, StageBackup), 1);
    ASSERT_EQ(CloseDat(fp), 1);
    const std::string stagePart = folder.Read("stage_part.bin").substr(4);

    ByteWriter record;
    WriteRecordPart(record, RecordSpec{-12345, {1, 4, 1}, {16, 64, 16}, {3, 2, 1}, {3, 2, 1}});
    ASSERT_GT(saved.size(), 4 + stagePart.size() + record.Size());
    EXPECT_EQ(saved.substr(0, 4), std::string("\xD0\x02\0\0", 4));
    EXPECT_EQ(saved.substr(4, stagePart.size()), stagePart);
    EXPECT_EQ(saved.substr(4 + stagePart.size(), record.Size()),
              std::string(record.Data().begin(), record.Data().end()));

    ASSERT_EQ(Replay.LoadFile(kReplayPath, &StageBackup, SaveData), 1);
    EXPECT_EQ(Replay.dirValues, replay.dirValues);
    EXPECT_EQ(Replay.buttonRuns, replay.buttonRuns);
    EXPECT_EQ(Replay.nSeed, -12345);
    EXPECT_EQ(SaveData.nLives, 9);
}

TEST_F(ReplayTest, AFailedSaveKeepsTheOldFile)
{
    const ReplayFile file = BuildReplayFile(SampleStage(), SampleRecord(), SampleSave());
    folder.Write(kReplayPath, file.bytes.Data());
    AddFileFailureForTest((std::string(kReplayPath) + ".tmp").c_str());
    EXPECT_EQ(Replay.SaveFile(kReplayPath, Stage, StageBackup, SaveData), 0);
    EXPECT_EQ(folder.Read("user_data/rpl4/abc_00.rpl4_720"),
              std::string(file.bytes.Data().begin(), file.bytes.Data().end()));
    // A folder that cannot be written to.
    AddFileFailureForTest("user_data\\ro\\x.rpl4_720.tmp");
    EXPECT_EQ(Replay.SaveFile("user_data\\ro\\x.rpl4_720", Stage, StageBackup, SaveData), 0);
    EXPECT_FALSE(folder.Exists("user_data/ro/x.rpl4_720"));
}

// A damaged replay file: a change to a sound one, or one built from a broken spec.
struct Damage {
    const char* name;
    std::function<std::vector<std::uint8_t>()> build;
};

void PrintTo(const Damage& d, std::ostream* os)
{
    *os << d.name;
}

std::vector<std::uint8_t> Sound()
{
    return BuildReplayFile(SampleStage(), SampleRecord(), SampleSave()).bytes.Data();
}

Layout SoundLayout()
{
    return BuildReplayFile(SampleStage(), SampleRecord(), SampleSave()).layout;
}

// The sound file with the int32 at offset replaced.
std::vector<std::uint8_t> Patched(std::size_t offset, std::int32_t value)
{
    std::vector<std::uint8_t> bytes = Sound();
    std::memcpy(bytes.data() + offset, &value, 4);
    return bytes;
}

std::vector<std::uint8_t> Cut(std::size_t size)
{
    std::vector<std::uint8_t> bytes = Sound();
    bytes.resize(size);
    return bytes;
}

std::vector<std::uint8_t> FromRecord(const std::function<void(RecordSpec&)>& change)
{
    RecordSpec record = SampleRecord();
    change(record);
    return BuildReplayFile(SampleStage(), record, SampleSave()).bytes.Data();
}

// Offsets inside the record part: base 12 bytes, then the counted lists of the sample record
// (3 direction words, 2 button words, 3 and 2 runs).
constexpr std::size_t kDirWordsAt = 12;
constexpr std::size_t kButtonWordsAt = kDirWordsAt + 4 + 3 * 2;
constexpr std::size_t kDirRunsAt = kButtonWordsAt + 4 + 2 * 2;
constexpr std::size_t kButtonRunsAt = kDirRunsAt + 4 + 3 * 4;

const Damage kDamages[] = {
    {"dir_words_count_too_large", [] { return Patched(SoundLayout().stageEnd + kDirWordsAt, 0x7FFFFFFF); }},
    {"dir_words_count_above_2G", [] { return Patched(SoundLayout().stageEnd + kDirWordsAt, -2); }},
    {"button_words_count_too_large", [] { return Patched(SoundLayout().stageEnd + kButtonWordsAt, 100000); }},
    {"dir_runs_count_too_large", [] { return Patched(SoundLayout().stageEnd + kDirRunsAt, 1 << 30); }},
    {"button_runs_count_too_large", [] { return Patched(SoundLayout().stageEnd + kButtonRunsAt, 5000); }},
    {"record_member_count", [] { return Patched(SoundLayout().stageEnd, 2); }},
    {"dir_counts_unequal", [] { return FromRecord([](RecordSpec& r) { r.dirRuns.pop_back(); }); }},
    {"button_counts_unequal", [] { return FromRecord([](RecordSpec& r) { r.buttonRuns.push_back(4); }); }},
    {"dir_run_of_0", [] { return FromRecord([](RecordSpec& r) { r.dirRuns[1] = 0; }); }},
    {"button_run_negative", [] { return FromRecord([](RecordSpec& r) { r.buttonRuns[0] = -3; }); }},
    {"wrong_end_marker", [] { return Patched(SoundLayout().stageEnd - 4, 123456788); }},
    {"cut_in_the_stage", [] { return Cut(SoundLayout().stageEnd / 2); }},
    {"cut_before_the_record", [] { return Cut(SoundLayout().stageEnd); }},
    {"cut_in_the_record_base", [] { return Cut(SoundLayout().stageEnd + 6); }},
    {"cut_in_the_dir_words", [] { return Cut(SoundLayout().stageEnd + kDirWordsAt + 6); }},
    {"cut_in_the_button_words", [] { return Cut(SoundLayout().stageEnd + kButtonWordsAt + 5); }},
    {"cut_in_the_dir_runs", [] { return Cut(SoundLayout().stageEnd + kDirRunsAt + 9); }},
    {"cut_in_the_button_runs", [] { return Cut(SoundLayout().recordEnd - 1); }},
    {"cut_before_the_snapshot", [] { return Cut(SoundLayout().recordEnd); }},
    {"cut_in_the_snapshot", [] { return Cut((SoundLayout().recordEnd + SoundLayout().size) / 2); }},
    {"cut_at_the_last_byte", [] { return Cut(SoundLayout().size - 1); }},
    {"no_hero",
     [] {
         testsupport::StageSpec stage = SampleStage();
         stage.placedCharas.clear();
         return BuildReplayFile(stage, SampleRecord(), SampleSave()).bytes.Data();
     }},
};

class ReplayDamageTest : public ReplayTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(ReplayDamageTest, IsRefusedWithTheLiveStateUntouched)
{
    folder.Write(kReplayPath, GetParam().build());
    EXPECT_EQ(Replay.LoadFile(kReplayPath, &StageBackup, SaveData), 0);
    // A replay is the user's own file: however damaged, it is refused, never a reason to close.
    EXPECT_EQ(window.TakePosted(WM_CLOSE), 0);
    ExpectLiveStateUntouched();
}

INSTANTIATE_TEST_SUITE_P(Files, ReplayDamageTest, ::testing::ValuesIn(kDamages),
                         [](const ::testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

TEST_F(ReplayTest, AMissingFileIsRefused)
{
    EXPECT_EQ(Replay.LoadFile("user_data\\rpl4\\none.rpl4_720", &StageBackup, SaveData), 0);
    ExpectLiveStateUntouched();
}

// The proposal is the first name whose digits are both 0..8 that the replay folder lacks; "_88"
// when all 81 are taken.
TEST_F(ReplayTest, TheProposedNameIsTheFirstFreeOfTheEightyOne)
{
    const auto name = [](int d1, int d2) { return "abc_" + std::to_string(d1) + std::to_string(d2) + ".rpl4_720"; };
    const struct {
        const char* what;
        std::vector<std::string> present;
        const char* stage;
        std::string proposed;
    } cases[] = {
        {"empty stage name", {}, "", ""},
        {"none present", {}, "data\\stg4\\abc.xyz", "abc_00.rpl4_720"},
        {"the stage key's trailing dot", {}, "data\\stg4\\abc.", "abc_00.rpl4_720"},
        {"00 and 01", {name(0, 0), name(0, 1)}, "data\\stg4\\abc.xyz", "abc_02.rpl4_720"},
        {"a gap is filled first", {name(0, 0), name(0, 3)}, "abc.xyz", "abc_01.rpl4_720"},
        {"after 08 comes 10",
         {name(0, 0), name(0, 1), name(0, 2), name(0, 3), name(0, 4), name(0, 5), name(0, 6), name(0, 7), name(0, 8)},
         "abc.xyz",
         "abc_10.rpl4_720"},
        {"09 does not count", {name(0, 0), name(0, 9)}, "abc.xyz", "abc_01.rpl4_720"},
        {"another stage's replays", {name(0, 0)}, "abd.stg4", "abd_00.rpl4_720"},
        {"no extension", {}, "data\\plain", "plain_00.rpl4_720"},
        {"forward slashes", {name(0, 0)}, "data/stg4/abc.", "abc_01.rpl4_720"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(folder.Host("user_data/rpl4"));
        std::filesystem::create_directories(folder.Host("user_data/rpl4"));
        for (const std::string& file : c.present) folder.Write("user_data/rpl4/" + file, "x");
        EXPECT_EQ(ProposeReplayFileName(c.stage), c.proposed);
    }
    // All 81 taken, and 09, 19 ... 99 too: "_88" again.
    for (int n = 0; n < 100; ++n) folder.Write("user_data/rpl4/" + name(n / 10, n % 10), "x");
    EXPECT_EQ(ProposeReplayFileName("abc.xyz"), "abc_88.rpl4_720");
    // All but 88 of the 81.
    std::filesystem::remove(folder.Host("user_data/rpl4/" + name(8, 8)));
    EXPECT_EQ(ProposeReplayFileName("abc.xyz"), "abc_88.rpl4_720");
    std::filesystem::remove(folder.Host("user_data/rpl4/" + name(4, 7)));
    EXPECT_EQ(ProposeReplayFileName("abc.xyz"), "abc_47.rpl4_720");
}

}  // namespace
