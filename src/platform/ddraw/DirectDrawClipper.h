// IDirectDrawClipper: limits blits onto the surface it is attached to. Bound to a window, the
// clip region is the window's client area in screen coordinates (the primary surface in window
// mode); without a window, the surface itself.
#pragma once

#include "platform/ddraw/DDrawTypes.h"

class IDirectDrawClipper {
public:
    ULONG AddRef();
    ULONG Release();
    // Binds the clipper to hWnd (dwFlags 0).
    HRESULT SetHWnd(DWORD dwFlags, HWND hWnd);
    HRESULT GetHWnd(HWND* lphWnd);

    // Internal (DirectDraw stand-in, lock held).
    explicit IDirectDrawClipper(IDirectDraw7* owner);
    void AddRefLocked() { ++m_refCount; }
    ULONG ReleaseLocked();
    HWND Window() const { return m_hWnd; }
    // The clip region on a surface of the given size: false when it is empty.
    bool ClipRect(int surfaceWidth, int surfaceHeight, RECT& out) const;

private:
    ~IDirectDrawClipper();

    IDirectDraw7* m_owner;
    ULONG m_refCount = 1;
    HWND m_hWnd = nullptr;
};
