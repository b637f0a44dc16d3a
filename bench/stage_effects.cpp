// Cost of a stage frame's effects on Direct3D 32 and DirectDraw 32, each back-end opened headless
// in a 640 x 480 window in turn: ten characters drawn through ten different character effects
// (burst, split, wave, rotation, card turn, circle, lens, tint, mosaic, blur) and then the lens,
// the heaviest screen effect, over the whole composed frame (the composition itself and the end
// of the frame are not counted). BM_StageEffects reports the frame's
// effect time as a share of the 16.7 ms of a frame at 60 frames a second ("frame_d3d_share",
// "frame_ddraw_share"; goal: each under 0.25), and the screen effect's own share.
// Figures come from the shipped build (bash scripts/build.sh release bench_stage_effects), on a
// shared 8-core machine under load (single runs vary by a third; medians of five runs made
// alternately with the earlier build): before the lock and lens work frame_d3d_share 0.38,
// lens_d3d_share 0.29, frame_ddraw_share 0.26, lens_ddraw_share 0.25; after it frame_d3d_share
// 0.22, lens_d3d_share 0.16, frame_ddraw_share 0.14, lens_ddraw_share 0.14 (the lens works out
// its square roots and quotients a run of pixels at a time and reads through row pointers; effect
// sources are locked read-only and destinations write back only the area they draw, so a render
// target is no longer copied back whole).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <list>
#include <vector>

#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/LockSD.h"
#include "graphics/Palette.h"
#include "graphics/SurfaceCatalogue.h"
#include "graphics/Surfaces.h"
#include "objects/StageObjects.h"
#include "objects/chara/cChara.h"
#include "objects/effect/CharaEffectDraw.h"
#include "platform/hostapi/Host.h"
#include "platform/win/Messages.h"
#include "project/DerivedTables.h"
#include "project/cDatabase.h"
#include "stage/draw/ScrEffectDraw.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kFrameMs = 1000.0 / 60;
constexpr int kFramesPerRun = 30;
constexpr int kCharaKinds[] = {1, 2, 4, 7, 9, 10, 12, 13, 15, 16};
constexpr int kLensEntry = 1;

HWND BenchWindow()
{
    static const HWND hWnd = [] {
        setenv("QB_HEADLESS", "1", 1);
        SetHost(CreateHeadlessHost());
        RegisterClassA("QbStageEffectsBench", DefWindowProcA);
        return CreateWindowExA(0, "QbStageEffectsBench", "bench", WS_OVERLAPPEDWINDOW, 0, 0, kWidth, kHeight, nullptr);
    }();
    return hWnd;
}

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class BenchField : public cStageField {
public:
    int CheckBlockCond(MAPCELL&) override { return 1; }
};

// The effect entries: one CharaEffect entry per kind (long run times, looping) and the lens.
void BuildEntries()
{
    Database.SetDefault();
    Database.CharaEffect.resize(1);
    Database.CharaEffect[0].nKind = 0;
    for (int kind : kCharaKinds) {
        cDbCharaEffect entry;
        entry.nKind = kind;
        const int params[5] = {100, 0, 32, 4, 2};
        for (int i = 0; i < 5; ++i) entry.nParam[i] = params[i];
        if (kind == 10 || kind == 12 || kind == 15 || kind == 16) entry.nParam[1] = 1;
        Database.CharaEffect.push_back(entry);
    }
    Database.ScrEffect.resize(2);
    Database.ScrEffect[0].nKind = 0;
    Database.ScrEffect[kLensEntry].nKind = 12;
    const int lens[5] = {100, 1500, 5, 0, 0};
    for (int i = 0; i < 5; ++i) Database.ScrEffect[kLensEntry].nParam[i] = lens[i];
    BuildDerivedTables();
}

struct FrameTimes {
    double frame = -1;   // ms per frame: the characters and the screen effect
    double screen = -1;  // ms of the screen effect alone
};

