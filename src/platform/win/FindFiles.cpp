// FindFiles: the names in a folder that match a pattern with '*' and '?'.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/win/Files.h"
#include "platform/win/GamePathText.h"
#include "platform/win/PathMapper.h"

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

bool SameChar(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && EqualsNoCaseSjis(a, b);
}

// '*' matches any run of characters, '?' one character (a double-byte character counts as one);
// letters match without regard to case.
bool MatchesWildcard(std::string_view pattern, std::string_view name)
{
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starPattern = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = ++p;
            starName = n;
            continue;
        }
        if (p < pattern.size()) {
            const std::size_t patternLength = SjisCharLength(pattern, p);
            const std::size_t nameLength = SjisCharLength(name, n);
            const bool any = patternLength == 1 && pattern[p] == '?';
            if (any || SameChar(pattern.substr(p, patternLength), name.substr(n, nameLength))) {
                p += patternLength;
                n += nameLength;
                continue;
            }
        }
        if (starPattern == std::string_view::npos) {
            return false;
        }
        starName += SjisCharLength(name, starName);  // let the last '*' take one more character
        n = starName;
        p = starPattern;
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

// Where the last component starts (after the last separator, double-byte characters skipped).
std::size_t LastComponentStart(std::string_view path)
{
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < path.size(); pos += SjisCharLength(path, pos)) {
        if (IsGamePathSeparator(path[pos])) {
            start = pos + 1;
        }
    }
    return start;
}

}  // namespace

bool FindFiles(const char* szPattern, std::vector<FindEntry>& out)
{
    out.clear();
    if (szPattern == nullptr || strnlen(szPattern, MAX_PATH) >= MAX_PATH) {
        return false;
    }
    const std::string_view pattern(szPattern);
    const std::size_t nameStart = LastComponentStart(pattern);
    std::string_view namePattern = pattern.substr(nameStart);
    if (namePattern.empty()) {
        return false;
    }
    if (namePattern == "*.*") {
        namePattern = "*";  // the old rule: also names without a dot
    }
    const std::string folder = nameStart == 0 ? "." : HostPath(std::string(pattern.substr(0, nameStart)).c_str());

    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir) {
        return false;
    }
    while (const dirent* entry = readdir(dir.get())) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) {
            continue;
        }
        FindEntry found;
        if (!GameNameOfHostName(entry->d_name, found.name) || !MatchesWildcard(namePattern, found.name)) {
            continue;
        }
        const std::string host = folder.back() == '/' ? folder + entry->d_name : folder + "/" + entry->d_name;
        struct stat info {};
        found.bDirectory = ::stat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        out.push_back(std::move(found));
    }
    std::sort(out.begin(), out.end(), [](const FindEntry& a, const FindEntry& b) {
        const std::string upperA = UpperCaseSjis(a.name);
        const std::string upperB = UpperCaseSjis(b.name);
        return upperA != upperB ? upperA < upperB : a.name < b.name;
    });
    return true;
}
