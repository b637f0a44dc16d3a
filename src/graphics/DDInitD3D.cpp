// Opening the Direct3D 9 back-end: the device, its formats and fixed states, and the screen
// surfaces BackBuffer, VirBackBuffer and WorkSD.
#include <string>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/BlendState.h"
#include "graphics/QuadDraw.h"
#include "graphics/Surfaces.h"
#include "platform/win/Messages.h"

namespace {

constexpr CHANNELINFO kR5G6B5{11, 5, 0, 16, 31, 63, 31, 0};
constexpr CHANNELINFO kA1R5G5B5{10, 5, 0, 15, 31, 31, 31, 1};
constexpr CHANNELINFO kA8R8G8B8{16, 8, 0, 24, 255, 255, 255, 255};

// In a window vsync paces the frames only when the display runs at 60 Hz; otherwise it is switched
// off and the frame limiter takes over. (The display's frequency cannot be changed from here: the
// rate the adapter reports decides.)
void CheckWindowRefreshRate()
{
    D3DDISPLAYMODE mode;
    lpD3D->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode);
    ReportLog("RefreshRate : %d", static_cast<int>(mode.RefreshRate));
    if (mode.RefreshRate != 60) {
        bVSync = 0;
        static const std::string kText = Sjis("リフレッシュレートの変更に失敗しました！垂直同期が無効になります！");
        ReportLog("%s", kText.c_str());
    }
}

void ReadCaps(D3DPRESENT_PARAMETERS& pp)
{
    DTCONTROL& con = *lpDTCon;
    if (FAILED(lpD3D->GetDeviceCaps(con.nAdapter, con.DeviceType, &con.Caps))) ECLog("GetDeviceCaps Err");
    pp.SwapEffect =
        (con.Caps.Caps3 & D3DCAPS3_ALPHA_FULLSCREEN_FLIP_OR_DISCARD) ? D3DSWAPEFFECT_DISCARD : D3DSWAPEFFECT_COPY;
    con.bPow2 = (con.Caps.TextureCaps & D3DPTEXTURECAPS_POW2) ? 1 : 0;
    con.bSquareOnly = (con.Caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY) ? 1 : 0;
    con.bDynamicTextures = (con.Caps.Caps2 & D3DCAPS2_DYNAMICTEXTURES) ? 1 : 0;
}

// Formats and channel tables of the depth; FALSE for a depth other than 16 and 32.
BOOL ChooseFormats(int nBpp)
{
    DTCONTROL& con = *lpDTCon;
    if (nBpp == 32) {
        con.BackBufferFormat = D3DFMT_X8R8G8B8;
        con.TextureFormat = D3DFMT_A8R8G8B8;
        ScreenChannels = CHANNELINFO{};
        SurfaceChannels = kA8R8G8B8;
        return TRUE;
    }
    if (nBpp == 16) {
        con.BackBufferFormat = bWindowMode ? D3DFMT_A1R5G5B5 : D3DFMT_R5G6B5;
        con.TextureFormat = D3DFMT_A1R5G5B5;
        ScreenChannels = bWindowMode ? kA1R5G5B5 : kR5G6B5;
        SurfaceChannels = kA1R5G5B5;
        return TRUE;
    }
    return FALSE;
}

D3DPRESENT_PARAMETERS MakePresentParameters()
{
    D3DPRESENT_PARAMETERS pp;
    if (bWindowMode) {
        pp.BackBufferWidth = 0;
        pp.BackBufferHeight = 0;
        pp.FullScreen_RefreshRateInHz = 0;
        pp.Windowed = TRUE;
    } else {
        pp.BackBufferWidth = static_cast<UINT>(nScreenWidth);
        pp.BackBufferHeight = static_cast<UINT>(nScreenHeight);
        pp.FullScreen_RefreshRateInHz = 60;
        pp.Windowed = FALSE;
    }
    pp.BackBufferCount = 1;
    pp.MultiSampleType = D3DMULTISAMPLE_NONE;
    pp.hDeviceWindow = nullptr;
    pp.EnableAutoDepthStencil = FALSE;
    pp.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    pp.PresentationInterval = bVSync ? D3DPRESENT_INTERVAL_DEFAULT : D3DPRESENT_INTERVAL_IMMEDIATE;
    return pp;
}

const char* FormatName(D3DFORMAT format)
{
    switch (format) {
    case D3DFMT_X8R8G8B8: return "X8R8G8B8";
    case D3DFMT_R5G6B5: return "R5G6B5";
    case D3DFMT_A1R5G5B5: return "A1R5G5B5";
    default: return "?";
    }
}

