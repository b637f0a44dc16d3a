// The option screen on the sample game: the entries the project enables, editing with wrap at both
// ends, cancel restoring the value and its effect on the sound slots, the ranking-name dialog,
// leaving for the title, the music switch applied only when the screen is left, and the options
// written then and read back at the next start.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/MainWindowRequests.h"
#include "core/RecordFile.h"
#include "core/TextHelpers.h"
#include "input/cInput.h"
#include "platform/win/Files.h"
#include "project/cSystemData.h"
#include "scenes/cOptionData.h"
#include "scenes/cSceneOption.h"
#include "screenbase/cMenuCursor.h"
#include "sound/Bgm.h"
#include "sound/SoundEffects.h"
#include "support/MenuKeys.h"
#include "support/ScreenHarness.h"
#include "support/WaveWriter.h"

namespace {

using testsupport::PadFrame;

constexpr const char* kDialogName = "XYZ";
constexpr const char* kOptionPath = "user_data\\Option.dat";
constexpr int kSoundedSlots = 3;

// Presses, each one frame held and one frame released.
std::vector<PadFrame> Presses(std::initializer_list<PadFrame> presses)
{
    std::vector<PadFrame> frames;
    for (const PadFrame& press : presses) {
        frames.push_back(press);
        frames.push_back({});
    }
    return frames;
}

// The row of each entry id with every item enabled: the list names music, sound volume,
// registration, name and back as items 0 to 4, the palette set as item 5.
constexpr int kRowOfId[] = {5, 0, 1, 2, 3, 4};

// Moves the list cursor down to nRow and decides.
std::vector<PadFrame> ChooseRow(int nRow)
{
    std::vector<PadFrame> frames;
    for (int i = 0; i < nRow; ++i) {
        frames.push_back({DIR_DOWN, 0});
        frames.push_back({});
    }
    frames.push_back({0, BUTTON_DECIDE});
    frames.push_back({});
    return frames;
}

std::int32_t Int32At(const std::string& bytes, std::size_t offset)
{
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

class OptionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_h.Loaded());
        nDataVersion = kCurrentDataVersion;
        OptionData = cOptionData();
        m_h.onNameDialog = [] { OptionData.strRankingName = kDialogName; };
        // Every entry offered.
        for (cMenuItem& item : SystemData.OptionMenuItems) {
            item.bEnabled = 1;
        }
    }
    void TearDown() override
    {
        DS_UnInit();
        BgmPlayer.UnInit();
        OptionData = cOptionData();
    }

    // The option screen entered afresh, its list shown.
    cSceneOption& EnterList()
    {
        m_h.Enter(SCENE_OPTION);
        EXPECT_TRUE(m_h.RunUntil(SCENE_OPTION, 1, 5));
        m_h.ClearRecords();
        return Screen();
    }
    cSceneOption& Screen() { return *static_cast<cSceneOption*>(m_h.Current()); }
    void Run(const std::vector<PadFrame>& frames)
    {
        m_h.SetScript(frames);
        m_h.RunFrames(static_cast<int>(frames.size()));
    }

    // Sound slots 0..2 at the start-up volume of step 7 (the other system slots are silent); slot
    // 1 sounds twice at once (a duplicate buffer).
    void StartSound()
    {
        setenv("QB_HEADLESS", "1", 1);  // the null sound device
        m_h.Play().Folder().Write(
            "wave\\se.wav",
            testsupport::EncodeWav(testsupport::Synthesize(std::vector<testsupport::ToneSpec>(1), 22050), 22050, 16));
        BuildSoundList(std::vector<std::string>(kSoundedSlots, "wave\\se.wav"), {});
        SoundInfoList[1].nBufferCount = 2;
        ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
        DS_CreateSoundTable(&SoundTable, &SoundInfoList, SeVolumeTable[7]);
    }

    testsupport::ScreenHarness m_h;
};

