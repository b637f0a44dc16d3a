// Surface records: creation (empty or from a bitmap file), release, mirrored frames, palette-index
// maps, the texture-size rules, and the screens' own surface vectors and lists.
//
// All of it runs on the thread that draws (the game thread), at start-up on the main thread, and
// during the Direct3D device restore on the main thread while the game thread waits.
#pragma once

#include <vector>

#include "graphics/DDSurfaceData.h"
#include "graphics/DDSurfaceVec.h"

// Results of DDCreateSurfaceFromFile (besides a Direct3D failure code, which passes through).
constexpr int DDSURFACE_OK = 0;
constexpr int DDSURFACE_CREATESURFACE_ERR = 4;
constexpr int DDSURFACE_LOADIMAGE_ERR = 8;
constexpr int DDSURFACE_SETCOLORKEY_ERR = 9;

// An empty surface of nWidth x nHeight filled with the transparent colour (Direct3D: a colour-keyed
// surface is cleared transparent, any other to the transparent colour, opaque). bColorKey 1 keys
// out the transparent colour; bSystemMemory 1 puts a DirectDraw surface in system memory;
// nMemoryType is a DTMEMORYTYPE; bShare (Direct3D) makes a record without a texture of its own.
// bRestore is 1 only in the device restore, which keeps the record's name, index, key flag,
// vertex buffer and system copy. FALSE when the surface cannot be made.
BOOL DDCreateSurface(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int bColorKey, int bSystemMemory, int nMemoryType,
                     int bShare, int bRestore);
// A surface holding the bitmap szPath (a game path). nBpp is the screen depth; bIndexMap builds a
// palette-index map; nMirrorW / nMirrorH reverse each frame of that width / height in place.
// Returns DDSURFACE_OK, DDSURFACE_CREATESURFACE_ERR, DDSURFACE_LOADIMAGE_ERR, or under Direct3D
// the failing call's result when no texture could be made.
int DDCreateSurfaceFromFile(DDSURFACEDATA* lpSD, const char* szPath, int bColorKey, int nBpp, int bSystemMemory,
                            int nMemoryType, int bShare, int bIndexMap, int nMirrorW, int nMirrorH, int bRestore);
// FALSE for DDSURFACE_CREATESURFACE_ERR, DDSURFACE_LOADIMAGE_ERR and DDSURFACE_SETCOLORKEY_ERR
// (each writes its name to the trace log); TRUE for every other value.
BOOL DDCheckSurfaceResult(int nResult);

// Releases the back-end objects of one record; the record stays and can be created again. A null
// record does nothing.
void DDFreeSurface(DDSURFACEDATA* lpSD);
void DDReleaseSurface(DDSURFACEDATA* lpSD);
void DDReleaseSurfaceVec(DDSurfaceVec& vec);
void DDReleaseSurfaceList(DDSurfaceList& list);

// Appends an empty surface of nWidth x nHeight and its definition and creates the surface. FALSE
// when it cannot be created (the caller closes the program). The records never move afterwards.
BOOL DDAddSurfaceVec(DDSurfaceVec& vec, DDSurfaceInfoVec& infos, int nWidth, int nHeight, int bColorKey,
                     int bSystemMemory, int nMemoryType, int bShare);
BOOL DDAddSurfaceList(DDSurfaceList& list, DDSurfaceInfoList& infos, int nWidth, int nHeight, int bColorKey,
                      int bSystemMemory, int nMemoryType, int bShare);
// Releases the surface, removes it and the definition at the same position. FALSE when the
// surface is not in the list.
BOOL DDRemoveSurfaceList(DDSurfaceList& list, DDSurfaceInfoList& infos, DDSURFACEDATA* lpSD);

// DirectDraw: copies the surface's bitmap in again (after a lost surface was restored).
// Direct3D: TRUE without action.
BOOL DDReloadSurface(DDSURFACEDATA* lpSD, int nBpp);
// DirectDraw: *pbOver = 1 when the bitmap is wider than nMaxWidth or higher than nMaxHeight, else
// 0; FALSE (and 0) when it cannot be loaded. Direct3D: TRUE, *pbOver unchanged.
BOOL DDCheckBitmapSize(int* pbOver, const char* szPath, int nMaxWidth, int nMaxHeight);
// DirectDraw: the bitmap's pixels into the created surface (converted to the screen format,
// frames mirrored). FALSE when the bitmap cannot be loaded or the index map cannot be built.
BOOL CopyBitmap(DDSURFACEDATA* lpSD, const char* szPath, int nBpp, int bIndexMap, int nMirrorW, int nMirrorH);

// Direct3D texture-size rules: powers of two (bPow2: 640 -> 1024), squares (bSquareOnly).
void DDGetTextureSize(int* pWidth, int* pHeight);
// FALSE (with a report-log line) when a side is above the device's largest texture.
BOOL DDCheckTextureSize(int nWidth, int nHeight);

// Direct3D: reverses every whole frame of width nFrameWidth of lpSD in place, reading lpSource
// (the same picture). TRUE at once under DirectDraw, for width 0 and for any frame height.
BOOL DDMakeMirrorFrames(DDSURFACEDATA* lpSD, DDSURFACEDATA* lpSource, int nFrameWidth, int nFrameHeight);
// The palette-index map of a true-colour surface: one byte per pixel, *pPitch pixels per row; a
// transparent pixel of a colour-keyed surface gets 0, any other the palette entry of its colour
// (the nearest one when none matches exactly). FALSE when the surface cannot be locked.
BOOL DDMakeIndexMap(std::vector<BYTE>* pMap, int* pPitch, DDSURFACEDATA* lpSD);
