// The drawing of a character through its running character effect: one handler per effect kind
// (0..16) in a range-checked table, each drawing the character transformed by the effect's
// current value and then advancing the effect once. This is the character drawing's single entry
// point for the effects. Game thread, during a frame.
#pragma once

#include "graphics/DDSurfaceData.h"
#include "objects/chara/CHARAGRAPHIC.h"
#include "objects/chara/cCharaBase.h"

// Draws chara at its screen rectangle (screenLeft, screenTop, gfxWidth x gfxHeight) onto target
// through the handler of its running effect's kind (no effect, number 0: the plain blit), then,
// unless bPaused, advances the effect. With bDraw 0, or without a target or graphic, it only
// advances. A kind outside 0..16 acts as kind 0 and is logged once. When the effect ends, the
// character's effect number becomes 0. Returns 1 when the effect ended in this call.
int DrawCharaEffect(cCharaBase& chara, DDSURFACEDATA* target, const CHARAGRAPHIC* graphic, int bPaused, int bDraw);

// Whether the character counts as enlarged for the effects: with cells of the sheet's own scale
// when its size factor differs from that scale, else when its size factor is above 1.
bool IsCharaEnlarged(const cCharaBase& chara, const CHARAGRAPHIC& graphic);
