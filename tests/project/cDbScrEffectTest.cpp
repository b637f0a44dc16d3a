#include "project/cDbScrEffect.h"

#include <gtest/gtest.h>

#include "ProjectTestSupport.h"

namespace {

using projecttest::ProjectTest;
using testsupport::ParamEffectSpec;

using cDbScrEffectTest = ProjectTest;

struct UpgradeCase {
    int version;
    int kind;
    int param;  // 0 = p1
    int stored;
    int expected;
};

// Files up to version 510 get the coarseness of the wave and circle kinds from the screen-effect
// parameter table (8, 10 and 8), whatever the file held.
const UpgradeCase kUpgradeCases[] = {
    {510, 6, 4, 0, 8},                                            // "波（横）" p5 "波の粗さ(dot)"
    {510, 7, 4, 33, 10},                                          // "波（縦）" p5
    {300, 10, 3, 0, 8},                                           // "円" p4 "円の粗さ(dot)"
    {511, 6, 4, 0, 0},   {720, 7, 4, 33, 33}, {300, 1, 3, 0, 0},  // "移動" is left as read
    {300, 1, 4, 17, 17}, {510, 4, 4, 0, 0},  // character effects' wave kind numbers mean something else here
};

TEST_F(cDbScrEffectTest, OldFilesGetTheCoarsenessDefault)
{
    for (const UpgradeCase& c : kUpgradeCases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << ", kind " << c.kind << ", p" << c.param + 1);
        ParamEffectSpec spec;
        spec.kind = c.kind;
        spec.params = {10, 0, 0, 0, 0};
        spec.params[static_cast<std::size_t>(c.param)] = c.stored;
        cDbScrEffect effect;
        ASSERT_EQ(LoadSpec(effect, c.version, spec), 1);
        EXPECT_EQ(effect.nKind, c.kind);
        EXPECT_EQ(effect.nParam[0], 10);
        EXPECT_EQ(effect.nParam[c.param], c.expected);
    }
}

TEST_F(cDbScrEffectTest, SavesThe720Layout)
{
    ParamEffectSpec spec;
    spec.name = "shake";
    spec.kind = 2;
    spec.params = {10, 4, 4, 0, 0};
    cDbScrEffect effect;
    ASSERT_EQ(LoadSpec(effect, 300, spec), 1);
    EXPECT_EQ(SavedBytes(effect), Expected720(spec));
}

}  // namespace
