// The Direct3D box batch: while it is open, quad fills (Fill.h) are collected instead of drawn;
// closing it draws each run of consecutive fills of one target from one vertex buffer. Under
// DirectDraw the operations do nothing. Game thread only; the state is global.
#pragma once

#include "graphics/DDSurfaceData.h"
#include "platform/d3d9/D3D9Types.h"

// Opens the box batch (Direct3D). A batch still open with fills is drawn first.
void DDBeginBoxBatch();
// Draws the collected fills in order and closes the batch; without Direct3D or without fills it
// only closes it.
void DDEndBoxBatch();

// For the fills: TRUE while the box batch is open (Direct3D).
BOOL DDBoxBatchIsOpen();
// For the fills: collects one clipped fill of a render target (already redirected).
void DDBoxBatchAdd(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, D3DCOLOR dwColor);
