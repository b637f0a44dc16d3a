// Where a character's, an item's or a palette icon's cell is found among the sprite sheets, and
// the blits that put it on a surface. Game thread, while drawing.
#pragma once

#include <cstdint>

#include "graphics/Blit.h"
#include "graphics/DDSurfaceData.h"

class cEdBlock;
class cEdItem;
class cGameObject;

// Kinds of graphic the sheets are chosen for (SetupCharaGraphic's type).
constexpr int CHARAGRAPHIC_ICON = 0;
constexpr int CHARAGRAPHIC_CHARA = 1;
constexpr int CHARAGRAPHIC_ITEM = 2;

// Entries of ColorFlashTable: entry 0 is no colour, 1..9 the flashing colours of invincible
// characters.
constexpr int kColorFlashCount = 10;

// The drawing settings the character drawing reads; written by the start-up ("DD_VideoStretch")
// and the scene manager's colour cycling (ColorFlashTable), read on the game thread.
struct CHARADRAWSETTINGS {
    int bVideoStretch = 0;                                       // DirectDraw: stretch from video memory
    BLENDSTATE ColorFlashTable[kColorFlashCount];                // colour pair of each flashing colour
    DDSURFACEDATA* iconSheets[3] = {nullptr, nullptr, nullptr};  // SelectIconSheets
};
extern CHARADRAWSETTINGS CharaDrawSettings;

// The drawing parameters of one cell.
struct CHARADRAWPARAM {
    DDSURFACEDATA* plain1 = nullptr;  // plain surface, first and second copy
    DDSURFACEDATA* plain2 = nullptr;
    DDSURFACEDATA* stretch1 = nullptr;  // surface stretched from, first and second copy
    DDSURFACEDATA* stretch2 = nullptr;
    DDSURFACEDATA* plain = nullptr;  // the copies chosen for the back-end; null: nothing to draw
    DDSURFACEDATA* stretch = nullptr;
    int nColourOp = 0;  // 0 none, else the ColorFlashTable entry
    BLENDSTATE colour;  // its colour pair
    std::int32_t bCustomCell = 0;
    std::uint8_t nCellMul = 1;  // the cell size of a custom-cell sheet in 32-pixel units
    std::int32_t sx = 0;        // source cell
    std::int32_t sy = 0;
    int width = 32;  // graphic size on the screen
    int height = 32;
    int baseWidth = 32;  // graphic size at size factor 1
    int baseHeight = 32;
    int scale = 1;  // the object's size factor
};

// Fills p for a cell of sheet kind (0 blocks, 1 characters, 2 items, 3 the 30-row sheet, 4 a
// Bmp_CharaExc sheet), graphic number n and column; a character (type 1) takes the sheet copy of
// its facing and adds frame to the column, an item (type 2) adds frame x 32 to the source x. A
// graphic number outside its sheets leaves p.plain null: nothing is drawn. The colour request of
// p is kept. object gives the facing and sizes (null: a 32 x 32 icon facing left).
void SetupCharaGraphic(CHARADRAWPARAM& p, int type, int kind, int n, int column, const cGameObject* object, int frame);
// True when the cell is drawn larger than its sheet cell (stretched from p.stretch).
bool IsCharaCellEnlarged(const CHARADRAWPARAM& p);
// The cell at (0, 0) of target in the graphic size, without colour key, stretched when
// enlarged, with p's colour pair when it asks for one.
void DrawCharaCell(DDSURFACEDATA* target, const CHARADRAWPARAM& p);
// The plain cell at (0, 0) of target with the colour pair, never stretched.
void DrawCharaCellColourOp(DDSURFACEDATA* target, const CHARADRAWPARAM& p);
// The cell at (x, y) of target with the colour key, stretched when enlarged (a character's plain
// drawing).
void DrawCharaCellAt(DDSURFACEDATA* target, int x, int y, const CHARADRAWPARAM& p);
// A 16 x 16 icon at (x, y) of target with the colour key: kind 0 the block cell (shrunk), 1 the
// character cell of column frame (shrunk, from the sheet's second copy), 2 the mini item cell, 3
// the cell of the 30-row sheet (shrunk), 4 the Bmp_CharaExc cell as SetupCharaGraphic places it
// (shrunk); other kinds, and a graphic number outside its sheets, draw nothing.
void DrawMiniIcon(DDSURFACEDATA* target, int x, int y, int kind, int n, int frame);
// An item definition's 32 x 32 picture at (x, y) of target with the colour key, and its overlay
// icon when it shows one (the stage map's palette icons).
void DrawPaletteIcon(const cEdItem& item, DDSURFACEDATA* target, int x, int y);
// The same for a block of the stage map.
void DrawPaletteIcon(const cEdBlock& block, DDSURFACEDATA* target, int x, int y);
// At stage start: the icon sheets (first: 43, or 44 unless DirectDraw stretches from video
// memory; second: 67 or 68; third: 68 under DirectDraw, 70 under Direct3D).
void SelectIconSheets();
