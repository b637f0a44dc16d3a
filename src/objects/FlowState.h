// FLOWSTATE: the flow state of one character (a stage character or the player): its flow
// instances, in the order of its own copy of its flow definitions, the counter that numbers
// them, and the exclusion-group bookkeeping. Owned by the character; game thread only.
#pragma once

#include <cstdint>

#include "core/cVector.h"
#include "objects/FlowInstance.h"

struct FLOWSTATE {
    // Exclusion groups are 1..kGroupCount; 0 is none.
    static constexpr int kGroupCount = 26;

    cVector<FLOWINSTANCE> flows;
    std::int32_t flowSerial = 0;                // incremented for every inserted flow
    cVector<std::uint8_t> flowGroupRunning;     // 27: a trigger-0 flow of the group runs
    cVector<std::uint8_t> flowGroupEnded;       // 27: a flow of the group ended
    cVector<std::uint8_t> flowGroupStartedNow;  // 27: a trigger-0 flow of the group started this frame
    std::int32_t flowGroupChanged = 0;          // some group ended
    std::int32_t flowDeletePending = 0;         // some flow carries the delete flag

    FLOWSTATE() { Reset(); }
    // No flows, serial 0, the three group vectors 27 zero entries, both flags 0.
    void Reset();
    // The group of a flow definition's group byte: 1..kGroupCount, or 0 (none) for 0 and for any
    // value outside the groups.
    static int GroupOf(std::int8_t nGroup) { return (nGroup >= 1 && nGroup <= kGroupCount) ? nGroup : 0; }
};
