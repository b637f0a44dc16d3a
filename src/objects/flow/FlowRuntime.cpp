#include "objects/flow/FlowRuntime.h"

#include <cmath>
#include <limits>

#include "definitions/cEdCommand.h"
#include "definitions/cEdFlow.h"
#include "objects/flow/CommandTable.h"
#include "objects/flow/KeyConditions.h"
#include "project/cSystemData.h"

namespace {

constexpr int kFirstImmediateStartKind = 16;
constexpr int kMessageKind = 19;

int FlowCount(cFlowOwner& owner)
{
    return static_cast<int>(owner.FlowState().flows.size());
}

int CommandCount(const FLOWINSTANCE& flow)
{
    return static_cast<int>(flow.commands.size());
}

int ParamOf(const cEdCommand& command, int i)
{
    return i < static_cast<int>(command.m_Param.size()) ? command.m_Param[i] : 0;
}

int IsImmediate(const COMMANDINSTANCE& inst)
{
    return inst.command != nullptr && inst.command->m_bWithNext != 0;
}

int KindOf(const COMMANDINSTANCE& inst)
{
    return inst.command != nullptr ? inst.command->m_nKind : 0;
}

int TriggerOf(const FLOWINSTANCE& flow)
{
    return flow.flow != nullptr ? flow.flow->m_nTrigger : -1;
}

int GroupOf(const FLOWINSTANCE& flow)
{
    return flow.flow != nullptr ? FLOWSTATE::GroupOf(flow.flow->m_nFlowGroup) : 0;
}

// The flow at nFlow is still the run identified by (serial, startCount) and still running.
bool SameRun(cFlowOwner& owner, int nFlow, std::int32_t nSerial, std::int32_t nStartCount)
{
    if (nFlow >= FlowCount(owner)) {
        return false;
    }
    const FLOWINSTANCE& flow = owner.FlowState().flows[nFlow];
    return flow.serial == nSerial && flow.startCount == nStartCount && flow.running != 0;
}

void StopCommands(FLOWINSTANCE& flow)
{
    for (COMMANDINSTANCE& inst : flow.commands) {
        inst.remain = 0;
    }
}

void MarkGroupEnded(cFlowOwner& owner, const FLOWINSTANCE& flow)
{
    const int nGroup = GroupOf(flow);
    if (nGroup != 0) {
        FLOWSTATE state = owner.FlowState();
        state.flowGroupEnded[nGroup] = 1;
        state.flowGroupChanged = 1;
    }
}

// The immediate commands of a trigger-18 flow, each run once at the start of the stage; then
// the flow ends.
void RunStageStartCommands(cFlowOwner& owner, int nFlow)
{
    FLOWINSTANCE& flow = owner.FlowState().flows[nFlow];
    const std::int32_t nSerial = flow.serial;
    const std::int32_t nStartCount = flow.startCount;
    flow.breakStep = 0;
    flow.inStartCommands = 1;
    for (int i = 0; i < CommandCount(owner.FlowState().flows[nFlow]); ++i) {
        FLOWINSTANCE& f = owner.FlowState().flows[nFlow];
        f.current = i;
        const COMMANDINSTANCE& inst = f.commands[i];
        if (KindOf(inst) < kFirstImmediateStartKind || !IsImmediate(inst)) {
            continue;
        }
        cFlowRuntime::RunCommandFrame(FLOWCONTEXT{&owner, nFlow, i});
        if (!SameRun(owner, nFlow, nSerial, nStartCount)) {
            // A command of the flow ended it or started it again (or the flow is gone).
            break;
        }
        FLOWINSTANCE& after = owner.FlowState().flows[nFlow];
        if (after.breakStep != 0) {
            break;
        }
        after.commands[i].done = 1;
    }
    if (nFlow < FlowCount(owner) && owner.FlowState().flows[nFlow].serial == nSerial) {
        FLOWINSTANCE& after = owner.FlowState().flows[nFlow];
        after.inStartCommands = 0;
        cFlowRuntime::End(owner, after);
    }
}

}  // namespace

void cFlowRuntime::FireTrigger(cFlowOwner& owner, int nKind)
{
    const bool bRepeat = SystemData.bTriggerRepeat != 0;
    for (int j = 0; j < FlowCount(owner); ++j) {
        FLOWSTATE state = owner.FlowState();
        FLOWINSTANCE& flow = state.flows[j];
        if (TriggerOf(flow) != nKind) {
            continue;
        }
        if (!bRepeat) {
            if (flow.triedThisFrame != 0) continue;
            flow.triedThisFrame = 1;
        }
        if (flow.running != 0 || flow.paused != 0 || flow.stoppedForever != 0 || flow.startedThisFrame != 0) {
            continue;
        }
        const int nGroup = GroupOf(flow);
        if (nKind == TRIGGER_ALWAYS && nGroup != 0 &&
            (state.flowGroupRunning[nGroup] != 0 || state.flowGroupStartedNow[nGroup] != 0)) {
            continue;
        }
        if (!owner.CheckFlowConditions(flow)) continue;
        if (!CheckKeyConditions(owner, owner.FlowState().flows[j])) continue;
        owner.FlowState().flows[j].inputDir = GetInputDirClass(owner.DirectionLogs());
        Start(owner, j);
    }
}

