// Picture files for the D3DX texture loader: BMP (the shared decoder of the GDI stand-in), PNG
// (libpng) and JPEG (libjpeg), told apart by their first bytes, decoded to 0xAARRGGBB pixels.
// BMP and JPEG pixels get alpha 255; PNG keeps its alpha. Files are untrusted: sizes are checked
// and nothing is allocated beyond the limits below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win/WinTypes.h"

enum D3DXIMAGE_FILEFORMAT : DWORD {
    D3DXIFF_BMP = 0,
    D3DXIFF_JPG = 1,
    D3DXIFF_PNG = 3,
};

struct D3DXDecodedImage {
    UINT width = 0;
    UINT height = 0;
    std::vector<std::uint32_t> argb;  // width x height, rows top to bottom
    D3DXIMAGE_FILEFORMAT fileFormat = D3DXIFF_BMP;
};

// Largest picture file read (bytes), largest side and largest pixel count decoded.
constexpr std::size_t kD3DXMaxImageFileBytes = 256u * 1024 * 1024;
constexpr UINT kD3DXMaxImageSide = 16384;
constexpr std::size_t kD3DXMaxImagePixels = 64u * 1024 * 1024;

// True when width x height is within the limits above (and not empty).
bool D3DXImageSizeAllowed(std::size_t width, std::size_t height);

// Decodes a file's bytes. False for an unknown or malformed picture.
bool D3DXDecodeImage(const BYTE* data, std::size_t size, D3DXDecodedImage& out);

// Reads a file named by a game path (Shift-JIS, '\' separators) and decodes it. False when the
// file is missing, unreadable, too large or not a picture this loader knows.
bool D3DXLoadImageFile(const char* szPath, D3DXDecodedImage& out);
