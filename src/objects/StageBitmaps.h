// The stage's own bitmap caches, one pair of surface records and definitions per database table:
// the character sheets of Bmp_CharaExc (four surfaces per entry from entry 1: plain, mirrored by
// frames, and two system-memory mirrored copies), the swords of SwordType (four per entry from
// entry 0: right, left, and their system-memory copies) and the effects of Effect (two per entry
// from entry 1: video and system memory). The stage-play screen loads them when it starts and
// releases them when it loads them again; the drawing of characters, swords and effects reads
// them. A surface whose bitmap failed to load stays empty (width 0). Game thread.
#pragma once

#include "graphics/DDSurfaceVec.h"

struct STAGEBITMAPS {
    DDSurfaceVec BmpCharaExc;
    DDSurfaceInfoVec BmpCharaExcInfo;
    DDSurfaceVec SwordType;
    DDSurfaceInfoVec SwordTypeInfo;
    DDSurfaceVec Effect;
    DDSurfaceInfoVec EffectInfo;
};

extern STAGEBITMAPS StageBitmaps;
