// Cost of a typical stage frame drawn by the engine: a full-screen background, 300 keyed 32 x 32
// tiles, 100 keyed sprites (half of them stretched to 48 x 48) and a keyed full-screen foreground,
// through DDBlt and DDStretchBlt on Direct3D 32 (inside the sorted sprite batch, as the stage
// draws its field) and on DirectDraw 32, and the same scene through SDL2's software renderer
// (SDL_RenderCopy of colour-keyed textures). BM_StageFrame opens each back-end in turn and reports
// the time per frame of each ("d3d_ms", "ddraw_ms", "sdl_ms") and the ratios "sdl_over_d3d" and
// "sdl_over_ddraw" (goal: at least 1, and frames well inside the 16.7 ms of 60 frames a second),
// and "d3d_over_ddraw" (goal: at most 1.5: a frame on Direct3D costs at most half as much again
// as on DirectDraw).
// Figures come from the shipped build (bash scripts/build.sh release bench_stage_frame: -O3 with
// debug information, no sanitizers), on a shared 8-core machine under load (single runs vary by a
// third; medians of five runs made alternately with the earlier build): before the blit work
// d3d_ms 1.43, ddraw_ms 0.47, d3d_over_ddraw 3.1 (keyed texels went through the full blend
// arithmetic, texel indices through a floor, each draw allocated its working rows); after it
// d3d_ms 0.49, ddraw_ms 0.39, d3d_over_ddraw 1.2 (keyed texels are selected sixteen at a time with
// AVX2, eight without, opaque rows copied, working rows kept by the device).
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/LockSD.h"
#include "graphics/Palette.h"
#include "graphics/SpriteBatch.h"
#include "graphics/SurfaceCatalogue.h"
#include "graphics/Surfaces.h"
#include "platform/hostapi/Host.h"
#include "platform/win/Messages.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kSide = 32;
constexpr int kSprites = 100;
constexpr int kStretchedSide = 48;
constexpr int kFramesPerRun = 100;
constexpr DWORD kKey = 0x00FF00FF;  // the transparent colour, magenta

// The pictures as 0x00RRGGBB, kKey where transparent: a sheet of 8 x 2 tiles (a quarter of their
// pixels keyed), a sheet of 8 sprites (round, the corners keyed), an opaque background and a
// foreground that is mostly transparent.
struct Picture {
    int width;
    int height;
    std::vector<DWORD> pixels;
};

template <class F>
Picture MakePicture(int width, int height, F pixel)
{
    Picture p{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) p.pixels.push_back(pixel(x, y));
    return p;
}

struct ScenePictures {
    Picture tiles = MakePicture(8 * kSide, 2 * kSide, [](int x, int y) {
        return ((x * 7 + y * 13) & 3) == 0 ? kKey
                                           : static_cast<DWORD>((x * 37 & 0xFF) << 16 | (y * 59 & 0xFF) << 8 | 0x40);
    });
    Picture sprites = MakePicture(8 * kSide, kSide, [](int x, int y) {
        const int dx = x % kSide - kSide / 2, dy = y - kSide / 2;
        return dx * dx + dy * dy > 15 * 15 ? kKey : static_cast<DWORD>(0x2080C0 + (x / kSide) * 0x140000);
    });
    Picture back = MakePicture(kWidth, kHeight, [](int x, int y) {
        return static_cast<DWORD>((x * 255 / kWidth) << 16 | (y * 255 / kHeight) << 8 | 0x60);
    });
    Picture front = MakePicture(kWidth, kHeight, [](int x, int y) {
        return (y % 120) < 100 || (x % 7) == 0 ? kKey : static_cast<DWORD>(0x30A030);
    });
};

const ScenePictures& Pictures()
{
    static const ScenePictures pictures;
    return pictures;
}

// Where the tiles and sprites go: the tiles fill the 20 x 15 grid of the screen; the sprites lie
// scattered (the C runtime's generator, seeded alike for every run).
struct Placement {
    int x, y, sx, sy;
    bool bStretched;
};

