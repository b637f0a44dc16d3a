// The pixels of one software surface: rows top to bottom, each row padded to a multiple of
// 16 bytes (so that code which assumes pitch == width x bytes per pixel shows its fault in tests).
// A new buffer is black, transparent in the formats with alpha (X bits set in the others).
#pragma once

#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/d3d9/D3D9PixelFormat.h"

class D3D9PixelBuffer {
public:
    // width, height >= 1; format one of the colour formats. Throws std::bad_alloc when the memory
    // cannot be had (creators turn that into a result code).
    D3D9PixelBuffer(UINT width, UINT height, D3DFORMAT format)
        : width_(width), height_(height), format_(format), bpp_(D3D9BytesPerPixel(format)),
          pitch_((width * bpp_ + 15u) & ~15u), bytes_(static_cast<std::size_t>(pitch_) * height, 0)
    {
        if (format == D3DFMT_X8R8G8B8 || format == D3DFMT_X1R5G5B5)
            FillRaw(0, 0, width, height, D3D9EncodeValue(format, 0));
    }

    // Bytes a buffer of this size and format takes.
    static std::size_t BytesFor(UINT width, UINT height, D3DFORMAT format)
    {
        return static_cast<std::size_t>((width * D3D9BytesPerPixel(format) + 15u) & ~15u) * height;
    }

    UINT Width() const { return width_; }
    UINT Height() const { return height_; }
    D3DFORMAT Format() const { return format_; }
    UINT BytesPerPixel() const { return bpp_; }
    // Bytes from one row to the next.
    UINT Pitch() const { return pitch_; }
    std::size_t SizeBytes() const { return bytes_.size(); }

    BYTE* Row(UINT y) { return bytes_.data() + static_cast<std::size_t>(y) * pitch_; }
    const BYTE* Row(UINT y) const { return bytes_.data() + static_cast<std::size_t>(y) * pitch_; }
    BYTE* At(UINT x, UINT y) { return Row(y) + static_cast<std::size_t>(x) * bpp_; }
    const BYTE* At(UINT x, UINT y) const { return Row(y) + static_cast<std::size_t>(x) * bpp_; }

    // The pixel at (x, y) as 0xAARRGGBB; x < Width(), y < Height().
    std::uint32_t ReadARGB(UINT x, UINT y) const { return D3D9DecodePixel(format_, At(x, y)); }
    // The raw stored value at (x, y) (16-bit formats in the low half).
    std::uint32_t ReadRaw(UINT x, UINT y) const { return D3D9LoadValue(format_, At(x, y)); }

    // Writes the raw value into the rectangle [x1, x2) x [y1, y2), already clipped by the caller.
    // The first row is written pixel by pixel, the others are copies of it.
    void FillRaw(UINT x1, UINT y1, UINT x2, UINT y2, std::uint32_t value)
    {
        if (x1 >= x2 || y1 >= y2) return;
        BYTE* first = At(x1, y1);
        BYTE* p = first;
        for (UINT x = x1; x < x2; ++x, p += bpp_) D3D9StoreValue(format_, value, p);
        const std::size_t rowBytes = static_cast<std::size_t>(x2 - x1) * bpp_;
        for (UINT y = y1 + 1; y < y2; ++y) std::memcpy(At(x1, y), first, rowBytes);
    }

    // Copies every pixel of src, which has the same size and format.
    void CopyPixelsFrom(const D3D9PixelBuffer& src) { bytes_ = src.bytes_; }

    // Copies a w x h block from src (at sx, sy) to (dx, dy); both rectangles inside, same format.
    void CopyBlock(const D3D9PixelBuffer& src, UINT sx, UINT sy, UINT w, UINT h, UINT dx, UINT dy)
    {
        for (UINT r = 0; r < h; ++r)
            std::memmove(At(dx, dy + r), src.At(sx, sy + r), static_cast<std::size_t>(w) * bpp_);
    }

private:
    UINT width_;
    UINT height_;
    D3DFORMAT format_;
    UINT bpp_;
    UINT pitch_;
    std::vector<BYTE> bytes_;
};
