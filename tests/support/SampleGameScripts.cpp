#include "SampleGameScripts.h"

#include "input/cInput.h"
#include "input/cPadScript.h"

namespace testsupport {

namespace {

constexpr SHORT kButton1 = 1;

// Right held: walking.
PadHold Run(int frames)
{
    return PadHold{frames, DIR_RIGHT, 0};
}
// Right and button 1 held: a jump on the run (one press; the jump starts on the press).
PadHold RunJump(int frames)
{
    return PadHold{frames, DIR_RIGHT, kButton1};
}
// Nothing held: standing, or riding a lift.
PadHold Wait(int frames)
{
    return PadHold{frames, 0, 0};
}

// Each stage from its first play frame to a second after its clear.
// Grassland.
const std::vector<PadHold> kGrassland{
    Run(125), RunJump(5), Run(26),  RunJump(5), Run(113), RunJump(5), Run(39),  RunJump(5), Run(103), RunJump(5),
    Run(29),  RunJump(5), Run(97),  RunJump(5), Run(84),  RunJump(5), Run(226), RunJump(5), Run(39),  RunJump(5),
    Run(38),  RunJump(5), Run(173), RunJump(5), Run(52),  RunJump(5), Run(39),  RunJump(5), Run(81),  Wait(60),
};

// Hills.
const std::vector<PadHold> kHills{
    Run(34),    RunJump(5), Run(39),    RunJump(5), Run(279),   RunJump(5), Run(164),   RunJump(5), Run(47),
    RunJump(5), Run(38),    RunJump(5), Run(45),    RunJump(5), Run(194),   RunJump(5), Run(15),    RunJump(5),
    Run(8),     RunJump(5), Run(252),   RunJump(5), Run(38),    RunJump(5), Run(36),    Wait(60),
};

// SkyBridge.
const std::vector<PadHold> kSkyBridge{
    Run(82),  RunJump(5), Run(146), RunJump(5), Run(139), RunJump(5), Run(52), RunJump(5),
    Run(114), RunJump(5), Run(123), RunJump(5), Run(123), RunJump(5), Run(99), RunJump(5),
    Run(115), RunJump(5), Run(123), RunJump(5), Run(112), Wait(60),
};

// LiftWorks.
const std::vector<PadHold> kLiftWorks{
    Run(146), Wait(151),  Run(1),   Wait(142),  Run(53), RunJump(5), Run(94),  Wait(147),
    Run(89),  RunJump(5), Run(132), RunJump(5), Run(82), RunJump(5), Run(209), Wait(60),
};

// Castle.
const std::vector<PadHold> kCastle{
    Run(122), RunJump(5), Run(15), RunJump(5), Run(8),   RunJump(5), Run(90), RunJump(5), Run(34),  RunJump(5),
    Run(82),  RunJump(5), Run(38), RunJump(5), Run(104), RunJump(5), Run(34), RunJump(5), Run(42),  RunJump(5),
    Run(123), RunJump(5), Run(35), RunJump(5), Run(203), RunJump(5), Run(34), RunJump(5), Run(121), Wait(60),
};

// Keep.
const std::vector<PadHold> kKeep{
    Run(106), RunJump(5), Run(35), RunJump(5), Run(74),  RunJump(5), Run(15), RunJump(5),
    Run(8),   RunJump(5), Run(67), RunJump(5), Run(258), RunJump(5), Run(38), RunJump(5),
    Run(285), RunJump(5), Run(39), RunJump(5), Run(199), Wait(60),
};

const std::vector<PadHold>* const kScripts[] = {&kGrassland, &kHills, &kSkyBridge, &kLiftWorks, &kCastle, &kKeep};

}  // namespace

std::vector<PadFrame> Expand(const std::vector<PadHold>& holds)
{
    std::vector<PadFrame> frames;
    for (const PadHold& hold : holds) {
        for (int i = 0; i < hold.frames; ++i) {
            frames.push_back(PadFrame{hold.dir, hold.buttons});
        }
    }
    return frames;
}

std::vector<PadFrame> SampleStageScript(int index)
{
    constexpr int kCount = static_cast<int>(sizeof(kScripts) / sizeof(kScripts[0]));
    if (index < 0 || index >= kCount) {
        return {};
    }
    return Expand(*kScripts[index]);
}

std::string ScriptText(const std::vector<PadFrame>& script)
{
    std::string text;
    for (const PadFrame& frame : script) {
        text += std::to_string(cPadScript::MaskOf(frame.dir, frame.buttons));
        text += '\n';
    }
    return text;
}

}  // namespace testsupport
