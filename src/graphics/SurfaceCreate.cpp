// Empty surfaces, their release, and the Direct3D texture-size rules.
#include <algorithm>
#include <string>

#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/Boxes.h"
#include "graphics/Palette.h"
#include "graphics/QuadDraw.h"
#include "graphics/SurfaceInternal.h"
#include "graphics/Surfaces.h"
#include "platform/d3d9/D3DX.h"
#include "platform/win/Messages.h"

namespace {

template <class T>
void ReleaseCom(T*& p)
{
    if (p != nullptr) p->Release();
    p = nullptr;
}

// The smallest power of two >= value (0 stays 0): twice the highest set bit unless value is one.
int PowerOfTwoAtLeast(int value)
{
    if (value <= 0) return 0;
    int p = 1;
    while (p < value && p < (1 << 30)) p <<= 1;
    return p;
}

BOOL CreateDirectDrawSurface(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int bColorKey, int bSystemMemory)
{
    DDAllocSurfaceData(lpSD);
    DDSURFACEDESC2 desc;
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = static_cast<DWORD>(std::max(nWidth, 0));
    desc.dwHeight = static_cast<DWORD>(std::max(nHeight, 0));
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | (bSystemMemory == 1 ? DDSCAPS_SYSTEMMEMORY : 0);
    IDirectDrawSurface7*& surface = lpSD->lpDDS->lpDDSurface;
    int bInSystem = bSystemMemory == 1 ? 1 : 0;
    if (lpDD == nullptr || FAILED(lpDD->CreateSurface(&desc, &surface, nullptr))) {
        surface = nullptr;
        if (bSystemMemory == 1 || lpDD == nullptr) {
            ReportLog("CreateSurface System Err");
            return FALSE;
        }
        desc.ddsCaps.dwCaps |= DDSCAPS_SYSTEMMEMORY;
        if (FAILED(lpDD->CreateSurface(&desc, &surface, nullptr))) {
            surface = nullptr;
            ReportLog("CreateSurface Video -> System Err");
            return FALSE;
        }
        bInSystem = 1;
    }
    if (bColorKey == 1) {
        DDCOLORKEY key{dwColorKey, dwColorKey};
        if (FAILED(surface->SetColorKey(DDCKEY_SRCBLT, &key))) ReportLog("SetColorKey Err");
    }
    DDFillWithTransparent(surface);
    lpSD->szSurfaceType = "OffScreen";
    lpSD->szFileName = "E";
    lpSD->nWidth = lpSD->nTexWidth = nWidth;
    lpSD->nHeight = lpSD->nTexHeight = nHeight;
    lpSD->bSystemMemory = bInSystem;
    return TRUE;
}

// The texture of an empty Direct3D surface: a render target in video memory, or a dynamic texture
// in system memory (also when video memory runs out). FALSE when none can be made.
BOOL CreateEmptyTexture(DTSURFACEDATA& dt, int nTexW, int nTexH, int bRestore)
{
    const UINT w = static_cast<UINT>(nTexW);
    const UINT h = static_cast<UINT>(nTexH);
    int nType = dt.nMemoryType == DTMEMORYTYPE_VIDEO_NORT ? DTMEMORYTYPE_VIDEO_RT : dt.nMemoryType;
    if (nType == DTMEMORYTYPE_VIDEO_RT) {
        dt.bRenderTarget = 1;
        const HRESULT hr = D3DXCreateTexture(lpDevice, w, h, 1, D3DUSAGE_RENDERTARGET, lpDTCon->TextureFormat,
                                             D3DPOOL_DEFAULT, &dt.lpTexture);
        if (hr == D3DERR_OUTOFVIDEOMEMORY) {
            dt.lpTexture = nullptr;
            static const std::string kText = Sjis("VRAM不足のためシステムメモリにテクスチャを作成します。(空)");
            ReportLog("%s", kText.c_str());
            nType = DTMEMORYTYPE_SYSTEM;
        } else if (FAILED(hr)) {
            dt.lpTexture = nullptr;
            return FALSE;
        }
    }
    // In a restore a system-memory texture is normally kept; one is made when there is none (the
    // surface moved to system memory for lack of video memory during the restore).
    if (nType == DTMEMORYTYPE_SYSTEM && (!bRestore || dt.lpTexture == nullptr)) {
        dt.bRenderTarget = 0;
        const HRESULT hr = D3DXCreateTexture(lpDevice, w, h, 1, D3DUSAGE_DYNAMIC, lpDTCon->TextureFormat,
                                             D3DPOOL_SYSTEMMEM, &dt.lpTexture);
        if (FAILED(hr)) {
            dt.lpTexture = nullptr;
            ReportLog("D3DXCreateTexture Err hr = %x", static_cast<unsigned>(hr));
            DDReportTextureFailure();
            return FALSE;
        }
    }
    dt.nMemoryType = nType;
    return TRUE;
}

// A new render target starts as the transparent colour: transparent texels when the surface is
// colour-keyed (as a keyed DirectDraw surface filled with the key), else the colour itself.
void ClearNewRenderTarget(DDSURFACEDATA* lpSD)
{
    if (!DDSetRenderTarget(0, lpSD)) return;
    const D3DCOLOR colour = lpSD->lpDT->bColorKey ? lpDTCon->dwTransmitClear : lpDTCon->dwTransmitARGB;
    lpDevice->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0);
    DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
}

