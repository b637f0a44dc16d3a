#include "platform/ddraw/DirectDraw.h"

#include <algorithm>
#include <memory>

#include "platform/ddraw/DDrawGlobal.h"
#include "platform/win/SystemInfo.h"

namespace {

constexpr DWORD kMaxSurfaceSide = 16384;
constexpr size_t kMaxSystemSurfaceBytes = 256u * 1024u * 1024u;

bool IsSupportedModeSize(DWORD w, DWORD h)
{
    return (w == 320 && h == 240) || (w == 640 && h == 480) || (w == 800 && h == 600) || (w == 1024 && h == 768);
}

DDFormat DesktopFormat()
{
    const int bpp = GetSystemFacts().desktopBitsPerPixel;
    return DDFormat::ForDepth(DDFormat::IsSupportedDepth(static_cast<DWORD>(bpp)) ? bpp : 32, DDraw().use555);
}

}  // namespace

HRESULT DirectDrawCreateEx(void* lpGuid, void** lplpDD, const DDInterfaceId& iid, void* pUnkOuter)
{
    if (lplpDD == nullptr) return DDERR_INVALIDPARAMS;
    *lplpDD = nullptr;
    if (lpGuid != nullptr || pUnkOuter != nullptr || iid.value != IID_IDirectDraw7.value) return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    if (DDrawFaultOn(DDrawFault::CreateEx)) return DDERR_GENERIC;
    *lplpDD = new IDirectDraw7();
    return DD_OK;
}

IDirectDraw7::IDirectDraw7()
{
    const SystemFacts& facts = GetSystemFacts();
    m_width = facts.desktopWidth;
    m_height = facts.desktopHeight;
    m_format = DesktopFormat();
    ++DDraw().liveObjects;
}

IDirectDraw7::~IDirectDraw7()
{
    --DDraw().liveObjects;
}

ULONG IDirectDraw7::AddRef()
{
    DDrawLock lock(DDraw().mutex);
    return ++m_refCount;
}

ULONG IDirectDraw7::Release()
{
    DDrawLock lock(DDraw().mutex);
    return ReleaseLocked();
}

ULONG IDirectDraw7::ReleaseLocked()
{
    const ULONG left = --m_refCount;
    if (left == 0) delete this;
    return left;
}

HRESULT IDirectDraw7::SetCooperativeLevel(HWND hWnd, DWORD dwFlags)
{
    const DWORD extras = DDSCL_ALLOWREBOOT | DDSCL_NOWINDOWCHANGES;
    const DWORD mode = dwFlags & ~extras;
    const bool exclusive = mode == (DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    if (!exclusive && mode != DDSCL_NORMAL) return DDERR_INVALIDPARAMS;
    if (exclusive && hWnd == nullptr) return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    if (DDrawFaultOn(DDrawFault::SetCooperativeLevel)) return DDERR_GENERIC;
    m_coopFlags = dwFlags;
    m_hWnd = hWnd;
    if (!exclusive && m_modeSet) {
        const SystemFacts& facts = GetSystemFacts();
        m_modeSet = false;
        m_width = facts.desktopWidth;
        m_height = facts.desktopHeight;
        m_format = DesktopFormat();
    }
    return DD_OK;
}

HRESULT IDirectDraw7::SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP, DWORD dwRefreshRate, DWORD dwFlags)
{
    DDrawLock lock(DDraw().mutex);
    if ((m_coopFlags & DDSCL_EXCLUSIVE) == 0) return DDERR_NOEXCLUSIVEMODE;
    if (DDrawFaultOn(dwRefreshRate != 0 ? DDrawFault::SetDisplayModeWithRefresh : DDrawFault::SetDisplayMode))
        return DDERR_INVALIDMODE;
    if (dwFlags != 0 || !IsSupportedModeSize(dwWidth, dwHeight) || !DDFormat::IsSupportedDepth(dwBPP) ||
        (dwRefreshRate != 0 && dwRefreshRate != 60))
        return DDERR_INVALIDMODE;
    m_modeSet = true;
    m_width = static_cast<int>(dwWidth);
    m_height = static_cast<int>(dwHeight);
    m_refreshRate = dwRefreshRate;
    m_format = DDFormat::ForDepth(static_cast<int>(dwBPP), DDraw().use555);
    return DD_OK;
}

HRESULT IDirectDraw7::RestoreDisplayMode()
{
    DDrawLock lock(DDraw().mutex);
    const SystemFacts& facts = GetSystemFacts();
    m_modeSet = false;
    m_width = facts.desktopWidth;
    m_height = facts.desktopHeight;
    m_refreshRate = 0;
    m_format = DesktopFormat();
    return DD_OK;
}

