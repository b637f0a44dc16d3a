// The block characters of a character list, in list order, so that the collision walks of every
// object in every sub-step visit only them instead of the whole list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <vector>

#include "objects/chara/cChara.h"

// Whether a character is a block character is fixed by its definition when it is made, so the
// gathered pointers stay right until a character joins or leaves the list. Those changes are
// counted by the routines that make and erase characters (cStageField::m_nCharaListEdits); the
// gathering is kept only while a play sub-step holds the index, where all list changes go through
// them. Outside a hold each request gathers afresh. Game thread.
class cBlockCharaIndex {
public:
    // Keeps the gathering between requests while alive (a play sub-step).
    class cHold {
    public:
        explicit cHold(cBlockCharaIndex& index);
        ~cHold();
        cHold(const cHold&) = delete;
        cHold& operator=(const cHold&) = delete;

    private:
        cBlockCharaIndex& m_Index;
    };

    // The characters of list whose definition makes them block characters (active or not), in
    // list order. nEdits: the list's change count now. Valid until the list next changes; do
    // not make or erase characters while walking it.
    const std::vector<cChara*>& Of(std::list<cChara>& list, std::uint32_t nEdits);

private:
    std::vector<cChara*> m_Charas;
    const std::list<cChara>* m_pList = nullptr;
    std::size_t m_nSize = 0;
    std::uint32_t m_nEdits = 0;
    bool m_bHeld = false;
    bool m_bKept = false;  // m_Charas may be handed out again
};
