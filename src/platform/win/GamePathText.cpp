#include "platform/win/GamePathText.h"

#include "platform/win/CodePage.h"

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool IsGamePathSeparator(char c)
{
    return c == '\\' || c == '/';
}

std::size_t SjisCharLength(std::string_view s, std::size_t pos)
{
    const bool lead = IsDBCSLeadByte(static_cast<BYTE>(s[pos])) != FALSE;
    return (lead && pos + 1 < s.size()) ? 2 : 1;
}

GamePathParts SplitGamePath(std::string_view path)
{
    GamePathParts parts;
    std::size_t pos = 0;
    if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') {
        parts.drive = path[0];
        pos = 2;
        const bool separatorFollows = pos < path.size() && IsGamePathSeparator(path[pos]);
        parts.root = separatorFollows ? GamePathParts::Root::Drive : GamePathParts::Root::DriveRelative;
    } else if (!path.empty() && IsGamePathSeparator(path[0])) {
        parts.root = GamePathParts::Root::Slash;
    }

    std::size_t start = pos;
    while (pos < path.size()) {
        if (IsGamePathSeparator(path[pos])) {
            if (pos > start) {
                parts.components.push_back({path.substr(start, pos - start), start});
            }
            start = ++pos;
            continue;
        }
        pos += SjisCharLength(path, pos);
    }
    if (pos > start) {
        parts.components.push_back({path.substr(start, pos - start), start});
    } else {
        parts.trailingSeparator = !parts.components.empty();
    }
    return parts;
}

std::vector<std::string_view> FoldDotComponents(const std::vector<GamePathComponent>& components, bool rooted)
{
    std::vector<std::string_view> folded;
    for (const GamePathComponent& component : components) {
        if (component.text == ".") {
            continue;
        }
        if (component.text == "..") {
            if (!folded.empty() && folded.back() != "..") {
                folded.pop_back();
            } else if (!rooted) {
                folded.push_back(component.text);
            }
            continue;
        }
        folded.push_back(component.text);
    }
    return folded;
}

bool EqualsNoCaseSjis(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    std::size_t pos = 0;
    while (pos < a.size()) {
        const std::size_t length = SjisCharLength(a, pos);
        if (length == 2) {
            if (a[pos] != b[pos] || a[pos + 1] != b[pos + 1]) {
                return false;
            }
        } else if (UpperAscii(a[pos]) != UpperAscii(b[pos])) {
            return false;
        }
        pos += length;
    }
    return true;
}

std::string UpperCaseSjis(std::string_view s)
{
    std::string upper(s);
    std::size_t pos = 0;
    while (pos < upper.size()) {
        const std::size_t length = SjisCharLength(upper, pos);
        if (length == 1) {
            upper[pos] = UpperAscii(upper[pos]);
        }
        pos += length;
    }
    return upper;
}
