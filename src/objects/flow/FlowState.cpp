#include "objects/flow/FlowState.h"

void FLOWSTORAGE::Reset()
{
    flows.clear();
    flowSerial = 0;
    flowGroupRunning.Reset(FLOWSTATE::kGroupCount + 1);
    flowGroupEnded.Reset(FLOWSTATE::kGroupCount + 1);
    flowGroupStartedNow.Reset(FLOWSTATE::kGroupCount + 1);
    flowGroupChanged = 0;
    flowDeletePending = 0;
}
