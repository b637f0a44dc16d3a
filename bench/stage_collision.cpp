// Cost of one play frame with collision on: 300 walking characters (every tenth a block
// character) on a stage whose block map is full -- a floor under every other row and a wall in
// every fifth column -- at the default speed level 10 (ten sub-steps a frame). Every character
// meets the map on four sides and the block characters in every sub-step. BM_CollisionFrame
// reports the time per frame and "share_pct", that time as a percentage of the 16.7 ms of a frame
// at 60 frames a second (goal: under 10).
// Build with -DCMAKE_BUILD_TYPE=Release and without sanitizers for meaningful numbers.
#include <benchmark/benchmark.h>

#include "PlayFrameBench.h"

namespace {

constexpr int kCharacters = 300;
constexpr int kWidth = 40;
constexpr int kHeight = 22;

testsupport::GameSpec FullBlockMap()
{
    testsupport::GameSpec spec = testsupport::MinimalGame();
    testsupport::StageSpec& stage = spec.stages.front().stage;
    stage.header["m_nWidth"] = kWidth;
    stage.header["m_nHeight"] = kHeight;
    stage.header["m_bReadyBanner"] = 0;
    stage.placedBlocks.clear();
    for (std::uint16_t y = 1; y < kHeight; y += 2) {
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
    for (int i = 0; i < kCharacters; ++i) {
        testsupport::CharaDefSpec chara;
        chara.controller = 1;
        chara.faction = static_cast<std::int8_t>(2 + i % 6);
        chara.fullCell = static_cast<std::int8_t>(i % 10 == 0 ? 1 : 0);
        const int slot = i % 32;
        chara.x = static_cast<std::uint16_t>(1 + slot + slot / 4);
        chara.y = static_cast<std::uint16_t>(2 * (i / 32));
        if (chara.x % 5 == 0) {
            ++chara.x;
        }
        stage.placedCharas.push_back(chara);
    }
    return spec;
}

void BM_CollisionFrame(benchmark::State& state)
{
    playbench::TimePlayFrames(state, FullBlockMap());
}
BENCHMARK(BM_CollisionFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
