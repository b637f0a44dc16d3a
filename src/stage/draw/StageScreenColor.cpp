// The screen-colour command's tint, applied to the finished picture once a frame: under
// Direct3D a coloured veil over the screen, under 8-bit DirectDraw the shown palette mixed toward
// the colour. Other DirectDraw depths have no way to show it and end it at once.
#include "graphics/BackEnd.h"
#include "graphics/BlendBlit.h"
#include "graphics/Fill.h"
#include "graphics/Palette.h"
#include "graphics/PaletteEffects.h"
#include "graphics/SurfaceCatalogue.h"
#include "platform/ddraw/DirectDrawPalette.h"
#include "stage/cSceneStage.h"

namespace {

constexpr int kSlotTintWork = 67;

// The 8-bit palette shown: the saved palette mixed toward the colour, nValue 255 untinted.
void ShowFadedPalette(int nValue, BYTE r, BYTE g, BYTE b)
{
    DDFadePalette(PaletteBackup, 0, 255, nValue, r, g, b, Palette);
    if (lpDDPalette != nullptr) {
        lpDDPalette->SetEntries(0, 0, 256, PaletteBackup);
    }
}

}  // namespace

int cSceneStage::SetScreenColor(const int p[8])
{
    const bool bTinted = bDirect3D ? m_ScreenColor.bActive != 0 : m_ScreenColor.bApplied != 0;
    return m_ScreenColor.Start(p, bTinted) ? 1 : 0;
}

void cSceneStage::DrawScreenColor(int bDrawOnly)
{
    SCREENCOLOR& tint = m_ScreenColor;
    if (!tint.bActive) {
        return;
    }
    const int v = tint.Value();
    tint.nValue = v;
    BYTE r = 0;
    BYTE g = 0;
    BYTE b = 0;
    tint.Colour(r, g, b);
    if (bDirect3D) {
        if (lpDTCon != nullptr && lpDTCon->bVirBackBuffer) {
            DDSURFACEDATA* work = &SDTable[kSlotTintWork];
            DDFillRectColor(work, 0, 0, work->nWidth, work->nHeight, 0xFF000000u | r << 16 | g << 8 | b);
            DDBltAlpha(&BackBuffer, 0, 0, 640, 480, work, 0, 0, 0, nullptr, v);
        } else {
            DDChangeColor(&BackBuffer, 0, 0, 640, 480, v, r, g, b);
        }
    } else if (!bDrawOnly) {
        if (nScreenBpp != 8) {
            tint.bActive = 0;
            return;
        }
        ShowFadedPalette(v, r, g, b);
    }
    if (!bDrawOnly) {
        bool bFlashEnd = false;
        tint.Advance(bDirect3D != 0, bFlashEnd);
        // A flash round ends on the untinted picture. Under Direct3D the veil is drawn anew every
        // frame, so only the palette of 8-bit DirectDraw has to be put back.
        if (bFlashEnd && !bDirect3D && nScreenBpp == 8) {
            ShowFadedPalette(255, r, g, b);
        }
    }
}
