// The formation kinds (cEdShot::m_nShotKind) and flight kinds (cEdShot::m_nAimKind) with the
// names, ranges and defaults of their three parameters (m_nKindParam, m_nAimParam). The ranges
// and defaults are the editor's; the player does not clamp stored values to them. Fixed tables
// built on first use (Shift-JIS names).
#pragma once

#include <cstdint>
#include <string>

#include "core/cVector.h"

// One parameter of a kind; a kind without that parameter has the empty name and 0, 0, 0.
struct SHOTPARAMDESC {
    std::string strName;
    std::int16_t nMin = 0;
    std::int16_t nMax = 0;
    std::int16_t nDefault = 0;
};

struct SHOTKINDINFO {
    std::string strName;
    SHOTPARAMDESC Param[3];
};

// Formation kinds 0-5: "直進A", "直進B", "拡散", "落雷", "爆発", "包囲".
const cVector<SHOTKINDINFO>& ShotKindTable();
// Flight kinds 0-9: "直進" .. "落下".
const cVector<SHOTKINDINFO>& AimKindTable();
