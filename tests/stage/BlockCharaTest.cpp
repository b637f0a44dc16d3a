// The hero against block characters: landing on one (also falling fast into it), a head hit, the
// side snaps with their air gaps, crushing from above and below or from both sides while
// standing, the squeeze in the air that puts it under a block instead, flights, riding and
// keeping a foothold that moves.
#include "CollisionFixture.h"

#include "definitions/cEdStage.h"

namespace stagetest {
namespace {

using BlockCharaTest = CollisionFixture;

struct BlockSpec {
    double x, y, vx, vy;
};

struct WalkCase {
    const char* what;
    BlockSpec block;
    double prevX, prevY, x, y, vx, vy;
    double wantX, wantY;
    int wantL, wantR, wantU, wantD, wantFoothold;
};

TEST_F(BlockCharaTest, AWalkingHeroLandsHitsItsHeadAndIsHeldOffSideways)
{
    const double fast = 3.0 / ScrollUnit();  // above the fast-fall threshold 2 / u
    const WalkCase cases[] = {
        // Block top 520: the landing puts the bottom on 519, y = 520 - 30.
        {"lands from above", {480, 520, 0, 0}, 485, 488, 485, 492, 0, 0.1, 485, 520 - kH, 0, 0, 0, 0, 1},
        {"falls fast into it and still lands",
         {480, 520, 0, 0},
         485,
         500,
         485,
         530,
         0,
         fast,
         485,
         520 - kH,
         0,
         0,
         0,
         0,
         1},
        // Block bottom 431: the head is put below it.
        {"hits its head", {480, 400, 0, 0}, 485, 440, 485, 428, 0, -1.0, 485, 432, 0, 0, 0, 0, 0},
        // Right snap: block left - width - 0.5; left snap: block right + 1.5.
        {"held off on the right", {500, 480, 0, 0}, 482, 480, 482, 480, 1.0, 0, 500 - kW - 0.5, 480, 0, 1, 0, 0, 0},
        {"held off on the left", {440, 480, 0, 0}, 470, 480, 470, 480, -1.0, 0, 471 + 1.5, 480, 1, 0, 0, 0, 0},
    };
    for (const WalkCase& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        AddBlock(7, c.block.x, c.block.y, 32, 32, c.block.vx, c.block.vy);
        cPlayer& p = Hero();
        Place(p, c.prevX, c.prevY);
        p.x = c.x;
        p.y = c.y;
        p.right = c.x + kW - 1;
        p.bottom = c.y + kH - 1;
        p.vx = c.vx;
        p.vy = c.vy;
        EXPECT_EQ(Scene().CollideBlockCharas(p, CharaList), 0);
        EXPECT_DOUBLE_EQ(p.x, c.wantX);
        EXPECT_DOUBLE_EQ(p.y, c.wantY);
        EXPECT_EQ(p.LRUD[0], c.wantL);
        EXPECT_EQ(p.LRUD[1], c.wantR);
        EXPECT_EQ(p.LRUD[2], c.wantU);
        EXPECT_EQ(p.LRUD[3], c.wantD);
        EXPECT_EQ(p.onFoothold, c.wantFoothold);
        if (c.wantFoothold) {
            EXPECT_EQ(p.footholdKey, 7);
            EXPECT_EQ(p.vy, 0.0);
            EXPECT_EQ(p.airborne, 0);
            EXPECT_DOUBLE_EQ(p.footholdBox[1], c.block.y);
        }
    }
}

TEST_F(BlockCharaTest, CrushingAndTheSqueezeInTheAir)
{
    cPlayer& p = Hero();
    // From above (moving down) and from below (moving up) at once: crushed.
    AddBlock(1, 480, 400, 32, 32, 0, 1.0);
    AddBlock(2, 480, 458, 32, 32, 0, -1.0);
    Place(p, 485, 430);
    EXPECT_EQ(Scene().CollideBlockCharas(p, CharaList), 2);
    EXPECT_EQ(p.LRUD[2], 1);
    EXPECT_EQ(p.LRUD[3], 1);

    // Standing on a wide block and pressed from both sides: crushed.
    Fresh();
    AddBlock(1, 455, 470, 32, 32, 1.0, 0);
    AddBlock(2, 503, 470);
    AddBlock(3, 400, 510, 200, 32);
    Place(p, 485, 481);
    EXPECT_EQ(Scene().CollideBlockCharas(p, CharaList), 2);
    EXPECT_EQ(p.LRUD[0], 1);
    EXPECT_EQ(p.LRUD[1], 1);

    // Swallowed whole by a block character: pushed out to one side, but each corner lay inside
    // it before, so it is crushed all the same.
    Fresh();
    AddBlock(1, 400, 400, 200, 200);
    Place(p, 485, 480);
    EXPECT_EQ(Scene().CollideBlockCharas(p, CharaList), 2);
    EXPECT_EQ(p.LRUD[0] + p.LRUD[1], 1);
    EXPECT_EQ(p.LRUD[2] + p.LRUD[3], 0);

    // The same two in the air: it is put under the first one (bottom 501) instead.
    Fresh();
    AddBlock(1, 455, 470, 32, 32, 1.0, 0);
    AddBlock(2, 503, 470);
    Place(p, 485, 481);
    EXPECT_EQ(Scene().CollideBlockCharas(p, CharaList), 0);
    EXPECT_DOUBLE_EQ(p.y, 502.0);
    EXPECT_DOUBLE_EQ(p.x, 485.0);
    EXPECT_EQ(p.LRUD[0] + p.LRUD[1], 0);
    EXPECT_EQ(p.jumpRiseOver, 1);

    // A flight stopped by blocks is snapped out of both and survives; one that dies on blocks
    // does not. Left snap 486 + 1, right snap 503 - 20; the right one is applied last.
    for (int mode : {1, 2}) {
        SCOPED_TRACE(mode);
        Fresh();
        AddBlock(1, 455, 470, 32, 32, 1.0, 0);
        AddBlock(2, 503, 470);
        Place(p, 485, 481);
        p.noGravity = 1;
        p.blockMode = static_cast<std::uint8_t>(mode);
        EXPECT_EQ(Scene().CollideBlockCharas(p, CharaList), mode == 1 ? 0 : 2);
        EXPECT_DOUBLE_EQ(p.x, mode == 1 ? 503.0 - kW : 485.0);
    }
}

TEST_F(BlockCharaTest, AFootholdCarriesTheHeroAndIsKeptWithinFivePixels)
{
    struct Ride {
        int noGravity;
        double wantVy;
    };
    for (const Ride& r : {Ride{1, 2.0}, Ride{0, 0.25}}) {
        SCOPED_TRACE(r.noGravity);
        Fresh();
        cChara& block = AddBlock(7, 483, 522);
        block.noGravity = r.noGravity;
        block.airborne = 0;
        cPlayer& p = Hero();
        p.onFoothold = 1;
        p.footholdKey = 7;
        const double was[4] = {480, 520, 511, 551};
        std::copy(was, was + 4, p.footholdBox);
        p.vx = 1.0;
        p.vy = 0.25;
        EXPECT_EQ(Scene().RideFoothold(p, CharaList), 0);
        EXPECT_DOUBLE_EQ(p.vx, 1.0 + 3.0);
        EXPECT_DOUBLE_EQ(p.vy, r.wantVy);
    }

    // Feet at 519: a foothold whose top went down to 523 is still under them, one at 525 is not.
    struct Keep {
        double top;
        int kept;
    };
    for (const Keep& k : {Keep{523, 1}, Keep{525, 0}}) {
        SCOPED_TRACE(k.top);
        Fresh();
        AddBlock(7, 480, k.top);
        cPlayer& p = Hero();
        Place(p, 485, 490);
        p.onFoothold = 1;
        p.footholdKey = 7;
        EXPECT_EQ(Scene().CollideBlockCharas(p, CharaList), 0);
        EXPECT_EQ(p.onFoothold, k.kept);
        EXPECT_EQ(p.leftFoothold, 1 - k.kept);
        if (k.kept) {
            EXPECT_DOUBLE_EQ(p.footholdBox[1], k.top);
        }
    }
}

TEST_F(BlockCharaTest, TwoMembersOfOneGroupMeetAsTwoObjects)
{
    // Same definition, different object numbers: the upper one stands on the lower one.
    cChara& lower = AddBlock(10, 480, 520);
    cChara& upper = AddBlock(11, 480, 490);
    upper.def = lower.def;
    upper.blockMode = 1;
    upper.vy = 0.1;
    Place(upper, 480, 489);
    upper.y = 491;
    upper.bottom = 522;
    EXPECT_EQ(Scene().CollideBlockCharas(upper, CharaList), 0);
    EXPECT_EQ(upper.onFoothold, 1);
    EXPECT_EQ(upper.footholdKey, 10);
    EXPECT_DOUBLE_EQ(upper.y, 520.0 - 32);
}

TEST_F(BlockCharaTest, ACharacterThatLeftOneFootholdIsNotCrushedOnLandingOnTheNext)
{
    // It walked off one block character (the departure flag is up) and now falls onto another:
    // landing clears the flag, since with a foothold it means "pushed sideways", which crushes a
    // stage character. A push in the same sub-step still counts.
    for (bool pushed : {false, true}) {
        SCOPED_TRACE(pushed);
        Fresh();
        AddBlock(10, 480, 520);
        if (pushed) {
            AddBlock(12, 455, 470, 32, 32, 1.0, 0);  // overlaps its left side by 2 pixels
        }
        cChara& walker = AddBlock(11, 485, 491);
        walker.def.m_bFullCell = 0;
        walker.blockMode = 1;
        walker.vy = 0.1;
        Place(walker, 485, 489);
        walker.y = 491;
        walker.bottom = 522;
        walker.leftFoothold = 1;
        walker.onFoothold = 0;
        Scene().CollideBlockCharas(walker, CharaList);
        EXPECT_EQ(walker.onFoothold, 1);
        EXPECT_EQ(walker.leftFoothold, pushed ? 1 : 0);
    }
}

}  // namespace
}  // namespace stagetest