int cFlowRuntime::CheckKeyConditions(cFlowOwner& owner, FLOWINSTANCE& flow)
{
    if (flow.flow == nullptr || flow.flow->m_KeyCondition.empty()) {
        return 1;
    }
    const cEdFlow& def = *flow.flow;
    const int nMatch = MatchKeySequence(def.m_KeyCondition, def.m_nKeyGap, owner.KeyLogs(), owner.FacesLeft() != 0,
                                        SystemData.bKeyMatchVariant != 0);
    if (def.m_bKeyRepeat != 0) {
        return nMatch;
    }
    if (nMatch == 0) {
        flow.keyWasTrue = 0;
        return 0;
    }
    if (flow.keyWasTrue == 0) {
        flow.keyWasTrue = 1;
        return 1;
    }
    const int nGroup = GroupOf(flow);
    if (def.m_nTrigger == TRIGGER_ALWAYS && nGroup != 0) {
        // The group stays blocked for the rest of the frame; the flow step releases it.
        FLOWSTATE state = owner.FlowState();
        state.flowGroupRunning[nGroup] = 1;
        state.flowGroupEnded[nGroup] = 1;
        state.flowGroupChanged = 1;
    }
    return 0;
}

void cFlowRuntime::ResetFlowFrameFlags(cFlowOwner& owner)
{
    FLOWSTATE state = owner.FlowState();
    for (FLOWINSTANCE& flow : state.flows) flow.triedThisFrame = 0;
    for (FLOWINSTANCE& flow : state.flows) flow.startedThisFrame = 0;
    for (std::uint8_t& started : state.flowGroupStartedNow) started = 0;
}

int cFlowRuntime::StepFlows(cFlowOwner& owner, bool bDeathOnly, bool bFinish)
{
    StartFlowAnimations(owner);
    for (int i = 0; i < FlowCount(owner); ++i) {
        FLOWINSTANCE& flow = owner.FlowState().flows[i];
        if (flow.running == 0) {
            continue;
        }
        if (CommandCount(flow) == 0) {
            End(owner, flow);
            continue;
        }
        if (flow.paused != 0 || flow.stoppedForever != 0) {
            continue;
        }
        const int nTrigger = TriggerOf(flow);
        if (bDeathOnly && nTrigger != TRIGGER_DEATH) {
            continue;
        }
        if (Step(owner, i) != 0 && i < FlowCount(owner)) {
            End(owner, owner.FlowState().flows[i]);
        }
        if (owner.HasVanished()) {
            return 1;
        }
        if (!bDeathOnly && nTrigger != TRIGGER_DEATH && owner.IsOutOfHp()) {
            return 1;
        }
    }
    if (bFinish) {
        FinishFlowStep(owner);
    }
    return 0;
}

void cFlowRuntime::FinishFlowStep(cFlowOwner& owner)
{
    FLOWSTATE state = owner.FlowState();
    if (state.flowDeletePending != 0) {
        int i = 0;
        while (i < FlowCount(owner)) {
            if (state.flows[i].toDelete != 0) {
                RemoveFlow(owner, i);
            } else {
                ++i;
            }
        }
        state.flowDeletePending = 0;
    }
    if (state.flowGroupChanged != 0) {
        for (int g = 0; g <= FLOWSTATE::kGroupCount; ++g) {
            if (state.flowGroupEnded[g] != 0) {
                state.flowGroupEnded[g] = 0;
                state.flowGroupRunning[g] = 0;
            }
        }
        state.flowGroupChanged = 0;
    }
}

void cFlowRuntime::Start(cFlowOwner& owner, int nFlow)
{
    if (nFlow < 0 || nFlow >= FlowCount(owner)) {
        return;
    }
    FLOWSTATE state = owner.FlowState();
    FLOWINSTANCE& flow = state.flows[nFlow];
    flow.running = 1;
    flow.current = 0;
    flow.frame = 0;
    flow.afterMessage = 0;
    ++flow.startCount;
    for (COMMANDINSTANCE& inst : flow.commands) {
        inst.done = 0;
    }
    flow.startedThisFrame = 1;
    const int nGroup = GroupOf(flow);
    if (TriggerOf(flow) == TRIGGER_ALWAYS && nGroup != 0) {
        state.flowGroupRunning[nGroup] = 1;
        state.flowGroupStartedNow[nGroup] = 1;
    }
    if (CommandCount(flow) > 0 && TriggerOf(flow) == TRIGGER_STAGE_START && flow.inStartCommands == 0) {
        RunStageStartCommands(owner, nFlow);
    }
}