BOOL CreateDevice(HWND hWnd, D3DPRESENT_PARAMETERS& pp)
{
    DTCONTROL& con = *lpDTCon;
    D3DPRESENT_PARAMETERS attempt = pp;
    if (SUCCEEDED(lpD3D->CreateDevice(con.nAdapter, con.DeviceType, hWnd, D3DCREATE_HARDWARE_VERTEXPROCESSING, &attempt,
                                      &lpDevice))) {
        ReportLog("Device HAL-HARD");
    } else {
        attempt = pp;
        if (FAILED(lpD3D->CreateDevice(con.nAdapter, con.DeviceType, hWnd, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                       &attempt, &lpDevice))) {
            lpDevice = nullptr;
            ECLog("CreateDevice Err");
            return FALSE;
        }
        ReportLog("Device HAL-SOFT");
    }
    ReportLog("%s", FormatName(pp.BackBufferFormat));
    con.PresentParameters = pp;
    con.DisplayFormat = pp.BackBufferFormat;
    return TRUE;
}

BOOL CreateBackBufferRecord(int nWidth, int nHeight)
{
    DDAllocSurfaceData(&BackBuffer);
    DTSURFACEDATA& dt = *BackBuffer.lpDT;
    BackBuffer.nWidth = BackBuffer.nTexWidth = nWidth;
    BackBuffer.nHeight = BackBuffer.nTexHeight = nHeight;
    BackBuffer.bSystemMemory = 0;
    BackBuffer.szSurfaceType = "BackBuffer";
    BackBuffer.lpShareSD = nullptr;
    dt.nMemoryType = DTMEMORYTYPE_VIDEO_RT;
    dt.lpTexture = nullptr;
    dt.lpSystemSurface = nullptr;
    dt.bColorKey = 0;
    dt.bRenderTarget = 1;
    const HRESULT hr = lpDevice->CreateVertexBuffer(kQuadBytes, D3DUSAGE_WRITEONLY, kQuadFVF, D3DPOOL_MANAGED,
                                                    &dt.lpVertexBuffer, nullptr);
    if (FAILED(hr)) {
        dt.lpVertexBuffer = nullptr;
        ReportLog("Back CreateVertexBuffer Err %x", static_cast<unsigned>(hr));
        return FALSE;
    }
    lpDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &dt.lpSurface);
    dt.nIndex = 0;
    lpDTCon->nSurfaceIndex = 1;
    lpDTCon->nFontIndex = 0;
    return TRUE;
}

// VirBackBuffer and WorkSD: empty screen-sized render targets. Start-up goes on whatever their
// results; the render target is left on lpDefaultTarget (VirBackBuffer).
void CreateScreenTextures(int nWidth, int nHeight)
{
    DDSetVirBackBuffer(FALSE);
    lpDTCon->bFlushing = 0;
    DDCreateSurface(&VirBackBuffer, nWidth, nHeight, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
    VirBackBuffer.szSurfaceType = "VirBackBuffer";
    DDCreateSurface(&WorkSD, nWidth, nHeight, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
    WorkSD.szSurfaceType = "WorkSD";
}

}  // namespace

BOOL DDInitD3D(HWND hWnd, int nWidth, int nHeight, int nBpp)
{
    const int nDDI = GetDDIVersion();
    if (nDDI < 9) {
        static const std::string kText = Sjis("ビデオカードのドライバがDirectX9をサポートしていません！ %d");
        ReportLog(kText.c_str(), nDDI);
        return FALSE;
    }
    lpD3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (lpD3D == nullptr) {
        static const std::string kText = Sjis("ビデオカードがDirectX9をサポートしていません！");
        ReportLog("%s", kText.c_str());
        return FALSE;
    }
    lpDTCon = std::make_unique<DTCONTROL>();
    if (bWindowMode && bVSync) CheckWindowRefreshRate();
    D3DPRESENT_PARAMETERS pp = MakePresentParameters();
    ReadCaps(pp);
    if (!ChooseFormats(nBpp)) return FALSE;
    pp.BackBufferFormat = lpDTCon->BackBufferFormat;
    if (!CreateDevice(hWnd, pp)) return FALSE;
    DDSetRenderStates();
    DDResetDiffuse();
    DDResetColorOp();
    DDResetAlphaOp();
    if (!CreateBackBufferRecord(nWidth, nHeight)) return FALSE;
    CreateScreenTextures(nWidth, nHeight);
    if (!bWindowMode) {
        while (ShowCursor(FALSE) >= 0) {
        }
    }
    return TRUE;
}

void DDSetRenderStates()
{
    if (lpDevice == nullptr) return;
    lpDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    lpDevice->SetRenderState(D3DRS_ZENABLE, FALSE);
    lpDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    lpDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    lpDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    lpDevice->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
    lpDevice->SetRenderState(D3DRS_COLORVERTEX, TRUE);
    for (DWORD sampler = 0; sampler < 2; ++sampler) {
        lpDevice->SetSamplerState(sampler, D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP);
        lpDevice->SetSamplerState(sampler, D3DSAMP_ADDRESSV, D3DTADDRESS_WRAP);
        lpDevice->SetSamplerState(sampler, D3DSAMP_MINFILTER, D3DTEXF_POINT);
        lpDevice->SetSamplerState(sampler, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
    }
}
