#include "graphics/DrawInternal.h"

#include <cstring>

#include "graphics/BackEnd.h"
#include "graphics/QuadDraw.h"

DDSURFACEDATA* DDRedirectForDrawing(DDSURFACEDATA* lpSD)
{
    DDRedirectShare(&lpSD);
    if (lpDTCon && !lpDTCon->bFlushing) DDRedirectBackBuffer(&lpSD);
    return lpSD;
}

void DDSetQuadStageStates(DWORD dwColorOp, DWORD dwAlphaOp)
{
    if (lpDevice == nullptr) return;
    lpDevice->SetTextureStageState(0, D3DTSS_COLOROP, dwColorOp);
    lpDevice->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    lpDevice->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    lpDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, dwAlphaOp);
    lpDevice->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    lpDevice->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
}

D3DCOLOR DDOpaqueKeyClearColor(const DDSURFACEDATA* lpTarget)
{
    if (!lpDTCon) return 0;
    // At 16 bits too the colour is a D3DCOLOR built from 8-bit channels: Clear converts it to
    // the target's format.
    return lpTarget == &BackBuffer ? lpDTCon->dwTransmitARGB : lpDTCon->dwTransmitClear;
}

void DDClearTargetRect(int x, int y, int nWidth, int nHeight, D3DCOLOR dwColor)
{
    if (lpDevice == nullptr) return;
    const D3DRECT rect{x, y, x + nWidth, y + nHeight};
    lpDevice->Clear(1, &rect, D3DCLEAR_TARGET, dwColor, 1.0f, 0);
}

BOOL DDWriteQuad(IDirect3DVertexBuffer9* lpBuffer, const D3D9TLVertex* pQuad)
{
    void* pData = nullptr;
    if (lpBuffer == nullptr || FAILED(lpBuffer->Lock(0, kQuadBytes, &pData, 0))) return FALSE;
    std::memcpy(pData, pQuad, kQuadBytes);
    lpBuffer->Unlock();
    return TRUE;
}
