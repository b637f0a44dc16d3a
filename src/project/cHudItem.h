// One item of the status bar at the top of the stage screen (total score, stage score, hit-point
// gauge, special-point gauge, lives, by index 0 to 4).
//
// Stored form inside a settings list, by the file's version: raw bVisible, bIcon; string
// strLabel; raw nDigits; from 204 raw bShowValue; from 587 raw nWarnValue, bWarnPercent. The raw
// order in a file (bVisible, bIcon, nDigits, bShowValue, nWarnValue, bWarnPercent) is not the
// declaration order.
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"

class cHudItem : public cDataRecord {
public:
    std::int32_t bVisible = 0;      // the item is shown
    std::int32_t bIcon = 0;         // non-zero: the item's 16 x 16 icon in place of strLabel
    std::string strLabel;           // Shift-JIS label, 16 pixels per character
    std::int32_t bShowValue = 0;    // gauges: also print the current value over the gauge
    std::int32_t nDigits = 0;       // numbers: width kept for the number, in 16-pixel characters
    std::int32_t nWarnValue = 0;    // gauges: low-value threshold, absolute or per cent
    std::int32_t bWarnPercent = 0;  // 0: nWarnValue is absolute; non-zero: a percentage of the maximum

    // Registers for nDataVersion. Every field starts at 0 and the label empty: items appended to
    // a short list by the settings upgrade are read with these values.
    cHudItem();
    cHudItem(const cHudItem&) = default;
    cHudItem& operator=(const cHudItem&) = default;

    void RegisterMembers(int nVersion) override;
    // The base part; a file older than 204 does not store bShowValue, which becomes 1 (the value
    // was always shown then). nWarnValue and bWarnPercent keep their values when the file is
    // older than 587. 0 when the data do not fit the file.
    int Load(FILE* fp) override;
};