int cFlowRuntime::Step(cFlowOwner& owner, int nFlow)
{
    if (nFlow < 0 || nFlow >= FlowCount(owner)) {
        return 0;
    }
    owner.FlowState().flows[nFlow].breakStep = 0;
    const std::int32_t nSerial = owner.FlowState().flows[nFlow].serial;
    const std::int32_t nStartCount = owner.FlowState().flows[nFlow].startCount;
    const int nLast = CommandCount(owner.FlowState().flows[nFlow]) - 1;
    if (nLast < 0) {
        return 1;
    }
    for (int i = 0; i <= owner.FlowState().flows[nFlow].current; ++i) {
        FLOWINSTANCE& flow = owner.FlowState().flows[nFlow];
        if (i > nLast || flow.commands[i].done != 0) {
            continue;
        }
        COMMANDINSTANCE& inst = flow.commands[i];
        const bool bImmediate = IsImmediate(inst) != 0;
        const bool bPlainMessage = inst.command != nullptr && IsPlainMessage(*inst.command) != 0;
        if (inst.remain == 0) {
            ResetCommand(inst);
            if (!bImmediate && !bPlainMessage) {
                flow.afterMessage = 0;
            }
        }
        const int nOver = RunCommandFrame(FLOWCONTEXT{&owner, nFlow, i});
        if (!SameRun(owner, nFlow, nSerial, nStartCount)) {
            // The command started this flow again or ended it (or the flow is gone): the new
            // state stands as the command left it.
            return 0;
        }
        FLOWINSTANCE& after = owner.FlowState().flows[nFlow];
        if (bImmediate) {
            if (nOver != 0) {
                after.commands[i].done = 1;
                if (i == nLast) return 1;
            }
            if (i == after.current) {
                ++after.current;
            }
            if (after.breakStep != 0) return 0;
            continue;
        }
        if (nOver == 0) {
            if (after.breakStep != 0) return 0;
            continue;
        }
        after.commands[i].done = 1;
        if (bPlainMessage) {
            after.afterMessage = 1;
        }
        if (i == nLast) return 1;
        ++after.current;
        break;
    }
    FLOWINSTANCE& flow = owner.FlowState().flows[nFlow];
    if (flow.commands[nLast].done != 0) {
        return 1;
    }
    ++flow.frame;
    return 0;
}

void cFlowRuntime::End(cFlowOwner& owner, FLOWINSTANCE& flow)
{
    if (flow.running == 0) {
        return;
    }
    flow.running = 0;
    StopCommands(flow);
    MarkGroupEnded(owner, flow);
}

void cFlowRuntime::StopForever(cFlowOwner& owner, FLOWINSTANCE& flow)
{
    flow.stoppedForever = 1;
    if (flow.running != 0) {
        StopCommands(flow);
        MarkGroupEnded(owner, flow);
    }
}

void cFlowRuntime::ResetCommand(COMMANDINSTANCE& command)
{
    command.remain = command.duration;
    command.done = 0;
    command.stepState = 0;
    command.started = 0;
    command.frame = 0;
    for (std::int32_t& word : command.work) {
        word = 0;
    }
}

int cFlowRuntime::RunCommandFrame(const FLOWCONTEXT& ctx)
{
    if (!ctx.IsValid()) {
        return 1;
    }
    if (ctx.Command().command != nullptr) {
        CommandFuncTable::Run(KindOf(ctx.Command()), ctx);
    }
    if (!ctx.IsValid()) {
        return 1;
    }
    COMMANDINSTANCE& inst = ctx.Command();
    inst.remain -= 1;
    if (inst.remain > 0) {
        return 0;
    }
    inst.remain = 0;
    return 1;
}

void cFlowRuntime::RelinkFlows(cFlowOwner& owner)
{
    FLOWSTATE state = owner.FlowState();
    cVector<cEdFlow>& defs = owner.FlowDefinitions();
    for (int i = 0; i < FlowCount(owner); ++i) {
        FLOWINSTANCE& flow = state.flows[i];
        flow.index = i;
        if (i >= static_cast<int>(defs.size())) {
            flow.flow = nullptr;
            for (COMMANDINSTANCE& inst : flow.commands) inst.command = nullptr;
            continue;
        }
        cEdFlow& def = defs[i];
        flow.flow = &def;
        const int nCommands = static_cast<int>(def.m_Command.size());
        for (int j = 0; j < CommandCount(flow); ++j) {
            flow.commands[j].command = j < nCommands ? &def.m_Command[j] : nullptr;
        }
    }
}

