// A glyph cache: a colour-keyed surface of cells holding pre-drawn glyphs, so that a character
// becomes one colour-keyed blit. Kind 0 holds the single-byte characters (cell b for byte b, 16 x
// 16 cells); kind 1 the double-byte characters in the order they were added. Owned by its Font;
// game thread (main thread inside the device restore).
#pragma once

#include <vector>

#include "graphics/DDSurfaceData.h"

class FastFont {
public:
    struct Glyph {
        BYTE byLead = 0;  // the two bytes of the character (single byte: byTrail 0)
        BYTE byTrail = 0;
        int nCell = 0;   // cell index
        int nCellX = 0;  // its top-left pixel in the cache surface
        int nCellY = 0;
    };

    FastFont() = default;
    ~FastFont();
    FastFont(const FastFont&) = delete;
    FastFont& operator=(const FastFont&) = delete;

    // Makes the cache surface of nColumns x nCellWidth by nRows x nCellHeight (colour-keyed,
    // video memory). FALSE when a size is not positive or the surface cannot be made.
    BOOL Create(int nKind, int nCellWidth, int nCellHeight, int nColumns, int nRows);
    // Takes the next cell for the character (lead, trail). FALSE when the cache is full.
    BOOL AddGlyph(BYTE byLead, BYTE byTrail);
    // Blits cell byValue (single-byte cache) to x, y of lpDst with nFlags (1: colour key).
    void DrawCell(DDSURFACEDATA* lpDst, int x, int y, BYTE byValue, int nFlags);
    // Blits the cached glyph of (lead, trail) to x, y of lpDst. FALSE when it is not cached.
    BOOL DrawGlyph(DDSURFACEDATA* lpDst, int x, int y, BYTE byLead, BYTE byTrail, int nFlags);
    // The glyph of (lead, trail), or null when it is not cached.
    const Glyph* FindGlyph(BYTE byLead, BYTE byTrail) const;

    // The sizes given to Create, the number of cells and of glyphs taken, the glyph list in
    // cell order and the cache surface (the owning font draws into it).
    int Kind() const { return m_nKind; }
    int CellWidth() const { return m_nCellWidth; }
    int CellHeight() const { return m_nCellHeight; }
    int Columns() const { return m_nColumns; }
    int Rows() const { return m_nRows; }
    int Capacity() const { return m_nColumns * m_nRows; }
    int GlyphCount() const { return static_cast<int>(m_Glyphs.size()); }
    const std::vector<Glyph>& Glyphs() const { return m_Glyphs; }
    DDSURFACEDATA* Surface() { return &m_Surface; }

private:
    int m_nKind = 0;
    int m_nCellWidth = 0;
    int m_nCellHeight = 0;
    int m_nColumns = 0;
    int m_nRows = 0;
    DDSURFACEDATA m_Surface;
    std::vector<Glyph> m_Glyphs;
};
