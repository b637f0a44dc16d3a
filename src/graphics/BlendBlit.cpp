// Tint, translucency and the coloured veil on both back-ends.
#include "graphics/BlendBlit.h"

#include <algorithm>
#include <array>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/BlendTable.h"
#include "graphics/DrawInternal.h"
#include "graphics/EffectPixels.h"

namespace {

// Repeated halving toward a colour settles within nine steps for 8-bit values; more steps
// change nothing, so a level from game data never loops longer than this.
constexpr int kMaxHalvings = 16;

int TintQuadAlpha(int nLevel)
{
    static const int kAlpha[] = {128, 80, 48, 16};
    return nLevel >= 1 && nLevel <= 4 ? kAlpha[nLevel - 1] : 0;
}

int TintLockedShare(int nLevel)
{
    static const int kShare[] = {128, 64, 32, 16};
    return nLevel >= 1 && nLevel <= 4 ? kShare[nLevel - 1] : 0;
}

void TintStages(DWORD dwFactor)
{
    lpDevice->SetRenderState(D3DRS_TEXTUREFACTOR, dwFactor);
    lpDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_BLENDFACTORALPHA);
    lpDevice->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    lpDevice->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_TFACTOR);
    lpDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    lpDevice->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
}

void ModulateStages(DWORD)
{
    DDSetQuadStageStates(D3DTOP_MODULATE, D3DTOP_MODULATE);
}

// Calls f(dst x, dst y, src x, src y) for every pixel of the nWidth x nHeight effect that lies
// inside both locked pictures. The loops are bounded by the destination, whatever the size.
template <class F>
void ForEachPixel(const cEffectLocks& locks, int x, int y, int nWidth, int nHeight, const EffectSource& src, F f)
{
    const DDSURFACEDATA* dst = locks.Dst().Surface();
    const long long i0 = std::max(0LL, -static_cast<long long>(x));
    const long long j0 = std::max(0LL, -static_cast<long long>(y));
    const long long i1 = std::min(static_cast<long long>(nWidth), static_cast<long long>(dst->nWidth) - x);
    const long long j1 = std::min(static_cast<long long>(nHeight), static_cast<long long>(dst->nHeight) - y);
    for (long long j = j0; j < j1; ++j) {
        for (long long i = i0; i < i1; ++i) {
            const int dx = x + static_cast<int>(i), dy = y + static_cast<int>(j);
            const int cx = src.Column(static_cast<int>(i)), cy = src.Row(static_cast<int>(j));
            if (locks.DstInside(dx, dy) && locks.SrcInside(cx, cy)) f(dx, dy, cx, cy);
        }
    }
}

// Channel value of a palette byte (0..255) in units of a channel maximum.
DWORD ToUnits(DWORD v, DWORD dwMax)
{
    return v * dwMax / 255;
}
// Channel value in 255-units; a channel without bits (maximum 0) counts as 0.
DWORD To255(DWORD v, DWORD dwMax)
{
    return dwMax == 0 ? 0 : v * 255 / dwMax;
}

BOOL TintDirect3DLocked(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc,
                        const EffectSource& src, int nFlags, const PALETTEENTRY& tint, int nLevel)
{
    cEffectLocks locks(lpDst, lpSrc);
    if (!locks.IsLocked()) return FALSE;
    const float wt = static_cast<float>(TintLockedShare(nLevel)) / 255.0f;
    auto mix = [&](DWORD v, DWORD t) -> DWORD {
        if (nLevel == 1) return (v + t) >> 1;
        return static_cast<DWORD>(static_cast<float>(v) * wt + (1.0f - wt) * static_cast<float>(t));
    };
    const bool bScreen = DDIsFullScreenBackBuffer(locks.Dst().Surface()) != FALSE;
    const CHANNELINFO& sc = SurfaceChannels;
    const int nBpp = nScreenBpp;
    ForEachPixel(locks, x, y, nWidth, nHeight, src, [&](int dx, int dy, int cx, int cy) {
        const DWORD p = locks.Src().Read(cx, cy);
        if (nFlags == 1 && DDEffectIsTransparent(p, nBpp)) return;
        if (nBpp == 32) {
            const DWORD r = mix((p >> 16) & 0xFF, tint.peRed), g = mix((p >> 8) & 0xFF, tint.peGreen);
            const DWORD b = mix(p & 0xFF, tint.peBlue);
            locks.Dst().Write(dx, dy, 0xFF000000u | r << 16 | g << 8 | b);
            return;
        }
        const DWORD sr = DDChannel(p, sc.dwShiftR, sc.dwMaxR), sg = DDChannel(p, sc.dwShiftG, sc.dwMaxG);
        const DWORD sb = DDChannel(p, sc.dwShiftB, sc.dwMaxB);
        const DWORD tr = ToUnits(tint.peRed, sc.dwMaxR), tg = ToUnits(tint.peGreen, sc.dwMaxG);
        const DWORD tb = ToUnits(tint.peBlue, sc.dwMaxB);
        const DWORD r = mix(sr, tr), g = mix(sg, tg), b = mix(sb, tb);
        if (bScreen && nLevel == 1) {
            // The sum keeps the bit the halving drops: it is the 6-bit green of the mixture.
            const CHANNELINFO& bc = ScreenChannels;
            locks.Dst().Write(dx, dy, r << bc.dwShiftR | (sg + tg) << bc.dwShiftG | b << bc.dwShiftB);
        } else {
            locks.Dst().Write(dx, dy, DDCompose16(r, g, b, bScreen));
        }
    });
    return TRUE;
}

