// The menu cursor: its stack, the wrapping grid and the scrolling list.
#include <gtest/gtest.h>

#include "input/cInput.h"
#include "screenbase/cMenuCursor.h"

namespace {

class MenuCursorTest : public ::testing::Test {
protected:
    void SetUp() override { cursor.Reset(); }
    cMenuCursor cursor;
};

TEST_F(MenuCursorTest, ResetLeavesOneZeroedElement)
{
    cursor.Push(0);
    cursor.m_pCur->nRow = 3;
    cursor.Reset();
    ASSERT_EQ(cursor.m_Stack.size(), 1u);
    EXPECT_EQ(cursor.m_pCur, &cursor.m_Stack[0]);
    EXPECT_EQ(cursor.m_pPrev, nullptr);
    EXPECT_EQ(cursor.m_pCur->nRow, 0);
}

TEST_F(MenuCursorTest, PushKeepsParentAndModeOneCopiesIt)
{
    cursor.m_pCur->nRow = 2;
    cursor.m_pCur->x = 40;
    CURSORPOS* prev = cursor.Push(1);
    ASSERT_EQ(cursor.m_Stack.size(), 2u);
    EXPECT_EQ(prev, cursor.m_pPrev);
    EXPECT_EQ(prev->nRow, 2);
    EXPECT_EQ(cursor.m_pCur->nRow, 2);  // the sub-menu starts at the parent's position
    EXPECT_EQ(cursor.m_pCur->x, 40);
    cursor.Push(0);
    EXPECT_EQ(cursor.m_pCur->nRow, 0);
    EXPECT_EQ(cursor.m_pPrev->nRow, 2);
}

TEST_F(MenuCursorTest, PopModes)
{
    struct Case {
        int mode;
        int expectRow;
    };
    for (Case c : {Case{0, 0}, Case{1, 5}, Case{2, 7}}) {
        cursor.Reset();
        cursor.m_pCur->nRow = 5;
        cursor.Push(0);
        cursor.m_pCur->nRow = 7;
        cursor.Pop(c.mode);
        ASSERT_EQ(cursor.m_Stack.size(), 1u) << c.mode;
        EXPECT_EQ(cursor.m_pCur->nRow, c.expectRow) << c.mode;
        EXPECT_EQ(cursor.m_pPrev, nullptr);
    }
}

TEST_F(MenuCursorTest, PopWithOneElementChangesNothing)
{
    cursor.m_pCur->nRow = 4;
    cursor.Pop(0);
    ASSERT_EQ(cursor.m_Stack.size(), 1u);
    EXPECT_EQ(cursor.m_pCur->nRow, 4);
}

TEST_F(MenuCursorTest, GridWrapsAndPlacesTheCursor)
{
    struct Case {
        int row;
        SHORT pad;
        int expectRow;
    };
    // Five rows: down from the last row gives row 0, up from row 0 gives row 4.
    for (Case c : {Case{4, DIR_DOWN, 0}, Case{0, DIR_UP, 4}, Case{2, DIR_DOWN, 3}, Case{2, 0, 2},
                   Case{2, DIR_UP | DIR_DOWN, 1}}) {
        cursor.m_pCur->nRow = c.row;
        cursor.m_pCur->nCol = 0;
        cursor.MoveGrid(&c.pad, 100, 200, 0, 32, 1, 5);
        EXPECT_EQ(cursor.m_pCur->nRow, c.expectRow) << c.row << " pad " << c.pad;
        EXPECT_EQ(cursor.m_pCur->y, 200 + 32 * c.expectRow);
        EXPECT_EQ(cursor.m_pCur->x, 100);
    }
    const SHORT left = DIR_LEFT;
    cursor.m_pCur->nCol = 0;
    cursor.MoveGrid(&left, 10, 0, 20, 0, 3, 1);
    EXPECT_EQ(cursor.m_pCur->nCol, 2);
    EXPECT_EQ(cursor.m_pCur->x, 10 + 20 * 2);
    const SHORT down = DIR_DOWN;
    cursor.m_pCur->nRow = 1;
    cursor.MoveGrid(&down, 0, 0, 0, 16, -1, 5);  // a negative count leaves the cursor alone
    EXPECT_EQ(cursor.m_pCur->nRow, 1);
}

TEST_F(MenuCursorTest, ListPagesAndClamps)
{
    // 25 entries, 10 shown, paging on.
    int top = 0;
    const SHORT right = DIR_RIGHT;
    const SHORT none = 0;
    cursor.MoveList(&right, 1, &top, 160, 16, 152, 10, 25, 1);
    EXPECT_EQ(top, 9);
    EXPECT_EQ(cursor.m_pCur->nRow, 9);
    cursor.MoveList(&right, 1, &top, 160, 16, 152, 10, 25, 1);
    EXPECT_EQ(top, 15);
    EXPECT_EQ(cursor.m_pCur->nRow, 18);
    EXPECT_EQ(cursor.m_pCur->y, 160 + 16 * (18 - 15));
    EXPECT_EQ(cursor.m_pCur->x, 152);
    cursor.MoveList(&right, 1, &top, 160, 16, 152, 10, 25, 1);
    EXPECT_EQ(top, 15);
    EXPECT_EQ(cursor.m_pCur->nRow, 24);
    cursor.MoveList(&none, 1, &top, 160, 16, 152, 10, 25, 1);
    EXPECT_EQ(cursor.m_pCur->nRow, 24);
}

TEST_F(MenuCursorTest, ShortListStopsAtItsEnds)
{
    int top = 0;
    const SHORT down = DIR_DOWN;
    const SHORT up = DIR_UP;
    for (int i = 0; i < 5; ++i) {
        cursor.MoveList(&down, 1, &top, 0, 16, 0, 10, 3, 1);
    }
    EXPECT_EQ(top, 0);
    EXPECT_EQ(cursor.m_pCur->nRow, 2);
    for (int i = 0; i < 5; ++i) {
        cursor.MoveList(&up, 1, &top, 0, 16, 0, 10, 3, 1);
    }
    EXPECT_EQ(cursor.m_pCur->nRow, 0);
    // A horizontal list moves the column and keeps y fixed.
    const SHORT right = DIR_RIGHT;
    cursor.MoveList(&down, 0, &top, 50, 8, 300, 4, 4, 0);
    EXPECT_EQ(cursor.m_pCur->nCol, 1);
    EXPECT_EQ(cursor.m_pCur->x, 58);
    EXPECT_EQ(cursor.m_pCur->y, 300);
    cursor.MoveList(&right, 0, &top, 50, 8, 300, 4, 4, 0);  // paging off: right does nothing
    EXPECT_EQ(cursor.m_pCur->nCol, 1);
    // An empty list keeps the index at 0.
    cursor.MoveList(&down, 1, &top, 0, 16, 0, 10, 0, 1);
    EXPECT_EQ(cursor.m_pCur->nRow, 0);
}

}  // namespace
