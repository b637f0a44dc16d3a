// Steps shared by the blits, the fills and the two batches (not for use outside that code).
// Direct3D only unless said otherwise; all of it on the thread that draws.
#pragma once

#include "graphics/DDSurfaceData.h"
#include "platform/d3d9/D3D9.h"

// The record a drawing operation really draws into or from: the surface whose texture it shares
// and, unless the virtual back buffer is being flushed, VirBackBuffer for BackBuffer while the
// virtual back buffer is on.
DDSURFACEDATA* DDRedirectForDrawing(DDSURFACEDATA* lpSD);

// Texture stage 0 of a textured quad: colour and alpha operations with argument 1 the texture and
// argument 2 the vertex colour.
void DDSetQuadStageStates(DWORD dwColorOp, DWORD dwAlphaOp);

// What an opaque copy of a colour-keyed picture leaves under its transparent texels: the
// transparent colour on BackBuffer, transparent texels on any other target.
D3DCOLOR DDOpaqueKeyClearColor(const DDSURFACEDATA* lpTarget);

// Clears x, y, nWidth x nHeight of the current render target to the colour (the device clips it).
void DDClearTargetRect(int x, int y, int nWidth, int nHeight, D3DCOLOR dwColor);

// Writes the four vertices of a quad into a surface's vertex buffer. FALSE when it cannot be locked.
BOOL DDWriteQuad(IDirect3DVertexBuffer9* lpBuffer, const D3D9TLVertex* pQuad);

// The software blit: copies through pixel locks, writing only pixels inside both pictures
// (Direct3D, for a target that is not a render target or a source in system memory). Both records
// are taken as already redirected. FALSE when a surface cannot be locked.
BOOL DDStretchBltLocked(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx,
                        int sy, int nSrcWidth, int nSrcHeight, int nFlags);
