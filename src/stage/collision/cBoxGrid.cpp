#include "stage/collision/cBoxGrid.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMinCell = 16.0;
// Cells per box taking part at most, so that a spread-out group does not make a huge grid.
constexpr std::size_t kCellsPerBox = 4;
// A box spanning more cells than this is returned by every query instead of filling the cells.
constexpr int kMaxSpanCells = 64;

// One test for all four edges: a sum is finite only when every term is (an overflowing sum of
// finite edges counts as not finite, which only makes the box be returned more often).
bool Finite(const GRIDBOX& box)
{
    return std::isfinite(box.left + box.top + box.right + box.bottom);
}

}  // namespace

int cBoxGrid::CellX(double x) const
{
    const double c = (x - m_OriginX) * m_InvCell;
    return c <= 0.0 ? 0 : (c >= m_Cols - 1 ? m_Cols - 1 : static_cast<int>(c));
}

int cBoxGrid::CellY(double y) const
{
    const double c = (y - m_OriginY) * m_InvCell;
    return c <= 0.0 ? 0 : (c >= m_Rows - 1 ? m_Rows - 1 : static_cast<int>(c));
}

// The cells a box covers, from the lesser to the greater of each pair of edges, so that two boxes
// that touch always share a cell even when one is given inside out. False for a non-finite box.
bool cBoxGrid::SpanOf(const GRIDBOX& box, SPAN& span) const
{
    if (!Finite(box)) {
        return false;
    }
    span.x0 = CellX(std::min(box.left, box.right));
    span.x1 = CellX(std::max(box.left, box.right));
    span.y0 = CellY(std::min(box.top, box.bottom));
    span.y1 = CellY(std::max(box.top, box.bottom));
    return true;
}

void cBoxGrid::Build(const std::vector<GRIDBOX>& boxes, const std::vector<std::uint8_t>& taking)
{
    m_Entries.clear();
    m_Everywhere.clear();
    m_Boxes.assign(boxes.begin(), boxes.end());
    // Every mark left by an earlier build is older than the next query's, so none is cleared.
    m_Seen.resize(boxes.size(), 0);
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0, extent = 0.0;
    std::size_t finite = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const GRIDBOX& b = boxes[i];
        if (taking[i] == 0 || !Finite(b)) {
            continue;
        }
        const double l = std::min(b.left, b.right), r = std::max(b.left, b.right);
        const double t = std::min(b.top, b.bottom), d = std::max(b.top, b.bottom);
        minX = finite == 0 ? l : std::min(minX, l);
        minY = finite == 0 ? t : std::min(minY, t);
        maxX = finite == 0 ? r : std::max(maxX, r);
        maxY = finite == 0 ? d : std::max(maxY, d);
        extent += std::max(r - l, d - t);
        ++finite;
    }
    m_nTaking =
        static_cast<std::size_t>(std::count_if(taking.begin(), taking.end(), [](std::uint8_t t) { return t != 0; }));
    m_OriginX = minX;
    m_OriginY = minY;
    m_Cell = std::max(kMinCell, finite > 0 ? extent / static_cast<double>(finite) : kMinCell);
    if (!std::isfinite(m_Cell)) {
        m_Cell = kMinCell;
    }
    const double maxCells = static_cast<double>(kCellsPerBox * finite + 16);
    double cols = 1.0, rows = 1.0;
    // Edges so far apart that their distance overflows put every box in one cell.
    const bool spread = std::isfinite(maxX - minX) && std::isfinite(maxY - minY);
    while (spread) {
        cols = std::floor((maxX - minX) / m_Cell) + 1.0;
        rows = std::floor((maxY - minY) / m_Cell) + 1.0;
        if (cols * rows <= maxCells) {
            break;
        }
        m_Cell *= 2.0;
    }
    m_Cols = static_cast<int>(cols);
    m_Rows = static_cast<int>(rows);
    m_InvCell = 1.0 / m_Cell;
    m_MaxX = maxX;
    m_MaxY = maxY;

    const std::size_t cellCount = static_cast<std::size_t>(m_Cols) * static_cast<std::size_t>(m_Rows);
    m_CellStart.assign(cellCount + 1, 0);
    m_Spans.resize(boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        SPAN& s = m_Spans[i];
        if (taking[i] == 0) {
            s = SPAN{0, 0, -1, -1};
            continue;
        }
        if (!SpanOf(boxes[i], s) || (s.x1 - s.x0 + 1) * (s.y1 - s.y0 + 1) > kMaxSpanCells) {
            m_Everywhere.push_back(static_cast<int>(i));
            s = SPAN{0, 0, -1, -1};
            continue;
        }
        for (int y = s.y0; y <= s.y1; ++y) {
            for (int x = s.x0; x <= s.x1; ++x) {
                ++m_CellStart[static_cast<std::size_t>(y * m_Cols + x) + 1];
            }
        }
    }
    for (std::size_t c = 0; c < cellCount; ++c) {
        m_CellStart[c + 1] += m_CellStart[c];
    }
    m_Entries.resize(static_cast<std::size_t>(m_CellStart[cellCount]));
    std::vector<int>& fill = m_Fill;
    fill.assign(m_CellStart.begin(), m_CellStart.end() - 1);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (taking[i] == 0) {
            continue;
        }
        const SPAN& s = m_Spans[i];
        for (int y = s.y0; y <= s.y1; ++y) {
            for (int x = s.x0; x <= s.x1; ++x) {
                m_Entries[static_cast<std::size_t>(fill[static_cast<std::size_t>(y * m_Cols + x)]++)] =
                    static_cast<int>(i);
            }
        }
    }
}

