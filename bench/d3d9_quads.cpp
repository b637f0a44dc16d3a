// Cost of one sprite-heavy frame: 1000 alpha-blended 32 x 32 textured quads into a 640 x 480
// 32-bit target, drawn by the Direct3D stand-in's rasteriser and by SDL2's software renderer
// (SDL_RenderCopy into a software renderer's surface) from the same texels and positions.
// BM_QuadsBoth times one frame of each per iteration and reports "sdl_over_ours", the SDL time
// divided by ours (goal: at least 1). Figures come from the shipped build (bash scripts/build.sh
// release: -O3 with debug information, no sanitizers).
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "platform/d3d9/D3D9.h"
#include "platform/hostapi/Host.h"

namespace {

constexpr int kQuads = 1000;
constexpr int kSide = 32;
constexpr int kWidth = 640;
constexpr int kHeight = 480;

struct Scene {
    std::vector<std::uint32_t> texels;  // 0xAARRGGBB, alpha 0, 255 and in between
    std::vector<SDL_Point> positions;
};

const Scene& TheScene()
{
    static const Scene scene = [] {
        Scene s;
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                const std::uint32_t a = x < 4 ? 0 : (x >= 28 ? 255 : static_cast<std::uint32_t>(x * 8));
                s.texels.push_back((a << 24) | (static_cast<std::uint32_t>(y * 8) << 16) | 0x4080u);
            }
        std::uint32_t state = 12345;
        auto next = [&] { return (state = state * 214013u + 2531011u) >> 16 & 0x7FFF; };
        for (int i = 0; i < kQuads; ++i)
            s.positions.push_back(
                {static_cast<int>(next() % (kWidth - kSide)), static_cast<int>(next() % (kHeight - kSide))});
        return s;
    }();
    return scene;
}

class OurRenderer {
public:
    OurRenderer()
    {
        SetHost(CreateHeadlessHost());
        d3d_ = Direct3DCreate9(D3D_SDK_VERSION);
        D3DPRESENT_PARAMETERS pp{};
        pp.BackBufferWidth = kWidth;
        pp.BackBufferHeight = kHeight;
        pp.BackBufferFormat = D3DFMT_X8R8G8B8;
        pp.Windowed = TRUE;
        pp.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
        d3d_->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &dev_);
        dev_->CreateTexture(kSide, kSide, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &tex_, nullptr);
        D3DLOCKED_RECT lr;
        tex_->LockRect(0, &lr, nullptr, 0);
        for (int y = 0; y < kSide; ++y)
            std::memcpy(static_cast<BYTE*>(lr.pBits) + y * lr.Pitch, &TheScene().texels[y * kSide], kSide * 4);
        tex_->UnlockRect(0);
        dev_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        dev_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        dev_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        dev_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        dev_->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
        dev_->SetTexture(0, tex_);
    }
    ~OurRenderer()
    {
        dev_->SetTexture(0, nullptr);
        tex_->Release();
        dev_->Release();
        d3d_->Release();
    }

    void Frame()
    {
        dev_->BeginScene();
        for (const SDL_Point& p : TheScene().positions) {
            const float l = p.x - 0.5f, t = p.y - 0.5f, r = l + kSide, b = t + kSide;
            const D3D9TLVertex quad[4] = {{l, t, 0, 1, 0xFFFFFFFFu, 0, 0},
                                          {l, b, 0, 1, 0xFFFFFFFFu, 0, 1},
                                          {r, t, 0, 1, 0xFFFFFFFFu, 1, 0},
                                          {r, b, 0, 1, 0xFFFFFFFFu, 1, 1}};
            dev_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(D3D9TLVertex));
        }
        dev_->EndScene();
    }

private:
    IDirect3D9* d3d_ = nullptr;
    IDirect3DDevice9* dev_ = nullptr;
    IDirect3DTexture9* tex_ = nullptr;
};

class SdlRenderer {
public:
    SdlRenderer()
    {
        target_ = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
        renderer_ = SDL_CreateSoftwareRenderer(target_);
        SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(TheScene().texels.data()),
                                                                 kSide, kSide, 32, kSide * 4, SDL_PIXELFORMAT_ARGB8888);
        texture_ = SDL_CreateTextureFromSurface(renderer_, source);
        SDL_FreeSurface(source);
        SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_BLEND);
    }
    ~SdlRenderer()
    {
        SDL_DestroyTexture(texture_);
        SDL_DestroyRenderer(renderer_);
        SDL_FreeSurface(target_);
    }
    bool Ready() const { return texture_ != nullptr; }

    void Frame()
    {
        for (const SDL_Point& p : TheScene().positions) {
            const SDL_Rect dst{p.x, p.y, kSide, kSide};
            SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
        }
        SDL_RenderFlush(renderer_);
    }

private:
    SDL_Surface* target_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
};

void BM_QuadsOurs(benchmark::State& state)
{
    OurRenderer ours;
    for (auto _ : state) ours.Frame();
    state.counters["quads_per_s"] =
        benchmark::Counter(static_cast<double>(kQuads), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_QuadsOurs)->Unit(benchmark::kMillisecond);

void BM_QuadsSdl(benchmark::State& state)
{
    SdlRenderer sdl;
    if (!sdl.Ready()) {
        state.SkipWithError("no SDL software renderer");
        return;
    }
    for (auto _ : state) sdl.Frame();
    state.counters["quads_per_s"] =
        benchmark::Counter(static_cast<double>(kQuads), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_QuadsSdl)->Unit(benchmark::kMillisecond);

// One frame of each per iteration; the ratio of the summed times.
void BM_QuadsBoth(benchmark::State& state)
{
    OurRenderer ours;
    SdlRenderer sdl;
    if (!sdl.Ready()) {
        state.SkipWithError("no SDL software renderer");
        return;
    }
    using Clock = std::chrono::steady_clock;
    double oursSeconds = 0;
    double sdlSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        ours.Frame();
        const auto t1 = Clock::now();
        sdl.Frame();
        const auto t2 = Clock::now();
        oursSeconds += std::chrono::duration<double>(t1 - t0).count();
        sdlSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = oursSeconds * 1000 / frames;
    state.counters["sdl_ms"] = sdlSeconds * 1000 / frames;
    state.counters["sdl_over_ours"] = oursSeconds > 0 ? sdlSeconds / oursSeconds : 0;
}
BENCHMARK(BM_QuadsBoth)->Unit(benchmark::kMillisecond);

}  // namespace
