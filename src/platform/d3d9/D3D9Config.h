// The answers of the software adapter, and the failures tests can inject.
//
// One settings record per process, read by Direct3DCreate9, the adapter queries, CreateDevice
// and resource creation at the time of the call. Tests change it through D3D9Config() and put
// the defaults back with ResetD3D9Config(); the game never changes it.
#pragma once

#include <functional>
#include <string>

#include "platform/d3d9/D3D9Types.h"

struct D3D9Settings {
    // Direct3DCreate9 returns null (a machine without Direct3D 9).
    bool failDirect3DCreate = false;
    // CreateDevice with D3DCREATE_HARDWARE_VERTEXPROCESSING fails with D3DERR_NOTAVAILABLE.
    bool failHardwareVertexProcessing = false;
    // Every CreateDevice fails with D3DERR_NOTAVAILABLE.
    bool failCreateDevice = false;
    // CreateVertexBuffer / CreateIndexBuffer fail with D3DERR_OUTOFVIDEOMEMORY.
    bool failCreateVertexBuffer = false;
    bool failCreateIndexBuffer = false;

    // The adapter's display mode. Width/height 0 take the desktop size of the system facts.
    // The virtual display refreshes at this rate; presents with vertical sync wait for it.
    D3DDISPLAYMODE displayMode{0, 0, 60, D3DFMT_X8R8G8B8};

    // Device capabilities (see DefaultD3D9Caps()).
    D3DCAPS9 caps;

    // Texture memory for DEFAULT- and MANAGED-pool textures, in bytes. Creation beyond it fails
    // with D3DERR_OUTOFVIDEOMEMORY; GetAvailableTextureMem reports what is left.
    ULONGLONG textureMemoryBytes = 256ull * 1024 * 1024;

    // Adapter identifier texts.
    std::string driver = "qbsoft.drv";
    std::string description = "Software Direct3D 9 device";
    std::string deviceName = "\\\\.\\DISPLAY1";
    LONGLONG driverVersion = (6LL << 48) | (14LL << 32) | (10LL << 16) | 1;  // 6.14.10.1

    // Answers of CheckDeviceFormat; when empty, DefaultCheckDeviceFormat below.
    std::function<HRESULT(DWORD usage, D3DRESOURCETYPE type, D3DFORMAT format)> checkDeviceFormat;

    // New devices record their calls (see D3D9CallLog.h) from creation on.
    bool callLog = false;
};

// The caps of the software device: DYNAMICTEXTURES, ALPHA_FULLSCREEN_FLIP_OR_DISCARD, no POW2
// or SQUAREONLY restriction, textures up to 4096 x 4096, 8 blend stages, 8 textures.
D3DCAPS9 DefaultD3D9Caps();

// Default CheckDeviceFormat answer for the colour formats: usage 0, RENDERTARGET and DYNAMIC are
// supported for surfaces and textures, DEPTHSTENCIL, AUTOGENMIPMAP and DMAP are not available,
// the buffer-only usages (WRITEONLY, SOFTWAREPROCESSING, DONOTCLIP, POINTS, RTPATCHES, NPATCHES)
// are invalid calls. Other formats: not available.
HRESULT DefaultCheckDeviceFormat(DWORD usage, D3DRESOURCETYPE type, D3DFORMAT format);

// The process's settings (any thread; tests change them between devices).
D3D9Settings& D3D9Config();
void ResetD3D9Config();
