// Point sampling along one row of a triangle, for the rasteriser's textured triangles (rotated
// quads above all). Every pixel is evaluated with exactly the arithmetic of a pixel-by-pixel walk
// (edge value, weight = value / area, u and v as the weighted sums, floor(u x width) mod width), so
// the texels do not depend on how the row is cut up; SSE2 evaluates two pixels at a time where the
// compiler has it, with the same IEEE operations in each lane.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "platform/d3d9/D3D9PixelBuffer.h"

// floor(t) mod size (size >= 1), for any t; non-finite or huge values give 0.
inline int D3D9WrapIndex(double t, int size)
{
    // Inside the texture truncation is the floor (and floor(t) lies outside whenever t does).
    if (t >= 0 && t < size) return static_cast<int>(t);
    const double f = std::floor(t);
    if (!(std::fabs(f) < 1e15)) return 0;
    long long i = static_cast<long long>(f) % size;
    if (i < 0) i += size;
    return static_cast<int>(i);
}

// The weights of one row: the value of edge k (the edge opposite vertex k) at pixel x is
// rowTerm[k] - dy[k] x (x - ax[k]), vertex k's weight is that value / area, and the texture
// coordinates are weight0 x u[0] + weight1 x u[1] + weight2 x u[2] (summed in that order), v alike.
struct D3D9SpanWeights {
    double rowTerm[3];
    double dy[3];
    double ax[3];
    double area;
    double u[3];
    double v[3];
};

// Writes to out[0 .. n - 1] the texels (0xAARRGGBB) under pixels xa .. xa + n - 1 of the row,
// point sampled with wrap; opaque white when texture is null. Called by D3D9Rasterizer.
void D3D9SampleSpan(const D3D9SpanWeights& w, const D3D9PixelBuffer* texture, int xa, std::size_t n,
                    std::uint32_t* out);
