#include "app/ScreenMode.h"

#include "core/TextHelpers.h"
#include "graphics/GraphicsStartup.h"

SCREENMODE SettleScreenMode(int bDirect3D, int nWindowMode, int nBpp, int nVSync, int nDesktopBpp, int bFullColour,
                            int nD3DDepth, int nDDDepth, bool bNewWindows)
{
    SCREENMODE mode;
    if (bDirect3D) {
        mode.bWindowed = nWindowMode != 0 ? 1 : 0;
        mode.nVSync = nVSync >= 2 ? 1 : nVSync;
    } else if (nWindowMode != 0) {
        mode.bWindowed = 1;
        mode.nVSync = 0;
    } else {
        mode.bWindowed = 0;
        mode.nVSync = nVSync >= 2 ? (bNewWindows ? 0 : 1) : nVSync;
    }
    mode.nBpp = nBpp != 0 ? nBpp
                          : (mode.bWindowed ? nDesktopBpp
                                            : ChooseColourDepth(0, 0, bDirect3D, nD3DDepth, nDDDepth, bFullColour));
    const int bpp = mode.nBpp;
    const bool bHighColour = bpp == 16 || bpp == 32;
    bool bAccepted = bDirect3D ? bHighColour : (bHighColour || (bpp == 8 && !bFullColour));
    if (mode.bWindowed && (!bHighColour || bpp != nDesktopBpp)) {
        bAccepted = false;
    }
    if (!bAccepted) {
        mode.refusal =
            mode.bWindowed && bHighColour && bpp != nDesktopBpp
                ? Sjis("画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！")
                : Sjis("画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！");
    }
    return mode;
}
