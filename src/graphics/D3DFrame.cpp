// The Direct3D frame: scenes, render targets, the virtual back buffer, and the present.
#include <atomic>

#include "core/ReportLog.h"
#include "graphics/BackEnd.h"
#include "graphics/BlendState.h"
#include "graphics/Blit.h"
#include "graphics/FrameTiming.h"
#include "platform/win/Messages.h"
#include "platform/win/Time.h"

namespace {

bool HasSurface(const DDSURFACEDATA& sd)
{
    return sd.lpDT != nullptr && sd.lpDT->lpSurface != nullptr;
}

}  // namespace

BOOL DDBeginScene()
{
    if (lpDevice == nullptr || !lpDTCon) return FALSE;
    if (lpDTCon->bInScene) return TRUE;
    const HRESULT hr = lpDevice->BeginScene();
    if (FAILED(hr)) {
        ReportLog("BeginScene Err %x", static_cast<unsigned>(hr));
        return FALSE;
    }
    lpDTCon->bInScene = 1;
    return TRUE;
}

void DDEndScene()
{
    if (!lpDTCon) return;
    if (lpDevice != nullptr && lpDTCon->bInScene) lpDevice->EndScene();
    lpDTCon->bInScene = 0;
}

BOOL DDSetRenderTarget(int nIndex, DDSURFACEDATA* lpSD)
{
    (void)nIndex;  // always render target 0
    if (lpDevice == nullptr || lpSD == nullptr || !lpSD->lpDT || !lpSD->lpDT->bRenderTarget ||
        lpSD->lpDT->lpSurface == nullptr)
        return FALSE;
    const HRESULT hr = lpDevice->SetRenderTarget(0, lpSD->lpDT->lpSurface);
    if (FAILED(hr)) {
        ReportLog("SetRenderTarget Err %x (%s)", static_cast<unsigned>(hr), lpSD->szFileName.c_str());
        return FALSE;
    }
    return TRUE;
}

void DDSetVirBackBuffer(BOOL bOn)
{
    if (!lpDTCon) return;
    if (lpDTCon->bVirBackBuffer && !bOn && HasSurface(VirBackBuffer)) DDFlushVirBackBuffer(&BackBuffer, &VirBackBuffer);
    lpDTCon->bVirBackBuffer = bOn ? 1 : 0;
    lpDTCon->lpDefaultTarget = bOn ? &BackBuffer : &VirBackBuffer;
    if (HasSurface(*lpDTCon->lpDefaultTarget)) DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
}

BOOL DDRedirectBackBuffer(DDSURFACEDATA** lplpSD)
{
    if (!lpDTCon || !lpDTCon->bVirBackBuffer || lplpSD == nullptr || *lplpSD != &BackBuffer) return FALSE;
    *lplpSD = &VirBackBuffer;
    return TRUE;
}

void DDRedirectShare(DDSURFACEDATA** lplpSD)
{
    if (!lpDTCon || lplpSD == nullptr || *lplpSD == nullptr) return;
    if ((*lplpSD)->lpShareSD != nullptr) *lplpSD = (*lplpSD)->lpShareSD;
}

void DDFlushVirBackBuffer(DDSURFACEDATA* lpTarget, DDSURFACEDATA* lpSource)
{
    if (!lpDTCon || lpTarget == nullptr || lpSource == nullptr) return;
    lpDTCon->bFlushing = 1;
    DDSetAlphaOp(D3DTOP_DISABLE);
    DDBlt(lpTarget, 0, 0, lpSource->nWidth, lpSource->nHeight, lpSource, 0, 0, 0);
    DDResetAlphaOp();
    lpDTCon->bFlushing = 0;
}

BOOL DDPresent(int nFrameRate, int bShow, DDSURFACEDATA* lpSheet)
{
    if (!lpDTCon || lpDevice == nullptr) return TRUE;
    if (lpDTCon->bVirBackBuffer && HasSurface(VirBackBuffer)) DDFlushVirBackBuffer(&BackBuffer, &VirBackBuffer);
    if (!bVSync) {
        while (!CheckFrameTimeD3D(nFrameRate, bShow, lpSheet)) Sleep(1);
    }
    DDEndScene();
    const HRESULT hr = lpDevice->Present(nullptr, nullptr, nullptr, nullptr);
    if (hr == D3DERR_DEVICELOST) {
        if (!bWindowMode) ShowWindow(hWndDD, SW_SHOWMINNOACTIVE);
        return FALSE;
    }
    if (FAILED(hr)) {
        // Other failures leave the frame undrawn but the device usable; said once.
        static std::atomic<bool> reported{false};
        if (!reported.exchange(true)) ReportLog("Present Err %x", static_cast<unsigned>(hr));
    }
    return TRUE;
}
