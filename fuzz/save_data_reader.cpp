// fuzz-links: qb_project
// Fuzz target: any bytes given as a story slot file are read or refused without a read or write
// outside the file and without undefined arithmetic (the sanitizers watch); either way the lists
// keep the lengths their users index and the map position lies on the world map. A file that is
// read is saved, read again and saved again with the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "project/cWorldMap.h"

namespace {

// Files of this process's own in the temporary folder, as host paths and as the game's paths.
struct FuzzFile {
    std::string host;
    std::string game;
    explicit FuzzFile(const char* suffix)
    {
        std::random_device random;
        host =
            (std::filesystem::temp_directory_path() / ("qb_fuzz_save_" + std::to_string(random()) + suffix)).string();
        game = "Z:" + host;
        for (char& c : game) {
            c = c == '/' ? '\\' : c;
        }
    }
    ~FuzzFile() { std::remove(host.c_str()); }
    std::string Read() const
    {
        std::ifstream in(host, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void CheckInvariants(const cSaveData& data)
{
    Check(data.CarryFlag.size() >= 25 && data.CarryChara.size() >= 1 && data.StageClear.size() >= 1000 &&
          data.Var.size() >= 256);
    Check(data.WorldRecord.size() == static_cast<std::size_t>(SystemData.nWorldCount));
    Check(data.nWorldOpen <= SystemData.nWorldCount);
    Check(data.nMapX >= 0 && data.nMapX < WorldMap.nWidth && data.nMapY >= 0 && data.nMapY < WorldMap.nHeight);
    Check(data.nMapEntry == nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFile input(".dat");
    static const FuzzFile first(".1.dat");
    static const FuzzFile second(".2.dat");
    FILE* out = std::fopen(input.host.c_str(), "wb");
    if (out == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, out);
    std::fclose(out);

    cSaveData save;
    const int loaded = save.LoadFile(input.game.c_str());
    if (size < 4) {
        return 0;  // no version: the file is not opened, the new game stays as it was
    }
    CheckInvariants(save);
    if (loaded) {
        save.SetHighScore(save.strStage, 1000);
        save.CalcTotalScore();
        save.StepSelection(save.nRankingKind & 3, 1);
        Check(save.SaveFile(first.game.c_str()) == 1);
        cSaveData again;
        Check(again.LoadFile(first.game.c_str()) == 1);
        Check(again.SaveFile(second.game.c_str()) == 1);
        Check(first.Read() == second.Read());
    }
    return 0;
}
