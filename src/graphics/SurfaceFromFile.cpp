// Surfaces made from bitmap files, and the mirrored frames of Direct3D surfaces.
#include <algorithm>
#include <string>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/LoadedBitmap.h"
#include "graphics/LockSD.h"
#include "graphics/SurfaceInternal.h"
#include "graphics/Surfaces.h"
#include "platform/d3d9/D3DX.h"

namespace {

DWORD ArgbOf(const RGBTRIPLE& rgb)
{
    return 0xFF000000u | (static_cast<DWORD>(rgb.rgbtRed) << 16) | (static_cast<DWORD>(rgb.rgbtGreen) << 8) |
           rgb.rgbtBlue;
}

HRESULT LoadTexture(DTSURFACEDATA& dt, const char* szPath, int nTexW, int nTexH, DWORD dwUsage, D3DPOOL pool,
                    D3DCOLOR dwKey)
{
    const HRESULT hr = D3DXCreateTextureFromFileEx(lpDevice, szPath, static_cast<UINT>(nTexW), static_cast<UINT>(nTexH),
                                                   1, dwUsage, lpDTCon->TextureFormat, pool, D3DX_FILTER_NONE,
                                                   D3DX_DEFAULT, dwKey, nullptr, nullptr, &dt.lpTexture);
    if (FAILED(hr)) dt.lpTexture = nullptr;
    return hr;
}

// The texture of a file surface: managed (video) or dynamic in system memory, also when video
// memory runs out. D3D_OK, or the failure's code when no texture could be made.
HRESULT CreateFileTexture(DTSURFACEDATA& dt, const char* szPath, int nTexW, int nTexH, D3DCOLOR dwKey, int bRestore)
{
    int nType = dt.nMemoryType;
    if (nType == DTMEMORYTYPE_VIDEO_NORT) {
        static const std::string kText =
            Sjis("DDCreateSurfaceFromFile Err "
                 "DTMEMORYTYPE_VIDEO_NORTの指定は未対応です。DTMEMORYTYPE_VIDEO_RTでテクスチャを作成します。");
        ECLog(kText.c_str());
        nType = DTMEMORYTYPE_VIDEO_RT;
    }
    if (nType == DTMEMORYTYPE_VIDEO_RT) {
        dt.bRenderTarget = 0;
        const HRESULT hr = LoadTexture(dt, szPath, nTexW, nTexH, 0, D3DPOOL_MANAGED, dwKey);
        if (hr == D3DERR_OUTOFVIDEOMEMORY) {
            static const std::string kText = Sjis("VRAM不足のためシステムメモリにテクスチャを作成します。(%s)");
            ReportLog(kText.c_str(), szPath);
            nType = DTMEMORYTYPE_SYSTEM;
        } else if (FAILED(hr)) {
            static const std::string kText = Sjis("テクスチャの作成に失敗。(%s)");
            ReportLog(kText.c_str(), szPath);
            return hr;
        }
    }
    // A restore keeps a system-memory texture; one is made when there is none.
    if (nType == DTMEMORYTYPE_SYSTEM && (!bRestore || dt.lpTexture == nullptr)) {
        dt.bRenderTarget = 0;
        const HRESULT hr = LoadTexture(dt, szPath, nTexW, nTexH, D3DUSAGE_DYNAMIC, D3DPOOL_SYSTEMMEM, dwKey);
        if (FAILED(hr)) {
            ReportLog("D3DXCreateTextureFromFileEx Err %x %s", static_cast<unsigned>(hr), szPath);
            DDReportTextureFailure();
            return hr;
        }
    }
    dt.nMemoryType = nType;
    return D3D_OK;
}

// Builds the mirrored frames from a second copy of the same file.
void MirrorFromFile(DDSURFACEDATA* lpSD, const char* szPath, int nBpp, int nMirrorW, int nMirrorH)
{
    DDSURFACEDATA temporary;
    const DTSURFACEDATA& dt = *lpSD->lpDT;
    if (DDCreateSurfaceFromFile(&temporary, szPath, dt.bColorKey, nBpp, lpSD->bSystemMemory, dt.nMemoryType, 0, 0, 0, 0,
                                0) == DDSURFACE_OK) {
        DDMakeMirrorFrames(lpSD, &temporary, nMirrorW, nMirrorH);
    }
    DDReleaseSurface(&temporary);
}

void BuildIndexMap(DDSURFACEDATA* lpSD, std::vector<BYTE>& map, int& pitch, int bIndexMap)
{
    map.clear();
    pitch = 0;
    if (bIndexMap && nScreenBpp != 8) DDMakeIndexMap(&map, &pitch, lpSD);
}

int CreateDirect3DFromFile(DDSURFACEDATA* lpSD, const char* szPath, int bColorKey, int nBpp, int bSystemMemory,
                           int nMemoryType, int bShare, int bIndexMap, int nMirrorW, int nMirrorH, int bRestore)
{
    DDAllocSurfaceData(lpSD);
    DTSURFACEDATA& dt = *lpSD->lpDT;
    if (!bRestore) {
        lpSD->szSurfaceType = "OffScreenFromFile";
        lpSD->szFileName = szPath;
        dt.nMemoryType = nMemoryType;
        dt.bColorKey = bColorKey == 1 ? 1 : 0;
        if (!bShare) {
            dt.nIndex = lpDTCon->nSurfaceIndex++;
            if (const HRESULT hr = DDCreateQuadVertexBuffer(dt); FAILED(hr)) {
                ReportLog("CreateVertexBuffer Err %x", static_cast<unsigned>(hr));
                return DDSURFACE_CREATESURFACE_ERR;
            }
        }
    }
    cLoadedBitmap bitmap;
    if (!bitmap.Load(szPath)) {
        if (szPath[0] != '\0') ReportLog("LoadImage Err %s", szPath);
        return DDSURFACE_LOADIMAGE_ERR;
    }
    lpSD->nWidth = bitmap.Width();
    lpSD->nHeight = bitmap.Height();
    if (bShare) {
        lpSD->nTexWidth = bitmap.Width();
        lpSD->nTexHeight = bitmap.Height();
    } else {
        int nTexW = bitmap.Width();
        int nTexH = bitmap.Height();
        DDGetTextureSize(&nTexW, &nTexH);
        if (!DDCheckTextureSize(nTexW, nTexH)) {
            static const std::string kText = Sjis("上記の理由でテクスチャの描画が失敗する可能性があります。(%s)");
            ReportLog(kText.c_str(), szPath);
        }
        const D3DCOLOR key = nBpp == 32 ? ArgbOf(lpDTCon->rgbTransmit) : ArgbOf(lpDTCon->rgbPalTransmit);
        if (const HRESULT hr = CreateFileTexture(dt, szPath, nTexW, nTexH, key, bRestore); FAILED(hr)) return hr;
        if (const HRESULT hr = DDFetchLevelSurface(dt); FAILED(hr)) return hr;
        lpSD->nTexWidth = static_cast<int>(dt.LevelDesc.Width);
        lpSD->nTexHeight = static_cast<int>(dt.LevelDesc.Height);
        if (nMirrorW != 0 || nMirrorH != 0) MirrorFromFile(lpSD, szPath, nBpp, nMirrorW, nMirrorH);
        if (!bRestore) DDListSurface(lpSD);
    }
    lpSD->nMirrorW = nMirrorW;
    lpSD->nMirrorH = nMirrorH;
    lpSD->bSystemMemory = bSystemMemory;
    BuildIndexMap(lpSD, dt.lpIndexMap, dt.nIndexMapPitch, bIndexMap);
    return DDSURFACE_OK;
}

int CreateDirectDrawFromFile(DDSURFACEDATA* lpSD, const char* szPath, int bColorKey, int nBpp, int bSystemMemory,
                             int bIndexMap, int nMirrorW, int nMirrorH)
{
    cLoadedBitmap bitmap;
    if (!bitmap.Load(szPath)) {
        ECLog(szPath);
        return DDSURFACE_LOADIMAGE_ERR;
    }
    if (!DDCreateSurface(lpSD, bitmap.Width(), bitmap.Height(), bColorKey, bSystemMemory, DTMEMORYTYPE_VIDEO_RT, 0, 0))
        return DDSURFACE_CREATESURFACE_ERR;
    if (!CopyBitmap(lpSD, szPath, nBpp, bIndexMap, nMirrorW, nMirrorH)) return DDSURFACE_LOADIMAGE_ERR;
    lpSD->szSurfaceType = "OffScreenFromFile";
    return DDSURFACE_OK;
}

}  // namespace

