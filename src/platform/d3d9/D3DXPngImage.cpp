#include "platform/d3d9/D3DXPngImage.h"

#include <png.h>

#include <cstring>

namespace {

// Frees the reader's state however the decode ends.
class PngImageReader {
public:
    PngImageReader()
    {
        std::memset(&image_, 0, sizeof image_);
        image_.version = PNG_IMAGE_VERSION;
    }
    ~PngImageReader() { png_image_free(&image_); }
    PngImageReader(const PngImageReader&) = delete;
    PngImageReader& operator=(const PngImageReader&) = delete;
    png_image& Image() { return image_; }

private:
    png_image image_;
};

}  // namespace

bool D3DXIsPng(const BYTE* data, std::size_t size)
{
    static const BYTE kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return size >= 8 && std::memcmp(data, kSignature, 8) == 0;
}

bool D3DXDecodePng(const BYTE* data, std::size_t size, D3DXDecodedImage& out)
{
    PngImageReader reader;
    png_image& image = reader.Image();
    if (!png_image_begin_read_from_memory(&image, data, size)) return false;
    if (!D3DXImageSizeAllowed(image.width, image.height)) return false;
    // BGRA bytes in memory are 0xAARRGGBB words on this little-endian machine.
    image.format = PNG_FORMAT_BGRA;
    out.width = image.width;
    out.height = image.height;
    out.fileFormat = D3DXIFF_PNG;
    out.argb.assign(static_cast<std::size_t>(image.width) * image.height, 0);
    return png_image_finish_read(&image, nullptr, out.argb.data(), static_cast<png_int_32>(image.width * 4), nullptr) !=
           0;
}
