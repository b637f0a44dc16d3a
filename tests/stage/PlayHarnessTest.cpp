// The play harness: a written stage played for 600 frames twice with the same controller script
// gives the same digest on every frame.
#include "StageFixture.h"

#include <set>

#include "objects/StageObjects.h"

namespace stagetest {
namespace {

// A fixed script that walks, jumps and presses buttons in a pattern of uneven periods.
std::vector<testsupport::PadFrame> Script(int frames)
{
    std::vector<testsupport::PadFrame> script(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        auto& f = script[static_cast<std::size_t>(i)];
        f.dir = static_cast<SHORT>((i / 37) % 2 == 0 ? DIR_RIGHT : DIR_LEFT);
        if (i % 53 < 9) {
            f.dir = static_cast<SHORT>(f.dir | DIR_UP);
        }
        f.buttons = static_cast<SHORT>((i % 29 < 4 ? 1 : 0) | (i % 41 < 2 ? 2 : 0));
    }
    return script;
}

testsupport::CommandSpec Move(int kind, int tenths, int immediate, int direction, int speed)
{
    testsupport::CommandSpec command;
    command.kind = static_cast<std::int8_t>(kind);
    command.time = static_cast<std::int16_t>(tenths);
    command.withNext = static_cast<std::int8_t>(immediate);
    testsupport::MoveSpec move;
    move.direction = static_cast<std::int8_t>(direction);
    move.speed = static_cast<std::int16_t>(speed);
    move.radius = 3;
    command.move = move;
    return command;
}

testsupport::FlowSpec Flow(int group, std::vector<testsupport::CommandSpec> commands)
{
    testsupport::FlowSpec flow;
    flow.flowGroup = static_cast<std::int8_t>(group);
    flow.commands = std::move(commands);
    return flow;
}

// A level-mode flow of the hero run while direction class nKey is held.
testsupport::FlowSpec KeyFlow(int nKey, testsupport::CommandSpec command)
{
    testsupport::FlowSpec flow = Flow(0, {std::move(command)});
    flow.keyRepeat = 1;
    testsupport::KeyConditionSpec held;
    held.keys[static_cast<std::size_t>(nKey)] = 1;
    held.anyLength = 1;
    flow.keyConditions.push_back(held);
    return flow;
}

class PlayHarnessTest : public StageFixture {
protected:
    // Six placed characters (groups, two factions, a block character). With flows: the hero
    // flies and moves by the held direction, and every character runs a trigger-0 flow of
    // moves, turns, jumps and waits, two of them in one exclusion group.
    std::vector<std::uint64_t> Play(int frames, bool bFlows = false)
    {
        spec = testsupport::MinimalGame();
        SetHeader("m_nSpeedLevel", 13);
        if (bFlows) {
            testsupport::CharaDefSpec& hero = StageSpecOf().placedCharas.front();
            hero.flying = 1;
            hero.flows = {KeyFlow(1, Move(2, 0, 0, 2, 25)), KeyFlow(2, Move(2, 0, 0, 3, 25)),
                          KeyFlow(3, Move(2, 0, 0, 6, 15)), KeyFlow(4, Move(2, 1, 0, 7, 15))};
        }
        for (int i = 0; i < 6; ++i) {
            testsupport::CharaDefSpec chara;
            chara.controller = 1;
            chara.x = static_cast<std::uint16_t>(4 + 2 * i);
            chara.y = static_cast<std::uint16_t>(3 + i);
            chara.faction = static_cast<std::int8_t>(2 + i % 2);
            chara.fullCell = static_cast<std::int8_t>(i == 5 ? 1 : 0);
            chara.groupCount = static_cast<std::int8_t>(i % 3);
            chara.groupStepX = 24;
            if (bFlows) {
                chara.flying = static_cast<std::int8_t>(i % 2);
                chara.directionFix = 0;
                chara.flows = {Flow(1 + i % 2, {Move(2, 3, 0, 2 + i % 2, 10 + 5 * i), Move(1, 1, 0, 0, 0),
                                                Move(4, 5, 1, 0, 20), Move(9, 0, 0, 0, 0)}),
                               Flow(i % 2 == 0 ? 1 : 0, {Move(10, 2, 1, 0, 0), Move(2, 4, 0, 3 - i % 2, 12)})};
            }
            StageSpecOf().placedCharas.push_back(chara);
        }
        EXPECT_TRUE(LoadAndEnter());
        harness->SetScript(Script(frames));
        harness->RunFrames(frames);
        std::vector<std::uint64_t> digests = harness->Digests();
        heroAlive = Player[0].dying == 0;
        charasLeft = CharaList.size();
        harness.reset();
        return digests;
    }

    bool heroAlive = false;      // after the last play
    std::size_t charasLeft = 0;  // characters on the field after the last play
};

TEST_F(PlayHarnessTest, SameStageAndInputGiveTheSameDigestsFrameByFrame)
{
    const auto first = Play(600);
    const auto second = Play(600);
    ASSERT_EQ(first.size(), 600u);
    ASSERT_EQ(second.size(), 600u);
    for (std::size_t i = 0; i < first.size(); ++i) {
        ASSERT_EQ(first[i], second[i]) << "first difference at frame " << i + 1;
    }
    // The digest follows the play: it is not one value throughout.
    EXPECT_GT(std::set<std::uint64_t>(first.begin(), first.end()).size(), 100u);
}

TEST_F(PlayHarnessTest, FlowsRunningGiveTheSameDigestsFrameByFrame)
{
    const auto first = Play(600, true);
    const auto second = Play(600, true);
    // The flying hero lives through the play, so the six flying characters stay, act and run
    // their flows to the end.
    EXPECT_TRUE(heroAlive);
    EXPECT_GE(charasLeft, 6u);
    ASSERT_EQ(first.size(), 600u);
    ASSERT_EQ(second.size(), 600u);
    for (std::size_t i = 0; i < first.size(); ++i) {
        ASSERT_EQ(first[i], second[i]) << "first difference at frame " << i + 1;
    }
    EXPECT_GT(std::set<std::uint64_t>(first.begin(), first.end()).size(), 100u);
    // The flows moved the play away from the play without them.
    EXPECT_NE(Play(600).back(), first.back());
}

TEST_F(PlayHarnessTest, TheDigestSeesAChangedObject)
{
    ASSERT_TRUE(LoadAndEnter());
    const std::uint64_t before = harness->Digest();
    Player[0].x += 0.5;
    EXPECT_NE(harness->Digest(), before);
    Player[0].x -= 0.5;
    EXPECT_EQ(harness->Digest(), before);
}

}  // namespace
}  // namespace stagetest
