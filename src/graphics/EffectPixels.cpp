// The shared steps of the effect blitters: mirroring, the effect quad, the locked pair and the
// pixel tests.
#include "graphics/EffectPixels.h"

#include <algorithm>
#include <cstdint>

#include "core/ReportLog.h"
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
                      const EffectSource& src, D3DCOLOR dwColour, EffectStageFn fnStages, DWORD dwParam,
                      bool bTextureOptional)
{
    D3D9TLVertex quad[4];
    DDMakeQuad(quad, x, y, nWidth, nHeight, src.sx, src.sy, src.nWidth, src.nHeight, lpSrc->nTexWidth,
               lpSrc->nTexHeight, dwColour);
    return DDDrawEffectVertices(lpDst, lpSrc, quad, fnStages, dwParam, bTextureOptional);
}

BOOL DDDrawEffectVertices(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, const D3D9TLVertex* pQuad, EffectStageFn fnStages,
                          DWORD dwParam, bool bTextureOptional)
{
    DTSURFACEDATA& tex = *lpSrc->lpDT;
    // A quad that could not be drawn is reported as a failure, not as drawn.
    if (lpDevice == nullptr || (tex.lpTexture == nullptr && !bTextureOptional)) return FALSE;
    if (!DDWriteQuad(tex.lpVertexBuffer, pQuad)) return FALSE;
    if (!DDBeginScene() || !DDSetRenderTarget(0, lpDst)) return FALSE;
    fnStages(dwParam);
    lpDevice->SetTexture(0, tex.lpTexture);
    const HRESULT hr = DDDrawEffectStrip(tex.lpVertexBuffer);
    const BOOL bRestored = DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
    return SUCCEEDED(hr) && bRestored ? TRUE : FALSE;
}

HRESULT DDDrawEffectStrip(IDirect3DVertexBuffer9* lpBuffer)
{
    lpDevice->SetStreamSource(0, lpBuffer, 0, sizeof(D3D9TLVertex));
    lpDevice->SetFVF(kQuadFVF);
    const HRESULT hr = lpDevice->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
    if (FAILED(hr)) ECLogF("DrawPrimitive Err %x", static_cast<unsigned>(hr));
    return hr;
}

RECT DDEffectArea(long long x, long long y, long long nWidth, long long nHeight)
{
    auto held = [](long long v) { return static_cast<LONG>(std::clamp<long long>(v, INT32_MIN, INT32_MAX)); };
    if (nWidth <= 0 || nHeight <= 0) return RECT{0, 0, 0, 0};
    return RECT{held(x), held(y), held(x + nWidth), held(y + nHeight)};
}

cEffectLocks::cEffectLocks(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, const RECT* lpDstArea)
    : m_dst(lpDst, nScreenBpp, LockAccess::ReadWrite, lpDstArea)
{
    if (!m_dst.IsLocked()) return;
    // Under Direct3D both may lead to the same surface after redirection; one lock serves both.
    if (lpSrc == lpDst || (lpDTCon && DDRedirectForDrawing(lpSrc) == m_dst.Surface())) return;
    m_src.emplace(lpSrc, nScreenBpp, LockAccess::ReadOnly);
}

bool cEffectLocks::Inside(const cLockSD& lock, int x, int y)
{
    const DDSURFACEDATA* sd = lock.Surface();
    return sd != nullptr && x >= 0 && y >= 0 && x < sd->nWidth && y < sd->nHeight;
}

EffectKey DDEffectKey(int nBpp)
{
    if (lpDTCon) return nBpp == 16 ? EffectKey{0x8000u, 0} : EffectKey{0xFF000000u, 0};
    if (nBpp == 8) return {0xFFu, dwColorKey & 0xFFu};
    if (nBpp == 16) return {0xFFFFu, dwColorKey & 0xFFFFu};
    // The fourth byte of a DirectDraw 32-bit pixel carries no meaning.
    return {0xFFFFFFu, dwColorKey & 0xFFFFFFu};
}

bool DDEffectIsTransparent(DWORD dwPixel, int nBpp)
{
    return DDEffectKey(nBpp).IsTransparent(dwPixel);
}

cEffectChannels::cEffectChannels(bool bFullScreenBackBuffer) : m_b32(nScreenBpp == 32)
{
    // Only Direct3D has a back buffer in another format than its textures; under DirectDraw every
    // surface has the primary's format, the back buffer in full screen as well.
    bFullScreenBackBuffer = bFullScreenBackBuffer && lpDTCon != nullptr;
    const CHANNELINFO& sc = SurfaceChannels;
    const CHANNELINFO& join = bFullScreenBackBuffer ? ScreenChannels : SurfaceChannels;
    m_splitShift[0] = sc.dwShiftR, m_splitShift[1] = sc.dwShiftG, m_splitShift[2] = sc.dwShiftB;
    m_splitMax[0] = sc.dwMaxR, m_splitMax[1] = sc.dwMaxG, m_splitMax[2] = sc.dwMaxB;
    m_joinShift[0] = join.dwShiftR, m_joinShift[1] = join.dwShiftG, m_joinShift[2] = join.dwShiftB;
    m_greenFactor = bFullScreenBackBuffer ? 2 : 1;
    if (m_b32) {
        m_keepOld = lpDTCon ? 0 : 0xFF000000u;
        m_fixedBits = lpDTCon ? 0xFF000000u : 0;
    } else {
        m_keepOld = 0;
        m_fixedBits = !bFullScreenBackBuffer && lpDTCon ? (sc.dwMaxA & 1) << sc.dwShiftA : 0;
    }
}

DWORD DDCompose16(DWORD r, DWORD g, DWORD b, bool bFullScreenBackBuffer)
{
    if (bFullScreenBackBuffer && lpDTCon)
        return r << ScreenChannels.dwShiftR | (g * 2) << ScreenChannels.dwShiftG | b << ScreenChannels.dwShiftB;
    DWORD p = r << SurfaceChannels.dwShiftR | g << SurfaceChannels.dwShiftG | b << SurfaceChannels.dwShiftB;
    if (lpDTCon) p |= (SurfaceChannels.dwMaxA & 1) << SurfaceChannels.dwShiftA;
    return p;
}

EffectRgb DDEffectSplit(DWORD dwPixel)
{
    return cEffectChannels(false).Split(dwPixel);
}

DWORD DDEffectJoin(const EffectRgb& rgb, DWORD dwOld, bool bFullScreenBackBuffer)
{
    return cEffectChannels(bFullScreenBackBuffer).Join(rgb, dwOld);
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