namespace stagetest {
namespace {

TEST_F(BlockCharaTest, ASpeedLevelOfZeroCountsAsOneSubStep)
{
    // Level 0 would make the speed unit 0: the thresholds 2 / u and 0.4 / u and the conveyor's
    // X x 0.1 / u stay finite, as for one sub-step.
    const int savedLevel = Stage.m_nSpeedLevel;
    Stage.SetSpeedLevel(0);
    ASSERT_EQ(SubStepCount(), 1);
    AddBlock(7, 480, 520);
    cPlayer& p = Hero();
    Place(p, 485, 500);
    p.y = 530;
    p.bottom = 559;
    p.vy = 2.5;  // above 2 / 1: the fast fall lands
    EXPECT_EQ(Scene().CollideBlockCharas(p, CharaList), 0);
    EXPECT_DOUBLE_EQ(p.y, 520.0 - kH);

    Solid(15, 16);
    Cell(15, 16).m_nTouchKind = 4;
    Cell(15, 16).m_nTouchValue = 10;
    p.floorCell = layout.Cell(15, 16);
    p.floorEffectTimer = 0;
    p.vx = 0.0;
    Scene().ApplyFloorBlockEffect(p);
    EXPECT_DOUBLE_EQ(p.vx, -1.0);
    EXPECT_EQ(p.floorEffectTimer, 0);
    Stage.SetSpeedLevel(savedLevel);
}

}  // namespace
}  // namespace stagetest

