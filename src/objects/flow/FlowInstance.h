// FLOWINSTANCE: the running state of one flow of one character -- its definition, whether it
// runs, is paused or stopped for good, how far its commands got, the start bookkeeping of the
// current frame, and the schedule of the extra animations its commands show. Owned by the
// character's FLOWSTATE; game thread only.
#pragma once

#include <cstdint>

#include "core/cVector.h"
#include "objects/flow/CommandInstance.h"

class cEdFlow;

// One timed extra animation of a flow: started when the flow's frame counter equals nStartFrame.
struct FLOWANIMESTART {
    std::int32_t nStartFrame = 0;  // compared with FLOWINSTANCE::frame
    std::int16_t nAnime = 0;       // Anime database entry
    std::int16_t nTickOffset = 0;  // added to the new animation's tick when non-zero
    std::int16_t nValue1 = 0;      // first value (the animation's length)
    std::int16_t nValue2 = 0;      // second value (the command's base time x 6)
    std::int32_t nFlag = 0;        // play flag
};

struct FLOWINSTANCE {
    std::int32_t index = 0;   // position in the character's flow list (RelinkFlows keeps it)
    std::int32_t serial = 0;  // from the character's flow counter; tags the flow's animations
    // The definition in the character's own copy of its flows; re-linked whenever that list
    // changes (RelinkFlows), never kept elsewhere.
    cEdFlow* flow = nullptr;
    std::uint8_t condLatched = 0;       // the condition list has held once
    std::int32_t keyWasTrue = 0;        // the key sequence matched at the previous start test
    cVector<COMMANDINSTANCE> commands;  // one per command of the definition, in order
    cVector<FLOWANIMESTART> animeStarts;
    std::int32_t running = 0;
    std::int32_t paused = 0;
    std::int32_t stoppedForever = 0;
    std::int32_t toDelete = 0;  // erased after the character's flow step
    std::int32_t current = 0;   // furthest command reached
    std::int32_t frame = 0;     // sub-steps stepped since the start without finishing
    std::int32_t inputDir = 0;  // input direction class 0..9 at the start
    std::int32_t triedThisFrame = 0;
    std::int32_t startedThisFrame = 0;
    std::int32_t afterMessage = 0;  // a waiting message of this flow has just finished
    std::int32_t breakStep = 0;     // set by a command: this flow's step ends for the frame
    // Counts the starts of the flow, so that a step can tell that the command it ran started
    // the flow again (or ended it) and leave the new run alone.
    std::int32_t startCount = 0;
    // The immediate commands of a stage-start flow are being run: a start of the flow from one
    // of them does not run them again (which would never end).
    std::int32_t inStartCommands = 0;
};
