// fuzz-links: vox qb_platform
// Fuzz target: any bytes given as an OGG music file are opened or refused, and an opened one is
// decoded for a while, looping, without a read or write outside the decoder's buffers (the
// sanitizers watch) and with every sample a finite number.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FuzzFile.h"
#include "platform/vox/VoxSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFile file(".ogg");
    if (!file.Write(data, size)) {
        return 0;
    }
    VoxSource source;
    if (!source.Open(file.host, 22050)) {
        return 0;
    }
    source.SetLoop(2);
    source.Start();
    std::vector<float> out(2 * 1024);
    for (int block = 0; block < 64 && source.IsPlaying(); ++block) {
        std::fill(out.begin(), out.end(), 0.0f);
        source.Render(out.data(), out.size() / 2);
        for (float sample : out) {
            if (!std::isfinite(sample)) {
                std::abort();
            }
        }
    }
    return 0;
}
