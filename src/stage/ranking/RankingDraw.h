// The layout of the ranking window (cRankingTable::Draw) and the result panel of a finished
// stage. Game thread, or the
// ranking display's thread while the game thread waits.
#pragma once

#include <vector>

#include "graphics/DDSurfaceData.h"
#include "stage/ranking/cRankingTable.h"

// The value column's width in digits: 8 for the clear-time table, else the digits of the first
// place's value.
int RankingValueWidth(const cRankingTable& table, int nTable);
// Left edge of a value right-aligned on the end of an nWidth-digit number starting at x + 144.
int RankingValueX(int x, int nWidth, int nValue);

// The result panel's content: the genres shown (the stage's switch and, unless played directly,
// the play kind's), the widest label in characters (at least 1), and the box size:
// (digits + label + 3) x 16 wide, 16 per result high.
struct RESULTPANEL {
    std::vector<int> shown;
    int nLabelChars = 1;
    int nWidth = 0;
    int nHeight = 0;
};
RESULTPANEL ResultPanelLayout();
// The panel at (x, y): each shown result's label and value from the save data's totals (the clear
// time as mm:ss.hh), and a mark for every place reached in ranks (entries not -1), top down.
void DrawResult(DDSURFACEDATA* target, int x, int y, const std::vector<int>& ranks);
