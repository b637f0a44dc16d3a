// fuzz-links: qb_graphics
// Fuzz target: any bytes given as a blend table file are taken whole when they are exactly
// 65536 bytes, and otherwise leave the table as it was; nothing is read or written outside the
// table (the sanitizers watch).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FuzzFile.h"
#include "graphics/BlendTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".dat");
    if (!file.Write(data, size)) {
        return 0;
    }
    std::vector<BYTE> table(kBlendTableBytes, 0x5A);
    const BOOL read = DDLoadBlendTable(table.data(), file.game.c_str());
    if (read && size == kBlendTableBytes && std::memcmp(table.data(), data, size) != 0) {
        std::abort();
    }
    if (size != kBlendTableBytes) {
        for (BYTE b : table) {
            if (b != 0x5A) {
                std::abort();
            }
        }
    }
    return 0;
}
