// Palette mixing and rotation, and the true-colour stand-in for a palette fade.
#include "graphics/PaletteEffects.h"

#include <algorithm>
#include <array>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/EffectPixels.h"

namespace {

BYTE Mix(BYTE source, BYTE colour, int nLevel) { return static_cast<BYTE>((source * nLevel + colour * (256 - nLevel)) >> 8); }

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
    const CHANNELINFO& sc = SurfaceChannels;
    auto mix16 = [&](DWORD v, DWORD k, DWORD dwMax) -> DWORD {
        if (dwMax == 0) return 0;
        return dwMax * ((k * static_cast<DWORD>(256 - nLevel) + static_cast<DWORD>(nLevel) * (v * 255 / dwMax)) >> 8) / 255;
    };
    // The source must cover the destination; rows and columns beyond it are left alone.
    const int nWidth = std::min(locks.Dst().Surface()->nWidth, locks.Src().Surface()->nWidth);
    const int nHeight = std::min(locks.Dst().Surface()->nHeight, locks.Src().Surface()->nHeight);
    for (int y = 0; y < nHeight; ++y) {
        for (int x = 0; x < nWidth; ++x) {
            const DWORD p = locks.Src().Read(x, y);
            if (nScreenBpp == 16) {
                const DWORD r = mix16(DDChannel(p, sc.dwShiftR, sc.dwMaxR), bRed, sc.dwMaxR);
                const DWORD g = mix16(DDChannel(p, sc.dwShiftG, sc.dwMaxG), bGreen, sc.dwMaxG);
                const DWORD b = mix16(DDChannel(p, sc.dwShiftB, sc.dwMaxB), bBlue, sc.dwMaxB);
                locks.Dst().Write(x, y, DDCompose16(r, g, b, false));
            } else if (nScreenBpp == 32) {
                const DWORD keep = locks.Dst().Read(x, y) & 0xFF000000u;
                const DWORD r = Mix(static_cast<BYTE>(p >> 16), bRed, nLevel);
                const DWORD g = Mix(static_cast<BYTE>(p >> 8), bGreen, nLevel);
                const DWORD b = Mix(static_cast<BYTE>(p), bBlue, nLevel);
                locks.Dst().Write(x, y, keep | r << 16 | g << 8 | b);
            }
        }
    }
    return 1;
}
