// An 8-bit palettised picture drawn by code, and its Windows bitmap file. The game-folder writer
// draws every sheet of a game with it: pixels are palette numbers, 0 being the transparent colour.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace testsupport {

// 256 colours as 0x00RRGGBB, entry i for palette number i.
using ColourTable = std::array<std::uint32_t, 256>;

// Which palette number each character of a pixel-art row stands for; '.' and ' ' are always
// transparent (0), characters without an entry too.
class Legend {
public:
    Legend(std::initializer_list<std::pair<char, std::uint8_t>> entries);
    std::uint8_t operator[](char c) const { return m_index[static_cast<unsigned char>(c)]; }

private:
    std::array<std::uint8_t, 256> m_index{};
};

class IndexedImage {
public:
    // A width x height picture (each 1 or more) filled with palette number fill.
    IndexedImage(int width, int height, std::uint8_t fill = 0);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Palette number at (x, y); 0 outside the picture.
    std::uint8_t At(int x, int y) const;
    // Drawing; everything outside the picture is clipped.
    void Set(int x, int y, std::uint8_t index);
    void Fill(int x, int y, int width, int height, std::uint8_t index);
    // A one-pixel outline of the rectangle.
    void Frame(int x, int y, int width, int height, std::uint8_t index);
    // Copies src with its top-left at (x, y); with keyed set, pixels of palette number 0 are
    // skipped.
    void Draw(const IndexedImage& src, int x, int y, bool keyed = true);
    // Pixel art: each string is one row, each character one pixel through the legend, drawn as
    // scale x scale blocks with the top-left at (x, y). Transparent characters leave the picture.
    void Art(int x, int y, std::initializer_list<std::string_view> rows, const Legend& legend, int scale = 1);
    // The picture reversed left to right.
    IndexedImage Mirrored() const;

    // Row-major pixels, top row first.
    const std::vector<std::uint8_t>& Pixels() const { return m_pixels; }

private:
    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_pixels;
};

// The bytes of an uncompressed 8-bit Windows bitmap of the picture with the colour table:
// 14-byte file header, 40-byte information header, 256 table entries (blue, green, red, 0), then
// the rows bottom-up, each padded to a multiple of 4 bytes.
std::vector<std::uint8_t> EncodeBmp8(const IndexedImage& image, const ColourTable& colours);

}  // namespace testsupport
