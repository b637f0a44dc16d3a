#include "platform/gdi/PngWriter.h"

#include <png.h>

#include <cstring>
#include <vector>

bool WritePngFile(const std::string& hostPath, const std::uint32_t* pixels, int width, int height, int pitch)
{
    if (pixels == nullptr || width <= 0 || height <= 0 || pitch < width) return false;
    std::vector<png_byte> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<size_t>(y) * pitch + x];
            png_byte* out = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            out[0] = static_cast<png_byte>(p >> 16);
            out[1] = static_cast<png_byte>(p >> 8);
            out[2] = static_cast<png_byte>(p);
        }
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    const int ok = png_image_write_to_file(&image, hostPath.c_str(), 0, rgb.data(), 0, nullptr);
    png_image_free(&image);
    return ok != 0;
}
