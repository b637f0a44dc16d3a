// Full and relative forms of game paths: GetFullPathNameA and PathRelativePathToA. Both work on
// the text alone (Shift-JIS aware, without regard to case), as Windows does.
#include <cstring>
#include <string>
#include <vector>

#include "platform/win/Files.h"
#include "platform/win/GamePathText.h"
#include "platform/win/PathMapper.h"

namespace {

char UpperDrive(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string CurrentDirectory()
{
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) {
        return {};
    }
    std::string cwd(needed, '\0');
    const DWORD length = GetCurrentDirectoryA(needed, cwd.data());
    if (length == 0 || length >= needed) {
        return {};
    }
    cwd.resize(length);
    return cwd;
}

// Copies text into a caller's buffer the Windows way: the length without the NUL when it fits,
// else the size needed with the NUL (the buffer untouched).
DWORD CopyOut(const std::string& text, DWORD nBufferLength, char* szBuffer)
{
    if (szBuffer == nullptr || text.size() >= nBufferLength) {
        return static_cast<DWORD>(text.size() + 1);
    }
    std::memcpy(szBuffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

bool SameRoot(const GamePathParts& a, const GamePathParts& b)
{
    using Root = GamePathParts::Root;
    if (a.root == Root::Drive && b.root == Root::Drive) {
        return UpperDrive(a.drive) == UpperDrive(b.drive);
    }
    return a.root == Root::Slash && b.root == Root::Slash;
}

}  // namespace

DWORD GetFullPathNameA(const char* szFileName, DWORD nBufferLength, char* szBuffer, char** lpFilePart)
{
    if (szFileName == nullptr || *szFileName == '\0' || strnlen(szFileName, MAX_PATH) >= MAX_PATH) {
        return 0;
    }
    const GamePathParts parts = SplitGamePath(szFileName);
    using Root = GamePathParts::Root;

    // The root and the folder the name is taken from.
    std::string root;
    std::string base;
    const bool currentDrive = parts.root == Root::DriveRelative && UpperDrive(parts.drive) == kHostDrive;
    if (parts.root == Root::Drive || (parts.root == Root::DriveRelative && !currentDrive)) {
        root = std::string{parts.drive, ':', '\\'};
    } else {
        base = CurrentDirectory();
        if (base.empty()) {
            return 0;
        }
        const GamePathParts baseParts = SplitGamePath(base);
        root = std::string{baseParts.drive != 0 ? baseParts.drive : kHostDrive, ':', '\\'};
        if (parts.root == Root::Slash) {
            base.clear();
        }
    }

    const GamePathParts baseParts = SplitGamePath(base);
    std::vector<GamePathComponent> all = baseParts.components;
    all.insert(all.end(), parts.components.begin(), parts.components.end());
    const std::vector<std::string_view> folded = FoldDotComponents(all, true);

    std::string full = root;
    std::size_t lastStart = 0;
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (i > 0) {
            full += '\\';
        }
        lastStart = full.size();
        full += folded[i];
    }
    const bool endsWithSeparator = folded.empty() || parts.trailingSeparator;
    if (!folded.empty() && parts.trailingSeparator) {
        full += '\\';
    }

    const DWORD result = CopyOut(full, nBufferLength, szBuffer);
    if (lpFilePart != nullptr && result == full.size()) {
        *lpFilePart = endsWithSeparator ? nullptr : szBuffer + lastStart;
    }
    return result;
}

BOOL PathRelativePathToA(char* szPath, const char* szFrom, DWORD dwAttrFrom, const char* szTo, DWORD dwAttrTo)
{
    (void)dwAttrTo;  // the target's kind changes nothing in the text
    if (szPath == nullptr) {
        return FALSE;
    }
    szPath[0] = '\0';
    if (szFrom == nullptr || szTo == nullptr) {
        return FALSE;
    }
    const GamePathParts from = SplitGamePath(szFrom);
    const GamePathParts to = SplitGamePath(szTo);
    if (!SameRoot(from, to)) {
        return FALSE;
    }

    std::vector<GamePathComponent> fromFolder = from.components;
    if (!(dwAttrFrom & FILE_ATTRIBUTE_DIRECTORY) && !fromFolder.empty()) {
        fromFolder.pop_back();  // a file: start from the folder holding it
    }
    std::size_t common = 0;
    while (common < fromFolder.size() && common < to.components.size() &&
           EqualsNoCaseSjis(fromFolder[common].text, to.components[common].text)) {
        ++common;
    }

    std::string relative = ".";
    for (std::size_t up = common; up < fromFolder.size(); ++up) {
        relative = (up == common) ? ".." : relative + "\\..";
    }
    if (common < to.components.size()) {
        relative += '\\';
        relative += std::string_view(szTo).substr(to.components[common].offset);
    }
    if (relative.size() >= static_cast<std::size_t>(MAX_PATH)) {
        return FALSE;
    }
    std::memcpy(szPath, relative.c_str(), relative.size() + 1);
    return TRUE;
}
