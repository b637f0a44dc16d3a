// The upgrade of settings files written by older editor versions. Each step belongs to the
// version that changed a layout or a behaviour; a file older than that version gets it. The
// steps run in ascending order, so a later step works on the lists as the earlier ones left them.
// Element accesses go through the checked access.
#include "project/cSystemData.h"

#include "core/TextHelpers.h"
#include "project/SettingsLists.h"

namespace {

// Inserts text at k of the text table, keeping its size.
void InsertText(cVector<std::string>& texts, int k, const char* utf8Text)
{
    InsertAt(texts, k);
    texts[k] = Sjis(utf8Text);
}

// Inserts a byte at k of a flag list of 25 entries.
void InsertCarryFlag(cVector<std::uint8_t>& flags, int k, std::uint8_t value)
{
    ResizeList(flags, cSystemData::kCarryGroupCount);
    InsertAt(flags, k);
    flags[k] = value;
}

// Inserts an integer "System.ini" setting at k of the key list of 10 entries; the inserted entry
// keeps the text of the entry whose place it took.
void InsertIniValue(cVector<cIniSetting>& settings, int k, const char* name, int value)
{
    InsertAt(settings, k);
    settings[k].SetValue(name, value);
}

}  // namespace

void cSystemData::Upgrade(int v)
{
    if (v < 113) bKeepTestPlayFlows = 0;
    if (v < 157) bTitleMenuPicture = 0;
    if (v < 167) {
        bMapShowScore = 1;
        bMenuShowTotalScore = 1;
        bSelectShowHighScore = 1;
        bSelectShowTotalScore = 1;
    }
    if (v < 168) InsertCarryFlag(CarryOverFlags, 16, 1);
    if (v < 169) {
        // The autosave entry of the world-map menu and its three texts.
        ResizeList(MapMenuItems, kMapMenuCount);
        MapMenuItems[3] = MapMenuItems[2];
        MapMenuItems[2] = MapMenuItems[1];
        MapMenuItems[1].bEnabled = 1;
        MapMenuItems[1].strLabel = Sjis("オートセーブ");
        ResizeList(TextTable, kTextCount);
        InsertText(TextTable, 12, "保存先が不明です！一度は「セーブ」して下さい！");
        InsertText(TextTable, 12, "オートセーブＯＦＦ");
        InsertText(TextTable, 12, "オートセーブＯＮ");
    }
    if (v < 170) bFontCentreGlyphs = 0;
    if (v < 181) {
        // Ranking genres 3 and 4 (remaining HP and SP) and their names.
        for (int row = 0; row < kPlayKindCount; ++row) {
            cRankingRow& ranking = RankingRows[row];
            ResizeList(ranking.GenreFlags, cRankingRow::kGenreCount);
            ranking.GenreFlags[3] = 0;
            ranking.GenreFlags[4] = 0;
        }
        ResizeList(TextTable, kTextCount);
        InsertText(TextTable, 8, "残りHP");
        InsertText(TextTable, 9, "残りSP");
    }
    if (v < 184) bReplayEnabled = 1;
    if (v < 185) bExtraLifeByScore = 1;
    if (v < 187) {
        bFullColour = 0;
        byTransRed = 0;
        byTransGreen = 177;
        byTransBlue = 0;
    }
    if (v < 188) {
        bRetryRestoreStory = 1;
        bRetryRestoreChallenge = 1;
        bRetryRestoreFree = 1;
    }
    if (v < 191) {
        ResizeList(UnlimitedLivesTable, kPlayKindCount);
        UnlimitedLivesTable[0] = 0;
        UnlimitedLivesTable[1] = 0;
        UnlimitedLivesTable[2] = 0;
        UnlimitedLivesTable[3] = 1;
        bStoryMissMenu = 0;
        bMapShowLives = 0;
    }
    if (v < 192) bRetryRestoreDirect = 1;
    if (v < 193) {
        // The after-miss menu.
        ResizeList(TextTable, kTextCount);
        InsertText(TextTable, 22, "リトライ");
        InsertText(TextTable, 23, "マップへ戻る");
    }
    if (v < 201) InsertCarryFlag(CarryOverFlags, 14, 0);
    if (v < 202) {
        ResizeList(MusicLoopFlags, kMusicScreenCount);
        MusicLoopFlags.Fill(1);
    }
    if (v < 205) nFontFace = 60;
    if (v < 210) InsertCarryFlag(CarryOverFlags, 9, 0);
    if (v < 214) bScrollSyncVariant = 1;
    if (v < 224) {
        bPauseRetryStory = 0;
        bPauseRetryChallenge = 0;
    }
    if (v < 261) bResizeVariant = 1;
    if (v < 272) bDefeatVariant = 0;
    if (v < 286) {
        // The drawing back-end became a setting; the old VSync values 3 and up meant 2.
        ResizeList(IniSettings, kIniSettingCount);
        InsertIniValue(IniSettings, 0, "Direct3D", 1);
        if (IniSettings[3].nValue >= 3) {
            IniSettings[3].nValue = 2;
        }
    }
    if (v < 287) bD3DColourVariant = 0;
    if (v < 289) bPaletteCycle = bFullColour == 0 ? 1 : 0;
    if (v < 501) {
        ResizeList(ResetFlags, kCarryGroupCount);
        ResetFlags.Fill(0);
    }
    if (v < 515) nCycleStep = 16;
    if (v < 525) bTriggerRepeat = 1;
    if (v < 555) bPlacementVariant = 1;
    if (v < 567) {
        ResizeList(IniSettings, kIniSettingCount);
        InsertIniValue(IniSettings, 4, "DD_VideoStretch", 0);
    }
    if (v < 568) {
        ResizeList(IniSettings, kIniSettingCount);
        InsertIniValue(IniSettings, 4, "D3D_FontCache", 0);
        InsertIniValue(IniSettings, 5, "DD_FontCache", 1);
    }
    if (v < 587) {
        // The low-value warning of the two gauges.
        ResizeList(HudItems, kHudItemCount);
        HudItems[2].nWarnValue = 33;
        HudItems[2].bWarnPercent = 1;
        HudItems[3].nWarnValue = 33;
        HudItems[3].bWarnPercent = 1;
    }
    if (v < 637) bSummonVariant = v <= 616 ? 1 : 0;
    if (v < 669) bKeyMatchVariant = 1;
    if (v < 670) {
        nD3DDepth = 0;
        nDDDepth = 2;
    }
    if (v < 672) {
        ResizeList(IniSettings, kIniSettingCount);
        IniSettings[9].SetValue("English", 0);
    }
    if (v < 677) bLandWhileRising = 1;
    if (v < 695) bKeepNegativeTime = 1;
    if (v < 696) bReservedSwitch = 1;
    if (v < 697) bStageStartVariant = 1;
}
