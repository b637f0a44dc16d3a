#include "objects/commands/FlowInsertion.h"

#include "objects/chara/cCharaBase.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/commands/CommandDispatch.h"
#include "objects/commands/CommandSetup.h"
#include "objects/flow/FlowRuntime.h"

int InsertCharaFlows(cCharaBase& chara, const cVector<cEdFlow>& flows, int nFacing, int bAppend, int nAt)
{
    // No flow can run before it is inserted: the command table is complete from here on.
    InstallActionCommands();
    cVector<cEdFlow>& defs = chara.def.m_Flow;
    const int nGiven = static_cast<int>(flows.size());
    int nFirst = 0;
    if (!bAppend) {
        // The definitions may be the character's own list: copy before replacing.
        cVector<cEdFlow> copy = flows;
        defs = copy;
        chara.flows.clear();
        chara.flows.resize(nGiven);
    } else if (nAt >= 0 && nAt < static_cast<int>(defs.size()) && nAt <= static_cast<int>(chara.flows.size())) {
        nFirst = nAt;
        cVector<cEdFlow> copy = flows;
        defs.insert(defs.begin() + nAt, copy.begin(), copy.end());
        chara.flows.insert(chara.flows.begin() + nAt, static_cast<std::size_t>(nGiven), FLOWINSTANCE{});
    } else {
        nFirst = static_cast<int>(chara.flows.size());
        cVector<cEdFlow> copy = flows;
        defs.insert(defs.end(), copy.begin(), copy.end());
        chara.flows.resize(chara.flows.size() + nGiven);
    }
    for (int g = 0; g < nGiven; ++g) {
        const int k = nFirst + g;
        if (k >= static_cast<int>(defs.size()) || k >= static_cast<int>(chara.flows.size())) break;
        cEdFlow& def = defs[k];
        FLOWINSTANCE& inst = chara.flows[k];
        inst = FLOWINSTANCE{};
        inst.index = k;
        inst.flow = &def;
        inst.serial = chara.flowSerial++;
        inst.commands.resize(def.m_Command.size());
        for (int c = 0; c < static_cast<int>(def.m_Command.size()); ++c) {
            SetupCommandInstance(inst.commands[c], def.m_Command[c], chara, nFacing);
        }
        if (bAppend && def.m_bKeyRepeat == 0) {
            inst.keyWasTrue = 1;
        }
    }
    cCharaFlowOwner owner(chara);
    cFlowRuntime::RelinkFlows(owner);
    return nGiven;
}