const std::vector<Placement>& Tiles()
{
    static const std::vector<Placement> tiles = [] {
        std::vector<Placement> v;
        for (int row = 0; row < kHeight / kSide; ++row)
            for (int col = 0; col < kWidth / kSide; ++col) {
                const int k = (row * 3 + col) % 16;
                v.push_back({col * kSide, row * kSide, (k % 8) * kSide, (k / 8) * kSide, false});
            }
        return v;
    }();
    return tiles;
}

const std::vector<Placement>& Sprites()
{
    static const std::vector<Placement> sprites = [] {
        std::vector<Placement> v;
        std::uint32_t state = 12345;
        auto next = [&] { return (state = state * 214013u + 2531011u) >> 16 & 0x7FFF; };
        for (int i = 0; i < kSprites; ++i) {
            const int x = static_cast<int>(next() % (kWidth - kStretchedSide));
            const int y = static_cast<int>(next() % (kHeight - kStretchedSide));
            v.push_back({x, y, (i % 8) * kSide, 0, i % 2 == 1});
        }
        return v;
    }();
    return sprites;
}

HWND BenchWindow()
{
    static const HWND hWnd = [] {
        setenv("QB_HEADLESS", "1", 1);
        SetHost(CreateHeadlessHost());
        RegisterClassA("QbStageFrameBench", DefWindowProcA);
        return CreateWindowExA(0, "QbStageFrameBench", "bench", WS_OVERLAPPEDWINDOW, 0, 0, kWidth, kHeight, nullptr);
    }();
    return hWnd;
}

// The scene drawn by the engine on one back-end at 32 bits in a window.
class EngineScene {
public:
    explicit EngineScene(bool bDirect3D)
    {
        m_bOpen = DDInit(bDirect3D ? 1 : 0, BenchWindow(), kWidth, kHeight, 32, 0, 1, 1, 60, 0, SDTable, SDInfoTable,
                         kBuiltInSurfaceCount) != FALSE;
        if (!m_bOpen) return;
        DDSetTransmit(0xFF, 0x00, 0xFF);
        m_bOpen = Load(&m_tiles, Pictures().tiles, 1) && Load(&m_sprites, Pictures().sprites, 1) &&
                  Load(&m_back, Pictures().back, 0) && Load(&m_front, Pictures().front, 1);
    }
    ~EngineScene()
    {
        for (DDSURFACEDATA* sd : {&m_tiles, &m_sprites, &m_back, &m_front}) DDReleaseSurface(sd);
        DDRelease();
    }
    bool Ready() const { return m_bOpen; }

    void Frame()
    {
        DDBeginBatch(1);
        for (DDSURFACEDATA* sd : {&m_back, &m_tiles, &m_sprites, &m_front}) DDBatchAddTexture(sd);
        DDBlt(&BackBuffer, 0, 0, kWidth, kHeight, &m_back, 0, 0, 0);
        for (const Placement& t : Tiles()) DDBlt(&BackBuffer, t.x, t.y, kSide, kSide, &m_tiles, t.sx, t.sy, 1);
        for (const Placement& s : Sprites()) {
            if (s.bStretched) {
                DDStretchBlt(&BackBuffer, s.x, s.y, kStretchedSide, kStretchedSide, &m_sprites, s.sx, s.sy, kSide,
                             kSide, 1);
            } else {
                DDBlt(&BackBuffer, s.x, s.y, kSide, kSide, &m_sprites, s.sx, s.sy, 1);
            }
        }
        DDBlt(&BackBuffer, 0, 0, kWidth, kHeight, &m_front, 0, 0, 1);
        DDEndBatch();
    }

private:
    // An empty surface (a render-target texture under Direct3D) given the picture's pixels: under
    // Direct3D transparent pixels are texels of alpha 0, under DirectDraw the key colour.
    static bool Load(DDSURFACEDATA* sd, const Picture& p, int bColorKey)
    {
        if (!DDCreateSurface(sd, p.width, p.height, bColorKey, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0)) return false;
        cLockSD lock(sd, 32);
        if (!lock.IsLocked()) return false;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                const DWORD pixel = p.pixels[static_cast<size_t>(y * p.width + x)];
                lock.Write(x, y, lpDTCon ? (pixel == kKey ? 0u : 0xFF000000u | pixel) : pixel);
            }
        return true;
    }

    bool m_bOpen = false;
    DDSURFACEDATA m_tiles, m_sprites, m_back, m_front;
};

