#include "project/cDbEffect.h"

#include <gtest/gtest.h>

#include "ProjectTestSupport.h"

namespace {

using projecttest::ProjectTest;
using testsupport::EffectSpec;

using cDbEffectTest = ProjectTest;

EffectSpec StoredEffect()
{
    EffectSpec spec;
    spec.name = "hit";
    spec.reserved = 77;
    spec.fileName = "bmp\\Hit.bmp";
    spec.cellWidth = 48;
    spec.cellHeight = 40;
    spec.scalable = 1;
    spec.frames = {{3, 2}, {4, 5}};
    return spec;
}

struct VersionCase {
    int version;
    const char* member;
    std::int32_t cDbEffect::*field;
    int expected;
};

// nReserved is stored from version 151 and kept from 153; the cell size follows it either way.
const VersionCase kVersionCases[] = {
    {150, "nReserved", &cDbEffect::nReserved, 0},  {150, "nCellWidth", &cDbEffect::nCellWidth, 48},
    {150, "bScalable", &cDbEffect::bScalable, 1},  {151, "nReserved", &cDbEffect::nReserved, 0},
    {152, "nReserved", &cDbEffect::nReserved, 0},  {152, "nCellHeight", &cDbEffect::nCellHeight, 40},
    {153, "nReserved", &cDbEffect::nReserved, 77}, {720, "nReserved", &cDbEffect::nReserved, 77},
};

TEST_F(cDbEffectTest, ReadsEveryLayoutByVersion)
{
    for (const VersionCase& c : kVersionCases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << ", " << c.member);
        cDbEffect effect;
        effect.nReserved = 5;
        ASSERT_EQ(LoadSpec(effect, c.version, StoredEffect()), 1);
        EXPECT_EQ(effect.strName, "hit");
        EXPECT_EQ(effect.strFileName, "bmp\\Hit.bmp");
        ASSERT_EQ(effect.FrameList.size(), 2u);
        EXPECT_EQ(effect.FrameList[1].nCell, 4);
        EXPECT_EQ(effect.FrameList[1].nTime, 5);
        EXPECT_EQ(effect.*c.field, c.expected);
    }
}

TEST_F(cDbEffectTest, DefaultsAndSetDefault)
{
    cDbEffect effect;
    EXPECT_EQ(effect.nCellWidth, 32);
    EXPECT_EQ(effect.nCellHeight, 32);
    EXPECT_EQ(effect.bScalable, 0);
    EXPECT_TRUE(effect.FrameList.empty());

    effect.strName = "x";
    effect.nReserved = 3;
    effect.nCellWidth = 7;
    effect.bScalable = 1;
    effect.FrameList.resize(2);
    effect.SetDefault();
    EXPECT_EQ(effect.strName, "");
    EXPECT_EQ(effect.nReserved, 0);
    EXPECT_EQ(effect.nCellWidth, 32);
    EXPECT_EQ(effect.bScalable, 0);
    EXPECT_EQ(effect.FrameList.size(), 2u);
}

TEST_F(cDbEffectTest, SavesThe720Layout)
{
    cDbEffect effect;
    ASSERT_EQ(LoadSpec(effect, 720, StoredEffect()), 1);
    EXPECT_EQ(SavedBytes(effect), Expected720(StoredEffect()));
}

}  // namespace
