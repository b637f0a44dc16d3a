// The flows of the hero and the stage characters running in play, through the play harness: the
// flows a definition gives are in place after set-up, trigger 0 starts them in every sub-step,
// the start bookkeeping is reset once a frame (a flow that ends cannot start again before the
// next frame), key sequences start the hero's flows on the frame they are completed, and the
// stage-start flows run their immediate commands of kind 16 and up during set-up only.
//
// Expected movements come from the movement rules: a speed of v tenths of a pixel per frame
// moves v x 0.1 / b pixels per sub-step at b sub-steps a frame, and a command of t tenths lasts
// t x 6 x b sub-steps (at least one).
#include <cmath>
#include <vector>

#include "StageFixture.h"
#include "core/ReportLog.h"
#include "input/cInput.h"
#include "objects/IFlowStage.h"
#include "objects/StageObjects.h"

namespace stagetest {
namespace {

using testsupport::CharaDefSpec;
using testsupport::CommandSpec;
using testsupport::FlowSpec;
using testsupport::KeyConditionSpec;
using testsupport::MoveSpec;
using testsupport::PadFrame;

const double kInvSqrt2 = 1.0 / std::sqrt(2.0);

constexpr int kTriggerAlways = 0;
constexpr int kTriggerStageStart = 18;
constexpr int kStraightMove = 2;
constexpr int kWarp = 20;

CommandSpec Command(int nKind, int nTenths, int bImmediate, const MoveSpec& move)
{
    CommandSpec command;
    command.kind = static_cast<std::int8_t>(nKind);
    command.time = static_cast<std::int16_t>(nTenths);
    command.withNext = static_cast<std::int8_t>(bImmediate);
    command.move = move;
    return command;
}

// A warp of nHalfBlocks half-blocks to the right.
CommandSpec WarpRight(int nHalfBlocks, int bImmediate)
{
    MoveSpec move = PlainMove(3, 0);
    move.distance = static_cast<std::int16_t>(nHalfBlocks);
    return Command(kWarp, 0, bImmediate, move);
}

FlowSpec Flow(int nTrigger, std::vector<CommandSpec> commands)
{
    FlowSpec flow;
    flow.trigger = static_cast<std::int8_t>(nTrigger);
    flow.commands = std::move(commands);
    return flow;
}

KeyConditionSpec KeyStep(int nKey, int nMin, int nMax, int bAnyLength)
{
    KeyConditionSpec step;
    step.keys[static_cast<std::size_t>(nKey)] = 1;
    step.minFrames = static_cast<std::int16_t>(nMin);
    step.maxFrames = static_cast<std::int16_t>(nMax);
    step.anyLength = static_cast<std::int8_t>(bAnyLength);
    return step;
}

// A flying computer character at tile (column, row) facing left, free to turn.
CharaDefSpec Flyer(int nColumn, int nRow)
{
    CharaDefSpec chara;
    chara.controller = 1;
    chara.flying = 1;
    chara.directionFix = 0;
    chara.x = static_cast<std::uint16_t>(nColumn);
    chara.y = static_cast<std::uint16_t>(nRow);
    return chara;
}

class FlowPlayTest : public StageFixture {
protected:
    // The minimal game without banners, its hero flying: without the map collision a walking
    // hero would fall out of the stage.
    void NewGame(int nSpeedLevel)
    {
        harness.reset();
        spec = testsupport::MinimalGame();
        SetHeader("m_bReadyBanner", 0);
        SetHeader("m_bStartBanner", 0);
        SetHeader("m_nSpeedLevel", nSpeedLevel);
        Hero().flying = 1;
    }
    CharaDefSpec& Hero() { return StageSpecOf().placedCharas.front(); }
    bool EnterPlay() { return LoadAndEnter() && harness->RunUntilState(STAGESTATE_PLAY, 3); }
};

TEST_F(FlowPlayTest, TriggerZeroFlowsMoveCharactersFrameAfterFrame)
{
    struct Case {
        const char* name;
        int level;  // speed level: b = level for these
        int direction;
        int speed;   // tenths of a pixel per frame
        int tenths;  // duration
        int frames;
        double dirX;  // unit movement expected
        double dirY;
        int facing;  // facing afterwards (placed facing left)
        // pixels per frame: v x 0.1 while the flow restarts at once; a zero duration runs one
        // sub-step, and the flow starts again only in the next frame.
        bool oneSubStepAFrame;
    };
    const Case cases[] = {
        {"right at two sub-steps", 2, 3, 20, 1, 9, 1, 0, 1, false},
        {"left for two tenths at three sub-steps", 3, 2, 30, 2, 14, -1, 0, 0, false},
        {"up, flying", 1, 6, 15, 1, 8, 0, -1, 0, false},
        {"right-up diagonal", 2, 10, 30, 1, 6, kInvSqrt2, -kInvSqrt2, 1, false},
        {"zero speed only turns", 2, 3, 0, 1, 5, 1, 0, 1, false},
        {"zero duration: one sub-step a frame", 3, 3, 30, 0, 7, 1, 0, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewGame(c.level);
        CharaDefSpec chara = Flyer(10, 5);
        chara.flows.push_back(
            Flow(kTriggerAlways, {Command(kStraightMove, c.tenths, 0, PlainMove(c.direction, c.speed))}));
        StageSpecOf().placedCharas.push_back(chara);
        ASSERT_TRUE(EnterPlay());
        ASSERT_EQ(CharaList.size(), 1u);
        ASSERT_EQ(CharaList.front().flows.size(), 1u) << "the definition's flow is in place after set-up";
        const double x0 = CharaList.front().x;
        const double y0 = CharaList.front().y;
        harness->RunFrames(c.frames);
        ASSERT_EQ(CharaList.size(), 1u);
        const double perFrame = c.oneSubStepAFrame ? c.speed * 0.1 / c.level : c.speed * 0.1;
        EXPECT_NEAR(CharaList.front().x - x0, c.frames * perFrame * c.dirX, 1e-9);
        EXPECT_NEAR(CharaList.front().y - y0, c.frames * perFrame * c.dirY, 1e-9);
        EXPECT_EQ(CharaList.front().facing, c.facing);
        harness.reset();
    }
}

TEST_F(FlowPlayTest, EveryMoveStaysAtZeroSpeedAndAtZeroDurationMovesOneSubStepAFrame)
{
    // The straight move, the charge and the homing move (both aimed at the hero, the target every
    // character starts with) at three sub-steps a frame: speed 0 never moves; speed 30 with a
    // zero duration moves one sub-step of 30 x 0.1 / 3 = 1 pixel a frame, the flow starting again
    // in every frame.
    for (int kind : {2, 5, 6}) {
        for (int speed : {0, 30}) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << " speed " << speed);
            NewGame(3);
            CharaDefSpec chara = Flyer(10, 5);
            chara.flows.push_back(Flow(kTriggerAlways, {Command(kind, 0, 0, PlainMove(3, speed))}));
            StageSpecOf().placedCharas.push_back(chara);
            ASSERT_TRUE(EnterPlay());
            ASSERT_EQ(CharaList.size(), 1u);
            for (int frame = 0; frame < 8; ++frame) {
                const double x = CharaList.front().x;
                const double y = CharaList.front().y;
                harness->RunFrames(1);
                const double dx = CharaList.front().x - x;
                const double dy = CharaList.front().y - y;
                EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), speed * 0.1 / 3, 1e-9) << "frame " << frame;
            }
        }
    }
}