namespace stagetest {
namespace {

TEST_F(BlockCharaTest, ABlockCharacterPushingTheHeroIntoAWallCrushesItInPlay)
{
    ASSERT_TRUE(harness->RunUntilState(STAGESTATE_PLAY, 400));
    Fresh();
    for (int col : {14, 15, 16}) {
        Solid(col, 16);  // the floor, top y 512
    }
    Solid(16, 15);  // a wall from x 512
    // The block character's right edge (496) lies 5 pixels inside the hero's left (492): its
    // side snap puts the hero at 498.5, 5.5 pixels into the wall, which the nudges cannot undo;
    // the map's squeeze test then finds a wall on either side.
    AddBlock(1, 465, 480);
    cPlayer& p = Hero();
    Place(p, 492, 512 - kH);
    p.frameCountdown = 0;
    harness->RunFrames(1);
    EXPECT_EQ(p.dying, 1);
    EXPECT_DOUBLE_EQ(p.x, 492.0) << "the box goes back to where the sub-step found it";
}

TEST_F(BlockCharaTest, ABlockMovingAwayDragsNoFlightAWallRefusesAPlacementAndAKnockUpLeavesTheFoothold)
{
    // A flight stopped by blocks, with a block on its left (right edge 486) that moves left.
    // Still or moving right, the object is not snapped after it: the left contact is dropped and
    // the overlap is resolved vertically (under the block's bottom 501). Moving left into it, it
    // is snapped to 487 and counts as pushed.
    struct Flight {
        double vx;
        double wantX, wantY;
        int wantL, wantU, wantPushed;
    };
    for (const Flight& f :
         {Flight{0.0, 485, 502, 0, 1, 0}, Flight{1.0, 485, 502, 0, 1, 0}, Flight{-1.0, 487, 481, 1, 0, 1}}) {
        SCOPED_TRACE(f.vx);
        Fresh();
        AddBlock(1, 455, 470, 32, 32, -1.0, 0);
        cPlayer& p = Hero();
        Place(p, 485, 481);
        p.noGravity = 1;
        p.blockMode = 1;
        p.vx = f.vx;
        EXPECT_EQ(Scene().CollideBlockCharas(p, CharaList), 0);
        EXPECT_DOUBLE_EQ(p.x, f.wantX);
        EXPECT_DOUBLE_EQ(p.y, f.wantY);
        EXPECT_EQ(p.LRUD[0], f.wantL);
        EXPECT_EQ(p.LRUD[2], f.wantU);
        EXPECT_EQ(p.leftFoothold, f.wantPushed);
    }

    // A rising hero under a block that rises too (bottom 431): it is put below it (y 432) and
    // takes the block's speed, unless a solid cell lies where it would be put.
    for (int wall : {0, 1}) {
        SCOPED_TRACE(wall);
        Fresh();
        if (wall) Solid(15, 14);
        AddBlock(1, 480, 400, 32, 32, 0, -1.0);
        cPlayer& p = Hero();
        Place(p, 485, 440);
        p.y = 428;
        p.bottom = 428 + kH - 1;
        p.vy = -0.5;
        p.jumpLocked = 0;
        EXPECT_EQ(Scene().CollideBlockCharas(p, CharaList), 0);
        EXPECT_DOUBLE_EQ(p.y, wall ? 428.0 : 432.0);
        EXPECT_DOUBLE_EQ(p.vy, wall ? -0.5 : -1.0);
        EXPECT_EQ(p.jumpLocked, wall ? 0 : 1);
    }

    // Standing on a foothold: kept while not knocked upward (no-floor count and knock-back flag
    // reset), left without the pushed flag when knocked upward, its speed kept.
    for (double knockY : {0.0, -1.0}) {
        SCOPED_TRACE(knockY);
        Fresh();
        AddBlock(7, 480, 470);
        cPlayer& p = Hero();
        Place(p, 485, 440);
        p.onFoothold = 1;
        p.footholdKey = 7;
        p.knockY = knockY;
        p.vy = 0.5;
        p.noFloorCount = 3;
        p.knockedBack = 1;
        const bool kept = knockY == 0.0;
        EXPECT_EQ(Scene().CollideBlockCharas(p, CharaList), 0);
        EXPECT_EQ(p.onFoothold, kept ? 1 : 0);
        EXPECT_EQ(p.leftFoothold, 0);
        EXPECT_DOUBLE_EQ(p.vy, 0.5);
        EXPECT_EQ(p.noFloorCount, kept ? 0 : 3);
        EXPECT_EQ(p.knockedBack, kept ? 0 : 1);
    }
}

}  // namespace
}  // namespace stagetest
