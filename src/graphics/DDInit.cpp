// Opening and closing the drawing back-end (the shared part; the Direct3D and DirectDraw set-ups
// live in DDInitD3D.cpp and DDInitDD.cpp).
#include <cctype>
#include <string>

#include "core/MachineReport.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/Boxes.h"
#include "graphics/DisplayReport.h"
#include "graphics/Surfaces.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"

namespace {

// The error box the logs show once the back-end is up (full screen needs dialog-box mode).
void ShowEngineErrorBox(const char* szText)
{
    ErrorBox(szText);
}

void StoreArguments(int bD3D, HWND hWnd, int nWidth, int nHeight, int nBpp, int bVSyncFlag, int bWindow, int nBackMode,
                    int nRefresh, int bUseRefresh, DDSURFACEDATA* lpSDArray, DDSURFACEINFO* lpSDInfoArray, int nCount)
{
    bDirect3D = bD3D;
    hWndDD = hWnd;
    nScreenWidth = nWidth;
    nScreenHeight = nHeight;
    nScreenBpp = nBpp;
    nScreenBytes = nBpp / 8;
    bWindowMode = bWindow;
    nBackBufferMode = nBackMode;
    bVSync = bVSyncFlag;
    nRefreshRate = nRefresh;
    bUseRefreshRate = bUseRefresh;
    lpSDTable = lpSDArray;
    lpSDInfoTable = lpSDInfoArray;
    nSDCount = nCount;
}

BOOL OpenDirectDraw(HWND hWnd, int nWidth, int nHeight, int nBpp, int nBackMode)
{
    int nResult = 0;
    if (bWindowMode == 0) {
        if (bDDInitOnce) DDUnInit();
        lpDDCon = std::make_unique<DDCONTROL>();
        SetWindowStyle(hWnd, WS_POPUP, WS_EX_TOPMOST);
        nResult = DDInitFullScreen(hWnd, nWidth, nHeight, nBpp, nBackMode);
    } else if (bWindowMode == 1) {
        if (lpDD != nullptr) lpDD->RestoreDisplayMode();
        // Released before the new state is made: releasing afterwards would free the new state.
        if (bDDInitOnce) DDRelease();
        lpDDCon = std::make_unique<DDCONTROL>();
        nResult = DDInitWindow(hWnd);
    } else {
        // No other mode exists: opening nothing must not pass as success.
        ReportLog("DDInit Err WindowMode = %d", bWindowMode);
        return FALSE;
    }
    return DDCheckInitResult(nResult);
}

void ReleaseSurfaceTable()
{
    if (lpSDTable == nullptr) return;
    for (int i = 0; i < nSDCount; ++i) DDReleaseSurface(&lpSDTable[i]);
}

// A DirectDraw object still referenced after everything was released: a leak.
void ReportDirectDrawLeak()
{
    static const std::string kText = Sjis("解放漏れがあります");
    // A box over an exclusive full-screen display would stay hidden and the shutdown would seem
    // to hang; there the leak only goes to the report log.
    if (bWindowMode == 1) {
        MessageBoxA(nullptr, kText.c_str(), "DirectDraw", MB_ICONERROR);
    } else {
        ReportLog("DirectDraw : %s", kText.c_str());
    }
}

void ReleaseDirectDraw()
{
    ReleaseSurfaceTable();
    if (lpDDClipper != nullptr) lpDDClipper->Release();
    lpDDClipper = nullptr;
    if (lpDDPalette != nullptr) lpDDPalette->Release();
    lpDDPalette = nullptr;
    DDReleaseSurface(&BackBuffer);
    DDReleaseSurface(&PrimarySD);
    DDReleaseSurface(&ScreenCopySD);
    if (lpDD != nullptr && lpDD->Release() != 0) ReportDirectDrawLeak();
    lpDD = nullptr;
    lpDDCon.reset();
}

void ReleaseDirect3D()
{
    ReleaseSurfaceTable();
    DDReleaseSurface(&WorkSD);
    DDReleaseSurface(&VirBackBuffer);
    DDReleaseSurface(&BackBuffer);
    if (lpDevice != nullptr) lpDevice->Release();
    lpDevice = nullptr;
    if (lpD3D != nullptr) lpD3D->Release();
    lpD3D = nullptr;
    lpDTCon.reset();
}

}  // namespace

