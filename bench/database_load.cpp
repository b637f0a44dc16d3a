// Start-up cost of the database: the ten table files of a game with 1000 entries per table, read
// by cDatabase::Load, against reading the same bytes with one fread per file. The counter
// "ratio" is load time / fread time (goal: at most 3). The files stay in the page cache, so both
// sides measure the reading, not the disk.
// Build with -DCMAKE_BUILD_TYPE=Release and without sanitizers for meaningful numbers.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

// Reads each table file whole with one fread; the total number of bytes.
std::size_t ReadWithFread(const std::filesystem::path& root, std::vector<char>& buffer)
{
    std::size_t total = 0;
    for (const char* gamePath : kDatabaseFiles) {
        std::string relative = gamePath;
        for (char& c : relative) {
            c = c == '\\' ? '/' : c;
        }
        const std::filesystem::path path = root / relative;
        const std::size_t size = std::filesystem::file_size(path);
        buffer.resize(size);
        FILE* fp = std::fopen(path.c_str(), "rb");
        total += std::fread(buffer.data(), 1, size, fp);
        std::fclose(fp);
    }
    return total;
}

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

void BM_DatabaseLoad(benchmark::State& state)
{
    GameFolder folder;
    WriteDatabaseFiles(folder.Root(), LargeDatabase());
    nDataVersion = kCurrentDataVersion;
    bRemoveCR = 1;
    std::vector<char> buffer;
    double loadSeconds = 0.0;
    double freadSeconds = 0.0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        // As at start-up: the tables hold their default entries when the files are read.
        state.PauseTiming();
        Database.SetDefault();
        state.ResumeTiming();
        auto start = std::chrono::steady_clock::now();
        if (!Database.Load()) {
            state.SkipWithError("the database did not load");
            break;
        }
        auto loaded = std::chrono::steady_clock::now();
        bytes = ReadWithFread(folder.Root(), buffer);
        auto read = std::chrono::steady_clock::now();
        loadSeconds += Seconds(loaded - start);
        freadSeconds += Seconds(read - loaded);
        benchmark::DoNotOptimize(buffer.data());
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["load_ms"] = loadSeconds / runs * 1000.0;
    state.counters["fread_ms"] = freadSeconds / runs * 1000.0;
    state.counters["ratio"] = freadSeconds > 0.0 ? loadSeconds / freadSeconds : 0.0;
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_DatabaseLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