HRESULT IDirectDraw7::CreateSurface(DDSURFACEDESC2* lpDesc, LPDIRECTDRAWSURFACE7* lplpSurface, void* pUnkOuter)
{
    if (lplpSurface == nullptr) return DDERR_INVALIDPARAMS;
    *lplpSurface = nullptr;
    if (lpDesc == nullptr || lpDesc->dwSize != sizeof(DDSURFACEDESC2) || pUnkOuter != nullptr ||
        (lpDesc->dwFlags & DDSD_CAPS) == 0)
        return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    if (m_coopFlags == 0) return DDERR_NOCOOPERATIVELEVELSET;
    if (lpDesc->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) return CreatePrimaryLocked(*lpDesc, lplpSurface);
    return CreateOffscreenLocked(*lpDesc, lplpSurface);
}

HRESULT IDirectDraw7::CreatePrimaryLocked(const DDSURFACEDESC2& desc, LPDIRECTDRAWSURFACE7* lplpSurface)
{
    if (DDrawFaultOn(DDrawFault::CreatePrimary)) return DDERR_GENERIC;
    if (m_primary != nullptr) return DDERR_PRIMARYSURFACEALREADYEXISTS;
    const DWORD caps = desc.ddsCaps.dwCaps;
    int backBuffers = 0;
    if (caps & DDSCAPS_FLIP) {
        if ((caps & DDSCAPS_COMPLEX) == 0 || (desc.dwFlags & DDSD_BACKBUFFERCOUNT) == 0 || desc.dwBackBufferCount < 1 ||
            desc.dwBackBufferCount > 3)
            return DDERR_INVALIDPARAMS;
        if ((m_coopFlags & DDSCL_EXCLUSIVE) == 0) return DDERR_NOEXCLUSIVEMODE;
        backBuffers = static_cast<int>(desc.dwBackBufferCount);
    }
    const size_t bytesEach = static_cast<size_t>(m_format.PitchFor(m_width)) * m_height;
    if (bytesEach * (backBuffers + 1) > DDraw().videoBudget - std::min(DDraw().videoUsed, DDraw().videoBudget))
        return DDERR_OUTOFVIDEOMEMORY;

    const DWORD flipCaps = backBuffers > 0 ? (DDSCAPS_FLIP | DDSCAPS_COMPLEX) : 0;
    auto* primary =
        new IDirectDrawSurface7(this, m_format, m_width, m_height,
                                DDSCAPS_PRIMARYSURFACE | DDSCAPS_VISIBLE | DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM |
                                    flipCaps | (backBuffers > 0 ? DDSCAPS_FRONTBUFFER : 0));
    if (backBuffers > 0) {
        auto chain = std::make_shared<IDirectDrawSurface7::Chain>();
        chain->members.push_back(primary);
        for (int i = 0; i < backBuffers; ++i) {
            const DWORD backCaps =
                DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM | flipCaps | (i == 0 ? DDSCAPS_BACKBUFFER : 0);
            auto* back = new IDirectDrawSurface7(this, m_format, m_width, m_height, backCaps);
            back->ClearRefCountLocked();
            chain->members.push_back(back);
        }
        for (IDirectDrawSurface7* member : chain->members) member->SetChain(chain);
        chain->gdiBufferId = primary->BufferIdLocked();
    }
    m_primary = primary;
    *lplpSurface = primary;
    return DD_OK;
}

