// The stage's backdrop: the backgrounds (scrolled by themselves or with the camera, tiled over
// the screen) and the visible cells of the block map. Reads the stepped state only, except the
// auto-scroll offsets, which advance once per drawn frame.
#include <cmath>

#include "definitions/cEdStage.h"
#include "graphics/Blit.h"
#include "graphics/Fill.h"
#include "graphics/SpriteBatch.h"
#include "graphics/SurfaceCatalogue.h"
#include "objects/StageObjects.h"
#include "objects/chara/CharaGraphic.h"
#include "stage/cSceneStage.h"

namespace {

constexpr int kSlotFirstBackground = 55;
constexpr int kBackgroundSlots = 8;  // slots 55..62
constexpr int kSlotMark = 43;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr DWORD kEmptyColour = 16;
constexpr int kMaxTiles = 1000;
constexpr int kMapColumns = 21;
constexpr int kMapRows = 16;

int Backgrounds()
{
    const int n = static_cast<int>(Stage.m_Background.size());
    return n < kBackgroundSlots ? n : kBackgroundSlots;
}

// The picture of background i; null when its bitmap is missing (failed to load: nothing to tile).
DDSURFACEDATA* BackgroundPicture(int i)
{
    DDSURFACEDATA* sd = &SDTable[kSlotFirstBackground + i];
    return sd->nWidth > 0 && sd->nHeight > 0 ? sd : nullptr;
}

// Moves an auto-scroll offset on by one frame and brings it back into 0 .. size.
double Wrap(double dOffset, double dSpeed, int nSize)
{
    dOffset -= dSpeed;
    if (!std::isfinite(dOffset)) {
        return 0.0;  // a speed from a damaged stage file that is not a number
    }
    if (dOffset < 0.0) {
        dOffset += nSize;
    } else if (dOffset >= nSize) {
        dOffset -= nSize;
    }
    return dOffset;
}

// The start inside the picture of a background's tiling on one axis.
int TileStart(const cScroll& axis, double dFactor, double dOffset, int bAuto, int nSize)
{
    const double dMargin = 32.0 * axis.nMargin;
    double d = bAuto ? axis.dPos + dOffset - dMargin : (std::trunc(axis.dPos + 0.5) - dMargin) * dFactor;
    if (!std::isfinite(d)) {
        d = 0.0;  // a factor from a damaged stage file that is not a number
    }
    // Far outside the int range the picture's phase no longer matters.
    d = std::fmod(std::trunc(d), static_cast<double>(nSize));
    const int n = static_cast<int>(d);
    return n < 0 ? n + nSize : n;
}

void TilePicture(DDSURFACEDATA* target, DDSURFACEDATA* sd, int sx0, int sy0, int nFlags)
{
    const int w = sd->nWidth;
    const int h = sd->nHeight;
    int y = 0;
    int sy = sy0;
    for (int row = 0; row < kMaxTiles && y < kScreenHeight; ++row) {
        const int th = h - sy;
        int x = 0;
        int sx = sx0;
        for (int col = 0; col < kMaxTiles && x < kScreenWidth; ++col) {
            const int tw = w - sx;
            DDBlt(target, x, y, tw, th, sd, sx, sy, nFlags);
            x += tw;
            sx = 0;
        }
        y += th;
        sy = 0;
    }
}

}  // namespace

void cSceneStage::ScrollBackgrounds()
{
    for (int i = 0; i < Backgrounds(); ++i) {
        cEdBackground& bg = Stage.m_Background[i];
        const DDSURFACEDATA* sd = BackgroundPicture(i);
        if (sd == nullptr) {
            continue;
        }
        if (bg.m_bAutoScrollX) {
            bg.m_dOffsetX = Wrap(bg.m_dOffsetX, bg.m_dSpeedX, sd->nWidth);
        }
        if (bg.m_bAutoScrollY) {
            bg.m_dOffsetY = Wrap(bg.m_dOffsetY, bg.m_dSpeedY, sd->nHeight);
        }
    }
}

