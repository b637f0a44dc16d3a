// Text objects without drawing: the '#' escapes of variable values, the position modes with the
// screen-fixed rule and the clamp, and the duration counting in and out of waits.
#include <gtest/gtest.h>

#include <string>

#include "ItemsTestSupport.h"
#include "core/TextHelpers.h"
#include "objects/cTextObj.h"
#include "project/cSaveData.h"

namespace {

class TextObjTest : public ::testing::Test {
protected:
    void SetUp() override { savedVar = SaveData.Var; }
    void TearDown() override { SaveData.Var = savedVar; }
    cVector<std::int32_t> savedVar;
};

TEST_F(TextObjTest, EscapesShowVariablesInTheirFormat)
{
    cItemsTestStage stage;
    SaveData.Var.assign(256, 0);
    SaveData.Var[5] = 42;
    SaveData.Var[6] = -7;
    SaveData.Var[7] = 7;
    SaveData.Var[255] = 3;
    stage.field.m_StageVar[3] = 12345;
    stage.field.m_StageVar[254] = 8;
    const struct {
        const char* szIn;
        const char* szOut;
    } cases[] = {
        {"#C5", "42"},
        {"[#C5_3.]", "[ 42]"},  // width 3, the leading zero blanked, the full stop taken
        {"#C5_3Z", "042"},
        {"#C6_2P", "- 7"},
        {"#C7_2P", "+ 7"},
        {"#C7_12", " 7"},  // each width digit replaces the last: width 2
        {"#C5_1", "42"},   // a smaller width does not cut
        {"#c5.#s3.", "4212345"},
        {"#S3_3", "12345"},  // a width below the number's digits does not cut it
        {"#C5x", "42x"},     // another character ends the escape and stays
        {"#C0 #C256 #S0", "#C0 #C256 #S0"},
        {"#S255", "#S255"},  // the stage has 255 variables, 0..254
        {"#S254", "8"},
        {"#C255", "3"},
        {"#C99999999999", "#C99999999999"},
        {"#", "#"},
        {"#_3C5", "#_3C5"},  // after "_" a digit is a width: no variable named
        {"##C5", "#42"},
        {"\x82\xa0#C5", "\x82\xa0"
                        "42"},  // after a double-byte character
        {"#CS5", "42"},         // the common variables win
    };
    for (const auto& c : cases) {
        std::string text = c.szIn;
        cTextObj::ExpandEscapes(text);
        EXPECT_EQ(text, c.szOut) << c.szIn;
    }
}

// A text object of size w x h with position values; its step is taken without surface work
// (kind 0 draws nothing and needs no surface).
cTextObj At(int nPosMode, int nCellX, int nCellY, int nDotX, int nDotY, int w, int h, int nAnchor = cTextObj::kNoAnchor)
{
    cTextObj t;
    t.nKind = 0;
    t.nPosMode = nPosMode;
    t.nCellX = nCellX;
    t.nCellY = nCellY;
    t.nDotX = nDotX;
    t.nDotY = nDotY;
    t.nWidth = w;
    t.nHeight = h;
    t.nAnchor = nAnchor;
    t.bScreenFixed = 1;
    return t;
}

TEST_F(TextObjTest, PositionModesPlaceTheObjectOnTheScreen)
{
    cItemsTestStage stage;
    // The camera shows the field from (320, 320) on; the hero's graphic is 32 x 32 at its box.
    cPlayer& hero = stage.Hero(400, 360);
    cChara& chara = stage.AddChara(100, 1, 500.75, 380.5);
    chara.gfxOffsetX = 4;
    chara.gfxOffsetY = 8;
    chara.gfxWidth = 40;
    chara.gfxHeight = 48;
    const int sx = 320;
    const int sy = 320;
    const int cx = static_cast<int>(500.75 - sx) - 50 + 20 - 4;  // the character's centre less half of 100
    const struct {
        const char* szName;
        cTextObj obj;
        int x, y;
    } cases[] = {
        {"screen centre", At(0, 0, 0, 10, -20, 100, 20), 10 - 50 + 320, -20 - 10 + 240},
        {"screen coordinates", At(7, 2, 3, 5, 6, 100, 20), 69, 102},
        {"stage coordinates", At(8, 2, 3, 5, 6, 100, 20), 32 * 12 + 5 - sx, 32 * 13 + 6 - sy},
        {"above itself", At(1, 0, 0, 1, 2, 100, 20, 100), cx + 1, static_cast<int>(380.5 - sy) - 8 - 20 + 2},
        {"below itself", At(2, 0, 0, 0, 0, 100, 20, 100), cx, static_cast<int>(380.5 - sy) - 8 + 48 + 1},
        {"on itself", At(3, 0, 0, 0, 0, 100, 20, 100), cx, static_cast<int>(380.5 - sy) - 10 + 24 - 8},
        {"above the hero", At(4, 0, 0, 0, 0, 16, 16, 1), 400 - sx - 8 + 16, 360 - sy - 16},
    };
    (void)hero;
    for (auto c : cases) {
        EXPECT_EQ(c.obj.Step(0, 0), 0) << c.szName;
        EXPECT_EQ(c.obj.nScreenX, c.x) << c.szName;
        EXPECT_EQ(c.obj.nScreenY, c.y) << c.szName;
    }
}

TEST_F(TextObjTest, ClampKeepsTheObjectOnTheScreenBelowTheTopLine)
{
    cItemsTestStage stage;
    const struct {
        int nDotX, nDotY, w, h, x, y;
    } cases[] = {
        {-400, -300, 100, 20, 0, 20},               // beyond the left and the top
        {300, 250, 100, 20, 540, 460},              // beyond the right and the bottom
        {-1 - 270, 0, 100, 20, 0, 230},             // x = -1
        {269 - 270, 0, 100, 20, 269, 230},          // x + w = 369: inside
        {539 - 270, 0, 100, 20, 540, 230},          // x + w = 639 counts as outside: 540
        {538 - 270, 458 - 230, 100, 20, 538, 458},  // y + h = 478: inside
        {0, 459 - 230, 100, 20, 270, 460},          // y + h = 479 counts as outside
        {0, 0, 800, 20, 0, 230},                    // wider than the screen, from the left
        {90, 0, 800, 20, 640 - 800, 230},           // x = 10: ends at the right edge
    };
    for (const auto& c : cases) {
        cTextObj t = At(0, 0, 0, c.nDotX, c.nDotY, c.w, c.h);
        t.bClamp = 1;
        t.Step(0, 0);
        EXPECT_EQ(t.nScreenX, c.x) << c.nDotX << "," << c.nDotY;
        EXPECT_EQ(t.nScreenY, c.y) << c.nDotX << "," << c.nDotY;
    }
}

TEST_F(TextObjTest, ScreenFixedRuleForAnchoredAndScreenObjects)
{
    cItemsTestStage stage;
    cChara& chara = stage.AddChara(100, 1, 500, 400);
    cTextObj fixed = At(1, 0, 0, 0, 0, 32, 16, 100);
    cTextObj follow = At(1, 0, 0, 0, 0, 32, 16, 100);
    follow.bScreenFixed = 0;
    cTextObj onScreen = At(0, 0, 0, 0, 0, 32, 16);
    cTextObj onStage = At(0, 0, 0, 0, 0, 32, 16);
    onStage.bScreenFixed = 0;
    for (cTextObj* t : {&fixed, &follow, &onScreen, &onStage}) t->Step(0, 0);
    const int x0 = fixed.nScreenX;
    chara.x += 40;
    stage.field.m_ScrollX.dPos += 25;
    for (cTextObj* t : {&fixed, &follow, &onScreen, &onStage}) t->Step(0, 1);
    EXPECT_EQ(fixed.nScreenX, x0) << "stays where it appeared on the screen";
    EXPECT_EQ(follow.nScreenX, x0 + 40 - 25) << "follows its character";
    EXPECT_EQ(onScreen.nScreenX, 320 - 16) << "stays on the screen";
    EXPECT_EQ(onStage.nScreenX, 320 - 16 - 25) << "scrolls with the stage";
}

TEST_F(TextObjTest, TimedObjectsCountFramesAndEndWhenTheirCharacterIsGone)
{
    cItemsTestStage stage;
    cTextObj t = At(0, 0, 0, 0, 0, 16, 16);
    t.nDurationMode = 2;
    t.nRemaining = 2;
    EXPECT_EQ(t.Step(1, 0), 0);  // a wait does not count without count-during-wait
    EXPECT_EQ(t.nRemaining, 2);
    EXPECT_EQ(t.Step(0, 0), 0);
    EXPECT_EQ(t.Step(0, 0), 0);
    EXPECT_EQ(t.Step(0, 0), 1) << "ends when the count goes below 0";
    cTextObj w = At(0, 0, 0, 0, 0, 16, 16);
    w.nDurationMode = 2;
    w.nRemaining = 0;
    w.bCountDuringWait = 1;
    EXPECT_EQ(w.Step(1, 0), 1);

    cTextObj untilKey = At(0, 0, 0, 0, 0, 16, 16);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(untilKey.Step(0, i), 0);

    // A text attached to a character that is gone ends; an icon stays where it was.
    cTextObj text = At(2, 0, 0, 0, 0, 16, 16, 77);
    text.nKind = 1;
    EXPECT_EQ(text.Step(0, 0), 1);
    cTextObj icon = At(5, 0, 0, 0, 0, 16, 16, 77);
    icon.nKind = 3;
    icon.nScreenX = 33;
    EXPECT_EQ(icon.Step(0, 0), 0);
    EXPECT_EQ(icon.nScreenX, 33);
}

TEST_F(TextObjTest, TimerAndIconsAreMadeWithTheirFixedValues)
{
    cItemsTestStage stage;
    const cTextObj timer = cTextObj::MakeTimer(90);
    EXPECT_EQ(timer.nKind, 0);
    EXPECT_EQ(timer.nDurationMode, 2);
    EXPECT_EQ(timer.nRemaining, 90);
    EXPECT_EQ(timer.bCountDuringWait, 1);
    EXPECT_EQ(timer.lpTextSurface, nullptr);
    const cTextObj icon(cTextObj::IconParams(2, 1, 7, 3, 1));
    EXPECT_EQ(icon.nWidth, 16);
    EXPECT_EQ(icon.nPosMode, 4);
    EXPECT_EQ(icon.nRemaining, 30);
    EXPECT_EQ(icon.bScreenFixed, 1);
    EXPECT_EQ(icon.bCountDuringWait, 0);
    EXPECT_EQ(cTextObj(cTextObj::IconParams(3, 0, 0, 0, 1)).bCountDuringWait, 1);
}

}  // namespace
