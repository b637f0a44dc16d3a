// The inner loop of the common blit: a row of A8R8G8B8 texels blended SRCALPHA / INVSRCALPHA over
// a row of 32-bit pixels, with exactly the arithmetic of D3D9PixelPipeline::Lerp on every channel
// ((s x a + d x (255 - a) + 127) / 255). SSE2 does four pixels at a time where the compiler has
// it, and groups of texels of alpha 0 or 255 each (keyed pictures) take a plain select, which is
// what the blend gives for those alphas: eight at a time, sixteen on processors with AVX2 (asked
// once at run time); a row of opaque texels is copied. The plain loop gives the same bits.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win/WinTypes.h"

// dst: n pixels (4 bytes each, any alignment); texels: n values 0xAARRGGBB (4 bytes each, any
// alignment, as the texture stores them). With setX the
// fourth byte of each result is written as 0xFF (X8R8G8B8 targets), else it holds the blended
// alpha (A8R8G8B8 targets).
void D3D9BlendTexelsOver32(BYTE* dst, const BYTE* texels, std::size_t n, bool setX);

// The same for fragments of the pipeline, with exactly its per-pixel rule: a fragment of alpha 0
// leaves its pixel untouched, fourth byte included (D3D9BlendTexelsOver32 writes setX there too).
void D3D9BlendFragmentsOver32(BYTE* dst, const std::uint32_t* fragments, std::size_t n, bool setX);

// The same without blending: the texels are copied (with setX, the fourth byte set).
void D3D9CopyTexels32(BYTE* dst, const BYTE* texels, std::size_t n, bool setX);

// One colour 0xAARRGGBB blended SRCALPHA / INVSRCALPHA over n 32-bit pixels (an untextured quad
// such as the fade's black veil), with the same arithmetic and setX as D3D9BlendTexelsOver32;
// a colour of alpha 0 leaves the pixels untouched.
void D3D9BlendColourOver32(BYTE* dst, std::uint32_t colour, std::size_t n, bool setX);

// One colour stored into n 32-bit pixels without blending (with setX, the fourth byte set).
void D3D9FillColour32(BYTE* dst, std::uint32_t colour, std::size_t n, bool setX);
