#include "graphics/Fill.h"

#include <algorithm>
#include <cstdint>

#include "graphics/BackEnd.h"
#include "graphics/BoxBatch.h"
#include "graphics/DrawInternal.h"
#include "graphics/LockSD.h"
#include "graphics/Palette.h"
#include "graphics/Pixel16.h"
#include "graphics/QuadDraw.h"

namespace {

struct FillRect {
    int x = 0, y = 0, nWidth = 0, nHeight = 0;
};

// The part of x, y, nWidth x nHeight inside the picture; false when nothing is left.
bool ClipToSurface(const DDSURFACEDATA& sd, int x, int y, int nWidth, int nHeight, FillRect* out)
{
    if (nWidth <= 0 || nHeight <= 0) return false;
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(static_cast<std::int64_t>(x) + nWidth, sd.nWidth);
    const std::int64_t bottom = std::min<std::int64_t>(static_cast<std::int64_t>(y) + nHeight, sd.nHeight);
    if (right <= left || bottom <= top) return false;
    *out = FillRect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                    static_cast<int>(bottom - top)};
    return true;
}

BOOL FillDirectDraw(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, DWORD dwColor)
{
    if (lpSD == nullptr || !lpSD->lpDDS || lpSD->lpDDS->lpDDSurface == nullptr) return FALSE;
    FillRect r;
    if (!ClipToSurface(*lpSD, x, y, nWidth, nHeight, &r)) return TRUE;
    RECT rect{r.x, r.y, r.x + r.nWidth, r.y + r.nHeight};
    DDBLTFX fx;
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = dwColor;
    return SUCCEEDED(lpSD->lpDDS->lpDDSurface->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx)) ? TRUE
                                                                                                                : FALSE;
}

// Direct3D, a target that is not a render target: the pixels written through a lock.
BOOL FillLocked(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, D3DCOLOR dwColor)
{
    FillRect r;
    if (!ClipToSurface(*lpSD, x, y, nWidth, nHeight, &r)) return TRUE;
    cLockSD lock(lpSD, nScreenBpp);
    if (!lock.IsLocked()) return FALSE;
    const DWORD pixel =
        nScreenBpp == 16 ? DDColorTo16(dwColor, DDIsFullScreenBackBuffer(lock.Surface()) != FALSE) : dwColor;
    for (int row = r.y; row < r.y + r.nHeight; ++row)
        for (int col = r.x; col < r.x + r.nWidth; ++col) lock.Write(col, row, pixel);
    return TRUE;
}

// Direct3D, a colour-keyed render target filled with its transparent value: cleared to it.
BOOL ClearToTransparent(DDSURFACEDATA* lpSD, const FillRect& r, D3DCOLOR dwColor)
{
    if (!DDBeginScene() || !DDSetRenderTarget(0, lpSD)) return FALSE;
    DDClearTargetRect(r.x, r.y, r.nWidth, r.nHeight, dwColor);
    DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
    return TRUE;
}

// Direct3D: a quad of the texture factor's colour, blended over the render target.
BOOL FillQuad(DDSURFACEDATA* lpSD, const FillRect& r, D3DCOLOR dwColor)
{
    DTSURFACEDATA& dt = *lpSD->lpDT;
    if (lpDevice == nullptr || dt.lpVertexBuffer == nullptr) return FALSE;
    D3D9TLVertex quad[4];
    DDMakeQuad(quad, r.x, r.y, r.nWidth, r.nHeight, 0, 0, 0, 0, 1, 1, dwColor);
    if (!DDWriteQuad(dt.lpVertexBuffer, quad)) return FALSE;
    if (!DDBeginScene() || !DDSetRenderTarget(0, lpSD)) return FALSE;
    lpDevice->SetRenderState(D3DRS_TEXTUREFACTOR, dwColor);
    lpDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    lpDevice->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_TFACTOR);
    lpDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    lpDevice->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TFACTOR);
    lpDevice->SetStreamSource(0, dt.lpVertexBuffer, 0, sizeof(D3D9TLVertex));
    lpDevice->SetFVF(kQuadFVF);
    const HRESULT hr = lpDevice->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
    DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
    return SUCCEEDED(hr) ? TRUE : FALSE;
}

BOOL FillDirect3D(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, D3DCOLOR dwColor)
{
    if (lpSD == nullptr) return FALSE;
    lpSD = DDRedirectForDrawing(lpSD);
    if (!lpSD->lpDT) return FALSE;
    if (!lpSD->lpDT->bRenderTarget) return FillLocked(lpSD, x, y, nWidth, nHeight, dwColor);
    FillRect r;
    if (!ClipToSurface(*lpSD, x, y, nWidth, nHeight, &r)) return TRUE;
    const D3DCOLOR transparent = lpSD == &BackBuffer ? lpDTCon->dwTransmitARGB : lpDTCon->dwTransmitClear;
    if (lpSD->lpDT->bColorKey && dwColor == transparent) return ClearToTransparent(lpSD, r, dwColor);
    if (DDBoxBatchIsOpen()) {
        DDBoxBatchAdd(lpSD, r.x, r.y, r.nWidth, r.nHeight, dwColor);
        return TRUE;
    }
    return FillQuad(lpSD, r, dwColor);
}

}  // namespace

BOOL DDFillRectPal(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, DWORD dwPalNum)
{
    // Under DirectDraw the device colour of a palette number is its pixel in the screen format.
    return DDFillRectColor(lpSD, x, y, nWidth, nHeight, PalNumToRGB(dwPalNum));
}

BOOL DDFillSurfacePal(DDSURFACEDATA* lpSD, DWORD dwPalNum)
{
    if (lpSD == nullptr) return FALSE;
    return DDFillRectPal(lpSD, 0, 0, lpSD->nWidth, lpSD->nHeight, dwPalNum);
}

BOOL DDFillRectColor(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, DWORD dwColor)
{
    if (lpDTCon) return FillDirect3D(lpSD, x, y, nWidth, nHeight, dwColor);
    if (lpDDCon) return FillDirectDraw(lpSD, x, y, nWidth, nHeight, dwColor);
    return FALSE;
}

BOOL DDFillSurfaceColor(DDSURFACEDATA* lpSD, DWORD dwColor)
{
    if (lpSD == nullptr) return FALSE;
    return DDFillRectColor(lpSD, 0, 0, lpSD->nWidth, lpSD->nHeight, dwColor);
}
