#include "platform/ddraw/DDrawGlobal.h"

#include <algorithm>

#include "platform/ddraw/DirectDrawSurface.h"
#include "platform/win/HostLink.h"
#include "platform/win/Time.h"

DDrawGlobal& DDraw()
{
    static DDrawGlobal global;
    return global;
}

bool DDrawFaultOn(DDrawFault fault)
{
    return DDraw().faults[static_cast<int>(fault)];
}

void DDrawWaitForVBlank()
{
    if (!FramePaceKept()) {
        return;
    }
    const ULONGLONG now = timeGetTime();
    ULONGLONG k = now * 60 / 1000 + 1;
    while (k * 1000 / 60 <= now) ++k;
    Sleep(static_cast<DWORD>(k * 1000 / 60 - now));
}

void DDrawPublishVisibleLocked(int width, int height, const FrameWriter& compose)
{
    ++DDraw().visibleCount;
    standin::LinkedHost().WriteFrame(width, height, compose);
}

void DDrawSetFault(DDrawFault fault, bool bOn)
{
    if (fault == DDrawFault::Count) return;
    DDrawLock lock(DDraw().mutex);
    DDraw().faults[static_cast<int>(fault)] = bOn;
}

void DDrawLoseAllSurfaces()
{
    DDrawLock lock(DDraw().mutex);
    for (IDirectDrawSurface7* s : DDraw().surfaces) s->MarkLostLocked();
}

void DDrawSetVideoMemoryBudget(size_t bytes)
{
    DDrawLock lock(DDraw().mutex);
    DDraw().videoBudget = bytes;
}

size_t DDrawVideoMemoryUsed()
{
    DDrawLock lock(DDraw().mutex);
    return DDraw().videoUsed;
}

void DDrawUse555(bool bOn)
{
    DDrawLock lock(DDraw().mutex);
    DDraw().use555 = bOn;
}

void DDrawResetHooks()
{
    DDrawLock lock(DDraw().mutex);
    std::fill(std::begin(DDraw().faults), std::end(DDraw().faults), false);
    DDraw().videoBudget = kDefaultVideoMemoryBytes;
    DDraw().use555 = false;
}

size_t DDrawLiveObjectCount()
{
    DDrawLock lock(DDraw().mutex);
    return DDraw().liveObjects;
}

HostFrame DDrawLastVisibleImage()
{
    return standin::LinkedHost().LastFrame();
}

unsigned DDrawVisibleImageCount()
{
    DDrawLock lock(DDraw().mutex);
    return DDraw().visibleCount;
}

DWORD DDrawPeekPixel(IDirectDrawSurface7* lpSurface, int x, int y)
{
    if (lpSurface == nullptr) return 0;
    DDrawLock lock(DDraw().mutex);
    return lpSurface->RawPixelLocked(x, y);
}
