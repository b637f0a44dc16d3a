// Shared by the project-settings tests: a game folder with "data\System.dat" written by the
// independent settings writer, a main window that counts the WM_CLOSE of the checked access, and
// each setting of a cSystemData as a comparable text.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "ProjectTestSupport.h"
#include "core/CoreTestSupport.h"
#include "project/cSystemData.h"
#include "support/SystemDataWriter.h"

namespace projecttest {

// The int32 raw members, named as in the record, with the writer's field for each.
struct IntSetting {
    const char* name;
    std::int32_t cSystemData::*member;
    std::int32_t testsupport::SystemDataSpec::*stored;
};

using Spec = testsupport::SystemDataSpec;

inline constexpr IntSetting kIntSettings[] = {
    {"bExtraLifeByScore", &cSystemData::bExtraLifeByScore, &Spec::extraLifeByScore},
    {"nExtraLifeScore", &cSystemData::nExtraLifeScore, &Spec::extraLifeScore},
    {"bPauseHideField", &cSystemData::bPauseHideField, &Spec::pauseHideField},
    {"bFontAlphabet", &cSystemData::bFontAlphabet, &Spec::fontAlphabet},
    {"nFontFace", &cSystemData::nFontFace, &Spec::fontFace},
    {"bFontCentreGlyphs", &cSystemData::bFontCentreGlyphs, &Spec::fontCentreGlyphs},
    {"bKeepTestPlayFlows", &cSystemData::bKeepTestPlayFlows, &Spec::keepTestPlayFlows},
    {"bReplayEnabled", &cSystemData::bReplayEnabled, &Spec::replayEnabled},
    {"bTitleMenuPicture", &cSystemData::bTitleMenuPicture, &Spec::titleMenuPicture},
    {"bCarryLives", &cSystemData::bCarryLives, &Spec::carryLives},
    {"bStoryMissMenu", &cSystemData::bStoryMissMenu, &Spec::storyMissMenu},
    {"bMapShowLives", &cSystemData::bMapShowLives, &Spec::mapShowLives},
    {"nWorldCount", &cSystemData::nWorldCount, &Spec::worldCount},
    {"bFixedWorldCount", &cSystemData::bFixedWorldCount, &Spec::fixedWorldCount},
    {"bMapShowScore", &cSystemData::bMapShowScore, &Spec::mapShowScore},
    {"bMenuShowTotalScore", &cSystemData::bMenuShowTotalScore, &Spec::menuShowTotalScore},
    {"bRetryRestoreStory", &cSystemData::bRetryRestoreStory, &Spec::retryRestoreStory},
    {"bPauseRetryStory", &cSystemData::bPauseRetryStory, &Spec::pauseRetryStory},
    {"bSelectShowHighScore", &cSystemData::bSelectShowHighScore, &Spec::selectShowHighScore},
    {"bSelectShowTotalScore", &cSystemData::bSelectShowTotalScore, &Spec::selectShowTotalScore},
    {"bRetryRestoreChallenge", &cSystemData::bRetryRestoreChallenge, &Spec::retryRestoreChallenge},
    {"bPauseRetryChallenge", &cSystemData::bPauseRetryChallenge, &Spec::pauseRetryChallenge},
    {"bRetryRestoreFree", &cSystemData::bRetryRestoreFree, &Spec::retryRestoreFree},
    {"bRetryRestoreDirect", &cSystemData::bRetryRestoreDirect, &Spec::retryRestoreDirect},
    {"bFullColour", &cSystemData::bFullColour, &Spec::fullColour},
    {"bScrollSyncVariant", &cSystemData::bScrollSyncVariant, &Spec::scrollSyncVariant},
    {"bResizeVariant", &cSystemData::bResizeVariant, &Spec::resizeVariant},
    {"bDefeatVariant", &cSystemData::bDefeatVariant, &Spec::defeatVariant},
    {"bD3DColourVariant", &cSystemData::bD3DColourVariant, &Spec::d3dColourVariant},
    {"nCycleStep", &cSystemData::nCycleStep, &Spec::cycleStep},
    {"bPaletteCycle", &cSystemData::bPaletteCycle, &Spec::paletteCycle},
    {"bTriggerRepeat", &cSystemData::bTriggerRepeat, &Spec::triggerRepeat},
    {"bPlacementVariant", &cSystemData::bPlacementVariant, &Spec::placementVariant},
    {"bSummonVariant", &cSystemData::bSummonVariant, &Spec::summonVariant},
    {"bKeyMatchVariant", &cSystemData::bKeyMatchVariant, &Spec::keyMatchVariant},
    {"bLandWhileRising", &cSystemData::bLandWhileRising, &Spec::landWhileRising},
    {"bKeepNegativeTime", &cSystemData::bKeepNegativeTime, &Spec::keepNegativeTime},
    {"bReservedSwitch", &cSystemData::bReservedSwitch, &Spec::reservedSwitch},
    {"bStageStartVariant", &cSystemData::bStageStartVariant, &Spec::stageStartVariant},
    {"nD3DDepth", &cSystemData::nD3DDepth, &Spec::d3dDepth},
    {"nDDDepth", &cSystemData::nDDDepth, &Spec::ddDepth},
};

template <class List, class Format>
std::string Join(const List& list, const char* separator, Format format)
{
    std::string out;
    for (std::size_t i = 0; i < list.size(); ++i) {
        out += (i == 0 ? "" : separator) + format(list[static_cast<int>(i)]);
    }
    return out;
}

inline std::string Number(std::int64_t value)
{
    return std::to_string(value);
}

// One setting as text: a raw member in decimal; "CarryOverFlags" and the other value lists as
// "a,b,c"; text lists as "a|b|c"; menus as "enabled:label|..."; "IniSettings" as "name=value"
// (integer) or "name='text'" (text) joined by '|'; "HudItems.<member>" and "RankingRows.bEnabled"
// as the member of every element joined by ','; "RankingRows.GenreFlags" as each row's flags
// written as digits, rows joined by '|'. An unknown name fails the test.
inline std::string Setting(const cSystemData& s, std::string_view name)
{
    for (const IntSetting& setting : kIntSettings) {
        if (name == setting.name) {
            return Number(s.*setting.member);
        }
    }
    auto number = [](auto v) { return Number(v); };
    auto text = [](const std::string& t) { return t; };
    auto menu = [](const cMenuItem& m) { return Number(m.bEnabled) + ":" + m.strLabel; };
    if (name == "byTransRed") return Number(s.byTransRed);
    if (name == "byTransGreen") return Number(s.byTransGreen);
    if (name == "byTransBlue") return Number(s.byTransBlue);
    if (name == "strTitle") return s.strTitle;
    if (name == "CarryOverFlags") return Join(s.CarryOverFlags, ",", number);
    if (name == "ResetFlags") return Join(s.ResetFlags, ",", number);
    if (name == "LivesTable") return Join(s.LivesTable, ",", number);
    if (name == "UnlimitedLivesTable") return Join(s.UnlimitedLivesTable, ",", number);
    if (name == "MusicTable") return Join(s.MusicTable, ",", number);
    if (name == "MusicLoopFlags") return Join(s.MusicLoopFlags, ",", number);
    if (name == "TextTable") return Join(s.TextTable, "|", text);
    if (name == "SystemSoundNames") return Join(s.SystemSoundNames, "|", text);
    if (name == "RankingEntryModes") return Join(s.RankingEntryModes, "|", text);
    if (name == "TitleMenuItems") return Join(s.TitleMenuItems, "|", menu);
    if (name == "MapMenuItems") return Join(s.MapMenuItems, "|", menu);
    if (name == "OptionMenuItems") return Join(s.OptionMenuItems, "|", menu);
    if (name == "IniSettings") {
        return Join(s.IniSettings, "|", [](const cIniSetting& e) {
            return e.strName + (e.nKind == 0 ? "=" + Number(e.nValue) : "='" + e.strText + "'");
        });
    }
    if (name == "HudItems.strLabel") return Join(s.HudItems, ",", [](const cHudItem& h) { return h.strLabel; });
    if (name == "HudItems.bVisible") return Join(s.HudItems, ",", [](const cHudItem& h) { return Number(h.bVisible); });
    if (name == "HudItems.bIcon") return Join(s.HudItems, ",", [](const cHudItem& h) { return Number(h.bIcon); });
    if (name == "HudItems.nDigits") return Join(s.HudItems, ",", [](const cHudItem& h) { return Number(h.nDigits); });
    if (name == "HudItems.bShowValue")
        return Join(s.HudItems, ",", [](const cHudItem& h) { return Number(h.bShowValue); });
    if (name == "HudItems.nWarnValue")
        return Join(s.HudItems, ",", [](const cHudItem& h) { return Number(h.nWarnValue); });
    if (name == "HudItems.bWarnPercent")
        return Join(s.HudItems, ",", [](const cHudItem& h) { return Number(h.bWarnPercent); });
    if (name == "RankingRows.bEnabled")
        return Join(s.RankingRows, ",", [](const cRankingRow& r) { return Number(r.bEnabled); });
    if (name == "RankingRows.GenreFlags") {
        return Join(s.RankingRows, "|", [](const cRankingRow& r) {
            return Join(r.GenreFlags, "", [](std::uint8_t f) { return Number(f); });
        });
    }
    ADD_FAILURE() << "unknown setting " << name;
    return {};
}

// Project tests with the settings file: the record globals as the start-up sets them, the
// default database (two Bgm entries), and a main window whose WM_CLOSE posts are counted.
class SystemDataTest : public ProjectTest {
protected:
    // Writes spec as "data\System.dat" in the layout of version and loads it into settings.
    int LoadSpec(cSystemData& settings, const testsupport::SystemDataSpec& spec, int version)
    {
        return LoadFileBytes(settings, testsupport::SystemDataFile(spec, version));
    }
    // Writes the bytes as "data\System.dat" and loads them into settings.
    int LoadFileBytes(cSystemData& settings, const testsupport::ByteWriter& bytes)
    {
        folder.Write("data\\System.dat", bytes.Data());
        return settings.LoadFile("data\\System.dat");
    }
    // The WM_CLOSE posts since the last call (a checked access that failed).
    int TakeCloseRequests() { return window.TakePosted(WM_CLOSE); }

    coretest::MainWindow window;
};

}  // namespace projecttest
