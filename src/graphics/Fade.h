// The step-by-step screen fades between screens: one step per frame, driven by an angle that runs
// from 90 to 0 degrees (fade-out) or 0 to 90 (fade-in) and re-arms itself when the fade ends.
// Game thread.
#pragma once

#include "platform/gdi/GdiTypes.h"

// Draws one step of the fade from the current picture toward the colour (Direct3D: a black quad of
// growing alpha over the back buffer; DirectDraw 8 bpp: pDstPal entries nFirst..nLast faded from
// pSrcPal and loaded into the palette; 16/32 bpp: the back buffer replaced by the picture saved at
// the first step, faded) and advances the angle by dStep degrees (a step of 0 or less ends the
// fade at once). TRUE on the call that drew the fully covered picture. bReset jumps to that last
// step. Direct3D: FALSE without advancing when the scene or render target cannot be set; a quad
// the device refuses to draw writes a trace line and the fade goes on.
// The screens pass (PaletteBackup, 0, 255, 0, 0, 0, fade speed, Palette, FALSE) once per frame.
BOOL DDFadeOut(PALETTEENTRY* pDstPal, int nFirst, int nLast, BYTE bRed, BYTE bGreen, BYTE bBlue, double dStep,
               const PALETTEENTRY* pSrcPal, BOOL bReset);

// The same in the other direction, from the colour to the picture; TRUE on the call that drew the
// picture uncovered.
BOOL DDFadeIn(PALETTEENTRY* pDstPal, int nFirst, int nLast, BYTE bRed, BYTE bGreen, BYTE bBlue, double dStep,
              const PALETTEENTRY* pSrcPal, BOOL bReset);

// Tests only: re-arms the four fade angles as at program start.
void DDResetFadesForTest();
