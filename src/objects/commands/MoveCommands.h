// The movement, facing, jump and warp commands (action kinds 2 to 10 and 20): one handler per
// kind for the command table, and the warp's body, which the item commands share. A movement
// handler does not move the character: each step it computes a velocity in its command instance
// and adds it through ApplyMove; the play step then moves the character. Only the warp places
// it directly. Game thread only, inside the play step.
#pragma once

#include "objects/flow/FlowContext.h"

class cCharaBase;
class cEdCommand;

// Kinds 2..10 and 20 of the action-command table.
int StraightMoveCommand(const FLOWCONTEXT& ctx);
int PatrolMoveCommand(const FLOWCONTEXT& ctx);
int CircleMoveCommand(const FLOWCONTEXT& ctx);
int ChargeMoveCommand(const FLOWCONTEXT& ctx);
int HomingMoveCommand(const FLOWCONTEXT& ctx);
int StayOnScreenCommand(const FLOWCONTEXT& ctx);
int StopMoveCommand(const FLOWCONTEXT& ctx);
int FacingCommand(const FLOWCONTEXT& ctx);
int JumpCommand(const FLOWCONTEXT& ctx);
int WarpCommand(const FLOWCONTEXT& ctx);

// The warp (character, definition): moves the character by its movement record -- a direction
// and distance, from its target, or to coordinates -- and undoes the move when the new place is
// outside the stage or blocked. nInputDir: the input direction class of the flow that runs it
// (0 for an item command). Returns 0.
int WarpBody(cCharaBase& chara, const cEdCommand& command, int nInputDir);
