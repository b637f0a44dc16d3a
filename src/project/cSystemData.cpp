#include "project/cSystemData.h"

#include <string>
#include <type_traits>

#include "core/RecordList.h"
#include "project/SettingsLists.h"
#include "project/cDatabase.h"

cSystemData SystemData;

namespace {

// The versions from which the file holds a member or a list.
constexpr int kExtraLifeVersion = 185;
constexpr int kFontFaceVersion = 205;
constexpr int kCentreGlyphsVersion = 170;
constexpr int kTestPlayFlowsVersion = 113;
constexpr int kReplayVersion = 184;
constexpr int kTitlePictureVersion = 157;
constexpr int kMissMenuVersion = 191;
constexpr int kScoreDisplayVersion = 167;
constexpr int kRetryRestoreVersion = 188;
constexpr int kPauseRetryVersion = 224;
constexpr int kRetryDirectVersion = 192;
constexpr int kColourModeVersion = 187;
constexpr int kScrollSyncVersion = 214;
constexpr int kDiscardedFirstVersion = 221;
constexpr int kDiscardedLastVersion = 259;
constexpr int kResizeVersion = 261;
constexpr int kDefeatVersion = 272;
constexpr int kD3DColourVersion = 287;
constexpr int kCycleStepVersion = 515;
constexpr int kPaletteCycleVersion = 289;
constexpr int kTriggerRepeatVersion = 525;
constexpr int kPlacementVersion = 555;
constexpr int kSummonVersion = 637;
constexpr int kKeyMatchVersion = 669;
constexpr int kLandWhileRisingVersion = 677;
constexpr int kNegativeTimeVersion = 695;
constexpr int kReservedSwitchVersion = 696;
constexpr int kStageStartVersion = 697;
constexpr int kDepthVersion = 670;

constexpr int kResetFlagsVersion = 501;
constexpr int kUnlimitedLivesVersion = 191;
constexpr int kRankingRowsVersion = 186;
constexpr int kMusicLoopVersion = 202;
constexpr int kEntryModesVersion = 674;

// Appends copies of inert up to the length of defaults.
template <class T>
void PadTo(cVector<T>& list, const cVector<T>& defaults, const std::type_identity_t<T>& inert)
{
    if (list.size() < defaults.size()) {
        list.resize(defaults.size(), inert);
    }
}

// An entry that does nothing: a menu entry or ranking row not offered, a status-bar item not
// shown, a System.ini key without name and with value 0.
cMenuItem InertMenuItem()
{
    cMenuItem item;
    item.bEnabled = 0;
    return item;
}

}  // namespace

cSystemData::cSystemData()
{
    RegisterMembers(nDataVersion);
    SetDefaults();
}

void cSystemData::RegisterMembers(int v)
{
    ClearMemberList();
    AddStrMember(&strTitle, 1);
    if (v >= kExtraLifeVersion) AddDwordMember(&bExtraLifeByScore, 1);
    AddDwordMember(&nExtraLifeScore, 1);
    AddDwordMember(&bPauseHideField, 1);
    AddDwordMember(&bFontAlphabet, 1);
    if (v >= kFontFaceVersion) AddDwordMember(&nFontFace, 1);
    if (v >= kCentreGlyphsVersion) AddDwordMember(&bFontCentreGlyphs, 1);
    if (v >= kTestPlayFlowsVersion) AddDwordMember(&bKeepTestPlayFlows, 1);
    if (v >= kReplayVersion) AddDwordMember(&bReplayEnabled, 1);
    if (v >= kTitlePictureVersion) AddDwordMember(&bTitleMenuPicture, 1);
    AddDwordMember(&bCarryLives, 1);
    if (v >= kMissMenuVersion) {
        AddDwordMember(&bStoryMissMenu, 1);
        AddDwordMember(&bMapShowLives, 1);
    }
    AddDwordMember(&nWorldCount, 1);
    AddDwordMember(&bFixedWorldCount, 1);
    if (v >= kScoreDisplayVersion) {
        AddDwordMember(&bMapShowScore, 1);
        AddDwordMember(&bMenuShowTotalScore, 1);
    }
    if (v >= kRetryRestoreVersion) AddDwordMember(&bRetryRestoreStory, 1);
    if (v >= kPauseRetryVersion) AddDwordMember(&bPauseRetryStory, 1);
    if (v >= kScoreDisplayVersion) {
        AddDwordMember(&bSelectShowHighScore, 1);
        AddDwordMember(&bSelectShowTotalScore, 1);
    }
    if (v >= kRetryRestoreVersion) AddDwordMember(&bRetryRestoreChallenge, 1);
    if (v >= kPauseRetryVersion) AddDwordMember(&bPauseRetryChallenge, 1);
    if (v >= kRetryRestoreVersion) AddDwordMember(&bRetryRestoreFree, 1);
    if (v >= kRetryDirectVersion) AddDwordMember(&bRetryRestoreDirect, 1);
    if (v >= kColourModeVersion) {
        AddDwordMember(&bFullColour, 1);
        AddByteMember(&byTransRed, 1);
        AddByteMember(&byTransGreen, 1);
        AddByteMember(&byTransBlue, 1);
    }
    if (v >= kScrollSyncVersion) AddDwordMember(&bScrollSyncVariant, 1);
    if (v >= kDiscardedFirstVersion && v <= kDiscardedLastVersion) AddDwordMember(&nDiscardedValue, 1);
    if (v >= kResizeVersion) AddDwordMember(&bResizeVariant, 1);
    if (v >= kDefeatVersion) AddDwordMember(&bDefeatVariant, 1);
    if (v >= kD3DColourVersion) AddDwordMember(&bD3DColourVariant, 1);
    if (v >= kCycleStepVersion) AddDwordMember(&nCycleStep, 1);
    if (v >= kPaletteCycleVersion) AddDwordMember(&bPaletteCycle, 1);
    if (v >= kTriggerRepeatVersion) AddDwordMember(&bTriggerRepeat, 1);
    if (v >= kPlacementVersion) AddDwordMember(&bPlacementVariant, 1);
    if (v >= kSummonVersion) AddDwordMember(&bSummonVariant, 1);
    if (v >= kKeyMatchVersion) AddDwordMember(&bKeyMatchVariant, 1);
    if (v >= kLandWhileRisingVersion) AddDwordMember(&bLandWhileRising, 1);
    if (v >= kNegativeTimeVersion) AddDwordMember(&bKeepNegativeTime, 1);
    if (v >= kReservedSwitchVersion) AddDwordMember(&bReservedSwitch, 1);
    if (v >= kStageStartVersion) AddDwordMember(&bStageStartVariant, 1);
    if (v >= kDepthVersion) {
        AddDwordMember(&nD3DDepth, 1);
        AddDwordMember(&nDDDepth, 1);
    }
}

