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

namespace {

DWORD Scale255(DWORD value, DWORD max)
{
    return max == 0 ? 0 : (value & max) * 255 / max;
}

}  // namespace

D3DCOLOR DDOpaqueKeyClearColor(const DDSURFACEDATA* lpTarget)
{
    if (!lpDTCon) return 0;
    if (lpTarget != &BackBuffer) return lpDTCon->dwTransmitClear;
    if (nScreenBpp != 16) return lpDTCon->dwTransmitARGB;
    // At 16 bits the transparent colour is held as channel values: Clear takes a D3DCOLOR of
    // 8-bit channels and converts it to the target's format.
    const RGBTRIPLE& t = lpDTCon->rgbTransmit;
    const CHANNELINFO& c = SurfaceChannels;
    return 0xFF000000u | Scale255(t.rgbtRed, c.dwMaxR) << 16 | Scale255(t.rgbtGreen, c.dwMaxG) << 8 |
           Scale255(t.rgbtBlue, c.dwMaxB);
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
