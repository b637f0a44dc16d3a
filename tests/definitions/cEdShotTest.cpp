#include "definitions/cEdShot.h"

#include <gtest/gtest.h>

#include "DefinitionsTestSupport.h"

namespace {

using definitionstest::DefinitionsTest;
using testsupport::ByteWriter;
using testsupport::ShotSpec;

using cEdShotTest = DefinitionsTest;

// Members set away from their defaults; pierce and pierce2, optF and optG differ, so that the
// upgrades that copy one into the other show.
ShotSpec StoredShot()
{
    ShotSpec s;
    s.count = 5;
    s.shotKind = 3;
    s.kindParam = {4, 2, 8};
    s.origin = 2;
    s.direction = 12;
    s.aim = 1;
    s.angle = 30;
    s.angleStep = 15;
    s.mirrorAngle = 1;
    s.angleRandom = 10;
    s.optA = 9;
    s.repeat = 2;
    s.offsetX = 10;
    s.offsetXStep = 5;
    s.offsetY = -8;
    s.offsetYStep = -2;
    s.graphic = 44;
    s.size = 3;
    s.aimKind = 5;
    s.aimParam = {1, 999, 7};
    s.scrollSync = 0;
    s.speed = 40;
    s.accel = 1;
    s.accelValue = 6;
    s.accelStep = 2;
    s.range = 12;
    s.power = 123456;
    s.optE = -300;
    s.hitEffect = 4;
    s.itemKind = 2;
    s.itemIndex = 7;
    s.pierce = 1;
    s.pierce2 = 0;
    s.optF = 3;
    s.optG = 8;
    s.summonPalette = 1;
    s.summonIndex = 6;
    s.summonReverse = 1;
    return s;
}

struct VersionCase {
    int version;
    int aimKind;
    int storedMembers;
    const char* member;
    int (*read)(const cEdShot&);
    int expected;
};

const VersionCase kVersionCases[] = {
    {150, 5, 52, "m_bMirrorAngle", [](const cEdShot& s) { return int(s.m_bMirrorAngle); }, 0},
    {150, 5, 52, "m_nShotOptG = m_nShotOptF", [](const cEdShot& s) { return int(s.m_nShotOptG); }, 3},
    {150, 5, 52, "m_bPierce2 = m_bPierce", [](const cEdShot& s) { return int(s.m_bPierce2); }, 1},
    {150, 5, 52, "m_nOrigin", [](const cEdShot& s) { return int(s.m_nOrigin); }, 0},
    {150, 5, 52, "m_bAccel", [](const cEdShot& s) { return int(s.m_bAccel); }, 0},
    {150, 5, 52, "m_nAccelStep", [](const cEdShot& s) { return int(s.m_nAccelStep); }, 0},
    {150, 4, 52, "m_bScrollSync of homing kind 4", [](const cEdShot& s) { return int(s.m_bScrollSync); }, 1},
    {150, 7, 52, "m_bScrollSync of homing kind 7", [](const cEdShot& s) { return int(s.m_bScrollSync); }, 1},
    {150, 3, 52, "m_bScrollSync of kind 3", [](const cEdShot& s) { return int(s.m_bScrollSync); }, 0},
    {150, 8, 52, "m_bScrollSync of kind 8", [](const cEdShot& s) { return int(s.m_bScrollSync); }, 0},
    {150, 5, 52, "m_nSummonIndex", [](const cEdShot& s) { return int(s.m_nSummonIndex); }, 6},
    {158, 5, 53, "m_bMirrorAngle", [](const cEdShot& s) { return int(s.m_bMirrorAngle); }, 1},
    {197, 5, 54, "m_nShotOptG", [](const cEdShot& s) { return int(s.m_nShotOptG); }, 8},
    {211, 5, 55, "m_bScrollSync stored 0 replaced", [](const cEdShot& s) { return int(s.m_bScrollSync); }, 1},
    {212, 5, 55, "m_bScrollSync as stored", [](const cEdShot& s) { return int(s.m_bScrollSync); }, 0},
    {212, 5, 55, "m_nAccel", [](const cEdShot& s) { return int(s.m_nAccel); }, 0},
    {213, 5, 58, "m_nAccel", [](const cEdShot& s) { return int(s.m_nAccel); }, 6},
    {635, 5, 58, "m_bPierce2", [](const cEdShot& s) { return int(s.m_bPierce2); }, 1},
    {636, 5, 59, "m_bPierce2", [](const cEdShot& s) { return int(s.m_bPierce2); }, 0},
    {670, 5, 59, "m_nOrigin", [](const cEdShot& s) { return int(s.m_nOrigin); }, 0},
    {671, 5, 60, "m_nOrigin", [](const cEdShot& s) { return int(s.m_nOrigin); }, 2},
    {720, 5, 60, "m_nPower", [](const cEdShot& s) { return int(s.m_nPower); }, 123456},
    {720, 5, 60, "m_nShotOptE", [](const cEdShot& s) { return int(s.m_nShotOptE); }, -300},
    {720, 5, 60, "m_bSummonReverse", [](const cEdShot& s) { return int(s.m_bSummonReverse); }, 1},
};

TEST_F(cEdShotTest, ReadsEveryLayoutByVersion)
{
    for (const VersionCase& c : kVersionCases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << ", " << c.member);
        EXPECT_EQ(testsupport::ShotMemberCount(c.version), c.storedMembers);
        ShotSpec spec = StoredShot();
        spec.aimKind = static_cast<std::int8_t>(c.aimKind);
        cEdShot shot;
        ASSERT_EQ(LoadSpec(shot, c.version, spec), 1);
        EXPECT_EQ(c.read(shot), c.expected);
        EXPECT_EQ(shot.m_nKindParam[2], 8);
        EXPECT_EQ(shot.m_nAimParam[1], 999);
    }
}

