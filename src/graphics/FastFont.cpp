#include "graphics/FastFont.h"

#include "graphics/Blit.h"
#include "graphics/Surfaces.h"

FastFont::~FastFont()
{
    DDReleaseSurface(&m_Surface);
}

BOOL FastFont::Create(int nKind, int nCellWidth, int nCellHeight, int nColumns, int nRows)
{
    if (nCellWidth <= 0 || nCellHeight <= 0 || nColumns <= 0 || nRows <= 0) return FALSE;
    m_nKind = nKind;
    m_nCellWidth = nCellWidth;
    m_nCellHeight = nCellHeight;
    m_nColumns = nColumns;
    m_nRows = nRows;
    m_Glyphs.clear();
    m_Glyphs.reserve(static_cast<std::size_t>(Capacity()));
    return DDCreateSurface(&m_Surface, nColumns * nCellWidth, nRows * nCellHeight, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
}

BOOL FastFont::AddGlyph(BYTE byLead, BYTE byTrail)
{
    const int cell = GlyphCount();
    if (cell >= Capacity()) return FALSE;
    Glyph g;
    g.byLead = byLead;
    g.byTrail = byTrail;
    g.nCell = cell;
    g.nCellX = (cell % m_nColumns) * m_nCellWidth;
    g.nCellY = (cell / m_nColumns) * m_nCellHeight;
    m_Glyphs.push_back(g);
    return TRUE;
}

void FastFont::DrawCell(DDSURFACEDATA* lpDst, int x, int y, BYTE byValue, int nFlags)
{
    if (m_nColumns <= 0) return;
    DDBlt(lpDst, x, y, m_nCellWidth, m_nCellHeight, &m_Surface, (byValue % m_nColumns) * m_nCellWidth,
          (byValue / m_nColumns) * m_nCellHeight, nFlags);
}

const FastFont::Glyph* FastFont::FindGlyph(BYTE byLead, BYTE byTrail) const
{
    for (const Glyph& g : m_Glyphs)
        if (g.byLead == byLead && g.byTrail == byTrail) return &g;
    return nullptr;
}

BOOL FastFont::DrawGlyph(DDSURFACEDATA* lpDst, int x, int y, BYTE byLead, BYTE byTrail, int nFlags)
{
    const Glyph* g = FindGlyph(byLead, byTrail);
    if (g == nullptr) return FALSE;
    DDBlt(lpDst, x, y, m_nCellWidth, m_nCellHeight, &m_Surface, g->nCellX, g->nCellY, nFlags);
    return TRUE;
}
