// The faction groups of a collision walk, each as its members in list order with a grid over the
// box the walk tests, so that an object meets only the members near it. Game thread.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "objects/cStageField.h"
#include "stage/collision/cBoxGrid.h"

class cCharaBase;

// One faction group as a walk sees it. members holds every character of the group in list order;
// only those taking part are in the grid, by their index in members.
struct FACTIONGRID {
    std::vector<cCharaBase*> members;
    std::vector<GRIDBOX> boxes;
    std::vector<std::uint8_t> taking;
    cBoxGrid grid;
    bool built = false;
};

// The groups of one phase of the collision between factions. A walk marks them stale when
// something it started may have moved, added or changed characters (a death runs the death flows,
// an item runs its commands); each group is then gathered again before its next use.
struct GROUPGRIDS {
    std::array<FACTIONGRID, cStageField::kFactionCount> groups;
    std::vector<int> candidates;  // the current query's answer
    bool stale = false;

    // Forgets every gathering (the start of a phase, or after stale was set).
    void Reset()
    {
        for (FACTIONGRID& g : groups) {
            g.built = false;
        }
        stale = false;
    }
};
