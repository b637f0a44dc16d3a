#include "project/EffectParamTable.h"

#include <gtest/gtest.h>

#include "core/TextHelpers.h"

namespace {

TEST(EffectParamTableTest, TablesHoldFiveDescriptorsPerKind)
{
    ASSERT_EQ(CharaEffectParamTable().size(), 17u * 5u);
    ASSERT_EQ(ScrEffectParamTable().size(), 14u * 5u);
    // Kind 0 is "none": five empty descriptors.
    for (int p = 0; p < 5; ++p) {
        EXPECT_EQ(CharaEffectParamTable()[p].strName, "");
        EXPECT_EQ(ScrEffectParamTable()[p].nDefault, 0);
    }
}

TEST(EffectParamTableTest, NumbersAreSixteenBitSigned)
{
    const PARAMDESC& startX = ScrEffectParamTable()[1 * 5 + 1];
    EXPECT_EQ(startX.strName, Sjis("開始座標X(dot)"));
    EXPECT_EQ(startX.nMin, -640);
    EXPECT_EQ(startX.nMax, 640);
    const PARAMDESC& shiftX = CharaEffectParamTable()[12 * 5 + 3];
    EXPECT_EQ(shiftX.strName, Sjis("ズレX(dot)"));
    EXPECT_EQ(shiftX.nMin, -16);
}

TEST(EffectParamTableTest, DefaultsReadByTheUpgradeOfOldFiles)
{
    EXPECT_EQ(CharaEffectParamDefault(4, 4), 2);
    EXPECT_EQ(CharaEffectParamDefault(5, 4), 2);
    EXPECT_EQ(CharaEffectParamDefault(10, 3), 2);
    EXPECT_EQ(ScrEffectParamDefault(6, 4), 8);
    EXPECT_EQ(ScrEffectParamDefault(7, 4), 10);
    EXPECT_EQ(ScrEffectParamDefault(10, 3), 8);
    EXPECT_EQ(CharaEffectParamDefault(17, 0), 0);
    EXPECT_EQ(ScrEffectParamDefault(-1, 0), 0);
}

}  // namespace
