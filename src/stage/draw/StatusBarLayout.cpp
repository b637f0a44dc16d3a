#include "stage/draw/StatusBarLayout.h"

#include "core/TextHelpers.h"

namespace {

constexpr int kBarSpan = 638;
constexpr int kCharWidth = 16;
constexpr int kMaxDigits = 40;  // 640 pixels

bool IsGauge(int nItem)
{
    return nItem == HUD_HP || nItem == HUD_SP;
}

int EntryWidth(int nItem, const cHudItem& item)
{
    const int nHead = item.bIcon ? kCharWidth : kCharWidth * CountChars(item.strLabel.c_str());
    // A digit count from the settings file wider than the bar means nothing more than the bar.
    const int nDigits = item.nDigits < 0 ? 0 : item.nDigits > kMaxDigits ? kMaxDigits : item.nDigits;
    return nHead + (IsGauge(nItem) ? kGaugeWidth : kCharWidth * nDigits);
}

}  // namespace

std::vector<HUDSLOT> LayoutStatusBar(const cVector<cHudItem>& items, int* pGap)
{
    std::vector<HUDSLOT> slots;
    int nSum = 0;
    const int nCount =
        static_cast<int>(items.size()) < HUD_ITEM_COUNT ? static_cast<int>(items.size()) : HUD_ITEM_COUNT;
    for (int i = 0; i < nCount; ++i) {
        const cHudItem& item = items[i];
        if (!item.bVisible) {
            continue;
        }
        HUDSLOT slot;
        slot.nItem = i;
        slot.nWidth = EntryWidth(i, item);
        nSum += slot.nWidth;
        slots.push_back(slot);
    }
    const int nGap = (kBarSpan - nSum) / (static_cast<int>(slots.size()) + 1);
    int x = nGap;
    for (HUDSLOT& slot : slots) {
        slot.x = x;
        x += slot.nWidth + nGap;
    }
    if (pGap != nullptr) {
        *pGap = nGap;
    }
    return slots;
}

int GaugeFillWidth(int nValue, int nMax)
{
    if (nMax <= 0) {
        return 0;
    }
    const long long w = static_cast<long long>(nValue) * kGaugeWidth / nMax;
    return w < 0 ? 0 : w > kGaugeWidth ? kGaugeWidth : static_cast<int>(w);
}