HRESULT IDirectDraw7::CreateOffscreenLocked(const DDSURFACEDESC2& desc, LPDIRECTDRAWSURFACE7* lplpSurface)
{
    const DWORD caps = desc.ddsCaps.dwCaps;
    if ((caps & DDSCAPS_OFFSCREENPLAIN) == 0 ||
        (desc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT))
        return DDERR_INVALIDPARAMS;
    const bool system = (caps & DDSCAPS_SYSTEMMEMORY) != 0;
    if (system && (caps & DDSCAPS_VIDEOMEMORY) != 0) return DDERR_INVALIDPARAMS;
    if (desc.dwWidth == 0 || desc.dwHeight == 0 || desc.dwWidth > kMaxSurfaceSide || desc.dwHeight > kMaxSurfaceSide)
        return DDERR_INVALIDPARAMS;
    if ((desc.dwFlags & DDSD_PIXELFORMAT) != 0) {
        const DDPIXELFORMAT want = desc.ddpfPixelFormat;
        const DDPIXELFORMAT have = m_format.ToPixelFormat();
        if (want.dwRGBBitCount != have.dwRGBBitCount || want.dwRBitMask != have.dwRBitMask ||
            want.dwGBitMask != have.dwGBitMask || want.dwBBitMask != have.dwBBitMask)
            return DDERR_INVALIDPIXELFORMAT;
    }
    const int width = static_cast<int>(desc.dwWidth);
    const int height = static_cast<int>(desc.dwHeight);
    const size_t bytes = static_cast<size_t>(m_format.PitchFor(width)) * height;
    if (system) {
        if (DDrawFaultOn(DDrawFault::CreateOffscreenSystem)) return DDERR_GENERIC;
        if (bytes > kMaxSystemSurfaceBytes) return DDERR_OUTOFMEMORY;
    } else {
        if (DDrawFaultOn(DDrawFault::CreateOffscreenVideo)) return DDERR_OUTOFVIDEOMEMORY;
        if (bytes > DDraw().videoBudget - std::min(DDraw().videoUsed, DDraw().videoBudget))
            return DDERR_OUTOFVIDEOMEMORY;
    }
    const DWORD memoryCaps = system ? DDSCAPS_SYSTEMMEMORY : (DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM);
    auto* surface = new IDirectDrawSurface7(this, m_format, width, height, DDSCAPS_OFFSCREENPLAIN | memoryCaps);
    if (desc.dwFlags & DDSD_CKSRCBLT) surface->SetSourceKeyLocked(desc.ddckCKSrcBlt);
    *lplpSurface = surface;
    return DD_OK;
}

HRESULT IDirectDraw7::CreatePalette(DWORD dwFlags, const PALETTEENTRY* lpEntries, LPDIRECTDRAWPALETTE* lplpPalette,
                                    void* pUnkOuter)
{
    if (lplpPalette == nullptr) return DDERR_INVALIDPARAMS;
    *lplpPalette = nullptr;
    if ((dwFlags & DDPCAPS_8BIT) == 0 || lpEntries == nullptr || pUnkOuter != nullptr) return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    if (DDrawFaultOn(DDrawFault::CreatePalette)) return DDERR_GENERIC;
    *lplpPalette = new IDirectDrawPalette(this, lpEntries);
    return DD_OK;
}

HRESULT IDirectDraw7::CreateClipper(DWORD dwFlags, LPDIRECTDRAWCLIPPER* lplpClipper, void* pUnkOuter)
{
    if (lplpClipper == nullptr) return DDERR_INVALIDPARAMS;
    *lplpClipper = nullptr;
    if (dwFlags != 0 || pUnkOuter != nullptr) return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    if (DDrawFaultOn(DDrawFault::CreateClipper)) return DDERR_GENERIC;
    *lplpClipper = new IDirectDrawClipper(this);
    return DD_OK;
}

HRESULT IDirectDraw7::GetAvailableVidMem(DDSCAPS2*, DWORD* lpdwTotal, DWORD* lpdwFree)
{
    DDrawLock lock(DDraw().mutex);
    const size_t total = DDraw().videoBudget;
    const size_t used = std::min(DDraw().videoUsed, total);
    if (lpdwTotal != nullptr) *lpdwTotal = static_cast<DWORD>(std::min<size_t>(total, 0xFFFFFFFFu));
    if (lpdwFree != nullptr) *lpdwFree = static_cast<DWORD>(std::min<size_t>(total - used, 0xFFFFFFFFu));
    return DD_OK;
}

HRESULT IDirectDraw7::GetMonitorFrequency(DWORD* lpdwFrequency)
{
    if (lpdwFrequency == nullptr) return DDERR_INVALIDPARAMS;
    *lpdwFrequency = 60;
    return DD_OK;
}

HRESULT IDirectDraw7::WaitForVerticalBlank(DWORD dwFlags, HANDLE)
{
    if (dwFlags == DDWAITVB_BLOCKBEGINEVENT) return DDERR_UNSUPPORTED;
    if (dwFlags != DDWAITVB_BLOCKBEGIN && dwFlags != DDWAITVB_BLOCKEND) return DDERR_INVALIDPARAMS;
    DDrawWaitForVBlank();
    return DD_OK;
}

HRESULT IDirectDraw7::FlipToGDISurface()
{
    DDrawLock lock(DDraw().mutex);
    if (DDrawFaultOn(DDrawFault::FlipToGDISurface)) return DDERR_GENERIC;
    if (m_primary == nullptr) return DD_OK;
    return m_primary->FlipToGdiLocked(lock);
}
