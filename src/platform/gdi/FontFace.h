// A font at one size as the GDI and D3DX stand-ins draw it: the face a name maps to (with the
// fallback faces that supply characters it lacks), monochrome glyph images, and the layout of a
// Shift-JIS string. Both back-ends draw from these images with these advances, so text lays out
// the same under DirectDraw and Direct3D.
//
// Metrics, in pixels: the cell height is the height asked for (ascent + descent); every face of
// the chain is scaled so that its Windows cell (OS/2 usWinAscent + usWinDescent, or the hhea
// ascender - descender) is that many pixels, and its baseline sits at its own ascent below the
// cell top (usWinAscent x cell height / cell units, rounded), so every glyph stays in its cell.
// The advance of a glyph is FreeType's hinted advance rounded to whole pixels. Characters are
// read as code page 932 (ShiftJisChars.h); one that no face of the chain has, a lone lead byte
// and an unassigned code draw the primary face's default glyph (its OS/2 default character, else
// glyph 0).
//
// Thread-safe: the glyph cache and FreeType are used under the font's own lock. Glyph images are
// kept for the font's lifetime (at most one per character of code page 932).
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/win/WinTypes.h"

// One glyph's ink, 1 bit per pixel stored as bytes 0 / 1.
struct GlyphImage {
    int left = 0;  // columns from the pen position to the image's first column (may be < 0)
    int top = 0;   // rows from the top of the text cell to the image's first row (may be < 0)
    int width = 0;
    int height = 0;
    int advance = 0;        // pixels the pen moves on after this glyph
    std::vector<BYTE> ink;  // width x height, rows top to bottom; 1 = ink

    bool InkAt(int x, int y) const { return ink[static_cast<size_t>(y) * width + x] != 0; }
};

// A glyph of laid-out text: its image drawn with the pen at penX pixels from the text's start.
struct PlacedGlyph {
    int penX = 0;
    const GlyphImage* glyph = nullptr;  // valid as long as the font
};

class FontFace {
public:
    // Largest cell height served; larger requests are clamped to it.
    static constexpr int kMaxCellHeight = 512;
    // Cell height used for a height of 0.
    static constexpr int kDefaultCellHeight = 16;

    // faceSjis: the face name (Shift-JIS, may be empty). height > 0: the cell height in pixels;
    // height < 0: the em height (character height without internal leading); 0: the default.
    // weight: 1..1000 (400 normal, 700 bold), 0 = 400; it only steers the choice of font file.
    // Never null: without any usable font file every character draws a hollow box.
    static std::shared_ptr<FontFace> Create(std::string_view faceSjis, int height, int weight);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    int CellHeight() const;
    // Baseline of the primary face, in pixels below the cell top.
    int Ascent() const;

    // The glyphs of a Shift-JIS string in order, with their pen positions (penX of the first is 0).
    std::vector<PlacedGlyph> Layout(std::string_view text);
    // Sum of the advances of the string's glyphs (pixels).
    int TextWidth(std::string_view text);

private:
    struct Impl;
    explicit FontFace(std::unique_ptr<Impl> impl);

    std::unique_ptr<Impl> m_impl;
};
