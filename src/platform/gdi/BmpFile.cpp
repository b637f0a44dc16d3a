#include "platform/gdi/BmpFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/gdi/ChannelMask.h"
#include "platform/win/Files.h"

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr LONG kMaxDimension = 65535;  // larger pictures are refused before any arithmetic
// A run-length file can describe a large picture in few bytes: its decoded size is capped.
constexpr ULONGLONG kMaxRleImageBytes = 64ull * 1024 * 1024;

DWORD ReadU16(const BYTE* p)
{
    return static_cast<DWORD>(p[0] | (p[1] << 8));
}
DWORD ReadU32(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}

bool IsKnownHeaderSize(DWORD n)
{
    return n == 40 || n == 52 || n == 56 || n == 108 || n == 124;
}

bool IsKnownBitCount(int n)
{
    return n == 1 || n == 4 || n == 8 || n == 16 || n == 24 || n == 32;
}

BITMAPINFOHEADER ReadInfoHeader(const BYTE* p)
{
    BITMAPINFOHEADER h;
    h.biSize = ReadU32(p);
    h.biWidth = static_cast<LONG>(ReadU32(p + 4));
    h.biHeight = static_cast<LONG>(ReadU32(p + 8));
    h.biPlanes = static_cast<WORD>(ReadU16(p + 12));
    h.biBitCount = static_cast<WORD>(ReadU16(p + 14));
    h.biCompression = ReadU32(p + 16);
    h.biSizeImage = ReadU32(p + 20);
    h.biXPelsPerMeter = static_cast<LONG>(ReadU32(p + 24));
    h.biYPelsPerMeter = static_cast<LONG>(ReadU32(p + 28));
    h.biClrUsed = ReadU32(p + 32);
    h.biClrImportant = ReadU32(p + 36);
    return h;
}

// Fills the masks for 16/32-bit pictures: from the file for BI_BITFIELDS (after a 40-byte header,
// or inside a longer one), else the defaults. pos is advanced past masks stored after the header.
bool ReadMasks(const BYTE* data, size_t size, size_t& pos, BmpImage& out)
{
    out.redMask = out.greenMask = out.blueMask = 0;
    if (out.bitCount != 16 && out.bitCount != 32)
        return out.compression == BI_RGB || (out.compression == BI_RLE8 && out.bitCount == 8) ||
               (out.compression == BI_RLE4 && out.bitCount == 4);
    if (out.compression == BI_RGB) {
        if (out.bitCount == 16) {
            out.redMask = 0x7C00;
            out.greenMask = 0x03E0;
            out.blueMask = 0x001F;
        } else {
            out.redMask = 0x00FF0000;
            out.greenMask = 0x0000FF00;
            out.blueMask = 0x000000FF;
        }
        return true;
    }
    if (out.compression != BI_BITFIELDS) return false;
    const BYTE* m = nullptr;
    if (out.header.biSize == kInfoHeaderBytes) {
        if (size - pos < 12) return false;
        m = data + pos;
        pos += 12;
    } else {
        m = data + kFileHeaderBytes + kInfoHeaderBytes;  // inside the longer header
    }
    out.redMask = ReadU32(m);
    out.greenMask = ReadU32(m + 4);
    out.blueMask = ReadU32(m + 8);
    const DWORD limit = out.bitCount == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    for (DWORD mask : {out.redMask, out.greenMask, out.blueMask}) {
        if ((mask & ~limit) != 0 || !ChannelMask::From(mask).IsContiguous()) return false;
    }
    return true;
}

// Reads the colour table of a 1/4/8-bit picture starting at pos; it must end by pixelOffset.
bool ReadColorTable(const BYTE* data, size_t pos, size_t pixelOffset, BmpImage& out)
{
    out.colorTable.clear();
    if (out.bitCount > 8) return true;
    const DWORD capacity = 1u << out.bitCount;
    const DWORD count = out.header.biClrUsed == 0 ? capacity : out.header.biClrUsed;
    if (count > capacity) return false;
    const size_t tableBytes = static_cast<size_t>(count) * 4;
    if (pos > pixelOffset || pixelOffset - pos < tableBytes) return false;
    out.colorTable.resize(capacity);  // padded with black
    for (DWORD i = 0; i < count; ++i) {
        const BYTE* e = data + pos + static_cast<size_t>(i) * 4;
        out.colorTable[i].rgbBlue = e[0];
        out.colorTable[i].rgbGreen = e[1];
        out.colorTable[i].rgbRed = e[2];
        out.colorTable[i].rgbReserved = 0;
    }
    return true;
}

