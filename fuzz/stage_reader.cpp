// fuzz-links: qb_definitions
// Fuzz target: any stage file or common palette file is read or refused without a read or write
// outside the records and without undefined arithmetic (the sanitizers watch); a stage that was
// read can be saved again. The first input byte chooses the file kind and the database sizes the
// repairs compare with; the rest is the file (its version first).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "core/RecordFile.h"
#include "definitions/DefinitionContext.h"
#include "definitions/cEdCommonPalette.h"
#include "definitions/cEdStage.h"

namespace {

// A file of this process's own in the temporary folder, as a host path and as the game's path.
struct FuzzFile {
    std::string host;
    std::string game;
    explicit FuzzFile(const char* suffix)
    {
        std::random_device random;
        host =
            (std::filesystem::temp_directory_path() / ("qb_fuzz_stage_" + std::to_string(random()) + suffix)).string();
        game = "Z:" + host;
        for (char& c : game) {
            c = c == '/' ? '\\' : c;
        }
    }
    ~FuzzFile() { std::remove(host.c_str()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzFile input("_in");
    static FuzzFile output("_out");
    if (size < 1) {
        return 0;
    }
    FILE* fp = std::fopen(input.host.c_str(), "wb");
    if (fp == nullptr) {
        return 0;
    }
    std::fwrite(data + 1, 1, size - 1, fp);
    std::fclose(fp);

    nDataVersion = kCurrentDataVersion;
    bRemoveCR = 1;
    DefinitionContext = DEFINITIONCONTEXT{};
    DefinitionContext.nTableCount.fill(data[0] >> 1 & 7);
    if (data[0] & 1) {
        CommonPalette.LoadFile(input.game.c_str());
        return 0;
    }
    auto stage = std::make_unique<cEdStage>();
    if (stage->LoadFile(input.game.c_str())) {
        stage->SaveFile(output.game.c_str());
    }
    return 0;
}
