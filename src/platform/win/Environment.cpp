#include "platform/win/Environment.h"

#include <cstdlib>
#include <cstring>

DWORD GetEnvironmentVariableA(const char* szName, char* szBuffer, DWORD nSize)
{
    const char* value = szName != nullptr ? std::getenv(szName) : nullptr;
    if (value == nullptr) {
        return 0;
    }
    const std::size_t length = std::strlen(value);
    if (szBuffer == nullptr || length + 1 > nSize) {
        return static_cast<DWORD>(length + 1);
    }
    std::memcpy(szBuffer, value, length + 1);
    return static_cast<DWORD>(length);
}

std::string EnvironmentText(const char* szName)
{
    const char* value = szName != nullptr ? std::getenv(szName) : nullptr;
    return value != nullptr ? std::string(value) : std::string();
}