// The same scene through SDL2's software renderer into a 640 x 480 ARGB8888 surface.
class SdlScene {
public:
    SdlScene()
    {
        m_target = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
        m_renderer = m_target ? SDL_CreateSoftwareRenderer(m_target) : nullptr;
        if (m_renderer == nullptr) return;
        m_tiles = Texture(Pictures().tiles, true);
        m_sprites = Texture(Pictures().sprites, true);
        m_back = Texture(Pictures().back, false);
        m_front = Texture(Pictures().front, true);
    }
    ~SdlScene()
    {
        for (SDL_Texture* t : {m_tiles, m_sprites, m_back, m_front})
            if (t) SDL_DestroyTexture(t);
        if (m_renderer) SDL_DestroyRenderer(m_renderer);
        if (m_target) SDL_FreeSurface(m_target);
    }
    bool Ready() const { return m_tiles && m_sprites && m_back && m_front; }

    void Frame()
    {
        SDL_RenderCopy(m_renderer, m_back, nullptr, nullptr);
        for (const Placement& t : Tiles()) {
            const SDL_Rect src{t.sx, t.sy, kSide, kSide}, dst{t.x, t.y, kSide, kSide};
            SDL_RenderCopy(m_renderer, m_tiles, &src, &dst);
        }
        for (const Placement& s : Sprites()) {
            const int side = s.bStretched ? kStretchedSide : kSide;
            const SDL_Rect src{s.sx, s.sy, kSide, kSide}, dst{s.x, s.y, side, side};
            SDL_RenderCopy(m_renderer, m_sprites, &src, &dst);
        }
        SDL_RenderCopy(m_renderer, m_front, nullptr, nullptr);
        SDL_RenderFlush(m_renderer);
    }

private:
    SDL_Texture* Texture(const Picture& p, bool bKeyed)
    {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<DWORD*>(p.pixels.data()), p.width, p.height, 32,
                                                            p.width * 4, SDL_PIXELFORMAT_RGB888);
        if (s == nullptr) return nullptr;
        if (bKeyed) SDL_SetColorKey(s, SDL_TRUE, kKey);
        SDL_Texture* t = SDL_CreateTextureFromSurface(m_renderer, s);
        SDL_FreeSurface(s);
        if (t && !bKeyed) SDL_SetTextureBlendMode(t, SDL_BLENDMODE_NONE);
        return t;
    }

    SDL_Surface* m_target = nullptr;
    SDL_Renderer* m_renderer = nullptr;
    SDL_Texture *m_tiles = nullptr, *m_sprites = nullptr, *m_back = nullptr, *m_front = nullptr;
};

using Clock = std::chrono::steady_clock;

// Seconds for kFramesPerRun frames of the scene (set up outside the timing); negative when the
// scene cannot be built.
template <class Scene, class... Args>
double TimeFrames(Args... args)
{
    Scene scene(args...);
    if (!scene.Ready()) return -1;
    scene.Frame();  // first touch of every picture
    const auto start = Clock::now();
    for (int i = 0; i < kFramesPerRun; ++i) scene.Frame();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_StageFrame(benchmark::State& state)
{
    double d3d = 0, ddraw = 0, sdl = 0;
    for (auto _ : state) {
        const double t1 = TimeFrames<EngineScene>(true);
        const double t2 = TimeFrames<EngineScene>(false);
        const double t3 = TimeFrames<SdlScene>();
        if (t1 < 0 || t2 < 0 || t3 < 0) {
            state.SkipWithError("a scene could not be built");
            return;
        }
        d3d += t1;
        ddraw += t2;
        sdl += t3;
    }
    const double frames = static_cast<double>(state.iterations()) * kFramesPerRun;
    state.counters["d3d_ms"] = d3d * 1000 / frames;
    state.counters["ddraw_ms"] = ddraw * 1000 / frames;
    state.counters["sdl_ms"] = sdl * 1000 / frames;
    state.counters["sdl_over_d3d"] = d3d > 0 ? sdl / d3d : 0;
    state.counters["sdl_over_ddraw"] = ddraw > 0 ? sdl / ddraw : 0;
    state.counters["d3d_over_ddraw"] = ddraw > 0 ? d3d / ddraw : 0;
}
BENCHMARK(BM_StageFrame)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
