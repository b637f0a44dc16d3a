// Where the hero's extras are drawn: the window of the view mask (centred on the hero, ahead of
// it for the forward shapes, clamped at the picture's edges) and the box display's positions and
// cycling shades.
#include <gtest/gtest.h>

#include "objects/chara/PlayerDraw.h"

namespace {

struct MASKCASE {
    int nShape;
    int nFacing;
    int nScreenLeft;
    int nScreenTop;
    int nViewRange;
    int nExpectX;
    int nExpectY;
};

TEST(PlayerDrawTest, ViewMaskWindowFollowsTheHeroAndStaysInsideThePicture)
{
    // A 1280 x 960 mask and a 32 x 32 graphic: centred means 640 - 16 - left, 480 - 16 - top.
    const MASKCASE cases[] = {
        {1, 1, 100, 200, 0, 640 - 16 - 100, 480 - 16 - 200},
        {1, 1, -200, -100, 0, 640, 480},  // near the stage's far edge: clamped to the picture
        {3, 0, 700, 500, 0, 0, 0},
        {2, 1, 300, 200, 64, 640 - 16 - 300 + 16 - 64, 480 - 16 - 200},
        {4, 0, 300, 200, 64, 640 - 16 - 300 - 16 + 64, 480 - 16 - 200},
    };
    for (const MASKCASE& c : cases) {
        cPlayer hero;
        hero.gfxWidth = hero.gfxHeight = 32;
        hero.def.m_nViewShape = static_cast<std::int8_t>(c.nShape);
        hero.facing = c.nFacing;
        hero.screenLeft = c.nScreenLeft;
        hero.screenTop = c.nScreenTop;
        hero.viewRange = c.nViewRange;
        int sx = -1;
        int sy = -1;
        ViewMaskWindow(hero, 1280, 960, sx, sy);
        EXPECT_EQ(sx, c.nExpectX) << c.nShape << " at " << c.nScreenLeft;
        EXPECT_EQ(sy, c.nExpectY) << c.nShape << " at " << c.nScreenTop;
    }
    // A picture smaller than the view shows its corner.
    cPlayer hero;
    int sx = -1;
    int sy = -1;
    ViewMaskWindow(hero, 320, 240, sx, sy);
    EXPECT_EQ(sx, 0);
    EXPECT_EQ(sy, 0);
}

TEST(PlayerDrawTest, BoxDisplayPlacesEachBoxAndCyclesFourShades)
{
    cPlayer hero;
    hero.screenLeft = 50;
    hero.screenTop = 60;
    hero.gfxOffsetX = 4;
    hero.gfxOffsetY = 8;
    hero.itemBox.Set(-2, -3, 36, 40);
    BOXDISPLAY hit;
    hit.kind = 0;
    BOXDISPLAY item;
    item.kind = 2;
    int x = 0;
    int y = 0;
    BoxDisplayRect(hero, hit, x, y);
    EXPECT_EQ(x, 54);
    EXPECT_EQ(y, 68);
    BoxDisplayRect(hero, item, x, y);
    EXPECT_EQ(x, 52);
    EXPECT_EQ(y, 65);

    hero.boxDisplay.clear();
    BOXDISPLAY shown;
    shown.mode = 2;
    shown.colour = 212;
    BOXDISPLAY hidden;
    hidden.mode = 0;
    hero.boxDisplay.push_back(shown);
    hero.boxDisplay.push_back(hidden);
    for (int frame = 0; frame < 40; ++frame) {
        EXPECT_EQ(BoxDisplayColour(hero.boxDisplay[0], false), 212 + (frame % 32) / 8);
        EXPECT_EQ(BoxDisplayColour(hero.boxDisplay[0], true), 212);
        DrawBoxDisplay(hero, nullptr);
    }
    EXPECT_EQ(hero.boxDisplay[0].phase, 40 % 32);
    EXPECT_EQ(hero.boxDisplay[1].phase, 0) << "hidden boxes do not cycle";
}

}  // namespace
