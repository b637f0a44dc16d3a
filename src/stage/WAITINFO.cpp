#include "stage/WAITINFO.h"

void WAITINFO::Set(int mode, int waitKey, int count, int noDelay)
{
    nMode = mode;
    bWaitKey = waitKey;
    nCount = count;
    nReserved = 0;
    nKeyDelay = (waitKey != 0 && mode == WAITMODE_MESSAGE && noDelay == 0) ? kMessageKeyDelay : 0;
}

bool WAITINFO::Step(bool bPressed, bool bPressedBefore)
{
    if (nKeyDelay > 0) {
        --nKeyDelay;
        return false;
    }
    if (bWaitKey != 0) {
        return bPressed && !bPressedBefore;
    }
    --nCount;
    return nCount < 0;
}
