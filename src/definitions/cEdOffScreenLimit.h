// cEdOffScreenLimit: how far outside the visible screen an object may be before stage play
// removes it. A stage holds five: [0] characters of normal size, [1] characters whose definition
// fills the whole cell, [2] items, [3] shots of the player's side, [4] shots of the computer's.
//
// In a file: the base part only: from version 125 the eight members below in their order; older
// files hold m_bLeft and the four margins (the other three flags keep their values).
#pragma once

#include <cstdint>

#include "core/cDataRecord.h"

class cEdOffScreenLimit : public cDataRecord {
public:
    std::int32_t m_bLeft = 0;    // the rule applies on the left side
    std::int32_t m_bRight = 0;   // ... on the right side
    std::int32_t m_bTop = 0;     // ... at the top
    std::int32_t m_bBottom = 0;  // ... at the bottom
    std::int32_t m_nLeft = 0;    // margins outside the screen, in 32-pixel tiles
    std::int32_t m_nRight = 0;
    std::int32_t m_nTop = 0;
    std::int32_t m_nBottom = 0;

    // All eight members 0, registered for the current data version.
    cEdOffScreenLimit();

    // The members a file of version nVersion holds (see above).
    void RegisterMembers(int nVersion) override;
    // Assigns the four side flags and the four margins, in the order of the members.
    void Set(int bLeft, int bRight, int bTop, int bBottom, int nLeft, int nRight, int nTop, int nBottom);

    // 1 when an object with the rectangle (left, top, right, bottom) in field pixels is outside:
    // beyond the margin of a side whose flag is set, with the camera's top-left corner at (cx, cy)
    // and a 640 x 480 screen; or, whatever the flags, touching the field's edge (left <= 0,
    // top <= 0, right >= nFieldRight - 1, bottom >= nFieldBottom - 1, the bounds being 640 plus
    // the stage's m_nFieldWidthPx and m_nFieldHeightPx). Stage play applies it every frame to
    // the objects that are not exempt.
    int IsOutside(int left, int top, int right, int bottom, int cx, int cy, int nFieldRight, int nFieldBottom) const;
};
