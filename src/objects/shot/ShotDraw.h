// Drawing of shots and swords, once a frame after the stage has stepped: a shot from the built-in
// shot sheet, a sword from the stage's sword surfaces, plain or stretched by its size factor, with
// the colour key. Reads the stepped state; only the shot's animation advances here. Game thread.
#pragma once

#include "graphics/DDSurfaceData.h"
#include "graphics/DDSurfaceVec.h"
#include "objects/shot/cShot.h"

// Built-in slots of the shot sheet for facing left (facing right is the next slot).
constexpr int kShotSheetSlot = 20;
// Sword surfaces per SwordType entry: facing left and right, and their stretch sources.
constexpr int kSwordSurfacesPerType = 4;

// Where the pictures of shots and swords come from: the stage's sword surfaces (4 per SwordType
// entry, facing left and right, then the two stretch sources), and the "DD_VideoStretch" switch.
// The surfaces are read through the cache itself: its elements are not contiguous.
struct SHOTDRAWSOURCES {
    DDSurfaceVec* swordSurfaces = nullptr;
    int bVideoStretch = 0;
};

// With the DirectDraw back-end open: slot + 18 (the sheet's second copy) when preferSecond is set
// and slot's DirectDraw surface exists, or when it is clear and the surface does not exist;
// otherwise, and always under Direct3D, slot.
int ChooseSheetSlot(int nSlot, int preferSecond);
// The source cell of shot graphic n (0..119) at animation frame f in the shot sheet; false for a
// graphic outside the sheet.
bool ShotSheetCell(int nGraphic, int nFrame, int& sx, int& sy);
// Draws the shot or sword at its screen rectangle onto target (nothing when invisible or when its
// picture does not exist). noAdvance: the shot's animation frame is read without a step.
void DrawShot(cShot& shot, DDSURFACEDATA* target, int noAdvance, const SHOTDRAWSOURCES& sources);
