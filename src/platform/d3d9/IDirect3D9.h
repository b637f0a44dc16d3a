// The Direct3D 9 object of the software stand-in: one adapter (the virtual display), its
// queries, and device creation. Answers come from D3D9Config() (D3D9Config.h).
#pragma once

#include "platform/d3d9/D3D9Object.h"
#include "platform/d3d9/IDirect3DDevice9.h"

class IDirect3D9 final : public D3D9Object {
public:
    IDirect3D9() = default;

    UINT GetAdapterCount() { return 1; }
    // Adapter 0 only (else D3DERR_INVALIDCALL).
    HRESULT GetAdapterDisplayMode(UINT Adapter, D3DDISPLAYMODE* pMode);
    HRESULT GetAdapterIdentifier(UINT Adapter, DWORD Flags, D3DADAPTER_IDENTIFIER9* pIdentifier);
    // HAL only; D3DERR_NOTAVAILABLE for other device types.
    HRESULT GetDeviceCaps(UINT Adapter, D3DDEVTYPE DeviceType, D3DCAPS9* pCaps);
    // D3D_OK when a device of this back-buffer format can run on the display format.
    HRESULT CheckDeviceType(UINT Adapter, D3DDEVTYPE DevType, D3DFORMAT AdapterFormat, D3DFORMAT BackBufferFormat,
                            BOOL bWindowed);
    // D3D_OK, D3DERR_NOTAVAILABLE or D3DERR_INVALIDCALL per D3D9Settings::checkDeviceFormat.
    HRESULT CheckDeviceFormat(UINT Adapter, D3DDEVTYPE DeviceType, D3DFORMAT AdapterFormat, DWORD Usage,
                              D3DRESOURCETYPE RType, D3DFORMAT CheckFormat);
    // Exactly one vertex-processing flag; the parameters are completed (window size, format).
    // D3DERR_NOTAVAILABLE for injected failures (D3D9Settings), D3DERR_INVALIDCALL for
    // parameters the device cannot honour.
    HRESULT CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow, DWORD BehaviorFlags,
                         D3DPRESENT_PARAMETERS* pPresentationParameters, IDirect3DDevice9** ppReturnedDeviceInterface);

private:
    ~IDirect3D9() override = default;
};

using LPDIRECT3D9 = IDirect3D9*;

// SDKVersion must be D3D_SDK_VERSION; null when it is not or when D3D9Settings says so.
IDirect3D9* Direct3DCreate9(UINT SDKVersion);

// The display mode the adapter reports (D3D9Settings::displayMode, size from the desktop when
// zero; the format follows the desktop depth: X8R8G8B8 at 32, R5G6B5 at 16).
D3DDISPLAYMODE D3D9AdapterDisplayMode();