void cFlowRuntime::AppendFlows(cFlowOwner& owner, cVector<FLOWINSTANCE>& instances)
{
    cVector<FLOWINSTANCE>& flows = owner.FlowState().flows;
    flows.insert(flows.end(), instances.begin(), instances.end());
    RelinkFlows(owner);
}

void cFlowRuntime::RemoveFlow(cFlowOwner& owner, int nFlow)
{
    if (nFlow < 0 || nFlow >= FlowCount(owner)) {
        return;
    }
    FLOWSTATE state = owner.FlowState();
    End(owner, state.flows[nFlow]);
    owner.RemoveFlowAnimations(state.flows[nFlow].serial);
    const int nIndex = state.flows[nFlow].index;
    cVector<cEdFlow>& defs = owner.FlowDefinitions();
    if (nIndex >= 0 && nIndex < static_cast<int>(defs.size())) {
        defs.erase(defs.begin() + nIndex);
    }
    if (nIndex >= 0 && nIndex < FlowCount(owner)) {
        state.flows.erase(state.flows.begin() + nIndex);
    }
    RelinkFlows(owner);
}

int cFlowRuntime::RemoveFlowsById(cFlowOwner& owner, std::uint8_t nId)
{
    FLOWSTATE state = owner.FlowState();
    if (nId == 0) {
        for (FLOWINSTANCE& flow : state.flows) {
            End(owner, flow);
        }
        state.flows.clear();
        owner.FlowDefinitions().clear();
        owner.RemoveFlowAnimations(-1);
        RelinkFlows(owner);
        return 0;
    }
    int nFirst = -1;
    int i = 0;
    while (i < FlowCount(owner)) {
        FLOWINSTANCE& flow = state.flows[i];
        if (flow.flow == nullptr || static_cast<std::uint8_t>(flow.flow->m_nFlowID) != nId) {
            ++i;
            continue;
        }
        if (nFirst < 0) {
            nFirst = i;
        }
        RemoveFlow(owner, i);
    }
    return nFirst;
}

void cFlowRuntime::StartFlowAnimations(cFlowOwner& owner)
{
    for (int i = 0; i < FlowCount(owner); ++i) {
        const FLOWINSTANCE& flow = owner.FlowState().flows[i];
        if (flow.running == 0 || flow.paused != 0) {
            continue;
        }
        for (const FLOWANIMESTART& start : flow.animeStarts) {
            if (start.nStartFrame == flow.frame) {
                owner.StartFlowAnimation(start, flow.serial);
            }
        }
    }
}

void cFlowRuntime::CalcMoveSpeedOrTime(COMMANDINSTANCE& inst, const cEdCommand& command, std::int16_t k)
{
    if (!command.m_lpMove) {
        return;
    }
    const cEdMove& move = *command.m_lpMove;
    double fDistance = move.m_nDistanceStep == 0
                           ? move.m_nDistance
                           : static_cast<double>(move.m_nDistance) + static_cast<double>(move.m_nDistanceStep) * k;
    if (move.m_nDistUnit != 1) {
        fDistance *= 16.0;
    }
    if (move.m_nTimeMode == 1) {
        // A run of duration 0 still lasts one step, which covers the whole distance. A negative
        // duration divides as it is (the run also lasts one step, at that negative speed).
        inst.speed = fDistance / (inst.duration == 0 ? 1 : inst.duration);
    } else if (move.m_nTimeMode == 2) {
        if (inst.speed == 0.0 || !std::isfinite(inst.speed)) {
            inst.duration = 0;
            return;
        }
        double fTime = std::trunc(fDistance / inst.speed);
        const double fLimit = static_cast<double>(std::numeric_limits<std::int32_t>::max());
        if (fTime > fLimit) fTime = fLimit;
        if (fTime < -fLimit) fTime = -fLimit;
        std::int32_t nTime = static_cast<std::int32_t>(fTime);
        if (nTime < 0 && SystemData.bKeepNegativeTime == 0) {
            nTime = -nTime;
        }
        inst.duration = nTime;
    }
}

int cFlowRuntime::IsPlainMessage(const cEdCommand& command)
{
    return (command.m_nKind == kMessageKind && ParamOf(command, 15) == 0 && ParamOf(command, 6) == 0) ? 1 : 0;
}
