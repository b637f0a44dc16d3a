// fuzz-links: qb_input
// Fuzz target: any bytes given as "user_data\KeyConfig.dat" leave a configuration whose every
// entry names a joystick 0..7 or the keyboard (8), so that the poll never indexes past its
// joysticks; the bytes are taken as far as they go.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "input/KeyConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    KEYCONFIG config;
    SetDefaultKeyConfig(config);
    const bool sound = ParseKeyConfig(data, size, config);
    for (const KEYCONFIGENTRY& entry : config.entries) {
        if (entry.nDevice < 0 || entry.nDevice > kKeyConfigKeyboard) {
            std::abort();
        }
    }
    if (sound && size < kKeyConfigFileSize) {
        std::abort();
    }
    return 0;
}
