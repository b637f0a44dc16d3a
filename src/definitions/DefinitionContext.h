// What the definitions need to know about the rest of the game while they are read and repaired:
// the entry counts of the ten database tables, the run time of every sword type, and the two
// switches that decide whether test-play-only flows are kept.
//
// The definitions sit below the project data, so they never look at the databases or the project
// settings themselves. The start-up fills DefinitionContext once the databases and the project
// settings are loaded and before the first definition (the common palette, a stage) is read;
// afterwards it is only read. Tests fill it directly.
#pragma once

#include <array>
#include <cstdint>

#include "core/cVector.h"

// The database tables, in the order the start-up reads them.
enum DATABASETABLE {
    DB_ANIMESET,
    DB_ANIME,
    DB_BMP_CHARAEXC,
    DB_SWORDTYPE,
    DB_EFFECT,
    DB_CHARAEFFECT,
    DB_SCREFFECT,
    DB_PICTURE,
    DB_SOUND,
    DB_BGM,
    DB_TABLECOUNT
};

struct DEFINITIONCONTEXT {
    // Number of entries of each table, indexed by DATABASETABLE. 0 until the start-up fills it:
    // every database index a definition holds is then repaired to 0 (none).
    std::array<int, DB_TABLECOUNT> nTableCount{};
    // Per SwordType entry: the sum of the nTime values of its frames (any size; the sword
    // command's repair limits it). Entry i belongs to SwordType entry i.
    cVector<std::int64_t> SwordTypeTime;
    // 1 when the editor started the program for a test play (the shell's TestPlayMode).
    int bTestPlayMode = 0;
    // The project setting that keeps test-play-only flows outside test play.
    int bKeepTestPlayFlows = 0;

    // Entries of table t; 0 for a t outside the enumeration.
    int Count(int t) const;
    // Run time of sword type nIndex; 0 when SwordTypeTime has no such entry.
    std::int64_t SwordTime(int nIndex) const;
    // 1 when flows flagged test-play-only are removed while reading: outside test play and
    // without the keep setting.
    int RemovesTestPlayFlows() const;
};

// Filled by the start-up (see above); read by every definition load and repair.
extern DEFINITIONCONTEXT DefinitionContext;
