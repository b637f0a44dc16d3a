#include "definitions/cEdCommand.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DefinitionsTestSupport.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "definitions/CommandInfo.h"
#include "definitions/CommandList.h"
#include "definitions/PaletteCounts.h"
#include "definitions/cEdFlow.h"
#include "support/TestMainWindow.h"

namespace {

using definitionstest::DefinitionsTest;
using testsupport::ByteWriter;
using testsupport::CommandSpec;
using testsupport::FlowSpec;
using testsupport::MoveSpec;
using testsupport::ShotSpec;
using Ints = std::vector<int>;

using cEdCommandTest = DefinitionsTest;

CommandSpec Action(int kind, std::vector<std::int32_t> params = {})
{
    CommandSpec c;
    c.kind = static_cast<std::int8_t>(kind);
    c.params = std::move(params);
    return c;
}

CommandSpec Item(int kind, std::vector<std::int32_t> params = {})
{
    CommandSpec c = Action(kind, std::move(params));
    c.itemCommand = 1;
    return c;
}

CommandSpec WithShot(CommandSpec c, int graphic, int aimKind = 0)
{
    ShotSpec shot;
    shot.graphic = static_cast<std::int16_t>(graphic);
    shot.aimKind = static_cast<std::int8_t>(aimKind);
    c.shot = shot;
    return c;
}

CommandSpec WithMove(CommandSpec c, int angle, int angleStep, int mirrorAngle)
{
    MoveSpec move;
    move.angle = static_cast<std::int16_t>(angle);
    move.angleStep = static_cast<std::int16_t>(angleStep);
    move.mirrorAngle = static_cast<std::int8_t>(mirrorAngle);
    c.move = move;
    return c;
}

CommandSpec WithIndices(CommandSpec c, int anime, int sound)
{
    c.anime = static_cast<std::int16_t>(anime);
    c.sound = static_cast<std::int16_t>(sound);
    return c;
}

std::vector<std::int32_t> Count(int n, std::int32_t first = 0)
{
    std::vector<std::int32_t> values;
    for (int i = 0; i < n; ++i) {
        values.push_back(first + i);
    }
    return values;
}

Ints Params(const cEdCommand& c)
{
    return Ints(c.m_Param.begin(), c.m_Param.end());
}

Ints ShotGraphic(const cEdCommand& c)
{
    return c.m_lpShot ? Ints{c.m_lpShot->m_nShotGraphic} : Ints{};
}

Ints MoveAngles(const cEdCommand& c)
{
    return c.m_lpMove ? Ints{c.m_lpMove->m_nAngle, c.m_lpMove->m_nAngleStep, c.m_lpMove->m_bMirrorAngle} : Ints{};
}

Ints SwordTime(const cEdCommand& c)
{
    return c.m_lpShot ? Ints{c.m_lpShot->m_nAimKind, c.m_nTime} : Ints{};
}

Ints Indices(const cEdCommand& c)
{
    return {c.m_nAnime, c.m_nSound};
}

Ints Records(const cEdCommand& c)
{
    return {c.m_lpMove ? 1 : 0, c.m_lpShot ? 1 : 0};
}

struct CommandCase {
    const char* what;
    int version;
    CommandSpec stored;
    Ints (*read)(const cEdCommand&);
    Ints expected;
};

// The upgrade rules for older files and the repair that follows every load, with the fixture's
// database of 5 entries per table and sword types of run times 6, 30, 11000, 9999 and -50.
std::vector<CommandCase> CommandCases()
{
    std::vector<std::int32_t> status(18, 0);
    status[4] = 10;
    status[6] = 2;
    status[13] = 12;
    std::vector<std::int32_t> systemStatus = status;
    systemStatus[3] = 2;
    systemStatus[12] = 2;
    std::vector<std::int32_t> lowStatus = status;
    lowStatus[4] = 4;
    return {
        // Rule 1: "ステージクリア" takes nine parameters.
        {"stage clear, 5 stored", 144, Action(17, {1, 2, 3, 4, 5}), Params, {1, 2, 3, 4, 5, 0, 0, 0, 0}},
        {"item stage clear", 144, Item(2, {1, 2}), Params, {1, 2, 0, 0, 0, 0, 0, 0, 0}},
        // Rule 2: "BGMの再生" gains the loop switch, on.
        {"music before 166 loops", 165, Action(35, {3}), Params, {3, 1}},
        {"item music before 166 loops", 165, Item(20, {3}), Params, {3, 1}},
        {"music from 166 as stored", 166, Action(35, {3}), Params, {3, 0}},
        // Rules 3 and 7: status numbers of "ステータスの操作".
        {"status 10 raised twice before 168",
         167,
         Action(22, status),
         Params,
         {0, 0, 0, 0, 12, 0, 2, 0, 0, 0, 0, 0, 0, 14, 0, 0, 0, 0}},
        {"status 10 raised once before 203",
         200,
         Action(22, status),
         Params,
         {0, 0, 0, 0, 11, 0, 2, 0, 0, 0, 0, 0, 0, 13, 0, 0, 0, 0}},
        {"status 4 stays", 167, Action(22, lowStatus), Params, {0, 0, 0, 0, 4, 0, 2, 0, 0, 0, 0, 0, 0, 14, 0, 0, 0, 0}},
        {"system statuses stay",
         167,
         Action(22, systemStatus),
         Params,
         {0, 0, 0, 2, 10, 0, 2, 0, 0, 0, 0, 0, 2, 12, 0, 0, 0, 0}},
        {"item status operation",
         200,
         Item(7, status),
         Params,
         {0, 0, 0, 0, 11, 0, 2, 0, 0, 0, 0, 0, 0, 13, 0, 0, 0, 0}},
        // Rule 4: "ターゲットの設定" gains p[2].
        {"target before 189", 150, Action(21, Count(9, 10)), Params, {10, 11, 0, 12, 13, 14, 15, 16, 17, 18}},
        {"item target before 189", 188, Item(6, Count(9, 10)), Params, {10, 11, 0, 12, 13, 14, 15, 16, 17, 18}},
        {"target from 189", 189, Action(21, Count(9, 10)), Params, {10, 11, 12, 13, 14, 15, 16, 17, 18, 0}},
        // Rules 5, 12 and 14: "ピクチャーの表示".
        {"picture of 190", 190, Action(31, Count(13, 0)), Params, {0, 1, 2, 3, 4, 5, 1, 6, 7, 8, 9, 0, 0, 0}},
        {"item picture of 546", 546, Item(16, Count(14, 0)), Params, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 0}},
        // Rule 6: the effect commands gain p[1].
        {"character effect before 195", 194, Action(29, {2, 5}), Params, {2, 0, 5}},
        {"screen effect before 195", 194, Action(30, {2, 5}), Params, {2, 0, 5}},
        {"item character effect before 195", 194, Item(14, {2, 5}), Params, {2, 0, 5}},
        {"character effect from 195", 195, Action(29, {2, 5}), Params, {2, 5, 0}},
        // Rule 7: summons lose their parameters; item kind 14 is another command.
        {"character summon before 203", 202, Action(14, {1, 2}), Params, {}},
        {"flow control before 203", 202, Action(16, {1}), Params, {1, 0, 0}},
        {"item kind 14 keeps its parameters", 202, Item(14, {2, 5}), Params, {2, 5, 0}},
        // Rule 8: flag numbers of "ステータスの操作2".
        {"flag 6 becomes 7", 209, Action(23, {0, 6, 9}), Params, {0, 7, 9}},
        {"system flag stays", 209, Action(23, {2, 6, 9}), Params, {2, 6, 9}},
        {"item flag 6 becomes 7", 209, Item(8, {1, 6, 9}), Params, {1, 7, 9}},
        {"flag from 210 stays", 210, Action(23, {0, 6, 9}), Params, {0, 6, 9}},
        // Rule 9: sheet-3 graphics of "グラフィックの変更".
        {"sheet 3 graphic raised", 218, Action(25, {3, 5, 0}), Params, {3, 6, 0}},
        {"sheet 3 graphic limited to 119", 218, Action(25, {3, 119, 0}), Params, {3, 119, 0}},
        {"other sheets stay", 218, Action(25, {2, 5, 0}), Params, {2, 5, 0}},
        {"graphic from 219 stays", 219, Action(25, {3, 5, 0}), Params, {3, 5, 0}},
        // Rule 10: the shot graphic.
        {"shot graphic raised", 219, WithShot(Action(11), 10), ShotGraphic, {11}},
        {"shot graphic limited to 119", 219, WithShot(Action(11), 119), ShotGraphic, {119}},
        {"shot graphic from 220 stays", 220, WithShot(Action(11), 10), ShotGraphic, {10}},
        // Rule 11: the charge move.
        {"charge move before 514", 513, WithMove(Action(5), 30, 5, 0), MoveAngles, {0, 0, 1}},
        {"charge move from 514", 514, WithMove(Action(5), 30, 5, 0), MoveAngles, {30, 5, 0}},
        {"straight move before 514", 513, WithMove(Action(2), 30, 5, 0), MoveAngles, {30, 5, 0}},
        // Rules 12 to 15: "メッセージ".
        {"message of 500 at the player",
         500,
         Action(19, {7, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
         Params,
         {7, 1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 0, 0, 0, 1, 0, 1}},
        {"message of 500 elsewhere",
         500,
         Action(19, {3, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
         Params,
         {3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 0, 1, 0, 1}},
        {"item message of 500", 500, Item(4, {0}), Params, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1}},
        {"message of 546",
         546,
         Action(19, Count(17, 20)),
         Params,
         {20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 0, 0, 0, 1, 0, 1}},
        {"message of 555",
         555,
         Action(19, Count(17, 20)),
         Params,
         {20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 1}},
        {"message of 556",
         556,
         Action(19, Count(17, 20)),
         Params,
         {20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36}},
        // Repair: database indices of every command.
        {"anime and sound in range stay", 720, WithIndices(Action(1), 4, 4), Indices, {4, 4}},
        {"anime and sound at the count become 0", 720, WithIndices(Action(1), 5, 5), Indices, {0, 0}},
        {"negative anime and sound become 0", 720, WithIndices(Item(2), -1, -3), Indices, {0, 0}},
        // Repair: the parameter count of the kind.
        {"surplus parameters cut", 720, Action(9, {1, 2, 3}), Params, {1}},
        {"missing parameters added", 720, Action(10, {4}), Params, {4, 0, 0, 0, 0}},
        // Repair: p[0] naming a database entry.
        {"picture at the count becomes 1",
         720,
         Action(31, Count(14, 5)),
         Params,
         {1, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}},
        {"animation set at the count becomes 0", 720, Action(26, {5}), Params, {0}},
        {"negative anime becomes 1", 720, Action(27, {-1}), Params, {1}},
        {"effect in range stays", 720, Action(28, Count(8, 4)), Params, {4, 5, 6, 7, 8, 9, 10, 11}},
        {"character effect at the count", 720, Action(29, {5, 1, 1}), Params, {1, 1, 1}},
        {"screen effect at the count", 720, Action(30, {7, 1, 1}), Params, {1, 1, 1}},
        {"sound at the count", 720, Action(34, {5}), Params, {1}},
        {"music at the count", 720, Action(35, {9, 1}), Params, {1, 1}},
        {"item picture at the count",
         720,
         Item(16, Count(14, 5)),
         Params,
         {1, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}},
        {"item animation set", 720, Item(11, {-4}), Params, {0}},
        {"item music", 720, Item(20, {5, 0}), Params, {1, 0}},
        {"action 16 is not a picture", 720, Action(16, {9, 9, 9}), Params, {9, 9, 9}},
        // Repair: the sword's type and time.
        {"sword time is the sum of its frames", 720, WithShot(Action(12), 0, 1), SwordTime, {1, 30}},
        {"sword time limited to 9999", 720, WithShot(Action(12), 0, 2), SwordTime, {2, 9999}},
        {"negative sword time becomes 0", 720, WithShot(Action(12), 0, 4), SwordTime, {4, 0}},
        {"sword type at the count becomes 0", 720, WithShot(Action(12), 0, 5), SwordTime, {0, 6}},
        {"negative sword type becomes 0", 720, WithShot(Action(12), 0, -1), SwordTime, {0, 6}},
        {"a shot's time is its own", 720, WithShot(Action(11), 0, 2), SwordTime, {2, 0}},
        // Repair: records the command cannot run without.
        {"sword without shot record", 720, Action(12), SwordTime, {0, 6}},
        {"shot without shot record", 720, Action(11), Records, {0, 1}},
        {"charge move without move record", 720, Action(5), Records, {1, 0}},
        {"straight move without move record stays", 720, Action(2), Records, {0, 0}},
        {"item kind 11 is not a shot", 720, Item(11, {0}), Records, {0, 0}},
        {"charge move without record before 514", 513, Action(5), MoveAngles, {0, 0, 1}},
        {"shot without record before 220", 219, Action(11), ShotGraphic, {0}},
    };
}

TEST_F(cEdCommandTest, UpgradesAndRepairsWhileLoading)
{
    for (const CommandCase& c : CommandCases()) {
        SCOPED_TRACE(testing::Message() << c.what << " (version " << c.version << ")");
        cEdCommand command;
        ASSERT_EQ(LoadSpec(command, c.version, c.stored), 1);
        EXPECT_EQ(c.read(command), c.expected);
    }
}

TEST_F(cEdCommandTest, ReplacementOneIsZeroInATableOfOneEntry)
{
    DefinitionContext.nTableCount.fill(1);
    cEdCommand command;
    ASSERT_EQ(LoadSpec(command, 720, Action(31, Count(14, 3))), 1);
    EXPECT_EQ(command.m_Param[0], 0);
    ASSERT_EQ(LoadSpec(command, 720, Action(35, {2, 1})), 1);
    EXPECT_EQ(command.m_Param[0], 0);
}

// An item command "フローの変更" with every member set, owning records and a flow whose command
// has a record of its own.
CommandSpec StoredCommand()
{
    CommandSpec c = Item(1, {2, 3});
    c.time = 12;
    c.timeStep = -2;
    c.withNext = 1;
    c.sound = 3;
    c.soundOnScreen = 0;
    c.anime = 4;
    c.text = Sjis("テキスト");
    c.move = MoveSpec{};
    c.move->direction = 3;
    c.shot = ShotSpec{};
    c.shot->power = 500;
    FlowSpec flow;
    flow.flowId = 2;
    flow.trigger = 4;
    flow.conditions.resize(1);
    flow.conditions[0].kind = 1;
    flow.keyConditions.resize(1);
    flow.keyConditions[0].keys[11] = 1;
    flow.commands.push_back(WithMove(Action(2), 90, 0, 1));
    c.flows.push_back(flow);
    return c;
}

TEST_F(cEdCommandTest, ReadsAndSavesThe720Layout)
{
    cEdCommand command;
    ASSERT_EQ(LoadSpec(command, 720, StoredCommand()), 1);
    EXPECT_EQ(command.m_bItemCommand, 1);
    EXPECT_EQ(command.m_nTimeStep, -2);
    EXPECT_EQ(command.m_bSoundOnScreen, 0);
    EXPECT_EQ(command.m_strText, Sjis("テキスト"));
    ASSERT_TRUE(command.m_lpMove);
    EXPECT_EQ(command.m_lpMove->m_nDirection, 3);
    ASSERT_TRUE(command.m_lpShot);
    EXPECT_EQ(command.m_lpShot->m_nPower, 500);
    ASSERT_EQ(command.m_Flow.size(), 1u);
    ASSERT_EQ(command.m_Flow[0].m_Command.size(), 1u);
    ASSERT_TRUE(command.m_Flow[0].m_Command[0].m_lpMove);
    EXPECT_EQ(command.m_Flow[0].m_Command[0].m_lpMove->m_nAngle, 90);
    EXPECT_EQ(SavedBytes(command), Expected720(StoredCommand()));
}

TEST_F(cEdCommandTest, SavesTheParameterCountOfItsKind)
{
    cEdCommand command;
    command.m_nKind = 18;
    command.m_Param.assign(4, 7);
    CommandSpec expected = Action(18, {7});
    EXPECT_EQ(SavedBytes(command), Expected720(expected));
}

TEST_F(cEdCommandTest, NewCommandAsTheListReaderStartsIt)
{
    cEdCommand command;
    command.m_nKind = 11;
    command.NewShot();
    command.m_Param.assign(3, 1);
    command.Reset();
    EXPECT_EQ(command.m_nKind, 0);
    EXPECT_EQ(command.m_bSoundOnScreen, 1);
    EXPECT_FALSE(command.m_lpMove);
    EXPECT_FALSE(command.m_lpShot);
    EXPECT_TRUE(command.m_Param.empty());
}

TEST_F(cEdCommandTest, CopiesOwnTheirRecords)
{
    cEdCommand source;
    ASSERT_EQ(LoadSpec(source, 720, StoredCommand()), 1);

    cEdCommand copy(source);
    cEdCommand assigned;
    assigned = source;
    for (cEdCommand* target : {&copy, &assigned}) {
        // Every stored member, flows and records included.
        EXPECT_EQ(SavedBytes(*target), Expected720(StoredCommand()));
        ASSERT_TRUE(target->m_lpMove);
        ASSERT_TRUE(target->m_lpShot);
        EXPECT_NE(target->m_lpMove, source.m_lpMove);
        EXPECT_NE(target->m_lpShot, source.m_lpShot);
        EXPECT_EQ(target->m_lpMove->m_nDirection, 3);
        EXPECT_EQ(target->m_lpShot->m_nPower, 500);
        EXPECT_EQ(Params(*target), Params(source));
        EXPECT_EQ(target->m_strText, source.m_strText);
        ASSERT_EQ(target->m_Flow.size(), 1u);
        const cEdCommand& inner = target->m_Flow[0].m_Command[0];
        ASSERT_TRUE(inner.m_lpMove);
        EXPECT_NE(inner.m_lpMove, source.m_Flow[0].m_Command[0].m_lpMove);
        target->m_lpMove->m_nDirection = 9;
        target->m_lpShot->m_nPower = 1;
        target->m_Flow[0].m_Command[0].m_lpMove->m_nAngle = 1;
    }
    EXPECT_EQ(source.m_lpMove->m_nDirection, 3);
    EXPECT_EQ(source.m_lpShot->m_nPower, 500);
    EXPECT_EQ(source.m_Flow[0].m_Command[0].m_lpMove->m_nAngle, 90);
    EXPECT_EQ(SavedBytes(source), Expected720(StoredCommand()));
}

TEST_F(cEdCommandTest, CopyingCommandListsAndEmptySourcesDropsRecords)
{
    cVector<cEdCommand> source(2);
    source[0].NewMove();
    source[0].m_lpMove->m_nSpeed = 33;
    cVector<cEdCommand> target(1);
    target[0].NewShot();
    target = source;
    ASSERT_EQ(target.size(), 2u);
    ASSERT_TRUE(target[0].m_lpMove);
    EXPECT_NE(target[0].m_lpMove, source[0].m_lpMove);
    EXPECT_EQ(target[0].m_lpMove->m_nSpeed, 33);
    EXPECT_FALSE(target[0].m_lpShot);

    cEdCommand& self = target[0];
    auto move = self.m_lpMove;
    self = target[0];
    EXPECT_EQ(self.m_lpMove, move);
}

struct PaletteCase {
    const char* what;
    CommandSpec stored;
    Ints (*read)(const cEdCommand&);
    Ints expected;
};

CommandSpec ShotItem(int kind, int itemKind, int itemIndex)
{
    CommandSpec c = WithShot(Action(kind), 0);
    c.shot->itemKind = static_cast<std::int8_t>(itemKind);
    c.shot->itemIndex = static_cast<std::int16_t>(itemIndex);
    return c;
}

CommandSpec Summon(int kind, int palette, int index)
{
    CommandSpec c = WithShot(Action(kind), 0);
    c.shot->summonPalette = static_cast<std::int8_t>(palette);
    c.shot->summonIndex = static_cast<std::int16_t>(index);
    return c;
}

Ints ItemRef(const cEdCommand& c)
{
    return {c.m_lpShot->m_nItemKind, c.m_lpShot->m_nItemIndex};
}

Ints SummonIndex(const cEdCommand& c)
{
    return {c.m_lpShot->m_nSummonIndex};
}

Ints InnerSummonIndex(const cEdCommand& c)
{
    return SummonIndex(c.m_Flow[0].m_Command[0]);
}

CommandSpec FlowChangeWith(CommandSpec inner)
{
    CommandSpec c = Item(1, {0, 0});
    FlowSpec flow;
    flow.commands.push_back(std::move(inner));
    c.flows.push_back(flow);
    return c;
}

// Common palette lists of 3 entries; stage blocks 2, stage characters 1, stage items unknown.
PALETTECOUNTS Palettes()
{
    PALETTECOUNTS counts;
    counts.nCount[PALETTE_COMMON] = {3, 3, 3};
    counts.nCount[PALETTE_STAGE] = {2, 1, -1};
    return counts;
}

TEST_F(cEdCommandTest, PaletteReferencesOutOfRangeAreSetBack)
{
    const PaletteCase cases[] = {
        {"shot item in the common list stays", ShotItem(11, 1, 2), ItemRef, {1, 2}},
        {"shot item at the common count is dropped", ShotItem(11, 1, 3), ItemRef, {0, 0}},
        {"sword item negative is dropped", ShotItem(12, 1, -1), ItemRef, {0, 0}},
        {"stage items of unknown size stay", ShotItem(11, 2, 40), ItemRef, {2, 40}},
        {"other reference kinds stay", ShotItem(11, 3, 40), ItemRef, {3, 40}},
        {"summon commands do not check the shot item", ShotItem(13, 1, 40), ItemRef, {1, 40}},
        {"common block at the count becomes 1", Summon(13, 0, 3), SummonIndex, {1}},
        {"stage block negative becomes 1", Summon(13, 1, -1), SummonIndex, {1}},
        {"stage character in a one-entry list becomes 1", Summon(14, 1, 4), SummonIndex, {1}},
        {"common item at the count becomes 1", Summon(15, 0, 3), SummonIndex, {1}},
        {"a third palette is not checked", Summon(15, 2, 99), SummonIndex, {99}},
        {"a shot has no summon to check", Summon(11, 0, 99), SummonIndex, {99}},
        {"item given from the common list stays", Action(24, {0, 2}), Params, {0, 2}},
        {"item given past the common list becomes 1", Action(24, {0, 3}), Params, {0, 1}},
        {"item command past the common list becomes 1", Item(9, {0, 7}), Params, {0, 1}},
        {"item given from stage items of unknown size stays", Action(24, {1, 7}), Params, {1, 7}},
        {"commands of owned flows are checked", FlowChangeWith(Summon(13, 0, 9)), InnerSummonIndex, {1}},
    };
    for (const PaletteCase& c : cases) {
        SCOPED_TRACE(c.what);
        cEdCommand command;
        ASSERT_EQ(LoadSpec(command, 720, c.stored), 1);
        command.CheckPaletteRefs(Palettes());
        EXPECT_EQ(c.read(command), c.expected);
    }
}

// A command whose flow holds a command whose flow holds ... depth commands in all.
CommandSpec Nested(int depth)
{
    CommandSpec c = Item(1, {0, 0});
    if (depth > 1) {
        FlowSpec flow;
        flow.commands.push_back(Nested(depth - 1));
        c.flows.push_back(std::move(flow));
    }
    return c;
}

TEST_F(cEdCommandTest, NestingIsBounded)
{
    cEdCommand command;
    EXPECT_EQ(LoadSpec(command, 720, Nested(cEdCommand::kMaxNesting)), 1);
    EXPECT_EQ(LoadSpec(command, 720, Nested(cEdCommand::kMaxNesting + 1)), 0);
    EXPECT_EQ(LoadSpec(command, 720, Nested(2000)), 0);
}

TEST_F(cEdCommandTest, MalformedCommandsAreRefusedAndLeftUsable)
{
    ByteWriter full;
    testsupport::WriteRecord(full, StoredCommand(), 720);
    ByteWriter hugeParams;
    testsupport::WriteRecord(hugeParams, Action(9), 720);
    std::vector<std::uint8_t> bytes = hugeParams.Data();
    bytes.resize(bytes.size() - 4);
    ByteWriter params;
    for (std::uint8_t b : bytes) {
        params.U8(b);
    }
    params.I32(0x10000000).I32(1);
    std::vector<ByteWriter> cases;
    for (std::size_t cut : {std::size_t{30}, std::size_t{60}, full.Size() / 2, full.Size() - 1}) {
        ByteWriter truncated;
        for (std::uint8_t b : full.Truncated(cut)) {
            truncated.U8(b);
        }
        cases.push_back(truncated);
    }
    cases.push_back(params);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        cEdCommand command;
        EXPECT_EQ(LoadBytes(command, 720, cases[i]), 0);
        EXPECT_EQ(static_cast<int>(command.m_Param.size()),
                  (command.m_bItemCommand ? ItemCommandInfo() : CommandInfo())[command.m_nKind].nParam);
    }
}

TEST_F(cEdCommandTest, KindOutsideItsTableLeavesNoParameters)
{
    cEdCommand command;
    ASSERT_EQ(LoadSpec(command, 720, Action(100, {1, 2})), 1);
    EXPECT_TRUE(command.m_Param.empty());
    ASSERT_EQ(LoadSpec(command, 720, Item(-3, {1, 2})), 1);
    EXPECT_TRUE(command.m_Param.empty());
}

TEST_F(cEdCommandTest, UnknownKindsAreReportedAndReadAsKindZeroWithoutClosing)
{
    struct Case {
        CommandSpec spec;
        int kind;
    };
    const Case cases[] = {
        {Action(static_cast<int>(CommandInfo().size()), {1, 2}), static_cast<int>(CommandInfo().size())},
        {Action(-1, {7}), -1},
        {Item(static_cast<int>(ItemCommandInfo().size())), static_cast<int>(ItemCommandInfo().size())},
        {Item(-128, {1}), -128},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        testsupport::TestMainWindow window;
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
        cEdCommand command;
        ASSERT_EQ(LoadSpec(command, 720, c.spec), 1);
        EXPECT_EQ(command.m_nKind, 0);
        EXPECT_EQ(static_cast<int>(command.m_Param.size()),
                  (command.m_bItemCommand ? ItemCommandInfo() : CommandInfo())[0].nParam);
        EXPECT_EQ(window.TakePosted(WM_CLOSE), 0);
        const std::string expected = "Command kind " + std::to_string(c.kind) + " is unknown; it is read as kind 0\r\n";
        EXPECT_EQ(folder.Read("Report_Game.txt"), expected);
    }
}

TEST_F(cEdCommandTest, CommandListReplacesItsContents)
{
    std::vector<CommandSpec> list{Action(1), WithShot(Action(11), 3)};
    ByteWriter file;
    file.I32(720);
    testsupport::WriteList(file, list, 720);
    folder.Write("list.dat", file.Data());
    cVector<cEdCommand> commands(5);
    FILE* fp = OpenDatLoad("list.dat");
    ASSERT_NE(fp, nullptr);
    ASSERT_EQ(LoadCommandList(commands, fp), 1);
    CloseDat(fp);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].m_bSoundOnScreen, 1);
    EXPECT_FALSE(commands[0].m_lpShot);
    ASSERT_TRUE(commands[1].m_lpShot);
    EXPECT_EQ(commands[1].m_lpShot->m_nShotGraphic, 3);
}

}  // namespace
