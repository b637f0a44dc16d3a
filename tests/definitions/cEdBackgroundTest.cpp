#include <gtest/gtest.h>

#include "StageTestSupport.h"
#include "definitions/cEdBackground.h"

namespace stagetest {
namespace {

using testsupport::BackgroundSpec;

class cEdBackgroundTest : public StageTest {};

TEST_F(cEdBackgroundTest, ReadsEveryLayout)
{
    BackgroundSpec spec;
    spec.visible = 0;
    spec.fill = 0;
    spec.fillColor = 200;
    spec.layer = 1;
    spec.speedX = 0.5;
    spec.speedY = 2.0;
    spec.autoScrollX = 1;
    spec.picture = "bmp\\sky.bmp";
    spec.offsetX = 12.5;
    spec.dropped0 = 77;
    spec.dropped1 = 78;
    struct Case {
        int version;
        std::int32_t visible;
        double speedX;
        std::int32_t autoScrollX;
        double offsetX;
    };
    // Before 62 the visible flag and the offsets are not stored: they keep the values of a new
    // background; before 61 neither are the speeds and auto-scroll flags.
    const Case cases[] = {
        {720, 0, 0.5, 1, 12.5},
        {62, 0, 0.5, 1, 12.5},
        {61, 1, 0.5, 1, 0.0},
        {60, 1, 0.1, 0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        cEdBackground background;
        ASSERT_EQ(LoadSpec(background, c.version, spec), 1);
        EXPECT_EQ(background.m_bVisible, c.visible);
        EXPECT_EQ(background.m_bFill, 0);
        EXPECT_EQ(background.m_nFillColor, 200);
        EXPECT_EQ(background.m_nLayer, 1);
        EXPECT_DOUBLE_EQ(background.m_dSpeedX, c.speedX);
        EXPECT_EQ(background.m_bAutoScrollX, c.autoScrollX);
        EXPECT_DOUBLE_EQ(background.m_dOffsetX, c.offsetX);
        EXPECT_EQ(background.m_strPicture, "bmp\\sky.bmp");
        EXPECT_EQ(background.MemberTable().size(), 10u);  // registered for 720 again
    }
}

TEST_F(cEdBackgroundTest, ResetIsAVisibleLayerOfColour16)
{
    cEdBackground background;
    background.m_nLayer = 1;
    background.m_strPicture = "x";
    background.Reset();
    EXPECT_EQ(background.m_bVisible, 1);
    EXPECT_EQ(background.m_bFill, 0);
    EXPECT_EQ(background.m_nFillColor, 16);
    EXPECT_EQ(background.m_nLayer, 0);
    EXPECT_DOUBLE_EQ(background.m_dSpeedX, 0.1);
    EXPECT_DOUBLE_EQ(background.m_dSpeedY, 0.1);
    EXPECT_EQ(background.m_strPicture, "");
}

}  // namespace
}  // namespace stagetest
