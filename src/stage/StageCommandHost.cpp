// The nested wait of the blocking commands, as the commands reach it (IStageCommands).
#include "stage/cSceneStage.h"

void cSceneStage::RunCommandWait(int nMode, int bWaitKey, int nCount, int bNoDelay, bool bHandshake)
{
    SetWaitMode(nMode, bWaitKey, nCount, bNoDelay);
    RunWait(bHandshake);
}
