// cItem: a pickup lying in the stage -- placed by the stage data, summoned by a command, or held
// by a character and dropped when it dies. It keeps a private copy of its item definition, whose
// command list runs on the player who takes it (RunItemCommands); the contact with the player is
// part of the group collision. Its 32 x 32 graphic is centred on the stage's item hit box and
// animates between two cells. The stage keeps them in ItemList. Game thread.
//
// Stepping and set-up are in cItem.cpp; the drawing is in ItemDraw.cpp.
#pragma once

#include <cstdint>

#include "definitions/cEdItem.h"
#include "objects/StageSpeed.h"
#include "objects/cGameObject.h"

struct DDSURFACEDATA;

// The animation of every item: cell 0 for 15 ticks, cell 1 for 15 ticks, both locked, then loop.
const PatternTable& ItemPatternTable();

class cItem : public cGameObject {
public:
    cEdItem def;             // private copy of the definition it was made from
    std::int32_t bHeld = 0;  // 1: set up as the item a character holds
    // Sub-steps left of a summoned item's limited lifetime; kUnlimitedLife: none. Removed by the
    // play step when it falls below 0.
    std::int32_t lifeLeft = kUnlimitedLife;

    cItem() = default;
    ~cItem() override;
    cItem(const cItem&) = default;
    cItem& operator=(const cItem&) = default;

    // Sets the item up from d (whose size factor below 1 is raised to 1 in d itself): the copy,
    // the base with the item hit size of the stage and the graphic centred on it, no gravity and
    // passing blocks. A free item takes its size factor; a held one stays at size 1 and is active
    // at once.
    void InitFromDef(int nSource, cEdItem& d, int held);
    // Places the item on stage cell (column, row): the graphic's left edge half a pixel right of
    // the cell's, its top on the cell's top, then the size factor's shift and the field clamp.
    void SetGridPos(int nColumn, int nRow);
    // Slot 4: a growing item grows upward from where it lies (its bottom stays).
    void OnScaleShift(int nNewFactor, int nOldFactor) override;

    // Drawing (ItemDraw.cpp): the item's graphic at its screen rectangle, then its overlay icon.
    // bFrozen: the animation does not advance in this frame.
    void Draw(DDSURFACEDATA* target, int bFrozen);
    // The cell of the overlay-icon sheet that icon n occupies (15 icons per column).
    static void OverlayIconCell(int n, int& sx, int& sy);
};
