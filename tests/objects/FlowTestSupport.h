// A scripted flow owner for the flow runtime's tests: flows built from compact command lists,
// condition results set per flow, press logs written frame by frame as a controller records
// them, and a trace of every command handler call.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "definitions/cEdFlow.h"
#include "objects/flow/FlowRuntime.h"
#include "objects/flow/KeyLogView.h"

// Press logs recorded the way a controller records them: every frame each of the 19 logs gets
// the key's state; a change starts a new run at the front and the log keeps 32 runs.
class cScriptedKeyLogs : public cKeyLogView {
public:
    cScriptedKeyLogs();
    // One frame with the direction word nDir (1 left, 2 right, 4 up, 8 down) and the button word
    // nButtons (bit i = button i + 1).
    void Frame(int nDir, int nButtons);
    // nFrames frames of the same words.
    void Hold(int nDir, int nButtons, int nFrames);

    std::span<const KEYLOGRUN> Runs(int nLog) const override { return m_Runs[static_cast<std::size_t>(nLog)]; }

private:
    void Add(int nLog, bool bDown);
    std::vector<std::vector<KEYLOGRUN>> m_Runs;
};

// One command of a test flow: kind, duration in sub-steps, immediate flag.
struct TESTCOMMAND {
    int nKind = 1;
    int nDuration = 1;
    int bImmediate = 0;
};

// The flow fields of a test owner, made before the owner's base so that it can name them.
struct TESTFLOWFIELDS {
    FLOWSTORAGE state;
};

class cTestFlowOwner : public TESTFLOWFIELDS, public cFlowOwner {
public:
    cTestFlowOwner() : cFlowOwner(state.View()) {}

    cVector<cEdFlow> defs;
    std::vector<int> conditionResult;  // per flow: what the condition list gives (default 1)
    std::vector<int> conditionTests;   // per flow: how often the condition list was tested
    int bFacesLeft = 0;
    int bVanished = 0;
    int bOutOfHp = 0;
    cScriptedKeyLogs keys;
    std::vector<std::string> animations;  // "serial:anime" of every started animation

    // Appends a flow with these commands; returns its position.
    int AddFlow(int nTrigger, const std::vector<TESTCOMMAND>& commands, int nGroup = 0, int nId = 0);

    cVector<cEdFlow>& FlowDefinitions() override { return defs; }
    int CheckFlowConditions(FLOWINSTANCE& flow) override;
    int FacesLeft() const override { return bFacesLeft; }
    const cKeyLogView& KeyLogs() const override { return keys; }
    const cKeyLogView& DirectionLogs() const override { return keys; }
    void StartFlowAnimation(const FLOWANIMESTART& start, std::int32_t nSerial) override;
    void RemoveFlowAnimations(std::int32_t nSerial) override;
    int HasVanished() const override { return bVanished; }
    int IsOutOfHp() const override { return bOutOfHp; }
    cCharaBase* Chara() override { return nullptr; }
};
