#include "objects/flow/CommandTable.h"

#include <array>

#include "core/ReportLog.h"

namespace {

// The handlers by kind, and the out-of-range kinds already reported (one byte covers every
// signed kind byte). Game thread only.
struct COMMANDTABLESTATE {
    std::array<CommandHandler, CommandFuncTable::kKindCount> handlers{};
    std::array<bool, 256> reported{};
};

COMMANDTABLESTATE& TableState()
{
    static COMMANDTABLESTATE state;
    return state;
}

}  // namespace

int FLOWCONTEXT::IsValid() const
{
    if (owner == nullptr || nFlow < 0 || nCommand < 0) {
        return 0;
    }
    const FLOWSTATE state = owner->FlowState();
    if (nFlow >= static_cast<int>(state.flows.size())) {
        return 0;
    }
    return nCommand < static_cast<int>(state.flows[nFlow].commands.size()) ? 1 : 0;
}

int CommandFuncTable::Register(int nKind, CommandHandler handler)
{
    if (nKind < 0 || nKind >= kKindCount) {
        return 0;
    }
    TableState().handlers[nKind] = handler;
    return 1;
}

void CommandFuncTable::Run(int nKind, const FLOWCONTEXT& ctx)
{
    COMMANDTABLESTATE& state = TableState();
    if (nKind < 0 || nKind >= kKindCount) {
        const int nSlot = nKind & 0xFF;
        if (!state.reported[nSlot]) {
            state.reported[nSlot] = true;
            ReportLog("Command kind %d is unknown; it does nothing\n", nKind);
        }
        nKind = 0;
    }
    if (state.handlers[nKind] != nullptr) {
        state.handlers[nKind](ctx);
    }
}

void CommandFuncTable::Clear()
{
    TableState().handlers.fill(nullptr);
}
