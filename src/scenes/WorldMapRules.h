// The rules of the world map that the world-map screen and its tests share: where a cell lies in
// the map's cell vector, what chip a cell holds, and the comparison of a stage entry's condition
// on a common variable. The map comes from the game's files: every index is checked here.
//
// Game thread (pure functions of the map and their arguments).
#pragma once

#include "project/cWorldChip.h"
#include "project/cWorldMap.h"

// Index into map.Cell of cell (column, row): the column clamped to 0 .. width - 1; a negative row
// gives the clamped column alone; otherwise the row is clamped to height - 1 and the index is
// column + (row << pitch shift).
int WorldCellIndex(const cWorldMap& map, int nCol, int nRow);

// The chip of cell (column, row) (clamped as WorldCellIndex); null when the cell's chip number is
// not in the chip table.
const cWorldChip* WorldCellChip(const cWorldMap& map, int nCol, int nRow);

// Comparison codes of a stage entry's variable condition, v being the variable and c the entry's
// value: 0 v = c, 1 v != c, 2 v >= c, 3 v <= c, 4 v > c, 5 v < c, 6 c = 0 or |v| divisible by c,
// 7 c != 0 and |v| not divisible by c. Any other code never holds.
constexpr int kWorldCompareCount = 8;
bool WorldCompare(int nCode, int v, int c);
