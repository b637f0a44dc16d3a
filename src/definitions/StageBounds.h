// The field sizes a stage may have: at least one screen (20 x 15 tiles) and a block map of at
// most kMaxStageMapCells cells. The stage loader refuses any other size, so that stage play sizes
// its map, camera and object areas from numbers that fit an int. Pure functions, any thread.
#pragma once

#include <cstdint>

// One screen in tiles: 640 x 480 pixels of 32-pixel tiles.
constexpr int kScreenTilesWide = 20;
constexpr int kScreenTilesHigh = 15;
// Tiles of margin around the stage on every side of the field.
constexpr int kStageFieldMargin = 10;
// Most cells the block map of a stage may have (row pitch x field rows): 2^20, which holds a
// stage of 1004 x 1004 tiles, 2028 x 492, 16364 x 44 or 20 x 16364. A cell takes at most 160
// bytes, so the map stays below 170 MB.
constexpr std::int64_t kMaxStageMapCells = std::int64_t{1} << 20;

// log2 of the block map's row pitch for a stage nWidth tiles wide: the pitch is the smallest power
// of two greater than nWidth + 19 (a field row holds nWidth + 20 cells). A negative width counts
// as 0; the shift stops at 30.
int StageMapPitchShift(std::int64_t nWidth);

// Cells of the block map of a stage nWidth x nHeight tiles (pitch x (nHeight + 20)), counted in
// 64 bits; negative sizes count as 0.
std::int64_t StageMapCells(std::int64_t nWidth, std::int64_t nHeight);

// True when stage play can hold a stage of this size: at least 20 x 15 tiles and at most
// kMaxStageMapCells map cells.
bool IsPlayableStageSize(std::int64_t nWidth, std::int64_t nHeight);
