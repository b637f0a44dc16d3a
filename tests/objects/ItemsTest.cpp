// Items and the item-command table: the item's set-up, grid placement and growth, its overlay
// icon cell; the table running an item's list in order (unknown kinds doing nothing), and the
// flow change of the hero, deferred while the hero's own flows run.
#include <gtest/gtest.h>

#include "ItemsTestSupport.h"
#include "definitions/cEdStage.h"
#include "objects/item/ItemCommandTable.h"
#include "objects/item/cItem.h"

namespace {

class ItemsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_nItemW = Stage.m_nItemW;
        m_nItemH = Stage.m_nItemH;
        Stage.m_nItemW = 28;
        Stage.m_nItemH = 24;
    }
    void TearDown() override
    {
        Stage.m_nItemW = m_nItemW;
        Stage.m_nItemH = m_nItemH;
    }
    int m_nItemW = 0;
    int m_nItemH = 0;
};

TEST_F(ItemsTest, SetUpCentresTheGraphicOnTheHitBoxAndCorrectsSizeZero)
{
    cItemsTestStage stage;
    cEdItem d;
    d.m_nScale = 0;
    d.m_nGraphic = 7;
    cItem item;
    item.InitFromDef(5, d, 0);
    EXPECT_EQ(d.m_nScale, 1) << "the definition given is corrected";
    EXPECT_EQ(item.def.m_nScale, 1);
    EXPECT_EQ(item.source, 5);
    EXPECT_EQ(item.pictureNumber, 7);
    EXPECT_EQ(item.hitWidth, 28);
    EXPECT_EQ(item.hitHeight, 24);
    EXPECT_EQ(item.gfxOffsetX, 16 - 14);
    EXPECT_EQ(item.gfxOffsetY, 16 - 12);
    EXPECT_EQ(item.gfxWidth, 32);
    EXPECT_EQ(item.noGravity, 1);
    EXPECT_EQ(item.blockMode, 0) << "passes blocks";
    EXPECT_EQ(item.bHeld, 0);

    // Placed on stage cell (3, 4): the graphic's left is the cell's plus half a pixel.
    item.SetGridPos(3, 4);
    EXPECT_DOUBLE_EQ(item.x, 32.0 * (3 + 10) + 2 + 0.5);
    EXPECT_DOUBLE_EQ(item.y, 32.0 * (4 + 10) + 4);
    EXPECT_DOUBLE_EQ(item.right, item.x + 27);
}

TEST_F(ItemsTest, AHeldItemIsActiveAtOnceAndUnscaled)
{
    cItemsTestStage stage;
    cEdItem d;
    d.m_nScale = 3;
    cItem item;
    item.InitFromDef(1, d, 1);
    EXPECT_EQ(item.bHeld, 1);
    EXPECT_EQ(item.active, 1);
    EXPECT_EQ(item.hitWidth, 28);
    EXPECT_EQ(item.def.m_nScale, 3);
}

TEST_F(ItemsTest, ABigItemGrowsUpwardFromItsCell)
{
    cItemsTestStage stage;
    cEdItem d;
    d.m_nScale = 2;
    cItem item;
    item.InitFromDef(1, d, 0);
    item.SetGridPos(3, 4);
    // Size 1 would lie at y0 with its graphic's bottom at y0 - 4 + 31.
    const double y0 = 32.0 * (4 + 10) + 4;
    EXPECT_EQ(item.hitHeight, 48);
    EXPECT_EQ(item.gfxHeight, 64);
    EXPECT_DOUBLE_EQ(item.y, y0 - (2 - 1) * (24 + 4));
    EXPECT_DOUBLE_EQ(item.y - item.gfxOffsetY + item.gfxHeight - 1, y0 - 4 + 31) << "the graphic's bottom stays";
    // The width grows about the centre.
    EXPECT_DOUBLE_EQ(item.x, 32.0 * (3 + 10) + 2 + 0.5 - 14);
}

