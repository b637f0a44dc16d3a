// The software mixer behind the audio output: sums every source into 16-bit stereo.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/host/AudioOutput.h"

class AudioMixer {
public:
    // Any thread. A source is called from the next Mix on; after Remove returns it is not called.
    void Add(std::shared_ptr<AudioSource> source);
    void Remove(const AudioSource* source);

    // Audio thread (or the null device's pump): overwrites out with `frames` interleaved stereo
    // frames, the sum of all sources clipped to the 16-bit range. No allocation.
    void Mix(std::int16_t* out, std::size_t frames);

    // Converts one float sample (full scale -1..1) to 16 bits: x 32768, rounded to nearest,
    // clipped to -32768..32767.
    static std::int16_t ToInt16(float sample);

private:
    static constexpr std::size_t kChunkFrames = 1024;

    std::mutex mutex_;  // held while mixing, so that Remove waits for a mix in progress
    std::vector<std::shared_ptr<AudioSource>> sources_;
    std::array<float, kChunkFrames * 2> scratch_{};
};
