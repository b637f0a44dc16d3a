// fuzz-links: qb_app
// Fuzz target: any bytes given as "user_data\Option.dat", "Window.dat" or "Boot.dat" (the first
// byte chooses) are read or found damaged without closing the program, and the values the
// player indexes with stay in their ranges (the sound volume step indexes an 11-entry table).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzFile.h"
#include "app/cBootData.h"
#include "app/cWindowData.h"
#include "core/CheckedAccess.h"
#include "core/UserFiles.h"
#include "scenes/cOptionData.h"

namespace {

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".dat");
    if (size < 1 || !file.Write(data + 1, size - 1)) {
        return 0;
    }
    nDataVersion = kCurrentDataVersion;
    switch (data[0] % 3) {
    case 0: {
        cOptionData option;
        if (ReadUserFile(option, file.game.c_str()) == UserFileRead::kRead) {
            Check(option.nSoundVolume >= 0 && option.nSoundVolume <= 10);
            Check(option.nPaletteSet >= 0 && option.nPaletteSet <= 23);
            Check(option.nRankingMode >= 0 && option.nRankingMode <= 3);
        }
        break;
    }
    case 1: {
        cWindowData window;
        ReadUserFile(window, file.game.c_str());
        break;
    }
    default: {
        cBootData boot;
        ReadUserFile(boot, file.game.c_str());
        break;
    }
    }
    return 0;
}
