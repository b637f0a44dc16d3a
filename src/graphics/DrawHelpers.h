// Small drawing helpers the screens, the heads-up display and the text objects share: frames in a
// palette colour, framed boxes with a skin picture, and numbers drawn from a strip of digit
// pictures. They compose the blits and fills and work alike on both back-ends. Game thread.
#pragma once

#include "graphics/DDSurfaceData.h"

// A frame nThick pixels thick inside the rectangle x, y, nWidth x nHeight in palette colour
// dwPalNum: top, bottom, left and right bars in that order, in one box batch. A thickness above
// half the rectangle draws overlapping bars.
void DDDrawFrame(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nThick, DWORD dwPalNum);
// Fills the rectangle with the top-left nWidth x nHeight pixels of lpSkinSD (opaque) and draws a
// frame nThick thick around its outside in palette colour dwPalNum. Menus pass 1 and 240.
void DDDrawFrameBox(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSkinSD, int nThick,
                    DWORD dwPalNum);
// Draws nValue in decimal, one blit per digit: digit d is the nDigitWidth x nDigitHeight picture
// at (sx + d x nDigitWidth, sy) of lpDigitSD; nFlags goes to every blit (1: colour key). Fewer
// digits than nMinDigits leave (nMinDigits - digits) x nDigitWidth blank in front, halved with
// bCenter. A negative value is drawn as 0. nUnused is not read.
void DDDrawNumber(DDSURFACEDATA* lpDstSD, int x, int y, int nDigitWidth, int nDigitHeight, DDSURFACEDATA* lpDigitSD,
                  int sx, int sy, int nFlags, int nValue, int nMinDigits, BOOL bCenter, int nUnused);
