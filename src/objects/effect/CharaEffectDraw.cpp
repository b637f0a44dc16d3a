#include "objects/effect/CharaEffectDraw.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "core/ReportLog.h"
#include "graphics/BackEnd.h"
#include "graphics/BlendBlit.h"
#include "graphics/BlendState.h"
#include "graphics/BlendTable.h"
#include "graphics/BlitEffects.h"
#include "graphics/Blur.h"
#include "graphics/Fill.h"
#include "graphics/Lens.h"
#include "graphics/Mosaic.h"
#include "graphics/Palette.h"
#include "graphics/Rotation.h"

namespace {

constexpr double kSqrt2 = 1.4142135623730951;
constexpr int kKindCount = 17;
constexpr int kWorkA = 67;  // work slots of the built-in surfaces
constexpr int kWorkB = 68;
constexpr int kWorkC = 69;
constexpr int kBlurTintColour = 31;  // the blur's stand-in at 8 bits: a tint toward this colour

// What one handler call works with: the character's screen rectangle, its size factor and the
// graphic's sources.
struct EFFECTFRAME {
    cCharaBase& chara;
    DDSURFACEDATA* target;
    const CHARAGRAPHIC& g;
    int L, T, W, H;
    int k;     // size factor, 1..
    int s;     // the sheet's own scale (1 without one)
    int srcW;  // the unscaled cell in the stretch source: own scale x base size
    int srcH;
    bool enlarged;
    double value;
};

using EffectHandler = void (*)(EFFECTFRAME& f);

bool Direct3D()
{
    return lpDTCon != nullptr;
}

DDSURFACEDATA* WorkSlot(int n)
{
    return lpSDTable != nullptr && n < nSDCount ? &lpSDTable[n] : nullptr;
}

int Trunc(double v)
{
    return static_cast<int>(v);
}

// The colour pair set around a blit that reads the source directly.
class PairScope {
public:
    explicit PairScope(const CHARAGRAPHIC& g) : m_on(g.bColorPair != 0)
    {
        if (m_on) {
            DDSetDiffuse(g.pair.dwDiffuse);
            DDSetColorOp(g.pair.dwColorOp);
        }
    }
    ~PairScope()
    {
        if (m_on) {
            DDResetDiffuse();
            DDResetColorOp();
        }
    }
    PairScope(const PairScope&) = delete;
    PairScope& operator=(const PairScope&) = delete;

private:
    bool m_on;
};

// The cell stretched to W x H at (0, 0) of work, without colour key, with the pair when asked.
void StretchCell(const EFFECTFRAME& f, DDSURFACEDATA* work)
{
    if (f.g.bColorPair) {
        DDStretchBltColorOp(work, 0, 0, f.W, f.H, f.g.lpStretch, f.g.sx, f.g.sy, f.srcW, f.srcH, 0, &f.g.pair);
    } else {
        DDStretchBlt(work, 0, 0, f.W, f.H, f.g.lpStretch, f.g.sx, f.g.sy, f.srcW, f.srcH, 0);
    }
}

// The plain cell copied to (0, 0) of work with the pair (stretched when enlarged).
void CopyCell(const EFFECTFRAME& f, DDSURFACEDATA* work)
{
    if (f.enlarged) {
        StretchCell(f, work);
    } else if (f.g.bColorPair) {
        DDBltColorOp(work, 0, 0, f.W, f.H, f.g.lpPlain, f.g.sx, f.g.sy, 0, &f.g.pair);
    } else {
        DDBlt(work, 0, 0, f.W, f.H, f.g.lpPlain, f.g.sx, f.g.sy, 0);
    }
}

// W x H of src at (sx, sy) to the character's place, colour-keyed, with the pair when asked.
void KeyedBlt(const EFFECTFRAME& f, DDSURFACEDATA* src, int sx, int sy)
{
    if (f.g.bColorPair) {
        DDBltColorOp(f.target, f.L, f.T, f.W, f.H, src, sx, sy, 1, &f.g.pair);
    } else {
        DDBlt(f.target, f.L, f.T, f.W, f.H, src, sx, sy, 1);
    }
}

void DrawPlain(EFFECTFRAME& f)
{
    if (f.enlarged) {
        if (f.g.bColorPair) {
            DDStretchBltColorOp(f.target, f.L, f.T, f.W, f.H, f.g.lpStretch, f.g.sx, f.g.sy, f.srcW, f.srcH, 1,
                                &f.g.pair);
        } else {
            DDStretchBlt(f.target, f.L, f.T, f.W, f.H, f.g.lpStretch, f.g.sx, f.g.sy, f.srcW, f.srcH, 1);
        }
    } else {
        KeyedBlt(f, f.g.lpPlain, f.g.sx, f.g.sy);
    }
}

void DrawBurst(EFFECTFRAME& f)
{
    if (f.enlarged) {
        StretchCell(f, f.g.lpStretchWork);
        DDBltBurst(f.target, f.L, f.T, f.W, f.H, f.g.lpStretchWork, 0, 0, Trunc(f.k * f.value), 1);
    } else {
        PairScope pair(f.g);
        DDBltBurst(f.target, f.L, f.T, f.W, f.H, f.g.lpPlain, f.g.sx, f.g.sy, Trunc(f.value), 1);
    }
}

// Band size: the side cut into p4 bands, rounded up (fewer than one band counts as one).
int BandSize(int nSide, int nBands)
{
    const int n = nBands < 1 ? 1 : nBands;
    return (nSide + n - 1) / n;
}

void DrawSplit(EFFECTFRAME& f, BOOL bVertical)
{
    const int band = BandSize(bVertical ? f.W : f.H, f.chara.charaEffect.Param(3));
    if (f.enlarged) {
        StretchCell(f, f.g.lpStretchWork);
        DDBltSplit(f.target, f.L, f.T, f.W, f.H, band, Trunc(f.k * f.value), f.g.lpStretchWork, 0, 0, 1, bVertical);
    } else {
        PairScope pair(f.g);
        DDBltSplit(f.target, f.L, f.T, f.W, f.H, band, Trunc(f.value), f.g.lpPlain, f.g.sx, f.g.sy, 1, bVertical);
    }
}

void DrawSplitH(EFFECTFRAME& f)
{
    DrawSplit(f, FALSE);
}

void DrawSplitV(EFFECTFRAME& f)
{
    DrawSplit(f, TRUE);
}

void DrawWave(EFFECTFRAME& f, BOOL bVertical)
{
    const cCharaEffectRun& run = f.chara.charaEffect;
    if (f.enlarged) {
        StretchCell(f, f.g.lpStretchWork);
        DDBltWave(f.target, f.L, f.T, f.W, f.H, run.Param(3), f.k * f.value, run.nCounter, f.k * run.Param(4),
                  f.g.lpStretchWork, 0, 0, 1, bVertical);
    } else {
        PairScope pair(f.g);
        DDBltWave(f.target, f.L, f.T, f.W, f.H, run.Param(3), f.value, run.nCounter, run.Param(4), f.g.lpPlain, f.g.sx,
                  f.g.sy, 1, bVertical);
    }
}

void DrawWaveH(EFFECTFRAME& f)
{
    DrawWave(f, FALSE);
}

void DrawWaveV(EFFECTFRAME& f)
{
    DrawWave(f, TRUE);
}

void DrawBlink(EFFECTFRAME& f)
{
    if (f.chara.charaEffect.bShown == 1) {
        DrawPlain(f);
    }
}

void DrawRotateB(EFFECTFRAME& f)
{
    const int cx = f.L + (f.W >> 1);
    const int cy = f.T + (f.H >> 1);
    if (f.enlarged) {
        DDSURFACEDATA* work = WorkSlot(Direct3D() ? kWorkA : kWorkB);
        StretchCell(f, work);
        DDBltRotate(f.target, cx, cy, f.W, f.H, f.W >> 1, f.H >> 1, Trunc(f.value), work, 0, 0, 1);
    } else if (Direct3D()) {
        PairScope pair(f.g);
        DDBltRotate(f.target, cx, cy, f.W, f.H, f.W >> 1, f.H >> 1, Trunc(f.value), f.g.lpEffect, f.g.sx, f.g.sy, 1);
    } else {
        DDBltRotate(f.target, cx, cy, f.W, f.H, f.W >> 1, f.H >> 1, Trunc(f.value), f.g.lpEffect, f.g.sx, f.g.sy, 1);
    }
}

void DrawRotateA(EFFECTFRAME& f)
{
    if (Direct3D()) {
        DrawRotateB(f);
        return;
    }
    const int cx = f.L + (f.W >> 1);
    const int cy = f.T + (f.H >> 1);
    if (!f.enlarged) {
        DDBltRotate(f.target, cx, cy, f.W, f.H, f.W >> 1, f.H >> 1, Trunc(f.value), f.g.lpEffect, f.g.sx, f.g.sy, 1);
        return;
    }
    // Rotated at the sheet's own size inside a square, then that square stretched.
    const int q = Trunc(f.s * f.chara.baseGfxWidth * kSqrt2);
    DDSURFACEDATA* work = f.g.lpStretchWork;
    DDFillRectPal(work, 0, 0, q, q, 0);
    DDBltRotate(work, q >> 1, q >> 1, f.srcW, f.srcH, f.srcW >> 1, f.srcH >> 1, Trunc(f.value), f.g.lpStretch, f.g.sx,
                f.g.sy, 1);
    const int r = Trunc(f.W * kSqrt2);
    DDStretchBlt(f.target, cx - (r >> 1), cy - (r >> 1), r, r, work, 0, 0, q, q, 1);
}

void DrawTurn(EFFECTFRAME& f)
{
    PairScope pair(f.g);
    DDBltTurn(f.target, f.L, f.T, f.W, f.H, f.g.lpStretch, f.g.sx, f.g.sy, f.g.lpTurn, f.g.sx, f.g.sy, f.srcW, f.srcH,
              1, Trunc(f.value), 0);
}

void DrawCircle(EFFECTFRAME& f)
{
    const int cx = f.L + (f.W >> 1);
    const int cy = f.T + (f.H >> 1);
    const int roughness = f.chara.charaEffect.Param(3);
    if (Direct3D() || f.enlarged) {
        StretchCell(f, f.g.lpStretchWork);
        DDBltCircle(f.target, cx, cy, f.W >> 1, f.H >> 1, Trunc(f.k * f.value), f.k * roughness, f.g.lpStretchWork,
                    f.W >> 1, f.H >> 1, 1);
    } else {
        PairScope pair(f.g);
        DDBltCircle(f.target, cx, cy, f.W >> 1, f.H >> 1, Trunc(f.value), roughness, f.g.lpPlain, f.g.sx + (f.W >> 1),
                    f.g.sy + (f.H >> 1), 1);
    }
}

void DrawZoom(EFFECTFRAME& f)
{
    if (f.enlarged) {
        const int g = Trunc((f.value - 32) * f.k) >> 1;
        StretchCell(f, f.g.lpStretchWork);
        DDStretchBlt(f.target, f.L - (g >> 1), f.T - (g >> 1), f.W + g, f.H + g, f.g.lpStretchWork, 0, 0, f.W, f.H, 1);
        return;
    }
    const int g = Trunc(f.value - 32);
    if (f.g.bColorPair) {
        DDStretchBltColorOp(f.target, f.L - (g >> 1), f.T - (g >> 1), f.W + g, f.H + g, f.g.lpEffect, f.g.sx, f.g.sy,
                            f.W, f.H, 1, &f.g.pair);
    } else {
        DDStretchBlt(f.target, f.L - (g >> 1), f.T - (g >> 1), f.W + g, f.H + g, f.g.lpEffect, f.g.sx, f.g.sy, f.W, f.H,
                     1);
    }
}

void DrawLens(EFFECTFRAME& f)
{
    const cCharaEffectRun& run = f.chara.charaEffect;
    const int c = run.Param(3) * f.k;
    const int d = run.Param(4) * f.k;
    const int r = Trunc(kSqrt2 * (std::max(std::abs(c), std::abs(d)) + (f.W >> 1)));
    const int side = (Direct3D() || nScreenBpp == 16) ? 4 * r : 2 * r;
    DDSURFACEDATA* work = f.g.lpEffectWork;
    DDFillRectPal(work, 0, 0, side, side, 0);
    CopyCell(f, work);
    // The distance is truncated first and then scaled: an enlarged character's lens deepens in
    // whole steps of its size factor.
    const int depth = f.enlarged ? Trunc(f.value) * f.k : Trunc(f.value);
    const int cx = f.L + (f.W >> 1) + c;
    const int cy = f.T + (f.H >> 1) + d;
    const int scx = (f.W >> 1) + c;
    const int scy = (f.H >> 1) + d;
    if (Direct3D() && f.g.bColorPair) {
        DDSURFACEDATA* slot = WorkSlot(kWorkC);
        DDFillRectPal(slot, 0, 0, 4 * r, 4 * r, 0);
        DDBltLens(slot, r, r, r, depth, work, scx, scy, 1, TRUE);
        DDBltColorOp(f.target, cx - r, cy - r, 2 * r, 2 * r, slot, 0, 0, 1, &f.g.pair);
    } else {
        DDBltLens(f.target, cx, cy, r, depth, work, scx, scy, 1, FALSE);
    }
}

void DrawTint(EFFECTFRAME& f)
{
    const cCharaEffectRun& run = f.chara.charaEffect;
    if (f.enlarged || f.g.bColorPair) {
        DDSURFACEDATA* work = WorkSlot(kWorkB);
        CopyCell(f, work);
        DDBltTint(f.target, f.L, f.T, f.W, f.H, work, 0, 0, 1, PaletteBackup, BlendTable, run.Param(3), Trunc(f.value));
    } else {
        DDBltTint(f.target, f.L, f.T, f.W, f.H, f.g.lpEffect, f.g.sx, f.g.sy, 1, PaletteBackup, BlendTable,
                  run.Param(3), Trunc(f.value));
    }
}

void DrawHalf(EFFECTFRAME& f)
{
    if (f.chara.charaEffect.bShown != 0) {
        return;
    }
    if (f.enlarged || (Direct3D() && f.g.bColorPair)) {
        DDSURFACEDATA* work = WorkSlot(kWorkB);
        CopyCell(f, work);
        DDBltHalf(f.target, f.L, f.T, f.W, f.H, work, 0, 0, 1, BlendTable);
    } else {
        DDBltHalf(f.target, f.L, f.T, f.W, f.H, f.g.lpEffect, f.g.sx, f.g.sy, 1, BlendTable);
    }
}

// A filter (mosaic or blur) of the W x H image at (sx, sy) of src into dst at (x, y).
using FilterFunc = void (*)(const EFFECTFRAME& f, DDSURFACEDATA* dst, int x, int y, DDSURFACEDATA* src, int sx, int sy);

void MosaicFilter(const EFFECTFRAME& f, DDSURFACEDATA* dst, int x, int y, DDSURFACEDATA* src, int sx, int sy)
{
    DDMosaic(dst, x, y, f.W, f.H, Trunc(f.value), src, sx, sy, 1);
}

void BlurFilter(const EFFECTFRAME& f, DDSURFACEDATA* dst, int x, int y, DDSURFACEDATA* src, int sx, int sy)
{
    DDBlur(dst, x, y, f.W, f.H, Trunc(f.value), Trunc(f.value), src, sx, sy, 1);
}

// The filter through work slot 69 (Direct3D): made at (0, 0) of the cleared slot, then blitted.
void FilterThroughSlot(const EFFECTFRAME& f, FilterFunc filter)
{
    DDSURFACEDATA* slot = WorkSlot(kWorkC);
    DDFillRectPal(slot, 0, 0, 2 * f.W, 2 * f.H, 0);
    filter(f, slot, 0, 0, f.g.lpEffectWork, 0, 0);
    KeyedBlt(f, slot, 0, 0);
}

void DrawFiltered(EFFECTFRAME& f, FilterFunc filter)
{
    if (!f.enlarged && !Direct3D()) {
        filter(f, f.target, f.L, f.T, f.g.lpEffect, f.g.sx, f.g.sy);
        return;
    }
    if (!f.enlarged) {
        CopyCell(f, f.g.lpEffectWork);
        FilterThroughSlot(f, filter);
        return;
    }
    StretchCell(f, f.g.lpEffectWork);
    if (Direct3D() && f.g.bColorPair) {
        FilterThroughSlot(f, filter);
    } else {
        filter(f, f.target, f.L, f.T, f.g.lpEffectWork, 0, 0);
    }
}

void DrawMosaic(EFFECTFRAME& f)
{
    DrawFiltered(f, MosaicFilter);
}

void DrawBlur(EFFECTFRAME& f)
{
    if (nScreenBpp == 8) {
        const int level = Trunc(f.value);
        if (f.enlarged) {
            StretchCell(f, f.g.lpEffectWork);
            DDBltTint(f.target, f.L, f.T, f.W, f.H, f.g.lpEffectWork, 0, 0, 1, PaletteBackup, BlendTable,
                      kBlurTintColour, level);
        } else {
            DDBltTint(f.target, f.L, f.T, f.W, f.H, f.g.lpEffect, f.g.sx, f.g.sy, 1, PaletteBackup, BlendTable,
                      kBlurTintColour, level);
        }
        return;
    }
    DrawFiltered(f, BlurFilter);
}

const std::array<EffectHandler, kKindCount> kHandlers = {
    DrawPlain, DrawBurst,  DrawSplitH, DrawSplitV, DrawWaveH, DrawWaveV, DrawBlink,  DrawRotateA, DrawRotateB,
    DrawTurn,  DrawCircle, DrawZoom,   DrawLens,   DrawTint,  DrawHalf,  DrawMosaic, DrawBlur,
};

// The kinds outside the table already reported (game thread only).
std::array<bool, 256>& ReportedKinds()
{
    static std::array<bool, 256> reported{};
    return reported;
}

int CheckedKind(int nKind)
{
    if (nKind >= 0 && nKind < kKindCount) {
        return nKind;
    }
    bool& reported = ReportedKinds()[static_cast<unsigned>(nKind) & 0xFF];
    if (!reported) {
        reported = true;
        ReportLog("Character effect kind %d is unknown; the character is drawn plainly\n", nKind);
    }
    return 0;
}

}  // namespace

bool IsCharaEnlarged(const cCharaBase& chara, const CHARAGRAPHIC& graphic)
{
    const int k = chara.def.m_nScale;
    return graphic.bOwnScale ? k != graphic.nOwnScale : k > 1;
}

int DrawCharaEffect(cCharaBase& chara, DDSURFACEDATA* target, const CHARAGRAPHIC* graphic, int bPaused, int bDraw)
{
    cCharaEffectRun& run = chara.charaEffect;
    const int kind = run.nNumber == 0 ? 0 : CheckedKind(run.Kind());
    if (bDraw && target != nullptr && graphic != nullptr) {
        const int s = graphic->bOwnScale ? graphic->nOwnScale : 1;
        EFFECTFRAME frame{chara,
                          target,
                          *graphic,
                          chara.screenLeft,
                          chara.screenTop,
                          chara.gfxWidth,
                          chara.gfxHeight,
                          std::max<int>(1, chara.def.m_nScale),
                          s,
                          s * chara.baseGfxWidth,
                          s * chara.baseGfxHeight,
                          IsCharaEnlarged(chara, *graphic),
                          run.dValue};
        kHandlers[static_cast<std::size_t>(kind)](frame);
    }
    return run.StepFrame(bPaused);
}
