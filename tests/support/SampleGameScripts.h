// Scripted pad input that clears each stage of the sample game, frame by frame, as the play
// harness and the program's QB_INPUT take it. A script starts with the stage's first play frame:
// the frame after the stage screen has gone from its start banners into play (state 2), so that
// the fade and the banners, whose length depends on how the stage was entered, come before it
// with nothing held. It ends a second after the goal is reached. A chained play through the
// front-end screens feeds them one after another, each once its stage is in play.
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

// The script that clears stage index (0-based, in the order of SampleStages()) from its first
// play frame; empty for an index outside the stages.
std::vector<PadFrame> SampleStageScript(int index);

// A script in the text form of a QB_INPUT file (cPadScript): one line per frame holding the
// frame's controller mask in decimal.
std::string ScriptText(const std::vector<PadFrame>& script);

}  // namespace testsupport
