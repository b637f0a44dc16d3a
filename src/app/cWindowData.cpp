#include "app/cWindowData.h"

#include <algorithm>

#include "platform/win/Messages.h"
#include "platform/win/WorkArea.h"

cWindowData WindowData;

namespace {

constexpr int kDefaultClientWidth = 640;
constexpr int kDefaultClientHeight = 480;

// The corner's coordinate on one axis: the window inside [low, high) when it fits, else at low.
int KeepInside(int value, int outer, int low, int high)
{
    const int last = std::max(low, high - outer);
    return std::clamp(value, low, last);
}

}  // namespace

cWindowData::cWindowData()
{
    RegisterMembers(nDataVersion);
}

void cWindowData::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&x, 1);
    AddDwordMember(&y, 1);
    AddDwordMember(&nWidth, 1);
    AddDwordMember(&nHeight, 1);
    AddDwordMember(&bMaximized, 1);
}

int cWindowData::Load(FILE* fp)
{
    const int ok = cDataRecord::Load(fp);
    KeepOnWorkArea();
    return ok;
}

void cWindowData::KeepOnWorkArea()
{
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const int areaWidth = std::max<int>(area.right - area.left, kMinClient);
    const int areaHeight = std::max<int>(area.bottom - area.top, kMinClient);
    if (nWidth != 0) {
        nWidth = std::clamp<std::int32_t>(nWidth, kMinClient, areaWidth);
    }
    if (nHeight != 0) {
        nHeight = std::clamp<std::int32_t>(nHeight, kMinClient, areaHeight);
    }
    bMaximized = std::clamp<std::int32_t>(bMaximized, 0, 1);

    const int outerWidth = (nWidth != 0 ? nWidth : kDefaultClientWidth) + 2 * GetSystemMetrics(SM_CXDLGFRAME);
    const int outerHeight = (nHeight != 0 ? nHeight : kDefaultClientHeight) + GetSystemMetrics(SM_CYCAPTION) +
                            2 * GetSystemMetrics(SM_CYDLGFRAME);
    x = KeepInside(x, outerWidth, area.left, area.right);
    y = KeepInside(y, outerHeight, area.top, area.bottom);
}
