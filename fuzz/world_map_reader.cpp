// fuzz-links: qb_project
// Fuzz target: any bytes given as "data\WorldMap.dat" are read or refused without a read or
// write outside the file and without undefined arithmetic (the sanitizers watch); either way the
// grid is consistent (pitch from the width, pitch x height cells), the start cell and every node
// lie on the grid, and the stage-key lookup runs over every entry.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "project/cWorldMap.h"

namespace {

struct FuzzFile {
    std::string host;
    std::string game;
    FuzzFile()
    {
        std::random_device random;
        host = (std::filesystem::temp_directory_path() / ("qb_fuzz_worldmap_" + std::to_string(random()))).string();
        game = "Z:" + host;
        for (char& c : game) {
            c = c == '/' ? '\\' : c;
        }
    }
    ~FuzzFile() { std::remove(host.c_str()); }
};

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFile file;
    FILE* out = std::fopen(file.host.c_str(), "wb");
    if (out == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, out);
    std::fclose(out);

    cWorldMap map;
    map.LoadFile(file.game.c_str());
    Check(map.nWidth >= 1 && map.nHeight >= 1 && map.nPitch == (1 << map.nPitch_Shift));
    Check(map.nPitch >= map.nWidth && map.nPitch < 2 * map.nWidth + 1);
    Check(map.Cell.size() == static_cast<std::size_t>(map.nPitch) * static_cast<std::size_t>(map.nHeight));
    // Positions have upper bounds only: a negative start cell or node stays off the map, kept
    // within the range the screen's pixel arithmetic can take.
    const auto inRange = [&](int x, int y) {
        return x >= -cWorldMap::kMaxCells && x < map.nWidth && y >= -cWorldMap::kMaxCells && y < map.nHeight;
    };
    Check(inRange(map.nStartX, map.nStartY));
    for (const cWorldNode& node : map.Node) {
        Check(inRange(node.nX, node.nY));
        Check(node.nX < 0 || node.nY < 0 || map.FindNode(node.nX, node.nY) != nullptr);
        for (const cWorldStage& entry : node.Entry) {
            Check(entry.nKind != cWorldStage::kKindStage || map.HasStageKey(entry.StageKey()));
        }
    }
    return 0;
}
