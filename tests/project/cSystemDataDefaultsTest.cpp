// The settings of a new project, compared with the tables of the defaults.
#include <gtest/gtest.h>

#include "SystemDataTestSupport.h"
#include "core/TextHelpers.h"

namespace {

using projecttest::Setting;

struct Expected {
    const char* setting;
    std::string value;
};

// Every setting of a new project as Setting() writes it; texts in Shift-JIS.
std::vector<Expected> DefaultSettings()
{
    return {
        {"strTitle", ""},
        {"bExtraLifeByScore", "0"},
        {"nExtraLifeScore", "100"},
        {"bPauseHideField", "1"},
        {"bFontAlphabet", "0"},
        {"nFontFace", "60"},
        {"bFontCentreGlyphs", "0"},
        {"bReplayEnabled", "1"},
        {"bKeepTestPlayFlows", "0"},
        {"bTitleMenuPicture", "1"},
        {"bCarryLives", "1"},
        {"bStoryMissMenu", "1"},
        {"bMapShowLives", "1"},
        {"nWorldCount", "40"},
        {"bFixedWorldCount", "1"},
        {"bMapShowScore", "1"},
        {"bMenuShowTotalScore", "1"},
        {"bSelectShowHighScore", "1"},
        {"bSelectShowTotalScore", "1"},
        {"bRetryRestoreStory", "1"},
        {"bRetryRestoreChallenge", "1"},
        {"bRetryRestoreFree", "1"},
        {"bRetryRestoreDirect", "0"},
        {"bPauseRetryStory", "1"},
        {"bPauseRetryChallenge", "1"},
        {"bFullColour", "0"},
        {"byTransRed", "0"},
        {"byTransGreen", "0"},
        {"byTransBlue", "0"},
        {"bScrollSyncVariant", "0"},
        {"bResizeVariant", "0"},
        {"bDefeatVariant", "0"},
        {"bD3DColourVariant", "0"},
        {"nCycleStep", "16"},
        {"bPaletteCycle", "0"},
        {"bTriggerRepeat", "0"},
        {"bPlacementVariant", "0"},
        {"bSummonVariant", "0"},
        {"bKeyMatchVariant", "0"},
        {"bLandWhileRising", "0"},
        {"bKeepNegativeTime", "0"},
        {"bReservedSwitch", "0"},
        {"bStageStartVariant", "0"},
        {"nD3DDepth", "0"},
        {"nDDDepth", "2"},
        {"CarryOverFlags", "1,1,0,0,0,0,0,0,0,0,0,0,0,1,1,0,1,1,0,1,1,1,0,0,0"},
        {"ResetFlags", "0,0,0,0,0,0,0,0,0,0,0,1,1,0,0,0,0,0,0,0,0,0,0,0,0"},
        {"HudItems.strLabel", Sjis("スコア,スコア,HP,SP,人")},
        {"HudItems.bVisible", "1,1,1,1,1"},
        {"HudItems.bIcon", "1,1,1,1,1"},
        {"HudItems.nDigits", "4,3,0,0,2"},
        {"RankingRows.bEnabled", "1,1,1,0"},
        {"RankingRows.GenreFlags", "11111|11111|11111|00000"},
        {"TitleMenuItems",
         Sjis("1:はじめから|1:つづきから|1:チャレンジ|1:フリー|1:リプレイ|1:オプション|1:しゅうりょう")},
        {"MapMenuItems", Sjis("1:セーブ|1:オートセーブ|1:もどる|1:タイトルへ")},
        {"OptionMenuItems", Sjis("1:BGM|1:SE|1:ランキング登録|1:ランキング登録名|1:もどる|1:")},
        {"RankingEntryModes",
         Sjis("手動登録（登録名入力）|手動登録（登録名固定）|自動登録（登録名入力）|自動登録（登録名固定）")},
        {"LivesTable", "5,5,5,99"},
        {"UnlimitedLivesTable", "1,1,1,1"},
        {"TextTable", Sjis("ワールド|ステージ|スコア|ハイスコア|トータルスコア|スコア|残り時間|クリア時間|"
                           "残りHP|残りSP|ステージに挑む|やっぱりやめる|セーブする|やっぱりやめる|"
                           "オートセーブＯＮ|オートセーブＯＦＦ|保存先が不明です！一度は「セーブ」して下さい！|"
                           "タイトルへ戻る|やっぱりやめる|しゅうりょう|つづける|リトライ|リトライ|マップへ戻る|"
                           "Vキーでジャンルの切り替え|スペースキーでタイトルへ戻る|スペースキーで終了|"
                           "F3キーでランキングへ登録")},
        {"SystemSoundNames", "||||||||||||||||"},
        {"MusicTable", "0,0,0,0"},
        {"MusicLoopFlags", "1,1,1,1"},
        {"IniSettings", "Direct3D=2|WindowMode=0|Bpp=0|VSync=2|D3D_FontCache=0|DD_FontCache=1|"
                        "DD_VideoStretch=0|ShowFps=1|FreeStage=''|English=0"},
    };
}

TEST(cSystemDataDefaultsTest, NewSettingsHoldTheDefaultTables)
{
    cSystemData settings;
    for (const Expected& e : DefaultSettings()) {
        EXPECT_EQ(Setting(settings, e.setting), e.value) << e.setting;
    }
    EXPECT_EQ(settings.SystemSoundNames.size(), 17u);
    EXPECT_EQ(settings.TextTable.size(), 28u);
}

TEST(cSystemDataDefaultsTest, TextsAreShiftJisBytes)
{
    cSystemData settings;
    // "スコア" and "オートセーブＯＮ" as the code page 932 bytes stored in the files.
    EXPECT_EQ(settings.TextTable[2], "\x83\x58\x83\x52\x83\x41");
    EXPECT_EQ(settings.TextTable[14], "\x83\x49\x81\x5B\x83\x67\x83\x5A\x81\x5B\x83\x75\x82\x6E\x82\x6D");
}

TEST(cSystemDataDefaultsTest, DefaultsReplaceWhatTheRecordHeld)
{
    cSystemData settings;
    settings.TitleMenuItems[6].bEnabled = 0;
    settings.IniSettings[0].SetText("x", "y");
    settings.HudItems[2].nWarnValue = 50;
    settings.TextTable.resize(3);
    settings.SetDefaults();
    for (const Expected& e : DefaultSettings()) {
        EXPECT_EQ(Setting(settings, e.setting), e.value) << e.setting;
    }
    EXPECT_EQ(settings.HudItems[2].nWarnValue, 0);
    EXPECT_EQ(settings.IniSettings[0].strText, "");
}

}  // namespace
