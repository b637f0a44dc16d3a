#include "platform/ddraw/DirectDrawSurface.h"

#include <algorithm>
#include <cstring>

#include "platform/ddraw/DDrawGlobal.h"
#include "platform/ddraw/DirectDraw.h"
#include "platform/ddraw/SurfacePixels.h"
#include "platform/gdi/GdiDc.h"

namespace {

constexpr BYTE kRestoredByte = 0xA5;

bool IsValidRect(const RECT& r)
{
    return r.left < r.right && r.top < r.bottom;
}
bool IsInside(const RECT& r, int width, int height)
{
    return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height;
}
RECT WholeRect(int width, int height)
{
    return RECT{0, 0, width, height};
}
RECT Intersect(const RECT& a, const RECT& b)
{
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

}  // namespace

IDirectDrawSurface7::IDirectDrawSurface7(IDirectDraw7* owner, const DDFormat& format, int width, int height, DWORD caps)
    : m_owner(owner), m_format(format), m_width(width), m_height(height), m_pitch(format.PitchFor(width)), m_caps(caps),
      m_pixels(static_cast<size_t>(m_pitch) * height, 0), m_bufferId(DDraw().nextBufferId++)
{
    m_owner->AddRefLocked();
    DDraw().surfaces.push_back(this);
    DDraw().videoUsed += VideoBytes();
    ++DDraw().liveObjects;
}

void IDirectDrawSurface7::DestroyLocked()
{
    DDrawGlobal& g = DDraw();
    g.surfaces.erase(std::remove(g.surfaces.begin(), g.surfaces.end(), this), g.surfaces.end());
    g.videoUsed -= std::min(g.videoUsed, VideoBytes());
    --g.liveObjects;
    if (m_dc != nullptr) GdiDestroySurfaceDc(m_dc);
    if (m_busy != Busy::None) g.busyEnded.notify_all();
    if (m_palette != nullptr) m_palette->ReleaseLocked();
    if (m_clipper != nullptr) m_clipper->ReleaseLocked();
    if (m_owner->Primary() == this) m_owner->SetPrimary(nullptr);
    IDirectDraw7* owner = m_owner;
    delete this;
    owner->ReleaseLocked();
}

void IDirectDrawSurface7::DestroyChainLocked(const std::shared_ptr<Chain>& chain)
{
    const std::vector<IDirectDrawSurface7*> members = chain->members;
    for (IDirectDrawSurface7* m : members) {
        m->m_chain.reset();
        m->DestroyLocked();
    }
}

ULONG IDirectDrawSurface7::AddRef()
{
    DDrawLock lock(DDraw().mutex);
    return ++m_refCount;
}

ULONG IDirectDrawSurface7::Release()
{
    DDrawLock lock(DDraw().mutex);
    if (m_refCount == 0) return 0;  // a back buffer the caller never got a reference to
    const ULONG left = --m_refCount;
    if (m_chain) {
        for (IDirectDrawSurface7* m : m_chain->members) {
            if (m->m_refCount != 0) return left;
        }
        DestroyChainLocked(std::shared_ptr<Chain>(m_chain));
    } else if (left == 0) {
        DestroyLocked();
    }
    return left;
}

std::vector<IDirectDrawSurface7*> IDirectDrawSurface7::ChainOrSelf() const
{
    if (m_chain) return m_chain->members;
    return {const_cast<IDirectDrawSurface7*>(this)};
}

HRESULT IDirectDrawSurface7::WaitNotBusyLocked(std::unique_lock<std::mutex>& lock,
                                               std::span<IDirectDrawSurface7* const> surfaces, bool bWait)
{
    for (;;) {
        const IDirectDrawSurface7* busy = nullptr;
        for (const IDirectDrawSurface7* s : surfaces) {
            if (s != nullptr && s->IsBusy()) {
                busy = s;
                break;
            }
        }
        if (busy == nullptr) return DD_OK;
        if (!bWait || busy->m_busyOwner == std::this_thread::get_id()) return DDERR_SURFACEBUSY;
        DDraw().busyEnded.wait(lock);
    }
}

HRESULT IDirectDrawSurface7::GetAttachedSurface(DDSCAPS2* lpCaps, LPDIRECTDRAWSURFACE7* lplpAttached)
{
    if (lpCaps == nullptr || lplpAttached == nullptr) return DDERR_INVALIDPARAMS;
    *lplpAttached = nullptr;
    DDrawLock lock(DDraw().mutex);
    if (DDrawFaultOn(DDrawFault::GetAttachedSurface)) return DDERR_GENERIC;
    if (!m_chain) return DDERR_NOTFOUND;
    const auto& members = m_chain->members;
    const auto it = std::find(members.begin(), members.end(), this);
    const size_t next = (static_cast<size_t>(it - members.begin()) + 1) % members.size();
    IDirectDrawSurface7* attached = members[next];
    if ((attached->m_caps & lpCaps->dwCaps) != lpCaps->dwCaps) return DDERR_NOTFOUND;
    ++attached->m_refCount;
    *lplpAttached = attached;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Lock(RECT* lpRect, DDSURFACEDESC2* lpDesc, DWORD dwFlags, HANDLE)
{
    if (lpDesc == nullptr || lpDesc->dwSize != sizeof(DDSURFACEDESC2)) return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    if (DDrawFaultOn(DDrawFault::Lock)) return DDERR_GENERIC;
    if (m_lost) return DDERR_SURFACELOST;
    if (const HRESULT hr = WaitNotBusyLocked(lock, nullptr, (dwFlags & DDLOCK_WAIT) != 0); FAILED(hr)) return hr;
    if (m_lost) return DDERR_SURFACELOST;
    const RECT r = lpRect != nullptr ? *lpRect : WholeRect(m_width, m_height);
    if (!IsValidRect(r) || !IsInside(r, m_width, m_height)) return DDERR_INVALIDRECT;
    m_busy = Busy::Locked;
    m_busyOwner = std::this_thread::get_id();
    FillDescLocked(*lpDesc);
    lpDesc->dwFlags |= DDSD_LPSURFACE;
    lpDesc->lpSurface = m_pixels.data() + static_cast<size_t>(r.top) * m_pitch + r.left * m_format.BytesPerPixel();
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Unlock(RECT*)
{
    DDrawLock lock(DDraw().mutex);
    if (m_busy != Busy::Locked) return DDERR_NOTLOCKED;
    m_busy = Busy::None;
    DDraw().busyEnded.notify_all();
    return DD_OK;
}

HRESULT IDirectDrawSurface7::DestClipLocked(const RECT& dst, RECT& clip) const
{
    if (!IsValidRect(dst)) return DDERR_INVALIDRECT;
    if (m_clipper == nullptr) {
        if (!IsInside(dst, m_width, m_height)) return DDERR_INVALIDRECT;
        clip = dst;
        return DD_OK;
    }
    RECT region;
    if (!m_clipper->ClipRect(m_width, m_height, region)) region = RECT{0, 0, 0, 0};
    clip = Intersect(dst, region);
    return DD_OK;
}

HRESULT IDirectDrawSurface7::BltCopyLocked(const RECT& dst, const RECT& clip, IDirectDrawSurface7& src,
                                           const RECT& srcRect, bool bKeyed)
{
    if (!IsValidRect(clip)) return DD_OK;
    KeyRange key;
    const KeyRange* keyPtr = nullptr;
    if (bKeyed && src.m_hasSrcKey) {
        key.low = src.m_srcKey.dwColorSpaceLowValue;
        key.high = src.m_srcKey.dwColorSpaceHighValue;
        key.mask = m_format.ValueMask();
        keyPtr = &key;
    }
    const int bpp = m_format.BytesPerPixel();
    const PixelBlock d{m_pixels.data(), m_pitch, bpp};
    PixelBlock s{src.m_pixels.data(), src.m_pitch, bpp};
    std::vector<BYTE> snapshot;
    if (&src == this) {
        snapshot = m_pixels;  // source and destination may overlap
        s.base = snapshot.data();
    }
    const int dw = dst.right - dst.left;
    const int dh = dst.bottom - dst.top;
    if (dw == srcRect.right - srcRect.left && dh == srcRect.bottom - srcRect.top) {
        CopyPixels(d, clip.left, clip.top, s, srcRect.left + (clip.left - dst.left), srcRect.top + (clip.top - dst.top),
                   clip.right - clip.left, clip.bottom - clip.top, keyPtr);
    } else {
        StretchPixels(d, dst, clip, s, srcRect, keyPtr);
    }
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Blt(RECT* lpDestRect, IDirectDrawSurface7* lpSrc, RECT* lpSrcRect, DWORD dwFlags,
                                 DDBLTFX* lpFx)
{
    const bool bWait = (dwFlags & DDBLT_WAIT) != 0;
    {
        DDrawLock lock(DDraw().mutex);
        const RECT dst = lpDestRect != nullptr ? *lpDestRect : WholeRect(m_width, m_height);
        RECT clip;
        if (dwFlags & DDBLT_COLORFILL) {
            if (lpFx == nullptr || lpFx->dwSize != sizeof(DDBLTFX)) return DDERR_INVALIDPARAMS;
            if (const HRESULT hr = WaitNotBusyLocked(lock, nullptr, bWait); FAILED(hr)) return hr;
            if (m_lost) return DDERR_SURFACELOST;
            if (const HRESULT hr = DestClipLocked(dst, clip); FAILED(hr)) return hr;
            if (IsValidRect(clip))
                FillPixels(PixelBlock{m_pixels.data(), m_pitch, m_format.BytesPerPixel()}, clip, lpFx->dwFillColor);
        } else {
            if (lpSrc == nullptr) return DDERR_INVALIDPARAMS;
            if (const HRESULT hr = WaitNotBusyLocked(lock, lpSrc, bWait); FAILED(hr)) return hr;
            if (m_lost || lpSrc->m_lost) return DDERR_SURFACELOST;
            if (!(m_format == lpSrc->m_format)) return DDERR_INVALIDPIXELFORMAT;
            const RECT srcRect = lpSrcRect != nullptr ? *lpSrcRect : WholeRect(lpSrc->m_width, lpSrc->m_height);
            if (!IsValidRect(srcRect) || !IsInside(srcRect, lpSrc->m_width, lpSrc->m_height)) return DDERR_INVALIDRECT;
            if (const HRESULT hr = DestClipLocked(dst, clip); FAILED(hr)) return hr;
            BltCopyLocked(dst, clip, *lpSrc, srcRect, (dwFlags & DDBLT_KEYSRC) != 0);
        }
        if (IsPrimary()) PublishVisibleLocked();
    }
    return DD_OK;
}

HRESULT IDirectDrawSurface7::BltFast(DWORD dwX, DWORD dwY, IDirectDrawSurface7* lpSrc, RECT* lpSrcRect, DWORD dwTrans)
{
    if (lpSrc == nullptr) return DDERR_INVALIDPARAMS;
    if (dwTrans & DDBLTFAST_DESTCOLORKEY) return DDERR_UNSUPPORTED;
    {
        DDrawLock lock(DDraw().mutex);
        if (const HRESULT hr = WaitNotBusyLocked(lock, lpSrc, (dwTrans & DDBLTFAST_WAIT) != 0); FAILED(hr)) return hr;
        if (m_lost || lpSrc->m_lost) return DDERR_SURFACELOST;
        if (!(m_format == lpSrc->m_format)) return DDERR_INVALIDPIXELFORMAT;
        const RECT srcRect = lpSrcRect != nullptr ? *lpSrcRect : WholeRect(lpSrc->m_width, lpSrc->m_height);
        if (!IsValidRect(srcRect) || !IsInside(srcRect, lpSrc->m_width, lpSrc->m_height)) return DDERR_INVALIDRECT;
        const long long right = static_cast<long long>(dwX) + (srcRect.right - srcRect.left);
        const long long bottom = static_cast<long long>(dwY) + (srcRect.bottom - srcRect.top);
        if (right > m_width || bottom > m_height) return DDERR_INVALIDRECT;
        const RECT dst{static_cast<LONG>(dwX), static_cast<LONG>(dwY), static_cast<LONG>(right),
                       static_cast<LONG>(bottom)};
        BltCopyLocked(dst, dst, *lpSrc, srcRect, (dwTrans & DDBLTFAST_SRCCOLORKEY) != 0);
        if (IsPrimary()) PublishVisibleLocked();
    }
    return DD_OK;
}

void IDirectDrawSurface7::RotateChainLocked()
{
    auto& members = m_chain->members;
    for (size_t i = 0; i + 1 < members.size(); ++i) {
        std::swap(members[i]->m_pixels, members[i + 1]->m_pixels);
        std::swap(members[i]->m_bufferId, members[i + 1]->m_bufferId);
    }
}

HRESULT IDirectDrawSurface7::Flip(IDirectDrawSurface7* lpOverride, DWORD dwFlags)
{
    if (lpOverride != nullptr) return DDERR_INVALIDPARAMS;
    {
        DDrawLock lock(DDraw().mutex);
        if (!m_chain || m_chain->members.front() != this) return DDERR_NOTFLIPPABLE;
        for (const IDirectDrawSurface7* m : m_chain->members) {
            if (m->m_lost) return DDERR_SURFACELOST;
        }
    }
    if ((dwFlags & DDFLIP_NOVSYNC) == 0) DDrawWaitForVBlank();
    {
        DDrawLock lock(DDraw().mutex);
        if (!m_chain) return DDERR_NOTFLIPPABLE;
        const std::vector<IDirectDrawSurface7*> members = m_chain->members;
        if (const HRESULT hr = WaitNotBusyLocked(lock, members, (dwFlags & DDFLIP_DONOTWAIT) == 0); FAILED(hr))
            return hr;
        for (const IDirectDrawSurface7* m : members) {
            if (m->m_lost) return DDERR_SURFACELOST;
        }
        RotateChainLocked();
        PublishVisibleLocked();
    }
    return DD_OK;
}

HRESULT IDirectDrawSurface7::FlipToGdiLocked(std::unique_lock<std::mutex>& lock)
{
    if (!m_chain) return DD_OK;
    if (const HRESULT hr = WaitNotBusyLocked(lock, m_chain->members, true); FAILED(hr)) return hr;
    bool moved = false;
    for (size_t i = 0; i < m_chain->members.size() && m_bufferId != m_chain->gdiBufferId; ++i) {
        RotateChainLocked();
        moved = true;
    }
    if (moved) PublishVisibleLocked();
    return DD_OK;
}

void IDirectDrawSurface7::SetSourceKeyLocked(const DDCOLORKEY& key)
{
    m_hasSrcKey = true;
    m_srcKey = key;
    if (m_srcKey.dwColorSpaceHighValue < m_srcKey.dwColorSpaceLowValue)
        m_srcKey.dwColorSpaceHighValue = m_srcKey.dwColorSpaceLowValue;
}

HRESULT IDirectDrawSurface7::SetColorKey(DWORD dwFlags, DDCOLORKEY* lpKey)
{
    if ((dwFlags & ~(DDCKEY_SRCBLT | DDCKEY_COLORSPACE)) != 0) return DDERR_UNSUPPORTED;
    if ((dwFlags & DDCKEY_SRCBLT) == 0) return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    if (DDrawFaultOn(DDrawFault::SetColorKey)) return DDERR_GENERIC;
    if (lpKey == nullptr) {
        m_hasSrcKey = false;
        return DD_OK;
    }
    DDCOLORKEY key = *lpKey;
    if ((dwFlags & DDCKEY_COLORSPACE) == 0) key.dwColorSpaceHighValue = key.dwColorSpaceLowValue;
    SetSourceKeyLocked(key);
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetColorKey(DWORD dwFlags, DDCOLORKEY* lpKey)
{
    if (dwFlags != DDCKEY_SRCBLT || lpKey == nullptr) return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    if (!m_hasSrcKey) return DDERR_NOCOLORKEY;
    *lpKey = m_srcKey;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::SetPalette(IDirectDrawPalette* lpPalette)
{
    DDrawLock lock(DDraw().mutex);
    if (DDrawFaultOn(DDrawFault::SetPalette)) return DDERR_GENERIC;
    if (lpPalette != nullptr && m_format.bitCount != 8) return DDERR_INVALIDPIXELFORMAT;
    if (lpPalette == m_palette) return DD_OK;
    if (lpPalette != nullptr) lpPalette->AddRefLocked();
    if (m_palette != nullptr) m_palette->ReleaseLocked();
    m_palette = lpPalette;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetPalette(LPDIRECTDRAWPALETTE* lplpPalette)
{
    if (lplpPalette == nullptr) return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    *lplpPalette = m_palette;
    if (m_palette == nullptr) return DDERR_NOPALETTEATTACHED;
    m_palette->AddRefLocked();
    return DD_OK;
}

HRESULT IDirectDrawSurface7::SetClipper(IDirectDrawClipper* lpClipper)
{
    DDrawLock lock(DDraw().mutex);
    if (DDrawFaultOn(DDrawFault::SetClipper)) return DDERR_GENERIC;
    if (lpClipper == m_clipper) return DD_OK;
    if (lpClipper != nullptr) lpClipper->AddRefLocked();
    if (m_clipper != nullptr) m_clipper->ReleaseLocked();
    m_clipper = lpClipper;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetClipper(LPDIRECTDRAWCLIPPER* lplpClipper)
{
    if (lplpClipper == nullptr) return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    *lplpClipper = m_clipper;
    if (m_clipper == nullptr) return DDERR_NOCLIPPERATTACHED;
    m_clipper->AddRefLocked();
    return DD_OK;
}

int IDirectDrawSurface7::PaletteColoursLocked(std::array<RGBQUAD, 256>& out) const
{
    const IDirectDrawPalette* palette = m_palette;
    if (palette == nullptr && m_owner->Primary() != nullptr) palette = m_owner->Primary()->m_palette;
    for (size_t i = 0; i < out.size(); ++i) {
        if (palette != nullptr) {
            const PALETTEENTRY& e = palette->Entries()[i];
            out[i] = RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0};
        } else {
            const BYTE v = static_cast<BYTE>(i);  // no palette anywhere: a grey ramp
            out[i] = RGBQUAD{v, v, v, 0};
        }
    }
    return static_cast<int>(out.size());
}

HRESULT IDirectDrawSurface7::GetDC(HDC* lphDC)
{
    if (lphDC == nullptr) return DDERR_INVALIDPARAMS;
    *lphDC = nullptr;
    DDrawLock lock(DDraw().mutex);
    if (m_busy == Busy::Dc && m_busyOwner == std::this_thread::get_id()) return DDERR_DCALREADYCREATED;
    if (m_lost) return DDERR_SURFACELOST;
    if (const HRESULT hr = WaitNotBusyLocked(lock, nullptr, true); FAILED(hr)) return hr;
    if (m_lost) return DDERR_SURFACELOST;
    PixelView view;
    view.top = m_pixels.data();
    view.rowStep = m_pitch;
    view.width = m_width;
    view.height = m_height;
    view.bitCount = m_format.bitCount;
    view.red = ChannelMask::From(m_format.redMask);
    view.green = ChannelMask::From(m_format.greenMask);
    view.blue = ChannelMask::From(m_format.blueMask);
    GdiDc::PaletteSource palette = [this](std::array<RGBQUAD, 256>& out) {
        DDrawLock paletteLock(DDraw().mutex);
        return PaletteColoursLocked(out);
    };
    m_dc = GdiCreateSurfaceDc(view, std::move(palette));
    if (m_dc == nullptr) return DDERR_CANTCREATEDC;
    m_busy = Busy::Dc;
    m_busyOwner = std::this_thread::get_id();
    *lphDC = m_dc;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::ReleaseDC(HDC hDC)
{
    DDrawLock lock(DDraw().mutex);
    if (m_busy != Busy::Dc || hDC != m_dc) return DDERR_NODC;
    GdiDestroySurfaceDc(m_dc);
    m_dc = nullptr;
    m_busy = Busy::None;
    DDraw().busyEnded.notify_all();
    return DD_OK;
}

HRESULT IDirectDrawSurface7::IsLost()
{
    DDrawLock lock(DDraw().mutex);
    return m_lost ? DDERR_SURFACELOST : DD_OK;
}

HRESULT IDirectDrawSurface7::Restore()
{
    DDrawLock lock(DDraw().mutex);
    if (DDrawFaultOn(DDrawFault::Restore)) return DDERR_GENERIC;
    for (IDirectDrawSurface7* s : ChainOrSelf()) {
        if (!s->m_lost) continue;
        std::fill(s->m_pixels.begin(), s->m_pixels.end(), kRestoredByte);
        s->m_lost = false;
    }
    return DD_OK;
}

void IDirectDrawSurface7::FillDescLocked(DDSURFACEDESC2& desc) const
{
    desc = DDSURFACEDESC2{};
    desc.dwSize = sizeof(DDSURFACEDESC2);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc.dwWidth = static_cast<DWORD>(m_width);
    desc.dwHeight = static_cast<DWORD>(m_height);
    desc.lPitch = m_pitch;
    desc.ddpfPixelFormat = m_format.ToPixelFormat();
    desc.ddsCaps.dwCaps = m_caps;
    if (m_chain && m_chain->members.front() == this) {
        desc.dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = static_cast<DWORD>(m_chain->members.size() - 1);
    }
    if (m_hasSrcKey) {
        desc.dwFlags |= DDSD_CKSRCBLT;
        desc.ddckCKSrcBlt = m_srcKey;
    }
}

HRESULT IDirectDrawSurface7::GetSurfaceDesc(DDSURFACEDESC2* lpDesc)
{
    if (lpDesc == nullptr || lpDesc->dwSize != sizeof(DDSURFACEDESC2)) return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    FillDescLocked(*lpDesc);
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetPixelFormat(DDPIXELFORMAT* lpFormat)
{
    if (lpFormat == nullptr || lpFormat->dwSize != sizeof(DDPIXELFORMAT)) return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    *lpFormat = m_format.ToPixelFormat();
    return DD_OK;
}

DWORD IDirectDrawSurface7::RawPixelLocked(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    const BYTE* p = m_pixels.data() + static_cast<size_t>(y) * m_pitch + x * m_format.BytesPerPixel();
    DWORD v = 0;
    std::memcpy(&v, p, static_cast<size_t>(m_format.BytesPerPixel()));  // little-endian host
    return v;
}

namespace {

// One channel of a masked format read out as 0..255: a table for channels of up to 8 bits (the
// 16-bit formats), the scaled read otherwise.
struct ChannelReader {
    ChannelMask mask;
    std::array<DWORD, 256> table{};
    bool tabled = false;

    explicit ChannelReader(DWORD bits) : mask(ChannelMask::From(bits))
    {
        tabled = mask.max < table.size();
        for (DWORD v = 0; tabled && v <= mask.max; ++v) {
            table[v] = mask.ReadScaled(v << mask.shift);
        }
    }
    DWORD Read(DWORD raw) const { return tabled ? table[(raw & mask.mask) >> mask.shift] : mask.ReadScaled(raw); }
};

void ComposeRowsPalette(const BYTE* src, int pitch, int w, int h, const std::array<RGBQUAD, 256>& palette,
                        std::uint32_t* out)
{
    std::array<std::uint32_t, 256> xrgb{};
    for (size_t i = 0; i < xrgb.size(); ++i) {
        const RGBQUAD& q = palette[i];
        xrgb[i] =
            (static_cast<std::uint32_t>(q.rgbRed) << 16) | (static_cast<std::uint32_t>(q.rgbGreen) << 8) | q.rgbBlue;
    }
    for (int y = 0; y < h; ++y, src += pitch, out += w) {
        for (int x = 0; x < w; ++x) {
            out[x] = xrgb[src[x]];
        }
    }
}

void ComposeRows32(const BYTE* src, int pitch, int w, int h, std::uint32_t* out)
{
    // One pass: the fourth byte is cleared as the pixel is copied.
    for (int y = 0; y < h; ++y, src += pitch, out += w) {
        for (int x = 0; x < w; ++x) {
            std::uint32_t v = 0;
            std::memcpy(&v, src + static_cast<size_t>(x) * 4, 4);  // little-endian host
            out[x] = v & 0x00FFFFFFu;
        }
    }
}

void ComposeRowsMasked(const BYTE* src, int pitch, int bytes, int w, int h, const DDFormat& format, std::uint32_t* out)
{
    const ChannelReader red(format.redMask);
    const ChannelReader green(format.greenMask);
    const ChannelReader blue(format.blueMask);
    for (int y = 0; y < h; ++y, src += pitch, out += w) {
        const BYTE* p = src;
        for (int x = 0; x < w; ++x, p += bytes) {
            DWORD raw = 0;
            std::memcpy(&raw, p, static_cast<size_t>(bytes));  // little-endian host
            out[x] = (red.Read(raw) << 16) | (green.Read(raw) << 8) | blue.Read(raw);
        }
    }
}

}  // namespace

void IDirectDrawSurface7::PublishVisibleLocked() const
{
    RECT r{};
    if (!VisibleRectLocked(r)) return;
    DDrawPublishVisibleLocked(r.right - r.left, r.bottom - r.top,
                              [this, &r](std::uint32_t* out) { ComposeVisibleLocked(r, out); });
}

bool IDirectDrawSurface7::VisibleRectLocked(RECT& r) const
{
    r = WholeRect(m_width, m_height);
    if (m_clipper != nullptr && m_clipper->Window() != nullptr && !m_clipper->ClipRect(m_width, m_height, r))
        return false;
    return r.right > r.left && r.bottom > r.top;
}

void IDirectDrawSurface7::ComposeVisibleLocked(const RECT& r, std::uint32_t* out) const
{
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const int bytes = m_format.BytesPerPixel();
    const BYTE* src = m_pixels.data() + static_cast<size_t>(r.top) * m_pitch + static_cast<size_t>(r.left) * bytes;
    if (m_format.bitCount == 8) {
        std::array<RGBQUAD, 256> palette{};
        PaletteColoursLocked(palette);
        ComposeRowsPalette(src, m_pitch, w, h, palette, out);
    } else if (m_format.bitCount == 32) {
        ComposeRows32(src, m_pitch, w, h, out);
    } else {
        ComposeRowsMasked(src, m_pitch, bytes, w, h, m_format, out);
    }
}
