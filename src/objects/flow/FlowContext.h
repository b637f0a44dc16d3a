// FLOWCONTEXT: where a command runs -- the character, the flow and the command instance -- handed
// explicitly to every command handler, so that a flow started from inside another flow's command
// (and the commands it runs at once) cannot change what the outer flow's later commands see.
// The flow and the command are kept by position and looked up when used, so a handler that
// changes the character's flow list leaves no dangling reference behind. Game thread only.
#pragma once

#include "objects/flow/cFlowOwner.h"

struct FLOWCONTEXT {
    cFlowOwner* owner = nullptr;
    int nFlow = -1;     // position in the owner's flow list
    int nCommand = -1;  // position in that flow's command list

    // 1 when both positions name an existing flow and command.
    int IsValid() const;
    FLOWINSTANCE& Flow() const { return owner->FlowState().flows[nFlow]; }
    COMMANDINSTANCE& Command() const { return Flow().commands[nCommand]; }
    cCharaBase* Chara() const { return owner->Chara(); }
};
