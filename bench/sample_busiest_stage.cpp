// Cost of a whole frame of the sample game's busiest stage, drawing included, on each back-end:
// the stage with the most characters and items of SampleStages() is written with its bitmaps,
// the back-end is opened headless in a 640 x 480 window at 32 bits (argument 0 DirectDraw, 1
// Direct3D) with the fonts, and the stage is played by its pad script through the tests' play
// harness: the start banners untimed, then 600 play frames each timed from the input poll to the
// end of the stage screen's frame (the flows, movement, collision and the whole drawing into the
// back buffer; presenting is left out). BM_SampleBusiestStage reports the average and the worst
// frame as shares of the 16.7 ms of a frame at 60 frames a second ("avg_share_pct", goal under
// 15; "worst_share_pct", goal under 50) and the frames timed.
// Figures come from the shipped build (bash scripts/build.sh release).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <set>
#include <vector>

#include "PlayFrameBench.h"
#include "SampleGame.h"
#include "SampleGameScripts.h"
#include "core/AppGlobals.h"
#include "definitions/cEdStage.h"
#include "graphics/BackEnd.h"
#include "graphics/FontTable.h"
#include "graphics/GraphicsStartup.h"
#include "graphics/LockSD.h"
#include "graphics/SpriteBatch.h"
#include "platform/hostapi/Host.h"
#include "platform/win/Messages.h"
#include "platform/win/Time.h"
#include "project/cSystemData.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kTimedFrames = 600;
constexpr int kBannerFramesMax = 400;

HWND BenchWindow()
{
    static const HWND hWnd = [] {
        setenv("QB_HEADLESS", "1", 1);
        SetHost(CreateHeadlessHost());
        RegisterClassA("QbSampleStageBench", DefWindowProcA);
        return CreateWindowExA(0, "QbSampleStageBench", "bench", WS_OVERLAPPEDWINDOW, 0, 0, kWidth, kHeight, nullptr);
    }();
    return hWnd;
}

// Index in SampleStages() of the stage with the most placed characters and items.
int BusiestStage(const std::vector<testsupport::StageFileSpec>& stages)
{
    auto objects = [](const testsupport::StageFileSpec& s) {
        return s.stage.placedCharas.size() + s.stage.placedItems.size();
    };
    const auto busiest = std::max_element(stages.begin(), stages.end(),
                                          [&](const auto& a, const auto& b) { return objects(a) < objects(b); });
    return static_cast<int>(busiest - stages.begin());
}

// The sample game with stage index first: the harness plays the first stage of a game.
testsupport::GameSpec GameStartingAt(int index)
{
    testsupport::GameSpec spec = testsupport::SampleGame();
    const auto first = spec.stages.begin();
    std::rotate(first, first + index, first + static_cast<std::ptrdiff_t>(testsupport::SampleStages().size()));
    return spec;
}

// The fonts and digit strips the stage's heads-up display and messages draw with, as the
// start-up builds them once the screen is ready.
BOOL CreateFonts()
{
    PrepareFontInfoTable(FontInfoTable, kFontCount, SystemData.nFontFace, 0);
    if (!CreateFontTable(FontTable, FontInfoTable, kFontCount)) {
        return FALSE;
    }
    return CreateNumberSurfaces(NumberSD, NumberSDInfoTable, kFontCount, FontTable, FontInfoTable);
}

// Distinct colours in the back buffer: a drawn stage shows sky, tiles, characters and the
// heads-up display; an empty buffer shows one.
int ColoursDrawn()
{
    DDEndBatch();
    cLockSD lock(&BackBuffer, 32);
    if (!lock.IsLocked()) {
        return 0;
    }
    std::set<DWORD> colours;
    for (int y = 0; y < kHeight; y += 4) {
        for (int x = 0; x < kWidth; x += 4) {
            colours.insert(lock.Read(x, y) & 0x00FFFFFFu);
        }
    }
    return static_cast<int>(colours.size());
}

// Frame times in milliseconds of kTimedFrames play frames of the stage on one back-end; empty
// when the back-end or the stage could not be set up. *pColours: the colours of the last frame.
std::vector<double> TimeFrames(int bDirect3D, int* pColours)
{
    const int index = BusiestStage(testsupport::SampleStages());
    const testsupport::GameSpec spec = GameStartingAt(index);
    hWndMain = BenchWindow();
    auto harness = std::make_unique<testsupport::PlayHarness>(spec);
    std::vector<double> times;
    if (!harness->Loaded()) {
        return times;
    }
    // The harness writes the data files; the pictures come from the same folder.
    testsupport::WriteBitmaps(harness->Folder().Root(), spec.title);
    GraphicsStartOptions options;
    options.bDirect3D = bDirect3D;
    options.hWnd = BenchWindow();
    options.nBpp = 32;
    options.bWindowMode = 1;
    options.createFonts = CreateFonts;
    const bool bOpen = StartGraphics(options) != FALSE && options.bDirect3D == bDirect3D;
    if (bOpen && harness->Enter() && harness->RunUntilState(STAGESTATE_PLAY, kBannerFramesMax)) {
        harness->SetScript(testsupport::SampleStageScript(index));
        cSceneStage& scene = harness->Scene();
        const int fps = Stage.m_nFps > 0 ? Stage.m_nFps : 60;
        for (int i = 0; i < kTimedFrames && scene.m_nState == STAGESTATE_PLAY; ++i) {
            const auto start = std::chrono::steady_clock::now();
            harness->Flow().UpdateInput(Input);
            AdvanceVirtualClock(static_cast<DWORD>(1000 / fps));
            scene.Main();
            times.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        *pColours = ColoursDrawn();
    }
    // The stage screen and its pictures go before the back-end that holds their surfaces.
    harness.reset();
    ReleaseFontTable();
    if (lpDTCon || lpDDCon) {
        StopGraphics();
    }
    hWndMain = nullptr;
    return times;
}

void BM_SampleBusiestStage(benchmark::State& state)
{
    const int bDirect3D = static_cast<int>(state.range(0));
    double total = 0.0;
    double worst = 0.0;
    std::size_t frames = 0;
    int colours = 0;
    for (auto _ : state) {
        const std::vector<double> times = TimeFrames(bDirect3D, &colours);
        if (times.size() != static_cast<std::size_t>(kTimedFrames)) {
            state.SkipWithError("the stage could not be played for 600 frames on this back-end");
            return;
        }
        for (double t : times) {
            total += t;
            worst = std::max(worst, t);
        }
        frames += times.size();
    }
    state.counters["frames"] = static_cast<double>(frames);
    state.counters["colours_drawn"] = colours;
    state.counters["avg_share_pct"] =
        frames > 0 ? 100.0 * total / static_cast<double>(frames) / playbench::kFrameMs : 0.0;
    state.counters["worst_share_pct"] = 100.0 * worst / playbench::kFrameMs;
}
BENCHMARK(BM_SampleBusiestStage)->ArgName("d3d")->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
