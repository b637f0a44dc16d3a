// Start-up cost of the database: the ten table files of a game with 1000 entries per table, read
// by cDatabase::Load, against reading the same bytes with one fread per file. The counter
// "ratio" is load time / fread time (goal: at most 3). The files stay in the page cache, so both
// sides measure the reading, not the disk.
// BM_DatabaseBuildOnly is the floor under it: the same entries and lists built as the loader
// builds them (copies of each class's blank entry), with no file opened or parsed, against the
// same fread.
// Build with -DCMAKE_BUILD_TYPE=Release and without sanitizers for meaningful numbers.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <type_traits>
#include <vector>

#include "core/RecordFile.h"
#include "project/DatabaseTable.h"
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

// Runs work (false: it failed) once per iteration, from the default tables as at start-up, and
// then reads the database files of the game folder at root with fread; sets the counters
// "<name>_ms", "fread_ms", "ratio" (work / fread) and "bytes" (read by fread).
template <class Work>
void TimeAgainstFread(benchmark::State& state, const std::filesystem::path& root, const std::string& name, Work work)
{
    std::vector<char> buffer;
    double workSeconds = 0.0;
    double freadSeconds = 0.0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Database.SetDefault();
        state.ResumeTiming();
        auto start = std::chrono::steady_clock::now();
        if (!work()) {
            state.SkipWithError((name + " failed").c_str());
            break;
        }
        auto done = std::chrono::steady_clock::now();
        bytes = ReadWithFread(root, buffer);
        auto read = std::chrono::steady_clock::now();
        workSeconds += Seconds(done - start);
        freadSeconds += Seconds(read - done);
        benchmark::DoNotOptimize(buffer.data());
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters[name + "_ms"] = workSeconds / runs * 1000.0;
    state.counters["fread_ms"] = freadSeconds / runs * 1000.0;
    state.counters["ratio"] = freadSeconds > 0.0 ? workSeconds / freadSeconds : 0.0;
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_DatabaseLoad(benchmark::State& state)
{
    GameFolder folder;
    WriteDatabaseFiles(folder.Root(), LargeDatabase());
    nDataVersion = kCurrentDataVersion;
    bRemoveCR = 1;
    TimeAgainstFread(state, folder.Root(), "load", [] { return Database.Load() != 0; });
}
BENCHMARK(BM_DatabaseLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Fills table with n copies of the class's blank entry, each with a list of listLength blank
// elements when T has one (list), as AppendEntries and LoadEntryList build them.
template <class T, class List = std::nullptr_t>
void Build(cVector<T>& table, int n, List T::*list = nullptr, int listLength = 0)
{
    static const std::string name = "entry0";
    table.clear();
    table.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        table.push_back(BlankEntry<T>());
        table.back().strName = name;
        if constexpr (!std::is_same_v<List, std::nullptr_t>) {
            auto& elements = table.back().*list;
            using Element = typename List::value_type;
            elements.reserve(static_cast<std::size_t>(listLength));
            for (int k = 0; k < listLength; ++k) {
                elements.push_back(BlankEntry<Element>());
            }
        }
    }
}

void BuildLargeDatabase(cDatabase& db)
{
    Build(db.AnimeSet, kEntries, &cDbAnimeSet::MotionList, 4);
    for (cDbAnimeSet& set : db.AnimeSet) {
        for (cDbAnime& motion : set.MotionList) {
            motion.FrameList.reserve(4);
            for (int k = 0; k < 4; ++k) {
                motion.FrameList.push_back(BlankEntry<cDbAnimeFrame>());
            }
        }
    }
    Build(db.Anime, kEntries, &cDbAnime::FrameList, 4);
    Build(db.Bmp_CharaExc, kEntries);
    Build(db.SwordType, kEntries, &cDbSwordType::FrameList, 3);
    Build(db.Effect, kEntries, &cDbEffect::FrameList, 4);
    Build(db.CharaEffect, kEntries);
    Build(db.ScrEffect, kEntries);
    Build(db.Picture, kEntries);
    Build(db.Sound, kEntries);
    Build(db.Bgm, kEntries);
}

void BM_DatabaseBuildOnly(benchmark::State& state)
{
    GameFolder folder;
    WriteDatabaseFiles(folder.Root(), LargeDatabase());
    TimeAgainstFread(state, folder.Root(), "build", [] {
        BuildLargeDatabase(Database);
        return true;
    });
}
BENCHMARK(BM_DatabaseBuildOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
