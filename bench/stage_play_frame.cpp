// Cost of one play frame (the input, the flags, the camera, the flows, the movement and the
// collisions of every object in each sub-step, and the drawing pass) on a stage of 300 flying
// characters at the default speed level 10 (ten sub-steps a frame). The stage is written and
// loaded through the test harness's play harness. BM_PlayFrame reports the time per frame and "share_pct", that
// time as a percentage of the 16.7 ms of a frame at 60 frames a second (goal: under 5). Its
// argument: 0 characters without flows; 1 each with a trigger-0 flow of moves back and forth and
// a wait, and a flow started by a key sequence (down, then button 1) that the input never
// completes; 2 the same with a sequence whose last step (no button) holds in every frame, so the
// sequence is searched back through the press logs once a frame for every character.
// Figures come from the shipped build: bash scripts/build.sh release bench_stage_play_frame
// (-O3 with debug information, no sanitizers), then build/release/bench/bench_stage_play_frame.
// Measured on a shared 8-core machine, both builds run in turn four times under a load average
// of 5-8 (mean share_pct; the earlier build gave 6.2-6.5 for arguments 1 and 2 under a heavier
// load, and 4.1-4.8 under a load average of 17):
//   before: 0 1.64 (0.273 ms), 1 2.87 (0.479 ms), 2 3.57 (0.596 ms)
//   after (key sequences read the run arrays of only the logs they use, the flow state named
//   once per owner, the vanish test without a type check, the contact pairs from one grid):
//           0 1.36 (0.227 ms), 1 2.00 (0.334 ms), 2 2.19 (0.365 ms)
#include <benchmark/benchmark.h>

#include <vector>

#include "PlayFrameBench.h"

namespace {

constexpr int kCharacters = 300;

testsupport::CommandSpec Command(int nKind, int nDirection)
{
    testsupport::CommandSpec command;
    command.kind = static_cast<std::int8_t>(nKind);
    command.time = 1;
    testsupport::MoveSpec move;
    move.direction = static_cast<std::int8_t>(nDirection);
    move.speed = 20;
    command.move = move;
    return command;
}

std::vector<testsupport::FlowSpec> CharacterFlows(int nLastKey)
{
    testsupport::FlowSpec patrol;
    patrol.commands = {Command(2, 2), Command(2, 3), Command(1, 0)};
    testsupport::FlowSpec onKeys;
    onKeys.commands = {Command(10, 0)};
    testsupport::KeyConditionSpec down;
    down.keys[4] = 1;
    down.minFrames = 1;
    down.maxFrames = 10;
    testsupport::KeyConditionSpec button;
    button.keys[static_cast<std::size_t>(nLastKey)] = 1;
    button.anyLength = 1;
    onKeys.keyConditions = {down, button};
    return {patrol, onKeys};
}

testsupport::GameSpec ThreeHundredCharacters(int nFlows)
{
    testsupport::GameSpec spec = playbench::FlyingCharacters(kCharacters, 30);
    if (nFlows != 0) {
        std::vector<testsupport::CharaDefSpec>& placed = spec.stages.front().stage.placedCharas;
        for (std::size_t i = 1; i < placed.size(); ++i) {
            // Key 11 is button 1, key 10 no button at all.
            placed[i].flows = CharacterFlows(nFlows == 1 ? 11 : 10);
        }
    }
    return spec;
}

void BM_PlayFrame(benchmark::State& state)
{
    playbench::TimePlayFrames(state, ThreeHundredCharacters(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_PlayFrame)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
