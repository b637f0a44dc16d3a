// Scripted pad input that clears each stage of the sample game, frame by frame, as the play
// harness and the program's QB_INPUT take it. A script starts with the stage's first polled
// frame (the start banners included) and ends a little after the goal is reached; a chained play
// through the front-end screens feeds them one after another.
#pragma once

#include <string>
#include <vector>

#include "PlayHarness.h"

namespace testsupport {

// Stretches of one held pad state.
struct PadHold {
    int frames = 0;
    SHORT dir = 0;
    SHORT buttons = 0;
};

// The holds one after another, one PadFrame per frame.
std::vector<PadFrame> Expand(const std::vector<PadHold>& holds);

// The script that clears stage index (0-based, in the order of SampleStages()); empty for an
// index outside the stages.
std::vector<PadFrame> SampleStageScript(int index);

// A script in the text form of a QB_INPUT file (cPadScript): one line per frame holding the
// frame's controller mask in decimal.
std::string ScriptText(const std::vector<PadFrame>& script);

}  // namespace testsupport
