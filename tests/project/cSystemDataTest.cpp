// Reading "data\System.dat" at the current version: every member as stored, the music indices
// checked against the Bgm database, short lists padded for their consumers, and malformed files
// refused without reading past their end.
#include "project/cSystemData.h"

#include <gtest/gtest.h>

#include <functional>

#include "SystemDataTestSupport.h"
#include "core/TextHelpers.h"

namespace {

using projecttest::Join;
using projecttest::Number;
using projecttest::Setting;
using projecttest::SystemDataTest;
using testsupport::ByteWriter;
using testsupport::HudItemSpec;
using testsupport::MenuItemSpec;
using testsupport::RankingRowSpec;
using testsupport::SystemDataSpec;

using cSystemDataTest = SystemDataTest;

// A 720 file in which every value differs from its default and from its neighbours.
SystemDataSpec DistinctSpec()
{
    SystemDataSpec spec = testsupport::MinimalSystemData();
    int k = 0;
    for (const projecttest::IntSetting& setting : projecttest::kIntSettings) {
        spec.*setting.stored = 1000 + k++;
    }
    spec.transRed = 11;
    spec.transGreen = 22;
    spec.transBlue = 33;
    spec.title = Sjis("テスト");
    for (int i = 0; i < 25; ++i) {
        spec.carryOverFlags[i] = static_cast<std::uint8_t>(i + 1);
        spec.resetFlags[i] = static_cast<std::uint8_t>(50 + i);
    }
    for (int i = 0; i < 5; ++i) {
        spec.hudItems[i] = HudItemSpec{i, i + 1, "h" + std::to_string(i), i + 2, i + 3, i + 4, i + 5};
    }
    spec.lives = {3, 4, 5, 6};
    spec.unlimitedLives = {0, 1, 0, 1};
    spec.rankingRows = {RankingRowSpec{1, {1, 0, 1, 0, 1}}, RankingRowSpec{0, {0, 1}},
                        RankingRowSpec{1, {1, 1, 1, 1, 1, 1, 1}}, RankingRowSpec{1, {0, 0, 0, 0, 0}}};
    spec.texts[5] = "a\r\nb";
    for (int i = 0; i < 17; ++i) {
        spec.systemSounds[i] = "wave\\s" + std::to_string(i) + ".wav";
    }
    spec.music = {0, 1, 1, 0};
    spec.musicLoop = {0, 1, 0, 1};
    spec.titleMenu[3].enabled = 0;
    spec.mapMenu[1].enabled = 0;
    spec.optionMenu[5].enabled = 0;
    spec.iniSettings[0].value = 1;
    spec.iniSettings[8].text = "data\\stg4\\a.stg4";
    return spec;
}

std::string Menu(const std::vector<MenuItemSpec>& items)
{
    return Join(items, "|", [](const MenuItemSpec& m) { return Number(m.enabled) + ":" + m.label; });
}

TEST_F(cSystemDataTest, Reads720FileAsStored)
{
    const SystemDataSpec spec = DistinctSpec();
    cSystemData settings;
    ASSERT_EQ(LoadSpec(settings, spec, 720), 1);

    for (const projecttest::IntSetting& setting : projecttest::kIntSettings) {
        EXPECT_EQ(settings.*setting.member, spec.*setting.stored) << setting.name;
    }
    auto number = [](auto v) { return Number(v); };
    auto text = [](const std::string& t) { return t; };
    EXPECT_EQ(Setting(settings, "byTransRed"), "11");
    EXPECT_EQ(Setting(settings, "byTransGreen"), "22");
    EXPECT_EQ(Setting(settings, "byTransBlue"), "33");
    EXPECT_EQ(settings.strTitle, spec.title);
    EXPECT_EQ(Setting(settings, "CarryOverFlags"), Join(spec.carryOverFlags, ",", number));
    EXPECT_EQ(Setting(settings, "ResetFlags"), Join(spec.resetFlags, ",", number));
    EXPECT_EQ(Setting(settings, "HudItems.bVisible"), "0,1,2,3,4");
    EXPECT_EQ(Setting(settings, "HudItems.bIcon"), "1,2,3,4,5");
    EXPECT_EQ(Setting(settings, "HudItems.strLabel"), "h0,h1,h2,h3,h4");
    EXPECT_EQ(Setting(settings, "HudItems.nDigits"), "2,3,4,5,6");
    EXPECT_EQ(Setting(settings, "HudItems.bShowValue"), "3,4,5,6,7");
    EXPECT_EQ(Setting(settings, "HudItems.nWarnValue"), "4,5,6,7,8");
    EXPECT_EQ(Setting(settings, "HudItems.bWarnPercent"), "5,6,7,8,9");
    EXPECT_EQ(Setting(settings, "LivesTable"), "3,4,5,6");
    EXPECT_EQ(Setting(settings, "UnlimitedLivesTable"), "0,1,0,1");
    EXPECT_EQ(Setting(settings, "RankingRows.bEnabled"), "1,0,1,1");
    // Genre lists keep the length stored when it is five or more; shorter ones are padded.
    EXPECT_EQ(Setting(settings, "RankingRows.GenreFlags"), "10101|01000|1111111|00000");
    // Texts of the lists keep their carriage returns.
    EXPECT_EQ(Setting(settings, "TextTable"), Join(spec.texts, "|", text));
    EXPECT_EQ(Setting(settings, "SystemSoundNames"), Join(spec.systemSounds, "|", text));
    EXPECT_EQ(Setting(settings, "MusicTable"), "0,1,1,0");
    EXPECT_EQ(Setting(settings, "MusicLoopFlags"), "0,1,0,1");
    EXPECT_EQ(Setting(settings, "TitleMenuItems"), Menu(spec.titleMenu));
    EXPECT_EQ(Setting(settings, "MapMenuItems"), Menu(spec.mapMenu));
    EXPECT_EQ(Setting(settings, "OptionMenuItems"), Menu(spec.optionMenu));
    EXPECT_EQ(Setting(settings, "RankingEntryModes"), "mode0|mode1|mode2|mode3");
    EXPECT_EQ(Setting(settings, "IniSettings"),
              "Direct3D=1|WindowMode=1|Bpp=0|VSync=0|D3D_FontCache=0|DD_FontCache=1|DD_VideoStretch=0|"
              "ShowFps=0|FreeStage='data\\stg4\\a.stg4'|English=0");
    EXPECT_EQ(TakeCloseRequests(), 0);
}

TEST_F(cSystemDataTest, MusicIndicesThatNameNoBgmEntryBecomeNoMusic)
{
    Database.Bgm.Reset(5);
    SystemDataSpec spec = testsupport::MinimalSystemData();
    spec.music = {0, 7, -1, 3};
    cSystemData settings;
    ASSERT_EQ(LoadSpec(settings, spec, 720), 1);
    EXPECT_EQ(Setting(settings, "MusicTable"), "0,0,0,3");
}

// Short lists reach the length of a new project's with inert entries, not with the new
// project's own: a game that removed menu rows or texts does not get them back.
TEST_F(cSystemDataTest, ShortListsArePaddedWithInertEntries)
{
    SystemDataSpec spec = testsupport::MinimalSystemData();
    spec.carryOverFlags = {9};
    spec.resetFlags = {};
    spec.hudItems.resize(2);
    spec.lives = {8};
    spec.unlimitedLives = {};
    spec.rankingRows = {RankingRowSpec{1, {1, 1}}};
    spec.texts = {"a", "b"};
    spec.systemSounds = {"wave\\0.wav"};
    spec.music = {1, 1};
    spec.musicLoop = {0};
    spec.titleMenu = {MenuItemSpec{0, "x"}};
    spec.mapMenu = {};
    spec.optionMenu.resize(5);
    spec.rankingEntryModes = {"m"};
    spec.iniSettings.resize(3);
    cSystemData settings;
    ASSERT_EQ(LoadSpec(settings, spec, 720), 1);

    const cSystemData defaults;
    const auto repeat = [](const std::string& first, const std::string& pad, const std::string& separator,
                           std::size_t count) {
        std::string text = first;
        for (std::size_t i = 1; i < count; ++i) text += separator + pad;
        return text;
    };
    EXPECT_EQ(Setting(settings, "CarryOverFlags"), repeat("9", "0", ",", 25));
    EXPECT_EQ(Setting(settings, "ResetFlags"), repeat("0", "0", ",", defaults.ResetFlags.size()));
    ASSERT_EQ(settings.HudItems.size(), 5u);
    for (int i = 2; i < 5; ++i) {
        EXPECT_EQ(settings.HudItems[i].bVisible, 0) << i;
        EXPECT_EQ(settings.HudItems[i].strLabel, "") << i;
    }
    EXPECT_EQ(Setting(settings, "LivesTable"), "8,0,0,0");
    EXPECT_EQ(Setting(settings, "UnlimitedLivesTable"), "0,0,0,0");
    EXPECT_EQ(Setting(settings, "RankingRows.bEnabled"), "1,0,0,0");
    EXPECT_EQ(Setting(settings, "RankingRows.GenreFlags"), "11000|00000|00000|00000");
    ASSERT_EQ(settings.TextTable.size(), 28u);
    EXPECT_EQ(settings.TextTable[1], "b");
    EXPECT_EQ(settings.TextTable[2], "");
    EXPECT_EQ(settings.TextTable[27], "");
    EXPECT_EQ(Setting(settings, "SystemSoundNames"), "wave\\0.wav||||||||||||||||");
    EXPECT_EQ(Setting(settings, "MusicTable"), "1,1,0,0");
    EXPECT_EQ(Setting(settings, "MusicLoopFlags"), "0,0,0,0");
    EXPECT_EQ(Setting(settings, "TitleMenuItems"), "0:x|0:|0:|0:|0:|0:|0:");
    EXPECT_EQ(Setting(settings, "MapMenuItems"), repeat("0:", "0:", "|", defaults.MapMenuItems.size()));
    ASSERT_EQ(settings.OptionMenuItems.size(), 6u);
    EXPECT_EQ(settings.OptionMenuItems[5].bEnabled, 0);
    EXPECT_EQ(Setting(settings, "RankingEntryModes"), "m|||");
    EXPECT_EQ(Setting(settings, "IniSettings"), "Direct3D=0|WindowMode=1|Bpp=0|=0|=0|=0|=0|=0|=0|=0");

    // The consumers' last entries are there: nothing is reported and no close is asked for.
    EXPECT_EQ(settings.CountMenuItem(3), 0);
    EXPECT_EQ(settings.CheckThreshold(4, 0, 10), 1);
    EXPECT_EQ(settings.IniSettings[9].nValue, 0);
    EXPECT_EQ(TakeCloseRequests(), 0);
}

// A head (version, raw members, title) that fits the 720 layout, for files broken after it.
ByteWriter Head720()
{
    ByteWriter out;
    out.I32(720);
    testsupport::WriteSystemDataHead(out, testsupport::MinimalSystemData(), 720);
    return out;
}

struct MalformedCase {
    const char* name;
    std::function<ByteWriter()> bytes;
};

const MalformedCase kMalformed[] = {
    {"more raw members than 720 registers",
     [] {
         ByteWriter out;
         out.I32(720).I32(45);
         for (int i = 0; i < 45; ++i) out.I32(0);
         out.I32(1).I32(1);
         return out;
     }},
    {"negative raw member count", [] { return ByteWriter().I32(720).I32(-1); }},
    {"two title strings",
     [] {
         ByteWriter out;
         out.I32(720).I32(0).I32(2).I32(1).I32(1);
         return out;
     }},
    {"negative list count", [] { return Head720().I32(-1); }},
    {"list count beyond the file", [] { return Head720().I32(0x7FFFFFFF).U8(1); }},
    {"text length 0", [] { return Head720().I32(0).I32(0).I32(0).I32(0).I32(0).I32(0).I32(1).I32(0); }},
    {"text length beyond the file",
     [] { return Head720().I32(0).I32(0).I32(0).I32(0).I32(0).I32(0).I32(1).I32(1000).Bytes("abc"); }},
    {"genre count beyond the file",
     [] { return Head720().I32(0).I32(0).I32(0).I32(0).I32(0).I32(1).I32(1).I32(1).I32(0).I32(1 << 30); }},
    {"status-bar item with too many members",
     [] {
         ByteWriter out = Head720().I32(0).I32(0).I32(1).I32(7);
         for (int i = 0; i < 7; ++i) out.I32(0);
         return out.I32(0);
     }},
};

TEST_F(cSystemDataTest, MalformedFilesAreRefusedAndTheListsStayUsable)
{
    for (const MalformedCase& c : kMalformed) {
        SCOPED_TRACE(c.name);
        cSystemData settings;
        EXPECT_EQ(LoadFileBytes(settings, c.bytes()), 0);
        EXPECT_GE(settings.TextTable.size(), 28u);
        EXPECT_GE(settings.SystemSoundNames.size(), 17u);
        EXPECT_GE(settings.IniSettings.size(), 10u);
        EXPECT_GE(settings.RankingRows.size(), 4u);
    }
    TakeCloseRequests();
}

TEST_F(cSystemDataTest, EveryTruncationOfAValidFileIsRefused)
{
    const std::vector<std::uint8_t> whole = testsupport::SystemDataFile(DistinctSpec(), 720).Data();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        SCOPED_TRACE(size);
        folder.Write("data\\System.dat", std::vector<std::uint8_t>(whole.begin(), whole.begin() + size));
        cSystemData settings;
        ASSERT_EQ(settings.LoadFile("data\\System.dat"), 0);
        ASSERT_GE(settings.HudItems.size(), 5u);
        ASSERT_GE(settings.MusicTable.size(), 4u);
    }
}

TEST_F(cSystemDataTest, SavesThe720LayoutItReads)
{
    SystemDataSpec spec = DistinctSpec();
    spec.rankingRows[1].genres = {0, 1, 0, 0, 0};  // a stored row that needs no padding
    cSystemData settings;
    ASSERT_EQ(LoadSpec(settings, spec, 720), 1);
    ASSERT_EQ(settings.SaveFile("saved.dat"), 1);
    const ByteWriter expected = testsupport::SystemDataFile(spec, 720);
    EXPECT_EQ(folder.Read("saved.dat"), std::string(expected.Data().begin(), expected.Data().end()));
}

}  // namespace
