// Where a shot's picture comes from: its cell in the shot sheet (two frames per graphic, 30
// graphics to a column pair), the alternation of its two frames every 8 draws, and draws that
// read the frame without stepping it.
#include <gtest/gtest.h>

#include <vector>

#include "objects/shot/ShotDraw.h"

namespace {

TEST(ShotDrawTest, SheetCellOfAGraphicAndFrame)
{
    struct Case {
        int graphic, frame;
        bool ok;
        int sx, sy;
    };
    const Case cases[] = {
        {0, 0, true, 0, 0},       {0, 1, true, 16, 0},   {29, 1, true, 16, 29 * 16}, {30, 0, true, 32, 0},
        {119, 1, true, 112, 464}, {120, 0, false, 0, 0}, {-1, 0, false, 0, 0},       {5, -4, false, 0, 0},
    };
    for (const Case& c : cases) {
        int sx = -1;
        int sy = -1;
        EXPECT_EQ(ShotSheetCell(c.graphic, c.frame, sx, sy), c.ok) << c.graphic << "/" << c.frame;
        if (c.ok) {
            EXPECT_EQ(sx, c.sx);
            EXPECT_EQ(sy, c.sy);
        }
    }
}

TEST(ShotDrawTest, ShotFramesAlternateEveryEightDraws)
{
    cShot shot;
    shot.anime.SetPatterns(&ShotPatterns());
    shot.anime.SetPattern(1, 1);
    SHOTDRAWSOURCES sources;
    std::vector<int> frames;
    for (int i = 0; i < 20; ++i) {
        DrawShot(shot, nullptr, 0, sources);
        frames.push_back(shot.anime.GetFrame());
        DrawShot(shot, nullptr, 1, sources);  // reads without stepping
        EXPECT_EQ(shot.anime.GetFrame(), frames.back());
    }
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(frames[i], ((i + 1) / 8) % 2) << i;
    }
}

TEST(ShotDrawTest, SheetSlotIsTheFirstCopyWithoutDirectDraw)
{
    EXPECT_EQ(ChooseSheetSlot(20, 0), 20);
    EXPECT_EQ(ChooseSheetSlot(21, 1), 21);
}

}  // namespace
