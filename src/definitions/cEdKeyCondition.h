// cEdKeyCondition: one step of a flow's key sequence, a test of the player's input controller.
// Each of the 19 entries of m_KeyFlag tests one press log of the controller: entries 0-9 the
// direction word (0 none, 1 left, 2 right, 3 up, 4 down, 5 up-left, 6 down-left, 7 up-right,
// 8 down-right, exact matches; 9 any direction), 10 no button, 11-18 buttons 1-8. An entry holds
// 0 (not tested), 1 "pressed" or 2 "released". The game objects do the matching.
//
// In a file: the five raw members, then int32 n and n entry bytes.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/cDataRecord.h"
#include "core/cVector.h"

class cEdKeyCondition : public cDataRecord {
public:
    // Entries every key condition holds after a load: the 19 press logs of the controller.
    static constexpr int kKeyCount = 19;

    std::int8_t m_bFacingRelative = 0;  // 1: left/right entries follow the owner's facing
    std::int16_t m_nMinFrames = 0;      // a "pressed" entry holds for a hold of these frames
    std::int16_t m_nMaxFrames = 0;
    std::int8_t m_bAnyLength = 0;     // 1: a "pressed" entry holds for any hold of 1 frame or more
    std::int8_t m_nKeyMode = 0;       // 0 all tested entries, 1 at least one, 2 exactly one
    cVector<std::uint8_t> m_KeyFlag;  // per entry: 0 "--", 1 "押", 2 "離"

    // A new key condition: Reset.
    cEdKeyCondition();

    // The five raw members; the same in every version.
    void RegisterMembers(int nVersion) override;
    // Raw members 0 and m_KeyFlag exactly kKeyCount zero entries.
    void Reset();
    // Base part, then the entry count (checked against the file) and the entries. A shorter
    // stored vector is padded with 0 (not tested) to kKeyCount, so every entry the matcher reads
    // exists; a longer one is kept. 1, or 0 when the record does not fit the file.
    int Load(FILE* fp) override;
    // Base part, count and entries. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

private:
    // The entry count and the entries. 1, or 0 when the file cannot hold them.
    int LoadKeyFlags(FILE* fp);
};
