// The homing kinds of a flying shot (the definition's flight kind 0..9): aim once at the hero,
// the nearest character or the target; chase them; swing in a wave; or start to fall. Run once
// per sub-step from cShot::Update before the shot's own velocity is added, through a
// range-checked table. Distances given in half-blocks become sub-step counts at the homing speed.
// Game thread.
#pragma once

class cShot;

constexpr int kHomingKindCount = 10;
using HomingFunc = void (*)(cShot& shot);

// The handler of kind nKind; a kind outside 0..9 acts as kind 0 (straight) and is logged once.
HomingFunc FindHomingFunc(int nKind);
// Runs the handler of the shot's homing kind for one sub-step.
void RunShotHoming(cShot& shot);
// Sub-steps to cover nHalfBlocks x 16 pixels at dSpeed pixels per sub-step, truncated; 0 for a
// speed of 0.
int HomingCount(int nHalfBlocks, double dSpeed);
