// fuzz-links: qb_project
// Fuzz target: any table file given to the database readers is read or refused, and the tables
// derived from what was read are built, without a read or write outside them and without
// undefined arithmetic (the sanitizers watch). The first input byte chooses the table, the rest
// is the file (its version first).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "core/RecordFile.h"
#include "project/DatabaseTable.h"
#include "project/DerivedTables.h"
#include "project/cDatabase.h"

namespace {

// A file of this process's own in the temporary folder, as a host path and as the game's path.
struct FuzzFile {
    std::string host;
    std::string game;
    FuzzFile()
    {
        std::random_device random;
        host = (std::filesystem::temp_directory_path() / ("qb_fuzz_database_" + std::to_string(random()))).string();
        game = "Z:" + host;
        for (char& c : game) {
            c = c == '/' ? '\\' : c;
        }
    }
    ~FuzzFile() { std::remove(host.c_str()); }
};

template <class T>
int Load(cVector<T>& table, const char* szPath)
{
    return LoadTableFile(table, szPath);
}

int LoadChosenTable(std::uint8_t choice, const char* szPath)
{
    switch (choice % 10) {
    case 0: return Load(Database.AnimeSet, szPath);
    case 1: return Load(Database.Anime, szPath);
    case 2: return Load(Database.Bmp_CharaExc, szPath);
    case 3: return Load(Database.SwordType, szPath);
    case 4: return Load(Database.Effect, szPath);
    case 5: return Load(Database.CharaEffect, szPath);
    case 6: return Load(Database.ScrEffect, szPath);
    case 7: return Load(Database.Picture, szPath);
    case 8: return Load(Database.Sound, szPath);
    default: return Load(Database.Bgm, szPath);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzFile file;
    if (size < 1) {
        return 0;
    }
    FILE* fp = std::fopen(file.host.c_str(), "wb");
    if (fp == nullptr) {
        return 0;
    }
    std::fwrite(data + 1, 1, size - 1, fp);
    std::fclose(fp);

    nDataVersion = kCurrentDataVersion;
    bRemoveCR = 1;
    Database.SetDefault();
    if (LoadChosenTable(data[0], file.game.c_str())) {
        Database.ClearEffectZero();
        BuildDerivedTables();
    }
    return 0;
}
