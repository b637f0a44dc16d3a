#include "stage/StageGeometry.h"

#include <algorithm>

int MapRowPitch(int nWidth)
{
    return 1 << MapRowPitchShift(nWidth);
}

int MapRowPitchShift(int nWidth)
{
    // The pitch must exceed width + 19; sizes are bounded by the stage loader, but a huge width
    // still stops at 2^30 rather than overflowing.
    const long long need = static_cast<long long>(std::max(nWidth, 0)) + 19;
    int shift = 0;
    while (shift < 30 && (1LL << shift) <= need) {
        ++shift;
    }
    return shift;
}

int TileCentre(int n)
{
    return (n + kFieldMargin) * kTileSize + kTileSize / 2;
}

int StageAreaEnd(int nTiles)
{
    return std::max((nTiles + kFieldMargin) * kTileSize, 0);
}

MAPLAYOUT MAPLAYOUT::ForStage(int nWidth, int nHeight)
{
    MAPLAYOUT layout;
    const int width = std::max(nWidth, 0);
    const int height = std::max(nHeight, 0);
    layout.nPitchShift = MapRowPitchShift(width);
    layout.nPitch = 1 << layout.nPitchShift;
    layout.nColumns = width + 2 * kFieldMargin;
    layout.nRows = height + 2 * kFieldMargin;
    return layout;
}

bool MAPLAYOUT::Contains(int nColumn, int nRow) const
{
    return nColumn >= 0 && nColumn < nColumns && nRow >= 0 && nRow < nRows;
}
