// The graphics, effect, screen and background commands run through the flow runtime and the
// command table: placement by position kind, the effect command's size, clearing and blocking
// wait, the character- and screen-effect starts, the graphic change and the background switch.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "CommandTestSupport.h"
#include "EffectTestSupport.h"
#include "definitions/cEdStage.h"
#include "objects/IEffectStage.h"
#include "objects/commands/GraphicsCommands.h"

namespace {

using effecttest::AddEffect;
using effecttest::UseEffects;

constexpr int kEffect = 28;
constexpr int kCharaEffect = 29;
constexpr int kScrEffect = 30;
constexpr int kGraphic = 25;
constexpr int kBackground = 33;

using effecttest::RecordingEffectStage;
using effecttest::WAITCALL;

class GraphicsCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseEffects({{1, {5, 0, 32, 0, 0}}}, {{4, {10, 0, 640, 15, 0}}});
        lpEffectStage = &stage;
        hero = &test.SetupHero(400, 400);
        chara = &test.AddChara(500, 420, 1, 1);
        chara->CalcScreenRect();
    }
    void TearDown() override
    {
        lpEffectStage = nullptr;
        Stage.m_Background.clear();
        UseEffects({}, {});
    }
    // Runs one command of the character for one sub-step (a duration of 0 acts once).
    void Run(int nKind, const std::vector<int>& params)
    {
        cEdCommand command = cCommandTestStage::MakeCommand(nKind, 0, false);
        for (size_t i = 0; i < params.size(); ++i) command.m_Param[static_cast<int>(i)] = params[i];
        test.Give(*chara, command);
        test.SubStep();
    }

    cCommandTestStage test{1, 0.0};
    RecordingEffectStage stage;
    cPlayer* hero = nullptr;
    cChara* chara = nullptr;
};

TEST_F(GraphicsCommandsTest, PlaceByPositionKindGivesWorldPositions)
{
    lpStageField->m_ScrollX.dPos = 100.0;
    lpStageField->m_ScrollY.dPos = 50.0;
    cChara c;
    c.screenLeft = 200;
    c.screenTop = 120;
    c.gfxWidth = 32;
    c.gfxHeight = 48;
    hero->screenLeft = 40;
    hero->screenTop = 60;
    hero->gfxWidth = 64;
    hero->gfxHeight = 64;
    struct PLACECASE {
        int kind;
        double x, y;
    };
    // An object of 20 x 10 with cell (2, 3) and dots (5, -7).
    const PLACECASE cases[] = {
        {0, 5 + 100.0 + 320 - 10, -7 + 50.0 + 240 - 5},
        {1, 5 + 200 + 16 + 100.0 - 10, -7 + 120 + 24 + 50.0 - 5},
        {2, 5 + 40 + 32 + 100.0 - 10, -7 + 60 + 32 + 50.0 - 5},
        {3, 100.0 + 32 * 2 + 5, 50.0 + 32 * 3 - 7},
        {4, 32 * (2 + 10) + 5, 32 * (3 + 10) - 7},
        {9, -1, -2},
    };
    for (const PLACECASE& p : cases) {
        double x = -1;
        double y = -2;
        PlaceByPositionKind(x, y, 20, 10, c, p.kind, 2, 3, 5, -7);
        EXPECT_EQ(x, p.x) << "kind " << p.kind;
        EXPECT_EQ(y, p.y) << "kind " << p.kind;
    }
}

