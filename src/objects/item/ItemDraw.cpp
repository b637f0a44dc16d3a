// The drawing of an item: its graphic and its overlay icon.
#include "graphics/Blit.h"
#include "graphics/SurfaceCatalogue.h"
#include "objects/chara/CharaGraphic.h"
#include "objects/item/cItem.h"

namespace {

constexpr int kIconSheet = 43;         // the overlay icons
constexpr int kIconSheetStretch = 44;  // their copy for stretched drawing
constexpr int kIconSize = 32;
constexpr int kIconsPerColumn = 15;
constexpr int kIconCount = 120;  // eight columns of the sheet
constexpr int kColourKey = 1;

}  // namespace

void cItem::OverlayIconCell(int n, int& sx, int& sy)
{
    sx = (n / kIconsPerColumn) * kIconSize;
    sy = (n % kIconsPerColumn) * kIconSize;
}

void cItem::Draw(DDSURFACEDATA* target, int bFrozen)
{
    if (def.m_bHidden != 0) {
        return;
    }
    const int nFrame = bFrozen != 0 ? anime.GetFrame() : anime.Step();
    CHARADRAWPARAM p;
    SetupCharaGraphic(p, CHARAGRAPHIC_ITEM, def.m_nGraphicSheet, def.m_nGraphic, def.m_nCell, this, nFrame);
    DrawCharaCellAt(target, screenLeft, screenTop, p);
    if (def.m_nBadgeShow != 1 || def.m_nBadge < 0 || def.m_nBadge >= kIconCount) {
        return;
    }
    int sx = 0;
    int sy = 0;
    OverlayIconCell(def.m_nBadge, sx, sy);
    if (def.m_nScale <= 1) {
        DDBlt(target, screenLeft, screenTop, kIconSize, kIconSize, &SDTable[kIconSheet], sx, sy, kColourKey);
    } else {
        DDSURFACEDATA* source =
            CharaDrawSettings.iconSheets[0] != nullptr ? CharaDrawSettings.iconSheets[0] : &SDTable[kIconSheetStretch];
        DDStretchBlt(target, screenLeft, screenTop, gfxWidth, gfxHeight, source, sx, sy, kIconSize, kIconSize,
                     kColourKey);
    }
}
