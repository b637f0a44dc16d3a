// A character effect of the CharaEffect database: a transformation of a character's drawing
// (burst, split, wave, blink, rotation, circle, zoom, lens, colour change, translucency, mosaic,
// blur; kinds 1..16 of the character-effect parameter table).
#pragma once

#include "project/cDbParamEffect.h"

class cDbCharaEffect : public cDbParamEffect {
public:
    cDbCharaEffect() = default;
    cDbCharaEffect(const cDbCharaEffect&) = default;
    cDbCharaEffect& operator=(const cDbCharaEffect&) = default;

    // The base part; then, for files up to version 510, the coarseness of kinds 4 and 5 (p5) and
    // of kind 10 (p4) is set to the parameter table's default, whatever the file held.
    int Load(FILE* fp) override;
};
