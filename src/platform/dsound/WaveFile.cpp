#include "platform/dsound/WaveFile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/win/Files.h"

namespace {

// Room for the RIFF header, the format chunk and other chunks around the largest sample data.
constexpr std::size_t kMaxFileBytes = kMaxWaveDataBytes + 0x100000;

DWORD ReadU32(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}

WORD ReadU16(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

struct Chunk {
    std::size_t dataOffset = 0;  // first byte after the 8-byte header
    std::size_t size = 0;        // the bytes present
    std::size_t declared = 0;    // the size its header gives
};

// How a chunk that runs past the end is taken.
enum class Overrun { Refuse, CutAtEnd };

// Finds the first chunk with `id` from `offset` on, below `end`. Chunks before it must fit below
// end; the one found may run past end when overrun allows, and is then cut there.
bool FindChunk(const BYTE* file, std::size_t offset, std::size_t end, const char* id, Chunk& found,
               Overrun overrun = Overrun::Refuse)
{
    while (offset < end && end - offset >= 8) {
        const std::size_t size = ReadU32(file + offset + 4);
        const std::size_t dataOffset = offset + 8;
        const bool bMatch = std::memcmp(file + offset, id, 4) == 0;
        if (size > end - dataOffset) {
            // The chunk runs past the file or the RIFF chunk.
            if (!bMatch || overrun == Overrun::Refuse) {
                return false;
            }
            found = {dataOffset, end - dataOffset, size};
            return true;
        }
        if (bMatch) {
            found = {dataOffset, size, size};
            return true;
        }
        offset = dataOffset + size + (size & 1);
        if (offset > end) {
            return false;
        }
    }
    return false;
}

WAVEFORMATEX ReadFormat(const BYTE* p, std::size_t size)
{
    WAVEFORMATEX f;
    f.wFormatTag = ReadU16(p);
    f.nChannels = ReadU16(p + 2);
    f.nSamplesPerSec = ReadU32(p + 4);
    f.nAvgBytesPerSec = ReadU32(p + 8);
    f.nBlockAlign = ReadU16(p + 12);
    f.wBitsPerSample = ReadU16(p + 14);
    f.cbSize = size >= 18 ? ReadU16(p + 16) : 0;
    return f;
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

bool ParseWaveFile(const BYTE* pData, std::size_t nSize, WaveFileData& out)
{
    if (pData == nullptr || nSize < 12 || std::memcmp(pData, "RIFF", 4) != 0 ||
        std::memcmp(pData + 8, "WAVE", 4) != 0) {
        return false;
    }
    const std::size_t riffSize = ReadU32(pData + 4);
    if (riffSize < 4) {
        return false;
    }
    const std::size_t end = riffSize > nSize - 8 ? nSize : riffSize + 8;
    Chunk fmt;
    if (!FindChunk(pData, 12, end, "fmt ", fmt) || fmt.size < 16) {
        return false;
    }
    const WAVEFORMATEX format = ReadFormat(pData + fmt.dataOffset, fmt.size);
    if (format.wFormatTag != WAVE_FORMAT_PCM) {
        return false;
    }
    const std::size_t afterFmt = fmt.dataOffset + fmt.size + (fmt.size & 1);
    Chunk data;
    if (afterFmt > end || !FindChunk(pData, afterFmt, end, "data", data, Overrun::CutAtEnd) ||
        data.size > kMaxWaveDataBytes) {
        return false;
    }
    out.format = format;
    out.samples.assign(pData + data.dataOffset, pData + data.dataOffset + data.size);
    out.nDeclaredBytes = data.declared;
    return true;
}

bool ReadWaveFile(const char* szPath, WaveFileData& out)
{
    if (szPath == nullptr || szPath[0] == '\0') {
        return false;
    }
    std::unique_ptr<FILE, FileCloser> file(FOpen(szPath, "rb"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) {
        return false;
    }
    const long size = std::ftell(file.get());
    if (size < 0 || static_cast<unsigned long>(size) > kMaxFileBytes || std::fseek(file.get(), 0, SEEK_SET) != 0) {
        return false;
    }
    std::vector<BYTE> image(static_cast<std::size_t>(size));
    if (!image.empty() && std::fread(image.data(), 1, image.size(), file.get()) != image.size()) {
        return false;
    }
    return ParseWaveFile(image.data(), image.size(), out);
}
