// Fuzz target: any bytes given as "System.ini" are read over the defaults without a read or
// write outside the settings (the sanitizers watch); the start file name stays within its bound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzFile.h"
#include "app/SystemIni.h"
#include "project/cSystemData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".ini");
    if (!file.Write(data, size)) {
        return 0;
    }
    SYSTEMINI settings;
    SetSystemIniDefault(settings, SystemData.IniSettings);
    ReadSystemIni(file.game.c_str(), settings, SystemData.IniSettings);
    if (settings.FreeStage.size() > kFreeStageMaxLength) {
        std::abort();
    }
    return 0;
}
