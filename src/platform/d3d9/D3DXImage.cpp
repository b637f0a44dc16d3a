#include "platform/d3d9/D3DXImage.h"

#include <cstdio>
#include <memory>
#include <new>

#include "platform/d3d9/D3DXJpegImage.h"
#include "platform/d3d9/D3DXPngImage.h"
#include "platform/gdi/BmpFile.h"
#include "platform/win/Files.h"

namespace {

bool DecodeBmpImage(const BYTE* data, std::size_t size, D3DXDecodedImage& out)
{
    BmpImage bmp;
    if (!DecodeBmp(data, size, bmp) ||
        !D3DXImageSizeAllowed(static_cast<std::size_t>(bmp.width), static_cast<std::size_t>(bmp.height)))
        return false;
    out.width = static_cast<UINT>(bmp.width);
    out.height = static_cast<UINT>(bmp.height);
    out.fileFormat = D3DXIFF_BMP;
    out.argb.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x)
            out.argb[static_cast<std::size_t>(y) * out.width + static_cast<std::size_t>(x)] =
                0xFF000000u | BmpPixelToXRGB(bmp, x, y);
    return true;
}

}  // namespace

bool D3DXImageSizeAllowed(std::size_t width, std::size_t height)
{
    return width > 0 && height > 0 && width <= kD3DXMaxImageSide && height <= kD3DXMaxImageSide &&
           width * height <= kD3DXMaxImagePixels;
}

bool D3DXDecodeImage(const BYTE* data, std::size_t size, D3DXDecodedImage& out)
{
    try {
        if (size >= 2 && data[0] == 'B' && data[1] == 'M') return DecodeBmpImage(data, size, out);
        if (D3DXIsPng(data, size)) return D3DXDecodePng(data, size, out);
        if (D3DXIsJpeg(data, size)) return D3DXDecodeJpeg(data, size, out);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "d3dx: out of memory decoding a picture\n");
    }
    return false;
}

bool D3DXLoadImageFile(const char* szPath, D3DXDecodedImage& out)
{
    if (!szPath || !szPath[0]) return false;
    std::unique_ptr<FILE, int (*)(FILE*)> file(FOpen(szPath, "rb"), &std::fclose);
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return false;
    const long length = std::ftell(file.get());
    if (length <= 0 || static_cast<unsigned long>(length) > kD3DXMaxImageFileBytes) return false;
    if (std::fseek(file.get(), 0, SEEK_SET) != 0) return false;
    std::vector<BYTE> bytes(static_cast<std::size_t>(length));
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return false;
    return D3DXDecodeImage(bytes.data(), bytes.size(), out);
}
