// What the stage drawing decides before it draws: where the status bar puts its entries, how
// wide a gauge's fill is, how auto-scrolling backgrounds wrap, which block-map cells are drawn
// where, and which message line a play shows.
#include "StageFixture.h"

#include <cmath>
#include <limits>

#include "definitions/cEdStage.h"
#include "graphics/SurfaceCatalogue.h"
#include "objects/StageObjects.h"
#include "project/cSystemData.h"
#include "stage/StageShellFlags.h"
#include "stage/draw/StatusBarLayout.h"

namespace stagetest {
namespace {

cHudItem Item(int visible, int icon, const char* label, int digits)
{
    cHudItem item;
    item.bVisible = visible;
    item.bIcon = icon;
    item.strLabel = label;
    item.nDigits = digits;
    return item;
}

TEST(StatusBarLayoutTest, ShownEntriesShareTheBarWithEqualGaps)
{
    struct Case {
        const char* name;
        std::vector<cHudItem> items;  // total score, score, HP, SP, lives
        std::vector<int> shown;
        std::vector<int> widths;
    };
    const Case cases[] = {
        {"lives alone, icon and 2 digits",
         {Item(0, 0, "", 6), Item(0, 0, "", 6), Item(0, 0, "", 0), Item(0, 0, "", 0), Item(1, 1, "", 2)},
         {4},
         {16 + 2 * 16}},
        {"labels count 16 per character, gauges 50",
         {Item(1, 0, "SCORE", 6), Item(0, 0, "", 0), Item(1, 0, "HP", 3), Item(1, 1, "", 0), Item(0, 0, "", 0)},
         {0, 2, 3},
         {5 * 16 + 6 * 16, 2 * 16 + 50, 16 + 50}},
        {"double-byte label characters count once",
         {Item(0, 0, "", 0),
          Item(1, 0,
               "\x83"
               "X"
               "\x83"
               "R"
               "\x83"
               "A",
               4),
          Item(0, 0, "", 0), Item(0, 0, "", 0), Item(0, 0, "", 0)},
         {1},
         {3 * 16 + 4 * 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cVector<cHudItem> items;
        for (const cHudItem& item : c.items) items.push_back(item);
        int gap = 0;
        const std::vector<HUDSLOT> slots = LayoutStatusBar(items, &gap);
        int sum = 0;
        for (int w : c.widths) sum += w;
        const int expectGap = (638 - sum) / (static_cast<int>(c.widths.size()) + 1);
        EXPECT_EQ(gap, expectGap);
        ASSERT_EQ(slots.size(), c.shown.size());
        int x = expectGap;
        for (std::size_t i = 0; i < slots.size(); ++i) {
            EXPECT_EQ(slots[i].nItem, c.shown[i]);
            EXPECT_EQ(slots[i].nWidth, c.widths[i]);
            EXPECT_EQ(slots[i].x, x);
            x += c.widths[i] + expectGap;
        }
    }
    // A digit count beyond the bar's width counts as the bar's width.
    cVector<cHudItem> wide;
    wide.resize(5);
    wide[0] = Item(1, 1, "", 0x7FFFFFFF);
    int wideGap = 0;
    ASSERT_EQ(LayoutStatusBar(wide, &wideGap).size(), 1u);
    EXPECT_EQ(LayoutStatusBar(wide)[0].nWidth, 16 + 40 * 16);
    EXPECT_EQ(wideGap, (638 - (16 + 40 * 16)) / 2);
    // Nothing shown: no entry.
    cVector<cHudItem> none;
    none.resize(5);
    EXPECT_TRUE(LayoutStatusBar(none).empty());
}

TEST(StatusBarLayoutTest, GaugeFillsStayInsideTheirFrame)
{
    const int cases[][3] = {{7, 10, 35}, {10, 10, 50}, {25, 10, 50}, {-3, 10, 0}, {5, 0, 0}, {1, 4, 12}, {0, 4, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(GaugeFillWidth(c[0], c[1]), c[2]) << c[0] << " of " << c[1];
    }
}

TEST(ViewMaskRadiusTest, GameDataCannotAskForAnyMaskSize)
{
    const int cases[][2] = {{0, 0}, {48, 48}, {640, 640}, {641, 640}, {16 * 0x7FFF, 640}, {-16, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(ViewMaskRadius(c[0]), c[1]) << c[0];
    }
}

class StageDrawLogic : public StageFixture {
protected:
    void TearDown() override
    {
        for (int i = 55; i < 58; ++i) {
            SDTable[i].nWidth = 0;
            SDTable[i].nHeight = 0;
        }
        StageShell.Reset();
        StageFixture::TearDown();
    }
};

TEST_F(StageDrawLogic, AutoScrollingBackgroundsWrapAtTheirPictureSize)
{
    ASSERT_TRUE(LoadAndEnter());
    struct Case {
        double offset;
        double speed;
        int width;  // 0: the picture failed to load
        double expect;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {{0.0, 3.0, 100, 97.0}, {99.0, -2.0, 100, 1.0}, {50.0, 0.5, 100, 49.5},
                          {5.0, 3.0, 0, 5.0},    {5.0, inf, 100, 0.0},   {5.0, std::nan(""), 100, 0.0}};
    for (const Case& c : cases) {
        Stage.m_Background.clear();
        Stage.m_Background.resize(1);
        cEdBackground& bg = Stage.m_Background[0];
        bg.m_bAutoScrollX = 1;
        bg.m_bAutoScrollY = 1;
        bg.m_dSpeedX = c.speed;
        bg.m_dSpeedY = c.speed;
        bg.m_dOffsetX = c.offset;
        bg.m_dOffsetY = c.offset;
        SDTable[55].nWidth = c.width;
        SDTable[55].nHeight = c.width;
        Scene().ScrollBackgrounds();
        EXPECT_DOUBLE_EQ(bg.m_dOffsetX, c.expect) << c.offset << " - " << c.speed;
        EXPECT_DOUBLE_EQ(bg.m_dOffsetY, c.expect) << c.offset << " - " << c.speed;
    }
}

TEST_F(StageDrawLogic, OnlyDrawableCellsUnderTheCameraAreDrawnAtTheirScreenPlaces)
{
    ASSERT_TRUE(LoadAndEnter());
    cSceneStage& scene = Scene();
    for (MAPCELL& cell : StageMap) {
        cell.m_nGraphic = 0;
    }
    const int shift = scene.m_ScrollX.nPitchShift;
    const auto cellAt = [&](int column, int row) -> MAPCELL& {
        return StageMap[static_cast<int>(column + (row << shift))];
    };
    // The camera 40 pixels right of and 10 below the field's margin: first cell (11, 10),
    // cells moved left by 40 & 31 = 8 and up by 10.
    scene.m_ScrollX.dPos = 320 + 40;
    scene.m_ScrollY.dPos = 320 + 10;
    struct Put {
        int column;
        int row;
        int layer;
        int hidden;
    };
    const Put puts[] = {
        {12, 10, 0, 0},            // drawn at (32 - 8, -10)
        {11, 11, 1, 0},            // layer 1 only
        {13, 12, 0, 1},            // hidden
        {11 + 21, 10, 0, 0},       // one column past the 21 drawn
        {11 + 20, 10 + 15, 0, 0},  // the last cell drawn
    };
    for (const Put& p : puts) {
        MAPCELL& cell = cellAt(p.column, p.row);
        cell.m_nGraphic = 1;
        cell.m_nDrawLayer = static_cast<std::int8_t>(p.layer);
        cell.m_bHidden = static_cast<std::int8_t>(p.hidden);
    }
    const std::vector<MAPCELLDRAW> layer0 = scene.VisibleMapCells(0);
    ASSERT_EQ(layer0.size(), 2u);
    EXPECT_EQ(layer0[0].nCell, 12 + (10 << shift));
    EXPECT_EQ(layer0[0].x, 32 * 1 - 8);
    EXPECT_EQ(layer0[0].y, -10);
    EXPECT_EQ(layer0[1].x, 32 * 20 - 8);
    EXPECT_EQ(layer0[1].y, 32 * 15 - 10);
    const std::vector<MAPCELLDRAW> layer1 = scene.VisibleMapCells(1);
    ASSERT_EQ(layer1.size(), 1u);
    EXPECT_EQ(layer1[0].x, -8);
    EXPECT_EQ(layer1[0].y, 32 - 10);

    // A camera outside the field draws no cell of it.
    scene.m_ScrollX.dPos = -5000;
    EXPECT_TRUE(scene.VisibleMapCells(0).empty());
}

TEST_F(StageDrawLogic, AHiddenBlockOnTheScreenLatchesItsOnceOnlyConditions)
{
    ASSERT_TRUE(LoadAndEnter());
    cSceneStage& scene = Scene();
    scene.m_ScrollX.dPos = 320;
    scene.m_ScrollY.dPos = 320;
    cEdCondition stageVarIsZero;
    stageVarIsZero.m_nKind = 2;
    stageVarIsZero.m_nIndex = 0;
    stageVarIsZero.m_nValue = 0;
    stageVarIsZero.m_nCompare = 0;
    struct Case {
        const char* name;
        int hidden;
        int layer;
        int latched;  // the satisfied flag after one drawing of layer 0
    };
    for (const Case& c : {Case{"shown", 0, 0, 1}, Case{"hidden", 1, 0, 1}, Case{"other layer", 1, 1, 0}}) {
        SCOPED_TRACE(c.name);
        MAPCELL& cell = StageMap[static_cast<int>(12 + (12 << scene.m_ScrollX.nPitchShift))];
        cell.m_nGraphic = 1;
        cell.m_nDrawLayer = static_cast<std::int8_t>(c.layer);
        cell.m_bHidden = static_cast<std::int8_t>(c.hidden);
        cell.m_bCondOnce = 1;
        cell.m_Condition.clear();
        cell.m_Condition.push_back(stageVarIsZero);
        cell.nValue = 0;
        scene.VisibleMapCells(0);
        EXPECT_EQ(cell.nValue, c.latched);
    }
}

TEST_F(StageDrawLogic, OnlyDirectAndTestPlayShowAMessageLine)
{
    ASSERT_TRUE(LoadAndEnter());
    const int cases[][3] = {{0, 0, -1}, {1, 0, 26}, {0, 1, 25}, {1, 1, 26}};
    for (const auto& c : cases) {
        StageShell.bDirectPlay = c[0];
        StageShell.bTestPlay = c[1];
        EXPECT_EQ(Scene().MessageLineText(), c[2]) << c[0] << c[1];
    }
}

}  // namespace
}  // namespace stagetest
