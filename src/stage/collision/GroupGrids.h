// The faction groups of the collision walks: for the shots, each group as its members in list
// order with a grid over their shot boxes, so that a shot meets only the members near it; for the
// characters, the touching pairs of characters of different factions, found with one grid over
// every group. Game thread.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
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

// The groups of the phase of shots against characters. A walk marks them stale when
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

// The characters of every faction group at once, for the walk of characters against characters.
// That walk meets, for every two groups i < j, each member of i in list order with the members of
// j it touches in list order. Rather than asking a grid of group j once for every member of i and
// every j, one grid over all the groups finds each member's touching pairs with one query, and
// the pairs are handed out group by group in the walk's order. When a meeting may have moved,
// added or changed characters (stale), the groups are gathered again and the walk goes on after
// the pair it had reached.
struct CONTACTPAIRS {
    static constexpr int kGroups = cStageField::kFactionCount;

    std::vector<cCharaBase*> members;      // group by group, each in list order
    std::vector<GRIDBOX> boxes;            // their body boxes
    std::vector<std::uint8_t> taking;      // 1 for the members that take part in the contacts
    std::array<int, kGroups + 1> first{};  // group g's members are first[g] .. first[g + 1] - 1
    cBoxGrid grid;
    std::vector<int> found;  // the current query's answer
    // For the group whose members are being walked: the touching pairs (member, other) with each
    // later group, by that group, in the walk's order.
    std::array<std::vector<std::pair<int, int>>, kGroups> pairs;
    bool stale = false;

    // The index of chara among group g's members; -1 when it is not one.
    int IndexIn(int g, const cCharaBase* chara) const
    {
        for (int k = first[static_cast<std::size_t>(g)]; k < first[static_cast<std::size_t>(g) + 1]; ++k) {
            if (members[static_cast<std::size_t>(k)] == chara) {
                return k;
            }
        }
        return -1;
    }
};
