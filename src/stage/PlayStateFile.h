// The play state as a JSON text, for scripts and tests that drive a headless play and read back
// where everything is: the current screen, the stage file, the stage's play frames, and for every
// object its kind, object number, position, speed, facing, HP, SP and state. The program writes
// it when it closes (QB_STATE); the tests' play harness writes the same text.
//
// Layout (numbers as JSON numbers, texts in UTF-8):
//   {"screen": "stage", "stageFile": "data\\stg4\\a.stg4_000", "frame": 12,
//    "objects": [{"kind": "player", "number": 0, "x": 160, "y": 96, "vx": 0, "vy": 0.5,
//                 "facing": 1, "hp": 10, "sp": 0, "state": "active"}, ...]}
// "screen" is one of "title", "worldmap", "worldmapmenu", "worldselect", "stage", "option";
// "kind" is "player" or "chara"; x and y are the hit box's top-left corner in world pixels, vx
// and vy the speed in pixels per sub-step; "state" is "dying", "vanished", "active" or
// "inactive"; "frame" is 0 while no stage screen exists.
//
// Game thread, or any thread once the game thread has ended (the close writes it then).
#pragma once

#include <string>

// The text of the state now. nScene is the scene manager's current screen id.
std::string PlayStateJson(int nScene);
// Writes PlayStateJson(nScene) to szPath (a game path) through a temporary file renamed over the
// old one. 1, or 0 when it could not be written (the old file stays).
int WritePlayState(const char* szPath, int nScene);