TEST_F(FlowPlayTest, KeySequencesStartTheHerosFlowOnTheFrameTheyAreCompleted)
{
    // Down held for 1 to 10 frames, then right; each start moves the hero up by one pixel in one
    // sub-step (speed 20 at two sub-steps, zero duration).
    struct Case {
        const char* name;
        int level;  // key level flag: start on every matching frame
        std::vector<int> startFrames;
    };
    const Case cases[] = {
        {"edge: once, when the sequence starts to match", 0, {8}},
        {"level: every frame while it matches", 1, {8, 9, 10, 11}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewGame(2);
        FlowSpec flow = Flow(kTriggerAlways, {Command(kStraightMove, 0, 0, PlainMove(6, 20))});
        flow.keyGap = 0;
        flow.keyRepeat = static_cast<std::int8_t>(c.level);
        flow.keyConditions = {KeyStep(4, 1, 10, 0), KeyStep(2, 0, 0, 1)};
        Hero().flows.push_back(flow);
        ASSERT_TRUE(EnterPlay());
        // Frames 0-2 nothing, 3-7 down, 8-11 right, 12-13 nothing.
        std::vector<PadFrame> script(14);
        for (int f = 3; f <= 7; ++f) script[static_cast<std::size_t>(f)].dir = DIR_DOWN;
        for (int f = 8; f <= 11; ++f) script[static_cast<std::size_t>(f)].dir = DIR_RIGHT;
        harness->SetScript(script);
        const double y0 = Player[P1].y;
        int starts = 0;
        for (int f = 0; f < 14; ++f) {
            harness->RunFrames(1);
            for (int s : c.startFrames) starts += s == f ? 1 : 0;
            EXPECT_NEAR(Player[P1].y, y0 - starts, 1e-9) << "frame " << f;
        }
        harness.reset();
    }
}

TEST_F(FlowPlayTest, StageStartFlowsRunTheirImmediateLaterCommandsDuringSetUpOnly)
{
    struct Case {
        const char* name;
        std::vector<CommandSpec> commands;
        double dx;  // moved during set-up: half-blocks x 16
    };
    const Case cases[] = {
        {"an immediate warp runs", {WarpRight(2, 1)}, 2 * 16},
        {"a waiting warp is passed over", {WarpRight(2, 0)}, 0},
        {"a movement command never runs, the warp after it does",
         {Command(kStraightMove, 5, 1, PlainMove(2, 100)), WarpRight(3, 1)},
         3 * 16},
    };
    // Where the character and the hero stand after a set-up without flows.
    NewGame(1);
    StageSpecOf().placedCharas.push_back(Flyer(10, 5));
    ASSERT_TRUE(LoadAndEnter());
    ASSERT_EQ(CharaList.size(), 1u);
    const double charaX = CharaList.front().x;
    const double heroX = Player[P1].x;

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewGame(1);
        CharaDefSpec chara = Flyer(10, 5);
        chara.flows.push_back(Flow(kTriggerStageStart, c.commands));
        StageSpecOf().placedCharas.push_back(chara);
        Hero().flows.push_back(Flow(kTriggerStageStart, c.commands));
        ASSERT_TRUE(LoadAndEnter());
        ASSERT_EQ(CharaList.size(), 1u);
        EXPECT_NEAR(CharaList.front().x - charaX, c.dx, 1e-9);
        EXPECT_NEAR(Player[P1].x - heroX, c.dx, 1e-9);
        EXPECT_EQ(CharaList.front().flows[0].running, 0) << "the flow ended with set-up";
        EXPECT_EQ(Player[P1].flows[0].running, 0);
        ASSERT_TRUE(harness->RunUntilState(STAGESTATE_PLAY, 3));
        const double x = CharaList.front().x;
        const double hx = Player[P1].x;
        harness->RunFrames(4);
        EXPECT_EQ(CharaList.front().x, x) << "trigger 18 is not fired again in play";
        EXPECT_EQ(Player[P1].x, hx);
    }
}

