#include "objects/item/ItemCommandTable.h"

#include <array>

#include "core/ReportLog.h"
#include "definitions/CommandInfo.h"
#include "objects/cStageField.h"
#include "objects/chara/HeroIdentity.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/chara/cPlayer.h"
#include "objects/commands/FlowInsertion.h"
#include "objects/commands/FlowStageCommands.h"
#include "objects/commands/MoveCommands.h"
#include "objects/commands/StatusOperation.h"
#include "objects/flow/FlowRuntime.h"
#include "objects/item/ItemGraphicsCommands.h"

namespace {

enum { FLOWCHANGE_ADD = 0, FLOWCHANGE_CHANGE = 1, FLOWCHANGE_DELETE = 2 };

// The item commands' state: handlers by kind, the out-of-range kinds already reported, the
// nesting of item lists and the item-message flag. Game thread only.
struct ITEMCOMMANDSTATE {
    std::array<ItemCommandHandler, ItemCommandFuncTable::kKindCount> handlers{};
    std::array<bool, 256> reported{};
    int nDepth = 0;
    int bItemMessage = 0;
    bool bDepthReported = false;
};

ITEMCOMMANDSTATE& State()
{
    static ITEMCOMMANDSTATE state;
    return state;
}

int Param(const cEdCommand& command, int i)
{
    return i < static_cast<int>(command.m_Param.size()) ? command.m_Param[i] : 0;
}

int FlowChangeNow(cPlayer& player, const cEdCommand& command)
{
    return FlowChangeCommand(player, command, 0);
}

int StageClearItem(cPlayer& player, const cEdCommand& command)
{
    return StageClearCommand(player, command);
}

int GameWaitItem(cPlayer& player, const cEdCommand& command)
{
    GameWaitCommand(player, command);
    return 0;
}

int WarpItem(cPlayer& player, const cEdCommand& command)
{
    WarpBody(player, command, 0);
    return 0;
}

int TargetItem(cPlayer& player, const cEdCommand& command)
{
    TargetCommand(player, command);
    return 0;
}

int StatusItem(cPlayer& player, const cEdCommand& command)
{
    StatusOperation(player, command);
    return 0;
}

int Status2Item(cPlayer& player, const cEdCommand& command)
{
    StatusOperation2Command(player, command);
    return 0;
}

int ItemGetItem(cPlayer& player, const cEdCommand& command)
{
    ItemGetCommand(player, command);
    return 0;
}

int CodeItem(cPlayer& player, const cEdCommand& command)
{
    CodeCommand(player, command);
    return 0;
}

}  // namespace

int ItemCommandFuncTable::Register(int nKind, ItemCommandHandler handler)
{
    if (nKind < 0 || nKind >= kKindCount) {
        return 0;
    }
    State().handlers[nKind] = handler;
    return 1;
}

int ItemCommandFuncTable::Run(int nKind, cPlayer& player, const cEdCommand& command)
{
    ITEMCOMMANDSTATE& state = State();
    if (nKind < 0 || nKind >= kKindCount) {
        if (!state.reported[nKind & 0xFF]) {
            state.reported[nKind & 0xFF] = true;
            ReportLog("Item command kind %d is unknown; it does nothing\n", nKind);
        }
        nKind = 0;
    }
    return state.handlers[nKind] != nullptr ? state.handlers[nKind](player, command) : 0;
}

void ItemCommandFuncTable::Clear()
{
    State().handlers.fill(nullptr);
}

void InstallItemCommands()
{
    ItemCommandFuncTable::Register(kItemCmdFlowChange, FlowChangeNow);
    ItemCommandFuncTable::Register(CMD_STAGE_CLEAR - kItemKindOffset, StageClearItem);
    ItemCommandFuncTable::Register(18 - kItemKindOffset, GameWaitItem);
    // The message (item kind 4) is registered with the text objects (MessageCommands).
    ItemCommandFuncTable::Register(20 - kItemKindOffset, WarpItem);
    ItemCommandFuncTable::Register(CMD_SET_TARGET - kItemKindOffset, TargetItem);
    ItemCommandFuncTable::Register(CMD_STATUS - kItemKindOffset, StatusItem);
    ItemCommandFuncTable::Register(CMD_STATUS2 - kItemKindOffset, Status2Item);
    ItemCommandFuncTable::Register(CMD_GET_ITEM - kItemKindOffset, ItemGetItem);
    InstallItemGraphicsCommands();
    ItemCommandFuncTable::Register(36 - kItemKindOffset, CodeItem);
}

int RunItemCommands(cPlayer& player, const cVector<cEdCommand>& commands)
{
    ITEMCOMMANDSTATE& state = State();
    if (state.nDepth >= kMaxItemGetDepth) {
        if (!state.bDepthReported) {
            state.bDepthReported = true;
            ReportLog("Item commands nested deeper than %d are not run\n", kMaxItemGetDepth);
        }
        return 0;
    }
    InstallItemCommands();
    ++state.nDepth;
    state.bItemMessage = 0;
    // The list is walked over a copy: a command may change the definitions it came from.
    const cVector<cEdCommand> list = commands;
    int nResult = 0;
    for (const cEdCommand& command : list) {
        nResult = ItemCommandFuncTable::Run(command.m_nKind, player, command);
        // A command that took the last HP ends the list at once: what follows it (a stage
        // clear, say) never runs for a dead hero.
        if (player.hp < 1) {
            nResult = 2;
        }
        if (nResult != 0) {
            break;
        }
    }
    --state.nDepth;
    if (nResult == 0 && player.hp < 1) {
        nResult = 2;
    }
    return nResult;
}

int FlowChangeCommand(cPlayer& player, const cEdCommand& command, int runNow)
{
    if (runNow == 0 && lpStageField != nullptr && lpStageField->m_pCurrentObject == Hero() && Hero() != nullptr) {
        player.pendingItemCommands.push_back(command);
        return 0;
    }
    const int nFacing = player.def.m_nDirection;
    switch (Param(command, 0)) {
    case FLOWCHANGE_ADD: InsertCharaFlows(player, command.m_Flow, nFacing, 1, -1); break;
    case FLOWCHANGE_CHANGE: {
        cCharaFlowOwner owner(player);
        const int nAt = cFlowRuntime::RemoveFlowsById(owner, static_cast<std::uint8_t>(Param(command, 1)));
        InsertCharaFlows(player, command.m_Flow, nFacing, 1, nAt);
        break;
    }
    case FLOWCHANGE_DELETE: {
        cCharaFlowOwner owner(player);
        cFlowRuntime::RemoveFlowsById(owner, static_cast<std::uint8_t>(Param(command, 1)));
        break;
    }
    default: break;
    }
    return 0;
}

void RunPendingItemCommands(cPlayer& player)
{
    if (player.pendingItemCommands.empty()) {
        return;
    }
    const cVector<cEdCommand> pending = player.pendingItemCommands;
    player.pendingItemCommands.clear();
    for (const cEdCommand& command : pending) {
        FlowChangeCommand(player, command, 1);
    }
}

int ItemMessageFlag()
{
    return State().bItemMessage;
}

void SetItemMessageFlag(int bFlag)
{
    State().bItemMessage = bFlag;
}