void cSceneStage::DrawBackground(DDSURFACEDATA* target, int nLayer)
{
    bool bAnyVisible = false;
    for (int i = 0; i < Backgrounds(); ++i) {
        bAnyVisible = bAnyVisible || Stage.m_Background[i].m_bVisible != 0;
    }
    if (nLayer == 0 && !bAnyVisible) {
        DDFillRectPal(target, 0, 0, kScreenWidth, kScreenHeight, kEmptyColour);
        return;
    }
    bool bDrawn = false;
    for (int i = 0; i < Backgrounds(); ++i) {
        const cEdBackground& bg = Stage.m_Background[i];
        if (!bg.m_bVisible || bg.m_nLayer != nLayer) {
            continue;
        }
        if (bg.m_bFill) {
            DDFillRectPal(target, 0, 0, kScreenWidth, kScreenHeight, static_cast<DWORD>(bg.m_nFillColor & 0xFF));
            bDrawn = true;
            continue;
        }
        DDSURFACEDATA* sd = BackgroundPicture(i);
        if (sd == nullptr) {
            continue;
        }
        const int sx = TileStart(m_ScrollX, bg.m_dSpeedX, bg.m_dOffsetX, bg.m_bAutoScrollX, sd->nWidth);
        const int sy = TileStart(m_ScrollY, bg.m_dSpeedY, bg.m_dOffsetY, bg.m_bAutoScrollY, sd->nHeight);
        // The first picture behind the field covers the screen; every other one shows what lies
        // behind its transparent colour.
        const int nFlags = nLayer == 0 && !bDrawn ? 0 : 1;
        TilePicture(target, sd, sx, sy, nFlags);
        bDrawn = true;
    }
    if (nLayer == 0 && !bDrawn) {
        DDFillRectPal(target, 0, 0, kScreenWidth, kScreenHeight, kEmptyColour);
    }
}

std::vector<MAPCELLDRAW> cSceneStage::VisibleMapCells(int nLayer)
{
    std::vector<MAPCELLDRAW> cells;
    const int cx = static_cast<int>(std::trunc(m_ScrollX.dPos));
    const int cy = static_cast<int>(std::trunc(m_ScrollY.dPos));
    const int nColumn0 = cx >> 5;
    const int nRow0 = cy >> 5;
    for (int k = 0; k < kMapRows; ++k) {
        const int nRow = nRow0 + k;
        if (nRow < 0 || nRow >= m_ScrollY.nCells) {
            continue;
        }
        for (int i = 0; i < kMapColumns; ++i) {
            const int nColumn = nColumn0 + i;
            if (nColumn < 0 || nColumn >= m_ScrollX.nCells) {
                continue;
            }
            const long long nIndex = nColumn + (static_cast<long long>(nRow) << m_ScrollX.nPitchShift);
            if (nIndex >= static_cast<long long>(StageMap.size())) {
                continue;
            }
            MAPCELL& cell = StageMap.data()[nIndex];
            // The conditions are read before the hidden flag: a hidden block on the screen still
            // latches its once-only list.
            if (cell.m_nGraphic == 0 || cell.m_nDrawLayer != nLayer || !CheckBlockCond(cell) || cell.m_bHidden != 0) {
                continue;
            }
            cells.push_back(MAPCELLDRAW{static_cast<int>(nIndex), 32 * i - (cx & 31), 32 * k - (cy & 31)});
        }
    }
    return cells;
}

void cSceneStage::DrawMap(DDSURFACEDATA* target, int nLayer)
{
    DDBeginBatch(1);
    DDBatchAddTexture(&SDTable[kSlotMark]);
    for (const MAPCELLDRAW& cell : VisibleMapCells(nLayer)) {
        DrawPaletteIcon(StageMap.data()[cell.nCell], target, cell.x, cell.y);
    }
    DDEndBatch();
}
