// One entry of a front-end menu of the project settings (the title menu, the world-map menu and
// the options screen's rows): whether it is offered, and its label.
//
// Stored form inside a settings list (every version): raw bEnabled; string strLabel.
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"

class cMenuItem : public cDataRecord {
public:
    std::int32_t bEnabled = 1;  // non-zero: the entry is offered or shown
    std::string strLabel;       // Shift-JIS text shown for the entry

    // Registers for nDataVersion; an offered entry with an empty label.
    cMenuItem();
    cMenuItem(const cMenuItem&) = default;
    // The base assignment (descriptor tables), then bEnabled and strLabel.
    cMenuItem& operator=(const cMenuItem&) = default;

    void RegisterMembers(int nVersion) override;
};
