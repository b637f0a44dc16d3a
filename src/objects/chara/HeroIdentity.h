// Who is the hero: an identity test against the player object of the running stage, never a
// test of the operator byte (a stage character may be player-operated too). Whether an object is
// computer-operated is cCharaBase::IsComputer. Game thread only.
#pragma once

#include "objects/StageObjects.h"

// The hero of the running stage, or null when there is none.
inline cPlayer* Hero()
{
    return Player.empty() ? nullptr : &Player[P1];
}

// 1 when chara is the hero itself.
inline bool IsHero(const cCharaBase& chara)
{
    return !Player.empty() && &chara == static_cast<const cCharaBase*>(&Player[P1]);
}
