// Cost of one play frame (the input, the flags, the camera, the flows and the movement of every
// object in each sub-step; no collision or drawing yet) on a stage of 300 flying characters at
// the default speed level 10 (ten sub-steps a frame). The stage is written and loaded through the
// test harness's play harness. BM_PlayFrame reports the time per frame and "share_pct", that
// time as a percentage of the 16.7 ms of a frame at 60 frames a second (goal: under 5). Its
// argument: 0 characters without flows; 1 each with a trigger-0 flow of moves back and forth and
// a wait, and a flow started by a key sequence (down, then button 1) that the input never
// completes; 2 the same with a sequence whose last step (no button) holds in every frame, so the
// sequence is searched back through the press logs once a frame for every character.
// Build with -DCMAKE_BUILD_TYPE=Release and without sanitizers for meaningful numbers.
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
