// One play frame: the result requests of the commands, the erasing of characters outside their
// off-screen limit on the first sub-step, and a dying player whose later frames still count.
#include "StageFixture.h"

#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"

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

}  // namespace
}  // namespace stagetest
