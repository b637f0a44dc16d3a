#include "objects/commands/FlowStageCommands.h"

#include <algorithm>
#include <cstdint>

#include "core/ReportLog.h"
#include "definitions/CommandInfo.h"
#include "definitions/cEdCommand.h"
#include "definitions/cEdCommonPalette.h"
#include "definitions/cEdStage.h"
#include "objects/IStageCommands.h"
#include "objects/TextObjects.h"
#include "objects/cStageField.h"
#include "objects/chara/CharaCodeView.h"
#include "objects/chara/HeroIdentity.h"
#include "objects/code/cCodeEvaluator.h"
#include "objects/commands/MessageCommand.h"
#include "objects/commands/StatusOperation.h"
#include "objects/flow/CommandTable.h"
#include "objects/flow/FlowRuntime.h"
#include "objects/item/ItemCommandTable.h"
#include "project/cSaveData.h"
#include "project/cWorldMap.h"

namespace {

enum { FLOWOP_START = 0, FLOWOP_END, FLOWOP_PAUSE, FLOWOP_RESUME, FLOWOP_DELETE, FLOWOP_STOP_FOREVER };
enum { SCOPE_THIS = 0, SCOPE_OTHERS = 1, SCOPE_BY_ID = 2 };
enum { NEXT_FOLLOWING = 0, NEXT_BY_NUMBER = 1, NEXT_WORLD_CLEAR = 2 };
constexpr int kFacingAsNow = 2;
enum { TARGET_HERO = 0, TARGET_SELF = 1, TARGET_NEAREST = 2, TARGET_BY_ID = 3 };
enum { STATUS2_SELF = 0, STATUS2_TARGET = 1, STATUS2_SYSTEM = 2 };
enum {
    STATUS2_VANISH = 0,
    STATUS2_TRANSPARENT,
    STATUS2_FIXED_FACING,
    STATUS2_FLIGHT,
    STATUS2_INVINCIBLE,
    STATUS2_SIZE,
    STATUS2_SCROLL_SYNC
};
// The operator byte of objects that the vanish leaves alone.
constexpr int kUnchangedKind = 2;
// Frames per tenth of a second.
constexpr int kFramesPerTenth = 6;
constexpr int kGameWaitMode = 0;

int Param(const cEdCommand& command, int i)
{
    return i >= 0 && i < static_cast<int>(command.m_Param.size()) ? command.m_Param[i] : 0;
}

bool Concerns(const FLOWCONTEXT& ctx, int k, int nScope, int nId)
{
    switch (nScope) {
    case SCOPE_THIS: return k == ctx.nFlow;
    case SCOPE_OTHERS: return k != ctx.nFlow;
    case SCOPE_BY_ID: {
        const cEdFlow* flow = ctx.owner->FlowState().flows[k].flow;
        return flow != nullptr && flow->m_nFlowID != 0 && flow->m_nFlowID == nId;
    }
    default: return false;
    }
}

void OperateFlow(cFlowOwner& owner, int k, int nOperation)
{
    FLOWSTATE state = owner.FlowState();
    FLOWINSTANCE& flow = state.flows[k];
    const std::int32_t nSerial = flow.serial;
    switch (nOperation) {
    case FLOWOP_START:
        cFlowRuntime::End(owner, flow);
        owner.RemoveFlowAnimations(nSerial);
        cFlowRuntime::Start(owner, k);
        break;
    case FLOWOP_END:
        cFlowRuntime::End(owner, flow);
        owner.RemoveFlowAnimations(nSerial);
        break;
    case FLOWOP_PAUSE:
        cFlowRuntime::Pause(flow);
        if (cCharaBase* chara = owner.Chara()) {
            chara->EndAnimeByKey(nSerial);
        }
        break;
    case FLOWOP_RESUME:
        cFlowRuntime::Resume(flow);
        if (cCharaBase* chara = owner.Chara()) {
            chara->ResumeAnimeByKey(nSerial);
        }
        return;
    case FLOWOP_DELETE:
        state.flowDeletePending = 1;
        flow.toDelete = 1;
        break;
    case FLOWOP_STOP_FOREVER:
        cFlowRuntime::StopForever(owner, flow);
        owner.RemoveFlowAnimations(nSerial);
        break;
    default: return;
    }
    // A start may have changed the list (a stage-start flow runs commands at once).
    FLOWSTATE after = owner.FlowState();
    if (k < static_cast<int>(after.flows.size())) {
        after.flows[k].breakStep = 1;
    }
}

CHARAGROUP* FactionGroup(int nFaction)
{
    if (lpStageField == nullptr || nFaction < 0 || nFaction >= cStageField::kFactionCount) {
        return nullptr;
    }
    return &lpStageField->m_CharaLayer[nFaction];
}

// The filters of the character search commands: parameters 8 and 9 (by ID, the ID as a signed
// byte), 4 .. 7 (exclude the searcher's source, invincibility modes 1 and 2, block characters).
CHARAFILTER SearchFilter(const cCharaBase& chara, const cEdCommand& c)
{
    CHARAFILTER filter;
    filter.byId = Param(c, 8);
    filter.id = static_cast<std::int8_t>(Param(c, 9));
    filter.excludeSource = Param(c, 4);
    filter.excludeInvincible1 = Param(c, 5);
    filter.excludeInvincible2 = Param(c, 6);
    filter.excludeBlockChara = Param(c, 7);
    filter.nSource = chara.source;
    return filter;
}

cCharaBase* FindNearest(cCharaBase& chara, const cEdCommand& c)
{
    const double cx = chara.screenLeft + chara.gfxWidth / 2;
    const double cy = chara.screenTop + chara.gfxHeight / 2;
    const CHARAFILTER filter = SearchFilter(chara, c);
    auto search = [&](const CHARAGROUP& list) {
        return FindNearestCharaEx(cx, cy, list, static_cast<NEARESTMODE>(Param(c, 3)), filter);
    };
    if (Param(c, 2) == 0) {
        const CHARAGROUP* list = FactionGroup(Param(c, 1));
        return list != nullptr ? search(*list) : nullptr;
    }
    CHARAGROUP candidates;
    for (int f = 0; f < cStageField::kFactionCount; ++f) {
        const CHARAGROUP* list = FactionGroup(f);
        if (list == nullptr || list->empty()) continue;
        if (cCharaBase* found = search(*list)) candidates.push_back(found);
    }
    return candidates.empty() ? nullptr : search(candidates);
}

// The character of the given ID; bKeep is set (and the old target stays) when the stage has no
// character in any faction list.
cCharaBase* FindById(cCharaBase& chara, const cEdCommand& c, bool& bKeep)
{
    const CHARAFILTER filter = SearchFilter(chara, c);
    auto search = [&](const CHARAGROUP& list) { return FindFirstChara(list, filter); };
    bKeep = true;
    for (int f = 0; f < cStageField::kFactionCount; ++f) {
        const CHARAGROUP* list = FactionGroup(f);
        if (list != nullptr && !list->empty()) bKeep = false;
    }
    if (bKeep) return nullptr;
    const int nFirst = Param(c, 2) != 0 ? 0 : Param(c, 1);
    const int nLast = Param(c, 2) != 0 ? cStageField::kFactionCount - 1 : Param(c, 1);
    for (int f = nFirst; f <= nLast; ++f) {
        const CHARAGROUP* list = FactionGroup(f);
        if (list == nullptr || list->empty()) continue;
        if (cCharaBase* found = search(*list)) return found;
    }
    return nullptr;
}

void RemoveFromTargetedBy(cCharaBase& chara)
{
    cCharaBase* old = FindChara(chara.target);
    if (old == nullptr) return;
    cVector<std::int32_t>& list = old->targetedBy;
    list.erase(std::remove(list.begin(), list.end(), chara.source), list.end());
}

// The flag keeps the value written (a status condition compares it); any non-zero value scrolls.
void SetSystemAutoScroll(int nAxis, int v)
{
    if (nAxis == 0) {
        Stage.m_bAutoScrollX = static_cast<decltype(Stage.m_bAutoScrollX)>(v);
        CameraX().SetAutoScroll(v, Stage.m_nAutoScrollSpeedX);
    } else {
        Stage.m_bAutoScrollY = static_cast<decltype(Stage.m_bAutoScrollY)>(v);
        CameraY().SetAutoScroll(v, Stage.m_nAutoScrollSpeedY);
    }
}

void Vanish(cCharaBase& chara, cCharaBase& subject)
{
    if (IsHero(subject)) {
        subject.hp = 0;
    } else if (subject.value2 != kUnchangedKind) {
        subject.vanished = 1;
    }
    if (&subject != &chara && lpStageField != nullptr) {
        lpStageField->m_bHpCheck = 1;
    }
}

// Action adapters: the bodies run for the character of the flow.
int StageClearAction(const FLOWCONTEXT& ctx)
{
    RequestStageResult(StageClearCommand(*ctx.Chara(), *ctx.Command().command));
    return 0;
}

template <int (*Body)(cCharaBase&, const cEdCommand&)>
int ActionAdapter(const FLOWCONTEXT& ctx)
{
    if (ctx.Chara() == nullptr || ctx.Command().command == nullptr) return 0;
    Body(*ctx.Chara(), *ctx.Command().command);
    return 0;
}

int FlowOperationAction(const FLOWCONTEXT& ctx)
{
    return FlowOperationCommand(ctx);
}

}  // namespace

