// The objects of the running stage that live outside the stage-play screen: the player, the stage
// characters and the block map. The stage set-up fills them at every start of play; the play step
// and the objects' own operations change them. Game thread (and a nested wait loop while the game
// thread waits for it).
#pragma once

#include <list>

#include "core/cVector.h"
#include "objects/MapCell.h"
#include "objects/ObjectRef.h"
#include "objects/chara/cChara.h"
#include "objects/chara/cPlayer.h"
#include "objects/item/cItem.h"

// Index of the hero of the running stage in Player.
constexpr int P1 = 0;

// The players: one element, the hero, set up anew at every stage start. The stage's faction
// groups point into it, so it is resized only while they are empty.
extern cVector<cPlayer> Player;
// The stage characters, owned by the list (nodes never move, so the faction groups may point at
// them until EraseChara unlinks them).
extern std::list<cChara> CharaList;
// The items lying in the stage, owned by the list.
extern std::list<cItem> ItemList;
// The block map, one cell per field cell (see MAPCELL).
extern cVector<MAPCELL> StageMap;

// Empties the characters, the items and the map and leaves one default player: the state before
// any stage.
void ResetStageObjects();

// The player or stage character with object number nSource; null when none exists (any more).
cCharaBase* FindCharaBySource(int nSource);
// The character a reference names, or null (also for references to other kinds).
cCharaBase* FindChara(const OBJECTREF& ref);
// The player or the stage character whose object number is nSource (the player searched first):
// the owner of a sword, the anchor of a text object. Null when none exists.
cCharaBase* FindObjectBySource(int nSource);

// The cell at a field cell position, or null outside the map.
MAPCELL* MapCellAt(int nColumn, int nRow);
// The cell with the given index, or null outside the map.
MAPCELL* MapCellByIndex(int nIndex);
