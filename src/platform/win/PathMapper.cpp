#include "platform/win/PathMapper.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/win/CodePage.h"
#include "platform/win/Files.h"
#include "platform/win/FolderListings.h"
#include "platform/win/GamePathText.h"

namespace {

// The host spelling of one game component: its UTF-8 form, or the raw bytes when they are not
// Shift-JIS (so that nothing is lost when such a name is created).
std::string HostSpelling(std::string_view gameComponent)
{
    // ASCII is the same in both (the common case, with no conversion).
    if (std::all_of(gameComponent.begin(), gameComponent.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return std::string(gameComponent);
    }
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

namespace {

// The current folder as an absolute host path; "" when it cannot be read.
std::string CurrentHostFolder()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string();
}

// Maps szPath (not null or empty) with the folder listings kept by FolderListings.h. unverified
// is set when a component was taken from a kept listing and no folder read afresh after it
// proved the path up to there.
std::string MapHostPath(const char* szPath, bool& unverified)
{
    unverified = false;
    const std::string_view path(szPath);
    const GamePathParts parts = SplitGamePath(path);
    // Every drive stands for the host root. "Z:name" on the current drive Z is relative to the
    // current folder, as on Windows; "X:name" on another drive is taken from the root.
    const bool currentDriveRelative =
        parts.root == GamePathParts::Root::DriveRelative && (parts.drive & ~0x20) == kHostDrive;
    const bool rooted = parts.root != GamePathParts::Root::None && !currentDriveRelative;
    const std::vector<std::string_view> components = FoldDotComponents(parts.components, rooted);

    std::string host = rooted ? "/" : "";
    // The folder of the next component as an absolute path: the key of its kept listing. (When
    // the current folder cannot be read, relative keys are only as good as the check of the
    // result in HostPath.)
    std::string absolute = rooted || components.empty() ? host : CurrentHostFolder();
    bool resolving = true;
    for (std::string_view component : components) {
        const std::string spelling = HostSpelling(component);
        std::string name = spelling;
        if (resolving && component != "..") {
            std::string found;
            switch (FindHostEntryKept(host, absolute, spelling, std::string(component), found)) {
            case HostEntryLookup::KeptHit:
                name = found;
                unverified = true;
                break;
            case HostEntryLookup::FreshHit:
                name = found;
                unverified = false;
                break;
            case HostEntryLookup::FreshMiss:
                unverified = false;
                resolving = false;
                break;
            case HostEntryLookup::FolderUnreadable: resolving = false; break;
            }
        }
        host = JoinHost(host, name);
        absolute = JoinHost(absolute, name);
    }
    if (host.empty()) {
        return ".";  // "." or "a\.." : the current folder itself
    }
    if (parts.trailingSeparator && host.back() != '/') {
        host += '/';
    }
    return host;
}

}  // namespace

std::string HostPath(const char* szPath)
{
    if (szPath == nullptr || *szPath == '\0') {
        return {};
    }
    bool unverified = false;
    std::string host = MapHostPath(szPath, unverified);
    struct stat info {};
    if (unverified && lstat(host.c_str(), &info) != 0) {
        // A kept listing named something that is gone: map again from fresh reads.
        ForgetHostListings();
        host = MapHostPath(szPath, unverified);
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
