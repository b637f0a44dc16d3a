// Opening the DirectDraw 7 back-end: exclusive full screen with a flip chain, or a window with a
// primary surface, an off-screen back buffer and a clipper.
#include "core/ReportLog.h"
#include "graphics/BackEnd.h"
#include "graphics/Surfaces.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Messages.h"

namespace {

enum InitResult {
    kOk = 0,
    kCreateEx = 1,
    kSetCoopLevel = 2,
    kSetDisplayMode = 3,
    kCreateSurface = 4,
    kGetAttached = 5,
    kCreatePalette = 6,
    kSetPalette = 7,
    kClipper = 10,
    kSetHWnd = 11,
    kSetClipper = 12,
};

void SetScreenSizes(int nWidth, int nHeight)
{
    PrimarySD.nWidth = BackBuffer.nWidth = ScreenCopySD.nWidth = nWidth;
    PrimarySD.nHeight = BackBuffer.nHeight = ScreenCopySD.nHeight = nHeight;
    PrimarySD.nTexWidth = BackBuffer.nTexWidth = nWidth;
    PrimarySD.nTexHeight = BackBuffer.nTexHeight = nHeight;
    PrimarySD.bSystemMemory = 0;
    BackBuffer.bSystemMemory = 0;
    ScreenCopySD.bSystemMemory = 1;
    BackBuffer.szSurfaceType = "BackBuffer";
}

int CreateDirectDraw(HWND hWnd, DWORD dwCoopFlags)
{
    if (FAILED(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&lpDD), IID_IDirectDraw7, nullptr))) {
        lpDD = nullptr;
        ReportLog("DirectDrawCreateEx Err");
        return kCreateEx;
    }
    if (FAILED(lpDD->SetCooperativeLevel(hWnd, dwCoopFlags))) {
        ReportLog("SetCooperativeLevel Err");
        return kSetCoopLevel;
    }
    return kOk;
}

int SetFullScreenMode(int nWidth, int nHeight, int nBpp)
{
    const DWORD w = static_cast<DWORD>(nWidth);
    const DWORD h = static_cast<DWORD>(nHeight);
    const DWORD bpp = static_cast<DWORD>(nBpp);
    HRESULT hr = DDERR_GENERIC;
    if (bUseRefreshRate) hr = lpDD->SetDisplayMode(w, h, bpp, static_cast<DWORD>(nRefreshRate), 0);
    if (FAILED(hr)) hr = lpDD->SetDisplayMode(w, h, bpp, 0, 0);
    if (FAILED(hr)) {
        ReportLog("SetDisplayMode Err");
        return kSetDisplayMode;
    }
    return kOk;
}

int CreatePrimary(DWORD dwCaps, DWORD dwBackBufferCount)
{
    DDSURFACEDESC2 desc;
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | (dwBackBufferCount > 0 ? DDSD_BACKBUFFERCOUNT : 0);
    desc.ddsCaps.dwCaps = dwCaps;
    desc.dwBackBufferCount = dwBackBufferCount;
    DDAllocSurfaceData(&PrimarySD);
    if (FAILED(lpDD->CreateSurface(&desc, &PrimarySD.lpDDS->lpDDSurface, nullptr))) {
        PrimarySD.lpDDS->lpDDSurface = nullptr;
        ReportLog("Primary CreateSurface Err");
        return kCreateSurface;
    }
    return kOk;
}

int AttachBackBuffer()
{
    DDSCAPS2 caps;
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    DDAllocSurfaceData(&BackBuffer);
    if (FAILED(PrimarySD.lpDDS->lpDDSurface->GetAttachedSurface(&caps, &BackBuffer.lpDDS->lpDDSurface))) {
        BackBuffer.lpDDS->lpDDSurface = nullptr;
        ReportLog("GetAttachedSurface Err");
        return kGetAttached;
    }
    return kOk;
}

// The palette until the game's own is loaded. bSystemColours keeps entries 0-9 and 246-255 for the
// desktop (window mode).
int CreateStartPalette(bool bSystemColours, bool bAttach)
{
    PALETTEENTRY entries[256];
    for (int i = 0; i < 256; ++i) {
        const BYTE v = static_cast<BYTE>(i);
        if (bSystemColours && (i < 10 || i >= 246)) {
            entries[i] = PALETTEENTRY{v, 0, 0, PC_EXPLICIT};
        } else {
            entries[i] = PALETTEENTRY{v, v, 0, PC_RESERVED};
        }
    }
    if (!bSystemColours) entries[0].peBlue = 255;
    if (FAILED(lpDD->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &lpDDPalette, nullptr))) {
        lpDDPalette = nullptr;
        ReportLog("CreatePalette Err");
        return kCreatePalette;
    }
    if (bAttach) {
        if (FAILED(PrimarySD.lpDDS->lpDDSurface->SetPalette(lpDDPalette))) {
            ReportLog("SetPalette Err");
            return kSetPalette;
        }
    } else {
        DDGetMaskShift(&SurfaceChannels);
    }
    return kOk;
}

