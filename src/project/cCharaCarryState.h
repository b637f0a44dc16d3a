// cCharaCarryState: what the save data carries of one player character from one stage to the
// next (record 0 is the hero): the character definition with the carried members, and the
// values that live outside the definition (current HP and SP, the stage's remaining time, the
// lives, the stage music). Which of them are stored and restored is decided per carry group by
// the project settings (cSaveData::StoreCharaStatus).
//
// Stored form: base part raw nHp, nSp, nTime, nLives, nBgm (every version, no strings); then the
// definition as a complete character record.
#pragma once

#include <cstdint>

#include "core/cDataRecord.h"
#include "definitions/cEdChara.h"

class cCharaCarryState : public cDataRecord {
public:
    cEdChara Chara;           // the carried definition members (carry groups 0-10, 13-21)
    std::int32_t nHp = 0;     // group 11: HP at the store
    std::int32_t nSp = 0;     // group 12: SP at the store
    std::int32_t nTime = 0;   // group 22: the stage's remaining time, seconds
    std::int32_t nLives = 0;  // group 23
    std::int32_t nBgm = 0;    // group 24: Bgm database index

    // Registers for nDataVersion; a new character definition, every value 0.
    cCharaCarryState();
    cCharaCarryState(const cCharaCarryState&) = default;
    cCharaCarryState& operator=(const cCharaCarryState&) = default;

    void RegisterMembers(int nVersion) override;
    // The base part, then the definition. 1, or 0 when the data do not fit.
    int Load(FILE* fp) override;
    // The base part, then the definition. 1, or 0 when a write failed.
    int Save(FILE* fp) override;
};
