// Colour fills of rectangles, by palette number or by device colour, on either back-end.
//
// Rectangles are clipped to the surface on every side (a fill starting left of or above the
// surface keeps its right and bottom edges). Under Direct3D a fill is a quad coloured by the
// texture factor and blended (a colour of alpha 0 leaves the target as it was); a colour-keyed
// render target filled with its transparent value is cleared instead; a target that is not a
// render target is filled through a pixel lock. Under DirectDraw a fill is a colour-fill Blt of a
// raw pixel value. While the box batch is open, Direct3D quad fills are collected (BoxBatch.h).
//
// Game thread (the main thread only inside the device restore).
#pragma once

#include "graphics/DDSurfaceData.h"

// Fills with palette number dwPalNum (0..255; 0 is the transparent colour, transparent under
// Direct3D; larger numbers give colour 0 and a trace line). FALSE when the surface is missing or
// the back-end refused.
BOOL DDFillRectPal(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, DWORD dwPalNum);
// DDFillRectPal over the whole picture.
BOOL DDFillSurfacePal(DDSURFACEDATA* lpSD, DWORD dwPalNum);
// Fills with a device colour: ARGB under Direct3D, the raw pixel value under DirectDraw.
BOOL DDFillRectColor(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, DWORD dwColor);
// DDFillRectColor over the whole picture.
BOOL DDFillSurfaceColor(DDSURFACEDATA* lpSD, DWORD dwColor);