TEST_F(OptionTest, EntriesAreTheProjectsEnabledOnesInListOrder)
{
    const struct {
        std::vector<int> enabled;
        std::vector<int> ids;
    } cases[] = {
        {{1, 1, 1, 1, 1, 1},
         {OPTION_MUSIC, OPTION_VOLUME, OPTION_REGISTRATION, OPTION_NAME, OPTION_BACK, OPTION_PALETTE}},
        {{0, 1, 0, 1, 0, 1}, {OPTION_VOLUME, OPTION_NAME, OPTION_PALETTE}},
        {{0, 0, 0, 0, 1, 0}, {OPTION_BACK}},
        {{0, 0, 0, 0, 0, 0}, {OPTION_MUSIC}},  // none enabled: the first item alone
    };
    for (const auto& c : cases) {
        for (int i = 0; i < kOptionEntryCount; ++i) {
            SystemData.OptionMenuItems[i].bEnabled = c.enabled[i];
        }
        cSceneOption& screen = EnterList();
        ASSERT_EQ(screen.m_nItems, static_cast<int>(c.ids.size()));
        EXPECT_EQ(std::vector<int>(screen.m_Items, screen.m_Items + screen.m_nItems), c.ids);
        // The cursor runs over the enabled rows only: one down from the last row is the first.
        Run(ChooseRow(screen.m_nItems));
        EXPECT_EQ(MenuCursor.m_Stack[0].nRow, 0);
    }
}

// Each row shows its own label beside its own value, and the row labelled "back" leaves: with the
// kit's own option list and with the sample game's. The sample game's labels end before the
// values at x 208 (16-pixel cells from x 64: at most 8 characters leave a gap).
TEST_F(OptionTest, EveryLabelStandsBesideItsOwnValue)
{
    OptionData.bMusic = 0;
    OptionData.nSoundVolume = 4;
    OptionData.nRankingMode = 1;
    OptionData.strRankingName = "ABC";
    OptionData.nPaletteSet = 12;
    struct Row {
        std::string label;
        std::string value;
    };
    const std::string kitModes[] = {Sjis("手動登録（登録名入力）"), Sjis("手動登録（登録名固定）")};
    const struct {
        const char* name;
        bool bKitDefaults;
        std::vector<Row> rows;
        int nBackRow;
    } cases[] = {
        // the sample game's first: the kit's list replaces it
        {"the sample game",
         false,
         {{"MUSIC", "OFF"},
          {"SOUND", "4"},
          {"RANKING", "ASK, FIXED NAME"},
          {"NAME", "ABC"},
          {"BACK", ""},
          {"PALETTE", "12"}},
         4},
        {"the kit's list",
         true,
         {{"BGM", "OFF"},
          {"SE", "4"},
          {Sjis("ランキング登録"), kitModes[1]},
          {Sjis("ランキング登録名"), "ABC"},
          {Sjis("もどる"), ""},
          {"", "12"}},
         4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.bKitDefaults) {
            SystemData.SetDefaults();
        }
        cSceneOption& screen = EnterList();
        ASSERT_EQ(screen.m_nItems, static_cast<int>(c.rows.size()));
        for (int i = 0; i < screen.m_nItems; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(cSceneOption::LabelText(screen.m_Items[i]), c.rows[i].label);
            EXPECT_EQ(cSceneOption::ValueText(screen.m_Items[i]), c.rows[i].value);
            EXPECT_LE(CountChars(c.rows[i].label.c_str()) * 16, 208 - 64 - 16);
        }
        m_h.ClearRecords();
        Run(ChooseRow(c.nBackRow));
        ASSERT_TRUE(m_h.RunUntil(SCENE_TITLE, -1, 5));
        EXPECT_EQ(m_h.Sounds(), std::vector<int>{1});
    }
}

