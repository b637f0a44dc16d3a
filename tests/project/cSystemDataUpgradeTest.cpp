// Settings files of older versions, each holding what the editor of that version wrote, read and
// upgraded: one table of (file version, setting, value after the load). Every stored switch is 7,
// so a 7 after the load shows the stored value was kept, anything else that the upgrade (or the
// default, for members the file lacks) decided.
#include <gtest/gtest.h>

#include "SystemDataTestSupport.h"
#include "core/TextHelpers.h"

namespace {

using projecttest::Setting;
using projecttest::SystemDataTest;
using testsupport::HudItemSpec;
using testsupport::IniSettingSpec;
using testsupport::MenuItemSpec;
using testsupport::RankingRowSpec;
using testsupport::SystemDataSpec;

using cSystemDataUpgradeTest = SystemDataTest;

constexpr std::int32_t kStored = 7;

std::vector<std::string> Tags(const char* prefix, int count)
{
    std::vector<std::string> tags;
    for (int i = 0; i < count; ++i) {
        tags.push_back(prefix + std::to_string(i));
    }
    return tags;
}

// The "System.ini" keys as the editor of version v listed them (integers 7, "VSync" 3, the
// "FreeStage" text "s", unnamed surplus entries "x1" ...).
std::vector<IniSettingSpec> StoredIniSettings(int v)
{
    auto value = [](const char* name, std::int32_t n = kStored) { return IniSettingSpec{0, name, n, ""}; };
    const IniSettingSpec freeStage{1, "FreeStage", 0, "s"};
    if (v < 286) {
        return {value("WindowMode"), value("Bpp"), value("VSync", 3), value("ShowFps"), freeStage,
                value("x1"),         value("x2"),  value("x3"),       value("x4"),      value("x5")};
    }
    if (v < 567) {
        return {value("Direct3D"), value("WindowMode"), value("Bpp"), value("VSync", 3), value("ShowFps"),
                freeStage,         value("x1"),         value("x2"),  value("x3"),       value("x4")};
    }
    if (v < 568) {
        return {value("Direct3D"), value("WindowMode"), value("Bpp"), value("VSync", 3), value("DD_VideoStretch"),
                value("ShowFps"),  freeStage,           value("x1"),  value("x2"),       value("x3")};
    }
    std::vector<IniSettingSpec> keys{
        value("Direct3D"),     value("WindowMode"),      value("Bpp"),     value("VSync", 3), value("D3D_FontCache"),
        value("DD_FontCache"), value("DD_VideoStretch"), value("ShowFps"), freeStage,         value("x1")};
    if (v >= 672) {
        keys[9] = value("English");
    }
    return keys;
}

// What the editor of version v wrote: every raw member 7, lists at the lengths of that version
// with recognisable entries (carry flags 100, 101 ...; texts "t0", "t1" ...).
SystemDataSpec StoredSpec(int v)
{
    SystemDataSpec s;
    for (const projecttest::IntSetting& setting : projecttest::kIntSettings) {
        s.*setting.stored = kStored;
    }
    s.transRed = s.transGreen = s.transBlue = kStored;
    s.discarded = kStored;
    s.title = "old";
    const int carryCount = v < 168 ? 22 : v < 201 ? 23 : v < 210 ? 24 : 25;
    for (int i = 0; i < carryCount; ++i) {
        s.carryOverFlags.push_back(static_cast<std::uint8_t>(100 + i));
    }
    s.resetFlags.assign(25, kStored);
    for (int i = 0; i < 5; ++i) {
        s.hudItems.push_back(
            HudItemSpec{kStored, kStored, "h" + std::to_string(i), kStored, kStored, kStored, kStored});
    }
    s.lives.assign(4, kStored);
    s.unlimitedLives.assign(4, kStored);
    s.rankingRows.assign(4, RankingRowSpec{kStored, {7, 7, 7, 7, 7}});
    s.texts = Tags("t", v < 169 ? 21 : v < 181 ? 24 : v < 193 ? 26 : 28);
    s.systemSounds = Tags("s", 17);
    s.music = {0, 1, 0, 1};
    s.musicLoop.assign(4, kStored);
    for (const std::string& tag : Tags("m", 7)) s.titleMenu.push_back(MenuItemSpec{kStored, tag});
    for (const std::string& tag : Tags("p", 4)) s.mapMenu.push_back(MenuItemSpec{kStored, tag});
    for (const std::string& tag : Tags("o", 6)) s.optionMenu.push_back(MenuItemSpec{kStored, tag});
    s.rankingEntryModes = Tags("e", 4);
    s.iniSettings = StoredIniSettings(v);
    return s;
}

struct UpgradeCase {
    int version;
    const char* setting;
    std::string expected;
};

std::vector<UpgradeCase> UpgradeCases()
{
    const std::string defaultModes =
        Sjis("手動登録（登録名入力）|手動登録（登録名固定）|自動登録（登録名入力）|自動登録（登録名固定）");
    const std::string hp = Sjis("残りHP"), sp = Sjis("残りSP");
    const std::string on = Sjis("オートセーブＯＮ"), off = Sjis("オートセーブＯＦＦ");
    const std::string unknown = Sjis("保存先が不明です！一度は「セーブ」して下さい！");
    const std::string retry = Sjis("リトライ"), toMap = Sjis("マップへ戻る");
    const std::string iniTail = "|ShowFps=7|FreeStage='s'|English=";
    return {
        // Switches: the version before the one that stores a member gets the old behaviour.
        {112, "bKeepTestPlayFlows", "0"},
        {113, "bKeepTestPlayFlows", "7"},
        {156, "bTitleMenuPicture", "0"},
        {157, "bTitleMenuPicture", "7"},
        {166, "bMapShowScore", "1"},
        {166, "bMenuShowTotalScore", "1"},
        {166, "bSelectShowHighScore", "1"},
        {166, "bSelectShowTotalScore", "1"},
        {167, "bMapShowScore", "7"},
        {167, "bSelectShowTotalScore", "7"},
        {169, "bFontCentreGlyphs", "0"},
        {170, "bFontCentreGlyphs", "7"},
        {183, "bReplayEnabled", "1"},
        {184, "bReplayEnabled", "7"},
        {184, "bExtraLifeByScore", "1"},
        {185, "bExtraLifeByScore", "7"},
        {186, "bFullColour", "0"},
        {186, "byTransRed", "0"},
        {186, "byTransGreen", "177"},
        {186, "byTransBlue", "0"},
        {187, "bFullColour", "7"},
        {187, "byTransGreen", "7"},
        {187, "bRetryRestoreStory", "1"},
        {187, "bRetryRestoreChallenge", "1"},
        {187, "bRetryRestoreFree", "1"},
        {188, "bRetryRestoreChallenge", "7"},
        {190, "UnlimitedLivesTable", "0,0,0,1"},
        {190, "bStoryMissMenu", "0"},
        {190, "bMapShowLives", "0"},
        {191, "UnlimitedLivesTable", "7,7,7,7"},
        {191, "bStoryMissMenu", "7"},
        {191, "bMapShowLives", "7"},
        {191, "bRetryRestoreDirect", "1"},
        {192, "bRetryRestoreDirect", "7"},
        {201, "MusicLoopFlags", "1,1,1,1"},
        {202, "MusicLoopFlags", "7,7,7,7"},
        {204, "nFontFace", "60"},
        {205, "nFontFace", "7"},
        {213, "bScrollSyncVariant", "1"},
        {214, "bScrollSyncVariant", "7"},
        {223, "bPauseRetryStory", "0"},
        {223, "bPauseRetryChallenge", "0"},
        {224, "bPauseRetryStory", "7"},
        // Versions 221 to 259 hold one more int32 after bScrollSyncVariant; 260 holds neither it
        // nor bResizeVariant.
        {230, "bScrollSyncVariant", "7"},
        {259, "bScrollSyncVariant", "7"},
        {260, "bResizeVariant", "1"},
        {261, "bResizeVariant", "7"},
        {271, "bDefeatVariant", "0"},
        {272, "bDefeatVariant", "7"},
        {286, "bD3DColourVariant", "0"},
        {287, "bD3DColourVariant", "7"},
        {186, "bPaletteCycle", "1"},
        {288, "bPaletteCycle", "0"},
        {289, "bPaletteCycle", "7"},
        {500, "ResetFlags", "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"},
        {501, "ResetFlags", "7,7,7,7,7,7,7,7,7,7,7,7,7,7,7,7,7,7,7,7,7,7,7,7,7"},
        {514, "nCycleStep", "16"},
        {515, "nCycleStep", "7"},
        {524, "bTriggerRepeat", "1"},
        {525, "bTriggerRepeat", "7"},
        {554, "bPlacementVariant", "1"},
        {555, "bPlacementVariant", "7"},
        // The summon test: the unconditional refusal for files of 616 and below.
        {600, "bSummonVariant", "1"},
        {616, "bSummonVariant", "1"},
        {617, "bSummonVariant", "0"},
        {636, "bSummonVariant", "0"},
        {637, "bSummonVariant", "7"},
        {668, "bKeyMatchVariant", "1"},
        {669, "bKeyMatchVariant", "7"},
        {669, "nD3DDepth", "0"},
        {669, "nDDDepth", "2"},
        {670, "nD3DDepth", "7"},
        {670, "nDDDepth", "7"},
        {673, "RankingEntryModes", defaultModes},
        {674, "RankingEntryModes", "e0|e1|e2|e3"},
        {676, "bLandWhileRising", "1"},
        {677, "bLandWhileRising", "7"},
        {694, "bKeepNegativeTime", "1"},
        {695, "bKeepNegativeTime", "7"},
        {695, "bReservedSwitch", "1"},
        {696, "bReservedSwitch", "7"},
        {696, "bStageStartVariant", "1"},
        {697, "bStageStartVariant", "7"},
        {719, "bStageStartVariant", "7"},

        // Carry flags inserted at 16 (168), 14 (201) and 9 (210) into the shorter old lists.
        {150, "CarryOverFlags",
         "100,101,102,103,104,105,106,107,108,0,109,110,111,112,113,0,114,115,1,116,117,118,119,120,121"},
        {200, "CarryOverFlags",
         "100,101,102,103,104,105,106,107,108,0,109,110,111,112,113,0,114,115,116,117,118,119,120,121,122"},
        {209, "CarryOverFlags",
         "100,101,102,103,104,105,106,107,108,0,109,110,111,112,113,114,115,116,117,118,119,120,121,122,123"},
        {210, "CarryOverFlags",
         "100,101,102,103,104,105,106,107,108,109,110,111,112,113,114,115,116,117,118,119,120,121,122,123,124"},

        // Texts: the autosave texts (169), the remaining HP and SP genres (181), the after-miss menu (193).
        {150, "TextTable",
         "t0|t1|t2|t3|t4|t5|t6|t7|" + hp + "|" + sp + "|t8|t9|t10|t11|" + on + "|" + off + "|" + unknown +
             "|t12|t13|t14|t15|t16|" + retry + "|" + toMap + "|t17|t18|t19|t20"},
        {180, "TextTable",
         "t0|t1|t2|t3|t4|t5|t6|t7|" + hp + "|" + sp + "|t8|t9|t10|t11|t12|t13|t14|t15|t16|t17|t18|t19|" + retry + "|" +
             toMap + "|t20|t21|t22|t23"},
        {192, "TextTable",
         "t0|t1|t2|t3|t4|t5|t6|t7|t8|t9|t10|t11|t12|t13|t14|t15|t16|t17|t18|t19|t20|t21|" + retry + "|" + toMap +
             "|t22|t23|t24|t25"},
        {193, "TextTable",
         "t0|t1|t2|t3|t4|t5|t6|t7|t8|t9|t10|t11|t12|t13|t14|t15|t16|t17|t18|t19|t20|t21|t22|"
         "t23|t24|t25|t26|t27"},

        // The autosave entry of the world-map menu; the old item 3 is lost.
        {168, "MapMenuItems", "7:p0|1:" + Sjis("オートセーブ") + "|7:p1|7:p2"},
        {169, "MapMenuItems", "7:p0|7:p1|7:p2|7:p3"},

        // Ranking rows are stored from 186; older files keep the default rows, below 181 without
        // the genres 3 and 4.
        {180, "RankingRows.GenreFlags", "11100|11100|11100|00000"},
        {180, "RankingRows.bEnabled", "1,1,1,0"},
        {185, "RankingRows.GenreFlags", "11111|11111|11111|00000"},
        {186, "RankingRows.GenreFlags", "77777|77777|77777|77777"},
        {186, "RankingRows.bEnabled", "7,7,7,7"},

        // Status-bar items: the value is always shown before 204; the gauge warning from 587.
        {203, "HudItems.bShowValue", "1,1,1,1,1"},
        {204, "HudItems.bShowValue", "7,7,7,7,7"},
        {586, "HudItems.nWarnValue", "0,0,33,33,0"},
        {586, "HudItems.bWarnPercent", "0,0,1,1,0"},
        {587, "HudItems.nWarnValue", "7,7,7,7,7"},

        // "System.ini" keys: Direct3D (286, with VSync 3 and up lowered to 2), DD_VideoStretch
        // (567), D3D_FontCache and DD_FontCache (568), English named in place (672).
        {285, "IniSettings",
         "Direct3D=1|WindowMode=7|Bpp=7|VSync=2|D3D_FontCache=0|DD_FontCache=1|"
         "DD_VideoStretch=0" +
             iniTail + "0"},
        {286, "IniSettings",
         "Direct3D=7|WindowMode=7|Bpp=7|VSync=3|D3D_FontCache=0|DD_FontCache=1|"
         "DD_VideoStretch=0" +
             iniTail + "0"},
        {567, "IniSettings",
         "Direct3D=7|WindowMode=7|Bpp=7|VSync=3|D3D_FontCache=0|DD_FontCache=1|"
         "DD_VideoStretch=7" +
             iniTail + "0"},
        {671, "IniSettings",
         "Direct3D=7|WindowMode=7|Bpp=7|VSync=3|D3D_FontCache=7|DD_FontCache=7|"
         "DD_VideoStretch=7" +
             iniTail + "0"},
        {672, "IniSettings",
         "Direct3D=7|WindowMode=7|Bpp=7|VSync=3|D3D_FontCache=7|DD_FontCache=7|"
         "DD_VideoStretch=7" +
             iniTail + "7"},
    };
}

TEST_F(cSystemDataUpgradeTest, OldFilesReadAndUpgradeStepByStep)
{
    for (const UpgradeCase& c : UpgradeCases()) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << ", " << c.setting);
        cSystemData settings;
        ASSERT_EQ(LoadSpec(settings, StoredSpec(c.version), c.version), 1);
        EXPECT_EQ(Setting(settings, c.setting), c.expected);
        EXPECT_EQ(TakeCloseRequests(), 0);
    }
}

TEST_F(cSystemDataUpgradeTest, AVersion150FileEndsWithTheCurrentTextTable)
{
    // The 21 texts an editor of version 150 wrote: the current table without the seven added later.
    const cSystemData current;
    SystemDataSpec spec = StoredSpec(150);
    spec.texts.clear();
    for (int i = 0; i < 28; ++i) {
        if (i != 8 && i != 9 && (i < 14 || i > 16) && i != 22 && i != 23) {
            spec.texts.push_back(current.TextTable[i]);
        }
    }
    ASSERT_EQ(spec.texts.size(), 21u);
    cSystemData settings;
    ASSERT_EQ(LoadSpec(settings, spec, 150), 1);
    EXPECT_EQ(Setting(settings, "TextTable"), Setting(current, "TextTable"));
}

TEST_F(cSystemDataUpgradeTest, RegistersTheCurrentLayoutAfterReadingAnOldFile)
{
    cSystemData settings;
    ASSERT_EQ(LoadSpec(settings, StoredSpec(230), 230), 1);
    EXPECT_EQ(settings.MemberTable().size(), 44u);
    EXPECT_EQ(settings.StrMemberTable().size(), 1u);
}

}  // namespace
