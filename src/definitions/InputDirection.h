// The direction code a movement or shot along "入力方向" (12) takes: the input direction noted
// when the flow started, made a direction code for the character's facing. Called by the
// movement and shot code of the running side.
#pragma once

// nInputDir is the number of the first direction press log that was on (0 none, 1 left, 2 right,
// 3 up, 4 down, 5 up-left, 6 down-left, 7 up-right, 8 down-right, 9 any other combination);
// nFacing 0 left, 1 right. 0 gives the facing's own side (3 right, 2 left); 1-8 give 2, 3, 6, 7,
// 8, 9, 10, 11. 9 and values outside 0-9 are treated as 0 (no single direction: straight ahead).
int InputDirToDirection(int nInputDir, int nFacing);
