// The item-command table: the handler of every item-command kind 0..21, called with the player
// and the command's definition when the player takes an item (or an item get runs an item's
// list). Kind 1 "フローの変更" is the items' own command; kinds 2..21 run the bodies of the action
// kinds 17..36. The kind byte comes from a stage file, so the index is range-checked: a kind
// outside the table acts as kind 0 (nothing, result 0) and is logged once. Handlers are
// registered by the command families; a kind without a handler does nothing. Game thread only.
#pragma once

#include "core/cVector.h"
#include "definitions/cEdCommand.h"

class cPlayer;

// An item command's handler; a non-zero result ends the item's list and becomes its result.
using ItemCommandHandler = int (*)(cPlayer& player, const cEdCommand& command);

class ItemCommandFuncTable {
public:
    static constexpr int kKindCount = 22;

    // Installs (or with nullptr removes) the handler of nKind; 0 for a kind outside 0..21.
    static int Register(int nKind, ItemCommandHandler handler);
    // Runs the handler of nKind; 0 when there is none.
    static int Run(int nKind, cPlayer& player, const cEdCommand& command);
    // Removes every handler (tests).
    static void Clear();
};

// Registers the item commands that are built. Calling it again changes nothing.
void InstallItemCommands();

// cPlayer::RunItemCommands: runs an item's command list on the player in order and stops at the
// first non-zero result, which it returns (1 a stage clear); otherwise 2 when the player's HP is
// below 1 afterwards, else 0. The stage's item-message flag is cleared first. Lists nested
// through item gets deeper than kMaxItemGetDepth are refused (0) and logged.
int RunItemCommands(cPlayer& player, const cVector<cEdCommand>& commands);

// "フローの変更" (player, definition, runNow): while the player's own flows run and runNow is 0 the
// command is kept in the player's deferred list; otherwise parameter 0 adds (0), changes (1) or
// deletes (2) the hero's flows of ID parameter 1 (0: every flow) with the command's flow list.
int FlowChangeCommand(cPlayer& player, const cEdCommand& command, int runNow);
// After the player's flows of a sub-step: the deferred flow changes run (runNow 1) and the list
// is emptied.
void RunPendingItemCommands(cPlayer& player);

// The item-message flag: set after an item's first message, so that its later messages open
// without the window animation and sound.
int ItemMessageFlag();
void SetItemMessageFlag(int bFlag);
