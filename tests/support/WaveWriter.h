// Sound effects for a game folder: short tones synthesised by code and written as PCM WAV files
// (RIFF "WAVE", a 16-byte "fmt " chunk, then the "data" chunk).
#pragma once

#include <cstdint>
#include <vector>

namespace testsupport {

enum class Waveform { Square, Triangle, Sine, Noise };

// One segment of a sound: the pitch glides from startHz to endHz while the level falls linearly
// from volume to volume x (1 - decay); volume is 0..1 of full scale.
struct ToneSpec {
    Waveform wave = Waveform::Square;
    double startHz = 440.0;
    double endHz = 440.0;
    int milliseconds = 100;
    double volume = 0.5;
    double decay = 1.0;
};

// The samples of the segments one after the other, as signed values -1..1, at rate samples per
// second. Noise comes from a fixed generator: the same tones give the same samples.
std::vector<double> Synthesize(const std::vector<ToneSpec>& segments, int rate);

// A mono WAV file of the samples (-1..1): 8-bit unsigned PCM when bits is 8, else 16-bit signed.
std::vector<std::uint8_t> EncodeWav(const std::vector<double>& samples, int rate, int bits);

}  // namespace testsupport
