#include "objects/shot/ShotDraw.h"

#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "project/cDbSwordFrame.h"

namespace {

constexpr int kSecondCopyOffset = 18;
constexpr int kShotGraphics = 120;
constexpr int kShotRows = 30;
constexpr int kCell = 16;
constexpr int kColourKey = 1;

DDSURFACEDATA* Slot(int nSlot)
{
    return (lpSDTable != nullptr && nSlot >= 0 && nSlot < nSDCount) ? &lpSDTable[nSlot] : nullptr;
}

bool DirectDrawStretchesInVideo(const SHOTDRAWSOURCES& sources)
{
    return lpDDCon != nullptr && sources.bVideoStretch != 0;
}

void DrawShotCell(cShot& shot, DDSURFACEDATA* target, int noAdvance, const SHOTDRAWSOURCES& sources)
{
    const int frame = noAdvance ? shot.anime.GetFrame() : shot.anime.Step();
    int sx = 0;
    int sy = 0;
    if (!ShotSheetCell(shot.pictureNumber, frame, sx, sy)) {
        return;
    }
    const int slot = kShotSheetSlot + (shot.facing == 1 ? 1 : 0);
    if (shot.def.m_nSize == 1) {
        DDBlt(target, shot.screenLeft, shot.screenTop, shot.gfxWidth, shot.gfxHeight, Slot(ChooseSheetSlot(slot, 0)),
              sx, sy, kColourKey);
        return;
    }
    const int preferSecond = DirectDrawStretchesInVideo(sources) ? 0 : 1;
    DDStretchBlt(target, shot.screenLeft, shot.screenTop, shot.gfxWidth, shot.gfxHeight,
                 Slot(ChooseSheetSlot(slot, preferSecond)), sx, sy, shot.baseGfxWidth, shot.baseGfxHeight, kColourKey);
}

void DrawSword(cShot& shot, DDSURFACEDATA* target, const SHOTDRAWSOURCES& sources)
{
    const cDbSwordFrame* p = shot.SwordFrame();
    const int t = shot.def.m_nAimKind;
    const int facing = shot.facing == 1 ? 1 : 0;
    const int first = kSwordSurfacesPerType * t;
    if (p == nullptr || sources.swordSurfaces == nullptr || t < 0 ||
        first + 3 >= static_cast<int>(sources.swordSurfaces->size())) {
        return;
    }
    if (shot.def.m_nSize == 1) {
        DDBlt(target, shot.screenLeft, shot.screenTop, shot.gfxWidth, shot.gfxHeight,
              &(*sources.swordSurfaces)[first + facing], p->nSrcX, p->nSrcY, kColourKey);
        return;
    }
    const int index = DirectDrawStretchesInVideo(sources) ? first + facing : first + 2 + facing;
    DDStretchBlt(target, shot.screenLeft, shot.screenTop, shot.gfxWidth, shot.gfxHeight,
                 &(*sources.swordSurfaces)[index], p->nSrcX, p->nSrcY, p->nWidth, p->nHeight, kColourKey);
}

}  // namespace

int ChooseSheetSlot(int nSlot, int preferSecond)
{
    if (lpDDCon == nullptr) {
        return nSlot;
    }
    const DDSURFACEDATA* sd = Slot(nSlot);
    const bool exists = sd != nullptr && sd->lpDDS != nullptr && sd->lpDDS->lpDDSurface != nullptr;
    return (preferSecond != 0) == exists ? nSlot + kSecondCopyOffset : nSlot;
}

bool ShotSheetCell(int nGraphic, int nFrame, int& sx, int& sy)
{
    if (nGraphic < 0 || nGraphic >= kShotGraphics || nFrame < 0) {
        return false;
    }
    sx = (nFrame + (nGraphic / kShotRows) * 2) * kCell;
    sy = (nGraphic % kShotRows) * kCell;
    return true;
}

void DrawShot(cShot& shot, DDSURFACEDATA* target, int noAdvance, const SHOTDRAWSOURCES& sources)
{
    if (shot.def.m_bInvisible) {
        return;
    }
    if (shot.isShot) {
        DrawShotCell(shot, target, noAdvance, sources);
    } else {
        DrawSword(shot, target, sources);
    }
}
