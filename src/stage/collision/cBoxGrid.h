// A uniform grid over the boxes of one faction group, so that a collision walk visits only the
// boxes near the one it tests instead of every box of the group. Game thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An axis-aligned box in stage pixels, edges inclusive.
struct GRIDBOX {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

// Built from a list of boxes, each known by its index in that list. A query hands back, in
// ascending index order and each once, every box that touches the query box (shared edges count)
// and possibly a few more: the caller still makes its own exact test. Boxes with non-finite edges
// are handed back by every query. The storage is kept between builds.
class cBoxGrid {
public:
    // Replaces the content with boxes; a box whose taking entry is 0 is left out of every query
    // (taking has one entry per box).
    void Build(const std::vector<GRIDBOX>& boxes, const std::vector<std::uint8_t>& taking);
    // The candidate indices for box, ascending, into out (cleared first).
    void Query(const GRIDBOX& box, std::vector<int>& out) const;

private:
    struct SPAN {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    };
    bool SpanOf(const GRIDBOX& box, SPAN& span) const;
    int CellX(double x) const;
    int CellY(double y) const;

    double m_OriginX = 0.0;
    double m_OriginY = 0.0;
    double m_Cell = 1.0;
    double m_InvCell = 1.0;
    double m_MaxX = 0.0;  // the far edges of the finite boxes taking part
    double m_MaxY = 0.0;
    std::size_t m_nTaking = 0;  // boxes taking part
    int m_Cols = 0;
    int m_Rows = 0;
    std::vector<int> m_CellStart;               // m_Cols * m_Rows + 1 offsets into m_Entries
    std::vector<int> m_Entries;                 // box indices, by cell
    std::vector<int> m_Everywhere;              // boxes every query returns (non-finite or very large)
    std::vector<SPAN> m_Spans;                  // per box while building
    std::vector<int> m_Fill;                    // per cell while building: the next free entry
    mutable std::vector<std::uint32_t> m_Seen;  // per box: the last query that returned it
    mutable std::uint32_t m_nQuery = 0;
};
