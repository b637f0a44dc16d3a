// A sound effect of the Sound database: entry k (k >= 1) is sound number k + 16 of the sound
// table; entry 0 gives no sound.
#pragma once

#include "project/cDbMediaEntry.h"

class cDbSound : public cDbMediaEntry {
public:
    cDbSound() = default;
    cDbSound(const cDbSound&) = default;
    cDbSound& operator=(const cDbSound&) = default;
};
