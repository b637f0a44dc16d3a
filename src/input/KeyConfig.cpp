#include "input/KeyConfig.h"

#include <cstdio>

#include "core/ReportLog.h"
#include "platform/win/Files.h"

KEYCONFIG KeyConfig;

namespace {

// The file's layout: 12 entries of 8 bytes (device int32, code int16, padding), then the counts.
constexpr std::size_t kKeyConfigEntryBytes = 8;
constexpr std::size_t kKeyConfigCountsAt = 96;

constexpr std::int16_t kDefaultCodes[kKeyConfigEntries] = {37, 39, 38, 40, 'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'};

std::int32_t ReadLe32(const unsigned char* p)
{
    const std::uint32_t v = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                            (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    return static_cast<std::int32_t>(v);
}

std::int16_t ReadLe16(const unsigned char* p)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

}  // namespace

void SetDefaultKeyConfig(KEYCONFIG& config)
{
    for (int i = 0; i < kKeyConfigEntries; ++i) {
        config.entries[i].nDevice = kKeyConfigKeyboard;
        config.entries[i].wCode = kDefaultCodes[i];
    }
    config.nKeyNum = kKeyConfigEntries;
    config.nJoyNum = 1;
    config.bUseKeyConfig = 0;
}

bool ParseKeyConfig(const unsigned char* pBytes, std::size_t nSize, KEYCONFIG& config)
{
    if (pBytes == nullptr) {
        return false;
    }
    nSize = nSize < kKeyConfigFileSize ? nSize : kKeyConfigFileSize;
    bool sound = nSize == kKeyConfigFileSize;
    // Each field is taken when the bytes hold all of it; the fields after the end keep their
    // values. An entry naming a device beyond the keyboard would index past the joysticks: that
    // entry alone keeps its value.
    for (int i = 0; i < kKeyConfigEntries; ++i) {
        const std::size_t at = static_cast<std::size_t>(i) * kKeyConfigEntryBytes;
        if (at + 6 > nSize) {
            break;
        }
        const std::int32_t device = ReadLe32(pBytes + at);
        if (device < 0 || device > kKeyConfigKeyboard) {
            sound = false;
            continue;
        }
        config.entries[i].nDevice = device;
        config.entries[i].wCode = ReadLe16(pBytes + at + 4);
    }
    std::int32_t* const counts[] = {&config.nKeyNum, &config.nJoyNum, &config.bUseKeyConfig};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::size_t at = kKeyConfigCountsAt + 4 * k;
        if (at + 4 <= nSize) {
            *counts[k] = ReadLe32(pBytes + at);
        }
    }
    return sound;
}

int LoadKeyConfig(const char* szPath, KEYCONFIG& config)
{
    FILE* fp = FOpen(szPath, "rb");
    if (fp == nullptr) {
        return 0;
    }
    unsigned char bytes[kKeyConfigFileSize] = {};
    const std::size_t nRead = std::fread(bytes, 1, sizeof(bytes), fp);
    std::fclose(fp);
    if (!ParseKeyConfig(bytes, nRead, config)) {
        ReportLog("%s : the key configuration is damaged; it is used as far as it can be read", szPath);
    }
    return 1;
}
