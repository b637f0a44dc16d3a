// Blits: a rectangle of one surface drawn onto another, on either back-end.
//
// Conventions of every blit:
// - The target rectangle x, y, width, height and the source rectangle sx, sy, source width,
//   source height are in pixels of the pictures (nWidth x nHeight, never texture sizes).
// - Flags 0 copy opaquely; flags 1 key out the source's transparent colour.
// - Direct3D draws a negative source width (height) mirrored left-right (top-bottom), and a blit
//   from a pre-mirrored built-in slot becomes a negative width on the texture the slot shares.
//   DirectDraw mirrors only through the pre-mirrored slots: a negative source size draws nothing.
// - Target and source are redirected to the surface they share and, with the virtual back buffer
//   on, from BackBuffer to VirBackBuffer.
// - Clipping keeps every pixel where the unclipped blit would have put it: a rectangle reaching
//   out of the target or the source on any side is shortened on that side.
//
// All blits run on the game thread (the main thread only inside the device restore).
#pragma once

#include "graphics/DDSurfaceData.h"
#include "platform/d3d9/D3D9Types.h"

// The blend state of one blit (Direct3D; DirectDraw ignores it).
struct BLENDSTATE {
    D3DCOLOR dwDiffuse = 0xFFFFFFFF;  // vertex colour of the quad
    DWORD dwColorOp = 4;              // texture stage 0 colour operation (D3DTOP_MODULATE)
};

// Same-size blit of sx, sy, width x height of lpSrc to x, y of lpDst. nFlags 0 or 1 (above).
// FALSE when a surface is missing or the device refused; TRUE otherwise, also when clipping left
// nothing to draw.
BOOL DDBlt(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx, int sy,
           int nFlags);
// Stretched blit: the source rectangle sx, sy, nSrcWidth x nSrcHeight (negative: mirrored, Direct3D)
// scaled onto the target rectangle. Direct3D draws a textured quad when the target is a render
// target and the source lives in video memory (recorded instead while the sprite batch is open),
// and copies pixels through locks otherwise. Result as DDBlt.
BOOL DDStretchBlt(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx, int sy,
                  int nSrcWidth, int nSrcHeight, int nFlags);
// DDBlt / DDStretchBlt with the diffuse colour and colour operation of *lpBlend for this blit only
// (Direct3D). The blend state is back at its defaults afterwards.
BOOL DDBltColorOp(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx, int sy,
                  int nFlags, const BLENDSTATE* lpBlend);
BOOL DDStretchBltColorOp(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx,
                         int sy, int nSrcWidth, int nSrcHeight, int nFlags, const BLENDSTATE* lpBlend);

// Clips a blit's rectangles against the target and source pictures (in place). Same size: both
// rectangles shrink together. Stretched: the target follows the clipped source in proportion;
// Direct3D leaves the target unclipped (the rasteriser clips it), DirectDraw clips it with the
// source following in proportion. DirectDraw refuses a negative source size. FALSE when nothing
// is left to draw.
BOOL DDClipBltRect(DDSURFACEDATA* lpDst, int* x, int* y, int* nWidth, int* nHeight, DDSURFACEDATA* lpSrc, int* sx,
                   int* sy, int* nSrcWidth, int* nSrcHeight);
// Direct3D, a source that shares another's texture and has pre-mirrored frames (nMirrorW/H):
// turns the rectangle of a mirrored frame into the reversed rectangle on the shared texture
// (negative width or height). No effect otherwise.
void DDMirrorSrcRect(DDSURFACEDATA* lpSrc, int* sx, int* sy, int* nSrcWidth, int* nSrcHeight);