void RequestStageResult(int nResult)
{
    if (lpStageField != nullptr) {
        lpStageField->RequestResult(nResult);
    }
}

int FlowOperationCommand(const FLOWCONTEXT& ctx)
{
    if (ctx.owner == nullptr || !ctx.IsValid() || ctx.Command().command == nullptr) return 0;
    const cEdCommand& command = *ctx.Command().command;
    const int nOperation = Param(command, 0);
    const int nScope = Param(command, 1);
    const int nId = Param(command, 2);
    // The count is read again every pass: a start can run commands that change the list.
    for (int k = 0; k < static_cast<int>(ctx.owner->FlowState().flows.size()); ++k) {
        if (Concerns(ctx, k, nScope, nId)) {
            OperateFlow(*ctx.owner, k, nOperation);
        }
    }
    return 0;
}

int StageClearCommand(cCharaBase& chara, const cEdCommand& command)
{
    (void)chara;
    IStageCommands* stage = StageCommandService();
    switch (Param(command, 0)) {
    case NEXT_FOLLOWING:
        // The stage after this one within its world (nStageNo numbers the world in a run).
        if (stage != nullptr) stage->SetNextStage(SaveData.nWorldStage + 1);
        break;
    case NEXT_BY_NUMBER:
        if (stage != nullptr) stage->SetNextStage(Param(command, 1));
        break;
    case NEXT_WORLD_CLEAR:
        if (stage != nullptr) stage->SetNextStage(0);
        break;
    default: break;
    }
    if (Param(command, 2) != 0) {
        // A position outside the map (beyond it or negative) is brought onto its edge.
        SaveData.nMapX = std::clamp(Param(command, 3), 0, std::max(WorldMap.nWidth - 1, 0));
        SaveData.nMapY = std::clamp(Param(command, 4), 0, std::max(WorldMap.nHeight - 1, 0));
        SaveData.nMapEntry = nullptr;
    }
    if (Param(command, 5) != 0) {
        SaveData.bStartPos = 1;
        SaveData.nStartX = Param(command, 6);
        SaveData.nStartY = Param(command, 7);
        const cPlayer* hero = Hero();
        SaveData.nStartDir = Param(command, 8) == kFacingAsNow ? (hero != nullptr ? hero->facing : 0)
                                                               : std::clamp(Param(command, 8), 0, 1);
    } else {
        SaveData.bStartPos = 0;
    }
    return 1;
}

