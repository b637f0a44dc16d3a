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
// ascending index order and each once, exactly the boxes that touch the query box as Touch
// decides (shared edges count), so a walk that meets only touching boxes can skip the others
// without looking at their owners. Boxes with non-finite edges are kept apart and tested by
// every query. The storage is kept between builds.
class cBoxGrid {
public:
    // a and b touch: each one's left edge at or before the other's right edge, and each one's
    // top at or above the other's bottom (a box given inside out touches only what spans it; a
    // NaN edge touches nothing). The same test for either order of the two.
    static bool Touch(const GRIDBOX& a, const GRIDBOX& b)
    {
        return a.left <= b.right && a.right >= b.left && a.top <= b.bottom && a.bottom >= b.top;
    }

    // Replaces the content with boxes; a box whose taking entry is 0 is left out of every query
    // (taking has one entry per box).
    void Build(const std::vector<GRIDBOX>& boxes, const std::vector<std::uint8_t>& taking);
    // The indices of the boxes taking part that touch box, ascending, into out (cleared first).
    void Query(const GRIDBOX& box, std::vector<int>& out) const;
    // Query with box i of the build (i itself comes back when it takes part and is not NaN),
    // reusing the cells the build found for it.
    void QueryMember(int i, std::vector<int>& out) const;

private:
    struct SPAN {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    };
    bool SpanOf(const GRIDBOX& box, SPAN& span) const;
    int CellX(double x) const;
    int CellY(double y) const;
    // The boxes of the cells of s that touch box, appended to out, which is then sorted.
    void CollectInSpan(const SPAN& s, const GRIDBOX& box, std::vector<int>& out) const;
    // The boxes of one cell that touch box, appended in ascending order.
    void CollectTouching(std::size_t cell, const GRIDBOX& box, std::vector<int>& out) const;
    // The same for a query over several cells: a box already met in this query is skipped.
    void CollectTouchingOnce(std::size_t cell, const GRIDBOX& box, std::vector<int>& out) const;

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
    std::vector<GRIDBOX> m_Boxes;               // the boxes as built, by index
    std::vector<int> m_Everywhere;              // boxes every query returns (non-finite or very large)
    std::vector<SPAN> m_Spans;                  // per box: its cells (none when not in them)
    std::vector<int> m_Fill;                    // per cell while building: the next free entry
    mutable std::vector<std::uint32_t> m_Seen;  // per box: the last query that returned it
    mutable std::uint32_t m_nQuery = 0;
};
