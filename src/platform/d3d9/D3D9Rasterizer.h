// Triangle rasterisation of pre-transformed vertices into a software render target.
//
// Direct3D 9 rules: pixel (x, y) has its centre at the integer coordinates (x, y); a pixel is drawn
// when its centre lies inside the triangle, or on an edge that is a top edge (horizontal, the
// triangle below it) or a left edge; pixels on the shared edge of two triangles are drawn once.
// Texture coordinates and the diffuse colour are interpolated linearly at the pixel centre
// (rhw is 1 in every vertex the game makes). Sampling is point sampling with wrap:
// texel = floor(u x width) mod width, v alike. An unbound texture reads as opaque white.
//
// A strip of four vertices forming an axis-aligned rectangle, with u depending on x only, v on y
// only and one diffuse colour, is drawn by a direct rectangle fill that gives the same pixels.
// With the game's -0.5 offsets a quad from x - 0.5 to x + w - 0.5 covers exactly x .. x + w - 1.
#pragma once

#include <vector>

#include "platform/d3d9/D3D9PixelBuffer.h"
#include "platform/d3d9/D3D9PixelPipeline.h"

class D3D9Rasterizer {
public:
    // target: the render target's pixels; texture: the bound texture's pixels or null;
    // cullMode: D3DCULL_NONE, _CW or _CCW (clockwise as seen on the screen, y downwards).
    D3D9Rasterizer(D3D9PixelBuffer& target, const D3D9PixelBuffer* texture, const D3D9PixelPipeline& pipeline,
                   DWORD cullMode);

    // Draws `vertexCount` vertices as a triangle list, strip or fan; other types draw nothing.
    void Draw(D3DPRIMITIVETYPE type, const D3D9TLVertex* vertices, UINT vertexCount);

    // Quads drawn by the rectangle fill since construction (for tests of the fast path).
    UINT FastQuadCount() const { return fastQuads_; }

private:
    struct RectJob {
        int x0, x1, y0, y1;   // pixel range, [x0, x1) x [y0, y1), inside the target
        std::uint32_t diffuse;
    };

    bool TryAxisAlignedQuad(const D3D9TLVertex* v);
    void Triangle(const D3D9TLVertex& a, const D3D9TLVertex& b, const D3D9TLVertex& c);
    bool Culled(double area) const;

    template <D3DFORMAT F>
    void FillRect(const RectJob& job);
    template <D3DFORMAT F>
    void FillTriangle(const D3D9TLVertex* v[3], double area);

    std::uint32_t Texel(int col, int row) const;
    int WrapColumn(double u) const;
    int WrapRow(double v) const;

    D3D9PixelBuffer& target_;
    const D3D9PixelBuffer* texture_;
    const D3D9PixelPipeline& pipeline_;
    DWORD cullMode_;
    UINT fastQuads_ = 0;
    std::vector<int> columns_;
    std::vector<int> rows_;
    std::vector<std::uint32_t> gathered_;
};
