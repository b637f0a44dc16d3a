// Code page 932 (Shift-JIS), the encoding of every text inside the game and its data files.
// Conversion to UTF-8 happens only where text leaves for the host (file names, fonts, boxes).
#pragma once

#include <string>
#include <string_view>

#include "platform/win/WinTypes.h"

// Lead bytes of double-byte characters: 0x81-0x9F and 0xE0-0xFC.
BOOL IsDBCSLeadByte(BYTE c);
// Trail bytes: 0x40-0x7E and 0x80-0xFC.
bool IsDBCSTrailByte(BYTE c);
// Converts Shift-JIS to UTF-8. Bytes that do not decode become U+FFFD; never fails.
std::string Cp932ToUtf8(std::string_view sjis);
// As Cp932ToUtf8, and tells whether every byte decoded (false when a U+FFFD was put in). The path
// layer uses it to tell Shift-JIS names from other bytes.
bool TryCp932ToUtf8(std::string_view sjis, std::string& utf8Out);
// Converts UTF-8 to Shift-JIS. Returns false (and converts what it can, '?' for the rest) when
// a character has no Shift-JIS form or the input is not UTF-8.
bool Utf8ToCp932(std::string_view utf8, std::string& sjisOut);
