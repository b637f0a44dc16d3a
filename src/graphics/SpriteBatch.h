// The Direct3D sprite batch. While it is open, every blit that takes the hardware path (a render
// target drawn from a video-memory texture) is recorded instead of drawn; closing the batch sorts
// the records by texture (when asked) and draws each run of like records from one vertex buffer
// and one index buffer, setting the texture and the states once per run. Blits that take the
// software path are drawn at once. Under DirectDraw the operations do nothing.
//
// The stage-play screen opens it around the drawing of the field and registers the textures of its
// picture slots in the order they are to be drawn. Game thread only; the state is global.
#pragma once

#include "graphics/DDSurfaceData.h"

// Opens the batch; bSort 1 orders the records by registered texture when it closes. A batch that
// is still open with records is drawn first, so that nothing recorded is lost.
void DDBeginBatch(int bSort);
// Registers a texture (the surface it shares, if any) for the sorted order: records from the n-th
// registered texture are drawn after those of the (n-1)-th, records from unregistered surfaces
// first. Register before the first blit from it; a second registration changes nothing. Only while
// a sorting batch is open.
void DDBatchAddTexture(DDSURFACEDATA* lpSD);
// Draws the records and closes the batch. Runs are maximal sequences of consecutive records with
// the same target, source, flags and blend state, split every 16384 records. FALSE when a run
// could not be drawn.
BOOL DDEndBatch();

// For the blits: TRUE while a batch is open (Direct3D).
BOOL DDBatchIsOpen();
// For the blits: records one clipped hardware-path blit (both surfaces redirected) with the blend
// state of this moment.
void DDBatchRecordBlt(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx, int sy,
                      int nSrcWidth, int nSrcHeight, int nFlags);
