// Fuzz target: any byte image given to the WAV parser is either a PCM WAV whose samples lie
// inside the image, or refused; never a read outside it (the sanitizers watch).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/dsound/WaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    WaveFileData out;
    if (ParseWaveFile(data, size, out)) {
        // RIFF header (12), "fmt " with its 16 PCM bytes (24) and the "data" header (8) surround
        // the samples.
        if (out.format.wFormatTag != WAVE_FORMAT_PCM || out.samples.size() + 44 > size) {
            std::abort();
        }
    }
    return 0;
}
