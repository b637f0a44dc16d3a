#include "graphics/DrawHelpers.h"

#include "graphics/Blit.h"
#include "graphics/BoxBatch.h"
#include "graphics/Fill.h"

void DDDrawFrame(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nThick, DWORD dwPalNum)
{
    DDBeginBoxBatch();
    DDFillRectPal(lpDstSD, x, y, nWidth, nThick, dwPalNum);
    DDFillRectPal(lpDstSD, x, y + nHeight - nThick, nWidth, nThick, dwPalNum);
    DDFillRectPal(lpDstSD, x, y, nThick, nHeight, dwPalNum);
    DDFillRectPal(lpDstSD, x + nWidth - nThick, y, nThick, nHeight, dwPalNum);
    DDEndBoxBatch();
}

void DDDrawFrameBox(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSkinSD, int nThick,
                    DWORD dwPalNum)
{
    DDBlt(lpDstSD, x, y, nWidth, nHeight, lpSkinSD, 0, 0, 0);
    DDDrawFrame(lpDstSD, x - nThick, y - nThick, nWidth + 2 * nThick, nHeight + 2 * nThick, nThick, dwPalNum);
}

void DDDrawNumber(DDSURFACEDATA* lpDstSD, int x, int y, int nDigitWidth, int nDigitHeight, DDSURFACEDATA* lpDigitSD,
                  int sx, int sy, int nFlags, int nValue, int nMinDigits, BOOL bCenter, int /*nUnused*/)
{
    // A negative value would address pictures left of the strip: it is shown as 0.
    if (nValue < 0) nValue = 0;
    int digits[10];
    int count = 0;
    int rest = nValue;
    do {
        digits[count++] = rest % 10;
        rest /= 10;
    } while (rest != 0 && count < 10);
    int pad = 0;
    if (count < nMinDigits) {
        pad = (nMinDigits - count) * nDigitWidth;
        if (bCenter) pad /= 2;
    }
    for (int i = count - 1; i >= 0; --i) {
        DDBlt(lpDstSD, x + pad, y, nDigitWidth, nDigitHeight, lpDigitSD, sx + nDigitWidth * digits[i], sy, nFlags);
        x += nDigitWidth;
    }
}