// The 8-bit tint: table row lookups with the tint index, nLevel times. Built once per call as a
// map of the 256 indices, by repeated squaring so that any level costs at most 31 compositions.
std::array<BYTE, 256> TintIndexMap(int nTint, int nLevel)
{
    // A level below zero looks nothing up: the indices stay as they are.
    nLevel = std::max(nLevel, 0);
    std::array<BYTE, 256> step{}, result{};
    for (int p = 0; p < 256; ++p) {
        step[static_cast<size_t>(p)] = BlendTable[p * 256 + nTint];
        result[static_cast<size_t>(p)] = static_cast<BYTE>(p);
    }
    for (unsigned n = static_cast<unsigned>(nLevel); n != 0; n >>= 1) {
        if (n & 1u)
            for (auto& r : result) r = step[r];
        std::array<BYTE, 256> squared{};
        for (size_t p = 0; p < 256; ++p) squared[p] = step[step[p]];
        step = squared;
    }
    return result;
}

BOOL TintDirectDraw(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc,
                    const EffectSource& src, int nFlags, const PALETTEENTRY& tint, int nPalIndex, int nLevel)
{
    cEffectLocks locks(lpDst, lpSrc);
    if (!locks.IsLocked()) return FALSE;
    const int nBpp = nScreenBpp;
    const int nHalvings = std::clamp(nLevel, 0, kMaxHalvings);
    std::array<BYTE, 256> indexMap{};
    if (nBpp == 8) indexMap = TintIndexMap(nPalIndex & 255, nLevel);
    const CHANNELINFO& sc = SurfaceChannels;
    auto halve = [&](DWORD v, DWORD t) {
        for (int k = 0; k < nHalvings; ++k) v = (v + t) >> 1;
        return v;
    };
    ForEachPixel(locks, x, y, nWidth, nHeight, src, [&](int dx, int dy, int cx, int cy) {
        const DWORD p = locks.Src().Read(cx, cy);
        if (nFlags == 1 && DDEffectIsTransparent(p, nBpp)) return;
        if (nBpp == 8) {
            locks.Dst().Write(dx, dy, indexMap[p & 0xFF]);
        } else if (nBpp == 16) {
            // The palette holds channel values of the screen format here.
            const DWORD r = halve(To255(DDChannel(p, sc.dwShiftR, sc.dwMaxR), sc.dwMaxR), To255(tint.peRed, sc.dwMaxR));
            const DWORD g =
                halve(To255(DDChannel(p, sc.dwShiftG, sc.dwMaxG), sc.dwMaxG), To255(tint.peGreen, sc.dwMaxG));
            const DWORD b =
                halve(To255(DDChannel(p, sc.dwShiftB, sc.dwMaxB), sc.dwMaxB), To255(tint.peBlue, sc.dwMaxB));
            locks.Dst().Write(dx, dy,
                              DDCompose16(ToUnits(r, sc.dwMaxR), ToUnits(g, sc.dwMaxG), ToUnits(b, sc.dwMaxB), false));
        } else {
            const DWORD keep = locks.Dst().Read(dx, dy) & 0xFF000000u;
            const DWORD r = halve((p >> 16) & 0xFF, tint.peRed), g = halve((p >> 8) & 0xFF, tint.peGreen);
            const DWORD b = halve(p & 0xFF, tint.peBlue);
            locks.Dst().Write(dx, dy, keep | r << 16 | g << 8 | b);
        }
    });
    return TRUE;
}

