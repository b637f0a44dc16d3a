#include "stage/StageGeometry.h"

#include <algorithm>

#include "definitions/StageBounds.h"

int MapRowPitch(int nWidth)
{
    return 1 << MapRowPitchShift(nWidth);
}

int MapRowPitchShift(int nWidth)
{
    return StageMapPitchShift(nWidth);
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
    const int width = std::clamp(nWidth, 0, kMaxLayoutTiles);
    const int height = std::clamp(nHeight, 0, kMaxLayoutTiles);
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
