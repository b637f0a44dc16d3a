// cFlowOwner: what the flow runtime needs of the character whose flows it starts and steps --
// its flow state, its own copy of its flow definitions, the test of a flow's condition list with
// the character as subject, its facing, the press logs its key conditions read, and its extra
// animations. The character classes provide it (cCharaFlowOwner); tests provide scripted owners.
// Game thread only.
#pragma once

#include <cstdint>

#include "core/cVector.h"
#include "definitions/cEdFlow.h"
#include "objects/flow/FlowState.h"
#include "objects/flow/KeyLogView.h"

class cCharaBase;

class cFlowOwner {
public:
    // state names the owner's flow fields for the owner's whole life.
    explicit cFlowOwner(const FLOWSTATE& state) : m_State(state) {}
    virtual ~cFlowOwner() = default;
    cFlowOwner(const cFlowOwner&) = delete;
    // Assigning an owner leaves its flow state naming its own fields (the derived class copies
    // their content).
    cFlowOwner& operator=(const cFlowOwner&) { return *this; }

    // The runtime reads the flow state at nearly every step, so it is a plain member, not a
    // virtual call that builds a new view each time.
    FLOWSTATE& FlowState() { return m_State; }
    // The character's own copy of its flow definitions, in the order of FlowState().flows.
    virtual cVector<cEdFlow>& FlowDefinitions() = 0;
    // 1 when the condition list of the flow holds with this character as subject (an empty list
    // holds; with the check-once flag and condLatched set it is not tested again; a list that
    // holds sets condLatched).
    virtual int CheckFlowConditions(FLOWINSTANCE& flow) = 0;
    // 1 when the character faces left (relative key conditions exchange left and right).
    virtual int FacesLeft() const = 0;
    // The press logs the key sequences of every flow read: the player's controller.
    virtual const cKeyLogView& KeyLogs() const = 0;
    // The press logs whose input direction class a starting flow notes: the character's own
    // controller when a player operates it, controller 0 otherwise.
    virtual const cKeyLogView& DirectionLogs() const = 0;
    // Starts the extra animation of a flow's schedule record for the flow with serial nSerial.
    virtual void StartFlowAnimation(const FLOWANIMESTART& start, std::int32_t nSerial) = 0;
    // Removes the extra animations tagged with nSerial; nSerial < 0 removes every one.
    virtual void RemoveFlowAnimations(std::int32_t nSerial) = 0;
    // 1 when the character has vanished (its flow step stops at once).
    virtual int HasVanished() const = 0;
    // 1 when the character's HP has reached 0 or below.
    virtual int IsOutOfHp() const = 0;
    // The character the commands act on; none for owners without one (tests).
    virtual cCharaBase* Chara() = 0;

private:
    FLOWSTATE m_State;
};
