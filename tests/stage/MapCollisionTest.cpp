// The block map against the hero: each side pushes the box out to the cell boundary in the order
// the speed gives, the edge probes see scale + 1 points, fatal cells and flights that die on
// blocks give 2, the floor takes the most solid cell nearest the feet' middle, a rising hero
// does not land unless the project allows it, and the airborne delay.
#include "CollisionFixture.h"

#include "definitions/cEdStage.h"

namespace stagetest {
namespace {

using MapCollisionTest = CollisionFixture;

struct SideCase {
    const char* what;
    std::vector<std::pair<int, int>> blocks;  // solid field cells (column, row)
    int w;                                    // hit width (height kH)
    double x, y, vx;
    double wantX;
    int wantL, wantR;
};

TEST_F(MapCollisionTest, HorizontalPassPushesOutInTheOrderOfTheSpeed)
{
    // Push-outs: left x += 32 - (trunc(x) & 31); right x -= (trunc(right) & 31) + 1.
    const SideCase cases[] = {
        {"wall on the right", {{16, 15}}, kW, 495.5, 480, 2.0, 495.5 - ((514 & 31) + 1), 0, 1},
        {"wall on the left", {{14, 15}}, kW, 478.25, 480, -2.0, 478.25 + 32 - (478 & 31), 1, 0},
        {"left edge on a boundary inside a wall goes a whole cell", {{14, 15}}, kW, 448.0, 480, -1.0, 480.0, 1, 0},
        {"corner cell under the bottom-left point", {{14, 16}}, kW, 470.0, 500, -1.0, 470.0 + 32 - (470 & 31), 1, 0},
        {"speed 0: left first, then right", {{14, 15}, {16, 15}}, 40, 478.0, 480, 0.0, 480.0 - ((519 & 31) + 1), 1, 1},
        {"speed > 0: right first, then left", {{14, 15}, {16, 15}}, 40, 478.0, 480, 0.5, 472.0 + 32 - (472 & 31), 1, 1},
        {"free cells leave it alone", {{13, 15}, {17, 15}}, kW, 480.0, 480, 3.0, 480.0, 0, 0},
    };
    for (const SideCase& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        for (auto [col, row] : c.blocks) Solid(col, row);
        cPlayer& p = Hero();
        Resize(p, c.w, kH, 1);
        Place(p, c.x, c.y);
        p.vx = c.vx;
        p.ax = 1.0;
        EXPECT_EQ(Scene().CollideMapX(p), 0);
        EXPECT_DOUBLE_EQ(p.x, c.wantX);
        EXPECT_DOUBLE_EQ(p.right, c.wantX + c.w - 1);
        EXPECT_EQ(p.LRUD[0], c.wantL);
        EXPECT_EQ(p.LRUD[1], c.wantR);
        EXPECT_EQ(p.ax, (c.wantL || c.wantR) ? 0.0 : 1.0) << "a wall stops the inertia";
        if (c.wantL != c.wantR) {
            EXPECT_EQ(p.lastWallSide, c.wantR ? 1 : 0);
        }
    }
}

TEST_F(MapCollisionTest, FatalCellsAndFlightModesDecideWhoDies)
{
    struct Case {
        const char* what;
        int kind, value2, noGravity, blockMode;
        int want;
        bool pushed;
    };
    const Case cases[] = {
        {"fatal cell kills the hero", 2, 0, 0, 1, 2, false},
        {"fatal cell only stops a computer object", 2, 1, 0, 1, 0, true},
        {"solid cell kills a flight that dies on blocks", 1, 0, 1, 2, 2, false},
        {"fatal cell kills such a flight too", 2, 1, 1, 2, 2, false},
        {"a flight through blocks is never touched", 1, 0, 1, 0, 0, false},
        {"a flight stopped by blocks is pushed", 1, 0, 1, 1, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        Solid(16, 15, c.kind);
        cPlayer& p = Hero();
        Place(p, 495.5, 480);
        p.value2 = c.value2;
        p.noGravity = c.noGravity;
        p.blockMode = static_cast<std::uint8_t>(c.blockMode);
        p.vx = 1.0;
        EXPECT_EQ(Scene().CollideMapX(p), c.want);
        EXPECT_DOUBLE_EQ(p.x, c.pushed ? 495.5 - ((514 & 31) + 1) : 495.5);
    }
}

TEST_F(MapCollisionTest, AnEdgeIsProbedAtScalePlusOnePoints)
{
    // A 70-pixel side spans rows 14..16; the only block is beside its middle (row 15).
    struct Case {
        int scale;
        bool found;
    };
    for (const Case& c : {Case{1, false}, Case{2, true}}) {
        SCOPED_TRACE(c.scale);
        Fresh();
        Solid(16, 15);
        cPlayer& p = Hero();
        Resize(p, kW * c.scale, 70, c.scale);
        Place(p, 516.0 - kW * c.scale, 470);  // right edge 515, in column 16
        p.vx = 1.0;
        Scene().CollideMapX(p);
        EXPECT_EQ(p.LRUD[1], c.found ? 1 : 0);
    }
}

struct FloorCase {
    const char* what;
    std::vector<std::pair<int, int>> blocks;
    int h;
    double y, vy;
    int landWhileRising;
    double wantY;
    int wantU, wantD;
};

TEST_F(MapCollisionTest, VerticalPassLandsBumpsAndRespectsTheRisingRule)
{
    // Floor: y -= (trunc(bottom) & 31) + 1; ceiling: y += 32 - (trunc(y) & 31).
    const FloorCase cases[] = {
        {"falling onto a floor", {{15, 16}}, kH, 490, 3.0, 0, 490 - ((519 & 31) + 1), 0, 1},
        {"rising into a ceiling", {{15, 14}}, kH, 470, -2.0, 0, 470 + 32 - (470 & 31), 1, 0},
        {"rising through a floor cell is no landing", {{15, 16}}, kH, 490, -1.0, 0, 490, 0, 0},
        {"unless landing while rising is on", {{15, 16}}, kH, 490, -1.0, 1, 490 - ((519 & 31) + 1), 0, 1},
        {"speed 0: ceiling first, then floor", {{15, 14}, {15, 16}}, 50, 470, 0.0, 0, 480 - ((529 & 31) + 1), 1, 1},
        {"falling: floor first, then ceiling", {{15, 14}, {15, 16}}, 50, 470, 0.5, 0, 462 + 32 - (462 & 31), 1, 1},
    };
    for (const FloorCase& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        SystemData.bLandWhileRising = c.landWhileRising;
        for (auto [col, row] : c.blocks) Solid(col, row);
        cPlayer& p = Hero();
        Resize(p, kW, c.h, 1);
        Place(p, 485, c.y);
        p.vy = c.vy;
        EXPECT_EQ(Scene().CollideMapY(p), 0);
        EXPECT_DOUBLE_EQ(p.y, c.wantY);
        EXPECT_DOUBLE_EQ(p.bottom, c.wantY + c.h - 1);
        EXPECT_EQ(p.LRUD[2], c.wantU);
        EXPECT_EQ(p.LRUD[3], c.wantD);
        if (c.wantU || c.wantD) {
            EXPECT_EQ(p.vy, 0.0);
        }
    }
}

TEST_F(MapCollisionTest, TheFloorCellIsTheMostSolidNearestTheMiddle)
{
    // A 64-wide box at x 464 over three solid cells of row 16: the hero's centred probe (x, x + 32,
    // right) takes the middle column 15; a computer object probes only its two corners, and 464
    // lies nearer the middle (464 + 527) >> 1 = 495 than 527: column 14.
    for (int value2 : {0, 1}) {
        SCOPED_TRACE(value2);
        Fresh();
        Solid(14, 16);
        Solid(15, 16);
        Solid(16, 16);
        cPlayer& p = Hero();
        Resize(p, 64, kH, 1);
        Place(p, 464, 490);
        p.value2 = value2;
        p.vy = 1.0;
        Scene().CollideMapY(p);
        const int want = layout.Cell(value2 == 0 ? 15 : 14, 16);
        EXPECT_EQ(p.floorCell, want);
        EXPECT_EQ(p.lastFloorCell, want);
    }
    // A fatal cell outranks a solid one wherever it lies under the feet.
    Fresh();
    Solid(14, 16);
    Solid(15, 16);
    Solid(16, 16, 2);
    cPlayer& p = Hero();
    Resize(p, 64, kH, 1);
    Place(p, 464, 490);
    p.vy = 1.0;
    EXPECT_EQ(Scene().CollideMapY(p), 2);
    EXPECT_EQ(p.lastFloorCell, layout.Cell(16, 16));
}

TEST_F(MapCollisionTest, AirborneOnlyAfterTheDelayAndNeverOnAFoothold)
{
    const int delay = 8 * SubStepCount();
    for (int onFoothold : {0, 1}) {
        SCOPED_TRACE(onFoothold);
        Fresh();
        cPlayer& p = Hero();
        Place(p, 485, 490);
        p.airborne = 0;
        p.canJump = 0;
        p.noFloorCount = 0;
        p.onFoothold = onFoothold;
        for (int i = 1; i < delay; ++i) Scene().CollideMapY(p);
        EXPECT_EQ(p.airborne, 0);
        EXPECT_EQ(p.noFloorCount, delay - 1);
        Scene().CollideMapY(p);
        EXPECT_EQ(p.airborne, onFoothold ? 0 : 1);
        EXPECT_EQ(p.canJump, onFoothold ? 0 : 1);
        EXPECT_EQ(p.floorCell, cCharaBase::kNoCell);
    }
}

TEST_F(MapCollisionTest, BothSidesTestsAndThePlaceTest)
{
    // The squeeze test on the floor: a rising hero in a floor cell is left there and the ceiling
    // is not tested; otherwise it lands and then meets the ceiling.
    Solid(15, 14);
    Solid(15, 16);
    cPlayer& p = Hero();
    Resize(p, kW, 50, 1);
    Place(p, 485, 470);
    p.vy = -1.0;
    EXPECT_EQ(Scene().CollideMapYBoth(p), 0);
    EXPECT_DOUBLE_EQ(p.y, 470.0);
    EXPECT_EQ(p.LRUD[2], 0);
    p.vy = 0.0;
    EXPECT_EQ(Scene().CollideMapYBoth(p), 0);
    EXPECT_DOUBLE_EQ(p.y, 462.0 + 32 - (462 & 31));
    EXPECT_EQ(p.LRUD[3], 1);
    EXPECT_EQ(p.LRUD[2], 1);

    // The place test: a solid corner cell, a block character, but never the object itself;
    // two members of one placed group (same definition, two object numbers) block each other.
    cChara& a = AddBlock(50, 600, 600);
    cChara& b = AddBlock(51, 700, 600);
    EXPECT_EQ(Scene().IsPlaceBlocked(a), 0);
    b.x = 620;
    b.right = 651;
    EXPECT_EQ(Scene().IsPlaceBlocked(a), 1);
    b.dying = 1;
    EXPECT_EQ(Scene().IsPlaceBlocked(a), 0);
    Solid(19, 19);
    EXPECT_EQ(Scene().IsPlaceBlocked(a), 1) << "the bottom-right corner (631, 631) lies in cell (19, 19)";
    a.noGravity = 1;
    a.blockMode = 0;
    EXPECT_EQ(Scene().IsPlaceBlocked(a), 0) << "an object that passes blocks is never blocked";
}

}  // namespace
}  // namespace stagetest

namespace stagetest {
namespace {

TEST_F(MapCollisionTest, BoxesAtTheEdgesOfTheMapReadNoCellOutsideIt)
{
    // The field is 40 x 35 cells (pitch 64): points left of it, above it, right of the pitch and
    // below the last row read as passable, without a bad-index report.
    struct Case {
        const char* what;
        double x, y;
    };
    const Case cases[] = {
        {"left of the map", -12.0, 480.0},
        {"above the map", 480.0, -12.0},
        {"right of the pitch", 64 * 32 - 8.0, 480.0},
        {"below the last row", 480.0, 35 * 32 - 8.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        for (MAPCELL& cell : StageMap) {
            cell.m_nGraphic = 1;
            cell.m_nHitKind = 1;
        }
        cPlayer& p = Hero();
        p.value2 = 1;  // a computer object: no fatal cells, no centred probe
        p.x = c.x;
        p.y = c.y;
        p.right = c.x + kW - 1;
        p.bottom = c.y + kH - 1;
        const int left = Scene().FindEdgeCell(p, static_cast<int>(p.x), static_cast<int>(p.y), static_cast<int>(p.x),
                                              static_cast<int>(p.bottom));
        const int top = Scene().FindEdgeCell(p, static_cast<int>(p.x), static_cast<int>(p.y), static_cast<int>(p.right),
                                             static_cast<int>(p.y));
        const int bottom = Scene().FindEdgeCell(p, static_cast<int>(p.x), static_cast<int>(p.bottom),
                                                static_cast<int>(p.right), static_cast<int>(p.bottom));
        for (int cell : {left, top, bottom}) {
            EXPECT_TRUE(cell == cCharaBase::kNoCell || (cell >= 0 && cell < static_cast<int>(StageMap.size())));
        }
        // Wholly outside on the probed edge: nothing solid there.
        if (c.x < 0) {
            EXPECT_EQ(left, cCharaBase::kNoCell);
        }
        if (c.y < 0) {
            EXPECT_EQ(top, cCharaBase::kNoCell);
        }
        if (c.y > 34 * 32) {
            EXPECT_EQ(bottom, cCharaBase::kNoCell);
        }
    }
    EXPECT_EQ(TakePosted(WM_CLOSE), 0);
}

TEST_F(MapCollisionTest, ScreenClampsOnlyWhileAutoScrollingOrFlying)
{
    cPlayer& p = Hero();
    cScroll& camX = Scene().m_ScrollX;
    cScroll& camY = Scene().m_ScrollY;
    // Screen edges as the clamps measure them (auto-scroll: each part truncated on its own).
    struct Case {
        const char* what;
        int autoScroll, noGravity;
        double dx, dy;  // hit box relative to the camera
        double wantDx, wantDy;
        int wantL, wantR, wantU, wantD, wantY;
    };
    const double farRight = 640 - p.gfxWidth + 2 * p.gfxOffsetX;  // screenRight - offset + 1 = 640
    const double farDown = 480 - p.gfxHeight + 2 * p.gfxOffsetY;  // screenBottom - offset + 1 = 480
    const Case cases[] = {
        {"left of the screen", 1, 0, -10, 200, 0, 200, 1, 0, 0, 0, 0},
        {"right of the screen", 1, 0, farRight, 200, 640.0 - kW - 1, 200, 0, 1, 0, 0, 0},
        {"a pixel short of the right", 1, 0, farRight - 1, 200, farRight - 1, 200, 0, 0, 0, 0, 0},
        {"above the screen", 1, 0, 200, -10, 200, 0, 0, 0, 1, 0, 0},
        {"pushed off the bottom while walking", 1, 0, 200, farDown, 200, 480.0 - kH - 1, 0, 0, 0, 1, 2},
        {"off the bottom while flying", 0, 1, 200, farDown, 200, 480.0 - kH - 1, 0, 0, 0, 1, 0},
        {"no auto-scroll, walking: nothing", 0, 0, -10, -10, -10, -10, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        camX.bAuto = camY.bAuto = c.autoScroll;
        camX.dSpeed = camY.dSpeed = 0.0;
        p.noGravity = c.noGravity;
        const double cx = camX.dPos;
        const double cy = camY.dPos;
        Place(p, cx + c.dx, cy + c.dy);
        Scene().ClampPlayerToScreenX(p);
        EXPECT_EQ(Scene().ClampPlayerToScreenY(p), c.wantY);
        EXPECT_DOUBLE_EQ(p.x - cx, c.wantDx);
        EXPECT_DOUBLE_EQ(p.y - cy, c.wantDy);
        EXPECT_EQ(p.LRUD[0], c.wantL);
        EXPECT_EQ(p.LRUD[1], c.wantR);
        EXPECT_EQ(p.LRUD[2], c.wantU);
        EXPECT_EQ(p.LRUD[3], c.wantD);
    }
    camX.bAuto = camY.bAuto = 0;
}

}  // namespace
}  // namespace stagetest

namespace stagetest {
namespace {

TEST_F(MapCollisionTest, ADiagonalRunFasterThanACellLandsOnTheCornerInPlayOrder)
{
    // One sub-step a frame (level 11: up to 60 pixels a sub-step). The hero runs 40 right and
    // falls 40 (plus one sub-step of gravity) toward the single block at (16, 16). The play step
    // meets the map after the x move, when the box is still beside the block's row, and after
    // the y move, when its feet are in the block: it lands on the corner instead of sliding
    // down the block's side.
    ASSERT_TRUE(harness->RunUntilState(STAGESTATE_PLAY, 400));
    const int savedLevel = Stage.m_nSpeedLevel;
    Stage.SetSpeedLevel(11);
    ASSERT_EQ(SubStepCount(), 1);
    ASSERT_GE(SubMaxSpeed(), 40.0);
    Fresh();
    Solid(16, 16);
    cPlayer& p = Hero();
    Place(p, 470, 450);
    p.decel = 0.0;
    p.ax = 40.0;
    p.vy = 40.0;
    harness->RunFrames(1);
    const double fallenY = 450 + 40 + SubGravity();
    const int fallenBottom = static_cast<int>(fallenY + kH - 1);
    EXPECT_DOUBLE_EQ(p.x, 510.0);
    EXPECT_DOUBLE_EQ(p.y, fallenY - ((fallenBottom & 31) + 1));
    EXPECT_EQ(p.LRUD[3], 1);
    EXPECT_EQ(p.LRUD[0] + p.LRUD[1], 0);
    EXPECT_EQ(p.floorCell, layout.Cell(16, 16));
    Stage.SetSpeedLevel(savedLevel);
}

}  // namespace
}  // namespace stagetest
