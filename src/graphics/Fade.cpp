// The screen fades on both back-ends.
#include "graphics/Fade.h"

#include <cmath>

#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/DrawInternal.h"
#include "graphics/EffectPixels.h"
#include "graphics/PaletteEffects.h"
#include "graphics/QuadDraw.h"

namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kCovered = 0;     // fade-out end, fade-in start
constexpr double kUncovered = 90;  // fade-out start, fade-in end

// One angle per operation and back-end; they live for the whole run.
double dD3DOutAngle = kUncovered;
double dDDOutAngle = kUncovered;
double dD3DInAngle = kCovered;
double dDDInAngle = kCovered;

struct FadeArgs {
    PALETTEENTRY* pDstPal;
    int nFirst;
    int nLast;
    BYTE bRed, bGreen, bBlue;
    const PALETTEENTRY* pSrcPal;
};

// The black quad over the (redirected) back buffer with alpha 255 - sin(angle) x 255. FALSE when
// the scene or a render target cannot be set; a failed vertex-buffer lock draws nothing.
bool DrawStepDirect3D(double dAngle)
{
    const DWORD alpha = 255 - static_cast<DWORD>(std::sin(dAngle * kDegToRad) * 255);
    DDSURFACEDATA* target = &BackBuffer;
    DDRedirectBackBuffer(&target);
    if (!target->lpDT || lpDevice == nullptr) return false;
    D3D9TLVertex quad[4];
    DDMakeQuad(quad, 0, 0, target->nWidth, target->nHeight, 0, 0, target->nWidth, target->nHeight, target->nTexWidth,
               target->nTexHeight, alpha << 24);
    lpDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    lpDevice->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    lpDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    lpDevice->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    IDirect3DVertexBuffer9* buffer = target->lpDT->lpVertexBuffer;
    if (!DDWriteQuad(buffer, quad)) return true;
    if (!DDBeginScene() || !DDSetRenderTarget(0, target)) return false;
    DDDrawEffectStrip(buffer);
    return DDSetRenderTarget(0, lpDTCon->lpDefaultTarget) != FALSE;
}

// The palette (8 bpp) or the saved picture (16/32 bpp) faded to level sin(angle) x 256.
void DrawStepDirectDraw(double dAngle, const FadeArgs& a)
{
    const int nLevel = static_cast<int>(std::sin(dAngle * kDegToRad) * 256);
    if (nScreenBpp == 8) {
        if (a.pDstPal == nullptr || a.nFirst < 0 || a.nLast > 255 || a.nFirst > a.nLast) return;
        DDFadePalette(a.pDstPal, a.nFirst, a.nLast, nLevel, a.bRed, a.bGreen, a.bBlue, a.pSrcPal);
        if (lpDDPalette != nullptr)
            lpDDPalette->SetEntries(0, static_cast<DWORD>(a.nFirst), static_cast<DWORD>(a.nLast - a.nFirst + 1),
                                    a.pDstPal + a.nFirst);
    } else if (nScreenBpp == 16 || nScreenBpp == 32) {
        DDFade_UnPal(&BackBuffer, nLevel, a.bRed, a.bGreen, a.bBlue, &ScreenCopySD);
    }
}

void SavePictureDirectDraw()
{
    if (nScreenBpp != 8) DDBlt(&ScreenCopySD, 0, 0, ScreenCopySD.nWidth, ScreenCopySD.nHeight, &BackBuffer, 0, 0, 0);
}

// A step that is not positive (or not a number) would never reach the end: it ends the fade.
double CheckedStep(double dStep)
{
    return dStep > 0 ? dStep : kUncovered;
}

BOOL AdvanceOut(double& dAngle, double dStep)
{
    if (dAngle > kCovered) {
        dAngle -= CheckedStep(dStep);
        if (dAngle < kCovered) dAngle = kCovered;
        return FALSE;
    }
    dAngle = kUncovered;
    return TRUE;
}

BOOL AdvanceIn(double& dAngle, double dStep)
{
    if (dAngle < kUncovered) {
        dAngle += CheckedStep(dStep);
        if (dAngle > kUncovered) dAngle = kUncovered;
        return FALSE;
    }
    dAngle = kCovered;
    return TRUE;
}

// bOut: fade-out (start 90, reset to 0), else fade-in (start 0, reset to 90).
BOOL FadeStep(bool bOut, const FadeArgs& args, double dStep, BOOL bReset)
{
    const double dStart = bOut ? kUncovered : kCovered;
    const double dEnd = bOut ? kCovered : kUncovered;
    if (lpDTCon) {
        double& dAngle = bOut ? dD3DOutAngle : dD3DInAngle;
        if (bReset) dAngle = dEnd;
        if (!DrawStepDirect3D(dAngle)) return FALSE;
        return bOut ? AdvanceOut(dAngle, dStep) : AdvanceIn(dAngle, dStep);
    }
    if (!lpDDCon) return FALSE;
    double& dAngle = bOut ? dDDOutAngle : dDDInAngle;
    if (dAngle == dStart) SavePictureDirectDraw();
    if (bReset) dAngle = dEnd;
    DrawStepDirectDraw(dAngle, args);
    return bOut ? AdvanceOut(dAngle, dStep) : AdvanceIn(dAngle, dStep);
}

}  // namespace

BOOL DDFadeOut(PALETTEENTRY* pDstPal, int nFirst, int nLast, BYTE bRed, BYTE bGreen, BYTE bBlue, double dStep,
               const PALETTEENTRY* pSrcPal, BOOL bReset)
{
    return FadeStep(true, FadeArgs{pDstPal, nFirst, nLast, bRed, bGreen, bBlue, pSrcPal}, dStep, bReset);
}

BOOL DDFadeIn(PALETTEENTRY* pDstPal, int nFirst, int nLast, BYTE bRed, BYTE bGreen, BYTE bBlue, double dStep,
              const PALETTEENTRY* pSrcPal, BOOL bReset)
{
    return FadeStep(false, FadeArgs{pDstPal, nFirst, nLast, bRed, bGreen, bBlue, pSrcPal}, dStep, bReset);
}

void DDResetFadesForTest()
{
    dD3DOutAngle = kUncovered;
    dDDOutAngle = kUncovered;
    dD3DInAngle = kCovered;
    dDDInAngle = kCovered;
}
