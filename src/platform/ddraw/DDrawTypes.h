// DirectDraw 7 result codes, flags and structures, as the drawing back-end uses them.
#pragma once

#include <cstdint>

#include "platform/gdi/GdiTypes.h"
#include "platform/win/WinTypes.h"

class IDirectDraw7;
class IDirectDrawSurface7;
class IDirectDrawPalette;
class IDirectDrawClipper;
using LPDIRECTDRAW7 = IDirectDraw7*;
using LPDIRECTDRAWSURFACE7 = IDirectDrawSurface7*;
using LPDIRECTDRAWPALETTE = IDirectDrawPalette*;
using LPDIRECTDRAWCLIPPER = IDirectDrawClipper*;
using LPPALETTEENTRY = PALETTEENTRY*;

// Interface identifiers accepted by DirectDrawCreateEx.
struct DDInterfaceId {
    DWORD value = 0;
};
inline constexpr DDInterfaceId IID_IDirectDraw7{7};

// Result codes.
constexpr HRESULT MakeDDResult(DWORD code)
{
    return static_cast<HRESULT>(0x88760000u | code);
}
constexpr HRESULT DD_OK = 0;
constexpr HRESULT DDERR_GENERIC = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT DDERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT DDERR_INVALIDPARAMS = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DDERR_UNSUPPORTED = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT DDERR_INVALIDOBJECT = MakeDDResult(130);
constexpr HRESULT DDERR_INVALIDMODE = MakeDDResult(120);
constexpr HRESULT DDERR_INVALIDPIXELFORMAT = MakeDDResult(145);
constexpr HRESULT DDERR_INVALIDRECT = MakeDDResult(150);
constexpr HRESULT DDERR_NOCLIPLIST = MakeDDResult(205);
constexpr HRESULT DDERR_NOCOLORKEY = MakeDDResult(215);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = MakeDDResult(225);
constexpr HRESULT DDERR_NOFLIPHW = MakeDDResult(230);
constexpr HRESULT DDERR_NOTFOUND = MakeDDResult(255);
constexpr HRESULT DDERR_OUTOFVIDEOMEMORY = MakeDDResult(380);
constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MakeDDResult(564);
constexpr HRESULT DDERR_SURFACEBUSY = MakeDDResult(430);
constexpr HRESULT DDERR_SURFACELOST = MakeDDResult(450);
constexpr HRESULT DDERR_WASSTILLDRAWING = MakeDDResult(540);
constexpr HRESULT DDERR_NOTFLIPPABLE = MakeDDResult(582);
constexpr HRESULT DDERR_NOTLOCKED = MakeDDResult(584);
constexpr HRESULT DDERR_NOPALETTEATTACHED = MakeDDResult(572);
constexpr HRESULT DDERR_NOCLIPPERATTACHED = MakeDDResult(574);
constexpr HRESULT DDERR_NOCOOPERATIVELEVELSET = MakeDDResult(212);
constexpr HRESULT DDERR_NODC = MakeDDResult(586);
constexpr HRESULT DDERR_CANTCREATEDC = MakeDDResult(588);
constexpr HRESULT DDERR_DCALREADYCREATED = MakeDDResult(620);

// SetCooperativeLevel.
constexpr DWORD DDSCL_FULLSCREEN = 0x00000001;
constexpr DWORD DDSCL_ALLOWREBOOT = 0x00000002;
constexpr DWORD DDSCL_NOWINDOWCHANGES = 0x00000004;
constexpr DWORD DDSCL_NORMAL = 0x00000008;
constexpr DWORD DDSCL_EXCLUSIVE = 0x00000010;

// DDSURFACEDESC2::dwFlags.
constexpr DWORD DDSD_CAPS = 0x00000001;
constexpr DWORD DDSD_HEIGHT = 0x00000002;
constexpr DWORD DDSD_WIDTH = 0x00000004;
constexpr DWORD DDSD_PITCH = 0x00000008;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x00000020;
constexpr DWORD DDSD_LPSURFACE = 0x00000800;
constexpr DWORD DDSD_PIXELFORMAT = 0x00001000;
constexpr DWORD DDSD_CKSRCBLT = 0x00010000;
constexpr DWORD DDSD_REFRESHRATE = 0x00040000;

// DDSCAPS2::dwCaps.
constexpr DWORD DDSCAPS_BACKBUFFER = 0x00000004;
constexpr DWORD DDSCAPS_COMPLEX = 0x00000008;
constexpr DWORD DDSCAPS_FLIP = 0x00000010;
constexpr DWORD DDSCAPS_FRONTBUFFER = 0x00000020;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x00000040;
constexpr DWORD DDSCAPS_PALETTE = 0x00000100;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000200;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x00000800;
constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x00004000;
constexpr DWORD DDSCAPS_VISIBLE = 0x00008000;
constexpr DWORD DDSCAPS_LOCALVIDMEM = 0x10000000;

