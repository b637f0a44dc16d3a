// The mark over a character that carries an item: the item's small icon, shown for a third of
// a 96-frame cycle so that it blinks. Game thread, while drawing.
#include "objects/chara/CharaGraphic.h"
#include "objects/chara/cChara.h"

namespace {

constexpr int kMarkShownFrom = 64;  // first frame of the cycle that shows the mark
constexpr int kMarkCycle = 96;

}  // namespace

void cChara::DrawItemMark(DDSURFACEDATA* target)
{
    if (!heldItem.bHeld || !inView || def.m_bTransparent || heldItem.def.m_bHidden) {
        return;
    }
    ++iconCycle;
    if (iconCycle >= kMarkShownFrom) {
        const cEdItem& item = heldItem.def;
        DrawMiniIcon(target, screenLeft + gfxWidth / 2 - heldItem.gfxWidth / 4, screenTop - heldItem.gfxHeight / 2,
                     item.m_nGraphicSheet, item.m_nGraphic, item.m_nCell);
    }
    if (iconCycle >= kMarkCycle) {
        iconCycle = 0;
    }
}