TEST_F(OptionTest, EditedValuesWrapAtBothEnds)
{
    const struct {
        int id;
        std::int32_t cOptionData::*field;
        int max;
    } cases[] = {
        {OPTION_PALETTE, &cOptionData::nPaletteSet, 23},
        {OPTION_MUSIC, &cOptionData::bMusic, 1},
        {OPTION_VOLUME, &cOptionData::nSoundVolume, 10},
        {OPTION_REGISTRATION, &cOptionData::nRankingMode, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        OptionData = cOptionData();
        OptionData.*c.field = c.max;
        cSceneOption& screen = EnterList();
        Run(ChooseRow(kRowOfId[c.id]));
        ASSERT_EQ(screen.m_nSubState, 2);
        EXPECT_EQ(screen.m_nSelected, c.id);
        Run(Presses({{DIR_UP, 0}}));
        EXPECT_EQ(OptionData.*c.field, 0);
        Run(Presses({{DIR_DOWN, 0}}));
        EXPECT_EQ(OptionData.*c.field, c.max);
        Run(Presses({{DIR_DOWN, 0}, {0, BUTTON_DECIDE}}));
        EXPECT_EQ(screen.m_nSubState, 1);
        EXPECT_EQ(OptionData.*c.field, c.max - 1);
        EXPECT_EQ(MenuCursor.m_pCur->nRow, kRowOfId[c.id]);
        EXPECT_EQ(m_h.Sounds(), (std::vector<int>{1, 1}));
    }
}

TEST_F(OptionTest, CancelRestoresTheValueAndTheFirstBufferVolumes)
{
    StartSound();
    const int nStartVolume = SeVolumeTable[7];
    cSceneOption& screen = EnterList();
    Run(ChooseRow(kRowOfId[OPTION_VOLUME]));
    Run(Presses({{DIR_DOWN, 0}, {DIR_DOWN, 0}}));
    ASSERT_EQ(OptionData.nSoundVolume, 5);
    for (int n = 0; n < kSoundedSlots; ++n) {
        EXPECT_EQ(DS_GetVolume(&SoundTable[n], 0), SeVolumeTable[5]) << "slot " << n;
    }
    // Only the first buffer of a slot follows; its duplicate keeps the start-up volume.
    EXPECT_EQ(DS_GetVolume(&SoundTable[1], 1), nStartVolume);

    m_h.ClearRecords();
    Run(Presses({{0, BUTTON_CANCEL}}));
    EXPECT_EQ(OptionData.nSoundVolume, 7);
    for (int n = 0; n < kSoundedSlots; ++n) {
        EXPECT_EQ(DS_GetVolume(&SoundTable[n], 0), nStartVolume) << "slot " << n;
    }
    EXPECT_EQ(m_h.Sounds(), std::vector<int>{2});
    EXPECT_EQ(screen.m_nState, 1);  // back in the list, not leaving
    EXPECT_EQ(screen.m_nSubState, 1);
    EXPECT_EQ(MenuCursor.m_pCur->nRow, kRowOfId[OPTION_VOLUME]);
}

TEST_F(OptionTest, NameEntryOpensTheDialogAndShowsTheNewName)
{
    cSceneOption& screen = EnterList();
    Run(ChooseRow(kRowOfId[OPTION_NAME]));
    EXPECT_EQ(m_h.Requests(WM_NAMEDIALOG), 1);
    EXPECT_EQ(cSceneOption::ValueText(OPTION_NAME), kDialogName);
    EXPECT_EQ(screen.m_nState, 1);
    EXPECT_EQ(screen.m_nSubState, 1);
}

TEST_F(OptionTest, ValuesAreShownAsTheirTexts)
{
    OptionData.nPaletteSet = 17;
    OptionData.bMusic = 0;
    OptionData.nSoundVolume = 10;
    OptionData.nRankingMode = 2;
    EXPECT_EQ(cSceneOption::ValueText(OPTION_PALETTE), "17");
    EXPECT_EQ(cSceneOption::ValueText(OPTION_MUSIC), "OFF");
    EXPECT_EQ(cSceneOption::ValueText(OPTION_VOLUME), "10");
    EXPECT_EQ(cSceneOption::ValueText(OPTION_REGISTRATION), SystemData.RankingEntryModes[2]);
    EXPECT_EQ(cSceneOption::ValueText(OPTION_BACK), "");
    OptionData.bMusic = 1;
    EXPECT_EQ(cSceneOption::ValueText(OPTION_MUSIC), "ON");
}

TEST_F(OptionTest, BackAndCancelLeaveForTheTitle)
{
    const struct {
        const char* name;
        std::vector<PadFrame> frames;
        int sound;
    } cases[] = {{"back entry", ChooseRow(kRowOfId[OPTION_BACK]), 1},
                 {"cancel", Presses({{DIR_DOWN, 0}, {0, BUTTON_CANCEL}}), 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EnterList();
        Run(c.frames);
        ASSERT_TRUE(m_h.RunUntil(SCENE_TITLE, -1, 5));
        EXPECT_EQ(SceneFlow().m_nPrevScene, SCENE_OPTION);
        EXPECT_EQ(m_h.Sounds(), std::vector<int>{c.sound});
    }
}

TEST_F(OptionTest, LeavingAppliesTheMusicSwitchAndWritesTheOptionsForTheNextStart)
{
    ASSERT_EQ(BgmPlayer.Init(1, &BgmOggNames, &BgmMidiNames, kBgmSlots), 1);
    SceneFlow().m_nBgm = 7;
    m_h.Folder().Remove(kOptionPath);
    EnterList();
    // Music off, palette set 0 -> 23, registration 0 -> 1, the name from the dialog.
    std::vector<PadFrame> frames = ChooseRow(kRowOfId[OPTION_MUSIC]);
    for (const auto& part :
         {Presses({{DIR_DOWN, 0}, {0, BUTTON_DECIDE}, {DIR_UP, 0}}), Presses({{0, BUTTON_DECIDE}, {DIR_DOWN, 0}}),
          Presses({{0, BUTTON_DECIDE},
                   {DIR_DOWN, 0},
                   {DIR_DOWN, 0},
                   {DIR_DOWN, 0},
                   {0, BUTTON_DECIDE},
                   {DIR_UP, 0},
                   {0, BUTTON_DECIDE}}),
          Presses({{DIR_DOWN, 0}, {0, BUTTON_DECIDE}})}) {
        frames.insert(frames.end(), part.begin(), part.end());
    }
    Run(frames);
    ASSERT_EQ(OptionData.bMusic, 0);
    ASSERT_EQ(OptionData.nPaletteSet, 23);
    ASSERT_EQ(OptionData.nRankingMode, 1);
    ASSERT_EQ(OptionData.strRankingName, kDialogName);
    // Switched off, the music goes on while the screen is shown.
    EXPECT_EQ(BgmPlayer.m_bInit, 1);
    EXPECT_FALSE(m_h.Folder().Exists(kOptionPath));

    Run(Presses({{0, BUTTON_CANCEL}}));
    // Read when the screen has handed over, before the title's entry asks for its own music.
    for (int i = 0; i < 5 && SceneFlow().m_nScene != SCENE_TITLE; ++i) {
        m_h.RunFrames(1);
    }
    EXPECT_EQ(BgmPlayer.m_bInit, 0);
    EXPECT_EQ(SceneFlow().m_nBgm, 0);
    ASSERT_TRUE(m_h.RunUntil(SCENE_TITLE, -1, 5));

    // The file as laid out for the options record: four values, then the name with its NUL.
    const std::string bytes = m_h.Folder().Read(kOptionPath);
    ASSERT_EQ(bytes.size(), 36u);
    EXPECT_EQ(Int32At(bytes, 0), kCurrentDataVersion);
    EXPECT_EQ(Int32At(bytes, 4), 4);
    EXPECT_EQ(Int32At(bytes, 8), 23);
    EXPECT_EQ(Int32At(bytes, 12), 0);
    EXPECT_EQ(Int32At(bytes, 16), 7);
    EXPECT_EQ(Int32At(bytes, 20), 1);
    EXPECT_EQ(Int32At(bytes, 24), 1);
    EXPECT_EQ(Int32At(bytes, 28), 4);
    EXPECT_EQ(bytes.substr(32), std::string("XYZ", 4));

    // The next start reads them back, and the screen shows them.
    OptionData = cOptionData();
    ASSERT_EQ(OptionData.LoadFile(kOptionPath), 1);
    EXPECT_EQ(OptionData.nPaletteSet, 23);
    EXPECT_EQ(OptionData.bMusic, 0);
    EXPECT_EQ(OptionData.nRankingMode, 1);
    EXPECT_EQ(cSceneOption::ValueText(OPTION_NAME), kDialogName);
}

TEST_F(OptionTest, AFailedWriteKeepsTheOldFileAndStillLeaves)
{
    m_h.Folder().Write(kOptionPath, std::string("old"));
    // The temporary file cannot be made: a folder has its name.
    CreateDirectoryA("user_data\\Option.dat.tmp", nullptr);
    EnterList();
    Run(ChooseRow(kRowOfId[OPTION_BACK]));
    ASSERT_TRUE(m_h.RunUntil(SCENE_TITLE, -1, 5));
    EXPECT_EQ(m_h.Folder().Read(kOptionPath), "old");
}

TEST_F(OptionTest, MusicSwitchBringsTheManagerInLine)
{
    const struct {
        int bInit;
        int bMusic;
        int bInitAfter;
        int nBgmAfter;
    } cases[] = {
        {1, 1, 1, 7},  // playing and on: the music goes on
        {1, 0, 0, 0},  // switched off: released, the next screen asks again
        {0, 0, 0, 7},
        {0, 1, 1, 0},  // switched on: made anew, the title asks for its music again
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bInit << c.bMusic);
        BgmPlayer.UnInit();
        if (c.bInit) {
            ASSERT_EQ(BgmPlayer.Init(1, &BgmOggNames, &BgmMidiNames, kBgmSlots), 1);
        }
        OptionData.bMusic = c.bMusic;
        SceneFlow().m_nBgm = 7;
        cSceneOption::ApplyBgm();
        EXPECT_EQ(BgmPlayer.m_bInit, c.bInitAfter);
        EXPECT_EQ(SceneFlow().m_nBgm, c.nBgmAfter);
    }
}

}  // namespace
