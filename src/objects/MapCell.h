// MAPCELL: one cell of the block map of the running stage (StageMap), a copy of the block placed
// there and one int that is set to 0 whenever a block is written into the cell. Cell index =
// field column + (field row << the row pitch's logarithm); field columns and rows are stage tiles
// + 10. An empty cell holds an empty block (graphic 0, collision kind 0, as the block checks
// leave a block without graphic). Game thread.
#pragma once

#include <cstdint>

#include "definitions/cEdBlock.h"

struct MAPCELL : public cEdBlock {
    std::int32_t nValue = 0;  // 0 whenever a block is written into the cell
};

// Collision kind of the cell for an object of the faction: 0 passable, 1 solid, 2 solid and
// fatal to the player-operated object. 0 when the block's condition list is not empty and does
// not hold now (asked of the running stage); 0 when the block's pass-through faction, read as a
// signed byte, equals the faction; otherwise the block's collision byte.
int IsBlockSolidFor(MAPCELL& cell, int nFaction);