TEST_F(FlowPlayTest, TheHeroWalksByItsKeyFlowAndTheCameraFollows)
{
    // Right held starts a level-mode flow every frame: a zero-duration move of 50 tenths, one
    // sub-step of 5 pixels at one sub-step a frame (below the stage's maximum speed of 6).
    NewGame(1);
    SetHeader("m_nWidth", 40);
    FlowSpec walk = Flow(kTriggerAlways, {Command(kStraightMove, 0, 0, PlainMove(3, 50))});
    walk.keyRepeat = 1;
    walk.keyConditions = {KeyStep(2, 0, 0, 1)};
    Hero().flows.push_back(walk);
    ASSERT_TRUE(EnterPlay());
    const double x0 = Player[P1].x;
    const double camera0 = Scene().m_ScrollX.dPos;
    EXPECT_EQ(camera0, 320.0) << "the view starts at the stage's left edge";
    harness->SetScript(std::vector<PadFrame>(60, PadFrame{DIR_RIGHT, 0}));
    harness->RunFrames(60);
    const cPlayer& hero = Player[P1];
    EXPECT_NEAR(hero.x, x0 + 60 * 5.0, 1e-9);
    EXPECT_EQ(hero.facing, 1);
    // The camera puts the hero's hit box in the middle of the 640-pixel view.
    EXPECT_NEAR(Scene().m_ScrollX.dPos, hero.x - (320 - hero.hitWidth / 2), 1e-9);
    harness->SetScript(std::vector<PadFrame>(5));
    harness->RunFrames(5);
    EXPECT_NEAR(Player[P1].x, x0 + 60 * 5.0, 1e-9) << "released, the flow no longer starts";
}