TEST_F(GraphicsCommandsTest, EffectCommandSizesPlacesClearsAndWaits)
{
    const int number = AddEffect(33, 33, {{0, 2}, {1, 3}});
    // 50 % of 33 is 16.5, rounded away from zero; stage coordinates of cell (1, 2).
    Run(kEffect, {number, 4, 1, 2, 0, 0, 50, 0});
    ASSERT_EQ(lpStageField->m_EffectList.size(), 1u);
    const cEffectObj& e = lpStageField->m_EffectList.front();
    EXPECT_EQ(e.width, 17);
    EXPECT_EQ(e.height, 17);
    EXPECT_EQ(e.stretched, 1);
    EXPECT_EQ(e.x, 32 * (1 + 10));
    EXPECT_EQ(e.y, 32 * (2 + 10));
    EXPECT_EQ(e.keepAdvancing, 0);
    EXPECT_TRUE(stage.waits.empty());

    // Stopping the play: the wait lasts the frames of the whole animation, and the effect
    // already plays (and keeps advancing) during it.
    Run(kEffect, {number, 0, 0, 0, 0, 0, 100, 1});
    ASSERT_EQ(stage.waits.size(), 1u);
    EXPECT_EQ(stage.waits[0].nMode, 2);
    EXPECT_EQ(stage.waits[0].bWaitKey, 0);
    EXPECT_EQ(stage.waits[0].nCount, (2 + 3) * 6);
    EXPECT_EQ(stage.effectsDuringWait, 2);
    EXPECT_EQ(lpStageField->m_EffectList.back().keepAdvancing, 1);
    EXPECT_EQ(lpStageField->m_EffectList.back().stretched, 0);

    // While the program closes nothing is made; effect 0 removes every effect object.
    stage.quit = 1;
    Run(kEffect, {number, 0, 0, 0, 0, 0, 100, 0});
    EXPECT_EQ(lpStageField->m_EffectList.size(), 2u);
    stage.quit = 0;
    Run(kEffect, {0});
    EXPECT_TRUE(lpStageField->m_EffectList.empty());
}

TEST_F(GraphicsCommandsTest, EffectStartCommandsStartTheRuns)
{
    Run(kCharaEffect, {1, 1, 0});
    EXPECT_EQ(chara->charaEffect.nNumber, 1);
    EXPECT_EQ(chara->charaEffect.bReversedNow, 1);
    EXPECT_EQ(chara->charaEffect.dValue, 32.0);

    Run(kScrEffect, {1, 2, 1});
    EXPECT_EQ(lpStageField->m_ScrEffect.nNumber, 1);
    EXPECT_EQ(lpStageField->m_ScrEffect.nMode, 2);
    EXPECT_EQ(lpStageField->m_ScrEffect.bLoop, 1);
    Run(kScrEffect, {0, 0, 0});
    EXPECT_EQ(lpStageField->m_ScrEffect.nNumber, 0);
    EXPECT_EQ(stage.started, (std::vector<int>{1, 0}));
}

TEST_F(GraphicsCommandsTest, GraphicChangeWritesTheDefinitionAndTheObject)
{
    Run(kGraphic, {200, 0xFFFF, 7});
    EXPECT_EQ(chara->def.m_nGraphicSheet, static_cast<std::int8_t>(200));
    EXPECT_EQ(chara->def.m_nGraphic, -1);
    EXPECT_EQ(chara->def.m_nCell, 7);
    EXPECT_EQ(chara->pictureNumber, -1) << "sign-extended from 16 bits";
    EXPECT_EQ(chara->spare, 200 - 256) << "sign-extended from 8 bits";
}

TEST_F(GraphicsCommandsTest, BackgroundCommandSwitchesOnlyExistingBackgrounds)
{
    Stage.m_Background.resize(2);
    Stage.m_Background[0].m_bVisible = 1;
    Stage.m_Background[1].m_bVisible = 0;
    struct BGCASE {
        int number, action;
        int visible0, visible1;
    };
    const BGCASE steps[] = {
        {0, 2, 1, 0},                                            // background 0 is none
        {3, 2, 1, 0},                                            // beyond the list
        {2, 0, 1, 1}, {1, 1, 0, 1}, {1, 2, 1, 1}, {1, 2, 0, 1},  // toggling twice restores
        {2, 7, 0, 1},                                            // an unknown action
    };
    for (const BGCASE& s : steps) {
        Run(kBackground, {s.number, s.action});
        EXPECT_EQ(Stage.m_Background[0].m_bVisible, s.visible0) << s.number << "/" << s.action;
        EXPECT_EQ(Stage.m_Background[1].m_bVisible, s.visible1) << s.number << "/" << s.action;
    }
}

}  // namespace