BOOL DDInit(int bD3D, HWND hWnd, int nWidth, int nHeight, int nBpp, int bVSyncFlag, int bWindow, int nBackMode,
            int nRefresh, int bUseRefresh, DDSURFACEDATA* lpSDArray, DDSURFACEINFO* lpSDInfoArray, int nCount)
{
    StoreArguments(bD3D, hWnd, nWidth, nHeight, nBpp, bVSyncFlag, bWindow, nBackMode, nRefresh, bUseRefresh, lpSDArray,
                   lpSDInfoArray, nCount);
    ReportLog("VSync : %d", bVSync);
    bDDReady = 0;
    if (bD3D) {
        if (bDDInitOnce) DDRelease();
        if (!DDInitD3D(hWnd, nWidth, nHeight, nBpp)) return FALSE;
    } else if (!OpenDirectDraw(hWnd, nWidth, nHeight, nBpp, nBackMode)) {
        return FALSE;
    }
    bDDReady = 1;
    bDDInitOnce = 1;
    SetErrorBoxHook(&ShowEngineErrorBox);
    SetDisplayReportWriter(&WriteDisplayLines);
    return TRUE;
}

BOOL DDCheckInitResult(int nResult)
{
    const char* szName = nullptr;
    switch (nResult) {
    case 1: szName = "CREATEEX_ERR"; break;
    case 2: szName = "SETCOOPLEVEL_ERR"; break;
    case 3: szName = "SETDISPLAYMODE_ERR"; break;
    case 4: szName = "CREATESURFACE_ERR"; break;
    case 5: szName = "GETATTACHEDSURFACE_ERR"; break;
    case 6: szName = "CREATEPALETTE_ERR"; break;
    case 7: szName = "SETPALETTE_ERR"; break;
    case 10: szName = "CLIPPER_ERR"; break;
    case 11: szName = "SETHWND_ERR"; break;
    case 12: szName = "SETCLIPPER_ERR"; break;
    default: return TRUE;
    }
    ECLog(szName);
    return FALSE;
}

void DDRelease()
{
    // Whatever exists is released, also after a set-up that failed half way.
    if (lpDD != nullptr || lpDDCon != nullptr) ReleaseDirectDraw();
    if (lpD3D != nullptr || lpDevice != nullptr || lpDTCon != nullptr) ReleaseDirect3D();
    bDDReady = 0;
}

void DDUnInit()
{
    DDRelease();
}

void DDAllocSurfaceData(DDSURFACEDATA* lpSD)
{
    if (lpSD == nullptr) return;
    if (lpDTCon != nullptr) {
        if (lpSD->lpDT == nullptr) lpSD->lpDT = std::make_unique<DTSURFACEDATA>();
    } else if (lpSD->lpDDS == nullptr) {
        lpSD->lpDDS = std::make_unique<DDSSURFACEDATA>();
    }
}

BOOL DDIsFullScreenBackBuffer(const DDSURFACEDATA* lpSD)
{
    return lpSD == &BackBuffer && bWindowMode == 0;
}

int ParseDDIVersion(const char* szText)
{
    constexpr int kUnknown = 99999;
    if (szText == nullptr || !std::isdigit(static_cast<unsigned char>(szText[0]))) return kUnknown;
    long value = 0;
    for (const char* p = szText; std::isdigit(static_cast<unsigned char>(*p)) && value < kUnknown; ++p)
        value = value * 10 + (*p - '0');
    return value == 0 ? kUnknown : static_cast<int>(value < kUnknown ? value : kUnknown);
}

int GetDDIVersion()
{
    // The display driver's DDI text comes from the system's diagnostics, which this platform does
    // not offer: the version is unknown, and Direct3D is tried (the device creation decides).
    return ParseDDIVersion(nullptr);
}
