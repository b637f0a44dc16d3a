// The surface record: every picture the engine draws or draws into, whichever back-end is open.
//
// A record is empty (no back-end part) until it is created from a bitmap or as an empty picture,
// and can be released and created again. Records are neither copied nor moved: the Direct3D
// surface list (DTSurfaceList) and the shared slots (lpShareSD) keep pointers to them, so they
// live in storage that never moves them (static tables, std::deque, std::list). A record that is
// destroyed while still created releases its back-end objects first.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/d3d9/D3D9.h"
#include "platform/ddraw/DirectDraw.h"

// Where a Direct3D surface keeps its texture.
enum DTMEMORYTYPE : int {
    DTMEMORYTYPE_VIDEO_RT = 0,    // video memory, usable as a render target
    DTMEMORYTYPE_SYSTEM = 1,      // system memory: survives a device reset, drawn in software
    DTMEMORYTYPE_VIDEO_NORT = 2,  // treated as DTMEMORYTYPE_VIDEO_RT
};

// The Direct3D part of a surface record.
struct DTSURFACEDATA {
    int nIndex = 0;                                // creation number (0: the back buffer)
    IDirect3DSurface9* lpSurface = nullptr;        // level 0 of the texture; the device's back buffer for BackBuffer
    IDirect3DSurface9* lpSystemSurface = nullptr;  // system-memory copy of a render-target texture (pixel access)
    IDirect3DVertexBuffer9* lpVertexBuffer = nullptr;  // four vertices of FVF 0x144 (112 bytes)
    IDirect3DTexture9* lpTexture = nullptr;
    D3DSURFACE_DESC LevelDesc;                // description of level 0
    int nMemoryType = DTMEMORYTYPE_VIDEO_RT;  // DTMEMORYTYPE the texture ended up in
    int bColorKey = 0;
    int bRenderTarget = 0;
    std::vector<BYTE> lpIndexMap;  // palette-index map (empty: none), nIndexMapPitch per row
    int nIndexMapPitch = 0;        // pixels per row of lpIndexMap
};

// The DirectDraw part of a surface record.
struct DDSSURFACEDATA {
    IDirectDrawSurface7* lpDDSurface = nullptr;
    std::vector<BYTE> lpIndexMap;  // palette-index map (empty: none), nIndexMapPitch per row
    int nIndexMapPitch = 0;
};

struct DDSURFACEDATA {
    DDSURFACEDATA() = default;
    // Releases the back-end objects when the record is still created.
    ~DDSURFACEDATA();
    DDSURFACEDATA(const DDSURFACEDATA&) = delete;
    DDSURFACEDATA& operator=(const DDSURFACEDATA&) = delete;

    std::unique_ptr<DTSURFACEDATA> lpDT;    // Direct3D part, null under DirectDraw
    std::unique_ptr<DDSSURFACEDATA> lpDDS;  // DirectDraw part, null under Direct3D
    // "BackBuffer", "VirBackBuffer", "WorkSD", "OffScreen" (empty) or "OffScreenFromFile".
    std::string szSurfaceType;
    int nWidth = 0;  // picture size in pixels
    int nHeight = 0;
    int nTexWidth = 0;  // texture size after the device's rules (Direct3D); else the picture size
    int nTexHeight = 0;
    std::string szFileName;  // the bitmap (game path) the surface is rebuilt from; "E": empty
    int bSystemMemory = 0;   // DirectDraw: the surface lives in system memory
    int nMirrorW = 0;        // frame width / height of pre-mirrored frames (0: none)
    int nMirrorH = 0;
    DDSURFACEDATA* lpShareSD = nullptr;  // Direct3D: the surface whose texture this one draws from
    int bLost = 0;                       // rebuilt empty after a loss: the owner must draw it again
};

// Definition of a surface to build (the built-in catalogue, the screens' own surface lists).
struct DDSURFACEINFO {
    std::string szFileName = "E";  // "E": no file, an empty surface of nWidth x nHeight
    int bColorKey = 0;
    int bSystemMemory = 0;  // DirectDraw: in system memory
    int nMemoryType = DTMEMORYTYPE_VIDEO_RT;
    int bShare = 0;  // Direct3D: no texture of its own (lpShareSD set afterwards)
    int bIndexMap = 0;
    int bOptional = 0;  // a missing file is no error
    int nMirrorW = 0;
    int nMirrorH = 0;
    int nWidth = 0;  // used only without a file
    int nHeight = 0;
};

// True when the record names no bitmap ("E" or empty).
inline bool DDIsEmptyFileName(const std::string& name)
{
    return name.empty() || name == "E";
}