BOOL CreateDirect3DSurface(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int bColorKey, int bSystemMemory,
                           int nMemoryType, int bShare, int bRestore)
{
    DDAllocSurfaceData(lpSD);
    DTSURFACEDATA& dt = *lpSD->lpDT;
    if (!bRestore) {
        lpSD->szSurfaceType = "OffScreen";
        lpSD->szFileName = "E";
        dt.nMemoryType = nMemoryType;
        dt.bColorKey = bColorKey == 1 ? 1 : 0;
        if (!bShare) {
            dt.nIndex = lpDTCon->nSurfaceIndex++;
            if (FAILED(DDCreateQuadVertexBuffer(dt))) {
                ReportLog("CreateVertexBuffer Err");
                return FALSE;
            }
        }
    }
    if (bShare) {
        lpSD->nWidth = lpSD->nTexWidth = nWidth;
        lpSD->nHeight = lpSD->nTexHeight = nHeight;
        lpSD->bSystemMemory = bSystemMemory;
        return TRUE;
    }
    int nTexW = nWidth;
    int nTexH = nHeight;
    DDGetTextureSize(&nTexW, &nTexH);
    if (!DDCheckTextureSize(nTexW, nTexH)) {
        static const std::string kText = Sjis("上記の理由でテクスチャの描画が失敗する可能性があります。(空)");
        ReportLog("%s", kText.c_str());
    }
    if (!CreateEmptyTexture(dt, nTexW, nTexH, bRestore)) return FALSE;
    if (const HRESULT hr = DDFetchLevelSurface(dt); FAILED(hr)) {
        ReportLog("GetSurfaceLevel Err hr = %x", static_cast<unsigned>(hr));
        return FALSE;
    }
    if (dt.nMemoryType == DTMEMORYTYPE_VIDEO_RT && dt.lpSystemSurface == nullptr) {
        const HRESULT hr =
            lpDevice->CreateOffscreenPlainSurface(dt.LevelDesc.Width, dt.LevelDesc.Height, dt.LevelDesc.Format,
                                                  D3DPOOL_SYSTEMMEM, &dt.lpSystemSurface, nullptr);
        if (FAILED(hr)) {
            dt.lpSystemSurface = nullptr;
            ReportLog("CreateOffscreenPlainSurface Err hr = %x", static_cast<unsigned>(hr));
            DDReportTextureFailure();
            return FALSE;
        }
    }
    lpSD->nWidth = nWidth;
    lpSD->nHeight = nHeight;
    lpSD->nTexWidth = static_cast<int>(dt.LevelDesc.Width);
    lpSD->nTexHeight = static_cast<int>(dt.LevelDesc.Height);
    if (dt.bRenderTarget) ClearNewRenderTarget(lpSD);
    if (!bRestore) DDListSurface(lpSD);
    return TRUE;
}

}  // namespace

DDSURFACEDATA::~DDSURFACEDATA()
{
    if (lpDT || lpDDS) DDFreeSurface(this);
}

void DDReportTextureFailure()
{
    if (lpDTCon && !lpDTCon->strTextureError.empty()) ErrorBoxF("%s", lpDTCon->strTextureError.c_str());
    if (HWND hWnd = hWndMain.load()) PostMessage(hWnd, WM_CLOSE, 0, 0);
}

