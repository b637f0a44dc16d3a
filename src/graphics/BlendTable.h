// The blend table of the 8-bit DirectDraw screen: palette colours cannot be mixed arithmetically
// there, so a table per palette variant gives the mixture of any two entries.
#pragma once

#include "platform/win/WinTypes.h"

constexpr int kBlendTableBytes = 65536;  // 256 rows of 256 palette indices

// The table in use: the byte at a * 256 + b is the index drawn where colour b is mixed half and
// half over colour a. Start-up (main thread) loads it; the game thread only reads it.
extern BYTE BlendTable[kBlendTableBytes];

// Reads a blend table file (game path, e.g. "bmp\hbt\hbt01.dat") into pTable (65536 bytes).
// Direct3D: TRUE at once, nothing read. DirectDraw: the first 65536 bytes of the file (bytes
// beyond them are not read); FALSE when the file cannot be opened or is shorter, and pTable then
// keeps its previous contents.
BOOL DDLoadBlendTable(BYTE* pTable, const char* pszFileName);
