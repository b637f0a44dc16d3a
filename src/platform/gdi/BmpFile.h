// Windows bitmap files (.bmp): decoding untrusted bytes into a picture.
//
// Accepted: a BITMAPFILEHEADER followed by a BITMAPINFOHEADER or one of its longer forms (52, 56,
// 108 and 124 bytes); 1, 4 and 8 bits per pixel with a colour table (a table shorter than the
// depth allows is padded with black), 16 bits (555 by default, or BI_BITFIELDS masks), 24 bits,
// 32 bits (BI_RGB or BI_BITFIELDS); rows bottom-up (positive height) or top-down (negative);
// run-length compressed 4- and 8-bit files (BI_RLE4, BI_RLE8: bottom-up, decoded size at most
// 64 MiB; pixels the runs do not reach are index 0), which common paint tools write.
// Refused: JPEG/PNG inside a BMP, the 12-byte OS/2 header, planes other than 1, non-contiguous
// masks, and every size, count or offset that does not fit inside the file.
// Used by the GDI stand-in's LoadImageA and by the Direct3D texture loader.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/gdi/GdiTypes.h"

struct BmpImage {
    int width = 0;                    // pixels, > 0
    int height = 0;                   // pixels, > 0 (the file's row order is in bottomUp)
    int bitCount = 0;                 // 1, 4, 8, 16, 24 or 32
    std::vector<RGBQUAD> colorTable;  // 2^bitCount entries for 1, 4 and 8 bits; empty otherwise
    std::vector<BYTE> bits;           // height rows, top row first, each row stride bytes as in the file
    int stride = 0;                   // bytes per row: width x bitCount rounded up to a multiple of 4 bytes
    DWORD redMask = 0;                // channel masks for 16 and 32 bits (defaults filled in for BI_RGB);
    DWORD greenMask = 0;              // 0 for other depths
    DWORD blueMask = 0;
    DWORD compression = 0;    // BI_BITFIELDS as the file says, else BI_RGB (also for RLE files)
    bool bottomUp = true;     // the file stored its rows bottom-up (positive biHeight)
    BITMAPINFOHEADER header;  // the file's header (first 40 bytes), biHeight with its sign
};

// Decodes size bytes at data. Returns false (out unspecified) for anything malformed; never reads
// outside [data, data + size) and allocates at most about size bytes.
bool DecodeBmp(const BYTE* data, size_t size, BmpImage& out);

// Reads and decodes a file named by a game path (Shift-JIS, '\' separators). False when the file
// is missing, unreadable, larger than kMaxBmpFileBytes or not a valid bitmap.
bool LoadBmpFile(const char* szPath, BmpImage& out);

// The largest bitmap file LoadBmpFile reads (bytes).
constexpr size_t kMaxBmpFileBytes = 256u * 1024u * 1024u;

// The colour of pixel (x, y) (top-left origin) as 0x00RRGGBB. Channels narrower than 8 bits are
// scaled with rounding (v x 255 / max); a palette index past the table gives black. x and y must
// lie inside the picture.
DWORD BmpPixelToXRGB(const BmpImage& image, int x, int y);

// The raw value of pixel (x, y): palette index, or the 16/24/32-bit little-endian value.
DWORD BmpRawPixel(const BmpImage& image, int x, int y);
