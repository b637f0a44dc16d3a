// 16-bit pixel conversions of the Direct3D software paths (blits and fills through locks).
//
// Textures hold A1R5G5B5 (SurfaceChannels); the full-screen 16-bit back buffer holds R5G6B5
// (ScreenChannels), whose green has one bit more. The channel tables are set by DDInit.
#pragma once

#include "platform/d3d9/D3D9Types.h"

// A texel of the texture format as a pixel of the full-screen back buffer: each channel moved
// to its ScreenChannels position, green doubled (5 to 6 bits), no alpha.
WORD DDTextureToScreen16(WORD wTexel);
// An ARGB colour as a 16-bit pixel: each channel scaled to the SurfaceChannels maximum
// (value x max / 255). For the full-screen back buffer (bFullScreenBackBuffer) placed at the
// ScreenChannels positions with green doubled; otherwise at the SurfaceChannels positions with the
// alpha bit set when the colour's alpha is at least 128 (so that an opaque fill stays opaque).
WORD DDColorTo16(D3DCOLOR dwColor, bool bFullScreenBackBuffer);
