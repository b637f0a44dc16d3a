#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "StageTestSupport.h"
#include "definitions/cEdCommonPalette.h"

namespace stagetest {
namespace {

using testsupport::CommonPaletteFile;
using testsupport::CommonPaletteSpec;
using testsupport::MinimalCommonPalette;

class cEdCommonPaletteTest : public StageTest {};

TEST_F(cEdCommonPaletteTest, ListsOfOneEntryComeBackWithTwo)
{
    CommonPaletteSpec spec;
    spec.blocks.resize(1);
    spec.blocks[0].name = "stored";
    spec.blocks[0].graphic = 9;
    spec.charas.resize(1);
    spec.charas[0].controller = 0;
    spec.items.clear();
    ASSERT_EQ(LoadCommonPalette(spec), 1);

    ASSERT_EQ(CommonPalette.m_PaletteBlock.size(), 2u);
    EXPECT_EQ(CommonPalette.m_PaletteBlock[0].m_strName, "");
    EXPECT_EQ(CommonPalette.m_PaletteBlock[0].m_nGraphic, 0);
    EXPECT_EQ(CommonPalette.m_PaletteBlock[1].m_nPassFaction, 255);
    ASSERT_EQ(CommonPalette.m_PaletteChara.size(), 2u);
    EXPECT_EQ(CommonPalette.m_PaletteChara[0].m_nController, 1);
    ASSERT_EQ(CommonPalette.m_PaletteItem.size(), 2u);
    EXPECT_EQ(CommonPalette.m_PaletteItem[1].m_nItemOpt2, 6);
}

TEST_F(cEdCommonPaletteTest, EntriesNeverInheritButKeepWhatTheyCopiedWhileRead)
{
    CommonPaletteSpec spec;
    spec.blocks.resize(3);
    spec.blocks[1].graphic = 4;
    spec.blocks[1].hitKind = 2;
    spec.blocks[1].touchKind = 3;
    spec.blocks[2].graphic = 4;
    spec.blocks[2].paletteKind = 1;
    spec.blocks[2].paletteIndex = 1;
    spec.blocks[2].inherit[6] = 1;  // hit kind
    ASSERT_EQ(LoadCommonPalette(spec), 1);

    const cEdBlock& block = CommonPalette.m_PaletteBlock[2];
    EXPECT_EQ(block.m_nHitKind, 2);
    EXPECT_EQ(block.m_nTouchKind, 0);
    EXPECT_EQ(block.m_Inherit, cVector<std::uint8_t>(11, 0));
    for (const cEdChara& chara : CommonPalette.m_PaletteChara) {
        EXPECT_EQ(chara.m_Inherit, cVector<std::uint8_t>(37, 0));
    }
}

TEST_F(cEdCommonPaletteTest, SaveWritesVersion720AndTwoEntriesPerList)
{
    CommonPaletteSpec spec;
    spec.blocks.resize(1);
    spec.charas.resize(1);
    spec.items.resize(1);
    ASSERT_EQ(LoadCommonPalette(spec), 1);

    CommonPaletteSpec expected = MinimalCommonPalette();
    for (testsupport::BlockDefSpec& block : expected.blocks) {
        block.hitKind = 0;  // a block without graphic does not collide
    }
    EXPECT_EQ(SavedBytes(CommonPalette), AsString(CommonPaletteFile(expected)));
}

// At start-up Stage is the reset stage, one default entry per list: references into the stage
// palette beyond entry 0 are cut then, like references past the common lists.
TEST_F(cEdCommonPaletteTest, StageReferencesAreCheckedAgainstTheResetStage)
{
    CommonPaletteSpec spec;
    spec.blocks.resize(5);
    for (testsupport::BlockDefSpec& block : spec.blocks) {
        block.graphic = 1;
    }
    spec.blocks[1].itemKind = 2;  // stage item 7 of 1
    spec.blocks[1].itemIndex = 7;
    spec.blocks[2].itemKind = 1;  // common item 9 of 2
    spec.blocks[2].itemIndex = 9;
    spec.blocks[3].itemKind = 1;
    spec.blocks[3].itemIndex = -1;
    spec.blocks[4].itemKind = 2;  // stage item 0: there
    spec.blocks[4].itemIndex = 0;
    testsupport::CommandSpec getItem;  // "アイテムの取得" of stage item 3
    getItem.itemCommand = 1;
    getItem.kind = 9;
    getItem.params = {1, 3};
    spec.items[1].commands = {getItem};
    ASSERT_EQ(Stage.m_PaletteItem.size(), 1u);
    ASSERT_EQ(LoadCommonPalette(spec), 1);

    const auto itemRef = [](int i) {
        const cEdBlock& block = CommonPalette.m_PaletteBlock[i];
        return std::pair<int, int>(block.m_nItemKind, block.m_nItemIndex);
    };
    EXPECT_EQ(itemRef(1), std::pair(0, 0));
    EXPECT_EQ(itemRef(2), std::pair(0, 0));
    EXPECT_EQ(itemRef(3).first, 0);
    EXPECT_EQ(itemRef(4), std::pair(2, 0));
    ASSERT_EQ(CommonPalette.m_PaletteItem[1].m_Command.size(), 1u);
    EXPECT_EQ(CommonPalette.m_PaletteItem[1].m_Command[0].m_Param, (cVector<std::int32_t>{1, 1}));  // entry 1
}

TEST_F(cEdCommonPaletteTest, MissingOrBrokenFileIsReportedAndLeavesThePalette)
{
    EXPECT_EQ(CommonPalette.LoadFile("data\\Missing.cplt4"), 0);
    EXPECT_EQ(CommonPalette.m_PaletteBlock.size(), 2u);

    CommonPaletteSpec spec;
    spec.blocks.resize(3);
    ByteWriter file = CommonPaletteFile(spec);
    folder.Write("data\\Cut.cplt4", file.Truncated(file.Size() - 3));
    EXPECT_EQ(CommonPalette.LoadFile("data\\Cut.cplt4"), 0);
}

}  // namespace
}  // namespace stagetest
