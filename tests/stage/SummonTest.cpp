// Summons during play: a block summon is refused outside the field and on protected cells,
// toggles each cell once per launch, erases, and undoes a placing that covers the player when
// asked to; a summoned group joins the lists and its faction group.
#include "StageFixture.h"

#include <algorithm>
#include <iterator>

#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"
#include "stage/StageGeometry.h"

namespace stagetest {
namespace {

class SummonTest : public StageFixture {
protected:
    void SetUp() override
    {
        StageFixture::SetUp();
        ASSERT_TRUE(LoadAndEnter());
        block.m_nGraphic = 7;
        block.m_nHitKind = 1;
    }
    MAPCELL& Cell(int fieldColumn, int fieldRow) { return StageMap[layout.Cell(fieldColumn, fieldRow)]; }
    std::vector<int> Graphics() const
    {
        std::vector<int> graphics;
        for (const MAPCELL& cell : StageMap) {
            graphics.push_back(cell.m_nGraphic);
        }
        return graphics;
    }
    // World position whose summon cell is the field cell n.
    static double At(int n) { return n * 32.0; }

    cEdBlock block;
    BLOCKSUMMONPARAMS params;
    const MAPLAYOUT layout = MAPLAYOUT::ForStage(20, 15);
};

TEST_F(SummonTest, ABlockSummonOutsideTheFieldIsRefused)
{
    const std::vector<int> before = Graphics();
    struct Case {
        double x, y;
    };
    // A column of 40 (the field has 40) would have written into the next row's first cells.
    for (const Case& c : {Case{At(40), At(5)}, Case{At(63), At(5)}, Case{-100.0, At(5)}, Case{At(5), -40.0},
                          Case{At(5), At(35)}, Case{1.0e300, 0.0}, Case{0.0, -1.0e300}}) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        for (int mode : {BLOCKSUMMON_PLACE, BLOCKSUMMON_ERASE, BLOCKSUMMON_TOGGLE}) {
            params.nMode = mode;
            EXPECT_EQ(Scene().SummonBlock(c.x, c.y, 0, params, block), 0);
        }
    }
    EXPECT_EQ(Graphics(), before);
    EXPECT_EQ(TakePosted(WM_CLOSE), 0);
    // The last cell of the field still takes a block.
    params.nMode = BLOCKSUMMON_PLACE;
    Scene().SummonBlock(At(39) + 15.0, At(34) + 15.0, 0, params, block);
    EXPECT_EQ(Cell(39, 34).m_nGraphic, 7);
}

TEST_F(SummonTest, AToggleChangesEachCellOncePerLaunch)
{
    params.nMode = BLOCKSUMMON_TOGGLE;
    Scene().m_SummonedCells.clear();
    Scene().SummonBlock(At(15), At(15), 0, params, block);
    Scene().SummonBlock(At(15) + 10.0, At(15), 0, params, block);  // the same cell again
    EXPECT_EQ(Cell(15, 15).m_nGraphic, 7);
    Scene().m_SummonedCells.clear();  // the next launch
    Scene().SummonBlock(At(15), At(15), 0, params, block);
    EXPECT_EQ(Cell(15, 15).m_nGraphic, 0);
    EXPECT_EQ(Cell(15, 15).m_nHitKind, 0) << "an erased cell is passable";
}

TEST_F(SummonTest, EraseEmptiesTheCellAndProtectedCellsRefuse)
{
    params.nMode = BLOCKSUMMON_ERASE;
    Scene().SummonBlock(At(12), At(24), 0, params, block);  // the floor under the hero
    EXPECT_EQ(Cell(12, 24).m_nGraphic, 0);

    struct Case {
        const char* name;
        int protectAlways;
        int graphic;  // block in the protected cell
        int refused;
    };
    for (const Case& c : {Case{"protected block", 0, 1, 1}, Case{"protected empty cell", 0, 0, 0},
                          Case{"protected empty cell, protection always", 1, 0, 1}}) {
        SCOPED_TRACE(c.name);
        MAPCELL& cell = Cell(14, 24);
        cell.m_nGraphic = static_cast<std::int16_t>(c.graphic);
        cell.m_bNoOverwrite = 1;
        params.nMode = BLOCKSUMMON_PLACE;
        params.bProtectAlways = c.protectAlways;
        Scene().SummonBlock(At(14), At(24), 0, params, block);
        EXPECT_EQ(cell.m_nGraphic, c.refused ? c.graphic : 7);
    }
}

TEST_F(SummonTest, AProtectedCellLatchesItsOnceOnlyConditionsOnlyWhereTheyDecide)
{
    cEdCondition var0Is1;  // stage variable 0 == 1
    var0Is1.m_nKind = 2;
    var0Is1.m_nIndex = 0;
    var0Is1.m_nValue = 1;
    var0Is1.m_nCompare = 0;
    struct Case {
        const char* name;
        int protectAlways;
        int mode;
        bool alreadyToggled;
        int latched;  // the cell's latch after the refused or skipped summon
    };
    const Case cases[] = {
        {"protection always, placing", 1, BLOCKSUMMON_PLACE, false, 0},
        {"protection always, erasing", 1, BLOCKSUMMON_ERASE, false, 0},
        {"protection always, toggling a cell toggled in this launch", 1, BLOCKSUMMON_TOGGLE, true, 0},
        {"protection by present blocks, placing", 0, BLOCKSUMMON_PLACE, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MAPCELL& cell = Cell(14, 24);
        cell.m_nGraphic = 1;
        cell.m_bNoOverwrite = 1;
        cell.m_bCondOnce = 1;
        cell.m_Condition.clear();
        cell.m_Condition.push_back(var0Is1);
        cell.nValue = 0;
        Scene().m_StageVar[0] = 1;
        Scene().m_SummonedCells.clear();
        if (c.alreadyToggled) {
            Scene().m_SummonedCells.push_back(layout.Cell(14, 24));
        }
        params.nMode = c.mode;
        params.bProtectAlways = c.protectAlways;
        EXPECT_EQ(Scene().SummonBlock(At(14), At(24), 0, params, block), 0);
        EXPECT_EQ(cell.m_nGraphic, 1) << "refused";
        EXPECT_EQ(cell.nValue, c.latched);
        // Once its conditions fail, only a latched block is still there.
        Scene().m_StageVar[0] = 0;
        EXPECT_EQ(Scene().CheckBlockCond(cell), c.latched);
    }
}

TEST_F(SummonTest, APlacingOverThePlayerSparesItOrIsUndone)
{
    // The hero stands on stage tile (2, 13): field cell (12, 23). A toggle that fills an empty
    // cell places the block as a placing does, undone on the same overlap.
    for (int mode : {BLOCKSUMMON_PLACE, BLOCKSUMMON_TOGGLE}) {
        SCOPED_TRACE(mode);
        Cell(12, 23).m_nGraphic = 0;
        Player[0].frameCountdown = 0;
        params.nMode = mode;
        params.bCancelOnPlayer = 1;
        Scene().m_SummonedCells.clear();
        EXPECT_EQ(Scene().SummonBlock(At(12), At(23), 0, params, block), 1);
        EXPECT_EQ(Cell(12, 23).m_nGraphic, 0) << "the old cell is put back";
        EXPECT_EQ(Player[0].frameCountdown, 2);

        Player[0].frameCountdown = 0;
        params.bCancelOnPlayer = 0;
        Scene().m_SummonedCells.clear();
        EXPECT_EQ(Scene().SummonBlock(At(12), At(23), 0, params, block), 0);
        EXPECT_EQ(Cell(12, 23).m_nGraphic, 7);
        EXPECT_EQ(Player[0].frameCountdown, 2) << "spared from the crush tests for two flow runs";
    }
}

TEST_F(SummonTest, ASummonedGroupJoinsTheListAndItsFactionGroup)
{
    cEdChara def;
    def.m_nController = 1;
    def.m_nGroupCount = 1;
    def.m_nGroupStepX = 500;  // the second member lands outside the field
    def.m_bGroupMirrorX = 0;
    def.m_nScore = 40;
    const int before = Scene().m_nCharaId;
    const std::size_t groupBefore = Scene().m_CharaLayer[5].size();
    EXPECT_EQ(Scene().SummonChara(CharaList, 17 * 32.0, 4 * 32.0, 5, 1, 1, def, Scene().m_nCharaId), 1);
    EXPECT_EQ(Scene().m_nCharaId, before + 1);
    ASSERT_EQ(Scene().m_CharaLayer[5].size(), groupBefore + 1);
    const cChara& made = CharaList.back();
    EXPECT_EQ(made.faction, 5);
    EXPECT_EQ(made.source, before);
    EXPECT_EQ(made.def.m_nScore, 0);
    EXPECT_EQ(Scene().m_CharaLayer[5].back(), &made);
}

TEST_F(SummonTest, ASummonIntoBlocksIsUndoneAndALimitedLifetimeEndsOnItsSubStep)
{
    cEdChara def;
    def.m_nController = 1;
    ASSERT_EQ(Scene().SummonChara(CharaList, 17 * 32.0, 4 * 32.0, 5, 1, 0, def, Scene().m_nCharaId), 1);
    const cChara first = CharaList.back();
    EXPECT_EQ(first.lifeLeft, kUnlimitedLife) << "placed for ever without a time limit";
    EraseChara(CharaList, std::prev(CharaList.end()));

    // The same place with a block under each corner of the box: the member is taken back.
    params.nMode = BLOCKSUMMON_PLACE;
    for (double x : {first.x, first.right}) {
        for (double y : {first.y, first.bottom}) {
            Scene().SummonBlock(x, y, 0, params, block);
        }
    }
    const std::size_t charas = CharaList.size();
    EXPECT_EQ(Scene().SummonChara(CharaList, 17 * 32.0, 4 * 32.0, 5, 1, 0, def, Scene().m_nCharaId), 0);
    EXPECT_EQ(CharaList.size(), charas);

    // Two tenths of a second at this stage's speed: 2 x 6 frames of SubStepCount sub-steps each.
    const int tenths = 2;
    const std::int32_t life = tenths * 6 * SubStepCount();
    ASSERT_EQ(SummonLifetime(1, tenths), life);
    EXPECT_EQ(SummonLifetime(0, tenths), kUnlimitedLife);
    EXPECT_EQ(SummonLifetime(1, -5), 0);
    ASSERT_EQ(Scene().SummonChara(CharaList, 5 * 32.0, 4 * 32.0, 5, 1, 0, def, Scene().m_nCharaId, life), 1);
    const int number = CharaList.back().source;
    for (int count = 1; count <= life; ++count) {
        Scene().CountDownLifetimes();
    }
    ASSERT_NE(FindCharaBySource(number), nullptr) << "still there with 0 sub-steps left";
    Scene().CountDownLifetimes();
    EXPECT_EQ(FindCharaBySource(number), nullptr);
    EXPECT_EQ(std::count(Scene().m_CharaLayer[5].begin(), Scene().m_CharaLayer[5].end(), nullptr), 0);
}

}  // namespace
}  // namespace stagetest
