#include "WaveWriter.h"

#include <algorithm>
#include <cmath>

#include "ByteWriter.h"

namespace testsupport {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Oscillator(Waveform wave, double phase, std::uint32_t& noise)
{
    const double cycle = phase - std::floor(phase);
    switch (wave) {
    case Waveform::Square: return cycle < 0.5 ? 1.0 : -1.0;
    case Waveform::Triangle: return cycle < 0.5 ? 4.0 * cycle - 1.0 : 3.0 - 4.0 * cycle;
    case Waveform::Sine: return std::sin(2.0 * kPi * cycle);
    case Waveform::Noise:
        noise = noise * 1103515245u + 12345u;
        return static_cast<double>((noise >> 16) & 0x7FFF) / 16383.5 - 1.0;
    }
    return 0.0;
}

}  // namespace

std::vector<double> Synthesize(const std::vector<ToneSpec>& segments, int rate)
{
    std::vector<double> samples;
    std::uint32_t noise = 1;
    double phase = 0.0;
    for (const ToneSpec& tone : segments) {
        const int count = std::max(0, tone.milliseconds) * rate / 1000;
        for (int i = 0; i < count; ++i) {
            const double t = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
            const double hz = tone.startHz + (tone.endHz - tone.startHz) * t;
            phase += hz / rate;
            const double level = tone.volume * (1.0 - tone.decay * t);
            samples.push_back(level * Oscillator(tone.wave, phase, noise));
        }
    }
    return samples;
}

std::vector<std::uint8_t> EncodeWav(const std::vector<double>& samples, int rate, int bits)
{
    const bool eight = bits == 8;
    const std::uint16_t blockAlign = eight ? 1 : 2;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size()) * blockAlign;
    ByteWriter out;
    out.Bytes("RIFF").U32(36 + dataBytes).Bytes("WAVE");
    out.Bytes("fmt ").U32(16).U16(1).U16(1).U32(static_cast<std::uint32_t>(rate));
    out.U32(static_cast<std::uint32_t>(rate) * blockAlign).U16(blockAlign).U16(eight ? 8 : 16);
    out.Bytes("data").U32(dataBytes);
    for (double sample : samples) {
        const double v = std::clamp(sample, -1.0, 1.0);
        if (eight) {
            out.U8(static_cast<std::uint8_t>(std::lround(128.0 + v * 127.0)));
        } else {
            out.I16(static_cast<std::int16_t>(std::lround(v * 32767.0)));
        }
    }
    return out.Data();
}

}  // namespace testsupport
