// cEffectObj: an animation of the Effect database played once at a place of the field -- made by
// the effect command at a chosen place and size, and by hits between two boxes. The stage keeps
// them in its effect list and draws them every frame (EffectObjDraw.h); one ends when its
// animation is over. Game thread.
#pragma once

#include <cstdint>

#include "objects/effect/cPatternAnime.h"

class cEffectObj {
public:
    // What NextFrame returns when the effect is over.
    static constexpr int kOver = -4;

    std::int32_t number = 0;  // Effect database entry (its low 16 bits)
    double x = 0.0;           // top-left, world pixels
    double y = 0.0;
    std::int32_t width = 0;  // drawn size
    std::int32_t height = 0;
    std::int32_t stretched = 0;      // 1: drawn at another size than the entry's cells
    cPatternAnime anime;             // pattern 0: the entry's frames
    std::int32_t keepAdvancing = 0;  // 1: advances even while the play is paused

    // The effect command's object: stretched when the entry's cell width differs from nWidth.
    cEffectObj(int nNumber, double dX, double dY, int nWidth, int nHeight, int bKeepAdvancing);
    // A hit between two boxes (left, top, right, bottom): centred on their overlap (around (0, 0)
    // when they do not overlap), scaled by the size factor k when the entry scales with its
    // attacker, and moved by a random jitter of up to 4 x m pixels each way.
    cEffectObj(int nNumber, const double a[4], const double b[4], int k);

    // Entry nNumber's frame pattern becomes the only pattern, started with force.
    void SetEffect(int nNumber);
    // The cell column to draw in this frame: a step of the animation unless paused (or kept
    // advancing), else the current one. kOver when the entry has no frames or its animation
    // has ended.
    int NextFrame(int bPaused);
};
