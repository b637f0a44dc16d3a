// The small operations the screens use on the settings: ranking genres per play kind, menus made
// of consecutive texts of the text table, and the low-value test of the status-bar gauges.
// Called on the game thread; every table access goes through the checked access.
#include "project/cSystemData.h"

#include <algorithm>

#include "core/TextHelpers.h"
#include "graphics/FontTable.h"

namespace {

// Menu texts are laid out in 16-pixel characters.
constexpr int kCharWidth = 16;
constexpr int kLineHeight = 16;

}  // namespace

int cSystemData::CountMenuItem(int nRow) const
{
    const cRankingRow& row = RankingRows[nRow];
    if (row.bEnabled == 0) {
        return 0;
    }
    int count = 0;
    for (int g = 0; g < static_cast<int>(row.GenreFlags.size()); ++g) {
        count += row.GenreFlags[g] != 0 ? 1 : 0;
    }
    return count;
}

int cSystemData::GetMenuCenterX(int x, int nFirst, int nCount, int bCursor) const
{
    int columns = 0;
    for (int i = 0; i < nCount; ++i) {
        columns = std::max(columns, CountChars(TextTable[nFirst + i].c_str()));
    }
    if (bCursor != 0) {
        ++columns;
    }
    return x - columns * kCharWidth / 2;
}

void cSystemData::BuildMenuText(int nFirst, int nCount, int bCursor, std::string& block, int& nWidth,
                                int& nHeight) const
{
    block.clear();
    nWidth = 0;
    nHeight = 0;
    if (nCount <= 0) {
        return;
    }
    int columns = 0;
    for (int i = 0; i < nCount; ++i) {
        const std::string& text = TextTable[nFirst + i];
        columns = std::max(columns, CountChars(text.c_str()));
        if (bCursor != 0) {
            block += ' ';
        }
        block += text;
        block += '\n';
    }
    if (bCursor != 0) {
        ++columns;
    }
    nWidth = columns * kCharWidth;
    nHeight = nCount * kLineHeight;
}

void cSystemData::DrawMenuText(DDSURFACEDATA& surface, int x, int y, int nFirst, int nCount, int bCursor) const
{
    if (nCount <= 0) {
        return;
    }
    std::string block;
    int width = 0;
    int height = 0;
    BuildMenuText(nFirst, nCount, bCursor, block, width, height);
    PrintMenuWindow(surface, x, y, block, width, height);
}

void cSystemData::PrintMenuWindow(DDSURFACEDATA& surface, int x, int y, const std::string& block, int nWidth,
                                  int nHeight) const
{
    // The block goes through "%s" so that a per cent sign in a text is drawn, not taken as a
    // format.
    FontTable[Font16].PrintfWindowText(&surface, x, y, nWidth, nHeight, "%s", block.c_str());
}

int cSystemData::CheckThreshold(int nItem, int nValue, int nMax) const
{
    const cHudItem& item = HudItems[nItem];
    if (item.bWarnPercent == 0) {
        return nValue <= item.nWarnValue ? 1 : 0;
    }
    if (nMax == 0) {
        // The share is infinite, or undefined for a value of 0: only a negative value is low.
        return nValue < 0 ? 1 : 0;
    }
    const double percent = static_cast<double>(nValue) * 100.0 / static_cast<double>(nMax);
    return static_cast<double>(item.nWarnValue) >= percent ? 1 : 0;
}
