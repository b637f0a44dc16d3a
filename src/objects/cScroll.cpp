#include "objects/cScroll.h"

#include "objects/StageSpeed.h"

void cScroll::Setup(int nAxisKind, int nTiles, int nRowPitch, int nRowPitchShift)
{
    const int tiles = nTiles < 0 ? 0 : nTiles;
    nAxis = nAxisKind;
    nView = nAxisKind == 0 ? 640 : 480;
    nMargin = kMargin;
    nFieldSize = tiles * 32 + 2 * kMargin * 32;
    nCells = tiles + 2 * kMargin;
    nPitch = nRowPitch;
    nPitchShift = nRowPitchShift;
    nStageMin = kMargin * 32;
    nStageMax = (tiles + kMargin) * 32;
}

void cScroll::Clamp(int)
{
    if (nMin > dPos) {
        dPos = nMin;
        bAtLimit = 1;
    } else if (dPos + nView >= nMax) {
        dPos = nMax - nView;
        if (dPos < nMin) {
            dPos = nMin;
        }
        bAtLimit = 1;
    } else {
        bAtLimit = 0;
    }
}

void cScroll::Move()
{
    dPos += dSpeed;
    Clamp();
}

int cScroll::SetAutoScroll(int bOn, int nSpeed)
{
    if (bOn) {
        dSpeed = nSpeed * 0.1 / ScrollUnit();
        bAuto = 1;
    } else {
        dSpeed = 0.0;
        bAuto = 0;
    }
    return 0;
}

void cScroll::SetLimit(int nMinTile, int nMaxTile, int bMin, int bMax)
{
    nMin = bMin ? nStageMin + nMinTile * 32 : nStageMin;
    if (bMax) {
        nMax = nStageMin + (nMaxTile + 1) * 32;
        if (nMax < nMin) {
            nMax = nMin;
        }
    } else {
        nMax = nStageMax;
    }
}
