// Sample memory of a secondary sound buffer, shared by the buffer and its duplicates.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/dsound/WaveFormat.h"
#include "platform/win/WinTypes.h"

struct SoundSamples {
    WAVEFORMATEX format;       // a playable PCM format
    std::vector<BYTE> bytes;   // the buffer's bytes; guarded by the device's lock
    std::uint64_t frames = 0;  // whole frames in bytes (a trailing partial frame never plays)
};