TEST(ItemsOverlayTest, OverlayIconsRunDownColumnsOfFifteen)
{
    const struct {
        int n, sx, sy;
    } cases[] = {{0, 0, 0}, {14, 0, 448}, {15, 32, 0}, {16, 32, 32}, {119, 224, 448}};
    for (const auto& c : cases) {
        int sx = -1;
        int sy = -1;
        cItem::OverlayIconCell(c.n, sx, sy);
        EXPECT_EQ(sx, c.sx) << c.n;
        EXPECT_EQ(sy, c.sy) << c.n;
    }
}

TEST(ItemPatternTest, TwoLockedCellsOfFifteenTicksThenLoop)
{
    const PatternTable& t = ItemPatternTable();
    ASSERT_EQ(t.size(), 1u);
    ASSERT_EQ(t[0].size(), 3u);
    EXPECT_EQ(t[0][0], (PATTERNSTEP{0, 15, 1}));
    EXPECT_EQ(t[0][1], (PATTERNSTEP{1, 15, 1}));
    EXPECT_EQ(t[0][2].nFrame, kPatternLoop);
}

cEdCommand ItemCode(const char* szText)
{
    cEdCommand c = cItemsTestStage::Command(21, 0);
    c.m_bItemCommand = 1;
    c.m_strText = szText;
    return c;
}

TEST(ItemCommandTableTest, AListRunsInOrderAndUnknownKindsDoNothing)
{
    cItemsTestStage stage;
    cPlayer& hero = stage.Hero(400, 400);
    cVector<cEdCommand> list;
    list.push_back(ItemCode("S1 = 2"));
    list.push_back(cItemsTestStage::Command(99, 0));  // beyond the table
    list.push_back(cItemsTestStage::Command(-3, 0));  // a negative kind byte
    list.push_back(cItemsTestStage::Command(0, 0));   // the empty kind
    list.push_back(ItemCode("S1 = S1 * 10"));
    EXPECT_EQ(RunItemCommands(hero, list), 0);
    EXPECT_EQ(stage.field.m_StageVar[1], 20);
}

TEST(ItemCommandTableTest, ACommandThatTakesTheLastHpEndsTheListWithTwo)
{
    cItemsTestStage stage;
    cPlayer& hero = stage.Hero(400, 400);
    cVector<cEdCommand> list;
    list.push_back(ItemCode("my.hp = 0"));
    list.push_back(ItemCode("S1 = 5"));
    list.push_back(cItemsTestStage::Command(2, 0));  // stage clear
    EXPECT_EQ(RunItemCommands(hero, list), 2);
    EXPECT_EQ(stage.field.m_StageVar[1], 0) << "nothing after the killing command runs";
}

// A flow of one wait command with the ID.
cEdFlow FlowWithId(int nId)
{
    cEdFlow flow;
    flow.m_nFlowID = static_cast<std::int8_t>(nId);
    cEdCommand wait = cItemsTestStage::Command(1, 0);
    wait.m_nTime = 1;
    flow.m_Command.push_back(wait);
    return flow;
}

cEdCommand FlowChange(int nOperation, int nId, std::initializer_list<int> newIds)
{
    cEdCommand c = cItemsTestStage::Command(1, 2, {{0, nOperation}, {1, nId}});
    c.m_bItemCommand = 1;
    for (int id : newIds) c.m_Flow.push_back(FlowWithId(id));
    return c;
}

std::vector<int> FlowIds(const cPlayer& hero)
{
    std::vector<int> ids;
    for (const cEdFlow& f : hero.def.m_Flow) ids.push_back(f.m_nFlowID);
    return ids;
}