void cBoxGrid::Query(const GRIDBOX& box, std::vector<int>& out) const
{
    out.clear();
    if (m_nTaking == 0) {
        return;
    }
    if (m_Everywhere.empty() && Finite(box) &&
        (std::max(box.left, box.right) < m_OriginX || std::min(box.left, box.right) > m_MaxX ||
         std::max(box.top, box.bottom) < m_OriginY || std::min(box.top, box.bottom) > m_MaxY)) {
        return;  // beside every box
    }
    for (const int i : m_Everywhere) {
        if (Touch(m_Boxes[static_cast<std::size_t>(i)], box)) {
            out.push_back(i);
        }
    }
    SPAN s;
    if (!SpanOf(box, s)) {
        s = SPAN{0, 0, m_Cols - 1, m_Rows - 1};
    }
    CollectInSpan(s, box, out);
}

void cBoxGrid::QueryMember(int i, std::vector<int>& out) const
{
    const SPAN& s = m_Spans[static_cast<std::size_t>(i)];
    const GRIDBOX& box = m_Boxes[static_cast<std::size_t>(i)];
    if (s.x1 < s.x0) {
        Query(box, out);  // not in the cells: out of the build or spread over too many
        return;
    }
    out.clear();
    for (const int k : m_Everywhere) {
        if (Touch(m_Boxes[static_cast<std::size_t>(k)], box)) {
            out.push_back(k);
        }
    }
    CollectInSpan(s, box, out);
}

void cBoxGrid::CollectInSpan(const SPAN& s, const GRIDBOX& box, std::vector<int>& out) const
{
    if (s.x0 == s.x1 && s.y0 == s.y1) {
        // One cell holds each box once, in ascending order.
        const bool sorted = out.empty();
        CollectTouching(static_cast<std::size_t>(s.y0 * m_Cols + s.x0), box, out);
        if (!sorted) {
            std::sort(out.begin(), out.end());
        }
        return;
    }
    if (++m_nQuery == 0) {
        std::fill(m_Seen.begin(), m_Seen.end(), 0);
        m_nQuery = 1;
    }
    for (int y = s.y0; y <= s.y1; ++y) {
        for (int x = s.x0; x <= s.x1; ++x) {
            CollectTouchingOnce(static_cast<std::size_t>(y * m_Cols + x), box, out);
        }
    }
    if (out.size() > 1) {
        std::sort(out.begin(), out.end());
    }
}

void cBoxGrid::CollectTouching(std::size_t cell, const GRIDBOX& box, std::vector<int>& out) const
{
    for (int e = m_CellStart[cell]; e < m_CellStart[cell + 1]; ++e) {
        const int i = m_Entries[static_cast<std::size_t>(e)];
        if (Touch(m_Boxes[static_cast<std::size_t>(i)], box)) {
            out.push_back(i);
        }
    }
}

void cBoxGrid::CollectTouchingOnce(std::size_t cell, const GRIDBOX& box, std::vector<int>& out) const
{
    for (int e = m_CellStart[cell]; e < m_CellStart[cell + 1]; ++e) {
        const int i = m_Entries[static_cast<std::size_t>(e)];
        std::uint32_t& seen = m_Seen[static_cast<std::size_t>(i)];
        if (seen != m_nQuery && Touch(m_Boxes[static_cast<std::size_t>(i)], box)) {
            seen = m_nQuery;
            out.push_back(i);
        }
    }
}
