// The save-data part of the game-folder writer: story slot files and the challenge record built
// byte by byte from the layout of each data version, independently of the player's own record
// code. Texts are the bytes stored in the file (Shift-JIS).
//
// The file: int32 version; int32 raw-member count and the raw members that version holds, in
// registration order; int32 2, the stage key and the ranking name; the 16-byte time stamp; the
// carry flags (only above version 500); the carry records, the stage bests, the world records,
// the cleared flags and the variables, each an int32 count and its elements. A carry record is
// int32 5 and five ints (HP, SP, time, lives, music), int32 0, then a complete character
// definition record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ByteWriter.h"

namespace testsupport {

// The version the player writes and expects.
constexpr int kSaveDataVersion = 720;

// A character definition record. members holds the 53 raw members in registration order with the
// definition's defaults; each is written with its width, and only from its first version.
struct CharaSpec {
    std::string name;
    std::vector<std::int64_t> members;
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    std::int32_t placeValue = 0;
    std::vector<std::uint8_t> inherit = std::vector<std::uint8_t>(37, 0);

    CharaSpec();
    // The member by its name ("m_nGraphic"); an unknown name fails the test.
    std::int64_t& operator[](std::string_view member);
    std::int64_t operator[](std::string_view member) const;
};

struct CarryStateSpec {
    std::int32_t hp = 0;
    std::int32_t sp = 0;
    std::int32_t time = 0;
    std::int32_t lives = 0;
    std::int32_t bgm = 0;
    CharaSpec chara;
};

struct StageBestSpec {
    std::string key;
    std::int32_t value = 0;
};

// The eight uint16 of the time stamp: year, month, day of week, day, hour, minute, second, ms.
using TimeSpec = std::vector<std::uint16_t>;

// Every stored value of the save data. The comment after a member gives the first version that
// stores it (none: every version). The defaults are those of a new game.
struct SaveDataSpec {
    std::int32_t carry = 0;
    std::int32_t mapX = 0;
    std::int32_t mapY = 0;
    std::int32_t mapEntry = 0;
    std::int32_t lap = 0;
    std::int32_t stageNo = 0;
    std::int32_t worldStage = 0;
    std::int32_t startLives = 0;
    std::int32_t lives = 0;
    std::int32_t totalScore = 0;
    std::int32_t runScore = 0;
    std::int32_t bestTotal = 0;
    std::int32_t runValue1 = 0;
    std::int32_t runValue2 = 0;
    std::int32_t runValue3 = 0;  // 182
    std::int32_t runValue4 = 0;  // 182
    std::int32_t worldRun = 0;
    std::int32_t stageBgm = 0;
    std::int32_t stageBgmLoop = 0;  // 166
    std::int32_t mapDir = 0;        // 194
    std::int32_t mapEntered = 0;    // 190
    std::int32_t mapEnterX = 0;     // 191
    std::int32_t mapEnterY = 0;     // 191
    std::int32_t worldOpen = 1;
    std::int32_t slot = -1;
    std::int32_t autoSave = 0;  // 169
    std::int32_t rankingShow = 0;
    std::int32_t rankingKind = 0;
    std::int32_t startPos = 0;  // 678
    std::int32_t startX = 0;    // 678
    std::int32_t startY = 0;    // 678
    std::int32_t startDir = 0;  // 679

    std::string stage;
    std::string name = "aaa";

    TimeSpec time = TimeSpec(8, 0);
    std::vector<std::int32_t> carryFlags = std::vector<std::int32_t>(25, 0);  // 501
    std::vector<CarryStateSpec> carryStates{CarryStateSpec{}};
    std::vector<StageBestSpec> stageBests;
    std::vector<std::pair<std::int32_t, std::int32_t>> worldRecords;
    std::vector<std::int32_t> stageClear = NewStageClear();
    std::vector<std::int32_t> vars = std::vector<std::int32_t>(256, 0);

    // 1000 cleared flags, entry 0 set.
    static std::vector<std::int32_t> NewStageClear();
};

// One element in the layout of the given version.
void WriteRecord(ByteWriter& out, const CharaSpec& chara, int version);
void WriteRecord(ByteWriter& out, const CarryStateSpec& state, int version);

// The raw members, their count and the two strings (the part before the time stamp).
void WriteSaveDataHead(ByteWriter& out, const SaveDataSpec& spec, int version);
// The whole file: version, head, time stamp and lists.
ByteWriter SaveDataFile(const SaveDataSpec& spec, int version = kSaveDataVersion);

}  // namespace testsupport