int cSystemData::Load(FILE* fp)
{
    int ok = cDataRecord::Load(fp) && LoadLists(fp);
    if (ok && nFileVersion < kCurrentDataVersion) {
        Upgrade(nFileVersion);
    }
    PadLists();
    ClampMusicIndices();
    return ok;
}

int cSystemData::LoadLists(FILE* fp)
{
    const int v = nFileVersion;
    return LoadValueList(fp, CarryOverFlags) && (v < kResetFlagsVersion || LoadValueList(fp, ResetFlags)) &&
           LoadRecordList(fp, HudItems) && LoadValueList(fp, LivesTable) &&
           (v < kUnlimitedLivesVersion || LoadValueList(fp, UnlimitedLivesTable)) &&
           (v < kRankingRowsVersion || LoadRecordList(fp, RankingRows)) && LoadStringList(fp, TextTable) &&
           LoadStringList(fp, SystemSoundNames) && LoadValueList(fp, MusicTable) &&
           (v < kMusicLoopVersion || LoadValueList(fp, MusicLoopFlags)) && LoadRecordList(fp, TitleMenuItems) &&
           LoadRecordList(fp, MapMenuItems) && LoadRecordList(fp, OptionMenuItems) &&
           (v < kEntryModesVersion || LoadStringList(fp, RankingEntryModes)) && LoadRecordList(fp, IniSettings);
}

int cSystemData::Save(FILE* fp)
{
    ClampMusicIndices();
    int ok = cDataRecord::Save(fp);
    ok = SaveValueList(fp, CarryOverFlags) && ok;
    ok = SaveValueList(fp, ResetFlags) && ok;
    ok = SaveRecordList(fp, HudItems) && ok;
    ok = SaveValueList(fp, LivesTable) && ok;
    ok = SaveValueList(fp, UnlimitedLivesTable) && ok;
    ok = SaveRecordList(fp, RankingRows) && ok;
    ok = SaveStringList(fp, TextTable) && ok;
    ok = SaveStringList(fp, SystemSoundNames) && ok;
    ok = SaveValueList(fp, MusicTable) && ok;
    ok = SaveValueList(fp, MusicLoopFlags) && ok;
    ok = SaveRecordList(fp, TitleMenuItems) && ok;
    ok = SaveRecordList(fp, MapMenuItems) && ok;
    ok = SaveRecordList(fp, OptionMenuItems) && ok;
    ok = SaveStringList(fp, RankingEntryModes) && ok;
    ok = SaveRecordList(fp, IniSettings) && ok;
    return ok;
}

void cSystemData::ClampMusicIndices()
{
    const auto bgmCount = static_cast<std::uint32_t>(Database.Bgm.size());
    for (std::int32_t& music : MusicTable) {
        if (static_cast<std::uint32_t>(music) >= bgmCount) {
            music = 0;
        }
    }
}

void cSystemData::PadLists()
{
    // Built once: the lengths of a new project's lists never change. The padding is inert, not
    // the new project's entries: those would bring back menu rows and texts a game removed.
    static const cSystemData defaults;
    static const cMenuItem inertMenuItem = InertMenuItem();
    PadTo(CarryOverFlags, defaults.CarryOverFlags, 0);
    PadTo(ResetFlags, defaults.ResetFlags, 0);
    PadTo(HudItems, defaults.HudItems, cHudItem());
    PadTo(TitleMenuItems, defaults.TitleMenuItems, inertMenuItem);
    PadTo(MapMenuItems, defaults.MapMenuItems, inertMenuItem);
    PadTo(OptionMenuItems, defaults.OptionMenuItems, inertMenuItem);
    PadTo(RankingEntryModes, defaults.RankingEntryModes, std::string());
    PadTo(LivesTable, defaults.LivesTable, 0);
    PadTo(UnlimitedLivesTable, defaults.UnlimitedLivesTable, 0);
    PadTo(RankingRows, defaults.RankingRows, cRankingRow());
    PadTo(SystemSoundNames, defaults.SystemSoundNames, std::string());
    PadTo(MusicTable, defaults.MusicTable, 0);
    PadTo(MusicLoopFlags, defaults.MusicLoopFlags, 0);
    PadTo(TextTable, defaults.TextTable, std::string());
    PadTo(IniSettings, defaults.IniSettings, cIniSetting());
    for (cRankingRow& row : RankingRows) {
        if (row.GenreFlags.size() < static_cast<std::size_t>(cRankingRow::kGenreCount)) {
            row.GenreFlags.resize(cRankingRow::kGenreCount, 0);
        }
    }
}
