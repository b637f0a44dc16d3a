// The game's random numbers: the classic C runtime generator, so that replays recorded with a
// seed play back the same. State is per thread; a thread starts with seed 1.
//   state = state * 214013 + 2531011; result = (state >> 16) & 0x7FFF
#pragma once

constexpr int GAME_RAND_MAX = 0x7FFF;

void SRand(unsigned int seed);
// 0 .. GAME_RAND_MAX.
int Rand();
