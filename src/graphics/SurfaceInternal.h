// Steps shared by the surface creators (not for use outside the surface code).
#pragma once

#include "graphics/DDSurfaceData.h"

// A texture that cannot be made even in system memory: the strTextureError box (when set), then
// WM_CLOSE to hWndMain.
void DDReportTextureFailure();
// Direct3D: the record's vertex buffer (112 bytes, FVF 0x144, managed); the failure's code when it cannot be made.
HRESULT DDCreateQuadVertexBuffer(DTSURFACEDATA& dt);
// Direct3D: level 0 of the record's texture into lpSurface (a held one is released first) and its
// description into LevelDesc. The failure's code when it cannot be had.
HRESULT DDFetchLevelSurface(DTSURFACEDATA& dt);
// Direct3D: adds the record to DTSurfaceList unless it is there already.
void DDListSurface(DDSURFACEDATA* lpSD);
// DirectDraw: a new surface filled with palette number 0 (the transparent colour).
void DDFillWithTransparent(IDirectDrawSurface7* lpSurface);
