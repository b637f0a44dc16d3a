// The 71 built-in surfaces: their definitions (SDInfoTable, built at static construction; the
// stage writes the names of its background slots 55-62 into it) and their records (SDTable).
// Slot numbers are fixed and used directly by all drawing code. Slot 0 (the palette bitmap) is
// never loaded as a surface: it gives the palette and the transparent colour.
#pragma once

#include "graphics/DDSurfaceData.h"

constexpr int kBuiltInSurfaceCount = 71;

extern DDSURFACEINFO SDInfoTable[kBuiltInSurfaceCount];
extern DDSURFACEDATA SDTable[kBuiltInSurfaceCount];

// For each slot listed in pSlots (nCount entries), in order: releases the slot, then builds it
// again from the entry of the same number of lpSDInfoTable into lpSDArray. A failing entry that is
// not optional shows "%s の読み込みに失敗！" (bitmaps) or the out-of-memory box (empty surfaces)
// and makes the call FALSE; an optional one is left empty. A slot number outside the table is a
// checked-access error. Every screen loads the slots it uses when it starts.
BOOL DDLoadSurfaces(DDSURFACEDATA* lpSDArray, const int* pSlots, int nCount);
// Direct3D start-up step after DDInit: points the 31 sharing slots at the slots whose textures they
// draw from. Nothing under DirectDraw.
void LinkSharedSurfaces();
// The slot whose texture a built-in slot draws from under Direct3D, or -1.
int SharedSlotOf(int nSlot);
