// The parameter vocabulary of the character effects and screen effects: for every kind its
// name and five parameter descriptors (name, minimum, maximum, default). Fixed data shared with
// the editor; the player reads only the defaults, when old CharaEffect and ScrEffect files are
// upgraded.
#pragma once

#include <cstdint>
#include <string>

#include "core/cVector.h"

// One named parameter of an effect, shot launch or shot homing kind. A kind without that
// parameter has the empty name and 0, 0, 0. The range is 16-bit signed, the default 32-bit.
struct PARAMDESC {
    std::string strName;  // Shift-JIS
    std::int16_t nMin = 0;
    std::int16_t nMax = 0;
    std::int32_t nDefault = 0;

    PARAMDESC() = default;
    // szName may be null (stored as the empty text).
    PARAMDESC(const char* szName, std::int16_t min, std::int16_t max, std::int32_t def);
};

// Parameters per kind in both effect tables (the five int parameters of an entry).
constexpr int kEffectParamCount = 5;
// Kinds 0 (none) to 16 of the character effects, 0 (none) to 13 of the screen effects.
constexpr int kCharaEffectKinds = 17;
constexpr int kScrEffectKinds = 14;

// The descriptor tables, kind x kEffectParamCount + parameter index (0 = p1). Built on first
// use; never changed afterwards.
const cVector<PARAMDESC>& CharaEffectParamTable();
const cVector<PARAMDESC>& ScrEffectParamTable();

// Kind names, index 0 = kind 1, ended by an empty text (Shift-JIS).
const cVector<std::string>& CharaEffectKindNames();
const cVector<std::string>& ScrEffectKindNames();
// The speed notes of the kinds, index 0 = kind 1, ended by an empty text: two lines joined by a
// line feed, the note with Direct3D and the note without it (Shift-JIS).
const cVector<std::string>& CharaEffectSpeedNotes();
const cVector<std::string>& ScrEffectSpeedNotes();

// Parameters per kind of the shot launch (formation) and homing (flight) kinds, and their kinds.
constexpr int kShotParamCount = 3;
constexpr int kShotLaunchKinds = 6;
constexpr int kShotHomingKinds = 10;
// The shot kinds' descriptors as one table each, kind x kShotParamCount + parameter index: the
// same descriptors as the definitions' kind tables (ShotKindTable, AimKindTable). Built on first
// use; never changed afterwards.
const cVector<PARAMDESC>& ShotLaunchParamTable();
const cVector<PARAMDESC>& ShotHomingParamTable();

// The default of parameter nParam (0 = p1 .. 4 = p5) of a kind; 0 for a kind or parameter
// outside the table. Read by the upgrade of old CharaEffect and ScrEffect entries.
int CharaEffectParamDefault(int nKind, int nParam);
int ScrEffectParamDefault(int nKind, int nParam);
