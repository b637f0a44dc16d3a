// Test helper: WAV file images built byte by byte from the RIFF layout, independent of the reader.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace wavbytes {

inline void PutU16(std::vector<std::uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
    }
}

// One chunk: id, size, bytes, and a pad byte after an odd size.
inline std::vector<std::uint8_t> Chunk(const char* id, const std::vector<std::uint8_t>& body)
{
    std::vector<std::uint8_t> out(id, id + 4);
    PutU32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0) {
        out.push_back(0);
    }
    return out;
}

// A "fmt " body of the given size (16 for plain PCM, 18 with cbSize, 40 for extensible).
inline std::vector<std::uint8_t> FmtBody(unsigned tag, unsigned channels, std::uint32_t rate, unsigned bits,
                                         std::size_t size = 16)
{
    std::vector<std::uint8_t> out;
    const unsigned block = channels * (bits / 8);
    PutU16(out, tag);
    PutU16(out, channels);
    PutU32(out, rate);
    PutU32(out, rate * block);
    PutU16(out, block);
    PutU16(out, bits);
    out.resize(size, 0);
    return out;
}

// "RIFF" size "WAVE" followed by the chunks in order; riffSize overrides the size field.
inline std::vector<std::uint8_t> Riff(const std::vector<std::vector<std::uint8_t>>& chunks, std::int64_t riffSize = -1)
{
    std::vector<std::uint8_t> body{'W', 'A', 'V', 'E'};
    for (const auto& c : chunks) {
        body.insert(body.end(), c.begin(), c.end());
    }
    std::vector<std::uint8_t> out{'R', 'I', 'F', 'F'};
    PutU32(out, riffSize >= 0 ? static_cast<std::uint32_t>(riffSize) : static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// A plain PCM file.
inline std::vector<std::uint8_t> Pcm(unsigned channels, std::uint32_t rate, unsigned bits,
                                     const std::vector<std::uint8_t>& samples)
{
    return Riff({Chunk("fmt ", FmtBody(1, channels, rate, bits)), Chunk("data", samples)});
}

// 16-bit little-endian sample bytes of the given values.
inline std::vector<std::uint8_t> S16(const std::vector<int>& values)
{
    std::vector<std::uint8_t> out;
    for (int v : values) {
        PutU16(out, static_cast<unsigned>(v) & 0xFFFF);
    }
    return out;
}

inline void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace wavbytes
