// Finds the font files for a face name through fontconfig: the file that best matches the name,
// then the files that cover further characters, so that every Shift-JIS character finds a glyph
// in one of them (fontconfig's coverage-ordered list for Japanese text).
//
// Used by FontFace when a GDI or D3DX font is created, on any thread. Results are kept per name
// and weight, since fontconfig's search is slow.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct FontFile {
    std::string path;    // host path (UTF-8)
    int index = 0;       // face in a collection file
    std::string family;  // the font's first family name (for logs and checks)
};

// The files for a face name (Shift-JIS bytes, may be empty) and a weight (1..1000 as in
// CreateFontA; 0 or less means 400): the best match first, then fallbacks, at most
// kMaxFontFallbacks + 1 files. Empty only when fontconfig finds no font at all.
std::vector<FontFile> ResolveFontFiles(std::string_view faceSjis, int weight);

constexpr int kMaxFontFallbacks = 7;

// Test hook: from now on every face name resolves to this one file (a font made for the tests),
// and nothing else is known to fontconfig. False when fontconfig cannot read the file.
bool FontFilesUseOnlyForTest(const std::string& path);
// Test hook: back to the fonts installed on the machine.
void FontFilesUseSystemForTest();
