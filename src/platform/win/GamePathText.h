// Windows-style path text in Shift-JIS, taken apart without touching the file system.
//
// Every scan steps over double-byte characters whole, because their trail byte may be 0x5C ('\')
// or an ASCII letter: "表" is 0x95 0x5C and is no separator; 0x83 0x41 is no 'A'.
// Used by the path mapping, the full/relative path functions and the file search.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct GamePathComponent {
    std::string_view text;   // never empty
    std::size_t offset = 0;  // where it starts in the split text
};

struct GamePathParts {
    enum class Root {
        None,           // relative: "data\x"
        Drive,          // "X:\..."
        Slash,          // "\..." (root of the current drive; "\\server\share" counts as this too)
        DriveRelative,  // "X:name" or "X:": relative to the current folder of drive X
    };
    Root root = Root::None;
    char drive = 0;                             // the letter as given, for Drive and DriveRelative
    std::vector<GamePathComponent> components;  // "." and ".." kept as they are
    bool trailingSeparator = false;             // the text ends with '\' or '/' after a component
};

// '\' and '/' both separate components, as on Windows.
bool IsGamePathSeparator(char c);
// Bytes taken by the character at s[pos]: 2 for a lead byte followed by another byte, else 1.
std::size_t SjisCharLength(std::string_view s, std::size_t pos);
// Splits a path into its root and components; empty components (doubled separators) are dropped.
GamePathParts SplitGamePath(std::string_view path);
// Folds "." and ".." textually. A ".." removes the component before it; at the root of a rooted
// path it is dropped; leading ".." of a relative path stay.
std::vector<std::string_view> FoldDotComponents(const std::vector<GamePathComponent>& components, bool rooted);
// True when both names are equal without regard to the case of single-byte ASCII letters.
bool EqualsNoCaseSjis(std::string_view a, std::string_view b);
// Byte-wise ASCII upper-casing of single-byte characters only (for sorting and comparison keys).
std::string UpperCaseSjis(std::string_view s);
