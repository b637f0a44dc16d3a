#include "platform/win/PathMapper.h"

#include <dirent.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "platform/win/CodePage.h"
#include "platform/win/Files.h"
#include "platform/win/GamePathText.h"

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

bool EqualsNoCaseAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) {
            return false;
        }
    }
    return true;
}

// The host spelling of one game component: its UTF-8 form, or the raw bytes when they are not
// Shift-JIS (so that nothing is lost when such a name is created).
std::string HostSpelling(std::string_view gameComponent)
{
    std::string utf8;
    if (!TryCp932ToUtf8(gameComponent, utf8)) {
        return std::string(gameComponent);
    }
    return utf8;
}

std::string JoinHost(const std::string& folder, const std::string& name)
{
    if (folder.empty()) {
        return name;
    }
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

bool GameNameOfHostName(std::string_view hostName, std::string& gameName)
{
    if (Utf8ToCp932(hostName, gameName)) {
        return true;
    }
    std::string decoded;
    if (TryCp932ToUtf8(hostName, decoded)) {
        gameName.assign(hostName);
        return true;
    }
    return false;
}

bool FindHostEntry(const std::string& folder, const std::string& name, const std::string& rawName,
                   std::string& found)
{
    DirHandle dir(opendir(folder.empty() ? "." : folder.c_str()));
    if (!dir) {
        return false;
    }
    const bool tryRaw = rawName != name;
    std::string bestUtf8;
    std::string bestRaw;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view entryName(entry->d_name);
        if (entryName == "." || entryName == "..") {
            continue;
        }
        // ASCII folding is safe on UTF-8 (its multi-byte parts are all >= 0x80) but not on
        // Shift-JIS, whose trail bytes include ASCII letters.
        const bool match = tryRaw ? EqualsNoCaseAscii(entryName, name) : EqualsNoCaseSjis(entryName, name);
        if (match) {
            if (bestUtf8.empty() || entryName < bestUtf8) {
                bestUtf8 = entryName;
            }
        } else if (tryRaw && EqualsNoCaseSjis(entryName, rawName)) {
            if (bestRaw.empty() || entryName < bestRaw) {
                bestRaw = entryName;
            }
        }
    }
    found = !bestUtf8.empty() ? bestUtf8 : bestRaw;
    return !found.empty();
}

std::string AbsoluteHostPath(const std::string& hostPath)
{
    std::string full = hostPath;
    if (full.empty() || full[0] != '/') {
        std::unique_ptr<char, decltype(&free)> cwd(getcwd(nullptr, 0), &free);
        if (!cwd) {
            return {};
        }
        full = JoinHost(cwd.get(), hostPath);
    }
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= full.size()) {
        std::size_t end = full.find('/', start);
        if (end == std::string::npos) {
            end = full.size();
        }
        const std::string part = full.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string result;
    for (const std::string& part : parts) {
        result += "/" + part;
    }
    return result.empty() ? "/" : result;
}

std::string HostPath(const char* szPath)
{
    if (szPath == nullptr || *szPath == '\0') {
        return {};
    }
    const std::string_view path(szPath);
    const GamePathParts parts = SplitGamePath(path);
    // Every drive stands for the host root. "Z:name" on the current drive Z is relative to the
    // current folder, as on Windows; "X:name" on another drive is taken from the root.
    const bool currentDriveRelative =
        parts.root == GamePathParts::Root::DriveRelative && (parts.drive & ~0x20) == kHostDrive;
    const bool rooted = parts.root != GamePathParts::Root::None && !currentDriveRelative;
    const std::vector<std::string_view> components = FoldDotComponents(parts.components, rooted);

    std::string host = rooted ? "/" : "";
    bool resolving = true;
    for (std::string_view component : components) {
        const std::string spelling = HostSpelling(component);
        std::string name = spelling;
        if (resolving && component != "..") {
            std::string found;
            resolving = FindHostEntry(host, spelling, std::string(component), found);
            if (resolving) {
                name = found;
            }
        }
        host = JoinHost(host, name);
    }
    if (host.empty()) {
        return ".";  // "." or "a\.." : the current folder itself
    }
    if (parts.trailingSeparator && host.back() != '/') {
        host += '/';
    }
    return host;
}

std::string GamePath(const std::string& hostPath)
{
    if (hostPath.empty()) {
        return {};
    }
    const bool absolute = hostPath[0] == '/';
    std::string game = absolute ? std::string{kHostDrive, ':', '\\'} : std::string();
    bool first = true;
    std::size_t start = 0;
    while (start < hostPath.size()) {
        std::size_t end = hostPath.find('/', start);
        if (end == std::string::npos) {
            end = hostPath.size();
        }
        if (end > start) {
            std::string name;
            GameNameOfHostName(std::string_view(hostPath).substr(start, end - start), name);
            game += first ? name : "\\" + name;
            first = false;
        }
        start = end + 1;
    }
    if (!first && hostPath.back() == '/') {
        game += '\\';
    }
    return game;
}