class EffectStage {
public:
    explicit EffectStage(bool bDirect3D) : m_bD3D(bDirect3D)
    {
        m_bOpen = DDInit(bDirect3D ? 1 : 0, BenchWindow(), kWidth, kHeight, 32, 0, 1, 1, 60, 0, SDTable, SDInfoTable,
                         kBuiltInSurfaceCount) != FALSE;
        if (!m_bOpen) return;
        DDSetTransmit(0xFF, 0x00, 0xFF);
        if (bDirect3D) LinkSharedSurfaces();
        const int slots[] = {67, 68, 69, 70};
        m_bOpen = DDLoadSurfaces(SDTable, slots, 4) && Fill(&m_frame, kWidth, kHeight) && Fill(&m_sheet, 64, 32);
        BuildEntries();
        ResetStageObjects();
        Player[P1].screenLeft = 300;
        Player[P1].screenTop = 220;
        Player[P1].gfxWidth = Player[P1].gfxHeight = 32;
        m_graphic.lpPlain = m_graphic.lpEffect = m_graphic.lpStretch = m_graphic.lpTurn = &m_sheet;
        m_graphic.lpStretchWork = &SDTable[68];
        m_graphic.lpEffectWork = &SDTable[bDirect3D ? 70 : 68];
        for (int i = 0; i < 10; ++i) {
            m_charas.emplace_back();
            cChara& c = m_charas.back();
            c.screenLeft = 40 + 56 * i;
            c.screenTop = 100 + 20 * (i % 4);
            c.gfxWidth = c.gfxHeight = c.baseGfxWidth = c.baseGfxHeight = 32;
            c.def.m_nScale = 1;
            c.charaEffect.Start(i + 1, 0, 1);
        }
        m_field.m_ScrEffect.Start(kLensEntry, 0, 1);
    }
    ~EffectStage()
    {
        DDReleaseSurface(&m_frame);
        DDReleaseSurface(&m_sheet);
        DDRelease();
        ResetStageObjects();
        Database.SetDefault();
        BuildDerivedTables();
    }
    EffectStage(const EffectStage&) = delete;
    EffectStage& operator=(const EffectStage&) = delete;

    bool Ready() const { return m_bOpen; }

    FrameTimes Time()
    {
        FrameTimes t{0, 0};
        Frame(nullptr, nullptr);  // first touch of the surfaces
        for (int k = 0; k < kFramesPerRun; ++k) Frame(&t.frame, &t.screen);
        t.frame /= kFramesPerRun;
        t.screen /= kFramesPerRun;
        return t;
    }

private:
    // One frame: the composed picture (not timed), the ten characters through their effects and
    // the screen effect (timed), and the end of the frame's redirection (not timed).
    void Frame(double* pEffectsMs, double* pScreenMs)
    {
        if (m_bD3D) DDSetVirBackBuffer(TRUE);
        DDBlt(&BackBuffer, 0, 0, kWidth, kHeight, &m_frame, 0, 0, 0);
        const auto start = Clock::now();
        for (cChara& c : m_charas) DrawCharaEffect(c, &BackBuffer, &m_graphic, 0, 1);
        const auto screenStart = Clock::now();
        DrawScrEffect(m_field, 0);
        if (pScreenMs != nullptr) *pScreenMs += MsSince(screenStart);
        if (pEffectsMs != nullptr) *pEffectsMs += MsSince(start);
        if (m_bD3D) DDSetVirBackBuffer(FALSE);
    }

    static bool Fill(DDSURFACEDATA* sd, int w, int h)
    {
        if (!DDCreateSurface(sd, w, h, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0)) return false;
        cLockSD lock(sd, 32);
        if (!lock.IsLocked()) return false;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const DWORD pixel = static_cast<DWORD>((x * 255 / w) << 16 | (y * 255 / h) << 8 | ((x ^ y) & 0xFF));
                lock.Write(x, y, lpDTCon ? 0xFF000000u | pixel : pixel);
            }
        return true;
    }

    bool m_bD3D;
    bool m_bOpen = false;
    DDSURFACEDATA m_frame;
    DDSURFACEDATA m_sheet;
    CHARAGRAPHIC m_graphic;
    std::list<cChara> m_charas;
    BenchField m_field;
};

FrameTimes TimeBackEnd(bool bDirect3D)
{
    EffectStage stage(bDirect3D);
    return stage.Ready() ? stage.Time() : FrameTimes{};
}

void BM_StageEffects(benchmark::State& state)
{
    FrameTimes d3d{0, 0};
    FrameTimes ddraw{0, 0};
    for (auto _ : state) {
        const FrameTimes a = TimeBackEnd(true);
        const FrameTimes b = TimeBackEnd(false);
        if (a.frame < 0 || b.frame < 0) {
            state.SkipWithError("a back-end could not be opened");
            return;
        }
        d3d.frame += a.frame, d3d.screen += a.screen;
        ddraw.frame += b.frame, ddraw.screen += b.screen;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["frame_d3d_share"] = d3d.frame / runs / kFrameMs;
    state.counters["frame_ddraw_share"] = ddraw.frame / runs / kFrameMs;
    state.counters["lens_d3d_share"] = d3d.screen / runs / kFrameMs;
    state.counters["lens_ddraw_share"] = ddraw.screen / runs / kFrameMs;
}
BENCHMARK(BM_StageEffects)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
