// OGG files for the music tests, encoded at test time with oggenc (vorbis-tools, installed by
// scripts/deps.sh) from WAV files the test writes.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace oggfixtures {

// A sine of `hz` at `level` (0..1 of full scale) in the channels listed in `sounding` (the other
// channels silent), `frames` frames at `rate`, as 16-bit PCM WAV bytes.
inline std::vector<std::uint8_t> SineWav(int rate, int channels, std::size_t frames, double hz, double level,
                                         std::vector<int> sounding = {0, 1})
{
    std::vector<std::uint8_t> out;
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&](std::uint16_t v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(frames * channels * 2);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    u32(36 + dataBytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    u32(16);
    u16(1);
    u16(static_cast<std::uint16_t>(channels));
    u32(static_cast<std::uint32_t>(rate));
    u32(static_cast<std::uint32_t>(rate * channels * 2));
    u16(static_cast<std::uint16_t>(channels * 2));
    u16(16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    u32(dataBytes);
    for (std::size_t i = 0; i < frames; ++i) {
        const double v = level * std::sin(2.0 * M_PI * hz * static_cast<double>(i) / rate);
        for (int c = 0; c < channels; ++c) {
            bool on = false;
            for (int s : sounding) on = on || s == c;
            u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(on ? std::lround(v * 32767) : 0)));
        }
    }
    return out;
}

// Encodes the WAV bytes into the OGG file at `ogg` (host path); false when oggenc fails.
inline bool Encode(const std::vector<std::uint8_t>& wav, const std::filesystem::path& ogg)
{
    const std::filesystem::path wavPath = ogg.string() + ".wav";
    {
        std::ofstream out(wavPath, std::ios::binary);
        out.write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
    }
    const std::string command = "oggenc -Q -q 6 -o '" + ogg.string() + "' '" + wavPath.string() + "'";
    const bool ok = std::system(command.c_str()) == 0;
    std::filesystem::remove(wavPath);
    return ok && std::filesystem::exists(ogg);
}

}  // namespace oggfixtures
