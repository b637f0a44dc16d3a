// Palette mixing and rotation, and the true-colour stand-in for a palette fade.
#include "graphics/PaletteEffects.h"

#include <algorithm>
#include <array>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/EffectPixels.h"

namespace {

BYTE Mix(BYTE source, BYTE colour, int nLevel)
{
    return static_cast<BYTE>((source * nLevel + colour * (256 - nLevel)) >> 8);
}

// Every value of one channel mixed with the colour's channel: table[v] for v = 0 .. dwMax.
// At 16 bpp values are widened to 0..255 and back (dwMax 0: no such channel, all 0); at 32 bpp
// (dwMax 255) they are mixed as bytes.
std::array<DWORD, 256> MixTable(DWORD dwMax, BYTE colour, int nLevel, bool b16)
{
    std::array<DWORD, 256> table{};
    for (DWORD v = 0; v <= std::min<DWORD>(dwMax, 255); ++v) {
        if (!b16)
            table[v] = Mix(static_cast<BYTE>(v), colour, nLevel);
        else if (dwMax != 0)
            table[v] =
                dwMax *
                ((colour * static_cast<DWORD>(256 - nLevel) + static_cast<DWORD>(nLevel) * (v * 255 / dwMax)) >> 8) /
                255;
    }
    return table;
}

void FadePixels16(const cEffectLocks& locks, int nWidth, int nHeight, int nLevel, BYTE bRed, BYTE bGreen, BYTE bBlue)
{
    const CHANNELINFO& sc = SurfaceChannels;
    const auto r = MixTable(sc.dwMaxR, bRed, nLevel, true);
    const auto g = MixTable(sc.dwMaxG, bGreen, nLevel, true);
    const auto b = MixTable(sc.dwMaxB, bBlue, nLevel, true);
    const cEffectChannels channels(false);
    for (int y = 0; y < nHeight; ++y) {
        const BYTE* src = DDEffectRow(locks.Src(), y);
        BYTE* dst = DDEffectRow(locks.Dst(), y);
        for (int x = 0; x < nWidth; ++x) {
            // A channel maximum above 255 would index past the tables; no 16-bit layout has one.
            const EffectRgb c = channels.Split(DDLoadPixel<WORD>(src, x));
            const EffectRgb mixed{r[c.r & 0xFF], g[c.g & 0xFF], b[c.b & 0xFF]};
            DDStorePixel<WORD>(dst, x, channels.Join(mixed, 0));
        }
    }
}

void FadePixels32(const cEffectLocks& locks, int nWidth, int nHeight, int nLevel, BYTE bRed, BYTE bGreen, BYTE bBlue)
{
    const auto r = MixTable(255, bRed, nLevel, false);
    const auto g = MixTable(255, bGreen, nLevel, false);
    const auto b = MixTable(255, bBlue, nLevel, false);
    for (int y = 0; y < nHeight; ++y) {
        const BYTE* src = DDEffectRow(locks.Src(), y);
        BYTE* dst = DDEffectRow(locks.Dst(), y);
        for (int x = 0; x < nWidth; ++x) {
            const DWORD p = DDLoadPixel<DWORD>(src, x);
            const DWORD keep = DDLoadPixel<DWORD>(dst, x) & 0xFF000000u;
            DDStorePixel<DWORD>(dst, x, keep | r[(p >> 16) & 0xFF] << 16 | g[(p >> 8) & 0xFF] << 8 | b[p & 0xFF]);
        }
    }
}

}  // namespace

void DDFadePalette(PALETTEENTRY* pDstPal, int nFirst, int nLast, int nLevel, BYTE bRed, BYTE bGreen, BYTE bBlue,
                   const PALETTEENTRY* pSrcPal)
{
    if (pDstPal == nullptr || pSrcPal == nullptr) return;
    nFirst = std::max(nFirst, 0);
    nLast = std::min(nLast, 255);
    nLevel = std::clamp(nLevel, 0, 256);
    for (int i = nFirst; i <= nLast; ++i) {
        const PALETTEENTRY& s = pSrcPal[i];
        pDstPal[i] = {Mix(s.peRed, bRed, nLevel), Mix(s.peGreen, bGreen, nLevel), Mix(s.peBlue, bBlue, nLevel), 1};
    }
}

void DDRotatePalette(PALETTEENTRY* pDstPal, int nFirst, int nLast, int nCount, int nDirection,
                     const PALETTEENTRY* pSrcPal)
{
    if (nScreenBpp != 8 && nScreenBpp != 16 && nScreenBpp != 32) return;
    if (pDstPal == nullptr || pSrcPal == nullptr) return;
    std::array<PALETTEENTRY, 256> work;
    std::copy(pSrcPal, pSrcPal + 256, work.begin());
    const bool bRange = nFirst >= 0 && nLast <= 255 && nFirst <= nLast && nCount >= 0;
    if (bRange && (nDirection == 0 || nDirection == 1)) {
        // A count beyond the range (a palette variant above the last one) wraps around it.
        nCount %= nLast - nFirst + 1;
        auto first = work.begin() + nFirst, last = work.begin() + nLast + 1;
        if (nDirection == 0)
            std::rotate(first, last - nCount, last);
        else
            std::rotate(first, first + nCount, last);
    }
    std::copy(work.begin(), work.end(), pDstPal);
}

BOOL DDFade_UnPal(DDSURFACEDATA* lpDstSD, int nLevel, BYTE bRed, BYTE bGreen, BYTE bBlue, DDSURFACEDATA* lpSrcSD)
{
    if (lpDTCon) {
        static const std::string kText = Sjis("D3DではDDFade_UnPalは未対応");
        ECLogF("%s", kText.c_str());
        return 1;
    }
    if (!lpDDCon || lpDstSD == nullptr || lpSrcSD == nullptr) return 0;
    cEffectLocks locks(lpDstSD, lpSrcSD);
    if (!locks.IsLocked()) return 0;
    nLevel = std::clamp(nLevel, 0, 256);
    // The source must cover the destination; rows and columns beyond it are left alone.
    const int nWidth = std::min(locks.Dst().Surface()->nWidth, locks.Src().Surface()->nWidth);
    const int nHeight = std::min(locks.Dst().Surface()->nHeight, locks.Src().Surface()->nHeight);
    if (nScreenBpp == 16) FadePixels16(locks, nWidth, nHeight, nLevel, bRed, bGreen, bBlue);
    if (nScreenBpp == 32) FadePixels32(locks, nWidth, nHeight, nLevel, bRed, bGreen, bBlue);
    return 1;
}