int CreateClipper(HWND hWnd)
{
    if (FAILED(lpDD->CreateClipper(0, &lpDDClipper, nullptr))) {
        lpDDClipper = nullptr;
        ReportLog("CreateClipper Err");
        return kClipper;
    }
    if (FAILED(lpDDClipper->SetHWnd(0, hWnd))) {
        ReportLog("SetHWnd Err");
        return kSetHWnd;
    }
    if (FAILED(PrimarySD.lpDDS->lpDDSurface->SetClipper(lpDDClipper))) {
        ReportLog("SetClipper Err");
        return kSetClipper;
    }
    return kOk;
}

int DesktopBitsPerPixel(HWND hWnd)
{
    HDC hdc = GetDC(hWnd);
    const int bits = GetDeviceCaps(hdc, BITSPIXEL);
    ReleaseDC(hWnd, hdc);
    return bits;
}

// The number of zero bits below the lowest set bit of mask, counted up to nBits.
DWORD ShiftOf(DWORD mask, DWORD nBits)
{
    DWORD shift = 0;
    while (shift < nBits && shift < 32 && (mask & (1u << shift)) == 0) ++shift;
    return shift;
}

}  // namespace

int DDInitFullScreen(HWND hWnd, int nWidth, int nHeight, int nBpp, int nBackMode)
{
    SetScreenSizes(nWidth, nHeight);
    if (int r = CreateDirectDraw(hWnd, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT); r != kOk) return r;
    if (int r = SetFullScreenMode(nWidth, nHeight, nBpp); r != kOk) return r;
    const DWORD backBuffers = nBackMode == 1 ? 1 : 2;
    if (int r = CreatePrimary(DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX, backBuffers); r != kOk) return r;
    if (int r = AttachBackBuffer(); r != kOk) return r;
    if (!DDCreateSurface(&ScreenCopySD, nWidth, nHeight, 0, 1, DTMEMORYTYPE_VIDEO_RT, 0, 0)) return kCreateSurface;
    if (int r = CreateStartPalette(false, nBpp <= 8); r != kOk) return r;
    while (ShowCursor(FALSE) >= 0) {
    }
    return kOk;
}

int DDInitWindow(HWND hWnd)
{
    RECT client;
    GetClientRect(hWnd, &client);
    POINT topLeft{client.left, client.top};
    ClientToScreen(hWnd, &topLeft);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    rcClient = RECT{topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + height};
    SetScreenSizes(width, height);
    const int nDesktopBits = DesktopBitsPerPixel(hWnd);

    if (int r = CreateDirectDraw(hWnd, DDSCL_NORMAL); r != kOk) return r;
    if (int r = CreatePrimary(DDSCAPS_PRIMARYSURFACE, 0); r != kOk) return r;
    if (!DDCreateSurface(&BackBuffer, width, height, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0)) return kCreateSurface;
    BackBuffer.szSurfaceType = "BackBuffer";
    if (!DDCreateSurface(&ScreenCopySD, width, height, 0, 1, DTMEMORYTYPE_VIDEO_RT, 0, 0)) return kCreateSurface;
    if (int r = CreateStartPalette(true, nDesktopBits <= 8); r != kOk) return r;
    if (int r = CreateClipper(hWnd); r != kOk) return r;
    while (ShowCursor(TRUE) < 0) {
    }
    return kOk;
}

void DDGetMaskShift(CHANNELINFO* lpChannels)
{
    if (lpChannels == nullptr || lpDTCon != nullptr || PrimarySD.lpDDS == nullptr ||
        PrimarySD.lpDDS->lpDDSurface == nullptr)
        return;
    DDPIXELFORMAT format;
    if (FAILED(PrimarySD.lpDDS->lpDDSurface->GetPixelFormat(&format))) return;
    const DWORD bits = format.dwRGBBitCount;
    lpChannels->dwShiftR = ShiftOf(format.dwRBitMask, bits);
    lpChannels->dwShiftG = ShiftOf(format.dwGBitMask, bits);
    lpChannels->dwShiftB = ShiftOf(format.dwBBitMask, bits);
    lpChannels->dwMaxR = lpChannels->dwShiftR < 32 ? format.dwRBitMask >> lpChannels->dwShiftR : 0;
    lpChannels->dwMaxG = lpChannels->dwShiftG < 32 ? format.dwGBitMask >> lpChannels->dwShiftG : 0;
    lpChannels->dwMaxB = lpChannels->dwShiftB < 32 ? format.dwBBitMask >> lpChannels->dwShiftB : 0;
}