HRESULT DDCreateQuadVertexBuffer(DTSURFACEDATA& dt)
{
    const HRESULT hr = lpDevice->CreateVertexBuffer(kQuadBytes, D3DUSAGE_WRITEONLY, kQuadFVF, D3DPOOL_MANAGED,
                                                    &dt.lpVertexBuffer, nullptr);
    if (FAILED(hr)) dt.lpVertexBuffer = nullptr;
    return hr;
}

HRESULT DDFetchLevelSurface(DTSURFACEDATA& dt)
{
    // A surface kept through a restore still holds its level: released before it is fetched again.
    ReleaseCom(dt.lpSurface);
    if (dt.lpTexture == nullptr) return D3DERR_INVALIDCALL;
    const HRESULT hr = dt.lpTexture->GetSurfaceLevel(0, &dt.lpSurface);
    if (FAILED(hr)) {
        dt.lpSurface = nullptr;
        return hr;
    }
    dt.lpTexture->GetLevelDesc(0, &dt.LevelDesc);
    return D3D_OK;
}

void DDListSurface(DDSURFACEDATA* lpSD)
{
    if (std::find(DTSurfaceList.begin(), DTSurfaceList.end(), lpSD) == DTSurfaceList.end())
        DTSurfaceList.push_back(lpSD);
}

void DDFillWithTransparent(IDirectDrawSurface7* lpSurface)
{
    DDBLTFX fx;
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = PalNumToRGB(0);
    lpSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

BOOL DDCreateSurface(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int bColorKey, int bSystemMemory, int nMemoryType,
                     int bShare, int bRestore)
{
    if (lpSD == nullptr || nWidth <= 0 || nHeight <= 0) return FALSE;
    if (!bRestore) {
        // Creating a record that still holds a surface would lose that surface.
        if (lpSD->lpDT || lpSD->lpDDS) DDFreeSurface(lpSD);
        lpSD->bLost = 0;
    }
    if (lpDTCon) {
        if (lpDevice == nullptr) return FALSE;
        return CreateDirect3DSurface(lpSD, nWidth, nHeight, bColorKey, bSystemMemory, nMemoryType, bShare, bRestore);
    }
    if (lpDDCon) return CreateDirectDrawSurface(lpSD, nWidth, nHeight, bColorKey, bSystemMemory);
    return FALSE;
}

void DDFreeSurface(DDSURFACEDATA* lpSD)
{
    if (lpSD == nullptr) return;
    if (lpSD->lpDT) {
        if (lpSD->lpShareSD == nullptr) {
            DTSURFACEDATA& dt = *lpSD->lpDT;
            ReleaseCom(dt.lpTexture);
            ReleaseCom(dt.lpVertexBuffer);
            ReleaseCom(dt.lpSystemSurface);
            ReleaseCom(dt.lpSurface);
        }
        DTSurfaceList.remove(lpSD);
        lpSD->lpDT.reset();
    }
    if (lpSD->lpDDS) {
        ReleaseCom(lpSD->lpDDS->lpDDSurface);
        lpSD->lpDDS.reset();
    }
}

void DDReleaseSurface(DDSURFACEDATA* lpSD)
{
    DDFreeSurface(lpSD);
}

void DDGetTextureSize(int* pWidth, int* pHeight)
{
    if (!lpDTCon || pWidth == nullptr || pHeight == nullptr) return;
    if (lpDTCon->bPow2) {
        *pWidth = PowerOfTwoAtLeast(*pWidth);
        *pHeight = PowerOfTwoAtLeast(*pHeight);
    }
    if (lpDTCon->bSquareOnly) *pWidth = *pHeight = std::max(*pWidth, *pHeight);
}

BOOL DDCheckTextureSize(int nWidth, int nHeight)
{
    if (!lpDTCon) return TRUE;
    BOOL bOk = TRUE;
    const int nMaxW = static_cast<int>(lpDTCon->Caps.MaxTextureWidth);
    const int nMaxH = static_cast<int>(lpDTCon->Caps.MaxTextureHeight);
    if (nWidth > nMaxW) {
        static const std::string kText = Sjis("このビデオカードでは横幅%dを超える画像はサポートされていません！");
        ReportLog(kText.c_str(), nMaxW);
        bOk = FALSE;
    }
    if (nHeight > nMaxH) {
        static const std::string kText = Sjis("このビデオカードでは縦幅%dを超える画像はサポートされていません！");
        ReportLog(kText.c_str(), nMaxH);
        bOk = FALSE;
    }
    return bOk;
}
