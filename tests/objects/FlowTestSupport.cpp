#include "FlowTestSupport.h"

#include <cstdio>

cScriptedKeyLogs::cScriptedKeyLogs() : m_Runs(cKeyLogView::kLogCount, std::vector<KEYLOGRUN>(32, KEYLOGRUN{}))
{}

void cScriptedKeyLogs::Add(int nLog, bool bDown)
{
    auto& runs = m_Runs[nLog];
    const std::int32_t nPressed = bDown ? 1 : 0;
    if (runs.front().pressed != nPressed) {
        runs.insert(runs.begin(), KEYLOGRUN{nPressed, 1});
        runs.pop_back();
    } else {
        ++runs.front().length;
    }
}

void cScriptedKeyLogs::Frame(int nDir, int nButtons)
{
    static constexpr int kDirPattern[9] = {0, 1, 2, 4, 8, 5, 9, 6, 10};
    for (int i = 0; i < 9; ++i) Add(i, nDir == kDirPattern[i]);
    Add(9, (nDir & 15) != 0);
    Add(10, nButtons == 0);
    for (int i = 0; i < 8; ++i) Add(11 + i, (nButtons & (1 << i)) != 0);
}

void cScriptedKeyLogs::Hold(int nDir, int nButtons, int nFrames)
{
    for (int i = 0; i < nFrames; ++i) Frame(nDir, nButtons);
}

int cTestFlowOwner::AddFlow(int nTrigger, const std::vector<TESTCOMMAND>& commands, int nGroup, int nId)
{
    cEdFlow def;
    def.m_nTrigger = static_cast<std::int8_t>(nTrigger);
    def.m_nFlowGroup = static_cast<std::int8_t>(nGroup);
    def.m_nFlowID = static_cast<std::int8_t>(nId);
    FLOWINSTANCE flow;
    for (const TESTCOMMAND& c : commands) {
        cEdCommand command;
        command.m_nKind = static_cast<std::int8_t>(c.nKind);
        command.m_bWithNext = static_cast<std::int8_t>(c.bImmediate);
        command.ResizeParam(20);
        def.m_Command.push_back(command);
        COMMANDINSTANCE inst;
        inst.duration = c.nDuration;
        flow.commands.push_back(inst);
    }
    flow.serial = state.flowSerial++;
    defs.push_back(def);
    cVector<FLOWINSTANCE> added;
    added.push_back(flow);
    cFlowRuntime::AppendFlows(*this, added);
    conditionResult.push_back(1);
    conditionTests.push_back(0);
    return static_cast<int>(state.flows.size()) - 1;
}

int cTestFlowOwner::CheckFlowConditions(FLOWINSTANCE& flow)
{
    ++conditionTests[flow.index];
    return conditionResult[flow.index];
}

void cTestFlowOwner::StartFlowAnimation(const FLOWANIMESTART& start, std::int32_t nSerial)
{
    animations.push_back(std::to_string(nSerial) + ":" + std::to_string(start.nAnime));
}

void cTestFlowOwner::RemoveFlowAnimations(std::int32_t nSerial)
{
    animations.push_back("remove " + std::to_string(nSerial));
}
