// What the benchmarks that play a written stage through the tests' play harness share: an open
// stage of flying characters, and the timed loop over the stage screen's frame.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <functional>

#include "PlayHarness.h"
#include "input/cInput.h"
#include "objects/StageObjects.h"

namespace playbench {

// One frame at 60 frames a second, in milliseconds.
constexpr double kFrameMs = 1000.0 / 60.0;

// The minimal game's stage at 40 x 20 cells without the ready banner, its hero flying, and count
// flying computer characters of factions 2..7, columns to a row from cell (4, 2).
inline testsupport::GameSpec FlyingCharacters(int count, int columns)
{
    testsupport::GameSpec spec = testsupport::MinimalGame();
    testsupport::StageSpec& stage = spec.stages.front().stage;
    stage.header["m_nWidth"] = 40;
    stage.header["m_nHeight"] = 20;
    stage.header["m_bReadyBanner"] = 0;
    stage.placedCharas.front().flying = 1;
    for (int i = 0; i < count; ++i) {
        testsupport::CharaDefSpec chara;
        chara.controller = 1;
        chara.flying = 1;
        chara.faction = static_cast<std::int8_t>(2 + i % 6);
        chara.x = static_cast<std::uint16_t>(4 + i % columns);
        chara.y = static_cast<std::uint16_t>(2 + i / columns);
        stage.placedCharas.push_back(chara);
    }
    return spec;
}

// Plays spec until play starts, then times the stage screen's frame once per iteration;
// beforeFrame (when given) runs before each frame, outside the timing. Reports "frame_ms",
// "share_pct" (of kFrameMs) and "characters".
inline void TimePlayFrames(benchmark::State& state, const testsupport::GameSpec& spec,
                           const std::function<void(testsupport::PlayHarness&)>& beforeFrame = {})
{
    testsupport::PlayHarness harness(spec);
    if (!harness.Loaded() || !harness.Enter() || !harness.RunUntilState(STAGESTATE_PLAY, 10)) {
        state.SkipWithError("the stage could not be set up");
        return;
    }
    double totalMs = 0.0;
    std::int64_t frames = 0;
    for (auto _ : state) {
        if (beforeFrame) {
            beforeFrame(harness);
        }
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

}  // namespace playbench
