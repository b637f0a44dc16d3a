// Cost of the full-screen effects of the stage and the screens on Direct3D 32 and DirectDraw 32,
// each back-end opened headless in a 640 x 480 window in turn: one fade step (DDFadeOut and
// DDFadeIn at 3 degrees a step, whole fades out and in, so that the DirectDraw step that saves
// the picture counts at its real rate), a blur of radius 4 of a full-screen picture into the back
// buffer, and a 640 x 480 picture rotated about its centre into the back buffer. BM_Effects
// reports each as a share of the 16.7 ms of a frame at 60 frames a second ("fade_d3d_share",
// "blur_ddraw_share", ...; goal: each under 0.25).
// Figures come from the shipped build (bash scripts/build.sh release: -O3 with debug information,
// no sanitizers).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "graphics/BackEnd.h"
#include "graphics/Blur.h"
#include "graphics/Fade.h"
#include "graphics/LockSD.h"
#include "graphics/Palette.h"
#include "graphics/Rotation.h"
#include "graphics/SurfaceCatalogue.h"
#include "graphics/Surfaces.h"
#include "platform/hostapi/Host.h"
#include "platform/win/Messages.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kFrameMs = 1000.0 / 60;
constexpr double kFadeStepDegrees = 3.0;
constexpr int kFadeCycles = 2;         // whole fades out then in per run
constexpr int kMaxStepsPerFade = 200;  // a fade that never ends is a failure, not a hang
constexpr int kBlursPerRun = 20;
constexpr int kRotationsPerRun = 20;
constexpr int kBlurRadius = 4;

HWND BenchWindow()
{
    static const HWND hWnd = [] {
        setenv("QB_HEADLESS", "1", 1);
        SetHost(CreateHeadlessHost());
        RegisterClassA("QbEffectsBench", DefWindowProcA);
        return CreateWindowExA(0, "QbEffectsBench", "bench", WS_OVERLAPPEDWINDOW, 0, 0, kWidth, kHeight, nullptr);
    }();
    return hWnd;
}

// Milliseconds per call of each effect on one back-end; negative when it could not be timed.
struct EffectTimes {
    double fade = -1;
    double blur = -1;
    double rotation = -1;
};

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One back-end at 32 bits with an opaque full-screen picture (a render-target texture under
// Direct3D, as the stage's pictures are).
class EffectScene {
public:
    explicit EffectScene(bool bDirect3D)
    {
        m_bOpen = DDInit(bDirect3D ? 1 : 0, BenchWindow(), kWidth, kHeight, 32, 0, 1, 1, 60, 0, SDTable, SDInfoTable,
                         kBuiltInSurfaceCount) != FALSE;
        if (!m_bOpen) return;
        DDSetTransmit(0xFF, 0x00, 0xFF);
        m_bOpen = LoadPicture();
    }
    ~EffectScene()
    {
        DDReleaseSurface(&m_picture);
        DDRelease();
    }
    EffectScene(const EffectScene&) = delete;
    EffectScene& operator=(const EffectScene&) = delete;

    bool Ready() const { return m_bOpen; }

    // Milliseconds per fade step, over kFadeCycles fades out and in; negative when a fade fails.
    double TimeFade()
    {
        const auto start = Clock::now();
        int nSteps = 0;
        for (int k = 0; k < kFadeCycles; ++k) {
            for (bool bOut : {true, false}) {
                const int n = WholeFade(bOut);
                if (n < 0) return -1;
                nSteps += n;
            }
        }
        return MsSince(start) / nSteps;
    }

    // Milliseconds per full-screen blur of radius kBlurRadius; negative when a blur fails.
    double TimeBlur()
    {
        if (!Blur()) return -1;  // first touch of the pictures
        const auto start = Clock::now();
        for (int k = 0; k < kBlursPerRun; ++k)
            if (!Blur()) return -1;
        return MsSince(start) / kBlursPerRun;
    }

    // Milliseconds per 640 x 480 rotation, the angle changing from call to call; negative when a
    // rotation fails.
    double TimeRotation()
    {
        if (!Rotate(1)) return -1;
        const auto start = Clock::now();
        for (int k = 0; k < kRotationsPerRun; ++k)
            if (!Rotate(17 + 7 * k)) return -1;
        return MsSince(start) / kRotationsPerRun;
    }

private:
    bool LoadPicture()
    {
        if (!DDCreateSurface(&m_picture, kWidth, kHeight, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0)) return false;
        cLockSD lock(&m_picture, 32);
        if (!lock.IsLocked()) return false;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const DWORD pixel =
                    static_cast<DWORD>((x * 255 / kWidth) << 16 | (y * 255 / kHeight) << 8 | ((x ^ y) & 0xFF));
                lock.Write(x, y, lpDTCon ? 0xFF000000u | pixel : pixel);
            }
        return true;
    }

    // Steps of one whole fade as the screens call it, once per frame; negative when it fails or
    // does not end.
    static int WholeFade(bool bOut)
    {
        for (int n = 1; n <= kMaxStepsPerFade; ++n) {
            const BOOL bDone = bOut ? DDFadeOut(PaletteBackup, 0, 255, 0, 0, 0, kFadeStepDegrees, Palette, FALSE)
                                    : DDFadeIn(PaletteBackup, 0, 255, 0, 0, 0, kFadeStepDegrees, Palette, FALSE);
            if (bDone) return n;
        }
        return -1;
    }

    bool Blur()
    {
        return DDBlur(&BackBuffer, 0, 0, kWidth, kHeight, kBlurRadius, kBlurRadius, &m_picture, 0, 0, 0) != FALSE;
    }

    bool Rotate(int nAngle)
    {
        return DDBltRotate(&BackBuffer, kWidth / 2, kHeight / 2, kWidth, kHeight, kWidth / 2, kHeight / 2, nAngle,
                           &m_picture, 0, 0, 1) != FALSE;
    }

    bool m_bOpen = false;
    DDSURFACEDATA m_picture;
};

EffectTimes TimeEffects(bool bDirect3D)
{
    EffectScene scene(bDirect3D);
    EffectTimes t;
    if (!scene.Ready()) return t;
    t.fade = scene.TimeFade();
    t.blur = scene.TimeBlur();
    t.rotation = scene.TimeRotation();
    return t;
}

void BM_Effects(benchmark::State& state)
{
    EffectTimes d3d{0, 0, 0}, ddraw{0, 0, 0};
    for (auto _ : state) {
        const EffectTimes a = TimeEffects(true);
        const EffectTimes b = TimeEffects(false);
        if (a.fade < 0 || a.blur < 0 || a.rotation < 0 || b.fade < 0 || b.blur < 0 || b.rotation < 0) {
            state.SkipWithError("a back-end could not be opened or an effect failed");
            return;
        }
        d3d.fade += a.fade, d3d.blur += a.blur, d3d.rotation += a.rotation;
        ddraw.fade += b.fade, ddraw.blur += b.blur, ddraw.rotation += b.rotation;
    }
    const double runs = static_cast<double>(state.iterations());
    auto share = [&](const std::string& name, double ms) { state.counters[name + "_share"] = ms / runs / kFrameMs; };
    share("fade_d3d", d3d.fade);
    share("fade_ddraw", ddraw.fade);
    share("blur_d3d", d3d.blur);
    share("blur_ddraw", ddraw.blur);
    share("rotation_d3d", d3d.rotation);
    share("rotation_ddraw", ddraw.rotation);
}
BENCHMARK(BM_Effects)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
