// Fuzz target: any byte image given to the BMP decoder is either a picture whose pixels all lie
// inside what was decoded, of a size bounded by the input (or the run-length cap), or refused;
// never a read outside the input (the sanitizers watch).
// fuzz-links: qb_platform
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/gdi/BmpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    BmpImage image;
    if (!DecodeBmp(data, size, image)) return 0;
    // Uncompressed pixels come from the input; run-length pictures are capped at 64 MiB.
    const size_t need = static_cast<size_t>(image.stride) * static_cast<size_t>(image.height);
    if (image.width <= 0 || image.height <= 0 || image.bits.size() != need ||
        (need > size && need > 64u * 1024u * 1024u))
        std::abort();
    // Touch the corners and the middle through the pixel reader.
    DWORD sum = 0;
    sum += BmpPixelToXRGB(image, 0, 0);
    sum += BmpPixelToXRGB(image, image.width - 1, image.height - 1);
    sum += BmpPixelToXRGB(image, image.width / 2, image.height / 2);
    return static_cast<int>(sum & 0);
}