TEST_F(FlowPlayTest, AnUnknownCommandKindInAStageIsReportedOnceAndActsAsKindZero)
{
    // The first command's kind is past the table: read as kind 0 it does nothing for its tenth of
    // a second (6 frames at one sub-step a frame); then the move right begins.
    testsupport::GameFolder logFolder;
    ASSERT_EQ(CreateReportLog((logFolder.Root() / "Report_Game.txt").string().c_str()), 1);
    NewGame(1);
    CharaDefSpec chara = Flyer(10, 5);
    chara.groupCount = 1;  // two members from one definition
    chara.groupStepX = 64;
    chara.flows.push_back(
        Flow(kTriggerAlways, {Command(100, 1, 0, PlainMove(0, 0)), Command(kStraightMove, 0, 0, PlainMove(3, 10))}));
    StageSpecOf().placedCharas.push_back(chara);
    ASSERT_TRUE(EnterPlay());
    ASSERT_EQ(CharaList.size(), 2u);
    EXPECT_EQ(CharaList.front().def.m_Flow[0].m_Command[0].m_nKind, 0);
    const double x0 = CharaList.front().x;
    harness->RunFrames(6);
    EXPECT_EQ(CharaList.front().x, x0) << "kind 0 only lasts its duration";
    harness->RunFrames(1);
    EXPECT_NEAR(CharaList.front().x, x0 + 1.0, 1e-9);
    EXPECT_EQ(TakePosted(WM_CLOSE), 0);
    harness.reset();
    EXPECT_EQ(logFolder.Read("Report_Game.txt"), "Command kind 100 is unknown; it is read as kind 0\r\n");
}

TEST_F(FlowPlayTest, TheStageAnswersTheFlowsQuestionsAboutTime)
{
    struct Case {
        int limited;
        int seconds;
        int left;  // expected seconds left after set-up
    };
    for (const Case& c : {Case{1, 120, 120}, Case{0, 120, 999}}) {
        SCOPED_TRACE(c.limited);
        NewGame(1);
        SetHeader("m_bTimeLimit", c.limited);
        SetHeader("m_nTimeLimit", c.seconds);
        ASSERT_TRUE(LoadAndEnter());
        IFlowStage* stage = dynamic_cast<IFlowStage*>(lpStageField);
        ASSERT_NE(stage, nullptr);
        EXPECT_EQ(stage->FlowTimeLeft(), c.left);
        EXPECT_EQ(stage->FlowHasNoTimeLimit(), c.limited ? 0 : 1);
        stage->SetFlowTimeLeft(7);
        EXPECT_EQ(Scene().m_nTime, 7);
    }
}

}  // namespace
}  // namespace stagetest
