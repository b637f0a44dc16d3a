// Cost of reading a stage: a 500 x 100-tile stage with 2000 placed objects (blocks, characters
// with a flow each, items), read by LoadStage (on the loader thread, with the hero check and the
// header copy). The counter "frame_share" is the load time as a share of one 16.7 ms frame (goal:
// well under 1). The file stays in the page cache, so this measures the reading, not the disk.
// Figures come from the shipped build: bash scripts/build.sh release bench_stage_load (-O3 with
// debug information, no sanitizers), then build/release/bench/bench_stage_load.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "core/RecordFile.h"
#include "definitions/DefinitionContext.h"
#include "definitions/LoadStage.h"
#include "support/GameFolder.h"
#include "support/StageWriter.h"

namespace {

using namespace testsupport;

constexpr int kWidth = 500;
constexpr int kHeight = 100;
constexpr int kBlocks = 1700;
constexpr int kCharas = 200;
constexpr int kItems = 100;

// A stage as an editor would save it: a floor with platforms, walking enemies, a few items, and
// palettes of some dozen entries that the placed objects take their looks from.
StageSpec LargeStage()
{
    StageSpec s = MinimalStage();
    s.header["m_nWidth"] = kWidth;
    s.header["m_nHeight"] = kHeight;
    s.header["m_nFieldWidthPx"] = 32 * kWidth;
    s.header["m_nFieldHeightPx"] = 32 * kHeight;
    s.paletteBlocks.resize(40);
    s.paletteCharas.resize(20);
    s.paletteItems.resize(20);
    for (std::size_t i = 1; i < s.paletteBlocks.size(); ++i) {
        s.paletteBlocks[i].name = "block" + std::to_string(i);
        s.paletteBlocks[i].graphic = static_cast<std::int16_t>(i);
    }
    FlowSpec walk;
    walk.conditions.resize(1);
    walk.keyConditions.resize(1);
    walk.commands.resize(2);
    walk.commands[0].kind = 17;
    s.placedBlocks.clear();
    for (int i = 0; i < kBlocks; ++i) {
        BlockDefSpec b;
        b.paletteKind = 2;
        b.paletteIndex = static_cast<std::int16_t>(1 + i % 39);
        b.inherit[2] = 1;
        b.graphic = 1;
        b.x = static_cast<std::uint16_t>(i % kWidth);
        b.y = static_cast<std::uint16_t>(kHeight - 1 - i / kWidth);
        s.placedBlocks.push_back(b);
    }
    for (int i = 1; i < kCharas; ++i) {
        CharaDefSpec c;
        c.name = "enemy";
        c.graphic = static_cast<std::int16_t>(2 + i % 10);
        c.x = static_cast<std::uint16_t>(i * 2 % kWidth);
        c.y = static_cast<std::uint16_t>(kHeight - 5);
        c.flows = {walk};
        s.placedCharas.push_back(c);
    }
    for (int i = 0; i < kItems; ++i) {
        ItemDefSpec item;
        item.graphic = 3;
        item.x = static_cast<std::uint16_t>(i * 5 % kWidth);
        item.y = static_cast<std::uint16_t>(kHeight - 8);
        s.placedItems.push_back(item);
    }
    return s;
}

constexpr double kFrameMs = 1000.0 / 60.0;

void BM_StageLoad(benchmark::State& state)
{
    GameFolder folder;
    const ByteWriter file = StageFile(LargeStage());
    folder.Write("data\\stg4\\large.stg4_000", file.Data());
    nDataVersion = kCurrentDataVersion;
    bRemoveCR = 1;
    DefinitionContext.nTableCount.fill(10);
    double seconds = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!LoadStage("data\\stg4\\large.stg4_000", 0, &StageBackup)) {
            state.SkipWithError("the stage did not load");
            break;
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double ms = seconds / static_cast<double>(state.iterations()) * 1000.0;
    state.counters["load_ms"] = ms;
    state.counters["frame_share"] = ms / kFrameMs;
    state.counters["bytes"] = static_cast<double>(file.Size());
}
BENCHMARK(BM_StageLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
