#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "StageTestSupport.h"
#include "definitions/cEdChara.h"

namespace stagetest {
namespace {

using testsupport::CharaDefSpec;

class cEdCharaTest : public StageTest {};

// Reset on a character in use: the defaults of a new character come back, its lists stay.
TEST_F(cEdCharaTest, ResetGivesTheDefaultsOfANewCharacterAndKeepsItsLists)
{
    cEdChara chara;
    auto spoil = [](auto&... members) { ((members = 7), ...); };
    spoil(chara.m_nPlaceValue, chara.m_nController, chara.m_nFaction, chara.m_nZ, chara.m_nCharaEffectValue2,
          chara.m_nMaxHp, chara.m_nDefence, chara.m_nGraphicSheet, chara.m_nGraphic, chara.m_nScale, chara.m_nBrake,
          chara.m_nDirectionFix, chara.m_nCharaOpt48);
    chara.m_Inherit.assign(37, 1);
    chara.m_Condition.resize(2);
    chara.m_Flow.resize(3);

    chara.Reset();

    EXPECT_EQ(chara.m_nPlaceValue, 0);
    EXPECT_EQ(chara.m_nController, 1);
    EXPECT_EQ(chara.m_nFaction, 1);
    EXPECT_EQ(chara.m_nZ, 3);
    EXPECT_EQ(chara.m_nCharaEffectValue2, 1);
    EXPECT_EQ(chara.m_nMaxHp, 10);
    EXPECT_EQ(chara.m_nDefence, 0);
    EXPECT_EQ(chara.m_nGraphicSheet, 1);
    EXPECT_EQ(chara.m_nGraphic, 0);
    EXPECT_EQ(chara.m_nScale, 1);
    EXPECT_EQ(chara.m_nBrake, 10);
    EXPECT_EQ(chara.m_nDirectionFix, 1);
    EXPECT_EQ(chara.m_nCharaOpt48, 1);
    EXPECT_EQ(chara.m_Inherit, cVector<std::uint8_t>(37, 0));
    EXPECT_EQ(chara.m_Condition.size(), 2u);
    EXPECT_EQ(chara.m_Flow.size(), 3u);
    EXPECT_EQ(chara.MemberTable().size(), 53u);
}

// Flags f0..f36 = 10..46 stored by an older editor: each group the file did not store yet is
// inserted as an inherited one, the later flags move up and the last ones are lost.
TEST_F(cEdCharaTest, OlderFilesInsertTheFlagsOfNewGroups)
{
    auto stored = [] {
        std::vector<std::uint8_t> flags(37);
        std::iota(flags.begin(), flags.end(), std::uint8_t{10});
        return flags;
    };
    // Inserting flag k into v: v[0..k-1], 1, v[k..35].
    auto insert = [](std::vector<std::uint8_t> v, int k) {
        v.insert(v.begin() + k, 1);
        v.resize(37);
        return v;
    };
    struct Case {
        int version;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {720, stored()},
        {210, stored()},
        {209, insert(stored(), 21)},
        {201, insert(stored(), 21)},
        {200, insert(insert(stored(), 24), 21)},
        {168, insert(insert(stored(), 24), 21)},
        {167, insert(insert(insert(stored(), 27), 24), 21)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        CharaDefSpec spec;
        spec.inherit = stored();
        cEdChara chara;
        ASSERT_EQ(LoadSpec(chara, c.version, spec), 1);
        EXPECT_EQ(std::vector<std::uint8_t>(chara.m_Inherit.begin(), chara.m_Inherit.end()), c.expected);
    }
}

TEST_F(cEdCharaTest, OlderFilesGetTheValuesOfTheirTime)
{
    struct Case {
        int version;
        std::int8_t rangeKind;
        std::int8_t rangeAfter;
        std::int8_t invincibleColorAfter;
        std::int8_t scrollSyncAfter;
        std::int32_t defenceAfter;
        std::int8_t effectValueAfter;
    };
    // The file holds range kind, colour 4, scroll sync 1, defence 9, effect values 7 where the
    // version stores them.
    const Case cases[] = {
        {205, 2, 3, 1, 0, 9, 7}, {205, 1, 1, 1, 0, 9, 7}, {206, 2, 2, 1, 0, 9, 7}, {210, 2, 2, 1, 1, 9, 7},
        {200, 2, 0, 1, 0, 9, 7}, {195, 0, 0, 1, 0, 9, 0}, {167, 0, 0, 1, 0, 0, 0}, {285, 3, 3, 4, 1, 9, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version << " range " << int(c.rangeKind));
        CharaDefSpec spec;
        spec.rangeKind = c.rangeKind;
        spec.invincibleColor = 4;
        spec.scrollSync = c.version >= 210 ? 1 : 0;
        spec.defence = 9;
        spec.effectValue1 = 7;
        spec.deathEffectValue = 7;
        cEdChara chara;
        ASSERT_EQ(LoadSpec(chara, c.version, spec), 1);
        EXPECT_EQ(chara.m_nRangeKind, c.rangeAfter);
        EXPECT_EQ(chara.m_nInvincibleColor, c.invincibleColorAfter);
        EXPECT_EQ(chara.m_bScrollSync, c.scrollSyncAfter);
        EXPECT_EQ(chara.m_nDefence, c.defenceAfter);
        EXPECT_EQ(chara.m_nCharaEffectValue1, c.effectValueAfter);
        EXPECT_EQ(chara.m_nDeathEffectValue, c.effectValueAfter);
    }
}

TEST_F(cEdCharaTest, CheckRefsRepairsDatabaseIndices)
{
    struct Case {
        const char* what;
        int bmpCharaExcEntries;
        std::int8_t sheet;
        std::int16_t graphic;
        std::int16_t index;  // anime set, effects
        std::int8_t scale;
        std::int16_t graphicAfter;
        std::int16_t indexAfter;
        std::int8_t scaleAfter;
    };
    const Case cases[] = {
        {"in range", 5, 4, 4, kTableEntries - 1, 2, 4, kTableEntries - 1, 2},
        {"at the table sizes", 5, 4, 5, kTableEntries, 0, 1, 0, 1},
        {"negative", 5, 4, -1, -1, -3, 1, 0, 1},
        {"own bitmaps without a second entry", 1, 4, 3, 0, 1, 0, 0, 1},
        {"another sheet keeps its graphic", 1, 1, 30, 0, 1, 30, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DefinitionContext.nTableCount[DB_BMP_CHARAEXC] = c.bmpCharaExcEntries;
        CharaDefSpec spec;
        spec.sheet = c.sheet;
        spec.graphic = c.graphic;
        spec.animeSet = c.index;
        spec.charaEffect = c.index;
        spec.deathEffect = c.index;
        spec.effect = c.index;
        spec.scale = c.scale;
        cEdChara chara;
        ASSERT_EQ(LoadSpec(chara, 720, spec), 1);
        EXPECT_EQ(chara.m_nGraphic, c.graphicAfter);
        EXPECT_EQ(chara.m_nAnimeSet, c.indexAfter);
        EXPECT_EQ(chara.m_nCharaEffect, c.indexAfter);
        EXPECT_EQ(chara.m_nDeathEffect, c.indexAfter);
        EXPECT_EQ(chara.m_nEffect, c.indexAfter);
        EXPECT_EQ(chara.m_nScale, c.scaleAfter);
    }
}

TEST_F(cEdCharaTest, EmptyAndTestPlayFlowsAreDropped)
{
    CharaDefSpec spec;
    spec.flows.resize(4);
    spec.flows[0].flowId = 1;
    spec.flows[0].conditions.resize(1);
    spec.flows[1].flowId = 2;  // nothing in it
    spec.flows[2].flowId = 3;
    spec.flows[2].keyConditions.resize(1);
    spec.flows[2].testPlayOnly = 1;
    spec.flows[3].flowId = 4;
    spec.flows[3].commands.resize(1);

    struct Case {
        int testPlay;
        int keep;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {0, 0, {1, 4}},
        {0, 1, {1, 3, 4}},
        {1, 0, {1, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "test play " << c.testPlay << " keep " << c.keep);
        DefinitionContext.bTestPlayMode = c.testPlay;
        DefinitionContext.bKeepTestPlayFlows = c.keep;
        cEdChara chara;
        ASSERT_EQ(LoadSpec(chara, 720, spec), 1);
        std::vector<int> ids;
        for (const cEdFlow& flow : chara.m_Flow) {
            ids.push_back(flow.m_nFlowID);
        }
        EXPECT_EQ(ids, c.ids);
    }
}

TEST_F(cEdCharaTest, SavesWhatItRead)
{
    CharaDefSpec spec;
    spec.name = "hero";
    spec.controller = 0;
    spec.graphic = 7;
    spec.groupBaseX = -5;
    spec.maxHp = 1234567;
    spec.score = -1;
    spec.switchNo = 300;
    spec.presenceMode = 2;
    spec.placeValue = 99;
    spec.x = 40;
    spec.y = 2;
    spec.inherit[36] = 1;
    spec.conditions.resize(1);
    spec.flows.resize(1);
    spec.flows[0].conditions.resize(1);
    cEdChara chara;
    ASSERT_EQ(LoadSpec(chara, 720, spec), 1);
    EXPECT_EQ(chara.m_nPlaceValue, 99);

    ByteWriter expected;
    expected.I32(720);
    testsupport::WriteRecord(expected, spec, 720);
    EXPECT_EQ(SavedBytes(chara), AsString(expected));
}

TEST_F(cEdCharaTest, GroupOffsetsMirrorForFacingRight)
{
    cEdChara chara;
    chara.m_nGroupBaseX = 4;
    chara.m_nGroupStepX = 10;
    chara.m_nGroupBaseY = -2;
    chara.m_nGroupStepY = 3;
    chara.m_bGroupMirrorX = 1;
    EXPECT_DOUBLE_EQ(chara.GetGroupOffsetX(2, 1), -24.0);
    EXPECT_DOUBLE_EQ(chara.GetGroupOffsetX(2, 0), 24.0);
    EXPECT_DOUBLE_EQ(chara.GetGroupOffsetY(2, 1), 4.0);
    chara.m_bGroupMirrorX = 0;
    EXPECT_DOUBLE_EQ(chara.GetGroupOffsetX(2, 1), 24.0);
}

}  // namespace
}  // namespace stagetest
