#include "stage/draw/ScrEffectDraw.h"

#include <algorithm>
#include <array>

#include "core/ReportLog.h"
#include "graphics/BackEnd.h"
#include "graphics/BlendState.h"
#include "graphics/Blit.h"
#include "graphics/BlitEffects.h"
#include "graphics/Fill.h"
#include "graphics/Lens.h"
#include "graphics/Mosaic.h"
#include "graphics/Rotation.h"
#include "objects/StageObjects.h"
#include "project/cDatabase.h"

namespace {

constexpr int kBlinkKind = 8;

constexpr int kScreenW = 640;
constexpr int kScreenH = 480;
constexpr int kBackground = 16;  // palette entry of the uncovered screen
constexpr int kWorkA = 67;
constexpr int kWorkB = 68;
constexpr int kWavePhases = 360;
constexpr double kSqrt2 = 1.4142135623730951;
constexpr double kZoomPerPixel = 0.0015625;  // 1 / 640

using ScrEffectHandler = int (*)(cScrEffectRun& run, int bDrawOnly);

int Trunc(double v)
{
    return static_cast<int>(v);
}

DDSURFACEDATA* WorkSlot(int n)
{
    return lpSDTable != nullptr && n < nSDCount ? &lpSDTable[n] : nullptr;
}

// The zoom reads work surface B (work surface A only with DirectDraw's stretching in video
// memory, which this back-end never needs).
DDSURFACEDATA* ZoomSource()
{
    return WorkSlot(kWorkB);
}

// The common start of a frame: the composed frame copied into work, the back buffer filled
// (unless bFill is false), the alpha operation set.
void BeginFrame(DDSURFACEDATA* work, bool bFill)
{
    DDBlt(work, 0, 0, kScreenW, kScreenH, &BackBuffer, 0, 0, 0);
    if (bFill) {
        DDFillSurfacePal(&BackBuffer, kBackground);
    }
    DDSetAlphaOp(1);
}

// The common end: the alpha operation reset, then the advance unless only drawing.
int EndFrame(cScrEffectRun& run, int bDrawOnly, int nStart, int nEnd)
{
    DDResetAlphaOp();
    return bDrawOnly ? 0 : run.Step(nStart, nEnd, run.dStep);
}

// The player's graphic centre on the screen.
void PlayerCentre(int& cx, int& cy)
{
    cx = 0;
    cy = 0;
    if (!Player.empty()) {
        cx = Player[P1].ScreenCentreX();
        cy = Player[P1].ScreenCentreY();
    }
}

// Distances from a centre to the farther vertical and the farther horizontal screen edge.
int FarX(int cx)
{
    return cx < kScreenW / 2 ? kScreenW - cx : cx;
}

int FarY(int cy)
{
    return cy < kScreenH / 2 ? kScreenH - cy : cy;
}

// Divisions below 1 count as 1; the band is the side divided, rounded up.
int Band(int nSide, int nDivisions)
{
    const int n = nDivisions < 1 ? 1 : nDivisions;
    return (nSide + n - 1) / n;
}

int ScrEffectNone(cScrEffectRun&, int)
{
    if (lpDTCon != nullptr && lpDTCon->bVirBackBuffer) {
        DDSetVirBackBuffer(FALSE);
    }
    return 0;
}

int ScrEffectMove(cScrEffectRun& run, int bDrawOnly)
{
    DDSURFACEDATA* work = WorkSlot(kWorkA);
    BeginFrame(work, true);
    DDBlt(&BackBuffer, run.nA, run.nB, kScreenW, kScreenH, work, 0, 0, 0);
    if (!bDrawOnly) {
        const double p1 = run.RunTenths();
        run.nA = Trunc((run.Param(3) - run.Param(1)) / p1 * run.dValue + run.Param(1));
        run.nB = Trunc((run.Param(4) - run.Param(2)) / p1 * run.dValue + run.Param(2));
    }
    return EndFrame(run, bDrawOnly, 0, run.RunTenths());
}

// The shake's swing: the offset moves by p3 x p2 x 4 / (p1 x 6) per frame between +p2 and -p2.
void Swing(cScrEffectRun& run)
{
    const double amplitude = run.Param(1);
    const double speed = run.Param(2) * amplitude * 4 / (run.RunTenths() * 6.0);
    if (run.nA == 0) {
        run.dOffset += speed;
        if (run.dOffset >= amplitude) {
            run.dOffset = amplitude;
            run.nA = 1;
        }
    } else {
        run.dOffset -= speed;
        if (run.dOffset <= -amplitude) {
            run.dOffset = -amplitude;
            run.nA = 0;
        }
    }
}

int ScrEffectShakeX(cScrEffectRun& run, int bDrawOnly)
{
    DDSURFACEDATA* work = WorkSlot(kWorkA);
    BeginFrame(work, false);
    const double o = run.dOffset;
    if (o > 0) {
        DDFillRectPal(&BackBuffer, 0, 0, Trunc(o + 1), kScreenH, kBackground);
    } else if (o < 0) {
        DDFillRectPal(&BackBuffer, Trunc(o + kScreenW), 0, Trunc(1 - o), kScreenH, kBackground);
    }
    DDBlt(&BackBuffer, Trunc(o), 0, kScreenW, kScreenH, work, 0, 0, 0);
    if (!bDrawOnly) {
        Swing(run);
    }
    return EndFrame(run, bDrawOnly, 0, run.RunTenths());
}

int ScrEffectShakeY(cScrEffectRun& run, int bDrawOnly)
{
    DDSURFACEDATA* work = WorkSlot(kWorkA);
    BeginFrame(work, true);
    DDBlt(&BackBuffer, 0, Trunc(run.dOffset), kScreenW, kScreenH, work, 0, 0, 0);
    if (!bDrawOnly) {
        Swing(run);
    }
    return EndFrame(run, bDrawOnly, 0, run.RunTenths());
}

int Split(cScrEffectRun& run, int bDrawOnly, BOOL bVertical)
{
    DDSURFACEDATA* work = WorkSlot(kWorkA);
    BeginFrame(work, true);
    const int band = Band(bVertical ? kScreenW : kScreenH, run.Param(3));
    DDBltSplit(&BackBuffer, 0, 0, kScreenW, kScreenH, band, Trunc(run.dValue), work, 0, 0, 0, bVertical);
    return EndFrame(run, bDrawOnly, run.Param(1), run.Param(2));
}

int ScrEffectSplitX(cScrEffectRun& run, int bDrawOnly)
{
    return Split(run, bDrawOnly, FALSE);
}

int ScrEffectSplitY(cScrEffectRun& run, int bDrawOnly)
{
    return Split(run, bDrawOnly, TRUE);
}

int Wave(cScrEffectRun& run, int bDrawOnly, BOOL bVertical)
{
    DDSURFACEDATA* work = WorkSlot(kWorkA);
    BeginFrame(work, true);
    DDBltWave(&BackBuffer, 0, 0, kScreenW, kScreenH, run.Param(3), run.dValue, run.nA, run.Param(4), work, 0, 0, 0,
              bVertical);
    if (!bDrawOnly) {
        run.nA = run.nA + 1 >= kWavePhases ? 0 : run.nA + 1;
    }
    return EndFrame(run, bDrawOnly, run.Param(1), run.Param(2));
}

int ScrEffectWaveX(cScrEffectRun& run, int bDrawOnly)
{
    return Wave(run, bDrawOnly, FALSE);
}

int ScrEffectWaveY(cScrEffectRun& run, int bDrawOnly)
{
    return Wave(run, bDrawOnly, TRUE);
}

int ScrEffectBlink(cScrEffectRun& run, int bDrawOnly)
{
    // While b is 0 the caller draws the backgrounds again over the frame (DrawScrEffect).
    if (run.nA >= run.Param(1)) {
        run.nA = 0;
        run.nB = run.nB ? 0 : 1;
    }
    if (bDrawOnly) {
        return 0;
    }
    ++run.nA;
    return run.Step(0, run.RunTenths(), run.dStep);
}

int ScrEffectRotate(cScrEffectRun& run, int bDrawOnly)
{
    DDSURFACEDATA* work = WorkSlot(kWorkB);
    BeginFrame(work, true);
    DDBltRotate(&BackBuffer, kScreenW / 2, kScreenH / 2, kScreenW, kScreenH, kScreenW / 2, kScreenH / 2,
                Trunc(run.dValue), work, 0, 0, 0);
    return EndFrame(run, bDrawOnly, run.Param(1), run.Param(2));
}

int ScrEffectCircle(cScrEffectRun& run, int bDrawOnly)
{
    DDSURFACEDATA* work = WorkSlot(kWorkA);
    BeginFrame(work, true);
    int cx = 0;
    int cy = 0;
    PlayerCentre(cx, cy);
    DDBltCircle(&BackBuffer, cx, cy, FarX(cx), FarY(cy), Trunc(run.dValue), run.Param(3), work, cx, cy, 0);
    return EndFrame(run, bDrawOnly, run.Param(1), run.Param(2));
}

// One axis of the zoomed window: its start, kept inside the screen.
int ZoomWindowStart(int nCentre, int nHalf, int nScreen, double s)
{
    const int size = Trunc(nScreen / s);
    int start = Trunc(nCentre - nHalf / s);
    if (start + size >= nScreen) {
        start = Trunc(nScreen - nScreen / s);
    } else if (start < 0) {
        start = 0;
    }
    return start;
}

int ScrEffectZoom(cScrEffectRun& run, int bDrawOnly)
{
    DDSURFACEDATA* work = ZoomSource();
    const double s = run.dValue * kZoomPerPixel;
    BeginFrame(work, s < 1.0);
    if (s >= 1.0) {
        int cx = 0;
        int cy = 0;
        PlayerCentre(cx, cy);
        const int left = ZoomWindowStart(cx, kScreenW / 2, kScreenW, s);
        const int top = ZoomWindowStart(cy, kScreenH / 2, kScreenH, s);
        DDStretchBlt(&BackBuffer, 0, 0, kScreenW, kScreenH, work, left, top, Trunc(kScreenW / s), Trunc(kScreenH / s),
                     1);
    } else if (s > 0.0) {
        DDStretchBlt(&BackBuffer, Trunc((kScreenW - kScreenW * s) / 2), Trunc((kScreenH - kScreenH * s) / 2),
                     Trunc(kScreenW * s), Trunc(kScreenH * s), work, 0, 0, kScreenW, kScreenH, 1);
    }
    return EndFrame(run, bDrawOnly, run.Param(1), run.Param(2));
}

int ScrEffectLens(cScrEffectRun& run, int bDrawOnly)
{
    DDSURFACEDATA* work = WorkSlot(kWorkB);
    int cx = 0;
    int cy = 0;
    PlayerCentre(cx, cy);
    cx += run.Param(3);
    cy += run.Param(4);
    const int radius = Trunc(kSqrt2 * std::max(FarX(cx), FarY(cy)));
    // The square is cut to the work surface by the fill itself.
    const int side = nScreenBpp == 16 ? 4 * radius : 2 * radius;
    DDFillRectPal(work, 0, 0, side, side, 0);
    BeginFrame(work, true);
    DDBltLens(&BackBuffer, cx, cy, radius, Trunc(run.dValue), work, cx, cy, 0, FALSE);
    return EndFrame(run, bDrawOnly, run.Param(1), run.Param(2));
}

int ScrEffectMosaic(cScrEffectRun& run, int bDrawOnly)
{
    DDSURFACEDATA* work = WorkSlot(kWorkB);
    BeginFrame(work, true);
    DDMosaic(&BackBuffer, 0, 0, kScreenW, kScreenH, Trunc(run.dValue), work, 0, 0, 0);
    return EndFrame(run, bDrawOnly, run.Param(1), run.Param(2));
}

const std::array<ScrEffectHandler, kScrEffectKindCount> ScrEffectFunc = {
    ScrEffectNone,  ScrEffectMove,  ScrEffectShakeX, ScrEffectShakeY, ScrEffectSplitX, ScrEffectSplitY, ScrEffectWaveX,
    ScrEffectWaveY, ScrEffectBlink, ScrEffectRotate, ScrEffectCircle, ScrEffectZoom,   ScrEffectLens,   ScrEffectMosaic,
};

int CheckedKind(int nKind)
{
    static std::array<bool, 256> reported{};
    if (nKind >= 0 && nKind < kScrEffectKindCount) {
        return nKind;
    }
    bool& once = reported[static_cast<unsigned>(nKind) & 0xFF];
    if (!once) {
        once = true;
        ReportLog("Screen effect kind %d is unknown; it draws nothing\n", nKind);
    }
    return 0;
}

}  // namespace

int DrawScrEffect(cStageField& field, int bDrawOnly, const std::function<void()>& redrawBackgrounds)
{
    cScrEffectRun& run = field.m_ScrEffect;
    if (run.nNumber == 0) {
        return 0;
    }
    const int kind = CheckedKind(Database.ScrEffect[run.nNumber].nKind);
    const int ended = ScrEffectFunc[static_cast<std::size_t>(kind)](run, bDrawOnly);
    if (kind == kBlinkKind && run.nB == 0 && redrawBackgrounds) {
        redrawBackgrounds();
    }
    if (ended != 1) {
        return 0;
    }
    run.Clear();
    if (lpDTCon != nullptr) {
        DDSetVirBackBuffer(FALSE);
    }
    return 1;
}
