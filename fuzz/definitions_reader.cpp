// fuzz-links: qb_definitions
// Fuzz target: any bytes given to the readers of conditions, key conditions, commands, flows,
// movement and shot records are read or refused without a read or write outside them, without
// unbounded recursion and without undefined arithmetic (the sanitizers watch). What was read is
// then copied, checked against palettes and saved, as the owners of these records do. The first
// input byte chooses the reader and the context switches, the rest is the file (its version
// first).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "core/RecordFile.h"
#include "definitions/CommandList.h"
#include "definitions/ConditionList.h"
#include "definitions/DefinitionContext.h"
#include "definitions/FlowList.h"
#include "definitions/PaletteCounts.h"
#include "definitions/cEdFlow.h"

namespace {

// A file of this process's own in the temporary folder, as a host path and as the game's path.
struct FuzzFile {
    std::string host;
    std::string game;
    explicit FuzzFile(const char* szName)
    {
        std::random_device random;
        host = (std::filesystem::temp_directory_path() / (szName + std::to_string(random()))).string();
        game = "Z:" + host;
        for (char& c : game) {
            c = c == '/' ? '\\' : c;
        }
    }
    ~FuzzFile() { std::remove(host.c_str()); }
};

template <class T>
void SaveAll(cVector<T>& list, const char* szPath)
{
    FILE* fp = OpenDatSave(szPath);
    if (fp != nullptr) {
        for (T& element : list) {
            element.Save(fp);
        }
        CloseDat(fp);
    }
}

void ReadChosen(std::uint8_t choice, FILE* fp, const char* szSavePath)
{
    PALETTECOUNTS counts;
    counts.nCount[PALETTE_COMMON] = {3, 3, 3};
    counts.nCount[PALETTE_STAGE] = {2, (choice & 0x10) ? -1 : 1, 2};
    switch (choice % 6) {
    case 0: {
        cVector<cEdCondition> list;
        LoadConditionList(list, fp);
        cVector<cEdCondition> copy;
        AssignConditionList(copy, list);
        SaveAll(copy, szSavePath);
        break;
    }
    case 1: {
        cVector<cEdKeyCondition> list;
        LoadKeyConditionList(list, fp);
        SaveAll(list, szSavePath);
        break;
    }
    case 2: {
        cVector<cEdCommand> list;
        LoadCommandList(list, fp);
        cVector<cEdCommand> copy;
        copy = list;
        for (cEdCommand& command : copy) {
            command.CheckPaletteRefs(counts);
        }
        SaveAll(copy, szSavePath);
        break;
    }
    case 3: {
        cVector<cEdFlow> list;
        LoadFlowList(list, fp);
        RemoveTestPlayFlows(list);
        cVector<cEdFlow> copy(list);
        for (cEdFlow& flow : copy) {
            flow.CheckPaletteRefs(counts);
        }
        SaveAll(copy, szSavePath);
        break;
    }
    case 4: {
        cVector<cEdMove> list(1);
        list[0].Load(fp);
        SaveAll(list, szSavePath);
        break;
    }
    default: {
        cVector<cEdShot> list(1);
        list[0].Load(fp);
        SaveAll(list, szSavePath);
        break;
    }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzFile input("qb_fuzz_definitions_");
    static FuzzFile output("qb_fuzz_definitions_saved_");
    if (size < 1) {
        return 0;
    }
    FILE* raw = std::fopen(input.host.c_str(), "wb");
    if (raw == nullptr) {
        return 0;
    }
    std::fwrite(data + 1, 1, size - 1, raw);
    std::fclose(raw);

    nDataVersion = kCurrentDataVersion;
    bRemoveCR = 1;
    DefinitionContext = DEFINITIONCONTEXT{};
    DefinitionContext.nTableCount.fill((data[0] & 0x20) ? 1 : 4);
    DefinitionContext.SwordTypeTime = {6, 30, 11000, -50};
    DefinitionContext.bTestPlayMode = (data[0] & 0x40) ? 1 : 0;
    FILE* fp = OpenDatLoad(input.game.c_str());
    if (fp == nullptr) {
        return 0;
    }
    ReadChosen(data[0], fp, output.game.c_str());
    CloseDat(fp);
    return 0;
}
