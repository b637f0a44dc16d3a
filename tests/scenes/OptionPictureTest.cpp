// The option screen's pointers in every back-end configuration: while choosing, the pointer at
// the list cursor; while a value is edited, the held pointer at the entry and the pointer at its
// value. The pointers come from "bmp\Accessory.bmp" (64, 0) and (80, 0), drawn over the screen
// surface every frame.
#include "graphics/DrawTestSupport.h"

#include "graphics/Fade.h"
#include "input/cInput.h"
#include "project/cSystemData.h"
#include "scenes/cOptionData.h"
#include "scenes/cSceneOption.h"
#include "screenbase/cMenuCursor.h"

namespace gfxtest {
namespace {

// The accessory sheet, 128 x 32: the pointer at (64, 0) red, the held pointer at (80, 0) green,
// both solid 16 x 16; the rest transparent.
std::uint32_t AccessorySheet(int x, int y)
{
    if (y >= 16) return 0u;
    if (x >= 64 && x < 80) return 1u;
    if (x >= 80 && x < 96) return 2u;
    return 0u;
}

// One frame with the pad word and buttons held, then one released (the frame that is checked).
void Press(cSceneOption& screen, SHORT dir, SHORT buttons)
{
    Input[0].wDir = dir;
    Input[0].wButton = buttons;
    screen.Main();
    Input[0].wDir = 0;
    Input[0].wButton = 0;
    screen.Main();
}

class OptionPictureTest : public DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        SystemData.SetDefaults();
        OptionData = cOptionData();
        SceneFlow() = cSceneFlow{};
        SceneFlow().m_nFadeSpeed = 90;
        DDResetFadesForTest();
        ResetInput();
        MenuCursor.Reset();
    }
    void TearDown() override
    {
        SceneFlow() = cSceneFlow{};
        DrawTest::TearDown();
    }
};

TEST_P(OptionPictureTest, PointersMarkTheEntryAndTheValueBeingEdited)
{
    OpenWithPalette();
    Write("bmp\\Accessory.bmp", Bmp8(128, 32, AccessorySheet));
    Write("bmp\\Window.bmp", Bmp8(32, 32, [](int, int) { return 6u; }));
    cSceneOption screen;
    for (int i = 0; i < 10 && screen.m_nState != 1; ++i) screen.Main();
    ASSERT_EQ(screen.m_nState, 1);

    struct Pointer {
        int x, y;
        char letter;
    };
    struct Case {
        const char* name;
        SHORT dir, buttons;
        std::vector<Pointer> pointers;
    };
    const int y1 = 96 + 16;  // row 1
    const Case cases[] = {
        {"list cursor on row 1", 8, 0, {{48, y1, 'R'}}},
        {"editing the value of row 1", 0, 1, {{48, y1, 'G'}, {192, y1, 'R'}}},
        {"back to the list", 0, 1, {{48, y1, 'R'}}},
    };
    for (const Case& c : cases) {
        Press(screen, c.dir, c.buttons);
        const RawImage got = Pixels(&BackBuffer);
        ASSERT_EQ(got.size(), 480u);
        int mismatches = 0;
        for (const Pointer& p : c.pointers)
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    if (got[p.y + y][p.x + x] != Raw(p.letter, true) && ++mismatches <= 3)
                        ADD_FAILURE() << c.name << " at (" << p.x + x << ", " << p.y + y << ")";
        EXPECT_EQ(mismatches, 0) << c.name;
        // Nothing is left at row 0 or at the value of row 1 from an earlier frame.
        EXPECT_NE(got[96 + 8][48 + 8], Raw('R', true)) << c.name;
        if (c.pointers.size() == 1) {
            EXPECT_NE(got[y1 + 8][192 + 8], Raw('R', true)) << c.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, OptionPictureTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
