// The textured quad every Direct3D blit draws: four pre-transformed vertices (FVF 0x144, 28 bytes
// each) in strip order (left, top), (left, bottom), (right, top), (right, bottom), positions at the
// pixel edges minus 0.5, texture coordinates at the source edges over the texture size. A
// negative source width or height mirrors the picture. Game thread (main thread in the restore).
#pragma once

#include "graphics/DDSurfaceData.h"
#include "platform/d3d9/D3D9Types.h"

constexpr DWORD kQuadFVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;  // 0x144
constexpr UINT kQuadBytes = 4 * sizeof(D3D9TLVertex);                     // 112

// The four vertices of a quad covering x .. x + width - 1, y .. y + height - 1 with the source
// rectangle sx, sy, sw, sh of a texture of nTexWidth x nTexHeight.
void DDMakeQuad(D3D9TLVertex* pVertices, int x, int y, int width, int height, int sx, int sy, int sw, int sh,
                int nTexWidth, int nTexHeight, D3DCOLOR dwDiffuse);
