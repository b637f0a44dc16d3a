// The shots' part of a play sub-step: every shot and sword of the stage's list, in order, does its
// bookkeeping, falls and moves, and is erased when it asks to be, leaves its off-screen limit
// (shots only, tested on the frame's first sub-step) or touches a block solid for its faction.
// Also the shots' per-sub-step flags. Game thread.
#pragma once

#include <list>

class cShot;

// One sub-step of every shot of list; bFirstSubStep: the off-screen test runs.
void StepShots(std::list<cShot>& list, bool bFirstSubStep);
// Every shot exists and is in view when its box overlaps the view.
void UpdateShotFlags(std::list<cShot>& list);
