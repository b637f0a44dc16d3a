#include "CommandTestSupport.h"

#include "definitions/cEdStage.h"
#include "objects/commands/CommandDispatch.h"
#include "objects/commands/CommandSetup.h"
#include "objects/flow/CommandTable.h"
#include "objects/flow/FlowRuntime.h"

cCommandTestStage::cCommandTestStage(int nSpeedLevel, double fGravity)
{
    Stage.m_dGravity = fGravity;
    Stage.SetSpeedLevel(nSpeedLevel);
    lpStageField = &field;
    field.m_ScrollX.Setup(0, kTilesX, 1 << kPitchShift, kPitchShift);
    field.m_ScrollY.Setup(1, kTilesY, kTilesY + 20, 0);
    field.m_ScrollX.SetLimit(0, 0, 0, 0);
    field.m_ScrollY.SetLimit(0, 0, 0, 0);
    field.m_ScrollX.dPos = field.m_ScrollX.nStageMin;
    field.m_ScrollY.dPos = field.m_ScrollY.nStageMin;
    ResetStageObjects();
    StageMap.resize((kTilesY + 20) << kPitchShift);
    for (MAPCELL& cell : StageMap) cell.m_nHitKind = 0;
    InstallActionCommands();
}

cCommandTestStage::~cCommandTestStage()
{
    CommandFuncTable::Clear();
    ResetStageObjects();
    lpStageField = nullptr;
    Stage.m_dGravity = 0.4;
    Stage.SetSpeedLevel(10);
}

cChara& cCommandTestStage::AddChara(double x, double y, int bFlying, int nFacing)
{
    CharaList.emplace_back();
    cChara& c = CharaList.back();
    c.def.m_nDirectionFix = 0;
    c.def.m_nFlying = static_cast<std::int8_t>(bFlying ? 1 : 0);
    c.cGameObject::Init(cGameObject::INITVALUES{.nValue2 = 1,
                                                .nFaction = 1,
                                                .nHitWidth = 32,
                                                .nHitHeight = 32,
                                                .nGfxWidth = 32,
                                                .nGfxHeight = 32,
                                                .nFacing = nFacing,
                                                .nFlightKind = bFlying ? 1 : 0});
    c.source = 100;
    c.x = x;
    c.y = y;
    c.ClampToStageX(2);
    c.ClampToStageY(2);
    c.CalcScreenRect();
    c.airborne = 0;
    owner.chara = &c;
    return c;
}

cPlayer& cCommandTestStage::SetupHero(double x, double y)
{
    cPlayer& hero = Player[P1];
    hero.def.m_nDirectionFix = 0;
    hero.cGameObject::Init(cGameObject::INITVALUES{
        .nSource = 1, .nHitWidth = 32, .nHitHeight = 32, .nGfxWidth = 32, .nGfxHeight = 32, .nFacing = 1});
    hero.source = 1;
    hero.x = x;
    hero.y = y;
    hero.canJump = 1;
    hero.ClampToStageX(1);
    hero.ClampToStageY(1);
    hero.CalcScreenRect();
    return hero;
}

void cCommandTestStage::SetSolid(int nColumn, int nRow)
{
    StageMap[nColumn + (nRow << kPitchShift)].m_nHitKind = 1;
}

cEdCommand cCommandTestStage::MakeCommand(int nKind, int nTenths, bool bMove)
{
    cEdCommand command;
    command.m_nKind = static_cast<std::int8_t>(nKind);
    command.m_nTime = static_cast<std::int16_t>(nTenths);
    command.ResizeParam(20);
    if (bMove) {
        command.NewMove();
        cEdMove& move = *command.m_lpMove;
        // No mirroring, no goal axes, no turning with the facing: each test sets what it uses.
        move.m_bMirrorAngle = move.m_bMirrorX = move.m_bFollowFacing = 0;
        move.m_bUseX = move.m_bUseY = 1;
        move.m_bArriveEnds = 0;
    }
    return command;
}

COMMANDINSTANCE& cCommandTestStage::Give(cCharaBase& chara, const cEdCommand& command)
{
    owner.chara = &chara;
    const int n = owner.AddFlow(0, {TESTCOMMAND{command.m_nKind, 1, 0}});
    owner.defs[n].m_Command[0] = command;
    cFlowRuntime::RelinkFlows(owner);
    COMMANDINSTANCE& inst = owner.state.flows[n].commands[0];
    SetupCommandInstance(inst, owner.defs[n].m_Command[0], chara, chara.facing);
    cFlowRuntime::Start(owner, n);
    return inst;
}

int cCommandTestStage::SubStep()
{
    cCharaBase& c = *owner.chara;
    c.vx = 0.0;
    if (c.noGravity) c.vy = 0.0;
    c.movedThisFrame = 0;
    c.moveStopped = 0;
    c.decayX = c.decayY = 1;
    cFlowRuntime::StepFlows(owner, false);
    c.ApplyGravity();
    c.MoveStepX();
    c.MoveStepY();
    c.CalcScreenRect();
    return owner.state.flows.empty() ? 0 : owner.state.flows[0].running;
}
