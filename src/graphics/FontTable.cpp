#include "graphics/FontTable.h"

#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/Fill.h"
#include "graphics/FontFaceTable.h"
#include "graphics/Surfaces.h"

Font FontTable[kFontCount];

namespace {

FONTINFO MakeInfo(int nHeight, int nCell, int nCacheMode)
{
    FONTINFO info;
    info.szFaceName = Sjis("ＭＳ ゴシック");
    info.nWidth = 0;
    info.nHeight = nHeight;
    info.nCellWidth = nCell;
    info.nCellHeight = nCell;
    info.dwPalNum = 241;
    info.nSkinSlot = 45;
    info.nFrameThick = 1;
    info.dwFramePalNum = 240;
    info.nAlphabetSlot = 50;
    info.nCacheMode = nCacheMode;
    return info;
}

DDSURFACEINFO MakeNumberInfo()
{
    DDSURFACEINFO info;
    info.szFileName = "E";
    info.bColorKey = 1;
    info.nMemoryType = DTMEMORYTYPE_VIDEO_RT;
    return info;
}

}  // namespace

FONTINFO FontInfoTable[kFontCount] = {MakeInfo(9, 10, 2), MakeInfo(16, 16, 2), MakeInfo(30, 32, 0)};
DDSURFACEDATA NumberSD[kFontCount];
DDSURFACEINFO NumberSDInfoTable[kFontCount] = {MakeNumberInfo(), MakeNumberInfo(), MakeNumberInfo()};

void PrepareFontInfoTable(FONTINFO* lpInfo, int nCount, int nFontFace, int nCacheSetting)
{
    const std::string& face = FontFaceName(nFontFace);
    for (int i = 0; i < nCount; ++i) {
        lpInfo[i].szFaceName = face;
        if (lpInfo[i].nCacheMode == 2) lpInfo[i].nCacheMode = nCacheSetting;
    }
}

BOOL CreateFontTable(Font* lpFonts, const FONTINFO* lpInfo, int nCount)
{
    for (int i = 0; i < nCount; ++i)
        if (!lpFonts[i].Create(lpInfo[i])) return FALSE;
    return TRUE;
}

BOOL CreateNumberSurfaces(DDSURFACEDATA* lpSD, const DDSURFACEINFO* lpInfo, int nCount, Font* lpFonts,
                          const FONTINFO* lpFontInfo)
{
    for (int i = 0; i < nCount; ++i) {
        if (!DDCreateSurface(&lpSD[i], 10 * lpFontInfo[i].nCellWidth, lpFontInfo[i].nCellHeight, lpInfo[i].bColorKey,
                             lpInfo[i].bSystemMemory, lpInfo[i].nMemoryType, lpInfo[i].bShare, 0))
            return FALSE;
        lpFonts[i].SetNumberSurface(&lpSD[i]);
        MakeNumberSurface(&lpSD[i], &lpFonts[i]);
    }
    return TRUE;
}

void MakeNumberSurface(DDSURFACEDATA* lpSD, Font* lpFont)
{
    DDFillSurfacePal(lpSD, 0);
    lpFont->Draw(lpSD, 0, 0, "0123456789", 0);
    lpSD->bLost = 0;
}

void ReleaseFontTable()
{
    for (Font& font : FontTable) font.Release();
    for (DDSURFACEDATA& sd : NumberSD) DDReleaseSurface(&sd);
    DDReleaseSurface(&FontWorkSD);
}
