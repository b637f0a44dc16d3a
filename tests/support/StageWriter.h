// The stage part of the game-folder writer: stage files ("data\stg4\*.stg4_NNN") and the common
// palette ("data\CommonPalette.cplt4"), with their block, character and item records, built byte
// by byte from the record layouts of each data version, independently of the player's own record
// code. Conditions, flows and commands inside them come from the definitions writer.
//
// Stage file: int32 version; the stage's base part (its header members as far as the version
// holds them, then its text); ranking switches (int32 count, int32 values); five off-screen
// limits; the stage palette (three lists); the placed objects (three lists, each element preceded
// by an int32); backgrounds; texts; from version 173 the end code 123456789.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ByteWriter.h"
#include "DefinitionsWriter.h"

namespace testsupport {

// The version the player writes and expects.
constexpr int kStageVersion = 720;
// The last int32 of a stage file from version 173 on.
constexpr std::int32_t kStageEndCodeValue = 123456789;

// A block with the defaults of a new one; the same raw members in every version.
struct BlockDefSpec {
    std::string name;
    std::int8_t paletteKind = 0;
    std::int16_t paletteIndex = 0;
    std::int8_t condMode = 0;
    std::int8_t condOnce = 0;
    std::int16_t graphic = 0;
    std::int8_t sheet = 0;
    std::int16_t cell = 0;
    std::int8_t drawLayer = 0;
    std::int8_t hidden = 0;
    std::int8_t badgeShow = 0;
    std::int16_t badge = 0;
    std::int8_t hitKind = 1;
    std::uint8_t passFaction = 255;
    std::int8_t touchKind = 0;
    std::int32_t touchValue = 0;
    std::int8_t itemKind = 0;
    std::int16_t itemIndex = 0;
    std::int8_t noOverwrite = 0;
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    std::vector<std::uint8_t> inherit = std::vector<std::uint8_t>(11, 0);
    std::vector<ConditionSpec> conditions;
};

// A character with the defaults of a new one. effectValue1 and deathEffectValue are stored from
// version 196, invincibleColor from 285, scrollSync from 210, rangeKind from 201, defence from 168.
struct CharaDefSpec {
    std::string name;
    std::int8_t paletteKind = 0;
    std::int16_t paletteIndex = 0;
    std::int8_t condMode = 0;
    std::int8_t condOnce = 0;
    std::int8_t direction = 0;
    std::int8_t groupCount = 0;
    std::int16_t groupBaseX = 0;
    std::int16_t groupStepX = 0;
    std::int16_t groupBaseY = 0;
    std::int16_t groupStepY = 0;
    std::int8_t groupMirrorX = 0;
    std::int8_t groupMirrorY = 0;
    std::int16_t graphic = 0;
    std::int8_t sheet = 1;
    std::int16_t cell = 0;
    std::int16_t animeSet = 0;
    std::int8_t z = 3;
    std::int8_t transparent = 0;
    std::int16_t charaEffect = 0;
    std::int8_t effectValue1 = 0;
    std::int8_t effectValue2 = 1;
    std::int16_t deathEffect = 0;
    std::int8_t deathEffectValue = 0;
    std::int8_t badgeShow = 0;
    std::int16_t badge = 0;
    std::int8_t controller = 1;
    std::int8_t opt26 = 0;
    std::int8_t faction = 1;
    std::int8_t charaId = 0;
    std::int8_t flying = 0;
    std::int8_t directionFix = 1;
    std::int8_t invincible = 0;
    std::int8_t invincibleColor = 0;
    std::int8_t fullCell = 0;
    std::int8_t scale = 1;
    std::int8_t scrollSync = 0;
    std::int8_t viewShape = 0;
    std::int8_t viewRange = 0;
    std::int32_t maxHp = 10;
    std::int32_t maxSp = 0;
    std::int16_t brake = 10;
    std::int8_t rangeKind = 0;
    std::int32_t ramPower = 0;
    std::int8_t ramImpact = 0;
    std::int16_t effect = 0;
    std::int32_t defence = 0;
    std::int8_t impactResist = 0;
    std::int32_t score = 0;
    std::int8_t opt48 = 1;
    std::int8_t switchAppear = 0;
    std::int16_t switchNo = 0;
    std::int8_t activeRange = 0;
    std::int8_t presenceMode = 0;
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    std::int32_t placeValue = 0;
    std::vector<std::uint8_t> inherit = std::vector<std::uint8_t>(37, 0);
    std::vector<ConditionSpec> conditions;
    std::vector<FlowSpec> flows;
};

// An item with the defaults of a new one; the same raw members in every version.
struct ItemDefSpec {
    std::string name;
    std::int8_t paletteKind = 0;
    std::int16_t paletteIndex = 0;
    std::int8_t condMode = 0;
    std::int8_t condOnce = 0;
    std::int16_t opt0 = 0;
    std::int16_t opt1 = 0;
    std::int16_t graphic = 0;
    std::int8_t sheet = 2;
    std::int16_t cell = 0;
    std::int8_t opt2 = 6;
    std::int8_t hidden = 0;
    std::int8_t badgeShow = 0;
    std::int16_t badge = 0;
    std::int8_t showIcon = 1;
    std::int8_t pickup = 0;
    std::int8_t scale = 1;
    std::int16_t sound = 0;
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    std::vector<std::uint8_t> inherit = std::vector<std::uint8_t>(13, 0);
    std::vector<ConditionSpec> conditions;
    std::vector<CommandSpec> commands;
};

// A background as a new stage has it (a plain fill of colour 16). From version 62 ten raw
// members; version 61 and older hold fewer and two dropped 4-byte values (dropped0, dropped1).
struct BackgroundSpec {
    std::int32_t visible = 1;
    std::int32_t fill = 1;
    std::int32_t fillColor = 16;
    std::int32_t layer = 0;
    double speedX = 0.1;
    double speedY = 0.1;
    std::int32_t autoScrollX = 0;
    std::int32_t autoScrollY = 0;
    std::string picture;
    double offsetX = 0.0;
    double offsetY = 0.0;
    std::int32_t dropped0 = 0;
    std::int32_t dropped1 = 0;
};

// An off-screen limit; from version 125 all eight members, before it m_bLeft and the margins.
struct OffScreenSpec {
    std::array<std::int32_t, 4> flags{};    // left, right, top, bottom
    std::array<std::int32_t, 4> margins{};  // left, right, top, bottom, in tiles
};

// A whole stage. The header holds the values of the minimal stage unless overridden by member
// name (the player's member names, e.g. "m_nWidth"); the writer writes those the version holds.
struct StageSpec {
    int version = kStageVersion;
    std::map<std::string, double> header;
    std::string text;
    std::vector<std::int32_t> ranking{1, 1, 1, 1, 1};
    std::array<OffScreenSpec, 5> offScreen{};
    std::vector<BlockDefSpec> paletteBlocks = std::vector<BlockDefSpec>(2);
    std::vector<CharaDefSpec> paletteCharas = std::vector<CharaDefSpec>(2);
    std::vector<ItemDefSpec> paletteItems = std::vector<ItemDefSpec>(2);
    std::vector<BlockDefSpec> placedBlocks;
    std::vector<CharaDefSpec> placedCharas;
    std::vector<ItemDefSpec> placedItems;
    std::int32_t placedPrefix = 0;                 // the int32 in front of each placed object
    std::optional<std::int32_t> placedBlockCount;  // written instead of the number of placed
                                                   // blocks (broken files)
    std::vector<BackgroundSpec> backgrounds = std::vector<BackgroundSpec>(1);
    std::vector<std::string> texts;
    bool endCode = true;  // written when the version holds it
};

// The common palette file.
struct CommonPaletteSpec {
    int version = kStageVersion;
    std::vector<BlockDefSpec> blocks = std::vector<BlockDefSpec>(2);
    std::vector<CharaDefSpec> charas = std::vector<CharaDefSpec>(2);
    std::vector<ItemDefSpec> items = std::vector<ItemDefSpec>(2);
};

// The smallest playable stage: 20 x 15 tiles, a solid floor of 20 blocks (graphic 1) on row 14
// and the hero (controller 0, graphic 1, facing right) at (2, 13); default palettes of two
// entries per list, one filled background, every ranking switch on.
StageSpec MinimalStage();
// The common palette of the minimal game: two default entries per list.
CommonPaletteSpec MinimalCommonPalette();

// Number of header members a stage of the version holds (98 at version 720).
int StageHeaderMemberCount(int version);
// Names of the header members in file order for the version.
std::vector<std::string> StageHeaderNames(int version);

// One record in the layout of the given version.
void WriteRecord(ByteWriter& out, const BlockDefSpec& block, int version);
void WriteRecord(ByteWriter& out, const CharaDefSpec& chara, int version);
void WriteRecord(ByteWriter& out, const ItemDefSpec& item, int version);
void WriteRecord(ByteWriter& out, const BackgroundSpec& background, int version);
void WriteRecord(ByteWriter& out, const OffScreenSpec& limit, int version);

// Whole files, version head included. The header names of StageSpec must be known ones.
ByteWriter StageFile(const StageSpec& stage);
ByteWriter CommonPaletteFile(const CommonPaletteSpec& palette);

}  // namespace testsupport
