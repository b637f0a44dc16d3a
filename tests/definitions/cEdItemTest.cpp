#include <gtest/gtest.h>

#include "StageTestSupport.h"
#include "definitions/CommandInfo.h"
#include "definitions/cEdItem.h"

namespace stagetest {
namespace {

using testsupport::ItemDefSpec;

class cEdItemTest : public StageTest {};

// Reset on an item in use: the defaults of a new item come back, its lists stay.
TEST_F(cEdItemTest, ResetGivesTheDefaultsOfANewItemAndKeepsItsLists)
{
    cEdItem item;
    item.m_nGraphicSheet = 9;
    item.m_nGraphic = 4;
    item.m_bShowIcon = 0;
    item.m_nScale = 3;
    item.m_nItemOpt2 = 0;
    item.m_Inherit.assign(13, 1);
    item.m_Condition.resize(2);
    item.m_Command.resize(3);

    item.Reset();

    EXPECT_EQ(item.m_nGraphicSheet, 2);
    EXPECT_EQ(item.m_nGraphic, 0);
    EXPECT_EQ(item.m_bShowIcon, 1);
    EXPECT_EQ(item.m_nScale, 1);
    EXPECT_EQ(item.m_nItemOpt2, 6);
    EXPECT_EQ(item.m_Inherit, cVector<std::uint8_t>(13, 0));
    EXPECT_EQ(item.m_Condition.size(), 2u);
    EXPECT_EQ(item.m_Command.size(), 3u);
    EXPECT_EQ(item.MemberTable().size(), 17u);
}

TEST_F(cEdItemTest, RepairsScaleSoundAndReferences)
{
    struct Case {
        const char* what;
        std::int8_t scale;
        std::int16_t sound;
        std::int8_t kind;
        std::int16_t index;
        std::int8_t scaleAfter;
        std::int16_t soundAfter;
        std::int8_t kindAfter;
    };
    const Case cases[] = {
        {"in range", 3, kTableEntries - 1, 1, 1, 3, kTableEntries - 1, 1},
        {"scale 0, sound at the table size", 0, kTableEntries, 0, 0, 1, 0, 0},
        {"negative scale and sound", -2, -3, 0, 0, 1, 0, 0},
        {"common entry 2 of 2", 1, 0, 1, 2, 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ItemDefSpec spec;
        spec.scale = c.scale;
        spec.sound = c.sound;
        spec.paletteKind = c.kind;
        spec.paletteIndex = c.index;
        cEdItem item;
        ASSERT_EQ(LoadSpec(item, 720, spec), 1);
        EXPECT_EQ(item.m_nScale, c.scaleAfter);
        EXPECT_EQ(item.m_nSound, c.soundAfter);
        EXPECT_EQ(item.m_nPaletteKind, c.kindAfter);
    }
}

TEST_F(cEdItemTest, SavesWhatItRead)
{
    ItemDefSpec spec;
    spec.name = "coin";
    spec.graphic = 4;
    spec.opt0 = -7;
    spec.opt1 = 300;
    spec.pickup = 1;
    spec.showIcon = 0;
    spec.sound = 2;
    spec.x = 9;
    spec.y = 4;
    spec.inherit[12] = 1;
    spec.conditions.resize(1);
    spec.commands.resize(1);
    spec.commands[0].itemCommand = 1;
    spec.commands[0].kind = 2;
    spec.commands[0].params = std::vector<std::int32_t>(ItemCommandInfo()[2].nParam, 0);
    cEdItem item;
    ASSERT_EQ(LoadSpec(item, 720, spec), 1);

    ByteWriter expected;
    expected.I32(720);
    testsupport::WriteRecord(expected, spec, 720);
    EXPECT_EQ(SavedBytes(item), AsString(expected));
}

TEST_F(cEdItemTest, ShotGraphicsOfOldFilesMoveUpByOne)
{
    ItemDefSpec spec;
    spec.sheet = 3;
    spec.graphic = 10;
    cEdItem item;
    ASSERT_EQ(LoadSpec(item, 218, spec), 1);
    EXPECT_EQ(item.m_nGraphic, 11);
}

}  // namespace
}  // namespace stagetest
