#include "platform/d3d9/IDirect3D9.h"

#include <cstdio>
#include <new>

#include "platform/d3d9/D3D9Config.h"
#include "platform/d3d9/D3D9PixelFormat.h"
#include "platform/win/SystemInfo.h"

namespace {

void CopyText(char* dst, std::size_t size, const std::string& src)
{
    std::snprintf(dst, size, "%s", src.c_str());
}

}  // namespace

D3DDISPLAYMODE D3D9AdapterDisplayMode()
{
    D3DDISPLAYMODE mode = D3D9Config().displayMode;
    if (mode.Width == 0 || mode.Height == 0) {
        const SystemFacts& facts = GetSystemFacts();
        mode.Width = static_cast<UINT>(facts.desktopWidth);
        mode.Height = static_cast<UINT>(facts.desktopHeight);
        mode.Format = facts.desktopBitsPerPixel == 16 ? D3DFMT_R5G6B5 : D3DFMT_X8R8G8B8;
    }
    return mode;
}

IDirect3D9* Direct3DCreate9(UINT SDKVersion)
{
    if (SDKVersion != D3D_SDK_VERSION || D3D9Config().failDirect3DCreate) return nullptr;
    return new (std::nothrow) IDirect3D9();
}

HRESULT IDirect3D9::GetAdapterDisplayMode(UINT Adapter, D3DDISPLAYMODE* pMode)
{
    if (Adapter != D3DADAPTER_DEFAULT || !pMode) return D3DERR_INVALIDCALL;
    *pMode = D3D9AdapterDisplayMode();
    return D3D_OK;
}

HRESULT IDirect3D9::GetAdapterIdentifier(UINT Adapter, DWORD /*Flags*/, D3DADAPTER_IDENTIFIER9* pIdentifier)
{
    if (Adapter != D3DADAPTER_DEFAULT || !pIdentifier) return D3DERR_INVALIDCALL;
    const D3D9Settings& s = D3D9Config();
    *pIdentifier = D3DADAPTER_IDENTIFIER9{};
    CopyText(pIdentifier->Driver, sizeof pIdentifier->Driver, s.driver);
    CopyText(pIdentifier->Description, sizeof pIdentifier->Description, s.description);
    CopyText(pIdentifier->DeviceName, sizeof pIdentifier->DeviceName, s.deviceName);
    pIdentifier->DriverVersion.QuadPart = s.driverVersion;
    return D3D_OK;
}

HRESULT IDirect3D9::GetDeviceCaps(UINT Adapter, D3DDEVTYPE DeviceType, D3DCAPS9* pCaps)
{
    if (Adapter != D3DADAPTER_DEFAULT || !pCaps) return D3DERR_INVALIDCALL;
    if (DeviceType != D3DDEVTYPE_HAL) return D3DERR_NOTAVAILABLE;
    *pCaps = D3D9Config().caps;
    return D3D_OK;
}

HRESULT IDirect3D9::CheckDeviceType(UINT Adapter, D3DDEVTYPE DevType, D3DFORMAT AdapterFormat,
                                    D3DFORMAT BackBufferFormat, BOOL bWindowed)
{
    if (Adapter != D3DADAPTER_DEFAULT) return D3DERR_INVALIDCALL;
    if (DevType != D3DDEVTYPE_HAL) return D3DERR_NOTAVAILABLE;
    const bool displayOk =
        AdapterFormat == D3DFMT_X8R8G8B8 || AdapterFormat == D3DFMT_R5G6B5 || AdapterFormat == D3DFMT_X1R5G5B5;
    if (!displayOk || !D3D9IsColorFormat(BackBufferFormat)) return D3DERR_NOTAVAILABLE;
    // Full screen shows the back buffer as the display format: the depths must agree.
    if (!bWindowed && D3D9BytesPerPixel(AdapterFormat) != D3D9BytesPerPixel(BackBufferFormat))
        return D3DERR_NOTAVAILABLE;
    return D3D_OK;
}

HRESULT IDirect3D9::CheckDeviceFormat(UINT Adapter, D3DDEVTYPE DeviceType, D3DFORMAT /*AdapterFormat*/, DWORD Usage,
                                      D3DRESOURCETYPE RType, D3DFORMAT CheckFormat)
{
    if (Adapter != D3DADAPTER_DEFAULT) return D3DERR_INVALIDCALL;
    if (DeviceType != D3DDEVTYPE_HAL) return D3DERR_NOTAVAILABLE;
    const D3D9Settings& s = D3D9Config();
    return s.checkDeviceFormat ? s.checkDeviceFormat(Usage, RType, CheckFormat)
                               : DefaultCheckDeviceFormat(Usage, RType, CheckFormat);
}

HRESULT IDirect3D9::CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow, DWORD BehaviorFlags,
                                 D3DPRESENT_PARAMETERS* pPresentationParameters,
                                 IDirect3DDevice9** ppReturnedDeviceInterface)
{
    if (!ppReturnedDeviceInterface) return D3DERR_INVALIDCALL;
    *ppReturnedDeviceInterface = nullptr;
    if (Adapter != D3DADAPTER_DEFAULT || !pPresentationParameters) return D3DERR_INVALIDCALL;
    if (DeviceType != D3DDEVTYPE_HAL) return D3DERR_NOTAVAILABLE;
    const DWORD processing = BehaviorFlags & (D3DCREATE_SOFTWARE_VERTEXPROCESSING |
                                              D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING);
    if (processing != D3DCREATE_SOFTWARE_VERTEXPROCESSING && processing != D3DCREATE_HARDWARE_VERTEXPROCESSING &&
        processing != D3DCREATE_MIXED_VERTEXPROCESSING)
        return D3DERR_INVALIDCALL;
    const D3D9Settings& s = D3D9Config();
    if (s.failCreateDevice) return D3DERR_NOTAVAILABLE;
    if (s.failHardwareVertexProcessing && processing != D3DCREATE_SOFTWARE_VERTEXPROCESSING) return D3DERR_NOTAVAILABLE;

    D3DPRESENT_PARAMETERS pp = *pPresentationParameters;
    if (!IDirect3DDevice9::ResolvePresentParameters(pp, hFocusWindow)) return D3DERR_INVALIDCALL;
    try {
        *ppReturnedDeviceInterface = new IDirect3DDevice9(pp, hFocusWindow);
    } catch (const std::bad_alloc&) {
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    *pPresentationParameters = pp;
    return D3D_OK;
}
