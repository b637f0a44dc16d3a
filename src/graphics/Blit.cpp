// DDBlt and DDStretchBlt on both back-ends, and their blend-state variants.
#include "graphics/Blit.h"

#include "graphics/BackEnd.h"
#include "graphics/BlendState.h"
#include "graphics/DrawInternal.h"
#include "graphics/QuadDraw.h"
#include "graphics/SpriteBatch.h"

namespace {

IDirectDrawSurface7* DirectDrawSurfaceOf(const DDSURFACEDATA* lpSD)
{
    return lpSD != nullptr && lpSD->lpDDS ? lpSD->lpDDS->lpDDSurface : nullptr;
}

RECT MakeRect(int x, int y, int nWidth, int nHeight)
{
    return RECT{x, y, x + nWidth, y + nHeight};
}

BOOL StretchBltDirectDraw(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx,
                          int sy, int nSrcWidth, int nSrcHeight, int nFlags)
{
    IDirectDrawSurface7* target = DirectDrawSurfaceOf(lpDst);
    IDirectDrawSurface7* source = DirectDrawSurfaceOf(lpSrc);
    if (target == nullptr || source == nullptr) return FALSE;
    if (!DDClipBltRect(lpDst, &x, &y, &nWidth, &nHeight, lpSrc, &sx, &sy, &nSrcWidth, &nSrcHeight)) return TRUE;
    RECT dst = MakeRect(x, y, nWidth, nHeight);
    RECT src = MakeRect(sx, sy, nSrcWidth, nSrcHeight);
    const DWORD flags = DDBLT_WAIT | (nFlags == 1 ? DDBLT_KEYSRC : 0);
    return SUCCEEDED(target->Blt(&dst, source, &src, flags, nullptr)) ? TRUE : FALSE;
}

// The textured quad: the render target drawn from a video-memory texture with the blend state.
BOOL StretchBltHardware(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx,
                        int sy, int nSrcWidth, int nSrcHeight, int nFlags)
{
    if (!DDClipBltRect(lpDst, &x, &y, &nWidth, &nHeight, lpSrc, &sx, &sy, &nSrcWidth, &nSrcHeight)) return TRUE;
    // The flush of the virtual back buffer belongs to the present and is never recorded.
    if (DDBatchIsOpen() && !lpDTCon->bFlushing) {
        DDBatchRecordBlt(lpDst, x, y, nWidth, nHeight, lpSrc, sx, sy, nSrcWidth, nSrcHeight, nFlags);
        return TRUE;
    }
    DTSURFACEDATA& src = *lpSrc->lpDT;
    // A surface left without texture (a failed load, a restore that could not rebuild it) draws nothing.
    if (lpDevice == nullptr || src.lpTexture == nullptr || src.lpVertexBuffer == nullptr) return FALSE;
    D3D9TLVertex quad[4];
    DDMakeQuad(quad, x, y, nWidth, nHeight, sx, sy, nSrcWidth, nSrcHeight, lpSrc->nTexWidth, lpSrc->nTexHeight,
               lpDTCon->dwDiffuse);
    if (!DDWriteQuad(src.lpVertexBuffer, quad)) return FALSE;
    if (!DDBeginScene() || !DDSetRenderTarget(0, lpDst)) return FALSE;
    if (nFlags != 1 && src.bColorKey) DDClearTargetRect(x, y, nWidth, nHeight, DDOpaqueKeyClearColor(lpDst));
    DDSetQuadStageStates(lpDTCon->dwColorOp, lpDTCon->dwAlphaOp);
    lpDevice->SetTexture(0, src.lpTexture);
    lpDevice->SetStreamSource(0, src.lpVertexBuffer, 0, sizeof(D3D9TLVertex));
    lpDevice->SetFVF(kQuadFVF);
    const HRESULT hr = lpDevice->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
    DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
    return SUCCEEDED(hr) ? TRUE : FALSE;
}

BOOL StretchBltDirect3D(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx,
                        int sy, int nSrcWidth, int nSrcHeight, int nFlags)
{
    if (lpDst == nullptr || lpSrc == nullptr) return FALSE;
    lpDst = DDRedirectForDrawing(lpDst);
    lpSrc = DDRedirectForDrawing(lpSrc);
    if (!lpDst->lpDT || !lpSrc->lpDT) return FALSE;
    if (lpDst->lpDT->bRenderTarget && lpSrc->lpDT->nMemoryType != DTMEMORYTYPE_SYSTEM)
        return StretchBltHardware(lpDst, x, y, nWidth, nHeight, lpSrc, sx, sy, nSrcWidth, nSrcHeight, nFlags);
    return DDStretchBltLocked(lpDst, x, y, nWidth, nHeight, lpSrc, sx, sy, nSrcWidth, nSrcHeight, nFlags);
}

}  // namespace