BOOL AlphaDirect3DLocked(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc,
                         const EffectSource& src, int nFlags)
{
    cEffectLocks locks(lpDst, lpSrc);
    if (!locks.IsLocked()) return FALSE;
    const bool bScreen = DDIsFullScreenBackBuffer(locks.Dst().Surface()) != FALSE;
    const CHANNELINFO& sc = SurfaceChannels;
    const CHANNELINFO& bc = ScreenChannels;
    const int nBpp = nScreenBpp;
    ForEachPixel(locks, x, y, nWidth, nHeight, src, [&](int dx, int dy, int cx, int cy) {
        const DWORD p = locks.Src().Read(cx, cy);
        if (nFlags == 1 && DDEffectIsTransparent(p, nBpp)) return;
        const DWORD d = locks.Dst().Read(dx, dy);
        if (nBpp == 32) {
            const DWORD r = (((p >> 16) & 0xFF) + ((d >> 16) & 0xFF)) >> 1;
            const DWORD g = (((p >> 8) & 0xFF) + ((d >> 8) & 0xFF)) >> 1;
            const DWORD b = ((p & 0xFF) + (d & 0xFF)) >> 1;
            locks.Dst().Write(dx, dy, 0xFF000000u | r << 16 | g << 8 | b);
            return;
        }
        const DWORD sr = DDChannel(p, sc.dwShiftR, sc.dwMaxR), sg = DDChannel(p, sc.dwShiftG, sc.dwMaxG);
        const DWORD sb = DDChannel(p, sc.dwShiftB, sc.dwMaxB);
        if (bScreen) {
            // The back buffer's green has six bits: the texture's five are doubled before mixing.
            const DWORD r = (sr + DDChannel(d, bc.dwShiftR, bc.dwMaxR)) >> 1;
            const DWORD g = (DDChannel(d, bc.dwShiftG, bc.dwMaxG) + 2 * sg) >> 1;
            const DWORD b = (sb + DDChannel(d, bc.dwShiftB, bc.dwMaxB)) >> 1;
            locks.Dst().Write(dx, dy, r << bc.dwShiftR | g << bc.dwShiftG | b << bc.dwShiftB);
        } else {
            const DWORD r = (sr + DDChannel(d, sc.dwShiftR, sc.dwMaxR)) >> 1;
            const DWORD g = (sg + DDChannel(d, sc.dwShiftG, sc.dwMaxG)) >> 1;
            const DWORD b = (sb + DDChannel(d, sc.dwShiftB, sc.dwMaxB)) >> 1;
            locks.Dst().Write(dx, dy, DDCompose16(r, g, b, false));
        }
    });
    return TRUE;
}

BOOL AlphaDirectDraw(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc,
                     const EffectSource& src, int nFlags, const BYTE* pTable)
{
    cEffectLocks locks(lpDst, lpSrc);
    if (!locks.IsLocked()) return FALSE;
    const CHANNELINFO& sc = SurfaceChannels;
    const int nBpp = nScreenBpp;
    auto avg = [](DWORD s, DWORD d, DWORD dwMax) { return ToUnits((To255(d, dwMax) + To255(s, dwMax)) >> 1, dwMax); };
    ForEachPixel(locks, x, y, nWidth, nHeight, src, [&](int dx, int dy, int cx, int cy) {
        const DWORD p = locks.Src().Read(cx, cy);
        const DWORD d = locks.Dst().Read(dx, dy);
        if (nBpp == 8) {
            // Index 0 is the transparent colour of the 8-bit palette.
            if (nFlags == 1 && p == 0) return;
            locks.Dst().Write(dx, dy, d == 0 ? p : pTable[d * 256 + p]);
        } else if (nBpp == 16) {
            if (nFlags == 1 && DDEffectIsTransparent(p, nBpp)) return;
            if (DDEffectIsTransparent(d, nBpp)) {
                locks.Dst().Write(dx, dy, p);
                return;
            }
            const DWORD r = avg(DDChannel(p, sc.dwShiftR, sc.dwMaxR), DDChannel(d, sc.dwShiftR, sc.dwMaxR), sc.dwMaxR);
            const DWORD g = avg(DDChannel(p, sc.dwShiftG, sc.dwMaxG), DDChannel(d, sc.dwShiftG, sc.dwMaxG), sc.dwMaxG);
            const DWORD b = avg(DDChannel(p, sc.dwShiftB, sc.dwMaxB), DDChannel(d, sc.dwShiftB, sc.dwMaxB), sc.dwMaxB);
            locks.Dst().Write(dx, dy, DDCompose16(r, g, b, false));
        } else {
            if (nFlags == 1 && DDEffectIsTransparent(p, nBpp)) return;
            const DWORD keep = d & 0xFF000000u;
            if (DDEffectIsTransparent(d, nBpp)) {
                locks.Dst().Write(dx, dy, keep | (p & 0xFFFFFFu));
                return;
            }
            const DWORD r = (((p >> 16) & 0xFF) + ((d >> 16) & 0xFF)) >> 1;
            const DWORD g = (((p >> 8) & 0xFF) + ((d >> 8) & 0xFF)) >> 1;
            const DWORD b = ((p & 0xFF) + (d & 0xFF)) >> 1;
            locks.Dst().Write(dx, dy, keep | r << 16 | g << 8 | b);
        }
    });
    return TRUE;
}

}  // namespace

