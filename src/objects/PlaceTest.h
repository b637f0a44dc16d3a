// Whether a character may stand where it is: the place test of the warp and of summoned
// characters. Game thread only.
#pragma once

class cCharaBase;

// 0 for a character that passes blocks; 1 when a block under a corner of its hit box stops it;
// 1 when its hit box overlaps (edges touching count) a live, active block character other than
// itself; else 0.
int IsPlaceBlocked(const cCharaBase& chara);
