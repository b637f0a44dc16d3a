// Which sub-steps of a play frame test shots against characters: a frame runs b sub-steps, and a
// stage asks for the test on n of them, spread evenly. Pure function, any thread.
#pragma once

#include <vector>

// One entry per sub-step (b entries, at least one): 1 when shots are tested on that sub-step.
// n of 0 or less tests on every sub-step. Otherwise, starting at position 0.0 with
// step = b / n, the entry at the truncated position is set and the step added while the truncated
// position stays below b; when fewer than n entries were set that way, the last one is set too.
std::vector<int> BuildSubStepCheck(int nSubSteps, int nChecks);
