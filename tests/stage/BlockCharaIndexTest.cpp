// The block characters gathered for the collision walks: in list order, kept through a hold only
// while the list does not change, and refreshed after every summon and erase the stage makes.
#include "StageFixture.h"

#include <iterator>
#include <vector>

#include "objects/StageObjects.h"
#include "stage/collision/cBlockCharaIndex.h"

namespace stagetest {
namespace {

class BlockCharaIndexTest : public StageFixture {
protected:
    void SetUp() override
    {
        StageFixture::SetUp();
        ASSERT_TRUE(LoadAndEnter());
        CharaList.clear();
    }
    void TearDown() override
    {
        CharaList.clear();
        StageFixture::TearDown();
    }
    // One character summoned at field cell (column, row); null when it was refused.
    cChara* Summon(int column, int row, int fullCell)
    {
        cEdChara def;
        def.m_nController = 1;
        def.m_bFullCell = static_cast<std::int8_t>(fullCell);
        if (Scene().SummonChara(CharaList, column * 32.0, row * 32.0, 5, 1, 0, def, Scene().m_nCharaId) != 1) {
            return nullptr;
        }
        return &CharaList.back();
    }
    std::vector<cChara*> Blocks(cBlockCharaIndex& index) { return index.Of(CharaList, Scene().m_nCharaListEdits); }
};

TEST_F(BlockCharaIndexTest, AHeldIndexFollowsTheSummonsAndErasuresOfTheStage)
{
    cBlockCharaIndex index;
    const cBlockCharaIndex::cHold hold(index);
    cChara* first = Summon(4, 4, 1);
    cChara* walker = Summon(8, 4, 0);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(walker, nullptr);
    EXPECT_EQ(Blocks(index), std::vector<cChara*>{first});

    cChara* second = Summon(12, 4, 1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(Blocks(index), (std::vector<cChara*>{first, second})) << "a summoned block character joins at the end";

    EraseChara(CharaList, CharaList.begin());
    EXPECT_EQ(Blocks(index), std::vector<cChara*>{second}) << "an erased one leaves";
    // Erased and made again: the list keeps its length, the count of changes tells.
    EraseChara(CharaList, std::prev(CharaList.end()));
    cChara* third = Summon(16, 4, 1);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(Blocks(index), std::vector<cChara*>{third});
}

TEST_F(BlockCharaIndexTest, WithoutAHoldEveryRequestGathersAfresh)
{
    cBlockCharaIndex index;
    cChara& a = CharaList.emplace_back();
    a.def.m_bFullCell = 1;
    cChara& b = CharaList.emplace_back();
    EXPECT_EQ(Blocks(index), std::vector<cChara*>{&a});
    // Changed by hand, with no count of the change: only a fresh gathering sees it.
    a.def.m_bFullCell = 0;
    b.def.m_bFullCell = 1;
    EXPECT_EQ(Blocks(index), std::vector<cChara*>{&b});
    CharaList.clear();
    EXPECT_TRUE(Blocks(index).empty());
}

}  // namespace
}  // namespace stagetest
