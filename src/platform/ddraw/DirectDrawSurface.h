// IDirectDrawSurface7: a picture in one of the DirectDraw formats (DDrawFormat.h), in software.
//
// Rules the drawing back-end relies on:
// - Rows are lPitch bytes apart, and lPitch is always wider than width x bytes per pixel.
// - Rectangles are {left, top, right, bottom} with right and bottom excluded. An empty or
//   inverted rectangle, or one reaching outside its surface, is refused with DDERR_INVALIDRECT
//   and nothing is drawn; only a destination with a clipper is clipped instead.
// - Source colour key: a source pixel whose raw value (32 bits: without the fourth byte) lies in
//   the key's range, one value for SetColorKey without DDCKEY_COLORSPACE, is not drawn.
// - Blt stretches nearest-neighbour: destination column left + i takes source column
//   srcLeft + floor(i x srcWidth / dstWidth); rows alike.
// - A surface that is locked or has its DC out is busy: Lock, GetDC, Blt, BltFast and Flip on it
//   wait for the other thread with the WAIT flags, and fail with DDERR_SURFACEBUSY on the thread
//   that made it busy or without the flag.
// - A lost surface (DDrawLoseAllSurfaces) fails Lock, GetDC, Blt, BltFast and Flip with
//   DDERR_SURFACELOST until Restore, which fills it with bytes 0xA5.
// - The visible image: after every Flip, and after every Blt or BltFast onto the primary surface,
//   the visible picture (the front buffer, or with a window clipper the window's client area) is
//   composed as 0x00RRGGBB, 8-bit pixels through the primary's palette, straight into the host's
//   frame storage (DDrawLastVisibleImage reads it back for tests).
#pragma once

#include <array>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "platform/ddraw/DDrawFormat.h"
#include "platform/ddraw/DDrawTypes.h"
#include "platform/hostapi/Host.h"

class IDirectDrawSurface7 {
public:
    ULONG AddRef();
    // Returns this surface's remaining count. A flip chain is destroyed when every member's
    // count is 0; other surfaces at 0.
    ULONG Release();

    // The next surface of the flip chain whose caps include lpCaps->dwCaps (DDSCAPS_BACKBUFFER on
    // the primary gives the first back buffer), with a reference added.
    HRESULT GetAttachedSurface(DDSCAPS2* lpCaps, LPDIRECTDRAWSURFACE7* lplpAttached);
    // Locks lpRect (null: the whole surface): lpDesc (dwSize set) receives size, lPitch, format
    // and lpSurface, the first byte of the rectangle. DDLOCK_WAIT waits for another thread.
    HRESULT Lock(RECT* lpRect, DDSURFACEDESC2* lpDesc, DWORD dwFlags, HANDLE hEvent);
    HRESULT Unlock(RECT* lpRect);
    // DDBLT_COLORFILL: fills lpDestRect (null: all) with lpFx->dwFillColor (a raw pixel).
    // Otherwise copies lpSrcRect (null: all) of lpSrc onto lpDestRect, stretched when the sizes
    // differ; DDBLT_KEYSRC keys out the source's colour key. Both surfaces must have one format.
    HRESULT Blt(RECT* lpDestRect, IDirectDrawSurface7* lpSrc, RECT* lpSrcRect, DWORD dwFlags, DDBLTFX* lpFx);
    // Copies lpSrcRect (null: all) of lpSrc to (dwX, dwY) 1:1; both rectangles must lie inside
    // their surfaces (no clipping). DDBLTFAST_SRCCOLORKEY keys out the source's colour key.
    HRESULT BltFast(DWORD dwX, DWORD dwY, IDirectDrawSurface7* lpSrc, RECT* lpSrcRect, DWORD dwTrans);
    // On the primary of a flip chain (lpOverride null): waits for the vertical blank (unless
    // DDFLIP_NOVSYNC), then the buffers move along the chain: the first back buffer's picture
    // becomes visible, the visible one goes to the last back buffer. Surface objects stay.
    HRESULT Flip(IDirectDrawSurface7* lpOverride, DWORD dwFlags);
    // DDCKEY_SRCBLT (with DDCKEY_COLORSPACE for a range); lpKey null removes the key.
    HRESULT SetColorKey(DWORD dwFlags, DDCOLORKEY* lpKey);
    HRESULT GetColorKey(DWORD dwFlags, DDCOLORKEY* lpKey);
    // 8-bit surfaces only; null detaches. The primary's palette colours the visible image and
    // the GDI drawing into 8-bit surfaces.
    HRESULT SetPalette(IDirectDrawPalette* lpPalette);
    HRESULT GetPalette(LPDIRECTDRAWPALETTE* lplpPalette);
    HRESULT SetClipper(IDirectDrawClipper* lpClipper);
    HRESULT GetClipper(LPDIRECTDRAWCLIPPER* lplpClipper);
    // A GDI device context drawing into the surface (platform/gdi), until ReleaseDC.
    HRESULT GetDC(HDC* lphDC);
    HRESULT ReleaseDC(HDC hDC);
    // DDERR_SURFACELOST or DD_OK.
    HRESULT IsLost();
    // Gives a lost surface (and the rest of its flip chain) its memory back, content 0xA5 bytes.
    HRESULT Restore();
    HRESULT GetSurfaceDesc(DDSURFACEDESC2* lpDesc);
    HRESULT GetPixelFormat(DDPIXELFORMAT* lpFormat);