BOOL DDBltTint(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx, int sy,
               int nFlags, const PALETTEENTRY* pPal, const BYTE* /*pBlendTable*/, int nPalIndex, int nLevel)
{
    // Only level 0 is no tint. Below zero DirectDraw mixes no times (the picture is drawn as it
    // is) and Direct3D leaves out the quad and draws the tint colour itself through the pixels.
    if (nLevel == 0) return TRUE;
    if (lpDstSD == nullptr || lpSrcSD == nullptr || pPal == nullptr) return FALSE;
    if (!lpDTCon && !lpDDCon) return FALSE;
    const PALETTEENTRY& tint = pPal[nPalIndex & 255];
    const EffectSource src = DDEffectSource(lpSrcSD, sx, sy, nWidth, nHeight);
    if (lpDDCon) return TintDirectDraw(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, src, nFlags, tint, nPalIndex, nLevel);
    DDSURFACEDATA* dst = lpDstSD;
    DDSURFACEDATA* source = lpSrcSD;
    if (nLevel >= 1 && DDEffectQuadApplies(&dst, &source)) {
        const DWORD a = static_cast<DWORD>(TintQuadAlpha(nLevel));
        const DWORD factor = a << 24 | DWORD{tint.peRed} << 16 | DWORD{tint.peGreen} << 8 | tint.peBlue;
        return DDDrawEffectQuad(dst, x, y, nWidth, nHeight, source, src, 0xFFFFFFFFu, TintStages, factor);
    }
    return TintDirect3DLocked(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, src, nFlags, tint, nLevel);
}

BOOL DDBltAlpha(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx, int sy,
                int nFlags, const BYTE* pBlendTable, int nLevel)
{
    if (lpDstSD == nullptr || lpSrcSD == nullptr) return FALSE;
    if (!lpDTCon && !lpDDCon) return FALSE;
    const EffectSource src = DDEffectSource(lpSrcSD, sx, sy, nWidth, nHeight);
    if (lpDDCon) {
        const BYTE* table = pBlendTable != nullptr ? pBlendTable : BlendTable;
        return AlphaDirectDraw(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, src, nFlags, table);
    }
    DDSURFACEDATA* dst = lpDstSD;
    DDSURFACEDATA* source = lpSrcSD;
    if (DDEffectQuadApplies(&dst, &source)) {
        const DWORD level = static_cast<DWORD>(std::clamp(nLevel, 0, 255));
        const BOOL bResult = DDDrawEffectQuad(dst, x, y, nWidth, nHeight, source, src, (255 - level) << 24 | 0xFFFFFFu,
                                              ModulateStages, 0);
        // The other blits expect the texture's own alpha.
        lpDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
        lpDevice->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        return bResult;
    }
    return AlphaDirect3DLocked(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, src, nFlags);
}

BOOL DDBltHalf(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx, int sy,
               int nFlags, const BYTE* pBlendTable)
{
    return DDBltAlpha(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nFlags, pBlendTable, 128);
}

int DDChangeColor(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nAlpha, BYTE bRed, BYTE bGreen,
                  BYTE bBlue)
{
    return DDChangeColorBlt(lpDstSD, x, y, nWidth, nHeight, lpDstSD, nAlpha, bRed, bGreen, bBlue);
}

int DDChangeColorBlt(DDSURFACEDATA* lpDstSD, int /*x*/, int /*y*/, int /*nWidth*/, int /*nHeight*/,
                     DDSURFACEDATA* lpSrcSD, int nAlpha, BYTE bRed, BYTE bGreen, BYTE bBlue)
{
    if (!lpDTCon) {
        static const std::string kText =
            Sjis("DDrawでは DDChangeColor(DDSURFACEDATA *lpDstSD,int x,int y,int nWidth,int nHeight,int nAlpha,BYTE "
                 "bRed,BYTE bGreen,BYTE bBlue) は未対応");
        ECLogF("%s", kText.c_str());
        return 1;
    }
    if (lpDstSD == nullptr || lpSrcSD == nullptr || lpDevice == nullptr) return 1;
    DDSURFACEDATA* dst = DDRedirectForDrawing(lpDstSD);
    DDSURFACEDATA* src = DDRedirectForDrawing(lpSrcSD);
    if (!dst->lpDT || !src->lpDT) return 1;
    const DWORD alpha = static_cast<DWORD>(255 - std::clamp(nAlpha, 0, 255));
    const D3DCOLOR colour = alpha << 24 | DWORD{bRed} << 16 | DWORD{bGreen} << 8 | bBlue;
    const EffectSource whole{0, 0, dst->nWidth, dst->nHeight};
    // The back buffer, the veil's usual source, has no texture: the quad then shows its own colour.
    DDDrawEffectQuad(dst, 0, 0, dst->nWidth, dst->nHeight, src, whole, colour, ModulateStages, 0, true);
    return 1;
}