BOOL DDBlt(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx, int sy,
           int nFlags)
{
    if (lpDTCon) return DDStretchBlt(lpDst, x, y, nWidth, nHeight, lpSrc, sx, sy, nWidth, nHeight, nFlags);
    if (!lpDDCon) return FALSE;
    IDirectDrawSurface7* target = DirectDrawSurfaceOf(lpDst);
    IDirectDrawSurface7* source = DirectDrawSurfaceOf(lpSrc);
    if (target == nullptr || source == nullptr) return FALSE;
    int sw = nWidth;
    int sh = nHeight;
    if (!DDClipBltRect(lpDst, &x, &y, &nWidth, &nHeight, lpSrc, &sx, &sy, &sw, &sh)) return TRUE;
    RECT src = MakeRect(sx, sy, sw, sh);
    const DWORD flags = DDBLTFAST_WAIT | (nFlags == 1 ? DDBLTFAST_SRCCOLORKEY : DDBLTFAST_NOCOLORKEY);
    return SUCCEEDED(target->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), source, &src, flags)) ? TRUE : FALSE;
}

BOOL DDStretchBlt(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx, int sy,
                  int nSrcWidth, int nSrcHeight, int nFlags)
{
    DDMirrorSrcRect(lpSrc, &sx, &sy, &nSrcWidth, &nSrcHeight);
    if (lpDTCon) return StretchBltDirect3D(lpDst, x, y, nWidth, nHeight, lpSrc, sx, sy, nSrcWidth, nSrcHeight, nFlags);
    if (lpDDCon)
        return StretchBltDirectDraw(lpDst, x, y, nWidth, nHeight, lpSrc, sx, sy, nSrcWidth, nSrcHeight, nFlags);
    return FALSE;
}

BOOL DDBltColorOp(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx, int sy,
                  int nFlags, const BLENDSTATE* lpBlend)
{
    if (lpDTCon)
        return DDStretchBltColorOp(lpDst, x, y, nWidth, nHeight, lpSrc, sx, sy, nWidth, nHeight, nFlags, lpBlend);
    return DDBlt(lpDst, x, y, nWidth, nHeight, lpSrc, sx, sy, nFlags);
}

BOOL DDStretchBltColorOp(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx,
                         int sy, int nSrcWidth, int nSrcHeight, int nFlags, const BLENDSTATE* lpBlend)
{
    if (!lpDTCon || lpBlend == nullptr)
        return DDStretchBlt(lpDst, x, y, nWidth, nHeight, lpSrc, sx, sy, nSrcWidth, nSrcHeight, nFlags);
    DDSetDiffuse(lpBlend->dwDiffuse);
    DDSetColorOp(lpBlend->dwColorOp);
    const BOOL bResult = DDStretchBlt(lpDst, x, y, nWidth, nHeight, lpSrc, sx, sy, nSrcWidth, nSrcHeight, nFlags);
    DDResetDiffuse();
    DDResetColorOp();
    return bResult;
}
