// A screen effect of the ScrEffect database: a transformation of the whole 640 x 480 picture
// (move, shake, split, wave, blink, rotation, circle, zoom, lens, mosaic; kinds 1..13 of the
// screen-effect parameter table).
#pragma once

#include "project/cDbParamEffect.h"

class cDbScrEffect : public cDbParamEffect {
public:
    cDbScrEffect() = default;
    cDbScrEffect(const cDbScrEffect&) = default;
    cDbScrEffect& operator=(const cDbScrEffect&) = default;

    // The base part; then, for files up to version 510, the coarseness of kinds 6 and 7 (p5) and
    // of kind 10 (p4) is set to the parameter table's default, whatever the file held.
    int Load(FILE* fp) override;
};