int DDCreateSurfaceFromFile(DDSURFACEDATA* lpSD, const char* szPath, int bColorKey, int nBpp, int bSystemMemory,
                            int nMemoryType, int bShare, int bIndexMap, int nMirrorW, int nMirrorH, int bRestore)
{
    if (lpSD == nullptr || szPath == nullptr) return DDSURFACE_CREATESURFACE_ERR;
    // The path may be the record's own name, which a new creation overwrites.
    const std::string path = szPath;
    if (!bRestore) {
        if (lpSD->lpDT || lpSD->lpDDS) DDFreeSurface(lpSD);
        lpSD->bLost = 0;
    }
    if (lpDTCon) {
        if (lpDevice == nullptr) return DDSURFACE_CREATESURFACE_ERR;
        return CreateDirect3DFromFile(lpSD, path.c_str(), bColorKey, nBpp, bSystemMemory, nMemoryType, bShare,
                                      bIndexMap, nMirrorW, nMirrorH, bRestore);
    }
    if (lpDDCon)
        return CreateDirectDrawFromFile(lpSD, path.c_str(), bColorKey, nBpp, bSystemMemory, bIndexMap, nMirrorW,
                                        nMirrorH);
    return DDSURFACE_CREATESURFACE_ERR;
}

BOOL DDMakeMirrorFrames(DDSURFACEDATA* lpSD, DDSURFACEDATA* lpSource, int nFrameWidth, int nFrameHeight)
{
    if (!lpDTCon || nFrameWidth <= 0 || nFrameHeight != 0 || lpSD == nullptr || lpSource == nullptr || !lpSD->lpDT)
        return TRUE;
    if (lpSD->lpDT->bRenderTarget && DDSetRenderTarget(0, lpSD)) {
        lpDevice->Clear(0, nullptr, D3DCLEAR_TARGET, lpDTCon->dwTransmitClear, 1.0f, 0);
        DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
    }
    // Each whole frame drawn reversed in place: column c of frame k takes column w - 1 - c of the
    // same frame of the source.
    cLockSD target(lpSD, nScreenBpp);
    if (!target.IsLocked()) return TRUE;
    cLockSD source(lpSource, nScreenBpp);
    if (!source.IsLocked()) return TRUE;
    const int frames = lpSD->nWidth / nFrameWidth;
    const int height = std::min(lpSD->nHeight, lpSource->nHeight);
    for (int k = 0; k < frames; ++k) {
        const int left = k * nFrameWidth;
        if (left + nFrameWidth > lpSource->nWidth) break;
        for (int y = 0; y < height; ++y) {
            for (int c = 0; c < nFrameWidth; ++c) target.Write(left + c, y, source.Read(left + nFrameWidth - 1 - c, y));
        }
    }
    return TRUE;
}
