// A 5 x 7 pixel font for the words and digits drawn into a game's bitmaps (title, banners,
// digits, the debug sheet). Upper-case letters, digits and a little punctuation; lower-case
// letters are drawn as upper-case ones, other characters as blanks.
#pragma once

#include <cstdint>
#include <string_view>

#include "IndexedImage.h"

namespace testsupport {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;

// How text is drawn: each font pixel becomes a scaleX x scaleY block of palette number colour;
// characters are advance font pixels apart; a non-zero outline draws a one-block border of that
// palette number around every glyph pixel.
struct TextStyle {
    std::uint8_t colour = 1;
    std::uint8_t outline = 0;
    int scaleX = 1;
    int scaleY = 1;
    int advance = 6;
};

// Size in pixels of the text without its outline.
int TextWidth(std::string_view text, const TextStyle& style);
int TextHeight(const TextStyle& style);

// Draws text with its top-left (outline excluded) at (x, y).
void DrawText(IndexedImage& image, int x, int y, std::string_view text, const TextStyle& style);
// Text centred horizontally on centreX.
void DrawCentredText(IndexedImage& image, int centreX, int y, std::string_view text, const TextStyle& style);

}  // namespace testsupport
