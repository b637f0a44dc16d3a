// How one stage object names another that it keeps, compares or links to: by its kind and its
// object number (the source field of cGameObject), never by address, so that a link to an erased
// object finds nothing instead of freed memory, and a new object at the same address is never
// mistaken for an old one.
#pragma once

#include <cstdint>

enum OBJECTKIND : std::int32_t {
    OBJ_NONE = 0,
    OBJ_CHARA = 1,  // the player and the stage characters (numbered by m_nCharaId)
    OBJ_ITEM = 2,   // items (numbered by m_nItemId)
    OBJ_SHOT = 3,   // shots and swords (numbered by m_nShotSerial)
};

struct OBJECTREF {
    std::int32_t nKind = OBJ_NONE;
    std::int32_t nSource = 0;

    bool IsNone() const { return nKind == OBJ_NONE; }
    friend bool operator==(const OBJECTREF&, const OBJECTREF&) = default;
};

inline OBJECTREF CharaRef(std::int32_t nSource)
{
    return OBJECTREF{OBJ_CHARA, nSource};
}
