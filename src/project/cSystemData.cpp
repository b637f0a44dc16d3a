#include "project/cSystemData.h"

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

// Appends the entries of defaults at the positions that list lacks.
template <class T>
void PadFrom(cVector<T>& list, const cVector<T>& defaults)
{
    for (std::size_t i = list.size(); i < defaults.size(); ++i) {
        list.push_back(defaults[static_cast<int>(i)]);
    }
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
    // Built once: the contents of a new project never change.
    static const cSystemData defaults;
    PadFrom(CarryOverFlags, defaults.CarryOverFlags);
    PadFrom(ResetFlags, defaults.ResetFlags);
    PadFrom(HudItems, defaults.HudItems);
    PadFrom(TitleMenuItems, defaults.TitleMenuItems);
    PadFrom(MapMenuItems, defaults.MapMenuItems);
    PadFrom(OptionMenuItems, defaults.OptionMenuItems);
    PadFrom(RankingEntryModes, defaults.RankingEntryModes);
    PadFrom(LivesTable, defaults.LivesTable);
    PadFrom(UnlimitedLivesTable, defaults.UnlimitedLivesTable);
    PadFrom(RankingRows, defaults.RankingRows);
    PadFrom(SystemSoundNames, defaults.SystemSoundNames);
    PadFrom(MusicTable, defaults.MusicTable);
    PadFrom(MusicLoopFlags, defaults.MusicLoopFlags);
    PadFrom(TextTable, defaults.TextTable);
    PadFrom(IniSettings, defaults.IniSettings);
    for (cRankingRow& row : RankingRows) {
        if (row.GenreFlags.size() < static_cast<std::size_t>(cRankingRow::kGenreCount)) {
            row.GenreFlags.resize(cRankingRow::kGenreCount, 0);
        }
    }
}
