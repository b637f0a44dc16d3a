// The PCM format block of WAV files and sound buffers.
#pragma once

#include "platform/win/WinTypes.h"

constexpr WORD WAVE_FORMAT_PCM = 1;

// Field for field the classic format block. Its in-memory layout is not the file's: readers
// fill it field by field, never with a byte copy.
struct WAVEFORMATEX {
    WORD wFormatTag = 0;        // 1 = PCM; other tags (3 float, 0xFFFE extensible) are refused
    WORD nChannels = 0;         // 1 mono, 2 stereo (left first)
    DWORD nSamplesPerSec = 0;   // frames per second
    DWORD nAvgBytesPerSec = 0;  // nSamplesPerSec * nBlockAlign
    WORD nBlockAlign = 0;       // bytes per frame: nChannels * wBitsPerSample / 8
    WORD wBitsPerSample = 0;    // 8 (unsigned, 0x80 = silence) or 16 (signed little-endian)
    WORD cbSize = 0;            // extra format bytes; ignored for PCM
};