// DDPIXELFORMAT::dwFlags.
constexpr DWORD DDPF_PALETTEINDEXED8 = 0x00000020;
constexpr DWORD DDPF_RGB = 0x00000040;

// Lock.
constexpr DWORD DDLOCK_WAIT = 0x00000001;
constexpr DWORD DDLOCK_READONLY = 0x00000010;
constexpr DWORD DDLOCK_WRITEONLY = 0x00000020;
constexpr DWORD DDLOCK_NOSYSLOCK = 0x00000800;

// Blt.
constexpr DWORD DDBLT_COLORFILL = 0x00000400;
constexpr DWORD DDBLT_KEYSRC = 0x00008000;
constexpr DWORD DDBLT_WAIT = 0x01000000;
constexpr DWORD DDBLT_DONOTWAIT = 0x08000000;

// BltFast.
constexpr DWORD DDBLTFAST_NOCOLORKEY = 0x00000000;
constexpr DWORD DDBLTFAST_SRCCOLORKEY = 0x00000001;
constexpr DWORD DDBLTFAST_DESTCOLORKEY = 0x00000002;
constexpr DWORD DDBLTFAST_WAIT = 0x00000010;
constexpr DWORD DDBLTFAST_DONOTWAIT = 0x00000020;

// Flip.
constexpr DWORD DDFLIP_WAIT = 0x00000001;
constexpr DWORD DDFLIP_NOVSYNC = 0x00000008;
constexpr DWORD DDFLIP_DONOTWAIT = 0x00000020;

// SetColorKey.
constexpr DWORD DDCKEY_COLORSPACE = 0x00000001;
constexpr DWORD DDCKEY_DESTBLT = 0x00000002;
constexpr DWORD DDCKEY_SRCBLT = 0x00000008;

// CreatePalette.
constexpr DWORD DDPCAPS_8BIT = 0x00000004;
constexpr DWORD DDPCAPS_ALLOW256 = 0x00000040;

// WaitForVerticalBlank.
constexpr DWORD DDWAITVB_BLOCKBEGIN = 0x00000001;
constexpr DWORD DDWAITVB_BLOCKBEGINEVENT = 0x00000002;
constexpr DWORD DDWAITVB_BLOCKEND = 0x00000004;

struct DDSCAPS2 {
    DWORD dwCaps = 0;
    DWORD dwCaps2 = 0;
    DWORD dwCaps3 = 0;
    DWORD dwCaps4 = 0;
};

// Source colour key: a pixel whose raw value lies in [low, high] is not drawn.
struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue = 0;
    DWORD dwColorSpaceHighValue = 0;
};

struct DDPIXELFORMAT {
    DWORD dwSize = sizeof(DDPIXELFORMAT);
    DWORD dwFlags = 0;  // DDPF_RGB, with DDPF_PALETTEINDEXED8 at 8 bits
    DWORD dwFourCC = 0;
    DWORD dwRGBBitCount = 0;  // 8, 16 or 32
    DWORD dwRBitMask = 0;
    DWORD dwGBitMask = 0;
    DWORD dwBBitMask = 0;
    DWORD dwRGBAlphaBitMask = 0;
};

// Description of a surface (CreateSurface, Lock, GetSurfaceDesc). dwSize must be
// sizeof(DDSURFACEDESC2).
struct DDSURFACEDESC2 {
    DWORD dwSize = 0;
    DWORD dwFlags = 0;
    DWORD dwHeight = 0;
    DWORD dwWidth = 0;
    LONG lPitch = 0;  // bytes from one row to the next; wider than width x bytes
    DWORD dwBackBufferCount = 0;
    DWORD dwRefreshRate = 0;
    DWORD dwAlphaBitDepth = 0;
    DWORD dwReserved = 0;
    void* lpSurface = nullptr;  // Lock: the first byte of the locked rectangle
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS2 ddsCaps;
    DWORD dwTextureStage = 0;
};
using LPDDSURFACEDESC2 = DDSURFACEDESC2*;

// Blt parameters; only the fill colour is read. dwSize must be sizeof(DDBLTFX).
struct DDBLTFX {
    DWORD dwSize = 0;
    DWORD dwDDFX = 0;
    DWORD dwROP = 0;
    DWORD dwFillColor = 0;  // DDBLT_COLORFILL: the raw pixel value written
    DDCOLORKEY ddckDestColorkey;
    DDCOLORKEY ddckSrcColorkey;
};
