#include "platform/ddraw/DirectDrawClipper.h"

#include <algorithm>

#include "platform/ddraw/DDrawGlobal.h"
#include "platform/ddraw/DirectDraw.h"
#include "platform/win/Messages.h"

IDirectDrawClipper::IDirectDrawClipper(IDirectDraw7* owner) : m_owner(owner)
{
    m_owner->AddRefLocked();
    ++DDraw().liveObjects;
}

IDirectDrawClipper::~IDirectDrawClipper()
{
    --DDraw().liveObjects;
    m_owner->ReleaseLocked();
}

ULONG IDirectDrawClipper::AddRef()
{
    DDrawLock lock(DDraw().mutex);
    return ++m_refCount;
}

ULONG IDirectDrawClipper::Release()
{
    DDrawLock lock(DDraw().mutex);
    return ReleaseLocked();
}

ULONG IDirectDrawClipper::ReleaseLocked()
{
    const ULONG left = --m_refCount;
    if (left == 0) delete this;
    return left;
}

HRESULT IDirectDrawClipper::SetHWnd(DWORD dwFlags, HWND hWnd)
{
    if (dwFlags != 0) return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    if (DDrawFaultOn(DDrawFault::SetHWnd)) return DDERR_GENERIC;
    m_hWnd = hWnd;
    return DD_OK;
}

HRESULT IDirectDrawClipper::GetHWnd(HWND* lphWnd)
{
    if (lphWnd == nullptr) return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    *lphWnd = m_hWnd;
    return DD_OK;
}

bool IDirectDrawClipper::ClipRect(int surfaceWidth, int surfaceHeight, RECT& out) const
{
    RECT r{0, 0, surfaceWidth, surfaceHeight};
    if (m_hWnd != nullptr) {
        RECT client;
        POINT origin{0, 0};
        if (!GetClientRect(m_hWnd, &client) || !ClientToScreen(m_hWnd, &origin)) return false;
        r.left = std::max<LONG>(r.left, origin.x + client.left);
        r.top = std::max<LONG>(r.top, origin.y + client.top);
        r.right = std::min<LONG>(r.right, origin.x + client.right);
        r.bottom = std::min<LONG>(r.bottom, origin.y + client.bottom);
    }
    out = r;
    return r.left < r.right && r.top < r.bottom;
}
