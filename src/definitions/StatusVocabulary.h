// The statuses and flags that conditions test and the status commands change: for each its name,
// the range of its value and of a change applied to it, and for the flags their value names.
// Fixed tables built on first use (Shift-JIS names); the limits are those under which the values
// are entered, the running side clamps by its own rules.
#pragma once

#include <string>

#include "core/cVector.h"

struct STATUSINFO {
    std::string strName;
    int nMin = 0;  // value range
    int nMax = 0;
    int nChangeMin = 0;  // range of a change
    int nChangeMax = 0;
};

struct FLAGINFO {
    std::string strName;
    int nMin = 0;  // value range
    int nMax = 0;
    int nDefault = 0;
    cVector<std::string> ValueNames;  // the name of each value from nMin up
};

// Statuses 0-14 of a character (subjects "自分" and "ターゲット"). 1 HP and 2 SP are the two that
// can be given as a percentage of the maximum.
const cVector<STATUSINFO>& CharaStatusList();
// Statuses 0-4 of the subject "システム": time, scroll speeds, score, lives.
const cVector<STATUSINFO>& SystemStatusList();
// Flags 0-6 of a character. With the subject "システム" flags 0 and 1 are instead the stage's
// horizontal and vertical automatic scrolling switches (no names).
const cVector<FLAGINFO>& FlagList();
