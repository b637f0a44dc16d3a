#include "definitions/StageBounds.h"

#include <algorithm>

int StageMapPitchShift(std::int64_t nWidth)
{
    const std::int64_t need = std::max<std::int64_t>(nWidth, 0) + 2 * kStageFieldMargin - 1;
    int shift = 0;
    while (shift < 30 && (std::int64_t{1} << shift) <= need) {
        ++shift;
    }
    return shift;
}

std::int64_t StageMapCells(std::int64_t nWidth, std::int64_t nHeight)
{
    const std::int64_t rows = std::max<std::int64_t>(nHeight, 0) + 2 * kStageFieldMargin;
    // Heights beyond 2^32 are refused anyway; capping them keeps the product inside 64 bits.
    return (std::int64_t{1} << StageMapPitchShift(nWidth)) * std::min<std::int64_t>(rows, std::int64_t{1} << 32);
}

bool IsPlayableStageSize(std::int64_t nWidth, std::int64_t nHeight)
{
    return nWidth >= kScreenTilesWide && nHeight >= kScreenTilesHigh &&
           StageMapCells(nWidth, nHeight) <= kMaxStageMapCells;
}
