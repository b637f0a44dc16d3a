// The screen effects: the whole 640 x 480 picture the stage drawing has composed in the back
// buffer, moved, shaken, split, waved, blinked, rotated, cut to a circle, zoomed, bent through a
// lens or pixelated by the running screen effect. One handler per kind (0..13) in a
// range-checked table. The stage drawing's entry point, once per frame after the frame is
// composed. Game thread.
#pragma once

#include <functional>

#include "objects/cStageField.h"

// Kinds of the screen effects.
constexpr int kScrEffectKindCount = 14;

// Nothing without a running screen effect; otherwise the handler of its entry's kind (a kind
// outside 0..13 acts as kind 0 and is logged once) transforms the back buffer and, unless
// bDrawOnly, advances the run. When the run has ended, its number becomes 0 and the virtual back
// buffer is switched off. 1 when the effect ended in this call. redrawBackgrounds draws the
// stage's backgrounds over the frame (the blink effect's dark phase); may be empty.
int DrawScrEffect(cStageField& field, int bDrawOnly, const std::function<void()>& redrawBackgrounds = {});
