// The inner loop of the common blit: a row of A8R8G8B8 texels blended SRCALPHA / INVSRCALPHA over
// a row of 32-bit pixels, with exactly the arithmetic of D3D9PixelPipeline::Lerp on every channel
// ((s x a + d x (255 - a) + 127) / 255). SSE2 does four pixels at a time where the compiler has
// it; the plain loop gives the same bits.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win/WinTypes.h"

// dst: n pixels (4 bytes each, any alignment); texels: n values 0xAARRGGBB (4 bytes each, any
// alignment, as the texture stores them). With setX the
// fourth byte of each result is written as 0xFF (X8R8G8B8 targets), else it holds the blended
// alpha (A8R8G8B8 targets).
void D3D9BlendTexelsOver32(BYTE* dst, const BYTE* texels, std::size_t n, bool setX);

// The same without blending: the texels are copied (with setX, the fourth byte set).
void D3D9CopyTexels32(BYTE* dst, const BYTE* texels, std::size_t n, bool setX);
