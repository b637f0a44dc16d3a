#include "graphics/QuadDraw.h"

void DDMakeQuad(D3D9TLVertex* pVertices, int x, int y, int width, int height, int sx, int sy, int sw, int sh,
                int nTexWidth, int nTexHeight, D3DCOLOR dwDiffuse)
{
    const float left = static_cast<float>(x) - 0.5f;
    const float top = static_cast<float>(y) - 0.5f;
    const float right = static_cast<float>(x + width) - 0.5f;
    const float bottom = static_cast<float>(y + height) - 0.5f;
    const float texW = nTexWidth > 0 ? static_cast<float>(nTexWidth) : 1.0f;
    const float texH = nTexHeight > 0 ? static_cast<float>(nTexHeight) : 1.0f;
    const float u0 = static_cast<float>(sx) / texW;
    const float u1 = static_cast<float>(sx + sw) / texW;
    const float v0 = static_cast<float>(sy) / texH;
    const float v1 = static_cast<float>(sy + sh) / texH;
    pVertices[0] = D3D9TLVertex{left, top, 0.0f, 1.0f, dwDiffuse, u0, v0};
    pVertices[1] = D3D9TLVertex{left, bottom, 0.0f, 1.0f, dwDiffuse, u0, v1};
    pVertices[2] = D3D9TLVertex{right, top, 0.0f, 1.0f, dwDiffuse, u1, v0};
    pVertices[3] = D3D9TLVertex{right, bottom, 0.0f, 1.0f, dwDiffuse, u1, v1};
}
