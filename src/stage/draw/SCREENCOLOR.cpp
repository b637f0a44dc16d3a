#include "stage/draw/SCREENCOLOR.h"

#include <climits>
#include <cmath>

bool SCREENCOLOR::Start(const int p[8], bool bTinted)
{
    if (p[4] != 0 && !bTinted) {
        return false;
    }
    byPrevRed = byRed;
    byPrevGreen = byGreen;
    byPrevBlue = byBlue;
    nPrevLevel = nLevel;
    nPrevValue = nValue;
    byRed = static_cast<std::uint8_t>(p[0]);
    byGreen = static_cast<std::uint8_t>(p[1]);
    byBlue = static_cast<std::uint8_t>(p[2]);
    nLevel = p[3];
    bRestore = p[4];
    // Six frames per unit; a count from a damaged stage that would not fit is taken as the longest.
    nDuration = p[5] <= 0 ? 0 : p[5] > INT_MAX / 6 ? INT_MAX / 6 * 6 : p[5] * 6;
    bFlash = p[6];
    nRepeat = p[7];
    bActive = 1;
    nCounter = 0;
    nRepeatsDone = 0;
    if (!bRestore) {
        nValue = 0;
        bApplied = 1;
    } else {
        byRed = byPrevRed;
        byGreen = byPrevGreen;
        byBlue = byPrevBlue;
        nLevel = nPrevLevel;
        nValue = nPrevValue;
    }
    return true;
}

int SCREENCOLOR::Value() const
{
    const double p = nDuration > 0 ? static_cast<double>(nCounter) / nDuration : 1.0;
    const double v = bRestore ? p * (255 - nPrevValue) + nPrevValue : 255.0 - p * nLevel * 2.55;
    const int n = static_cast<int>(std::trunc(v));
    return n < 0 ? 0 : n > 255 ? 255 : n;
}

void SCREENCOLOR::Colour(std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) const
{
    r = bRestore ? byPrevRed : byRed;
    g = bRestore ? byPrevGreen : byGreen;
    b = bRestore ? byPrevBlue : byBlue;
}

void SCREENCOLOR::Advance(bool bDirect3D, bool& bFlashEnd)
{
    bFlashEnd = false;
    if (nCounter < nDuration) {
        ++nCounter;
    }
    if (nCounter < nDuration) {
        return;
    }
    if (bRestore) {
        bActive = 0;
    } else if (bFlash) {
        // The round ends on the untinted picture, which is then the strength a later restore
        // starts from.
        bFlashEnd = true;
        nCounter = 0;
        nValue = 255;
        if (++nRepeatsDone >= nRepeat) {
            bActive = 0;
        }
    } else if (!bDirect3D || nLevel == 0) {
        bActive = 0;
    }
}
