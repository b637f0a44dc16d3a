#include "platform/win/LinuxSystemFacts.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>
#include <string_view>

#include "platform/win/CodePage.h"

namespace {

std::string ReadTextFile(const char* path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string_view Trim(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

// Calls visit(key, value) for every "key<sep>value" line, both trimmed.
template <typename Visit>
void ForEachKeyValue(const std::string& text, char separator, Visit visit)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t at = line.find(separator);
        if (at != std::string::npos) {
            visit(Trim(std::string_view(line).substr(0, at)), Trim(std::string_view(line).substr(at + 1)));
        }
    }
}

// A shell-style value of os-release: "double quoted" with backslash escapes, 'single quoted', or bare.
std::string Unquote(std::string_view value)
{
    if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') {
        return std::string(value.substr(1, value.size() - 2));
    }
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
        return std::string(value);
    }
    std::string out;
    const std::string_view inner = value.substr(1, value.size() - 2);
    for (std::size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] == '\\' && i + 1 < inner.size()) {
            ++i;
        }
        out += inner[i];
    }
    return out;
}

// A decimal kB amount from meminfo ("24576000 kB") in bytes, saturating instead of wrapping.
ULONGLONG KilobytesToBytes(std::string_view value)
{
    const std::string digits(value.substr(0, value.find(' ')));
    char* end = nullptr;
    const unsigned long long kb = std::strtoull(digits.c_str(), &end, 10);
    if (end == digits.c_str()) {
        return 0;
    }
    constexpr ULONGLONG kMax = std::numeric_limits<ULONGLONG>::max();
    return kb > kMax / 1024 ? kMax : static_cast<ULONGLONG>(kb) * 1024;
}

std::string ToSjis(const std::string& utf8)
{
    std::string sjis;
    Utf8ToCp932(utf8, sjis);  // a character without a Shift-JIS form becomes '?'
    return sjis;
}

}  // namespace

std::string ParseOsReleaseName(const std::string& osRelease)
{
    std::string pretty;
    std::string name;
    ForEachKeyValue(osRelease, '=', [&](std::string_view key, std::string_view value) {
        if (key == "PRETTY_NAME") {
            pretty = Unquote(value);
        } else if (key == "NAME") {
            name = Unquote(value);
        }
    });
    return !pretty.empty() ? pretty : name;
}

void ParseCpuInfo(const std::string& cpuInfo, SystemFacts& facts)
{
    DWORD processors = 0;
    std::string model;
    double mhz = 0.0;
    ForEachKeyValue(cpuInfo, ':', [&](std::string_view key, std::string_view value) {
        if (key == "processor") {
            ++processors;
        } else if (key == "model name" && model.empty()) {
            model = value;
        } else if (key == "cpu MHz" && mhz == 0.0) {
            mhz = std::strtod(std::string(value).c_str(), nullptr);
        }
    });
    facts.cpuName = model;
    facts.cpuCount = processors > 0 ? processors : 1;
    facts.cpuHz = (std::isfinite(mhz) && mhz > 0.0 && mhz < 1e9) ? static_cast<ULONGLONG>(std::llround(mhz * 1e6)) : 0;
}

void ParseMemInfo(const std::string& memInfo, SystemFacts& facts)
{
    ULONGLONG total = 0;
    ULONGLONG available = 0;
    ULONGLONG free = 0;
    bool haveAvailable = false;
    ForEachKeyValue(memInfo, ':', [&](std::string_view key, std::string_view value) {
        if (key == "MemTotal") {
            total = KilobytesToBytes(value);
        } else if (key == "MemAvailable") {
            available = KilobytesToBytes(value);
            haveAvailable = true;
        } else if (key == "MemFree") {
            free = KilobytesToBytes(value);
        }
    });
    facts.totalPhysBytes = total;
    facts.availPhysBytes = haveAvailable ? available : free;
}

SystemFacts ReadLinuxSystemFacts()
{
    SystemFacts facts;
    std::string osName = "Linux";
    std::string machine;
    utsname names{};
    if (uname(&names) == 0) {
        osName = std::string(names.sysname) + " " + names.release + " " + names.machine;
        machine = names.machine;
    }
    std::string distribution = ParseOsReleaseName(ReadTextFile("/etc/os-release"));
    if (distribution.empty()) {
        distribution = ParseOsReleaseName(ReadTextFile("/usr/lib/os-release"));
    }
    if (!distribution.empty()) {
        osName += " (" + distribution + ")";
    }
    facts.osName = ToSjis(osName);

    ParseCpuInfo(ReadTextFile("/proc/cpuinfo"), facts);
    if (facts.cpuName.empty()) {
        facts.cpuName = machine;  // processors that name no model (some ARM kernels)
    }
    facts.cpuName = ToSjis(facts.cpuName);
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    if (facts.cpuCount <= 1 && online > 1) {
        facts.cpuCount = static_cast<DWORD>(online);
    }
    ParseMemInfo(ReadTextFile("/proc/meminfo"), facts);
    return facts;
}
