#include "input/KeyConfig.h"

#include <cstdio>

#include "core/ReportLog.h"
#include "platform/win/Files.h"

KEYCONFIG KeyConfig;

namespace {

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
    if (pBytes == nullptr || nSize < kKeyConfigFileSize) {
        return false;
    }
    KEYCONFIG parsed;
    for (int i = 0; i < kKeyConfigEntries; ++i) {
        parsed.entries[i].nDevice = ReadLe32(pBytes + i * 8);
        parsed.entries[i].wCode = ReadLe16(pBytes + i * 8 + 4);
        if (parsed.entries[i].nDevice < 0 || parsed.entries[i].nDevice > kKeyConfigKeyboard) {
            return false;
        }
    }
    parsed.nKeyNum = ReadLe32(pBytes + 96);
    parsed.nJoyNum = ReadLe32(pBytes + 100);
    parsed.bUseKeyConfig = ReadLe32(pBytes + 104);
    if (parsed.nKeyNum < 0 || parsed.nKeyNum > kKeyConfigEntries || parsed.nJoyNum < 0 ||
        parsed.nJoyNum > kKeyConfigJoysticks) {
        return false;
    }
    config = parsed;
    return true;
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
        ReportLog("%s : bad key configuration, the defaults are used", szPath);
        SetDefaultKeyConfig(config);
    }
    return 1;
}
