// Where the heads-up status bar puts its entries: the shown entries of the project's five HUD
// entries (total score, score, HP, SP, lives) spread over the 640-pixel bar with equal gaps, and
// the width of a gauge's fill. Pure arithmetic, no drawing. Game thread.
#pragma once

#include <vector>

#include "core/cVector.h"
#include "project/cHudItem.h"

// The HUD entries by position in the project's list.
enum HUDITEM { HUD_TOTAL_SCORE = 0, HUD_SCORE = 1, HUD_HP = 2, HUD_SP = 3, HUD_LIVES = 4, HUD_ITEM_COUNT = 5 };

// Gauge frames and fills are this wide, in pixels.
constexpr int kGaugeWidth = 50;

struct HUDSLOT {
    int nItem = 0;   // HUDITEM
    int x = 0;       // left edge of the entry
    int nWidth = 0;  // icon or label, then the number or the gauge
};

// The shown entries from left to right. An entry is 16 pixels for its icon or 16 per label
// character, plus 50 for a gauge (HP, SP) or 16 per digit of its number (at most 40 digits); the
// gap is (638 - the sum of the widths) / (shown entries + 1), the first entry starts one gap from the
// left and each next one a gap after the end of the one before. Empty when no entry is shown.
std::vector<HUDSLOT> LayoutStatusBar(const cVector<cHudItem>& items, int* pGap = nullptr);

// The fill of a gauge for nValue out of nMax: nValue x 50 / nMax pixels, kept inside the frame
// (0..50); 0 when nMax is not positive.
int GaugeFillWidth(int nValue, int nMax);
