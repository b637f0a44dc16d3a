// The geometry of the field a stage is played on: the stage's map plus a margin of 10 tiles of
// 32 pixels on every side. Stage tile (column, row) covers world pixels ((column + 10) x 32,
// (row + 10) x 32) and 31 pixels further; the block map keeps one cell per field tile in rows of a
// power-of-two pitch. Pure functions, any thread.
#pragma once

#include <cstdint>

// Tile size in pixels and margin in tiles around the stage.
constexpr int kTileSize = 32;
constexpr int kFieldMargin = 10;
// World pixels of the margin (the stage's first tile starts there).
constexpr int kFieldMarginPx = kTileSize * kFieldMargin;

// Row pitch of the block map for a stage nWidth tiles wide: the smallest power of two greater
// than nWidth + 19 (a field row holds nWidth + 20 cells). At least 1 for any width.
int MapRowPitch(int nWidth);
// log2 of MapRowPitch(nWidth).
int MapRowPitchShift(int nWidth);

// World pixel of the centre of stage tile n along one axis: (n + 10) x 32 + 16.
int TileCentre(int n);

// Size of the stage area in world pixels along one axis for a stage of nTiles tiles: its end,
// (nTiles + 10) x 32, or 0 when that is negative.
int StageAreaEnd(int nTiles);

// Largest stage side, in tiles, that MAPLAYOUT::ForStage lays out as it is.
constexpr int kMaxLayoutTiles = 1 << 28;

// The block map's layout for one stage: pitch, rows and the cell of a field column and row.
struct MAPLAYOUT {
    int nPitch = 1;  // cells per row (a power of two)
    int nPitchShift = 0;
    int nColumns = 20;  // field columns: stage width + 20
    int nRows = 20;     // field rows: stage height + 20

    // Layout for a stage of nWidth x nHeight tiles (negative sizes count as 0; sizes beyond
    // kMaxLayoutTiles count as that, so that no field of the layout overflows). The stage loader
    // admits only sizes of IsPlayableStageSize.
    static MAPLAYOUT ForStage(int nWidth, int nHeight);
    // Cells of the whole map: pitch x rows, in 64 bits.
    std::int64_t CellCount() const { return static_cast<std::int64_t>(nPitch) * nRows; }
    // True when the field column and row lie inside the field (0 .. columns - 1, 0 .. rows - 1).
    bool Contains(int nColumn, int nRow) const;
    // Cell index of a field column and row: column + (row << pitch shift). Only for Contains.
    int Cell(int nColumn, int nRow) const { return nColumn + (nRow << nPitchShift); }
};
