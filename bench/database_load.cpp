// Start-up cost of the database: the ten table files of a game with 1000 entries per table, read
// by cDatabase::Load. The counter "frame_share" is the load time as a share of one 16.7 ms frame
// (goal: well under 1). The files stay in the page cache, so this measures the reading, not the
// disk.
// Figures come from the shipped build: bash scripts/build.sh release bench_database_load (-O3
// with debug information, no sanitizers), then build/release/bench/bench_database_load.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/RecordFile.h"
#include "project/cDatabase.h"
#include "support/DatabaseWriter.h"
#include "support/GameFolder.h"

namespace {

using namespace testsupport;

constexpr int kEntries = 1000;

// A database as an editor would save it: named entries, motions and frames of a few steps.
DatabaseSpec LargeDatabase()
{
    DatabaseSpec d;
    for (int i = 0; i < kEntries; ++i) {
        const std::string name = "entry" + std::to_string(i);
        const std::string file = "bmp\\file" + std::to_string(i) + ".bmp";
        AnimeSpec anime;
        anime.name = name;
        anime.frames = {{1, 2, 0}, {2, 2, 0}, {3, 2, 1}, {4, 2, 0}};
        AnimeSetSpec set;
        set.name = name;
        set.motions = std::vector<AnimeSpec>(4, anime);
        d.animeSets.push_back(set);
        d.animes.push_back(anime);
        d.bmpCharaExcs.push_back({name, 0, file, 0, 2});
        SwordTypeSpec sword;
        sword.name = name;
        sword.fileName = file;
        sword.fileNameLeft = file;
        sword.frames = std::vector<SwordFrameSpec>(3);
        d.swordTypes.push_back(sword);
        EffectSpec effect;
        effect.name = name;
        effect.fileName = file;
        effect.frames = {{0, 1}, {1, 1}, {2, 1}, {3, 1}};
        d.effects.push_back(effect);
        d.charaEffects.push_back({name, 1, {5, 0, 32, 0, 0}});
        d.scrEffects.push_back({name, 2, {10, 4, 4, 0, 0}});
        d.pictures.push_back({name, 0, file});
        d.sounds.push_back({name, 0, file});
        d.bgms.push_back({name, 0, file});
    }
    return d;
}

constexpr double kFrameMs = 1000.0 / 60.0;

void BM_DatabaseLoad(benchmark::State& state)
{
    GameFolder folder;
    WriteDatabaseFiles(folder.Root(), LargeDatabase());
    nDataVersion = kCurrentDataVersion;
    bRemoveCR = 1;
    double seconds = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        Database.SetDefault();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        if (Database.Load() == 0) {
            state.SkipWithError("the database did not load");
            break;
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double ms = seconds / static_cast<double>(state.iterations()) * 1000.0;
    state.counters["load_ms"] = ms;
    state.counters["frame_share"] = ms / kFrameMs;
}
BENCHMARK(BM_DatabaseLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
