#include "definitions/cEdMove.h"

#include <gtest/gtest.h>

#include "DefinitionsTestSupport.h"

namespace {

using definitionstest::DefinitionsTest;
using testsupport::MoveSpec;

using cEdMoveTest = DefinitionsTest;

// Every member set away from its default.
MoveSpec StoredMove()
{
    MoveSpec m;
    m.moveMode = 1;
    m.direction = 12;
    m.angle = 45;
    m.angleStep = -5;
    m.mirrorAngle = 1;
    m.useX = 0;
    m.useY = 1;
    m.targetX = 7;
    m.targetY = -2;
    m.targetDotX = 3;
    m.targetDotY = -4;
    m.coordKind = 3;
    m.arriveEnds = 0;
    m.freezeX = 1;
    m.freezeY = 1;
    m.mirrorX = 0;
    m.mirrorY = 1;
    m.followFacing = 0;
    m.stopOnArrival = 1;
    m.keepFacing = 1;
    m.timeMode = 2;
    m.speed = 25;
    m.speedStep = 2;
    m.distance = 300;
    m.distanceStep = 4;
    m.distUnit = 1;
    m.radius = 20;
    m.radiusStep = 1;
    m.inertia = 1;
    m.maxSpeed = 90;
    m.brake = 2.5;
    m.keepAnime = 1;
    return m;
}

struct VersionCase {
    int version;
    int storedMembers;
    const char* member;
    int (*read)(const cEdMove&);
    int expected;
};

// The four members added at 158, 159 and 162 read as the old behaviour (0) before them.
const VersionCase kVersionCases[] = {
    {157, 28, "m_bMirrorAngle", [](const cEdMove& m) { return int(m.m_bMirrorAngle); }, 0},
    {157, 28, "m_nDistUnit", [](const cEdMove& m) { return int(m.m_nDistUnit); }, 0},
    {157, 28, "m_bKeepFacing", [](const cEdMove& m) { return int(m.m_bKeepFacing); }, 0},
    {157, 28, "m_bKeepAnime", [](const cEdMove& m) { return int(m.m_bKeepAnime); }, 0},
    {157, 28, "m_nTimeMode", [](const cEdMove& m) { return int(m.m_nTimeMode); }, 2},
    {157, 28, "m_nRadius", [](const cEdMove& m) { return int(m.m_nRadius); }, 20},
    {158, 29, "m_bMirrorAngle", [](const cEdMove& m) { return int(m.m_bMirrorAngle); }, 1},
    {158, 29, "m_nDistUnit", [](const cEdMove& m) { return int(m.m_nDistUnit); }, 0},
    {159, 30, "m_nDistUnit", [](const cEdMove& m) { return int(m.m_nDistUnit); }, 1},
    {159, 30, "m_bKeepAnime", [](const cEdMove& m) { return int(m.m_bKeepAnime); }, 0},
    {162, 32, "m_bKeepFacing", [](const cEdMove& m) { return int(m.m_bKeepFacing); }, 1},
    {720, 32, "m_bKeepAnime", [](const cEdMove& m) { return int(m.m_bKeepAnime); }, 1},
    {720, 32, "m_nMaxSpeed", [](const cEdMove& m) { return int(m.m_nMaxSpeed); }, 90},
    {720, 32, "m_nTargetDotY", [](const cEdMove& m) { return int(m.m_nTargetDotY); }, -4},
};

TEST_F(cEdMoveTest, ReadsEveryLayoutByVersion)
{
    for (const VersionCase& c : kVersionCases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << ", " << c.member);
        EXPECT_EQ(testsupport::MoveMemberCount(c.version), c.storedMembers);
        cEdMove move;
        ASSERT_EQ(LoadSpec(move, c.version, StoredMove()), 1);
        EXPECT_EQ(c.read(move), c.expected);
        EXPECT_EQ(move.m_fBrake, 2.5);
    }
}

TEST_F(cEdMoveTest, NewMovementHasTheEditorDefaults)
{
    cEdMove move;
    move.m_nAngle = 90;
    move.m_bUseX = 0;
    move.SetDefault();
    EXPECT_EQ(move.m_nSpeed, 10);
    EXPECT_EQ(move.m_fBrake, 1.0);
    for (std::int8_t flag :
         {move.m_bMirrorAngle, move.m_bUseX, move.m_bUseY, move.m_bArriveEnds, move.m_bMirrorX, move.m_bFollowFacing}) {
        EXPECT_EQ(flag, 1);
    }
    for (int value : {int(move.m_nAngle), int(move.m_nMoveMode), int(move.m_bMirrorY), int(move.m_bKeepFacing),
                      int(move.m_nDistUnit), int(move.m_nMaxSpeed), int(move.m_bKeepAnime)}) {
        EXPECT_EQ(value, 0);
    }
    // The writer's defaults are those of a new record: the same bytes.
    EXPECT_EQ(SavedBytes(move), Expected720(MoveSpec{}));
}

TEST_F(cEdMoveTest, SavesThe720Layout)
{
    cEdMove move;
    ASSERT_EQ(LoadSpec(move, 720, StoredMove()), 1);
    EXPECT_EQ(SavedBytes(move), Expected720(StoredMove()));
}

}  // namespace
