// Cost of one play frame (the input, the flags, the camera and the movement of every object in
// each sub-step; no flows, collision or drawing yet) on a stage of 300 flying characters at the
// default speed level 10 (ten sub-steps a frame). The stage is written and loaded through the
// test harness's play harness. BM_PlayFrame reports the time per frame and "share_pct", that
// time as a percentage of the 16.7 ms of a frame at 60 frames a second (goal: under 5).
// Build with -DCMAKE_BUILD_TYPE=Release and without sanitizers for meaningful numbers.
#include <benchmark/benchmark.h>

#include <chrono>

#include "PlayHarness.h"
#include "input/cInput.h"
#include "objects/StageObjects.h"

namespace {

constexpr int kCharacters = 300;
constexpr double kFrameMs = 1000.0 / 60.0;

testsupport::GameSpec ThreeHundredCharacters()
{
    testsupport::GameSpec spec = testsupport::MinimalGame();
    testsupport::StageSpec& stage = spec.stages.front().stage;
    stage.header["m_nWidth"] = 40;
    stage.header["m_nHeight"] = 20;
    stage.header["m_bReadyBanner"] = 0;
    stage.placedCharas.front().flying = 1;
    for (int i = 0; i < kCharacters; ++i) {
        testsupport::CharaDefSpec chara;
        chara.controller = 1;
        chara.flying = 1;
        chara.faction = static_cast<std::int8_t>(2 + i % 6);
        chara.x = static_cast<std::uint16_t>(4 + i % 30);
        chara.y = static_cast<std::uint16_t>(2 + i / 30);
        stage.placedCharas.push_back(chara);
    }
    return spec;
}

void BM_PlayFrame(benchmark::State& state)
{
    testsupport::PlayHarness harness(ThreeHundredCharacters());
    if (!harness.Loaded() || !harness.Enter() || !harness.RunUntilState(STAGESTATE_PLAY, 10)) {
        state.SkipWithError("the stage could not be set up");
        return;
    }
    double totalMs = 0.0;
    std::int64_t frames = 0;
    for (auto _ : state) {
        harness.Flow().UpdateInput(Input);
        const auto start = std::chrono::steady_clock::now();
        harness.Scene().Main();
        totalMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        ++frames;
    }
    state.counters["characters"] = static_cast<double>(CharaList.size());
    state.counters["frame_ms"] = frames > 0 ? totalMs / frames : 0.0;
    state.counters["share_pct"] = frames > 0 ? 100.0 * totalMs / frames / kFrameMs : 0.0;
}
BENCHMARK(BM_PlayFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
