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
// Other triangles are drawn a row at a time: the covered span of a row is found from the edge
// values (each is monotone along a row, so a search finds where it changes sign), then every pixel
// of the span is evaluated with the same expressions as a pixel-by-pixel test would use, so the
// pixels are the same. Untextured draws with one colour skip the sampling; 32-bit targets take
// whole spans through the blend loops of D3D9BlendSpan.h.
#pragma once

#include <vector>

#include "platform/d3d9/D3D9PixelBuffer.h"
#include "platform/d3d9/D3D9PixelPipeline.h"

// Working rows a rasteriser reuses from draw to draw: the device owns one set, so that drawing
// allocates nothing once the rows have grown to the widest quad.
struct D3D9RasterScratch {
    std::vector<int> columns;  // texel column of each pixel column of a rectangle
    std::vector<int> rows;     // texel row of each pixel row of a rectangle
    std::vector<std::uint32_t> fragments;
};

class D3D9Rasterizer {
public:
    // target: the render target's pixels; texture: the bound texture's pixels or null;
    // cullMode: D3DCULL_NONE, _CW or _CCW (clockwise as seen on the screen, y downwards);
    // scratch: working rows, used by one rasteriser at a time.
    D3D9Rasterizer(D3D9PixelBuffer& target, const D3D9PixelBuffer* texture, const D3D9PixelPipeline& pipeline,
                   DWORD cullMode, D3D9RasterScratch& scratch);

    // Draws `vertexCount` vertices as a triangle list, strip or fan; other types draw nothing.
    void Draw(D3DPRIMITIVETYPE type, const D3D9TLVertex* vertices, UINT vertexCount);

    // Quads drawn by the rectangle fill since construction (for tests of the fast path).
    UINT FastQuadCount() const { return fastQuads_; }

private:
    struct RectJob {
        int x0, x1, y0, y1;  // pixel range, [x0, x1) x [y0, y1), inside the target
        std::uint32_t diffuse;
    };
    // One triangle edge: E(x, y) = dx (y - ay) - dy (x - ax), positive inside.
    struct Edge {
        double ax, ay, dx, dy;
        bool topLeft;
    };

    bool TryAxisAlignedQuad(const D3D9TLVertex* v);
    void Triangle(const D3D9TLVertex& a, const D3D9TLVertex& b, const D3D9TLVertex& c);
    bool Culled(double area) const;
    // Narrows [xa, xb) to the pixels of one row inside the edge; rowTerm is dx (y - ay).
    static void ClipSpan(const Edge& edge, double rowTerm, int& xa, int& xb);

    template <D3DFORMAT F>
    void FillRect(const RectJob& job);
    template <D3DFORMAT F>
    void FillTriangle(const D3D9TLVertex* v[3], double area);
    // Blends n fragments (0xAARRGGBB) into n pixels of format F starting at dst.
    template <D3DFORMAT F>
    void StoreSpan(BYTE* dst, const std::uint32_t* fragments, std::size_t n) const;
    // The textured blit into a 32-bit target: n texels copied or blended SRCALPHA / INVSRCALPHA.
    template <D3DFORMAT F>
    void BlitTexels32(BYTE* dst, const BYTE* texels, std::size_t n) const;
    // Blends one fragment into n pixels.
    template <D3DFORMAT F>
    void StoreConstant(BYTE* dst, std::uint32_t fragment, std::size_t n) const;

    std::uint32_t Texel(int col, int row) const;
    int WrapColumn(double u) const;
    int WrapRow(double v) const;

    D3D9PixelBuffer& target_;
    const D3D9PixelBuffer* texture_;
    const D3D9PixelPipeline& pipeline_;
    DWORD cullMode_;
    UINT fastQuads_ = 0;
    std::vector<int>& columns_;
    std::vector<int>& rows_;
    std::vector<std::uint32_t>& fragments_;
};
