// Rules a game's author relies on, played through the harness on small stages: landing and
// hitting a ceiling start the flows of triggers 9, 13, 14 and 15; a command's animation is
// scheduled so that its wind-up ends as the command starts and shows in the play state; an item
// list stops at the command that kills the hero; the hero's pending item commands run before its
// deleted flows go; a dying player-operated stage character costs the play; speed levels above
// 19 are sub-step counts; the floor block's item waits its 60 frames while the hero stands; and
// the play state names the score, lives and time; a shot is drawn in the pass of its priority;
// a pause-menu frame that its button decides draws nothing.
#include <string>
#include <utility>
#include <vector>

#include "StageFixture.h"
#include "input/cInput.h"
#include "objects/StageObjects.h"
#include "objects/shot/ShotLaunch.h"
#include "objects/shot/cShot.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"

namespace stagetest {
namespace {

using testsupport::AnimeFrameSpec;
using testsupport::AnimeSpec;
using testsupport::BlockDefSpec;
using testsupport::CharaDefSpec;
using testsupport::CommandSpec;
using testsupport::FlowSpec;
using testsupport::ItemDefSpec;
using testsupport::MoveSpec;

constexpr int kWait = 1;
constexpr int kStraightMove = 2;
constexpr int kJump = 10;
constexpr int kFlowOperation = 16;
constexpr int kWarp = 20;
constexpr int kItemGet = 24;
constexpr int kCode = 36;
constexpr int kItemFlowChange = 1;
constexpr int kItemStageClear = 2;
constexpr int kItemCode = 21;
constexpr int kTriggerAlways = 0;
constexpr int kTriggerNone = 19;

CommandSpec Command(int nKind, int nTenths, std::vector<std::int32_t> params = {})
{
    CommandSpec command;
    command.kind = static_cast<std::int8_t>(nKind);
    command.time = static_cast<std::int16_t>(nTenths);
    command.params = std::move(params);
    return command;
}

CommandSpec ItemCommand(int nKind, std::vector<std::int32_t> params = {}, const char* szText = "")
{
    CommandSpec command = Command(nKind, 0, std::move(params));
    command.itemCommand = 1;
    command.text = szText;
    return command;
}

// A warp of one half-block (16 pixels) to the right.
CommandSpec WarpRight()
{
    CommandSpec warp = Command(kWarp, 0);
    MoveSpec move = PlainMove(3, 0);
    move.distance = 1;
    warp.move = move;
    return warp;
}

FlowSpec Flow(int nTrigger, std::vector<CommandSpec> commands, int nId = 0)
{
    FlowSpec flow;
    flow.trigger = static_cast<std::int8_t>(nTrigger);
    flow.flowId = static_cast<std::int8_t>(nId);
    flow.commands = std::move(commands);
    return flow;
}

CharaDefSpec Computer(int nColumn, int nRow, int nFlying)
{
    CharaDefSpec chara;
    chara.controller = 1;
    chara.flying = static_cast<std::int8_t>(nFlying);
    chara.x = static_cast<std::uint16_t>(nColumn);
    chara.y = static_cast<std::uint16_t>(nRow);
    return chara;
}

// The value of "name" in the first object of the play state whose kind is szKind.
long long StateValue(const std::string& json, const char* szKind, const char* szName)
{
    std::size_t at = json.find(std::string("{\"kind\": \"") + szKind + "\"");
    if (at == std::string::npos) return -999;
    at = json.find(std::string("\"") + szName + "\": ", at);
    if (at == std::string::npos) return -999;
    return std::stoll(json.substr(at + std::string(szName).size() + 4));
}

class AuthorRulesPlayTest : public StageFixture {
protected:
    void NewGame(int nSpeedLevel)
    {
        harness.reset();
        spec = testsupport::MinimalGame();
        SetHeader("m_bReadyBanner", 0);
        SetHeader("m_bStartBanner", 0);
        SetHeader("m_nSpeedLevel", nSpeedLevel);
    }
    CharaDefSpec& Hero() { return StageSpecOf().placedCharas.front(); }
    bool EnterPlay() { return LoadAndEnter() && harness->RunUntilState(STAGESTATE_PLAY, 3); }
    // A row of solid blocks across the stage.
    void BlockRow(int nRow)
    {
        for (std::uint16_t x = 0; x < 20; ++x) {
            BlockDefSpec block;
            block.graphic = 1;
            block.x = x;
            block.y = static_cast<std::uint16_t>(nRow);
            StageSpecOf().placedBlocks.push_back(block);
        }
    }
};

TEST_F(AuthorRulesPlayTest, LandingAndHittingACeilingStartTheirFlows)
{
    // Each character carries one flow, started by the trigger of the case, that warps it one
    // half-block right. Landing fires 9, 13 and 15; a ceiling fires 9, 13 and 14.
    struct Case {
        const char* name;
        bool ceiling;  // a flier pushing up under a row of blocks; else a walker on the floor
        bool hero;
        int trigger;
        bool moves;
    };
    const Case cases[] = {
        {"landing: block hit", false, false, 9, true},
        {"landing: above or below", false, false, 13, true},
        {"landing: below", false, false, 15, true},
        {"landing is no hit above", false, false, 14, false},
        {"the hero landing: below", false, true, 15, true},
        {"ceiling: block hit", true, false, 9, true},
        {"ceiling: above or below", true, false, 13, true},
        {"ceiling: above", true, false, 14, true},
        {"a ceiling is no hit below", true, false, 15, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewGame(1);
        const FlowSpec reaction = Flow(c.trigger, {WarpRight()});
        if (c.hero) {
            Hero().flows.push_back(reaction);
        } else if (c.ceiling) {
            BlockRow(11);
            CharaDefSpec flier = Computer(10, 12, 2);  // flies and stops at blocks
            flier.flows.push_back(Flow(kTriggerAlways, {Command(kStraightMove, 1)}));
            flier.flows.back().commands.back().move = PlainMove(6, 10);  // up, 1 pixel a frame
            flier.flows.push_back(reaction);
            StageSpecOf().placedCharas.push_back(flier);
        } else {
            CharaDefSpec walker = Computer(10, 13, 0);
            walker.flows.push_back(reaction);
            StageSpecOf().placedCharas.push_back(walker);
        }
        ASSERT_TRUE(EnterPlay());
        auto x = [&]() { return c.hero ? Player[P1].x : CharaList.front().x; };
        const double x0 = x();
        int firstMove = 0;
        double firstStep = 0.0;
        // The flier's hit box may sit a few pixels below its cell's top: 40 frames at a pixel
        // a frame bring it up to the blocks.
        for (int frame = 1; frame <= 40 && firstMove == 0; ++frame) {
            harness->RunFrames(1);
            if (x() != x0) {
                firstMove = frame;
                firstStep = x() - x0;
            }
        }
        if (c.moves) {
            EXPECT_NE(firstMove, 0) << "the flow never started";
            EXPECT_EQ(firstStep, 16.0) << "one warp of a half-block";
        } else {
            EXPECT_EQ(firstMove, 0);
        }
        harness.reset();
    }
}

TEST_F(AuthorRulesPlayTest, ACommandsAnimationIsScheduledToEndItsWindUpAsTheCommandStarts)
{
    // Anime 1: one free frame of 1 tenth, then the held pose: a wind-up T of 6 frames. Anime 2:
    // 3 tenths free, then the pose: T = 18. The schedule entry is {start, anime, skip, length,
    // base time x 6, play flag}; with b sub-steps, L0 = T x b, and the commands before it count
    // their durations (tenths x 6 x b) unless they go on with the next one.
    struct Entry {
        int start, anime, skip, length, value2, flag;
    };
    struct Case {
        const char* name;
        int level;
        std::vector<CommandSpec> commands;
        Entry want;
    };
    CommandSpec pose1 = Command(kWait, 3);
    pose1.anime = 1;
    CommandSpec pose2 = Command(kWait, 2);
    pose2.anime = 2;
    CommandSpec jump = Command(kJump, 1);
    jump.anime = 1;
    CommandSpec parallel = Command(kWait, 2);
    parallel.withNext = 1;
    const Case cases[] = {
        {"lead time enough: starts T before the command", 1, {Command(kWait, 2), pose1}, {12 - 6, 1, 0, 6, 18, 1}},
        {"at two sub-steps", 2, {Command(kWait, 2), pose1}, {24 - 12, 1, 0, 6, 18, 1}},
        {"first command: the wind-up is skipped", 1, {pose1}, {0, 1, 6, 0, 18, 1}},
        {"too little lead: starts with the flow, skipping the rest",
         1,
         {Command(kWait, 1), pose2},
         {0, 2, 12, 6, 12, 1}},
        {"a parallel command before it does not count", 1, {parallel, Command(kWait, 1), pose1}, {0, 1, 0, 6, 18, 1}},
        {"a jump's pose is not held longer", 1, {Command(kWait, 2), jump}, {6, 1, 0, 6, 6, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewGame(c.level);
        spec.database.animes.resize(3);
        spec.database.animes[1].frames = {AnimeFrameSpec{0, 1, 0}, AnimeFrameSpec{1, 1, 1}};
        spec.database.animes[2].frames = {AnimeFrameSpec{0, 3, 0}, AnimeFrameSpec{2, 2, 1}};
        CharaDefSpec chara = Computer(10, 5, 1);
        chara.flows.push_back(Flow(kTriggerNone, c.commands));
        StageSpecOf().placedCharas.push_back(chara);
        ASSERT_TRUE(EnterPlay());
        ASSERT_EQ(CharaList.size(), 1u);
        ASSERT_EQ(CharaList.front().flows.size(), 1u);
        const cVector<FLOWANIMESTART>& starts = CharaList.front().flows[0].animeStarts;
        ASSERT_EQ(starts.size(), 1u);
        EXPECT_EQ(starts[0].nStartFrame, c.want.start);
        EXPECT_EQ(starts[0].nAnime, c.want.anime);
        EXPECT_EQ(starts[0].nTickOffset, c.want.skip);
        EXPECT_EQ(starts[0].nValue1, c.want.length);
        EXPECT_EQ(starts[0].nValue2, c.want.value2);
        EXPECT_EQ(starts[0].nFlag, c.want.flag);
        harness.reset();
    }
}

TEST_F(AuthorRulesPlayTest, TheScheduledAnimationShowsInThePlayState)
{
    // Wait 2 tenths, then a command with anime 1 (T = 6): at one sub-step a frame the flow,
    // started by trigger 0 in the first play frame, reaches its frame 6 in play frame 7, where
    // the animation starts and is drawn at its first frame; its free frame of 6 frames gives way
    // to the held pose (frame index 1) on its sixth drawing, in play frame 12.
    NewGame(1);
    spec.database.animes.resize(2);
    spec.database.animes[1].frames = {AnimeFrameSpec{0, 1, 0}, AnimeFrameSpec{1, 1, 1}};
    CommandSpec pose = Command(kWait, 3);
    pose.anime = 1;
    CharaDefSpec chara = Computer(10, 5, 1);
    chara.flows.push_back(Flow(kTriggerAlways, {Command(kWait, 2), pose}));
    StageSpecOf().placedCharas.push_back(chara);
    ASSERT_TRUE(EnterPlay());
    std::vector<long long> anime;
    std::vector<long long> frame;
    for (int n = 1; n <= 13; ++n) {
        harness->RunFrames(1);
        const std::string json = harness->StateJson();
        anime.push_back(StateValue(json, "chara", "anime"));
        frame.push_back(StateValue(json, "chara", "animeFrame"));
    }
    const std::vector<long long> wantAnime = {-1, -1, -1, -1, -1, -1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(anime, wantAnime);
    EXPECT_EQ(frame[6], 0);
    EXPECT_EQ(frame[10], 0);
    EXPECT_EQ(frame[11], 1);
    EXPECT_EQ(StateValue(harness->StateJson(), "player", "anime"), -1) << "the hero shows its own motion";
}

TEST_F(AuthorRulesPlayTest, AnItemListThatKillsTheHeroStopsThere)
{
    // "HP to 0, then stage clear": the clear never runs, the hero dies.
    NewGame(1);
    ItemDefSpec item;
    item.graphic = 1;
    item.x = Hero().x;
    item.y = Hero().y;
    item.commands = {ItemCommand(kItemCode, {}, "my.hp = 0"), ItemCommand(kItemStageClear)};
    StageSpecOf().placedItems.push_back(item);
    ASSERT_TRUE(EnterPlay());
    harness->RunFrames(3);
    EXPECT_EQ(Player[P1].hp, 0);
    EXPECT_EQ(Player[P1].dying, 1);
    EXPECT_NE(Scene().m_nState, STAGESTATE_CLEAR);
}

TEST_F(AuthorRulesPlayTest, TheHerosPendingItemCommandsRunBeforeItsDeletedFlowsGo)
{
    // Flow 1 deletes itself; flow 2 takes an item that changes the flows of ID 1 into flow 3.
    // The change, pending until the hero's flows have run, still finds flow 1 and puts flow 3 in
    // its place, before flow 2.
    NewGame(1);
    FlowSpec replacement = Flow(kTriggerNone, {Command(kWait, 1)}, 3);
    ItemDefSpec changer;
    changer.commands = {ItemCommand(kItemFlowChange, {1, 1})};
    changer.commands.back().flows = {replacement};
    StageSpecOf().paletteItems[1] = changer;
    Hero().flows.push_back(Flow(kTriggerAlways, {Command(kFlowOperation, 0, {4, 0})}, 1));
    Hero().flows.push_back(Flow(kTriggerAlways, {Command(kItemGet, 0, {1, 1})}, 2));
    ASSERT_TRUE(EnterPlay());
    harness->RunFrames(1);
    std::vector<int> ids;
    for (const cEdFlow& flow : Player[P1].def.m_Flow) ids.push_back(flow.m_nFlowID);
    EXPECT_EQ(ids, (std::vector<int>{3, 2}));
}

TEST_F(AuthorRulesPlayTest, APlayerOperatedStageCharacterThatDiesCostsThePlay)
{
    // A stage character that a player operates (operator value 0) takes its own HP; its death is
    // the player's. A computer character doing the same dies alone.
    for (int operatorValue : {0, 1}) {
        SCOPED_TRACE(operatorValue);
        NewGame(1);
        CharaDefSpec partner = Computer(10, 13, 0);
        CommandSpec code = Command(kCode, 0);
        code.text = "my.hp = 0";
        partner.flows.push_back(Flow(kTriggerAlways, {code}));
        StageSpecOf().placedCharas.push_back(partner);
        ASSERT_TRUE(EnterPlay());
        ASSERT_EQ(CharaList.size(), 1u);
        CharaList.front().value2 = operatorValue;
        harness->RunFrames(3);
        EXPECT_EQ(Player[P1].dying, operatorValue == 0 ? 1 : 0);
        harness.reset();
    }
}

TEST_F(AuthorRulesPlayTest, SpeedLevelsAboveNineteenAreSubStepCounts)
{
    // Level 25: 25 sub-steps a frame; a zero-length move of speed 30 runs one sub-step a frame,
    // 30 x 0.1 / 25 pixels.
    NewGame(25);
    CharaDefSpec chara = Computer(10, 5, 1);
    chara.flows.push_back(Flow(kTriggerAlways, {Command(kStraightMove, 0)}));
    chara.flows.back().commands.back().move = PlainMove(3, 30);
    StageSpecOf().placedCharas.push_back(chara);
    ASSERT_TRUE(EnterPlay());
    EXPECT_EQ(Stage.m_nSubSteps, 25);
    const double x0 = CharaList.front().x;
    harness->RunFrames(5);
    EXPECT_NEAR(CharaList.front().x - x0, 5 * 30 * 0.1 / 25, 1e-9);
}

TEST_F(AuthorRulesPlayTest, TheFloorBlocksItemWaitsItsSixtyFramesWhileTheHeroStands)
{
    // The block under the hero carries an item that counts in S1. Standing on it, the hero
    // takes it once per 60 frames, however its sub-steps find the floor.
    for (int level : {1, 2, 3}) {
        SCOPED_TRACE(level);
        NewGame(level);
        ItemDefSpec counter;
        counter.commands = {ItemCommand(kItemCode, {}, "S1 = S1 + 1")};
        StageSpecOf().paletteItems[1] = counter;
        for (BlockDefSpec& block : StageSpecOf().placedBlocks) {
            if (block.x == Hero().x && block.y == Hero().y + 1) {
                block.itemKind = 2;
                block.itemIndex = 1;
            }
        }
        ASSERT_TRUE(EnterPlay());
        int frames = 0;
        while (Scene().m_StageVar[1] == 0 && frames < 30) {
            harness->RunFrames(1);
            ++frames;
        }
        ASSERT_EQ(Scene().m_StageVar[1], 1) << "the hero lands on the block and takes its item";
        harness->RunFrames(59);
        EXPECT_EQ(Scene().m_StageVar[1], 1);
        harness->RunFrames(1);
        EXPECT_EQ(Scene().m_StageVar[1], 2) << "and again 60 frames after";
        harness.reset();
    }
}

TEST_F(AuthorRulesPlayTest, ThePlayStateNamesScoreLivesAndTime)
{
    NewGame(1);
    SetHeader("m_bTimeLimit", 1);
    SetHeader("m_nTimeLimit", 120);
    ASSERT_TRUE(EnterPlay());
    SaveData.nTotalScore = 1234;
    SaveData.nLives = 3;
    const std::string json = harness->StateJson();
    EXPECT_NE(json.find("\"score\": 1234, \"lives\": 3, \"time\": 120"), std::string::npos) << json;
    SaveData.nTotalScore = 0;
}

TEST_F(AuthorRulesPlayTest, APauseMenuFrameThatAButtonEndsDrawsNothing)
{
    // An invisible character's own animation runs on in every frozen drawing; a frame whose
    // button leaves the menu ends before drawing, so the animation stands still in it.
    NewGame(1);
    CharaDefSpec ghost = Computer(10, 5, 1);
    ghost.transparent = 1;
    StageSpecOf().placedCharas.push_back(ghost);
    ASSERT_TRUE(EnterPlay());
    ASSERT_EQ(CharaList.size(), 1u);
    const cChara& chara = CharaList.front();
    SystemData.bPauseHideField = 0;  // the pause menu shows the field
    auto animeAt = [&] { return std::make_pair(chara.anime.entry, chara.anime.tick); };
    SetKeyState(VK_SPACE, true);
    harness->RunFrames(1);
    SetKeyState(VK_SPACE, false);
    ASSERT_EQ(Scene().m_nState, STAGESTATE_PAUSE);
    harness->SetScript({testsupport::PadFrame{0, 0}});
    auto before = animeAt();
    harness->RunFrames(1);
    EXPECT_NE(animeAt(), before) << "the menu's frame draws the frozen stage";
    before = animeAt();
    harness->SetScript({testsupport::PadFrame{0, BUTTON_CANCEL}});
    harness->RunFrames(1);
    EXPECT_EQ(Scene().m_nState, STAGESTATE_PLAY);
    EXPECT_EQ(animeAt(), before) << "the cancelling frame draws nothing";
}

TEST_F(AuthorRulesPlayTest, AShotIsDrawnOnlyInThePassOfItsPriority)
{
    // With draw priorities on, the passes run 0..7 and a shot is drawn (its screen place worked
    // out) in the pass of its priority byte: a shot of priority 1 before the hero's pass 3, one
    // of a priority outside 0..7 in none. With priorities off every shot is drawn.
    struct Case {
        const char* name;
        int byPriority;
        int priority;
        bool drawn;
    };
    const Case cases[] = {
        {"priority 1", 1, 1, true},
        {"priority 7", 1, 7, true},
        {"priority 9 has no pass", 1, 9, false},
        {"priorities off", 0, 9, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewGame(1);
        SetHeader("m_bDrawByPriority", c.byPriority);
        ASSERT_TRUE(EnterPlay());
        cEdShot def;
        def.m_nShotGraphic = 1;
        def.m_nShotOptB = static_cast<std::int8_t>(c.priority);
        SHOTLAUNCH launch;
        launch.x = static_cast<int>(Player[P1].x);
        launch.y = static_cast<int>(Player[P1].y);
        cShot made;
        made.Init(Scene().m_nShotSerial++, Player[P1], SHOTCMD_SHOT, def, launch);
        cShot& shot = AddShotObject(Scene().m_ShotList, made);
        shot.screenLeft = -12345;
        Scene().Draw(FrozenDrawMode(0));
        EXPECT_EQ(shot.screenLeft != -12345, c.drawn);
        harness.reset();
    }
}

}  // namespace
}  // namespace stagetest
