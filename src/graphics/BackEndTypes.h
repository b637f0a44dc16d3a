// The state records of the two drawing back-ends and the channel layout of a pixel format.
#pragma once

#include <string>

#include "platform/d3d9/D3D9.h"
#include "platform/gdi/GdiTypes.h"

struct DDSURFACEDATA;

// Where the channels of a 16- or 32-bit pixel lie: value = (pixel >> shift) & maximum.
struct CHANNELINFO {
    DWORD dwShiftR = 0;
    DWORD dwShiftG = 0;
    DWORD dwShiftB = 0;
    DWORD dwShiftA = 0;
    DWORD dwMaxR = 0;
    DWORD dwMaxG = 0;
    DWORD dwMaxB = 0;
    DWORD dwMaxA = 0;
};

// The Direct3D back-end's state (lpDTCon while Direct3D is open).
struct DTCONTROL {
    D3DFORMAT BackBufferFormat = D3DFMT_UNKNOWN;  // X8R8G8B8; 16 bpp: R5G6B5 full screen, A1R5G5B5 window
    D3DFORMAT TextureFormat = D3DFMT_UNKNOWN;     // A8R8G8B8 at 32 bpp, A1R5G5B5 at 16 bpp
    D3DPRESENT_PARAMETERS PresentParameters;      // as given to CreateDevice; reused by Reset
    UINT nAdapter = D3DADAPTER_DEFAULT;
    D3DDEVTYPE DeviceType = D3DDEVTYPE_HAL;
    D3DFORMAT DisplayFormat = D3DFMT_UNKNOWN;  // copy of the present parameters' back-buffer format
    D3DCAPS9 Caps;
    int bPow2 = 0;        // textures need power-of-two sides
    int bSquareOnly = 0;  // textures must be square
    int bDynamicTextures = 0;
    int bVirBackBuffer = 0;  // drawing aimed at BackBuffer goes to VirBackBuffer
    // The render target the device rests on between draws: the surface that is not being drawn
    // into (BackBuffer while the virtual back buffer is on, VirBackBuffer while it is off), so
    // that VirBackBuffer is never the render target while it is sampled.
    DDSURFACEDATA* lpDefaultTarget = nullptr;
    int bFlushing = 0;          // DDFlushVirBackBuffer is drawing VirBackBuffer onto BackBuffer
    RGBTRIPLE rgbTransmit;      // the transparent colour (16 bpp: channel values 0..31)
    RGBTRIPLE rgbPalTransmit;   // the colour the 16-bit texture loads key out
    DWORD dwTransmitClear = 0;  // a transparent texel (alpha 0)
    DWORD dwTransmitARGB = 0;   // 0xFF000000 | red, green, blue of rgbTransmit (channel values at 16 bpp)
    WORD wTransmit_16 = 0;      // a transparent 16-bit texel
    WORD wTransmitKey_16 = 0;   // the transparent colour as an opaque A1R5G5B5 texel (16 bpp)
    int bInScene = 0;
    D3DCOLOR dwDiffuse = 0xFFFFFFFF;    // vertex colour of the next blits
    DWORD dwColorOp = D3DTOP_MODULATE;  // stage 0 colour operation of the next blits
    DWORD dwAlphaOp = D3DTOP_MODULATE;  // stage 0 alpha operation of the next blits
    int nSurfaceIndex = 0;              // creation counter of surfaces
    int nFontIndex = 0;                 // creation counter of fonts
    std::string strTextureError;        // text of the box shown when a texture cannot be created
};

// The DirectDraw back-end's state (lpDDCon while DirectDraw is open).
struct DDCONTROL {
    RGBTRIPLE rgbTransmit;     // the transparent colour
    RGBTRIPLE rgbPalTransmit;  // the colour the 16-bit bitmap loader keys out
    int nFontIndex = 0;
};
