// What a block summon asks of the stage, taken by the summon command from its shot parameters and
// the project settings. Game thread.
#pragma once

// Modes of a block summon.
constexpr int BLOCKSUMMON_PLACE = 0;
constexpr int BLOCKSUMMON_ERASE = 1;
constexpr int BLOCKSUMMON_TOGGLE = 2;

struct BLOCKSUMMONPARAMS {
    int nMode = BLOCKSUMMON_PLACE;  // BLOCKSUMMON_*
    int bCancelOnPlayer = 0;        // undo the placing when it would cover the player
    int bCancelOnChara = 0;         // undo it when it would cover an active stage character
    int bProtectAlways = 0;         // the project's setting: a protected cell refuses every summon
};
