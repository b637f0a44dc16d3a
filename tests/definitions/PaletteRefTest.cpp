#include <gtest/gtest.h>

#include "StageTestSupport.h"
#include "definitions/PaletteRef.h"
#include "definitions/cEdCommonPalette.h"
#include "definitions/cEdStage.h"

namespace stagetest {
namespace {

using testsupport::BlockDefSpec;
using testsupport::CharaDefSpec;
using testsupport::MinimalStage;
using testsupport::StageSpec;

constexpr const char* kStagePath = "data\\stg4\\ref.stg4_000";

class PaletteRefTest : public StageTest {
protected:
    // A stage whose block palette has five entries, entry i with hit kind 2 and touch value i.
    static StageSpec StageWithBlockPalette()
    {
        StageSpec spec = MinimalStage();
        spec.paletteBlocks.resize(5);
        for (int i = 1; i < 5; ++i) {
            spec.paletteBlocks[i].graphic = 3;
            spec.paletteBlocks[i].hitKind = 2;
            spec.paletteBlocks[i].touchKind = 1;
            spec.paletteBlocks[i].touchValue = i;
            spec.paletteBlocks[i].name = "template";
        }
        return spec;
    }

    int Load(cEdStage& stage, const StageSpec& spec)
    {
        WriteStage(kStagePath, spec);
        return stage.LoadFile(kStagePath);
    }
};

TEST_F(PaletteRefTest, PlacedBlockTakesTheFlaggedGroupsOfItsTemplate)
{
    struct Case {
        const char* what;
        std::int8_t kind;
        std::int16_t index;
        int flag;
        std::int8_t kindAfter;
        std::int16_t indexAfter;
        std::int8_t hitKind;
        std::int32_t touchValue;
    };
    const Case cases[] = {
        {"stage entry 3, hit kind", 2, 3, 6, 2, 3, 2, 0},
        {"stage entry 3, touch effect", 2, 3, 8, 2, 3, 1, 3},
        {"stage entry 7 of 5", 2, 7, 6, 0, 7, 1, 0},
        {"negative index", 2, -2, 6, 0, -2, 1, 0},
        {"common entry 0 names none", 1, 0, 6, 1, 0, 1, 0},
        {"common entry 1, hit kind", 1, 1, 6, 1, 1, 2, 0},
        {"common entry 1, touch effect", 1, 1, 8, 1, 1, 1, 42},
        {"common entry 2 of 2", 1, 2, 8, 0, 2, 1, 0},
        {"unknown kind", 3, 1, 6, 3, 1, 1, 0},
    };
    testsupport::CommonPaletteSpec common = testsupport::MinimalCommonPalette();
    common.blocks[1].graphic = 3;
    common.blocks[1].hitKind = 2;
    common.blocks[1].touchKind = 1;
    common.blocks[1].touchValue = 42;
    ASSERT_EQ(LoadCommonPalette(common), 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StageSpec spec = StageWithBlockPalette();
        BlockDefSpec& placed = spec.placedBlocks[0];
        placed.paletteKind = c.kind;
        placed.paletteIndex = c.index;
        placed.inherit[static_cast<std::size_t>(c.flag)] = 1;
        cEdStage stage;
        ASSERT_EQ(Load(stage, spec), 1);
        const cEdBlock& block = stage.m_PlacedBlock[0];
        EXPECT_EQ(block.m_nPaletteKind, c.kindAfter);
        EXPECT_EQ(block.m_nPaletteIndex, c.indexAfter);
        EXPECT_EQ(block.m_nHitKind, c.hitKind);
        EXPECT_EQ(block.m_nTouchValue, c.touchValue);
        EXPECT_EQ(block.m_strName, "");
    }
}

TEST_F(PaletteRefTest, ReferenceCheckRepairsIndicesOutsideTheList)
{
    cEdStage stage;
    stage.m_PaletteBlock.resize(3);
    cPaletteScope scope({ActivePalettes().Common, stage.PaletteLists()});
    struct Case {
        std::int8_t kind;
        std::int16_t index;
        std::int8_t kindAfter;
        std::int16_t indexAfter;
    };
    const Case cases[] = {
        {2, 2, 2, 2}, {2, 3, 0, 0}, {2, -1, 0, 0}, {1, 1, 1, 1}, {1, 2, 0, 0}, {0, 9, 0, 9}, {4, 9, 4, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.kind) << " " << c.index);
        std::int8_t kind = c.kind;
        std::int16_t index = c.index;
        CheckPaletteRef(kind, index, PALETTELIST_BLOCK);
        EXPECT_EQ(kind, c.kindAfter);
        EXPECT_EQ(index, c.indexAfter);
    }
}

TEST_F(PaletteRefTest, CharacterTakesFlowsAndConditionsAsWholeGroups)
{
    StageSpec spec = MinimalStage();
    spec.paletteCharas.resize(3);
    CharaDefSpec& source = spec.paletteCharas[2];
    source.condMode = 1;
    source.condOnce = 1;
    source.conditions.resize(2);
    source.conditions[1].kind = 5;
    source.flows.resize(2);
    source.flows[0].flowId = 4;
    source.flows[0].conditions.resize(1);
    source.flows[1].flowId = 5;
    source.flows[1].commands.resize(1);
    source.flows[1].commands[0].kind = 17;
    source.maxHp = 77;

    CharaDefSpec& hero = spec.placedCharas[0];
    hero.paletteKind = 2;
    hero.paletteIndex = 2;
    hero.inherit[36] = 1;  // flows
    hero.inherit[4] = 1;   // conditions with their mode and once flag
    hero.flows.resize(1);
    hero.flows[0].flowId = 9;
    hero.flows[0].conditions.resize(1);

    cEdStage stage;
    ASSERT_EQ(Load(stage, spec), 1);
    const cEdChara& chara = stage.m_PlacedChara[0];
    ASSERT_EQ(chara.m_Flow.size(), 2u);
    EXPECT_EQ(chara.m_Flow[0].m_nFlowID, 4);
    EXPECT_EQ(chara.m_Flow[1].m_nFlowID, 5);
    ASSERT_EQ(chara.m_Flow[1].m_Command.size(), 1u);
    EXPECT_EQ(chara.m_Flow[1].m_Command[0].m_nKind, 17);
    ASSERT_EQ(chara.m_Condition.size(), 2u);
    EXPECT_EQ(chara.m_Condition[1].m_nKind, 5);
    EXPECT_EQ(chara.m_nCondMode, 1);
    EXPECT_EQ(chara.m_bCondOnce, 1);
    EXPECT_EQ(chara.m_nMaxHp, 10);  // group 23 not flagged
    // The copy is deep: the template's commands are not shared.
    EXPECT_NE(&chara.m_Flow[1].m_Command[0], &stage.m_PaletteChara[2].m_Flow[1].m_Command[0]);
}

TEST_F(PaletteRefTest, PaletteEntriesInheritFromEntriesReadBeforeThem)
{
    StageSpec spec = MinimalStage();
    spec.paletteBlocks.resize(5);
    const char* names[] = {"", "first", "second", "third", "fourth"};
    for (int i = 1; i < 5; ++i) {
        spec.paletteBlocks[i].name = names[i];
        spec.paletteBlocks[i].paletteKind = 2;
        spec.paletteBlocks[i].inherit[0] = 1;
    }
    spec.paletteBlocks[1].paletteKind = 0;
    spec.paletteBlocks[2].paletteIndex = 1;  // read before it
    spec.paletteBlocks[3].paletteIndex = 4;  // not read yet: still a default entry
    spec.paletteBlocks[4].paletteIndex = 4;  // itself: nothing to take
    spec.paletteBlocks[4].inherit[1] = 1;
    spec.paletteBlocks[4].conditions.resize(2);

    cEdStage stage;
    ASSERT_EQ(Load(stage, spec), 1);
    EXPECT_EQ(stage.m_PaletteBlock[2].m_strName, "first");
    EXPECT_EQ(stage.m_PaletteBlock[3].m_strName, "");
    EXPECT_EQ(stage.m_PaletteBlock[4].m_strName, "fourth");
    EXPECT_EQ(stage.m_PaletteBlock[4].m_Condition.size(), 2u);
}

TEST_F(PaletteRefTest, PlacedItemTakesTheTemplatesCommandList)
{
    StageSpec spec = MinimalStage();
    spec.paletteItems.resize(2);
    spec.paletteItems[1].commands.resize(2);
    spec.paletteItems[1].commands[0].itemCommand = 1;
    spec.paletteItems[1].commands[0].kind = 2;
    spec.paletteItems[1].commands[1].itemCommand = 1;
    spec.paletteItems[1].commands[1].kind = 3;
    spec.placedItems.resize(1);
    spec.placedItems[0].paletteKind = 2;
    spec.placedItems[0].paletteIndex = 1;
    spec.placedItems[0].inherit[12] = 1;

    cEdStage stage;
    ASSERT_EQ(Load(stage, spec), 1);
    ASSERT_EQ(stage.m_PlacedItem[0].m_Command.size(), 2u);
    EXPECT_EQ(stage.m_PlacedItem[0].m_Command[1].m_nKind, 3);
}

TEST_F(PaletteRefTest, GetPaletteItemFindsOnlyEntriesOfTheList)
{
    Stage.m_PaletteItem.clear();
    EXPECT_EQ(GetPaletteItem(2, 1), nullptr);
    EXPECT_EQ(GetPaletteItem(3, 0), nullptr);
    EXPECT_EQ(GetPaletteItem(0, 0), nullptr);
    EXPECT_EQ(GetPaletteItem(1, 1), &CommonPalette.m_PaletteItem[1]);
    EXPECT_EQ(GetPaletteItem(1, 2), nullptr);
    EXPECT_EQ(GetPaletteItem(1, 0xFFFF), nullptr);  // -1 as a 16-bit index
    Stage.m_PaletteItem.resize(2);
    EXPECT_EQ(GetPaletteItem(2, 1), &Stage.m_PaletteItem[1]);
    EXPECT_EQ(GetPaletteItem(2, 0x10001), &Stage.m_PaletteItem[1]);
}

}  // namespace
}  // namespace stagetest
