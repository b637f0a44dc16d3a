// DirectDraw 7 in software: the DirectDraw object.
//
// What the drawing back-end relies on: a cooperative level (normal for a window, exclusive full
// screen), display modes of 8, 16 and 32 bits, one primary surface (with a flip chain of back
// buffers in full screen), off-screen surfaces in video memory (a fixed budget) or system memory,
// palettes, clippers, the vertical blank of a 60 Hz display on timeGetTime's clock, and
// reference counts: every surface, palette and clipper holds a reference on the object, so the
// count left after releasing them all shows a leak.
//
// Every call is atomic (one lock for all DirectDraw objects); the main thread (window paint,
// palette messages) and the game thread (drawing, restore, flip) may call at the same time.
#pragma once

#include "platform/ddraw/DDrawFormat.h"
#include "platform/ddraw/DDrawTypes.h"
#include "platform/ddraw/DirectDrawClipper.h"
#include "platform/ddraw/DirectDrawPalette.h"
#include "platform/ddraw/DirectDrawSurface.h"

// Creates the DirectDraw object. lpGuid must be null (the default display) and iid
// IID_IDirectDraw7; pUnkOuter must be null.
HRESULT DirectDrawCreateEx(void* lpGuid, void** lplpDD, const DDInterfaceId& iid, void* pUnkOuter);

class IDirectDraw7 {
public:
    ULONG AddRef();
    // Returns the remaining count; the object is destroyed at 0.
    ULONG Release();

    // DDSCL_NORMAL (window), or DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN (with DDSCL_ALLOWREBOOT
    // allowed); exclusive mode needs a window.
    HRESULT SetCooperativeLevel(HWND hWnd, DWORD dwFlags);
    // Exclusive mode only. Sizes 320 x 240, 640 x 480, 800 x 600 or 1024 x 768; depths 8, 16
    // (565, or 555 by DDrawUse555) and 32; refresh 0 or 60 Hz; dwFlags 0.
    HRESULT SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP, DWORD dwRefreshRate, DWORD dwFlags);
    // Back to the desktop mode (size and depth of GetSystemFacts).
    HRESULT RestoreDisplayMode();

    // Creates (DDSD_CAPS required):
    // - DDSCAPS_PRIMARYSURFACE: the visible screen, display size and format; with DDSCAPS_FLIP |
    //   DDSCAPS_COMPLEX and DDSD_BACKBUFFERCOUNT 1..3 (exclusive mode only) a flip chain.
    // - DDSCAPS_OFFSCREENPLAIN with DDSD_WIDTH and DDSD_HEIGHT (1..16384): the display format,
    //   in video memory (DDERR_OUTOFVIDEOMEMORY past the budget) or with DDSCAPS_SYSTEMMEMORY.
    // The cooperative level must be set first. Pitches are wider than width x bytes per pixel.
    HRESULT CreateSurface(DDSURFACEDESC2* lpDesc, LPDIRECTDRAWSURFACE7* lplpSurface, void* pUnkOuter);
    // dwFlags must hold DDPCAPS_8BIT; lpEntries gives the 256 starting colours.
    HRESULT CreatePalette(DWORD dwFlags, const PALETTEENTRY* lpEntries, LPDIRECTDRAWPALETTE* lplpPalette,
                          void* pUnkOuter);
    HRESULT CreateClipper(DWORD dwFlags, LPDIRECTDRAWCLIPPER* lplpClipper, void* pUnkOuter);
    // Video memory in bytes: total budget and what is left (either pointer may be null).
    HRESULT GetAvailableVidMem(DDSCAPS2* lpCaps, DWORD* lpdwTotal, DWORD* lpdwFree);
    // 60 Hz.
    HRESULT GetMonitorFrequency(DWORD* lpdwFrequency);
    // DDWAITVB_BLOCKBEGIN or DDWAITVB_BLOCKEND: returns at the next vertical blank (the calling
    // thread sleeps; under the virtual clock the clock moves on instead).
    HRESULT WaitForVerticalBlank(DWORD dwFlags, HANDLE hEvent);
    // Makes the buffer that was the primary when the chain was created visible again (for a
    // message box over a full-screen game). DD_OK at once without a flip chain.
    HRESULT FlipToGDISurface();

    // Internal (DirectDraw stand-in, lock held).
    void AddRefLocked() { ++m_refCount; }
    ULONG ReleaseLocked();
    DDFormat DisplayFormat() const { return m_format; }
    IDirectDrawSurface7* Primary() const { return m_primary; }
    void SetPrimary(IDirectDrawSurface7* primary) { m_primary = primary; }

private:
    friend HRESULT DirectDrawCreateEx(void*, void**, const DDInterfaceId&, void*);
    IDirectDraw7();
    ~IDirectDraw7();
    HRESULT CreatePrimaryLocked(const DDSURFACEDESC2& desc, LPDIRECTDRAWSURFACE7* lplpSurface);
    HRESULT CreateOffscreenLocked(const DDSURFACEDESC2& desc, LPDIRECTDRAWSURFACE7* lplpSurface);

    ULONG m_refCount = 1;
    DWORD m_coopFlags = 0;
    HWND m_hWnd = nullptr;
    bool m_modeSet = false;
    int m_width = 0;
    int m_height = 0;
    DWORD m_refreshRate = 0;
    DDFormat m_format;
    IDirectDrawSurface7* m_primary = nullptr;  // not a reference: cleared when it is destroyed
};