TEST_F(cEdShotTest, SavesThe720Layout)
{
    cEdShot shot;
    ASSERT_EQ(LoadSpec(shot, 720, StoredShot()), 1);
    EXPECT_EQ(SavedBytes(shot), Expected720(StoredShot()));
}

TEST_F(cEdShotTest, NewShotHasTheEditorDefaults)
{
    cEdShot shot;
    shot.m_nSize = 9;
    shot.SetDefault();
    EXPECT_EQ(SavedBytes(shot), Expected720(ShotSpec{}));
}

struct RepairCase {
    const char* what;
    int size;
    int graphic;
    int hitEffect;
    int repairedSize;
    int repairedGraphic;
    int repairedHitEffect;
};

const RepairCase kRepairCases[] = {
    {"values in range stay", 2, 119, 4, 2, 119, 4},
    {"size 0 becomes 1", 0, 0, 0, 1, 0, 0},
    {"a negative size becomes 1", -3, 0, 0, 1, 0, 0},
    {"a graphic past the sheet is kept", 1, 500, 0, 1, 500, 0},
    {"a negative graphic is kept", 1, -2, 0, 1, -2, 0},
    {"a hit effect at the Effect count becomes 0", 1, 0, definitionstest::kTableEntries, 1, 0, 0},
    {"a negative hit effect becomes 0", 1, 0, -1, 1, 0, 0},
};

TEST_F(cEdShotTest, RepairBringsSizeAndHitEffectIntoRangeAndKeepsTheGraphic)
{
    for (const RepairCase& c : kRepairCases) {
        SCOPED_TRACE(c.what);
        ShotSpec spec;
        spec.size = static_cast<std::int8_t>(c.size);
        spec.graphic = static_cast<std::int16_t>(c.graphic);
        spec.hitEffect = static_cast<std::int16_t>(c.hitEffect);
        cEdShot shot;
        ASSERT_EQ(LoadSpec(shot, 720, spec), 1);
        EXPECT_EQ(shot.m_nSize, c.repairedSize);
        EXPECT_EQ(shot.m_nShotGraphic, c.repairedGraphic);
        EXPECT_EQ(shot.m_nHitEffect, c.repairedHitEffect);
    }
}

TEST_F(cEdShotTest, SavingRepairsFirst)
{
    cEdShot shot;
    shot.m_nSize = 0;
    shot.m_nShotGraphic = 300;  // past the sheet: stored as it is
    SavedBytes(shot);
    cEdShot loaded;
    ASSERT_EQ(loaded.LoadFile("saved.dat"), 1);
    EXPECT_EQ(loaded.m_nSize, 1);
    EXPECT_EQ(loaded.m_nShotGraphic, 300);
}

TEST_F(cEdShotTest, OffsetsOfARepeatFollowTheFacing)
{
    cEdShot shot;
    shot.m_nOffsetX = 10;
    shot.m_nOffsetXStep = 5;
    shot.m_bMirrorOffsetX = 1;
    shot.m_nOffsetY = -4;
    shot.m_nOffsetYStep = 3;
    shot.m_bMirrorOffsetY = 0;
    EXPECT_DOUBLE_EQ(shot.GetOffsetX(2, 1), -20.0);
    EXPECT_DOUBLE_EQ(shot.GetOffsetX(2, 0), 20.0);
    EXPECT_DOUBLE_EQ(shot.GetOffsetY(2, 1), 2.0);
    shot.m_bMirrorOffsetY = 1;
    EXPECT_DOUBLE_EQ(shot.GetOffsetY(2, 1), -2.0);
    shot.m_bMirrorOffsetX = 0;
    EXPECT_DOUBLE_EQ(shot.GetOffsetX(0, 1), 10.0);
}

TEST_F(cEdShotTest, RefusesARecordCutShort)
{
    ByteWriter full;
    testsupport::WriteRecord(full, StoredShot(), 720);
    for (std::size_t cut : {std::size_t{3}, std::size_t{40}, full.Size() - 1}) {
        SCOPED_TRACE(cut);
        ByteWriter bytes;
        for (std::uint8_t b : full.Truncated(cut)) {
            bytes.U8(b);
        }
        cEdShot shot;
        EXPECT_EQ(LoadBytes(shot, 720, bytes), 0);
        EXPECT_GE(shot.m_nSize, 1);
    }
}

}  // namespace
