// Drawing of the effect objects and the picture objects of the stage, and the loading of a
// picture's bitmap: the stage drawing's entry points for them. Game thread, during a frame.
#pragma once

#include "graphics/DDSurfaceData.h"
#include "objects/effect/cEffectObj.h"
#include "objects/effect/cPictureObj.h"

// The index of an Effect entry's surface among the stage's effect surfaces (two per entry, entry
// 1 first): 2n - 2 for the plain copy, 2n - 1 for the copy the stretched blits read (unless
// DirectDraw stretches from video memory).
int EffectSurfaceIndex(int nNumber, int bStretchCopy);

// Advances the effect one frame (unless paused and not kept advancing) and draws its cell at its
// place less the camera: a plain blit of width x height from lpSurface at (frame x width, 0), or,
// when stretched, the entry's cell stretched to width x height from lpStretchSurface (from
// lpSurface under DirectDraw with "DD_VideoStretch" on). A missing surface draws nothing. 1 when
// the effect is over (the caller removes it).
int DrawEffectObj(cEffectObj& effect, DDSURFACEDATA* target, DDSURFACEDATA* lpSurface, DDSURFACEDATA* lpStretchSurface,
                  double dScrollX, double dScrollY, int bPaused);

// Counts the picture's time, then draws its whole surface at its screen position (stretched to
// width x height when stretched), colour-keyed. 1 when its time is over (not drawn; the caller
// removes it).
int DrawPictureObj(cPictureObj& picture, DDSURFACEDATA* target, double dScrollX, double dScrollY, int bPaused);
