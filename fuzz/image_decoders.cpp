// fuzz-links: qb_platform
// Fuzz target: any bytes given to the PNG and JPEG decoders give a picture whose pixel count
// matches its size, within the decoders' bounds, or are refused; never a read outside the input
// (the sanitizers watch). The first byte chooses the decoder when the bytes carry no signature.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/d3d9/D3DXImage.h"
#include "platform/d3d9/D3DXJpegImage.h"
#include "platform/d3d9/D3DXPngImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) {
        return 0;
    }
    D3DXDecodedImage image;
    const bool png = D3DXIsPng(data, size) || (!D3DXIsJpeg(data, size) && (data[0] & 1) != 0);
    const bool decoded = png ? D3DXDecodePng(data, size, image) : D3DXDecodeJpeg(data, size, image);
    if (decoded && (image.width == 0 || image.height == 0 ||
                    image.argb.size() != static_cast<std::size_t>(image.width) * image.height)) {
        std::abort();
    }
    return 0;
}
