// One play frame: the result requests of the commands, the erasing of characters outside their
// off-screen limit or beyond the field's stored pixel size on the first sub-step, a dying
// player whose later frames still count, and what counts once a frame against once a sub-step.
#include "StageFixture.h"

#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"

namespace stagetest {
namespace {

class PlayFrameTest : public StageFixture {
protected:
    bool EnterPlay()
    {
        SetHeader("m_bReadyBanner", 0);
        return LoadAndEnter() && harness->RunUntilState(STAGESTATE_PLAY, 3);
    }
};

TEST_F(PlayFrameTest, AClearRequestEntersTheClearStateAndEndsTheFrame)
{
    SetHeader("m_nSpeedLevel", 4);
    ASSERT_TRUE(EnterPlay());
    Scene().m_nResult = 1;
    harness->RunFrames(1);
    EXPECT_EQ(Scene().m_nState, STAGESTATE_CLEAR);
    EXPECT_EQ(Scene().m_nSubStepTotal, 1) << "the frame ends in its first sub-step";
}

TEST_F(PlayFrameTest, ADeathRequestKillsThePlayerAndPlayGoesOnWithoutIt)
{
    SetHeader("m_nSpeedLevel", 3);
    ASSERT_TRUE(EnterPlay());
    Scene().m_nResult = 2;
    harness->RunFrames(1);
    EXPECT_EQ(Player[0].dying, 1);
    EXPECT_EQ(RecordedSounds(), std::vector<WPARAM>{8});
    EXPECT_EQ(Scene().m_nState, STAGESTATE_PLAY);
    const auto dead = testsupport::PlayHarness::PlayerState();
    harness->RunFrames(2);
    // Input, timers and sub-steps still run; the player no longer moves.
    EXPECT_EQ(Scene().m_nFrame, 3);
    EXPECT_EQ(Scene().m_nSubStepTotal, 1 + 2 * 3);
    EXPECT_EQ(testsupport::PlayHarness::PlayerState().y, dead.y);
}

TEST_F(PlayFrameTest, CharactersOutsideTheirLimitAreErasedOnTheFirstSubStep)
{
    SetHeader("m_nWidth", 80);
    StageSpecOf().offScreen[0].flags = {1, 1, 1, 1};
    testsupport::CharaDefSpec near;
    near.controller = 1;
    near.flying = 1;
    near.x = 6;
    near.y = 5;
    testsupport::CharaDefSpec far = near;
    far.x = 70;  // far right of the view
    StageSpecOf().placedCharas.push_back(near);
    StageSpecOf().placedCharas.push_back(far);
    ASSERT_TRUE(EnterPlay());
    ASSERT_EQ(CharaList.size(), 2u);
    EXPECT_EQ(Scene().m_bEraseChara, 1);
    EXPECT_EQ(Scene().m_bEraseBlockChara, 0);
    harness->RunFrames(1);
    ASSERT_EQ(CharaList.size(), 1u);
    EXPECT_EQ(CharaList.front().source, 1);
    EXPECT_EQ(Scene().m_CharaLayer[1].size(), 2u) << "the player and the one left";
}

TEST_F(PlayFrameTest, TimersCountOncePerFrameAndLifetimesAndInvincibilityOncePerSubStep)
{
    // A computer character with a lifetime and invincibility, and a fixed screen place set by a
    // command, over one frame. A dying player stops the lifetimes but not the invincibility.
    struct Case {
        int speedLevel;
        bool playerDying;
    };
    const Case cases[] = {{1, false}, {2, false}, {3, false}, {25, false}, {3, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "speed level " << c.speedLevel << (c.playerDying ? ", player dying" : ""));
        spec = testsupport::MinimalGame();
        SetHeader("m_nSpeedLevel", c.speedLevel);
        testsupport::CharaDefSpec chara;
        chara.controller = 1;
        chara.flying = 1;
        chara.x = 6;
        chara.y = 5;
        StageSpecOf().placedCharas.push_back(chara);
        ASSERT_TRUE(EnterPlay());
        ASSERT_EQ(CharaList.size(), 1u);
        const int n = SubStepCount();
        ASSERT_GE(n, 1);
        cChara& placed = CharaList.front();
        placed.lifeLeft = 100;
        placed.invincibleTime = 100;
        placed.fixedScreenX = placed.fixedScreenY = 1;
        Player[P1].invincibleTime = 100;
        Player[P1].fixedScreenX = 1;
        Player[P1].dying = c.playerDying ? 1 : 0;
        const int frame = Scene().m_nFrame;
        const int playFrames = Scene().m_nPlayFrames;
        const int subSteps = Scene().m_nSubStepTotal;
        harness->RunFrames(1);
        ASSERT_EQ(CharaList.size(), 1u);
        EXPECT_EQ(Scene().m_nFrame, frame + 1);
        EXPECT_EQ(Scene().m_nPlayFrames, playFrames + 1);
        EXPECT_EQ(Scene().m_nSubStepTotal, subSteps + n);
        EXPECT_EQ(placed.lifeLeft, c.playerDying ? 100 : 100 - n);
        EXPECT_EQ(placed.invincibleTime, 100 - n);
        EXPECT_EQ(Player[P1].invincibleTime, 100 - n);
        EXPECT_EQ(placed.fixedScreenX, 0);
        EXPECT_EQ(placed.fixedScreenY, 0);
        EXPECT_EQ(Player[P1].fixedScreenX, 0);
    }
}

TEST_F(PlayFrameTest, TheFieldEndsWhereTheStoredPixelSizesSay)
{
    // A 40 x 15 stage; a character at tile (30, 12) stands at field (1280, 704). Margins of 100
    // tiles keep the camera out of it: only the field's far bounds decide. -1: not looked at (a
    // field of one screen keeps the character within the view's reach).
    struct Case {
        const char* what;
        int widthPx;
        int heightPx;
        int fieldWidth;
        int fieldHeight;
        int charasLeft;
    };
    const Case cases[] = {
        {"the sizes the editor writes", 40 * 32, 15 * 32, 1920, 1120, 1},
        {"a width stored shorter than the tiles", 20 * 32, 15 * 32, 1280, 1120, 0},
        {"a height stored as 0", 40 * 32, 0, 1920, 640, -1},
        {"a negative width counts as 0", -5000, 15 * 32, 640, 1120, -1},
        {"a width beyond the longest axis", 2147483647, 15 * 32, ((1 << 25) - 10) * 32 + 640, 1120, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        spec = testsupport::MinimalGame();
        SetHeader("m_nWidth", 40);
        SetHeader("m_nFieldWidthPx", c.widthPx);
        SetHeader("m_nFieldHeightPx", c.heightPx);
        StageSpecOf().offScreen[0] = {{1, 1, 1, 1}, {100, 100, 100, 100}};
        testsupport::CharaDefSpec far;
        far.controller = 1;
        far.flying = 1;
        far.x = 30;
        far.y = 12;
        StageSpecOf().placedCharas.push_back(far);
        ASSERT_TRUE(EnterPlay());
        EXPECT_EQ(Scene().m_ScrollX.nFieldSize, c.fieldWidth);
        EXPECT_EQ(Scene().m_ScrollY.nFieldSize, c.fieldHeight);
        EXPECT_EQ(Scene().m_ScrollX.nStageMax, 50 * 32) << "the stage area still counts tiles";
        harness->RunFrames(1);
        if (c.charasLeft >= 0) {
            EXPECT_EQ(CharaList.size(), static_cast<std::size_t>(c.charasLeft));
        }
    }
}

}  // namespace
}  // namespace stagetest
