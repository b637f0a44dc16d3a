#include "graphics/DeviceLoss.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/Palette.h"
#include "graphics/Surfaces.h"
#include "platform/win/Messages.h"

namespace {

std::vector<cDeviceFont*>& Fonts()
{
    static std::vector<cDeviceFont*> fonts;
    return fonts;
}

template <class T>
void ReleaseCom(T*& p)
{
    if (p != nullptr) p->Release();
    p = nullptr;
}

// Everything in the default pool goes before the reset: textures not in system memory (their
// vertex buffers and system copies stay), the fonts' device objects, the back buffer.
void ReleaseDeviceObjects()
{
    for (DDSURFACEDATA* lpSD : DTSurfaceList) {
        if (!lpSD->lpDT || lpSD->lpDT->nMemoryType == DTMEMORYTYPE_SYSTEM) continue;
        ReleaseCom(lpSD->lpDT->lpTexture);
        ReleaseCom(lpSD->lpDT->lpSurface);
    }
    int i = 0;
    for (cDeviceFont* lpFont : Fonts()) {
        ECLogF("Font i = %d", i++);
        const HRESULT hr = lpFont->OnLostDevice();
        if (FAILED(hr)) ECLogF("lpFont->OnLostDevice hr = %d", static_cast<int>(hr));
    }
    if (BackBuffer.lpDT) ReleaseCom(BackBuffer.lpDT->lpSurface);
}

void RebuildSurface(int i, DDSURFACEDATA* lpSD)
{
    ECLogF("i = %d lpSD->szSurfaceType = %s lpSD->szFileName = %s Size = (%d,%d)", i, lpSD->szSurfaceType.c_str(),
           lpSD->szFileName.c_str(), lpSD->nWidth, lpSD->nHeight);
    const DTSURFACEDATA& dt = *lpSD->lpDT;
    if (DDIsEmptyFileName(lpSD->szFileName)) {
        if (!DDCreateSurface(lpSD, lpSD->nWidth, lpSD->nHeight, dt.bColorKey, lpSD->bSystemMemory, dt.nMemoryType, 0,
                             1))
            ECLog("Err");
        lpSD->bLost = 1;
        return;
    }
    // A surface that had a palette-index map gets it again.
    const int bIndexMap = dt.lpIndexMap.empty() ? 0 : 1;
    const std::string path = lpSD->szFileName;
    if (DDCreateSurfaceFromFile(lpSD, path.c_str(), dt.bColorKey, nScreenBpp, lpSD->bSystemMemory, dt.nMemoryType, 0,
                                bIndexMap, lpSD->nMirrorW, lpSD->nMirrorH, 1) != DDSURFACE_OK)
        ECLog("Err");
}

void RestoreFonts()
{
    for (cDeviceFont* lpFont : Fonts()) lpFont->Restore();
}

bool IsLost(IDirectDrawSurface7* lpSurface)
{
    return lpSurface != nullptr && lpSurface->IsLost() == DDERR_SURFACELOST;
}

IDirectDrawSurface7* SurfaceOf(const DDSURFACEDATA& sd)
{
    return sd.lpDDS ? sd.lpDDS->lpDDSurface : nullptr;
}

}  // namespace

void DDRegisterFont(cDeviceFont* lpFont)
{
    if (lpFont != nullptr && std::find(Fonts().begin(), Fonts().end(), lpFont) == Fonts().end())
        Fonts().push_back(lpFont);
}

void DDUnregisterFont(cDeviceFont* lpFont)
{
    std::erase(Fonts(), lpFont);
}

BOOL DDRestoreSurface()
{
    if (!lpDTCon) {
        static const std::string kText = Sjis("DDではDDRestoreSurfaceは未対応");
        ECLog(kText.c_str());
        return TRUE;
    }
    if (lpDevice == nullptr) return FALSE;
    ECLog("Restore In");
    // Nothing is released while the device cannot be reset: the game thread keeps drawing with
    // what it has (draws on a lost device do nothing) and the next failed present asks again.
    if (lpDevice->TestCooperativeLevel() != D3DERR_DEVICENOTRESET) {
        static const std::string kText = Sjis("復旧失敗…リセット可能な状態ではありません…");
        ECLog(kText.c_str());
        return FALSE;
    }
    ReleaseDeviceObjects();
    D3DPRESENT_PARAMETERS pp = lpDTCon->PresentParameters;
    if (FAILED(lpDevice->Reset(&pp))) return FALSE;
    lpDTCon->bInScene = 0;
    DDSetRenderStates();
    lpDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &BackBuffer.lpDT->lpSurface);
    // The list is walked over a copy: rebuilding a mirrored surface adds and removes a temporary.
    const std::vector<DDSURFACEDATA*> surfaces(DTSurfaceList.begin(), DTSurfaceList.end());
    for (std::size_t i = 0; i < surfaces.size(); ++i) RebuildSurface(static_cast<int>(i), surfaces[i]);
    DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
    RestoreFonts();
    if (!bWindowMode) ShowWindow(hWndDD, SW_SHOWNORMAL);
    ECLog("Restore Out");
    return TRUE;
}

BOOL DDRestore()
{
    if (lpDTCon) {
        static const std::string kText = Sjis("D3DではDDRestoreは未対応");
        ECLog(kText.c_str());
        return TRUE;
    }
    if (!IsLost(SurfaceOf(PrimarySD))) return TRUE;
    SurfaceOf(PrimarySD)->Restore();
    if (IsLost(SurfaceOf(BackBuffer))) SurfaceOf(BackBuffer)->Restore();
    if (IsLost(SurfaceOf(ScreenCopySD))) SurfaceOf(ScreenCopySD)->Restore();
    for (int slot = 0; lpSDTable != nullptr && slot < nSDCount; ++slot) {
        DDSURFACEDATA& sd = lpSDTable[slot];
        if (!IsLost(SurfaceOf(sd))) continue;
        SurfaceOf(sd)->Restore();
        // A restored surface has lost its picture: a file surface is copied in again, the owner of an
        // empty one draws it again.
        if (!DDIsEmptyFileName(sd.szFileName)) {
            DDReloadSurface(&sd, nScreenBpp);
        } else {
            sd.bLost = 1;
        }
    }
    if (nScreenBpp == 8 && lpDDPalette != nullptr) lpDDPalette->SetEntries(0, 0, 256, PaletteBackup);
    RestoreFonts();
    return TRUE;
}
