// The statuses the expression language of the "run code" command names: 22 character statuses
// and 5 system statuses, with their storage width and the range an assignment clamps into.
#pragma once

#include <cstdint>

// Character statuses, in the order of the language's name table ("v1" .. "v8", "hp", ... "getsc").
enum CODECHARASTATUS {
    CODE_V1 = 0,  // character variables 1..8 (variable 0 has no name): CODE_V1 + n - 1
    CODE_V8 = 7,
    CODE_HP = 8,
    CODE_SP,
    CODE_MHP,    // maximum HP
    CODE_MSP,    // maximum SP
    CODE_CID,    // character ID
    CODE_Z,      // drawing layer
    CODE_MARK,   // overlay icon number
    CODE_SIGHT,  // sight range in half blocks
    CODE_POWER,  // body attack power
    CODE_IMP,    // body impact
    CODE_DEF,    // defence
    CODE_IMPD,   // impact resistance
    CODE_STOP,   // ease of stopping
    CODE_GETSC,  // score when defeated
    CODE_CHARA_STATUS_COUNT
};

// System statuses.
enum CODESYSSTATUS {
    CODE_TIME = 0,  // the stage's remaining time, 0..999
    CODE_SCRLX,     // horizontal auto-scroll speed setting, -480..480
    CODE_SCRLY,     // vertical auto-scroll speed setting, -480..480
    CODE_SCORE,     // the score of the current stage, 0..999999
    CODE_LIFE,      // the lives of the play, 0..99; 999999 while unlimited
    CODE_SYS_STATUS_COUNT
};

// Lives value that means "unlimited".
constexpr std::int32_t kCodeUnlimitedLives = 999999;

// One status as the language sees it: its name (ASCII), the width of its storage in the
// character (0 for 8-bit, 2 for 16-bit, 4 for 32-bit) and its assignment range. The ranges of
// "hp" and "sp" are [0, the owner's current maximum] and are given here as 0..999999.
struct CODESTATUSINFO {
    const char* szName;
    std::int32_t nWidth;
    std::int32_t nMin;
    std::int32_t nMax;
};

// Entry nStatus of the tables; nullptr outside them.
const CODESTATUSINFO* CodeCharaStatusInfo(int nStatus);
const CODESTATUSINFO* CodeSysStatusInfo(int nStatus);
