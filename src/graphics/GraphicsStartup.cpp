#include "graphics/GraphicsStartup.h"

#include <cstring>
#include <string>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/Palette.h"
#include "graphics/SurfaceCatalogue.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Messages.h"

namespace {

int DesktopBitsPerPixel()
{
    HDC hdc = GetDC(nullptr);
    const int bits = GetDeviceCaps(hdc, BITSPIXEL);
    ReleaseDC(nullptr, hdc);
    return bits;
}

BOOL OpenBackEnd(GraphicsStartOptions& o)
{
    auto open = [&o] {
        return DDInit(o.bDirect3D, o.hWnd, 640, 480, o.nBpp, o.bVSync, o.bWindowMode, 1, 60, o.bVSync, SDTable,
                      SDInfoTable, kBuiltInSurfaceCount);
    };
    BOOL bOk = open();
    if (!bOk && o.bDirect3D) {
        DDRelease();
        o.bDirect3D = 0;
        ShowWindow(o.hWnd, o.bWindowMode ? o.nCmdShow : SW_MAXIMIZE);
        bOk = open();
    }
    static const std::string kSucceeded = Sjis("DDInit成功");
    static const std::string kFailed = Sjis("DDInit失敗");
    ReportLog("%s", bOk ? kSucceeded.c_str() : kFailed.c_str());
    return bOk;
}

BOOL LoadPaletteAndTransparentColour(const GraphicsStartOptions& o)
{
    const char* szPalette = SDInfoTable[0].szFileName.c_str();
    if (lpDTCon || lpDDPalette != nullptr) {
        if (!DDLoadPaletteFromFile(Palette, szPalette, nScreenBpp)) {
            static const std::string kText = Sjis("DDLoadPaletteFromFile失敗");
            ReportLog("%s", kText.c_str());
            return FALSE;
        }
    }
    std::memcpy(PaletteBackup, Palette, sizeof(Palette));
    BOOL bTrans = TRUE;
    if (!o.bFullColour) {
        bTrans = SetTrans(szPalette);
    } else if (nScreenBpp == 16) {
        bTrans = SetTrans(szPalette);
        RGBTRIPLE& key = lpDTCon ? lpDTCon->rgbPalTransmit : lpDDCon->rgbPalTransmit;
        key.rgbtBlue = o.byTransBlue;
        key.rgbtGreen = o.byTransGreen;
        key.rgbtRed = o.byTransRed;
    } else {
        DDSetTransmit(o.byTransRed, o.byTransGreen, o.byTransBlue);
    }
    if (!bTrans) {
        static const std::string kText = Sjis("DDSetTransmit失敗");
        ReportLog("%s", kText.c_str());
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int ChooseColourDepth(int nIniBpp, int bWindowMode, int bDirect3D, int nD3DDepth, int nDDDepth, int bFullColour)
{
    if (nIniBpp != 0) return nIniBpp;
    if (bWindowMode) return DesktopBitsPerPixel();
    if (bDirect3D) return nD3DDepth == 1 ? 16 : 32;
    if (nDDDepth == 1) return 16;
    if (nDDDepth == 2 && !bFullColour) return 8;
    return 32;
}

BOOL StartGraphics(GraphicsStartOptions& options)
{
    if (!OpenBackEnd(options)) return FALSE;
    if (lpDTCon) {
        lpDTCon->strTextureError =
            Sjis("テクスチャの作成に失敗しました！\nビデオカードの性能が十分ではないかもしれません。\n"
                 "System.iniファイルで「Direct3D=0」に変更してDirect3Dを無効にすれば改善される可能性があります。");
        LinkSharedSurfaces();
    }
    if (options.onOpened) options.onOpened();
    if (!LoadPaletteAndTransparentColour(options)) return FALSE;
    static const int kStartSlots[] = {1};
    if (!DDLoadSurfaces(SDTable, kStartSlots, 1)) return FALSE;
    if (options.createFonts && !options.createFonts()) return FALSE;
    return TRUE;
}

void StopGraphics()
{
    if (bWindowMode) {
        DDUnInit();
    } else {
        DDRelease();
    }
}
