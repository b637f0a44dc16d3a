// Cost of one play frame with collision on, by the number of characters (the benchmark's
// argument: 300, 1000 and 3000): walking characters of factions 2..7 (every tenth a block
// character) on a stage whose block map is full -- a floor under every other row and a wall in
// every fifth column -- at the default speed level 10 (ten sub-steps a frame), 32 characters to a
// row. Contacts are checked everywhere, not only on screen, so every character meets the map on
// four sides, the block characters and the characters of the other factions in every sub-step.
// Counters: "frame_ms", "share_pct" and "frame_share" (the frame time as a share of the 16.7 ms
// of a frame at 60 frames a second; goals: 1000 under 0.10, 3000 under 0.50).
// Figures come from the shipped build: bash scripts/build.sh release bench_stage_collision (-O3
// with debug information, no sanitizers), then build/release/bench/bench_stage_collision.
// Measured on a shared 8-core machine under a load average of 20-50:
//   the faction walk over every pair (before the grid): 1000 characters 11.3 ms, 3000 87 ms
//   with the grid: 300 0.68 ms (0.041), 1000 1.72 ms (0.103), 3000 5.0 ms (0.30)
// Then, both builds run in turn four times under a load average of 5-8 (mean, fastest run):
//   grids per faction group, queried per character and later group:
//     300 0.86 ms (0.052), 1000 2.02 ms (0.121; fastest 1.85 ms, 0.111), 3000 5.83 ms (0.35)
//   touching pairs from one grid over all groups, one query per character, exact answers:
//     300 0.69 ms (0.042), 1000 1.49 ms (0.089; fastest 1.28 ms, 0.077), 3000 4.54 ms (0.27)
#include <benchmark/benchmark.h>

#include "PlayFrameBench.h"

namespace {

constexpr int kWidth = 40;
constexpr int kPerRow = 32;

testsupport::GameSpec FullBlockMap(int characters)
{
    const int height = 2 * ((characters + kPerRow - 1) / kPerRow) + 2;
    testsupport::GameSpec spec = testsupport::MinimalGame();
    testsupport::StageSpec& stage = spec.stages.front().stage;
    stage.header["m_nWidth"] = kWidth;
    stage.header["m_nHeight"] = height;
    stage.header["m_bReadyBanner"] = 0;
    stage.header["m_nContactFlag"] = 0;
    stage.placedBlocks.clear();
    for (std::uint16_t y = 1; y < height; y += 2) {
        for (std::uint16_t x = 0; x < kWidth; ++x) {
            testsupport::BlockDefSpec block;
            block.graphic = 1;
            block.x = x;
            block.y = y;
            stage.placedBlocks.push_back(block);
            if (x % 5 == 0 && y > 1) {
                block.y = static_cast<std::uint16_t>(y - 1);
                stage.placedBlocks.push_back(block);
            }
        }
    }
    stage.placedCharas.front().x = 2;
    stage.placedCharas.front().y = 0;
    for (int i = 0; i < characters; ++i) {
        testsupport::CharaDefSpec chara;
        chara.controller = 1;
        chara.faction = static_cast<std::int8_t>(2 + i % 6);
        chara.fullCell = static_cast<std::int8_t>(i % 10 == 0 ? 1 : 0);
        const int slot = i % kPerRow;
        chara.x = static_cast<std::uint16_t>(1 + slot + slot / 4);
        chara.y = static_cast<std::uint16_t>(2 * (i / kPerRow));
        if (chara.x % 5 == 0) {
            ++chara.x;
        }
        stage.placedCharas.push_back(chara);
    }
    return spec;
}

void BM_CollisionFrame(benchmark::State& state)
{
    playbench::TimePlayFrames(state, FullBlockMap(static_cast<int>(state.range(0))));
    state.counters["frame_share"] = state.counters["share_pct"] / 100.0;
}
BENCHMARK(BM_CollisionFrame)->Arg(300)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);

}  // namespace
