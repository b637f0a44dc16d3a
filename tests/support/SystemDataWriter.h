// The project-settings part of the game-folder writer: "data\System.dat" built byte by byte from
// the layout of each data version, independently of the player's own record code. Texts are the
// bytes stored in the file (Shift-JIS).
//
// The file: int32 version; int32 raw-member count and the raw members that version holds (in the
// registration order, not by version); int32 1 and the title; then the fifteen lists, each an
// int32 count and its elements, the lists that the version does not hold left out.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ByteWriter.h"

namespace testsupport {

// The version the player writes and expects.
constexpr int kSystemDataVersion = 720;

struct MenuItemSpec {
    std::int32_t enabled = 1;
    std::string label;
};

// A status-bar item; showValue is stored from version 204, the warning from 587.
struct HudItemSpec {
    std::int32_t visible = 1;
    std::int32_t icon = 1;
    std::string label;
    std::int32_t digits = 0;
    std::int32_t showValue = 0;
    std::int32_t warnValue = 0;
    std::int32_t warnPercent = 0;
};

struct RankingRowSpec {
    std::int32_t enabled = 1;
    std::vector<std::uint8_t> genres{1, 1, 1, 1, 1};
};

// A "System.ini" key: kind 0 integer, 1 text.
struct IniSettingSpec {
    std::int32_t kind = 0;
    std::string name;
    std::int32_t value = 0;
    std::string text;
};

// Every stored value of the settings. The comment after a member gives the first version that
// stores it (none: every version).
struct SystemDataSpec {
    std::int32_t extraLifeByScore = 0;  // 185
    std::int32_t extraLifeScore = 100;
    std::int32_t pauseHideField = 1;
    std::int32_t fontAlphabet = 0;
    std::int32_t fontFace = 60;          // 205
    std::int32_t fontCentreGlyphs = 0;   // 170
    std::int32_t keepTestPlayFlows = 0;  // 113
    std::int32_t replayEnabled = 1;      // 184
    std::int32_t titleMenuPicture = 1;   // 157
    std::int32_t carryLives = 1;
    std::int32_t storyMissMenu = 1;  // 191
    std::int32_t mapShowLives = 1;   // 191
    std::int32_t worldCount = 40;
    std::int32_t fixedWorldCount = 1;
    std::int32_t mapShowScore = 1;           // 167
    std::int32_t menuShowTotalScore = 1;     // 167
    std::int32_t retryRestoreStory = 1;      // 188
    std::int32_t pauseRetryStory = 1;        // 224
    std::int32_t selectShowHighScore = 1;    // 167
    std::int32_t selectShowTotalScore = 1;   // 167
    std::int32_t retryRestoreChallenge = 1;  // 188
    std::int32_t pauseRetryChallenge = 1;    // 224
    std::int32_t retryRestoreFree = 1;       // 188
    std::int32_t retryRestoreDirect = 0;     // 192
    std::int32_t fullColour = 0;             // 187
    std::uint8_t transRed = 0;               // 187
    std::uint8_t transGreen = 0;             // 187
    std::uint8_t transBlue = 0;              // 187
    std::int32_t scrollSyncVariant = 0;      // 214
    std::int32_t discarded = 0;              // 221 to 259 only
    std::int32_t resizeVariant = 0;          // 261
    std::int32_t defeatVariant = 0;          // 272
    std::int32_t d3dColourVariant = 0;       // 287
    std::int32_t cycleStep = 16;             // 515
    std::int32_t paletteCycle = 0;           // 289
    std::int32_t triggerRepeat = 0;          // 525
    std::int32_t placementVariant = 0;       // 555
    std::int32_t summonVariant = 0;          // 637
    std::int32_t keyMatchVariant = 0;        // 669
    std::int32_t landWhileRising = 0;        // 677
    std::int32_t keepNegativeTime = 0;       // 695
    std::int32_t reservedSwitch = 0;         // 696
    std::int32_t stageStartVariant = 0;      // 697
    std::int32_t d3dDepth = 0;               // 670
    std::int32_t ddDepth = 2;                // 670

    std::string title;

    std::vector<std::uint8_t> carryOverFlags;
    std::vector<std::uint8_t> resetFlags;  // 501
    std::vector<HudItemSpec> hudItems;
    std::vector<std::int32_t> lives;
    std::vector<std::int32_t> unlimitedLives;  // 191
    std::vector<RankingRowSpec> rankingRows;   // 186
    std::vector<std::string> texts;
    std::vector<std::string> systemSounds;
    std::vector<std::int32_t> music;
    std::vector<std::uint8_t> musicLoop;  // 202
    std::vector<MenuItemSpec> titleMenu;
    std::vector<MenuItemSpec> mapMenu;
    std::vector<MenuItemSpec> optionMenu;
    std::vector<std::string> rankingEntryModes;  // 674
    std::vector<IniSettingSpec> iniSettings;
};

// Settings for a game folder that starts without a dialog: the lists at the lengths the player
// uses, 17 empty system sounds, no music, and the "System.ini" keys with "Direct3D" 0. Texts are
// short ASCII placeholders; tests that need the real default texts write their own.
SystemDataSpec MinimalSystemData();

// One element in the layout of the given version.
void WriteRecord(ByteWriter& out, const MenuItemSpec& item, int version);
void WriteRecord(ByteWriter& out, const HudItemSpec& item, int version);
void WriteRecord(ByteWriter& out, const RankingRowSpec& row, int version);
void WriteRecord(ByteWriter& out, const IniSettingSpec& setting, int version);

// The raw members, their count and the title (the part before the lists).
void WriteSystemDataHead(ByteWriter& out, const SystemDataSpec& spec, int version);
// The lists that the version holds, in file order.
void WriteSystemDataLists(ByteWriter& out, const SystemDataSpec& spec, int version);
// The whole file: version, head, lists.
ByteWriter SystemDataFile(const SystemDataSpec& spec, int version = kSystemDataVersion);

// Writes root/data/System.dat (root is a host folder).
void WriteSystemDataFile(const std::filesystem::path& root, const SystemDataSpec& spec,
                         int version = kSystemDataVersion);

}  // namespace testsupport
