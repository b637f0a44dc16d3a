// Drawing of the hero's own extras, once a frame after the character itself: the box display
// (its collision boxes, filled or outlined, in cycling shades) and the view mask (a window of the
// stage's mask picture centred on the hero, or ahead of it). Reads the stepped state only, except
// the box display's colour phase, which advances once per drawn frame. Game thread.
#pragma once

#include "graphics/DDSurfaceData.h"
#include "objects/chara/cPlayer.h"

// Screen rectangle of a box-display entry: the box's offsets from the hit box, plus the graphic
// offsets and the graphic's screen position.
void BoxDisplayRect(const cPlayer& hero, const BOXDISPLAY& entry, int& x, int& y);
// The palette colour of an entry: as it is with bFixed (8 bits a pixel with palette cycling on),
// else colour + phase / 8.
int BoxDisplayColour(const BOXDISPLAY& entry, bool bFixed);
// Draws every entry of mode 1 (filled) or 2 (outline) onto target and advances its phase
// (0..31).
void DrawBoxDisplay(cPlayer& hero, DDSURFACEDATA* target);

// The top-left of the 640 x 480 window of a nMaskWidth x nMaskHeight mask picture whose centre
// lies on the hero's graphic centre; view shapes 2 and 4 move it ahead of the hero by its view
// range. Kept inside the picture.
void ViewMaskWindow(const cPlayer& hero, int nMaskWidth, int nMaskHeight, int& sx, int& sy);
// Draws that window of mask at (0, 0) of target with its colour key, when both exist and the
// hero's definition asks for a view mask (shapes 1..4).
void DrawViewMask(const cPlayer& hero, DDSURFACEDATA* target, DDSURFACEDATA* mask);
