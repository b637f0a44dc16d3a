#include "objects/chara/PlayerDraw.h"

#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/DrawHelpers.h"
#include "graphics/Fill.h"
#include "project/cSystemData.h"

namespace {

constexpr int kBoxPhases = 32;
constexpr int kViewWidth = 640;
constexpr int kViewHeight = 480;

const BOXRECT* BoxOf(const cPlayer& hero, int nKind)
{
    switch (nKind) {
    case 1: return &hero.bodyBox;
    case 2: return &hero.itemBox;
    case 3: return &hero.shotBox;
    default: return nullptr;  // the hit box itself
    }
}

int Clamp(int n, int lo, int hi)
{
    if (n > hi) n = hi;
    if (n < lo) n = lo;
    return n;
}

}  // namespace

void BoxDisplayRect(const cPlayer& hero, const BOXDISPLAY& entry, int& x, int& y)
{
    const BOXRECT* box = BoxOf(hero, entry.kind);
    x = hero.screenLeft + hero.gfxOffsetX + (box != nullptr ? box->offsetX : 0);
    y = hero.screenTop + hero.gfxOffsetY + (box != nullptr ? box->offsetY : 0);
}

int BoxDisplayColour(const BOXDISPLAY& entry, bool bFixed)
{
    return bFixed ? entry.colour : entry.colour + entry.phase / 8;
}

void DrawBoxDisplay(cPlayer& hero, DDSURFACEDATA* target)
{
    const bool bFixed = nScreenBpp == 8 && SystemData.bPaletteCycle != 0;
    for (BOXDISPLAY& entry : hero.boxDisplay) {
        if (entry.mode != 1 && entry.mode != 2) continue;
        int x = 0;
        int y = 0;
        BoxDisplayRect(hero, entry, x, y);
        const DWORD dwColour = static_cast<DWORD>(BoxDisplayColour(entry, bFixed));
        if (target != nullptr) {
            if (entry.mode == 1) {
                DDFillRectPal(target, x, y, entry.width, entry.height, dwColour);
            } else {
                DDDrawFrame(target, x, y, entry.width, entry.height, 1, dwColour);
            }
        }
        entry.phase = (entry.phase + 1) % kBoxPhases;
    }
}

void ViewMaskWindow(const cPlayer& hero, int nMaskWidth, int nMaskHeight, int& sx, int& sy)
{
    sx = nMaskWidth / 2 - hero.gfxWidth / 2 - hero.screenLeft;
    const int nShape = hero.def.m_nViewShape;
    if (nShape == 2 || nShape == 4) {
        const int nSign = hero.DirSign();
        sx += nSign * (hero.gfxWidth / 2) - nSign * hero.viewRange;
    }
    sy = nMaskHeight / 2 - hero.gfxHeight / 2 - hero.screenTop;
    sx = Clamp(sx, 0, nMaskWidth - kViewWidth > 0 ? nMaskWidth - kViewWidth : 0);
    sy = Clamp(sy, 0, nMaskHeight - kViewHeight > 0 ? nMaskHeight - kViewHeight : 0);
}

void DrawViewMask(const cPlayer& hero, DDSURFACEDATA* target, DDSURFACEDATA* mask)
{
    if (target == nullptr || mask == nullptr || hero.def.m_nViewShape == 0) {
        return;
    }
    int sx = 0;
    int sy = 0;
    ViewMaskWindow(hero, mask->nWidth, mask->nHeight, sx, sy);
    DDBlt(target, 0, 0, kViewWidth, kViewHeight, mask, sx, sy, 1);
}