int GameWaitCommand(cCharaBase& chara, const cEdCommand& command)
{
    (void)chara;
    IStageCommands* stage = StageCommandService();
    if (stage == nullptr || lpStageField == nullptr) return 0;
    const int nFrames = std::max(Param(command, 0), 0) * kFramesPerTenth;
    std::list<cTextObj>& texts = lpStageField->m_TextList;
    texts.push_back(cTextObj::MakeTimer(nFrames));
    const cTextObj* timer = &texts.back();
    stage->RunCommandWait(kGameWaitMode, 0, nFrames, 0, false);
    EraseTextObject(texts, timer);
    return 0;
}

int TargetCommand(cCharaBase& chara, const cEdCommand& command)
{
    RemoveFromTargetedBy(chara);
    switch (Param(command, 0)) {
    case TARGET_HERO: chara.target = Hero() != nullptr ? CharaRef(Hero()->source) : OBJECTREF{}; break;
    case TARGET_SELF: chara.target = CharaRef(chara.source); break;
    case TARGET_NEAREST: {
        cCharaBase* found = FindNearest(chara, command);
        chara.target = found != nullptr ? CharaRef(found->source) : OBJECTREF{};
        break;
    }
    case TARGET_BY_ID: {
        bool bKeep = false;
        cCharaBase* found = FindById(chara, command, bKeep);
        if (!bKeep) chara.target = found != nullptr ? CharaRef(found->source) : OBJECTREF{};
        break;
    }
    default: break;
    }
    if (cCharaBase* target = FindChara(chara.target)) {
        cVector<std::int32_t>& list = target->targetedBy;
        if (std::find(list.begin(), list.end(), chara.source) == list.end()) {
            list.push_back(chara.source);
        }
    }
    return 0;
}

