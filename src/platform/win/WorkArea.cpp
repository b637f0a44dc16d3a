#include "platform/win/WorkArea.h"

#include <mutex>

#include "platform/hostapi/UsableDisplayArea.h"
#include "platform/win/SystemInfo.h"

namespace {

std::mutex g_mutex;  // guards g_area
RECT g_area{};       // empty: ask the display

}  // namespace

BOOL SystemParametersInfoA(UINT uiAction, UINT, void* pvParam, UINT)
{
    if (uiAction != SPI_GETWORKAREA || pvParam == nullptr) {
        return FALSE;
    }
    RECT area;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        area = g_area;
    }
    if (area.right <= area.left || area.bottom <= area.top) {
        DisplayArea usable;
        if (QueryUsableDisplayArea(usable)) {
            area = RECT{usable.left, usable.top, usable.right, usable.bottom};
        } else {
            const SystemFacts& facts = GetSystemFacts();
            area = RECT{0, 0, facts.desktopWidth, facts.desktopHeight};
        }
    }
    *static_cast<RECT*>(pvParam) = area;
    return TRUE;
}

void SetWorkArea(const RECT& area)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_area = area;
}