    // Internal (DirectDraw stand-in, lock held).
    struct Chain;
    IDirectDrawSurface7(IDirectDraw7* owner, const DDFormat& format, int width, int height, DWORD caps);
    static void DestroyChainLocked(const std::shared_ptr<Chain>& chain);
    void SetChain(std::shared_ptr<Chain> chain) { m_chain = std::move(chain); }
    void SetSourceKeyLocked(const DDCOLORKEY& key);
    ULONG RefCountLocked() const { return m_refCount; }
    void AddRefLocked() { ++m_refCount; }
    // A back buffer made with its chain starts with no reference of the caller's.
    void ClearRefCountLocked() { m_refCount = 0; }
    void MarkLostLocked() { m_lost = true; }
    size_t VideoBytes() const { return (m_caps & DDSCAPS_VIDEOMEMORY) ? m_pixels.size() : 0; }
    DWORD RawPixelLocked(int x, int y) const;
    int BufferIdLocked() const { return m_bufferId; }
    // Moves the chain's buffers until the one visible at creation is visible again; the new
    // visible image is published when anything moved.
    HRESULT FlipToGdiLocked(std::unique_lock<std::mutex>& lock);
    void DestroyLocked();

private:
    ~IDirectDrawSurface7() = default;
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsBusy() const { return m_busy != Busy::None; }
    bool IsPrimary() const { return (m_caps & DDSCAPS_PRIMARYSURFACE) != 0; }
    // DD_OK once none of the surfaces is busy; waits for other threads when bWait.
    static HRESULT WaitNotBusyLocked(std::unique_lock<std::mutex>& lock, std::span<IDirectDrawSurface7* const> surfaces,
                                     bool bWait);
    HRESULT WaitNotBusyLocked(std::unique_lock<std::mutex>& lock, IDirectDrawSurface7* other, bool bWait)
    {
        IDirectDrawSurface7* const both[2] = {this, other};
        return WaitNotBusyLocked(lock, std::span<IDirectDrawSurface7* const>(both, other != nullptr ? 2 : 1), bWait);
    }
    std::vector<IDirectDrawSurface7*> ChainOrSelf() const;
    int PaletteColoursLocked(std::array<RGBQUAD, 256>& out) const;
    HRESULT BltCopyLocked(const RECT& dst, const RECT& clip, IDirectDrawSurface7& src, const RECT& srcRect,
                          bool bKeyed);
    HRESULT DestClipLocked(const RECT& dst, RECT& clip) const;
    // The visible part of this primary surface (the client area with a window clipper, else all
    // of it); false when nothing is visible.
    bool VisibleRectLocked(RECT& r) const;
    // The pixels of r (from VisibleRectLocked) as 0x00RRGGBB into out, rows r's width apart.
    void ComposeVisibleLocked(const RECT& r, std::uint32_t* out) const;
    // Composes the visible image straight into the host's frame storage.
    void PublishVisibleLocked() const;
    void RotateChainLocked();
    void FillDescLocked(DDSURFACEDESC2& desc) const;

    enum class Busy { None, Locked, Dc };

    IDirectDraw7* m_owner;
    ULONG m_refCount = 1;
    DDFormat m_format;
    int m_width;
    int m_height;
    LONG m_pitch;
    DWORD m_caps;
    std::vector<BYTE> m_pixels;
    int m_bufferId;
    std::shared_ptr<Chain> m_chain;  // flip chain members, null for a single surface
    bool m_lost = false;
    Busy m_busy = Busy::None;
    std::thread::id m_busyOwner;
    HDC m_dc = nullptr;
    bool m_hasSrcKey = false;
    DDCOLORKEY m_srcKey;
    IDirectDrawPalette* m_palette = nullptr;
    IDirectDrawClipper* m_clipper = nullptr;
};

// A flip chain: the primary first, then its back buffers.
struct IDirectDrawSurface7::Chain {
    std::vector<IDirectDrawSurface7*> members;
    int gdiBufferId = 0;  // the buffer visible when the chain was created
};
