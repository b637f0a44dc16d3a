#include "objects/chara/CharaGraphic.h"

#include "definitions/cEdBlock.h"

#include "definitions/cEdItem.h"
#include "graphics/BackEnd.h"
#include "graphics/SurfaceCatalogue.h"
#include "objects/StageBitmaps.h"
#include "objects/cGameObject.h"
#include "project/cDatabase.h"

CHARADRAWSETTINGS CharaDrawSettings;

namespace {

constexpr int kCell = 32;
constexpr int kRowsPerColumn = 15;
constexpr int kCharaSheets = 8;  // character sheets 1..8, two slots each
constexpr int kSecondCopy = 18;  // the second copy of a character-sheet slot
constexpr int kWideRows = 30;    // rows of the sheet of kind 3

DDSURFACEDATA* Slot(int n)
{
    return n >= 0 && n < kBuiltInSurfaceCount ? &SDTable[n] : nullptr;
}

bool FirstCopies()
{
    return lpDDCon != nullptr && CharaDrawSettings.bVideoStretch != 0;
}

void SetSurfaces(CHARADRAWPARAM& p, int plain1, int plain2, int stretch1, int stretch2)
{
    p.plain1 = Slot(plain1);
    p.plain2 = Slot(plain2);
    p.stretch1 = stretch1 >= 0 ? Slot(stretch1) : nullptr;
    p.stretch2 = stretch2 >= 0 ? Slot(stretch2) : nullptr;
}

// Character sheets: sheet e = n / 15 (slots 4 + 2e and its mirrored twin), row n mod 15.
bool SetupCharaSheet(CHARADRAWPARAM& p, int type, int n, int column, int facing, int frame)
{
    if (n < 0 || n >= kCharaSheets * kRowsPerColumn) {
        return false;
    }
    const int e = n / kRowsPerColumn;
    p.sy = (n % kRowsPerColumn) * kCell;
    int slot = 4 + 2 * e;
    if (type == CHARAGRAPHIC_CHARA) {
        // The sheet's cells face left; the twin holds them mirrored for the right. The stretch
        // draws from the copy of the same facing, so that an enlarged character faces its way.
        slot += facing;
        p.sx = (column + frame) * kCell;
        SetSurfaces(p, slot, slot + kSecondCopy, slot, slot + kSecondCopy);
    } else {
        if (column >= 20) {
            ++slot;
            column -= 20;
        }
        p.sx = column * kCell;
        SetSurfaces(p, slot, slot + kSecondCopy, -1, -1);
    }
    if (p.plain1 == nullptr || p.sy >= p.plain1->nHeight || p.sx >= p.plain1->nWidth || p.sx < 0) {
        p.sx = p.sy = 0;
        p.plain1 = p.stretch1 = Slot(4);
        p.plain2 = p.stretch2 = Slot(4 + kSecondCopy);
    }
    return true;
}

// Surface i of the stage's Bmp_CharaExc cache; null outside it or when its bitmap failed.
DDSURFACEDATA* CacheSurface(int i)
{
    DDSurfaceVec& cache = StageBitmaps.BmpCharaExc;
    if (i < 0 || i >= static_cast<int>(cache.size()) || cache[i].nWidth <= 0) {
        return nullptr;
    }
    return &cache[i];
}

// A Bmp_CharaExc sheet: 16 cells of 32 a row, or with custom cells 16 / m cells of 32m.
bool SetupCustomSheet(CHARADRAWPARAM& p, int type, int n, int column, int facing, int frame)
{
    if (n < 1 || static_cast<std::size_t>(n) >= Database.Bmp_CharaExc.size()) {
        return false;
    }
    const cDbBmpCharaExc& entry = Database.Bmp_CharaExc[n];
    const int c = type == CHARAGRAPHIC_CHARA ? column + frame : column;
    if (c < 0) {
        return false;
    }
    if (entry.bLargeCell) {
        const int m = entry.nCellSize >= cDbBmpCharaExc::kMinCellSize && entry.nCellSize <= cDbBmpCharaExc::kMaxCellSize
                          ? entry.nCellSize
                          : 1;
        p.bCustomCell = 1;
        p.nCellMul = static_cast<std::uint8_t>(m);
        const int k = 16 / m;
        p.sx = (c % k) * kCell * m;
        p.sy = (c / k) * kCell * m;
    } else {
        p.sx = (c % 16) * kCell;
        p.sy = (c / 16) * kCell;
    }
    // Four cache surfaces per entry: the sheet, its mirror, then their second copies; a character
    // draws from the copy of its facing.
    const int first = 4 * (n - 1);
    const int f = type == CHARAGRAPHIC_CHARA ? facing : 0;
    p.plain1 = CacheSurface(first + f);
    p.plain2 = CacheSurface(first + 2 + f);
    if (type == CHARAGRAPHIC_CHARA) {
        p.stretch1 = CacheSurface(first + 1 - f);
        p.stretch2 = CacheSurface(first + 3 - f);
    } else {
        p.stretch1 = p.plain1;
        p.stretch2 = p.plain2;
    }
    return p.plain1 != nullptr || p.plain2 != nullptr;
}

bool SetupSurfaces(CHARADRAWPARAM& p, int type, int kind, int n, int column, int facing, int frame)
{
    if (n < 0) {
        return false;
    }
    const int e = n / kRowsPerColumn;
    const int r = n % kRowsPerColumn;
    switch (kind) {
    case 0:
        SetSurfaces(p, 2, 3, 2, 3);
        p.sx = e * kCell;
        p.sy = r * kCell;
        return true;
    case 1: return SetupCharaSheet(p, type, n, column, facing, frame);
    case 2:
        SetSurfaces(p, 40, 41, 40, 41);
        p.sx = e * 2 * kCell + (type == CHARAGRAPHIC_ITEM ? frame * kCell : 0);
        p.sy = r * kCell;
        return true;
    case 3:
        if (type == CHARAGRAPHIC_CHARA) {
            SetSurfaces(p, 63 + facing, 63 + facing, 63 + facing, 63 + facing);
        } else {
            SetSurfaces(p, 63, 63, -1, -1);
        }
        p.sx = (n / kWideRows) * 2 * kCell;
        p.sy = (n % kWideRows) * kCell;
        return true;
    case 4: return SetupCustomSheet(p, type, n, column, facing, frame);
    default: return false;
    }
}

// Blits the cell to (x, y) in the graphic size: stretched from the stretch surface when enlarged.
void BlitCell(DDSURFACEDATA* target, int x, int y, const CHARADRAWPARAM& p, int nFlags, bool bColour, bool bPlainOnly)
{
    if (target == nullptr || p.plain == nullptr) {
        return;
    }
    const BLENDSTATE* blend = bColour ? &p.colour : nullptr;
    if (!bPlainOnly && IsCharaCellEnlarged(p) && p.stretch != nullptr) {
        const int m = p.bCustomCell ? p.nCellMul : 1;
        const int sw = p.baseWidth * m;
        const int sh = p.baseHeight * m;
        if (blend != nullptr) {
            DDStretchBltColorOp(target, x, y, p.width, p.height, p.stretch, p.sx, p.sy, sw, sh, nFlags, blend);
        } else {
            DDStretchBlt(target, x, y, p.width, p.height, p.stretch, p.sx, p.sy, sw, sh, nFlags);
        }
        return;
    }
    if (blend != nullptr) {
        DDBltColorOp(target, x, y, p.width, p.height, p.plain, p.sx, p.sy, nFlags, blend);
    } else {
        DDBlt(target, x, y, p.width, p.height, p.plain, p.sx, p.sy, nFlags);
    }
}

}  // namespace

