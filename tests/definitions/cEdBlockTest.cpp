#include <gtest/gtest.h>

#include "StageTestSupport.h"
#include "definitions/cEdBlock.h"

namespace stagetest {
namespace {

using testsupport::BlockDefSpec;

class cEdBlockTest : public StageTest {};

// Reset on a block in use: solid, passed by no faction, its conditions kept.
TEST_F(cEdBlockTest, ResetBlockIsSolidPassesNoFactionAndKeepsItsConditions)
{
    cEdBlock block;
    block.m_nHitKind = 0;
    block.m_nPassFaction = 3;
    block.m_nGraphic = 5;
    block.m_Inherit.assign(11, 1);
    block.m_Condition.resize(2);

    block.Reset();

    EXPECT_EQ(block.m_nHitKind, 1);
    EXPECT_EQ(block.m_nPassFaction, 255);
    EXPECT_EQ(block.m_nGraphic, 0);
    EXPECT_EQ(block.m_Inherit, cVector<std::uint8_t>(11, 0));
    EXPECT_EQ(block.m_Condition.size(), 2u);
    EXPECT_EQ(block.MemberTable().size(), 18u);
}

TEST_F(cEdBlockTest, ShotGraphicsOfOldFilesMoveUpByOne)
{
    struct Case {
        int version;
        std::int8_t sheet;
        std::int16_t graphic;
        std::int16_t expected;
    };
    const Case cases[] = {
        {218, 3, 119, 119},
        {218, 3, 5, 6},
        {218, 0, 5, 5},
        {219, 3, 5, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version << " sheet " << int(c.sheet) << " graphic " << c.graphic);
        BlockDefSpec spec;
        spec.sheet = c.sheet;
        spec.graphic = c.graphic;
        cEdBlock block;
        ASSERT_EQ(LoadSpec(block, c.version, spec), 1);
        EXPECT_EQ(block.m_nGraphic, c.expected);
    }
}

TEST_F(cEdBlockTest, BlockWithoutGraphicNeitherCollidesNorResistsSummons)
{
    BlockDefSpec spec;
    spec.hitKind = 2;
    spec.noOverwrite = 1;
    cEdBlock block;
    ASSERT_EQ(LoadSpec(block, 720, spec), 1);
    EXPECT_EQ(block.m_nHitKind, 0);
    EXPECT_EQ(block.m_bNoOverwrite, 0);
    spec.graphic = 1;
    ASSERT_EQ(LoadSpec(block, 720, spec), 1);
    EXPECT_EQ(block.m_nHitKind, 2);
    EXPECT_EQ(block.m_bNoOverwrite, 1);
}

TEST_F(cEdBlockTest, SavesWhatItRead)
{
    BlockDefSpec spec;
    spec.name = "floor";
    spec.graphic = 12;
    spec.sheet = 4;
    spec.cell = 3;
    spec.badge = 31;
    spec.touchKind = 3;
    spec.touchValue = -50;
    spec.passFaction = 7;
    spec.x = 300;
    spec.y = 65535;
    spec.inherit = {1, 0, 1};  // a short vector is saved again as it was stored
    spec.conditions.resize(2);
    spec.conditions[0].kind = 1;
    spec.conditions[0].value = 8;
    cEdBlock block;
    ASSERT_EQ(LoadSpec(block, 720, spec), 1);
    EXPECT_EQ(block.m_nY, 65535);

    ByteWriter expected;
    expected.I32(720);
    testsupport::WriteRecord(expected, spec, 720);
    EXPECT_EQ(SavedBytes(block), AsString(expected));
}

TEST_F(cEdBlockTest, RecordThatDoesNotFitTheFileIsRefused)
{
    BlockDefSpec spec;
    spec.conditions.resize(1);
    ByteWriter bytes;
    testsupport::WriteRecord(bytes, spec, 720);
    for (std::size_t keep : {bytes.Size() - 1, std::size_t{40}, std::size_t{10}}) {
        SCOPED_TRACE(keep);
        ByteWriter cut;
        for (std::uint8_t b : bytes.Truncated(keep)) {
            cut.U8(b);
        }
        cEdBlock block;
        EXPECT_EQ(LoadBytes(block, 720, cut), 0);
    }
    // An inheritance count the file cannot hold.
    ByteWriter huge;
    huge.I32(18).Bytes(std::string(26, '\0')).I32(0).U16(0).U16(0).I32(0x7FFFFFFF);
    cEdBlock block;
    EXPECT_EQ(LoadBytes(block, 720, huge), 0);
}

}  // namespace
}  // namespace stagetest
