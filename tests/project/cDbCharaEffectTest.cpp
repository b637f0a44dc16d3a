#include "project/cDbCharaEffect.h"

#include <gtest/gtest.h>

#include "ProjectTestSupport.h"

namespace {

using projecttest::ProjectTest;
using testsupport::ParamEffectSpec;

using cDbCharaEffectTest = ProjectTest;

struct UpgradeCase {
    int version;
    int kind;
    int param;     // 0 = p1
    int expected;  // what the stored value 0 becomes
};

// Files up to version 510 lack the coarseness of the wave and circle kinds: the parameter
// table's default replaces whatever the file held. Every parameter is stored as 0 here.
const UpgradeCase kUpgradeCases[] = {
    {510, 4, 4, 2},                                    // "波（横）" p5 "波の粗さ(dot)"
    {510, 5, 4, 2},                                    // "波（縦）" p5
    {300, 10, 3, 2},                                   // "円" p4 "円の粗さ(dot)"
    {511, 4, 4, 0},  {720, 10, 3, 0}, {510, 1, 4, 0},  // other kinds are left as read
    {510, 2, 3, 0},  {510, 10, 4, 0},                  // only the named parameter
};

TEST_F(cDbCharaEffectTest, OldFilesGetTheCoarsenessDefault)
{
    for (const UpgradeCase& c : kUpgradeCases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << ", kind " << c.kind << ", p" << c.param + 1);
        ParamEffectSpec spec;
        spec.name = "fx";
        spec.kind = c.kind;
        spec.params = {0, 0, 0, 0, 0};
        cDbCharaEffect effect;
        ASSERT_EQ(LoadSpec(effect, c.version, spec), 1);
        EXPECT_EQ(effect.strName, "fx");
        EXPECT_EQ(effect.nKind, c.kind);
        EXPECT_EQ(effect.nParam[c.param], c.expected);
    }
}

TEST_F(cDbCharaEffectTest, ReadsKindAndParametersAndSavesThemBack)
{
    ParamEffectSpec spec;
    spec.name = "burst";
    spec.kind = 12;
    spec.params = {10, 100, 5, -16, 16};
    cDbCharaEffect effect;
    ASSERT_EQ(LoadSpec(effect, 720, spec), 1);
    EXPECT_EQ(effect.nKind, 12);
    EXPECT_EQ(effect.nParam[3], -16);
    EXPECT_EQ(effect.nParam[4], 16);
    EXPECT_EQ(SavedBytes(effect), Expected720(spec));
}

TEST_F(cDbCharaEffectTest, NewEntryIsKindOneWithZeroParameters)
{
    cDbCharaEffect effect;
    EXPECT_EQ(effect.nKind, 1);
    for (int p : effect.nParam) {
        EXPECT_EQ(p, 0);
    }
}

}  // namespace
