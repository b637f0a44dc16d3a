#include "objects/FlowState.h"

void FLOWSTATE::Reset()
{
    flows.clear();
    flowSerial = 0;
    flowGroupRunning.Reset(kGroupCount + 1);
    flowGroupEnded.Reset(kGroupCount + 1);
    flowGroupStartedNow.Reset(kGroupCount + 1);
    flowGroupChanged = 0;
    flowDeletePending = 0;
}
