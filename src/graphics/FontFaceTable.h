// The face names a project chooses its font from. The settings store the font as a number into
// this table (the editor's numbering); the start-up creates the three fonts with the named face.
#pragma once

#include <string>

// Number of entries: 0..121 face names, 122 the empty name.
constexpr int kFontFaceCount = 123;
// The entry used for a number outside the table (and the settings' default): "ＭＳ Ｐゴシック".
constexpr int kDefaultFontFace = 60;

// The Shift-JIS face name of entry nFontFace; a number outside 0..122 (a damaged settings file)
// gives the default entry. Start-up, before the fonts are created.
const std::string& FontFaceName(int nFontFace);
