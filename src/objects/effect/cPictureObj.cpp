#include "objects/effect/cPictureObj.h"

cPictureObj::cPictureObj(int nNumber, double dX, double dY, int nWidth, int nHeight, int bScreenFixed, int nLayer,
                         int nScalePercent, int nDurationMode, int nFrames, int bCountDuringWait, int bHasId, int nId)
    : number(nNumber), x(dX), y(dY), width(nWidth), height(nHeight), stretched(nScalePercent != 100 ? 1 : 0),
      layer(nLayer), durationMode(nDurationMode), framesLeft(nFrames), countDuringWait(bCountDuringWait),
      screenFixed(bScreenFixed), hasId(bHasId), id(nId)
{}

int cPictureObj::CountDown(int bPaused)
{
    if (durationMode != 2) {
        return 0;
    }
    if (countDuringWait || !bPaused) {
        --framesLeft;
    }
    return framesLeft < 0 ? 1 : 0;
}

void cPictureObj::ScreenPosition(double dScrollX, double dScrollY, int& outX, int& outY)
{
    const int worldX = static_cast<int>(x) - static_cast<int>(dScrollX);
    const int worldY = static_cast<int>(y) - static_cast<int>(dScrollY);
    if (!screenFixed) {
        outX = worldX;
        outY = worldY;
        return;
    }
    if (!positionTaken) {
        positionTaken = 1;
        screenX = worldX;
        screenY = worldY;
    }
    outX = screenX;
    outY = screenY;
}
