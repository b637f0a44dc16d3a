// fuzz-links: qb_project
// libFuzzer target for the project settings reader: any bytes given as "System.dat" are read or
// refused without reading outside the file, and either way every list keeps the length its
// consumers index and every music index names a Bgm entry.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "project/cDatabase.h"
#include "project/cSystemData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The reader takes a path: the input goes to a file in the current folder first.
    static const std::string path = "fuzz_system_data.dat";
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, out);
    std::fclose(out);

    cSystemData settings;
    settings.LoadFile(path.c_str());
    const bool padded =
        settings.CarryOverFlags.size() >= 25 && settings.ResetFlags.size() >= 25 && settings.HudItems.size() >= 5 &&
        settings.LivesTable.size() >= 4 && settings.UnlimitedLivesTable.size() >= 4 &&
        settings.RankingRows.size() >= 4 && settings.TextTable.size() >= 28 && settings.SystemSoundNames.size() >= 17 &&
        settings.MusicTable.size() >= 4 && settings.MusicLoopFlags.size() >= 4 && settings.TitleMenuItems.size() >= 7 &&
        settings.MapMenuItems.size() >= 4 && settings.OptionMenuItems.size() >= 6 &&
        settings.RankingEntryModes.size() >= 4 && settings.IniSettings.size() >= 10;
    if (!padded) {
        std::abort();
    }
    for (const cRankingRow& row : settings.RankingRows) {
        if (row.GenreFlags.size() < 5) {
            std::abort();
        }
    }
    for (std::int32_t music : settings.MusicTable) {
        if (music < 0 || static_cast<std::size_t>(music) >= Database.Bgm.size()) {
            std::abort();
        }
    }
    return 0;
}
