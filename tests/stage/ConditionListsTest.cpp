// Condition lists of placed blocks and characters (modes, the once option, the subject a block
// tests) and the movement effects of the block under the hero.
#include "CollisionFixture.h"
#include "definitions/cEdCommand.h"
#include "objects/commands/PlayerJump.h"
#include "objects/flow/CommandInstance.h"
#include "objects/flow/FlowInstance.h"

namespace stagetest {
namespace {

using ConditionListsTest = CollisionFixture;

// Stage variable n == 1.
cEdCondition StageVarIs1(int n)
{
    cEdCondition c;
    c.m_nKind = 2;
    c.m_nIndex = static_cast<std::int16_t>(n);
    c.m_nValue = 1;
    c.m_nCompare = 0;
    return c;
}

TEST_F(ConditionListsTest, ListModesAndTheOnceOption)
{
    struct Case {
        const char* what;
        int mode, once;
        int nConds;  // conditions on stage variables 0 .. n-1
        int var0, var1;
        int want;
    };
    const Case cases[] = {
        {"empty list, mode 0", 0, 0, 0, 0, 0, 1}, {"empty list, mode 1", 1, 0, 0, 0, 0, 1},
        {"mode 0, one false", 0, 0, 2, 1, 0, 0},  {"mode 0, all true", 0, 0, 2, 1, 1, 1},
        {"mode 1, all false", 1, 0, 2, 0, 0, 0},  {"mode 1, one true", 1, 0, 2, 0, 1, 1},
        {"unknown mode", 2, 0, 2, 1, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MAPCELL cell;
        cell.m_nCondMode = static_cast<std::int8_t>(c.mode);
        cell.m_bCondOnce = static_cast<std::int8_t>(c.once);
        for (int i = 0; i < c.nConds; ++i) cell.m_Condition.push_back(StageVarIs1(i));
        Scene().m_StageVar[0] = c.var0;
        Scene().m_StageVar[1] = c.var1;
        EXPECT_EQ(Scene().CheckBlockCond(cell), c.want);
        EXPECT_EQ(cell.nValue, c.nConds > 0 && c.want ? 1 : 0) << "only a walked list that held latches";
    }

    // A block that appeared once stays with the once option and vanishes without it.
    for (int once : {0, 1}) {
        SCOPED_TRACE(once);
        Fresh();
        Solid(15, 16);
        Cell(15, 16).m_bCondOnce = static_cast<std::int8_t>(once);
        Cell(15, 16).m_Condition.push_back(StageVarIs1(0));
        Scene().m_StageVar[0] = 1;
        EXPECT_EQ(IsBlockSolidFor(Cell(15, 16), 0), 1);
        Scene().m_StageVar[0] = 0;
        EXPECT_EQ(IsBlockSolidFor(Cell(15, 16), 0), once);
    }
}

TEST_F(ConditionListsTest, BlocksTestTheHeroAndCharactersThemselves)
{
    cEdCondition own;  // the subject's character variable 0 == 5
    own.m_nKind = 3;
    own.m_nIndex = 0;
    own.m_nValue = 5;
    Solid(15, 16);
    Cell(15, 16).m_Condition.push_back(own);
    cChara& walker = AddBlock(20, 600, 600);
    walker.def.m_bFullCell = 0;
    walker.charaVars.assign(cCharaBase::kCharaVars, 0);
    Hero().charaVars.assign(cCharaBase::kCharaVars, 0);
    Hero().charaVars[0] = 5;
    // Probed for the walker, the block still asks the hero.
    Resize(walker, kW, kH, 1);
    Place(walker, 485, 490);
    walker.vy = 1.0;
    Scene().CollideMapY(walker);
    EXPECT_EQ(walker.LRUD[3], 1);

    // The walker's own list reads its own variables; a list that fails takes it out of play.
    walker.def.m_Condition.push_back(own);
    Scene().UpdateObjectFlags();
    EXPECT_EQ(walker.active, 0);
    walker.charaVars[0] = 5;
    Scene().UpdateObjectFlags();
    EXPECT_EQ(walker.active, 1);
    EXPECT_EQ(walker.flagC, 1);
}

TEST_F(ConditionListsTest, FloorBlockEffectsForOneFrame)
{
    const double u = ScrollUnit();
    const int b = SubStepCount();
    struct Case {
        const char* what;
        int kind, value;
        double vx, ax;
        double wantVx, wantAx;  // after the first sub-step on the block
    };
    const Case cases[] = {
        {"speed change 50 % halves vx", 3, 50, 4.0, 0.5, 2.0, 0.5},
        {"conveyor left by 10 tenths", 4, 10, 0.0, 0.5, -1.0 / u, 0.0},
        {"conveyor left keeps a leftward inertia", 4, 10, 0.0, -0.5, -1.0 / u, -0.5},
        {"conveyor right by 10 tenths", 5, 10, 0.0, -0.5, 1.0 / u, 0.0},
        {"no effect", 0, 10, 3.0, 0.5, 3.0, 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        Solid(15, 16);
        Cell(15, 16).m_nTouchKind = static_cast<std::int8_t>(c.kind);
        Cell(15, 16).m_nTouchValue = c.value;
        cPlayer& p = Hero();
        p.floorCell = layout.Cell(15, 16);
        p.floorEffectTimer = 0;
        p.vx = c.vx;
        p.ax = c.ax;
        EXPECT_EQ(Scene().ApplyFloorBlockEffect(p), 0);
        EXPECT_DOUBLE_EQ(p.vx, c.wantVx);
        EXPECT_DOUBLE_EQ(p.ax, c.wantAx);
        if (c.kind == 0) continue;
        // The effect lasts the frame's sub-steps; at its end a resting hero is pressed down by 1.
        EXPECT_EQ(p.floorEffectTimer, b - 1);
        for (int i = 1; i < b; ++i) Scene().ApplyFloorBlockEffect(p);
        EXPECT_EQ(p.floorEffectTimer, 0);
        EXPECT_DOUBLE_EQ(p.vy, 1.0);
    }

    // Halving on each of the frame's sub-steps.
    Fresh();
    Solid(15, 16);
    Cell(15, 16).m_nTouchKind = 3;
    Cell(15, 16).m_nTouchValue = 50;
    cPlayer& p = Hero();
    p.floorCell = layout.Cell(15, 16);
    p.floorEffectTimer = 0;
    p.vx = 8.0;
    for (int i = 0; i < b; ++i) Scene().ApplyFloorBlockEffect(p);
    EXPECT_DOUBLE_EQ(p.vx, 8.0 / (1 << b));

    // A passable cell or a flying hero does nothing.
    Fresh();
    Cell(15, 16).m_nTouchKind = 3;
    Cell(15, 16).m_nTouchValue = 50;
    p.floorCell = layout.Cell(15, 16);
    p.vx = 8.0;
    Scene().ApplyFloorBlockEffect(p);
    Solid(15, 16);
    p.noGravity = 1;
    Scene().ApplyFloorBlockEffect(p);
    EXPECT_DOUBLE_EQ(p.vx, 8.0);
    EXPECT_EQ(p.floorEffectTimer, 0);
}

TEST_F(ConditionListsTest, JumpPadAndNoJumpBlocks)
{
    cPlayer& p = Hero();
    Solid(15, 16);
    Cell(15, 16).m_nTouchKind = 2;
    p.floorCell = layout.Cell(15, 16);
    Scene().ApplyFloorBlockEffect(p);
    EXPECT_EQ(p.floorNoJump, 1);
    Scene().ApplyFloorBlockEffect(p);
    EXPECT_EQ(p.floorNoJump, 1) << "stays while it stands there";
    Solid(16, 16);
    p.floorCell = layout.Cell(16, 16);
    Scene().ApplyFloorBlockEffect(p);
    EXPECT_EQ(p.floorNoJump, 0) << "the first solid block of another kind clears it";

    // A jump pad of level 0x106 uses its low byte: 6 half blocks.
    Cell(16, 16).m_nTouchKind = 1;
    Cell(16, 16).m_nTouchValue = 0x106;
    p.canJump = 1;
    RecordedSounds().clear();
    Scene().ApplyFloorBlockEffect(p);
    EXPECT_DOUBLE_EQ(p.vy, p.CalcJumpSpeed(6));
    EXPECT_LT(p.vy, 0.0);
    EXPECT_EQ(p.canJump, 0);
    EXPECT_EQ(p.actsThisFrame, p.CalcJumpTime(p.vy));
    EXPECT_EQ(RecordedSounds(), std::vector<WPARAM>{10});
}

TEST_F(ConditionListsTest, AJumpPadLaunchIsARiseAlreadyOver)
{
    cPlayer& p = Hero();
    Solid(15, 16);
    Cell(15, 16).m_nTouchKind = 1;
    Cell(15, 16).m_nTouchValue = 6;
    p.floorCell = layout.Cell(15, 16);
    p.airborne = 0;
    p.jumpRiseOver = 0;
    p.jumped = 0;
    Scene().ApplyFloorBlockEffect(p);
    EXPECT_EQ(p.jumpRiseOver, 1);
    EXPECT_EQ(p.jumped, 1);
    EXPECT_EQ(p.airborne, 0) << "the floor test raises it after the airborne delay";

    // A key-height jump command running while the jump key is up does not cut the launch.
    const double launch = p.vy;
    cEdCommand command;
    command.m_Param.assign(1, JUMP_HOLD);
    COMMANDINSTANCE inst;
    inst.command = &command;
    inst.duration = p.actsThisFrame + 100;
    FLOWINSTANCE flow;
    p.jumpDone = 0;
    PlayerJump(p, inst, flow);
    EXPECT_DOUBLE_EQ(p.vy, launch);
}

}  // namespace
}  // namespace stagetest
