// FLOWSTATE: the flow state of one character (a stage character or the player) as the flow
// runtime works on it -- its flow instances, in the order of its own copy of its flow
// definitions, the counter that numbers them, and the exclusion-group bookkeeping. The fields
// live in the character; a FLOWSTATE names them for the length of one operation. FLOWSTORAGE
// holds a set of its own (owners that are not characters, tests). Game thread only.
#pragma once

#include <cstdint>

#include "core/cVector.h"
#include "objects/flow/FlowInstance.h"

struct FLOWSTATE {
    // Exclusion groups are 1..kGroupCount; 0 is none. The group vectors have kGroupCount + 1
    // entries.
    static constexpr int kGroupCount = 26;

    cVector<FLOWINSTANCE>& flows;
    std::int32_t& flowSerial;                    // incremented for every inserted flow
    cVector<std::uint8_t>& flowGroupRunning;     // a trigger-0 flow of the group runs
    cVector<std::uint8_t>& flowGroupEnded;       // a flow of the group ended
    cVector<std::uint8_t>& flowGroupStartedNow;  // a trigger-0 flow of the group started this frame
    std::int32_t& flowGroupChanged;              // some group ended
    std::int32_t& flowDeletePending;             // some flow carries the delete flag

    // The group of a flow definition's group byte: 1..kGroupCount, or 0 (none) for 0 and for any
    // value outside the groups.
    static int GroupOf(std::int8_t nGroup) { return (nGroup >= 1 && nGroup <= kGroupCount) ? nGroup : 0; }
};

struct FLOWSTORAGE {
    cVector<FLOWINSTANCE> flows;
    std::int32_t flowSerial = 0;
    cVector<std::uint8_t> flowGroupRunning;
    cVector<std::uint8_t> flowGroupEnded;
    cVector<std::uint8_t> flowGroupStartedNow;
    std::int32_t flowGroupChanged = 0;
    std::int32_t flowDeletePending = 0;

    FLOWSTORAGE() { Reset(); }
    // No flows, serial 0, the three group vectors 27 zero entries, both flags 0.
    void Reset();
    FLOWSTATE View()
    {
        return FLOWSTATE{flows,
                         flowSerial,
                         flowGroupRunning,
                         flowGroupEnded,
                         flowGroupStartedNow,
                         flowGroupChanged,
                         flowDeletePending};
    }
};
