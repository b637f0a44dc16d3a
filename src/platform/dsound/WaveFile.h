// Reading PCM WAV files, in place of the multimedia file calls.
//
// A file is RIFF "WAVE": its chunks (4-byte id, 32-bit little-endian size, the bytes, a pad byte
// after an odd size) are walked from the start. The first "fmt " chunk gives the format: at least
// the 16 bytes of the PCM fields, of which at most 18 are read (cbSize included when present).
// Only tag 1 (PCM) is taken. The sound is the first "data" chunk after "fmt "; a "data" chunk
// stored before it is not seen. Every chunk before it must lie inside both the file and the
// RIFF size; a data chunk that claims more bytes than are there (a truncated file, common among
// hand-made sounds) gives the bytes that are there. The samples are taken as they are: whether
// the mixer can play the format is for the buffer to say.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/dsound/WaveFormat.h"
#include "platform/win/WinTypes.h"

// Largest sample data taken, the size of the largest sound buffer (DSBSIZE_MAX).
constexpr std::size_t kMaxWaveDataBytes = 0x0FFFFFFF;

struct WaveFileData {
    WAVEFORMATEX format;
    std::vector<BYTE> samples;       // the "data" chunk's bytes present in the file
    std::size_t nDeclaredBytes = 0;  // the size the "data" chunk's header gives (more when cut short)
};

// Parses a whole WAV file image. False (out unchanged) for anything but a PCM WAV whose chunks
// up to its "data" chunk are well formed.
bool ParseWaveFile(const BYTE* pData, std::size_t nSize, WaveFileData& out);

// Reads and parses the file at a game path (see platform/win/Files.h). False for an empty name,
// a missing or unreadable file, a file larger than the data limit allows, or a bad WAV.
bool ReadWaveFile(const char* szPath, WaveFileData& out);
