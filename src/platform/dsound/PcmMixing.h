// Mixing one PCM sound into stereo float output: format checks, gain, rate conversion.
//
// Rate conversion is linear interpolation between neighbouring frames: output frame k plays
// source position k x (source rate / output rate), kept in 32.32 fixed point so that a source
// at half the output rate lands exactly on every second output frame. Past the last frame a
// looping sound interpolates towards its first frame; a sound played once holds its last frame.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/dsound/WaveFormat.h"
#include "platform/win/WinTypes.h"

// PCM the mixer plays: tag 1, 1 or 2 channels, 8 or 16 bits, 100..200000 frames per second,
// block align = channels x bytes per sample. cbSize is not looked at.
bool IsPlayablePcmFormat(const WAVEFORMATEX& format);

// Linear gain of a volume in hundredths of a decibel: 10^(volume / 2000); exactly 0 at
// -10000 (and below), exactly 1 at 0.
float VolumeToGain(LONG volume);

// Source frames advanced per output frame, in 32.32 fixed point.
std::uint64_t PcmStep(DWORD sourceRate, int outputRate);

// One playing sound: samples and where it is.
struct PcmVoice {
    const WAVEFORMATEX* format = nullptr;  // a playable format
    const BYTE* data = nullptr;
    std::uint64_t frameCount = 0;  // whole frames in data
    std::uint64_t position = 0;    // 32.32 fixed point, in source frames
    bool looping = false;
};

// Adds `frames` stereo frames of the voice, times gain, to out (interleaved, full scale 1.0;
// an 8-bit sample s is (s - 128) / 128, a 16-bit one s / 32768; mono goes to both channels).
// Advances voice.position. Returns false once a voice played once reached its end: its position
// is then back at 0 and the rest of out is left as it was.
bool MixPcmVoice(PcmVoice& voice, float gain, std::uint64_t step, float* out, std::size_t frames);