void SetupCharaGraphic(CHARADRAWPARAM& p, int type, int kind, int n, int column, const cGameObject* object, int frame)
{
    p.bCustomCell = 0;
    p.nCellMul = 1;
    p.plain1 = p.plain2 = p.stretch1 = p.stretch2 = p.plain = p.stretch = nullptr;
    p.sx = p.sy = 0;
    int facing = 0;
    if (object != nullptr) {
        facing = object->facing == 1 ? 1 : 0;
        p.width = object->gfxWidth;
        p.height = object->gfxHeight;
        p.baseWidth = object->baseGfxWidth;
        p.baseHeight = object->baseGfxHeight;
        p.scale = object->baseGfxWidth > 0 ? object->gfxWidth / object->baseGfxWidth : 1;
    } else {
        p.width = p.height = p.baseWidth = p.baseHeight = kCell;
        p.scale = 1;
    }
    if (!SetupSurfaces(p, type, kind, n, column, facing, frame)) {
        p.plain1 = p.plain2 = p.stretch1 = p.stretch2 = nullptr;
        return;
    }
    if (FirstCopies()) {
        p.plain = p.plain1;
        p.stretch = p.stretch1;
    } else {
        p.plain = p.plain2;
        p.stretch = p.stretch2;
    }
}

bool IsCharaCellEnlarged(const CHARADRAWPARAM& p)
{
    return p.bCustomCell ? p.scale != p.nCellMul : p.scale > 1;
}

