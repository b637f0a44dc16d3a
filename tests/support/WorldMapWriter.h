// The world-map part of the game-folder writer: "data\WorldMap.dat" built byte by byte from the
// layout of each data version, independently of the player's own record code. Texts are the
// bytes stored in the file (Shift-JIS).
//
// The file: int32 version; int32 8 and the raw members nWidth, nHeight, nPitch, nPitch_Shift,
// nStartX, nStartY, nBackColor, bBackBitmap; int32 2 and the name and background bitmap; then the
// chip list, the cell list (int32 values), the node list and the node template list, each an
// int32 count and its elements. A stage entry holds nNeedScore from version 209.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ByteWriter.h"

namespace testsupport {

// The version the player writes and expects.
constexpr int kWorldMapVersion = 720;

struct WorldChipSpec {
    std::int32_t chipValue = 0;
    std::int32_t block = 0;
    std::int32_t image = 0;
    std::string memo;
    std::string name;
};

struct WorldStageSpec {
    std::int32_t kind = 0;
    std::int32_t icon = 0;
    std::int32_t stageNo = 0;
    std::int32_t passable = 0;
    std::int32_t replay = 0;
    std::int32_t afterClear = 0;
    std::int32_t needStage = 0;
    std::int32_t condVar = 0;
    std::int32_t condValue = 0;
    std::int32_t condOp = 0;
    std::int32_t needScore = 0;  // 209
    std::string title;
    std::string file;
};

struct WorldNodeSpec {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::string name;
    std::vector<WorldStageSpec> entries{WorldStageSpec{}};
};

// Every stored value of the map. The stored pitch and shift are written as given, so that
// tests can write a file whose geometry disagrees with its width.
struct WorldMapSpec {
    std::int32_t width = 20;
    std::int32_t height = 15;
    std::int32_t pitch = 32;
    std::int32_t pitchShift = 5;
    std::int32_t startX = 9;
    std::int32_t startY = 7;
    std::int32_t backColor = 16;
    std::int32_t backBitmap = 0;
    std::string name;
    std::string backBitmapName;
    std::vector<WorldChipSpec> chips{WorldChipSpec{}};
    std::vector<std::int32_t> cells = std::vector<std::int32_t>(32 * 15, 0);
    std::vector<WorldNodeSpec> nodes;
    std::vector<WorldNodeSpec> nodeTemplates;
};

// One element in the layout of the given version.
void WriteRecord(ByteWriter& out, const WorldChipSpec& chip, int version);
void WriteRecord(ByteWriter& out, const WorldStageSpec& entry, int version);
void WriteRecord(ByteWriter& out, const WorldNodeSpec& node, int version);

// The whole file: version, the map record.
ByteWriter WorldMapFile(const WorldMapSpec& spec, int version = kWorldMapVersion);

// Writes root/data/WorldMap.dat (root is a host folder).
void WriteWorldMapFile(const std::filesystem::path& root, const WorldMapSpec& spec, int version = kWorldMapVersion);

}  // namespace testsupport