TEST(ItemCommandTableTest, FlowChangeAddsChangesAndDeletesTheHerosFlows)
{
    const struct {
        const char* szName;
        int nOperation;
        int nId;
        std::initializer_list<int> newIds;
        std::vector<int> expected;
    } cases[] = {
        {"add appends", 0, 0, {9}, {1, 2, 1, 9}},
        {"change replaces the flows of the ID at the first one's place", 1, 1, {8, 9}, {8, 9, 2}},
        {"change of an ID nobody has appends", 1, 5, {8}, {1, 2, 1, 8}},
        {"change with ID 0 replaces every flow", 1, 0, {7}, {7}},
        {"delete by ID", 2, 1, {}, {2}},
        {"delete with ID 0 removes every flow", 2, 0, {}, {}},
        {"an unknown operation does nothing", 3, 1, {9}, {1, 2, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        cItemsTestStage stage;
        cPlayer& hero = stage.Hero(400, 400);
        cVector<cEdFlow> flows;
        for (int id : {1, 2, 1}) flows.push_back(FlowWithId(id));
        cVector<cEdCommand> list;
        list.push_back(FlowChange(0, 0, {}));
        list[0].m_Flow = flows;
        RunItemCommands(hero, list);
        ASSERT_EQ(FlowIds(hero), (std::vector<int>{1, 2, 1}));
        list[0] = FlowChange(c.nOperation, c.nId, c.newIds);
        RunItemCommands(hero, list);
        EXPECT_EQ(FlowIds(hero), c.expected);
        ASSERT_EQ(hero.flows.size(), hero.def.m_Flow.size());
        for (std::size_t i = 0; i < hero.flows.size(); ++i) {
            EXPECT_EQ(hero.flows[i].flow, &hero.def.m_Flow[i]) << "instances name the hero's own flows";
        }
    }
}

TEST(ItemCommandTableTest, AFlowChangeWhileTheHerosFlowsRunWaitsForTheirEnd)
{
    cItemsTestStage stage;
    cPlayer& hero = stage.Hero(400, 400);
    cVector<cEdCommand> list;
    list.push_back(FlowChange(0, 0, {4}));
    stage.field.m_pCurrentObject = &hero;
    RunItemCommands(hero, list);
    EXPECT_TRUE(hero.def.m_Flow.empty());
    ASSERT_EQ(hero.pendingItemCommands.size(), 1u);
    stage.field.m_pCurrentObject = nullptr;
    RunPendingItemCommands(hero);
    EXPECT_EQ(FlowIds(hero), (std::vector<int>{4}));
    EXPECT_TRUE(hero.pendingItemCommands.empty());

    // While another character's flows run, the change is made at once.
    cChara& other = stage.AddChara(100, 1, 500, 400);
    stage.field.m_pCurrentObject = &other;
    RunItemCommands(hero, list);
    EXPECT_EQ(FlowIds(hero), (std::vector<int>{4, 4}));
}

TEST(ItemCommandTableTest, TheItemMessageFlagIsClearedForEveryList)
{
    cItemsTestStage stage;
    cPlayer& hero = stage.Hero(400, 400);
    SetItemMessageFlag(1);
    cVector<cEdCommand> list;
    list.push_back(ItemCode("S1 = 1"));
    RunItemCommands(hero, list);
    EXPECT_EQ(ItemMessageFlag(), 0);
}

}  // namespace

namespace {

TEST(HeldItemTest, ACharacterCarriesACopyOfItsItemTemplate)
{
    cItemsTestStage stage;
    cEdItem d;
    d.m_nGraphic = 12;
    d.m_nScale = 2;
    cItem templ;
    templ.InitFromDef(3, d, 1);
    cEdChara def;
    cChara& carrier = CharaList.emplace_back();
    carrier.InitFromTemplate(100, def, &templ, 400, 400, 0);
    ASSERT_EQ(carrier.GetHeldItem(), &carrier.heldItem);
    EXPECT_EQ(carrier.heldItem.bHeld, 1);
    EXPECT_EQ(carrier.heldItem.source, 3);
    EXPECT_EQ(carrier.heldItem.pictureNumber, 12);
    EXPECT_EQ(carrier.heldItem.def.m_nScale, 2);
    cChara& empty = CharaList.emplace_back();
    empty.InitFromTemplate(101, def, nullptr, 400, 400, 0);
    EXPECT_EQ(empty.heldItem.bHeld, 0);
    EXPECT_EQ(empty.heldItem.pictureNumber, 0);
}

}  // namespace
