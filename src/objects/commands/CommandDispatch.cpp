#include "objects/commands/CommandDispatch.h"

#include "objects/commands/FlowStageCommands.h"
#include "objects/commands/GraphicsCommands.h"
#include "objects/commands/MoveCommands.h"
#include "objects/commands/ShotCommands.h"
#include "objects/flow/CommandTable.h"

namespace {

enum ACTIONKIND {
    ACTION_WAIT = 1,
    ACTION_STRAIGHT = 2,
    ACTION_PATROL = 3,
    ACTION_CIRCLE = 4,
    ACTION_CHARGE = 5,
    ACTION_HOMING = 6,
    ACTION_STAY_ON_SCREEN = 7,
    ACTION_STOP = 8,
    ACTION_FACING = 9,
    ACTION_JUMP = 10,
    ACTION_WARP = 20,
};

// "ウエイト": the command only lasts its duration.
int WaitCommand(const FLOWCONTEXT&)
{
    return 0;
}

}  // namespace

void InstallActionCommands()
{
    CommandFuncTable::Register(ACTION_WAIT, WaitCommand);
    CommandFuncTable::Register(ACTION_STRAIGHT, StraightMoveCommand);
    CommandFuncTable::Register(ACTION_PATROL, PatrolMoveCommand);
    CommandFuncTable::Register(ACTION_CIRCLE, CircleMoveCommand);
    CommandFuncTable::Register(ACTION_CHARGE, ChargeMoveCommand);
    CommandFuncTable::Register(ACTION_HOMING, HomingMoveCommand);
    CommandFuncTable::Register(ACTION_STAY_ON_SCREEN, StayOnScreenCommand);
    CommandFuncTable::Register(ACTION_STOP, StopMoveCommand);
    CommandFuncTable::Register(ACTION_FACING, FacingCommand);
    CommandFuncTable::Register(ACTION_JUMP, JumpCommand);
    CommandFuncTable::Register(ACTION_WARP, WarpCommand);
    InstallShotCommands();
    InstallFlowStageCommands();
    InstallGraphicsCommands();
}
