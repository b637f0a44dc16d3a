// What block, character and item definitions store in their own part of a file, after
// the base part: the tile position (two uint16) and the inheritance flags (int32 n, n bytes, one
// per property group of the definition type; see PaletteRef.h for the templates they copy from).
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/cVector.h"

// Reads the tile column and row. 1, or 0 at the end of the file (both then stay).
int LoadTilePosition(FILE* fp, std::uint16_t& nX, std::uint16_t& nY);
// Writes the tile column and row. 1, or 0 when a write failed.
int SaveTilePosition(FILE* fp, std::uint16_t nX, std::uint16_t nY);

// Reads the flag count (checked against the bytes left) and the flags into flags, which then hold
// exactly the stored flags: a shorter or longer vector is kept as stored, so that a definition is
// saved again as it was read (groups beyond the vector count as not inherited). 1, or 0 when the
// file cannot hold the flags (flags then unchanged).
int LoadInheritFlags(FILE* fp, cVector<std::uint8_t>& flags);
// Writes the count and the flags. 1, or 0 when a write failed.
int SaveInheritFlags(FILE* fp, const cVector<std::uint8_t>& flags);

// The upgrade step "insert flag k" of older files: the vector becomes nGroupCount long, flags
// k .. nGroupCount-2 move up one place (the last one is lost) and flag k becomes 1, so that a
// group the older file did not store is taken from the template. Nothing for k outside the
// vector.
void InsertInheritFlag(cVector<std::uint8_t>& flags, int k, int nGroupCount);

// 1 when flag nGroup is set; flags beyond the vector count as not set. Inline: every definition
// read asks it for each of its groups.
inline int IsInherited(const cVector<std::uint8_t>& flags, int nGroup)
{
    return nGroup >= 0 && static_cast<std::size_t>(nGroup) < flags.size() && flags.data()[nGroup] != 0 ? 1 : 0;
}
