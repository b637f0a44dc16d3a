// The shared steps of the effect blitters: mirroring, the effect quad, the locked pair and the
// pixel tests.
#include "graphics/EffectPixels.h"

#include <algorithm>
#include <cstdint>

#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/DrawInternal.h"
#include "graphics/QuadDraw.h"

EffectSource DDEffectSource(DDSURFACEDATA* lpSrc, int sx, int sy, int nWidth, int nHeight)
{
    EffectSource src{sx, sy, nWidth, nHeight};
    DDMirrorSrcRect(lpSrc, &src.sx, &src.sy, &src.nWidth, &src.nHeight);
    return src;
}

BOOL DDEffectQuadApplies(DDSURFACEDATA** lplpDst, DDSURFACEDATA** lplpSrc)
{
    if (!lpDTCon || *lplpDst == nullptr || *lplpSrc == nullptr) return FALSE;
    *lplpDst = DDRedirectForDrawing(*lplpDst);
    *lplpSrc = DDRedirectForDrawing(*lplpSrc);
    const DDSURFACEDATA* dst = *lplpDst;
    const DDSURFACEDATA* src = *lplpSrc;
    if (!dst->lpDT || !src->lpDT) return FALSE;
    return dst->lpDT->bRenderTarget && src->lpDT->nMemoryType != DTMEMORYTYPE_SYSTEM ? TRUE : FALSE;
}

BOOL DDDrawEffectQuad(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc,
                      const EffectSource& src, D3DCOLOR dwColour, EffectStageFn fnStages, DWORD dwParam)
{
    D3D9TLVertex quad[4];
    DDMakeQuad(quad, x, y, nWidth, nHeight, src.sx, src.sy, src.nWidth, src.nHeight, lpSrc->nTexWidth,
               lpSrc->nTexHeight, dwColour);
    return DDDrawEffectVertices(lpDst, lpSrc, quad, fnStages, dwParam);
}

BOOL DDDrawEffectVertices(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, const D3D9TLVertex* pQuad,
                          EffectStageFn fnStages, DWORD dwParam)
{
    DTSURFACEDATA& tex = *lpSrc->lpDT;
    // A quad that could not be drawn is reported as a failure, not as drawn.
    if (lpDevice == nullptr || tex.lpTexture == nullptr) return FALSE;
    if (!DDWriteQuad(tex.lpVertexBuffer, pQuad)) return FALSE;
    if (!DDBeginScene() || !DDSetRenderTarget(0, lpDst)) return FALSE;
    fnStages(dwParam);
    lpDevice->SetTexture(0, tex.lpTexture);
    lpDevice->SetStreamSource(0, tex.lpVertexBuffer, 0, sizeof(D3D9TLVertex));
    lpDevice->SetFVF(kQuadFVF);
    const HRESULT hr = lpDevice->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
    const BOOL bRestored = DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
    return SUCCEEDED(hr) && bRestored ? TRUE : FALSE;
}

cEffectLocks::cEffectLocks(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc) : m_dst(lpDst, nScreenBpp)
{
    if (!m_dst.IsLocked()) return;
    // Under Direct3D both may lead to the same surface after redirection; one lock serves both.
    if (lpSrc == lpDst || (lpDTCon && DDRedirectForDrawing(lpSrc) == m_dst.Surface())) return;
    m_src = std::make_unique<cLockSD>(lpSrc, nScreenBpp);
}

bool cEffectLocks::Inside(const cLockSD& lock, int x, int y)
{
    const DDSURFACEDATA* sd = lock.Surface();
    return sd != nullptr && x >= 0 && y >= 0 && x < sd->nWidth && y < sd->nHeight;
}

bool DDEffectIsTransparent(DWORD dwPixel, int nBpp)
{
    if (lpDTCon) return nBpp == 16 ? (dwPixel & 0x8000u) == 0 : (dwPixel >> 24) == 0;
    if (nBpp == 8) return (dwPixel & 0xFFu) == (dwColorKey & 0xFFu);
    if (nBpp == 16) return (dwPixel & 0xFFFFu) == (dwColorKey & 0xFFFFu);
    // The fourth byte of a DirectDraw 32-bit pixel carries no meaning.
    return (dwPixel & 0xFFFFFFu) == (dwColorKey & 0xFFFFFFu);
}

DWORD DDCompose16(DWORD r, DWORD g, DWORD b, bool bFullScreenBackBuffer)
{
    if (bFullScreenBackBuffer)
        return r << ScreenChannels.dwShiftR | (g * 2) << ScreenChannels.dwShiftG | b << ScreenChannels.dwShiftB;
    DWORD p = r << SurfaceChannels.dwShiftR | g << SurfaceChannels.dwShiftG | b << SurfaceChannels.dwShiftB;
    if (lpDTCon) p |= (SurfaceChannels.dwMaxA & 1) << SurfaceChannels.dwShiftA;
    return p;
}

EffectRgb DDEffectSplit(DWORD dwPixel)
{
    if (nScreenBpp == 32) return {(dwPixel >> 16) & 0xFF, (dwPixel >> 8) & 0xFF, dwPixel & 0xFF};
    const CHANNELINFO& sc = SurfaceChannels;
    return {DDChannel(dwPixel, sc.dwShiftR, sc.dwMaxR), DDChannel(dwPixel, sc.dwShiftG, sc.dwMaxG),
            DDChannel(dwPixel, sc.dwShiftB, sc.dwMaxB)};
}

DWORD DDEffectJoin(const EffectRgb& rgb, DWORD dwOld, bool bFullScreenBackBuffer)
{
    if (nScreenBpp == 32) {
        const DWORD fourth = lpDTCon ? 0xFF000000u : (dwOld & 0xFF000000u);
        return fourth | rgb.r << 16 | rgb.g << 8 | rgb.b;
    }
    return DDCompose16(rgb.r, rgb.g, rgb.b, bFullScreenBackBuffer);
}

bool DDClipToSource(int* x, int* y, int* nWidth, int* nHeight, int* sx, int* sy, int nSrcWidth, int nSrcHeight)
{
    auto clip = [](int* pos, int* len, int* spos, int nLimit) {
        if (*spos < 0) {
            const long long cut = -static_cast<long long>(*spos);
            if (cut >= *len) return false;
            *len -= static_cast<int>(cut);
            *pos = static_cast<int>(std::clamp<long long>(*pos + cut, INT32_MIN, INT32_MAX));
            *spos = 0;
        }
        if (*spos >= nLimit) return false;
        *len = std::min(*len, nLimit - *spos);
        return *len > 0;
    };
    return *nWidth > 0 && *nHeight > 0 && clip(x, nWidth, sx, nSrcWidth) && clip(y, nHeight, sy, nSrcHeight);
}
