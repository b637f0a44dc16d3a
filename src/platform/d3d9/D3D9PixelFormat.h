// Pixel formats of the software device: sizes and the conversion of one pixel to and from
// 8-bit ARGB (0xAARRGGBB).
//
// Expansion to 8 bits replicates the top bits ((c << 3) | (c >> 2) for 5 bits, (c << 2) | (c >> 4)
// for 6 bits); formats without alpha read as alpha 255. Reduction truncates (c >> 3, c >> 2), a
// 1-bit alpha is set when alpha >= 128, and the unused X bits are written as ones, so that a pixel
// of an X format reads back as opaque through either view.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/d3d9/D3D9Types.h"

// Bytes per pixel of a colour format the device stores: 4 or 2; 0 for any other format.
constexpr UINT D3D9BytesPerPixel(D3DFORMAT format)
{
    switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8: return 4;
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5: return 2;
    default: return 0;
    }
}

// True for the colour formats surfaces and textures may have (A8R8G8B8, X8R8G8B8, R5G6B5,
// X1R5G5B5, A1R5G5B5).
inline bool D3D9IsColorFormat(D3DFORMAT format)
{
    return D3D9BytesPerPixel(format) != 0;
}

// Text name of a format for logs ("A8R8G8B8" ...); "UNKNOWN" for others.
const char* D3D9FormatName(D3DFORMAT format);

inline std::uint32_t Expand5(std::uint32_t c)
{
    return (c << 3) | (c >> 2);
}
inline std::uint32_t Expand6(std::uint32_t c)
{
    return (c << 2) | (c >> 4);
}

// Reads one pixel of `format` at p and returns it as 0xAARRGGBB.
inline std::uint32_t D3D9DecodePixel(D3DFORMAT format, const BYTE* p)
{
    switch (format) {
    case D3DFMT_A8R8G8B8: {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    case D3DFMT_X8R8G8B8: {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v | 0xFF000000u;
    }
    case D3DFMT_R5G6B5: {
        std::uint16_t w;
        std::memcpy(&w, p, 2);
        return 0xFF000000u | (Expand5((w >> 11) & 31) << 16) | (Expand6((w >> 5) & 63) << 8) | Expand5(w & 31);
    }
    case D3DFMT_A1R5G5B5:
    case D3DFMT_X1R5G5B5: {
        std::uint16_t w;
        std::memcpy(&w, p, 2);
        const std::uint32_t a = (format == D3DFMT_X1R5G5B5 || (w & 0x8000)) ? 0xFF000000u : 0u;
        return a | (Expand5((w >> 10) & 31) << 16) | (Expand5((w >> 5) & 31) << 8) | Expand5(w & 31);
    }
    default: return 0;
    }
}

// Converts 0xAARRGGBB to one pixel of `format` (see the file comment for the rules).
inline std::uint32_t D3D9EncodeValue(D3DFORMAT format, std::uint32_t argb)
{
    const std::uint32_t a = argb >> 24;
    const std::uint32_t r = (argb >> 16) & 0xFF;
    const std::uint32_t g = (argb >> 8) & 0xFF;
    const std::uint32_t b = argb & 0xFF;
    switch (format) {
    case D3DFMT_A8R8G8B8: return argb;
    case D3DFMT_X8R8G8B8: return argb | 0xFF000000u;
    case D3DFMT_R5G6B5: return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
    case D3DFMT_A1R5G5B5: return ((a >> 7) << 15) | ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    case D3DFMT_X1R5G5B5: return 0x8000u | ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    default: return 0;
    }
}

// Writes the pixel value `value` (as D3D9EncodeValue returns it) of `format` at p.
inline void D3D9StoreValue(D3DFORMAT format, std::uint32_t value, BYTE* p)
{
    if (D3D9BytesPerPixel(format) == 4) {
        std::memcpy(p, &value, 4);
    } else {
        const std::uint16_t w = static_cast<std::uint16_t>(value);
        std::memcpy(p, &w, 2);
    }
}

// Reads the raw pixel value (not converted) at p.
inline std::uint32_t D3D9LoadValue(D3DFORMAT format, const BYTE* p)
{
    if (D3D9BytesPerPixel(format) == 4) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    std::uint16_t w;
    std::memcpy(&w, p, 2);
    return w;
}