int StatusOperation2Command(cCharaBase& chara, const cEdCommand& command)
{
    const int v = Param(command, 2);
    const int nItem = Param(command, 1);
    const int nSubject = Param(command, 0);
    if (nSubject == STATUS2_SYSTEM) {
        if (nItem == 0 || nItem == 1) SetSystemAutoScroll(nItem, v);
        return 0;
    }
    cCharaBase* subject = nSubject == STATUS2_SELF     ? &chara
                          : nSubject == STATUS2_TARGET ? FindChara(chara.target)
                                                       : nullptr;
    if (subject == nullptr) return 0;
    cEdChara& d = subject->def;
    // The flags keep the byte written (a status condition sees it); only the flight kind and
    // the size factor, which select tables and multiply sizes, are brought into their range.
    switch (nItem) {
    case STATUS2_VANISH: Vanish(chara, *subject); break;
    case STATUS2_TRANSPARENT: d.m_bTransparent = static_cast<std::int8_t>(v); break;
    case STATUS2_FIXED_FACING: d.m_nDirectionFix = static_cast<std::int8_t>(v); break;
    case STATUS2_FLIGHT:
        if (IsHero(*subject)) Hero()->SetFlight(std::clamp(v, 0, 3), 1);
        break;
    case STATUS2_INVINCIBLE: d.m_nInvincible = static_cast<std::int8_t>(v); break;
    case STATUS2_SIZE: {
        const int nSize = std::clamp(v, 1, 10);
        subject->SetScale(nSize, d.m_nScale);
        d.m_nScale = static_cast<std::int8_t>(nSize);
        if (IsHero(*subject)) Hero()->BuildBoxDisplay();
        break;
    }
    case STATUS2_SCROLL_SYNC:
        d.m_bScrollSync = static_cast<std::int8_t>(v);
        subject->syncScroll = d.m_bScrollSync;
        break;
    default: break;
    }
    return 0;
}

int ItemGetCommand(cCharaBase& chara, const cEdCommand& command)
{
    (void)chara;
    const int nPalette = Param(command, 0);
    const int nIndex = Param(command, 1);
    const cVector<cEdItem>* list = nPalette == 0   ? &CommonPalette.m_PaletteItem
                                   : nPalette == 1 ? &Stage.m_PaletteItem
                                                   : nullptr;
    if (list == nullptr || nIndex < 0 || nIndex >= static_cast<int>(list->size())) {
        ReportLog("Item get: palette %d has no item %d\n", nPalette, nIndex);
        return 0;
    }
    cPlayer* hero = Hero();
    if (hero == nullptr) return 0;
    // The list is copied: its commands may change the palettes it came from.
    const cVector<cEdCommand> commands = (*list)[nIndex].m_Command;
    RequestStageResult(RunItemCommands(*hero, commands));
    return 0;
}

int CodeCommand(cCharaBase& chara, const cEdCommand& command)
{
    cCharaCodeView view(chara);
    cStageCodeContext context(&view);
    RunCode(command.m_strText, view, context);
    return 0;
}

void InstallFlowStageCommands()
{
    CommandFuncTable::Register(CMD_FLOW_CONTROL, FlowOperationAction);
    CommandFuncTable::Register(CMD_STAGE_CLEAR, StageClearAction);
    CommandFuncTable::Register(18, ActionAdapter<GameWaitCommand>);
    CommandFuncTable::Register(CMD_SET_TARGET, ActionAdapter<TargetCommand>);
    CommandFuncTable::Register(CMD_STATUS, ActionAdapter<StatusOperation>);
    CommandFuncTable::Register(CMD_STATUS2, ActionAdapter<StatusOperation2Command>);
    CommandFuncTable::Register(CMD_GET_ITEM, ActionAdapter<ItemGetCommand>);
    CommandFuncTable::Register(36, ActionAdapter<CodeCommand>);
    InstallMessageCommands();
    InstallItemCommands();
}
