#include "GoldenFiles.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "definitions/cEdStage.h"
#include "input/cReplay.h"
#include "input/cReplaySaveData.h"
#include "project/cSaveData.h"

namespace testsupport {

std::filesystem::path GoldenFile(const std::string& folder, const std::string& name)
{
    return std::filesystem::path(QB_TESTS_SOURCE_DIR) / folder / "golden" / name;
}

bool UpdatingGoldens()
{
    const char* value = std::getenv("QB_UPDATE_GOLDEN");
    return value != nullptr && std::string(value) == "1";
}

bool ReadDigestFile(const std::filesystem::path& path, std::vector<std::uint64_t>& digests)
{
    std::ifstream in(path);
    if (!in) {
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty()) {
            digests.push_back(std::stoull(line, nullptr, 16));
        }
    }
    return true;
}

void WriteDigestFile(const std::filesystem::path& path, const std::vector<std::uint64_t>& digests)
{
    std::ofstream out(path, std::ios::trunc);
    for (std::uint64_t d : digests) {
        out << HexDigest(d) << '\n';
    }
}

std::string HexDigest(std::uint64_t digest)
{
    char text[24];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(digest));
    return text;
}

int LoadReplayForPlayback(const char* szPath)
{
    cSaveData replaySave = SaveData;
    if (!Replay.LoadFile(szPath, &StageBackup, replaySave)) {
        return 0;
    }
    ReplaySaveData.Begin(replaySave);
    return 1;
}

}  // namespace testsupport
