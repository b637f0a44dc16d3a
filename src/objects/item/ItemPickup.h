// Taking an item: the one way an item's commands reach the player, whether the player touched
// it, a shot carried it, a floor block gave it or a defeated character dropped it. Game thread,
// inside the play step.
#pragma once

#include <cstdint>

#include "objects/StageSpeed.h"

class cItem;
class cPlayer;

// The player takes item: nothing (0) when item is null, inactive or of pickup mode 2 (never);
// otherwise the pickup icon (when the item shows one), its sound and its commands, whose result
// is returned: 0 go on, 1 the stage is cleared, 2 the player died.
int PickUpItem(cItem* item, cPlayer& player);

// Builds a free item from palette entry (nKind, nIndex) with object number nSource, active, and
// lets the player take it; 0 when the entry does not exist. The item is gone afterwards.
int PickUpPaletteItem(int nKind, int nIndex, int nSource, cPlayer& player);

class cEdItem;

// The item summon of a shot launch: a free item from d with the next object number of the
// running stage, its hit box's top-left at world (x, y) plus the item's offsets, appended to the
// stage's items when it lies inside the stage (clamped to the field), living nLifetime sub-steps
// (kUnlimitedLife: for ever). 1 when it was placed.
int SummonItem(double x, double y, const cEdItem& d, std::int32_t nLifetime = kUnlimitedLife);
