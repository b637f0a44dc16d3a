#include "scenes/WorldMapRules.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

using CompareFn = bool (*)(std::int64_t v, std::int64_t c);

bool Equal(std::int64_t v, std::int64_t c)
{
    return v == c;
}
bool NotEqual(std::int64_t v, std::int64_t c)
{
    return v != c;
}
bool AtLeast(std::int64_t v, std::int64_t c)
{
    return v >= c;
}
bool AtMost(std::int64_t v, std::int64_t c)
{
    return v <= c;
}
bool Above(std::int64_t v, std::int64_t c)
{
    return v > c;
}
bool Below(std::int64_t v, std::int64_t c)
{
    return v < c;
}
// Widened to 64 bits: |INT_MIN| and INT_MIN % -1 stay defined.
bool MultipleOf(std::int64_t v, std::int64_t c)
{
    return c == 0 || std::llabs(v) % c == 0;
}
bool NotMultipleOf(std::int64_t v, std::int64_t c)
{
    return c != 0 && std::llabs(v) % c != 0;
}

constexpr CompareFn kCompare[kWorldCompareCount] = {Equal, NotEqual, AtLeast,    AtMost,
                                                    Above, Below,    MultipleOf, NotMultipleOf};

}  // namespace

int WorldCellIndex(const cWorldMap& map, int nCol, int nRow)
{
    const int col = std::clamp(nCol, 0, std::max(map.nWidth - 1, 0));
    if (nRow < 0) {
        return col;
    }
    const int row = std::min(nRow, std::max(map.nHeight - 1, 0));
    return col + (row << map.nPitch_Shift);
}

const cWorldChip* WorldCellChip(const cWorldMap& map, int nCol, int nRow)
{
    const int index = WorldCellIndex(map, nCol, nRow);
    if (index < 0 || index >= static_cast<int>(map.Cell.size())) {
        return nullptr;
    }
    const int chip = map.Cell[index];
    if (chip < 0 || chip >= static_cast<int>(map.Chip.size())) {
        return nullptr;
    }
    return &map.Chip[chip];
}

bool WorldCompare(int nCode, int v, int c)
{
    if (nCode < 0 || nCode >= kWorldCompareCount) {
        return false;
    }
    return kCompare[nCode](v, c);
}
