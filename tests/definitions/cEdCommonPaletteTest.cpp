#include <gtest/gtest.h>

#include <string>

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

TEST_F(cEdCommonPaletteTest, StageReferencesWaitForAStageCommonOnesAreRepaired)
{
    CommonPaletteSpec spec;
    spec.blocks.resize(4);
    spec.blocks[1].graphic = 1;
    spec.blocks[1].itemKind = 2;  // stage item 7: no stage yet to check it against
    spec.blocks[1].itemIndex = 7;
    spec.blocks[2].graphic = 1;
    spec.blocks[2].itemKind = 1;  // common item 9 of 2
    spec.blocks[2].itemIndex = 9;
    spec.blocks[3].graphic = 1;
    spec.blocks[3].itemKind = 1;
    spec.blocks[3].itemIndex = -1;
    ASSERT_EQ(LoadCommonPalette(spec), 1);

    EXPECT_EQ(CommonPalette.m_PaletteBlock[1].m_nItemKind, 2);
    EXPECT_EQ(CommonPalette.m_PaletteBlock[1].m_nItemIndex, 7);
    EXPECT_EQ(CommonPalette.m_PaletteBlock[2].m_nItemKind, 0);
    EXPECT_EQ(CommonPalette.m_PaletteBlock[2].m_nItemIndex, 0);
    EXPECT_EQ(CommonPalette.m_PaletteBlock[3].m_nItemKind, 0);
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
