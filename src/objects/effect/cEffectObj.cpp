#include "objects/effect/cEffectObj.h"

#include <cmath>

#include "platform/win/Random.h"
#include "project/DerivedTables.h"
#include "project/cDatabase.h"

namespace {

// The entry of a number: its low 16 bits, signed, through the checked access (a negative number
// is refused there).
const cDbEffect& EffectEntry(int nNumber)
{
    return Database.Effect[static_cast<std::int16_t>(nNumber)];
}

}  // namespace

cEffectObj::cEffectObj(int nNumber, double dX, double dY, int nWidth, int nHeight, int bKeepAdvancing)
    : number(nNumber), x(dX), y(dY), width(nWidth), height(nHeight), keepAdvancing(bKeepAdvancing)
{
    stretched = EffectEntry(nNumber).nCellWidth != nWidth ? 1 : 0;
    SetEffect(nNumber);
}

cEffectObj::cEffectObj(int nNumber, const double a[4], const double b[4], int k) : number(nNumber)
{
    const cDbEffect& entry = EffectEntry(nNumber);
    int m = 1;
    if (entry.bScalable && k > 1) {
        stretched = 1;
        width = k * entry.nCellWidth;
        height = k * entry.nCellHeight;
        m = k;
    } else {
        width = entry.nCellWidth;
        height = entry.nCellHeight;
        m = entry.bScalable ? k : 1;
    }
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    const bool overlap = a[0] <= b[2] && b[0] <= a[2] && a[1] <= b[3] && b[1] <= a[3];
    if (overlap) {
        left = std::fmax(a[0], b[0]);
        right = std::fmin(a[2], b[2]);
        top = std::fmax(a[1], b[1]);
        bottom = std::fmin(a[3], b[3]);
    }
    x = left + (static_cast<int>(right - left + 1) >> 1) - (width >> 1);
    y = top + (static_cast<int>(bottom - top + 1) >> 1) - (height >> 1);
    // A negative size factor would give a negative span: the span is kept at least 1.
    const int span = m < 0 ? 1 : 8 * m + 1;
    const int r1 = Rand();
    const int r2 = Rand();
    x += (r1 % span) - 4 * m;
    y += (r2 % span) - 4 * m;
    SetEffect(nNumber);
}

void cEffectObj::SetEffect(int nNumber)
{
    PatternTable table;
    table.push_back(EffectPattern[static_cast<std::int16_t>(nNumber)]);
    anime.SetPatterns(&table);
    anime.SetPattern(0, 1);
}

int cEffectObj::NextFrame(int bPaused)
{
    if (EffectEntry(number).FrameList.empty()) {
        return kOver;
    }
    if (keepAdvancing || !bPaused) {
        const int frame = anime.Step();
        return frame == kOver ? kOver : frame;
    }
    return anime.GetFrame();
}