void DrawCharaCell(DDSURFACEDATA* target, const CHARADRAWPARAM& p)
{
    BlitCell(target, 0, 0, p, 0, p.nColourOp != 0, false);
}

void DrawCharaCellColourOp(DDSURFACEDATA* target, const CHARADRAWPARAM& p)
{
    BlitCell(target, 0, 0, p, 0, true, true);
}

void DrawCharaCellAt(DDSURFACEDATA* target, int x, int y, const CHARADRAWPARAM& p)
{
    BlitCell(target, x, y, p, 1, p.nColourOp != 0, false);
}

void SelectIconSheets()
{
    const bool bVideo = lpDDCon != nullptr && CharaDrawSettings.bVideoStretch != 0;
    CharaDrawSettings.iconSheets[0] = Slot(bVideo ? 43 : 44);
    CharaDrawSettings.iconSheets[1] = Slot(bVideo ? 67 : 68);
    CharaDrawSettings.iconSheets[2] = Slot(lpDDCon != nullptr ? 68 : 70);
}

namespace {

constexpr int kMini = 16;
constexpr int kIconSlot = 43;
constexpr int kIconCount = 120;

// The overlay icon m at (x, y), 32 x 32, from the built-in icon sheet.
void DrawOverlayIcon(DDSURFACEDATA* target, int x, int y, int m)
{
    if (m < 0 || m >= kIconCount) {
        return;
    }
    DDBlt(target, x, y, kCell, kCell, &SDTable[kIconSlot], (m / kRowsPerColumn) * kCell, (m % kRowsPerColumn) * kCell,
          1);
}

}  // namespace

void DrawMiniIcon(DDSURFACEDATA* target, int x, int y, int kind, int n, int frame)
{
    if (target == nullptr || n < 0) {
        return;
    }
    const int e = n / kRowsPerColumn;
    const int r = n % kRowsPerColumn;
    switch (kind) {
    case 0: DDStretchBlt(target, x, y, kMini, kMini, &SDTable[3], e * 2 * kCell, r * kCell, kCell, kCell, 1); break;
    case 1:
        if (n < kCharaSheets * kRowsPerColumn) {
            DDStretchBlt(target, x, y, kMini, kMini, &SDTable[4 + 2 * e + kSecondCopy], frame * kCell, r * kCell, kCell,
                         kCell, 1);
        }
        break;
    case 2: DDBlt(target, x, y, kMini, kMini, &SDTable[42], e * 2 * kMini, r * kMini, 1); break;
    case 3:
        DDStretchBlt(target, x, y, kMini, kMini, &SDTable[63], (n / kWideRows) * 2 * kCell, (n % kWideRows) * kCell,
                     kCell, kCell, 1);
        break;
    case 4: {
        CHARADRAWPARAM p;
        SetupCharaGraphic(p, CHARAGRAPHIC_ICON, 4, n, frame, nullptr, frame);
        const int side = kCell * (p.bCustomCell ? p.nCellMul : 1);
        if (p.plain != nullptr) {
            DDStretchBlt(target, x, y, kMini, kMini, p.plain, p.sx, p.sy, side, side, 1);
        }
        break;
    }
    default: break;
    }
}

namespace {

void DrawIconCell(DDSURFACEDATA* target, int x, int y, int nSheet, int nGraphic, int nCell, int nBadgeShow, int nBadge)
{
    if (target == nullptr) {
        return;
    }
    CHARADRAWPARAM p;
    SetupCharaGraphic(p, CHARAGRAPHIC_ICON, nSheet, nGraphic, nCell, nullptr, nCell);
    if (p.plain != nullptr) {
        DDBlt(target, x, y, kCell, kCell, p.plain, p.sx, p.sy, 1);
    }
    if (nBadgeShow == 1) {
        DrawOverlayIcon(target, x, y, nBadge);
    }
}

}  // namespace

void DrawPaletteIcon(const cEdItem& item, DDSURFACEDATA* target, int x, int y)
{
    DrawIconCell(target, x, y, item.m_nGraphicSheet, item.m_nGraphic, item.m_nCell, item.m_nBadgeShow, item.m_nBadge);
}

void DrawPaletteIcon(const cEdBlock& block, DDSURFACEDATA* target, int x, int y)
{
    DrawIconCell(target, x, y, block.m_nGraphicSheet, block.m_nGraphic, block.m_nCell, block.m_nBadgeShow,
                 block.m_nBadge);
}
