// fuzz-links: qb_sound
// libFuzzer target for the Standard MIDI File reader: any bytes are refused or converted without
// reading out of bounds, and a song image, read again as a file, converts to itself.
#include <cstdint>
#include <cstdlib>

#include "sound/MidiFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const cMidiFile reader("");  // no file: the reader is used for its conversion only
    const auto image = reader.Init(data, size);
    if (image) {
        const auto again = reader.Init(image->data(), image->size());
        if (!again || *again != *image) std::abort();
    }
    return 0;
}
