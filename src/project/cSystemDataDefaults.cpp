// The contents of a new project's settings. Members that an older settings file does not hold
// keep these values, and the upgrade of old files relies on them for the lists such files lack.
// Every list is rebuilt from new elements, so the result does not depend on what the record held.
#include "project/cSystemData.h"

#include <initializer_list>

#include "core/TextHelpers.h"
#include "project/SettingsLists.h"

namespace {

// Sets list to exactly the given values, in order.
template <class T>
void SetValues(cVector<T>& list, std::initializer_list<T> values)
{
    ResizeList(list, static_cast<int>(values.size()));
    int i = 0;
    for (const T& value : values) {
        list[i++] = value;
    }
}

// Sets a text list to the Shift-JIS forms of the given texts, in order.
void SetTexts(cVector<std::string>& list, std::initializer_list<const char*> utf8Texts)
{
    ResizeList(list, static_cast<int>(utf8Texts.size()));
    int i = 0;
    for (const char* text : utf8Texts) {
        list[i++] = Sjis(text);
    }
}

// Sets a menu to new (enabled) entries with the given labels, in order.
void SetMenu(cVector<cMenuItem>& list, std::initializer_list<const char*> utf8Labels)
{
    list.Reset(static_cast<unsigned>(utf8Labels.size()));
    int i = 0;
    for (const char* label : utf8Labels) {
        list[i++].strLabel = Sjis(label);
    }
}

void SetHudItem(cHudItem& item, const char* utf8Label, int nDigits)
{
    item.bVisible = 1;
    item.bIcon = 1;
    item.strLabel = Sjis(utf8Label);
    item.nDigits = nDigits;
}

void SetRankingRow(cRankingRow& row, int bEnabled, std::uint8_t genreFlag)
{
    row.bEnabled = bEnabled;
    SetValues<std::uint8_t>(row.GenreFlags, {genreFlag, genreFlag, genreFlag, genreFlag, genreFlag});
}

}  // namespace

void cSystemData::SetDefaults()
{
    Clear();
    nDiscardedValue = 0;
    nExtraLifeScore = 100;
    bPauseHideField = 1;
    nFontFace = 60;
    bReplayEnabled = 1;
    bTitleMenuPicture = 1;
    bCarryLives = 1;
    bStoryMissMenu = 1;
    bMapShowLives = 1;
    nWorldCount = 40;
    bFixedWorldCount = 1;
    bMapShowScore = 1;
    bMenuShowTotalScore = 1;
    bSelectShowHighScore = 1;
    bSelectShowTotalScore = 1;
    bRetryRestoreStory = 1;
    bRetryRestoreChallenge = 1;
    bRetryRestoreFree = 1;
    bPauseRetryStory = 1;
    bPauseRetryChallenge = 1;
    nCycleStep = 16;
    nDDDepth = 2;

    SetValues<std::uint8_t>(CarryOverFlags,
                            {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 0, 1, 1, 1, 0, 0, 0});
    ResizeList(ResetFlags, kCarryGroupCount);
    ResetFlags.Fill(0);
    ResetFlags[11] = 1;
    ResetFlags[12] = 1;

    HudItems.Reset(kHudItemCount);
    SetHudItem(HudItems[0], "スコア", 4);
    SetHudItem(HudItems[1], "スコア", 3);
    SetHudItem(HudItems[2], "HP", 0);
    SetHudItem(HudItems[3], "SP", 0);
    SetHudItem(HudItems[4], "人", 2);

    RankingRows.Reset(kPlayKindCount);
    SetRankingRow(RankingRows[0], 1, 1);
    SetRankingRow(RankingRows[1], 1, 1);
    SetRankingRow(RankingRows[2], 1, 1);
    SetRankingRow(RankingRows[3], 0, 0);

    SetMenu(TitleMenuItems,
            {"はじめから", "つづきから", "チャレンジ", "フリー", "リプレイ", "オプション", "しゅうりょう"});
    SetMenu(MapMenuItems, {"セーブ", "オートセーブ", "もどる", "タイトルへ"});
    SetMenu(OptionMenuItems, {"BGM", "SE", "ランキング登録", "ランキング登録名", "もどる", ""});
    SetTexts(RankingEntryModes,
             {"手動登録（登録名入力）", "手動登録（登録名固定）", "自動登録（登録名入力）", "自動登録（登録名固定）"});

    SetValues<std::int32_t>(LivesTable, {5, 5, 5, 99});
    SetValues<std::int32_t>(UnlimitedLivesTable, {1, 1, 1, 1});

    SetTexts(TextTable, {
                            "ワールド",
                            "ステージ",
                            "スコア",
                            "ハイスコア",
                            "トータルスコア",
                            "スコア",
                            "残り時間",
                            "クリア時間",
                            "残りHP",
                            "残りSP",
                            "ステージに挑む",
                            "やっぱりやめる",
                            "セーブする",
                            "やっぱりやめる",
                            "オートセーブＯＮ",
                            "オートセーブＯＦＦ",
                            "保存先が不明です！一度は「セーブ」して下さい！",
                            "タイトルへ戻る",
                            "やっぱりやめる",
                            "しゅうりょう",
                            "つづける",
                            "リトライ",
                            "リトライ",
                            "マップへ戻る",
                            "Vキーでジャンルの切り替え",
                            "スペースキーでタイトルへ戻る",
                            "スペースキーで終了",
                            "F3キーでランキングへ登録",
                        });

    ResizeList(SystemSoundNames, kSystemSoundCount);
    SystemSoundNames.Fill(std::string());
    SetValues<std::int32_t>(MusicTable, {0, 0, 0, 0});
    SetValues<std::uint8_t>(MusicLoopFlags, {1, 1, 1, 1});

    IniSettings.Reset(kIniSettingCount);
    IniSettings[0].SetValue("Direct3D", 2);
    IniSettings[1].SetValue("WindowMode", 0);
    IniSettings[2].SetValue("Bpp", 0);
    IniSettings[3].SetValue("VSync", 2);
    IniSettings[4].SetValue("D3D_FontCache", 0);
    IniSettings[5].SetValue("DD_FontCache", 1);
    IniSettings[6].SetValue("DD_VideoStretch", 0);
    IniSettings[7].SetValue("ShowFps", 1);
    IniSettings[8].SetText("FreeStage", "");
    IniSettings[9].SetValue("English", 0);
}