// Expands RLE8/RLE4 data (rows bottom-up) into out.bits (top row first, unwritten pixels index
// 0). Runs past the right edge are cut; false when the data ends before the end-of-bitmap mark
// with rows still missing, or inside an absolute run or a move.
bool DecodeRle(const BYTE* p, size_t n, BmpImage& out)
{
    const bool four = out.bitCount == 4;
    out.bits.assign(static_cast<size_t>(out.stride) * static_cast<size_t>(out.height), 0);
    long long x = 0;
    long long y = 0;  // rows counted from the bottom
    auto put = [&](DWORD v) {
        if (x < out.width && y < out.height) {
            BYTE* row = out.bits.data() + static_cast<size_t>(out.height - 1 - y) * static_cast<size_t>(out.stride);
            if (four)
                row[x >> 1] = static_cast<BYTE>((x & 1) ? ((row[x >> 1] & 0xF0) | (v & 0x0F))
                                                        : ((row[x >> 1] & 0x0F) | (v << 4)));
            else
                row[x] = static_cast<BYTE>(v);
        }
        ++x;
    };
    size_t i = 0;
    for (;;) {
        if (n - i < 2) return y >= out.height;
        const BYTE count = p[i];
        const BYTE value = p[i + 1];
        i += 2;
        if (count > 0) {  // a run of one value (RLE4: two alternating indices)
            for (int k = 0; k < count; ++k) put(four ? ((k & 1) ? (value & 0x0Fu) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            return true;
        } else if (value == 2) {  // move right and up
            if (n - i < 2) return false;
            x += p[i];
            y += p[i + 1];
            i += 2;
        } else {  // absolute run of `value` indices, padded to an even byte count
            const size_t bytes = four ? (value + 1u) / 2u : value;
            if (n - i < bytes) return false;
            for (int k = 0; k < value; ++k)
                put(four ? ((k & 1) ? (p[i + k / 2] & 0x0Fu) : (p[i + k / 2] >> 4)) : p[i + k]);
            i += std::min(n - i, (bytes + 1) & ~static_cast<size_t>(1));
        }
    }
}

}  // namespace

bool DecodeBmp(const BYTE* data, size_t size, BmpImage& out)
{
    if (data == nullptr || size < kFileHeaderBytes + kInfoHeaderBytes) return false;
    if (data[0] != 'B' || data[1] != 'M') return false;
    const size_t pixelOffset = ReadU32(data + 10);
    const DWORD headerSize = ReadU32(data + kFileHeaderBytes);
    if (!IsKnownHeaderSize(headerSize) || size - kFileHeaderBytes < headerSize) return false;

    out = BmpImage{};
    out.header = ReadInfoHeader(data + kFileHeaderBytes);
    const BITMAPINFOHEADER& h = out.header;
    if (h.biPlanes != 1 || !IsKnownBitCount(h.biBitCount)) return false;
    if (h.biWidth <= 0 || h.biWidth > kMaxDimension || h.biHeight == 0 || h.biHeight < -kMaxDimension ||
        h.biHeight > kMaxDimension)
        return false;
    out.width = h.biWidth;
    out.height = h.biHeight > 0 ? h.biHeight : -h.biHeight;
    out.bottomUp = h.biHeight > 0;
    out.bitCount = h.biBitCount;
    out.compression = h.biCompression;

    size_t pos = kFileHeaderBytes + headerSize;
    if (!ReadMasks(data, size, pos, out)) return false;
    if (pixelOffset < pos || pixelOffset > size) return false;
    if (!ReadColorTable(data, pos, pixelOffset, out)) return false;

    const ULONGLONG stride = ((static_cast<ULONGLONG>(out.width) * out.bitCount + 31) / 32) * 4;
    const ULONGLONG imageBytes = stride * static_cast<ULONGLONG>(out.height);
    out.stride = static_cast<int>(stride);
    if (out.compression == BI_RLE8 || out.compression == BI_RLE4) {
        if (!out.bottomUp || imageBytes > kMaxRleImageBytes) return false;
        if (!DecodeRle(data + pixelOffset, size - pixelOffset, out)) return false;
        out.compression = BI_RGB;  // the picture is kept uncompressed from here on
        out.header.biCompression = BI_RGB;
        return true;
    }
    if (imageBytes > size - pixelOffset) return false;
    out.bits.resize(static_cast<size_t>(imageBytes));
    for (int row = 0; row < out.height; ++row) {
        const int fileRow = out.bottomUp ? out.height - 1 - row : row;
        std::memcpy(out.bits.data() + static_cast<size_t>(row) * stride,
                    data + pixelOffset + static_cast<size_t>(fileRow) * stride, static_cast<size_t>(stride));
    }
    return true;
}

bool LoadBmpFile(const char* szPath, BmpImage& out)
{
    if (szPath == nullptr || szPath[0] == '\0') return false;
    std::unique_ptr<FILE, int (*)(FILE*)> file(FOpen(szPath, "rb"), &std::fclose);
    if (!file) return false;
    if (std::fseek(file.get(), 0, SEEK_END) != 0) return false;
    const long length = std::ftell(file.get());
    if (length <= 0 || static_cast<unsigned long>(length) > kMaxBmpFileBytes) return false;
    if (std::fseek(file.get(), 0, SEEK_SET) != 0) return false;
    std::vector<BYTE> bytes(static_cast<size_t>(length));
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return false;
    return DecodeBmp(bytes.data(), bytes.size(), out);
}

DWORD BmpRawPixel(const BmpImage& image, int x, int y)
{
    const BYTE* row = image.bits.data() + static_cast<size_t>(y) * image.stride;
    switch (image.bitCount) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4: return (x & 1) ? (row[x >> 1] & 0x0Fu) : (row[x >> 1] >> 4);
    case 8: return row[x];
    case 16: return ReadU16(row + x * 2);
    case 24: {
        const BYTE* p = row + x * 3;
        return static_cast<DWORD>(p[0] | (p[1] << 8) | (p[2] << 16));
    }
    case 32: return ReadU32(row + x * 4);
    default: return 0;
    }
}

DWORD BmpPixelToXRGB(const BmpImage& image, int x, int y)
{
    const DWORD raw = BmpRawPixel(image, x, y);
    if (image.bitCount <= 8) {
        if (raw >= image.colorTable.size()) return 0;
        const RGBQUAD& q = image.colorTable[raw];
        return (static_cast<DWORD>(q.rgbRed) << 16) | (static_cast<DWORD>(q.rgbGreen) << 8) | q.rgbBlue;
    }
    if (image.bitCount == 24) return raw;
    const DWORD r = ChannelMask::From(image.redMask).ReadScaled(raw);
    const DWORD g = ChannelMask::From(image.greenMask).ReadScaled(raw);
    const DWORD b = ChannelMask::From(image.blueMask).ReadScaled(raw);
    return (r << 16) | (g << 8) | b;
}
