// Splits Shift-JIS (code page 932) text into the characters fonts draw, and gives each its
// Unicode code point for the glyph look-up.
//
// Used by the font code of the GDI and D3DX stand-ins, on any thread.
#pragma once

#include <cstddef>
#include <string_view>

struct SjisChar {
    // The code point, or 0 when the bytes name no character (a lone lead byte, a lead byte with
    // an invalid trail byte, an unassigned code, the bytes 0x80, 0xA0 and 0xFD-0xFF): such a
    // character draws the font's default glyph.
    char32_t unicode = 0;
    // Bytes taken from the text: 2 for a lead byte with a valid trail byte (0x40-0x7E, 0x80-0xFC,
    // so a trail byte 0x5C belongs to its lead byte and is no backslash), else 1.
    std::size_t byteCount = 1;
};

// The character starting at text[pos]; pos must be < text.size().
SjisChar NextSjisChar(std::string_view text, std::size_t pos);
