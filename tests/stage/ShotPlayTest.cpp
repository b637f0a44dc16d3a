// Shots in the play frame: they move once per sub-step (also while the player is dying), a new
// set-up empties them, and a character summoned by the summon launch lands where the formation
// put it.
#include "StageFixture.h"

#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"
#include "objects/shot/ShotLaunch.h"
#include "objects/shot/cShot.h"

namespace stagetest {
namespace {

class ShotPlayTest : public StageFixture {
protected:
    bool EnterPlay()
    {
        SetHeader("m_bReadyBanner", 0);
        return LoadAndEnter() && harness->RunUntilState(STAGESTATE_PLAY, 3);
    }
    // A shot of the hero at world (x, y) flying (vx, 0) pixels per frame.
    cShot& Fire(int x, int y, double vx)
    {
        cEdShot def;
        def.m_bOwnerFaction = 0;
        def.m_nFaction = 3;
        SHOTLAUNCH launch;
        launch.x = x;
        launch.y = y;
        launch.vx = vx;
        launch.speed = vx < 0 ? -vx : vx;
        cShot shot;
        shot.Init(Scene().m_nShotSerial++, Player[0], SHOTCMD_SHOT, def, launch);
        return AddShotObject(Scene().m_ShotList, shot);
    }
};

TEST_F(ShotPlayTest, ShotsMoveEverySubStepEvenWhileThePlayerDies)
{
    SetHeader("m_nSpeedLevel", 3);
    ASSERT_TRUE(EnterPlay());
    const cPlayer& hero = Player[0];
    cShot& shot = Fire(static_cast<int>(hero.x) + 64, static_cast<int>(hero.y), 3.0);
    const double x0 = shot.x;
    harness->RunFrames(1);
    ASSERT_EQ(Scene().m_ShotList.size(), 1u);
    EXPECT_DOUBLE_EQ(shot.x, x0 + 3 * (3.0 / 3));
    EXPECT_EQ(shot.inView, 1);
    Scene().m_nResult = 2;
    harness->RunFrames(1);  // the death ends this frame in its first sub-step
    ASSERT_EQ(Player[0].dying, 1);
    const double x1 = shot.x;
    harness->RunFrames(1);
    EXPECT_DOUBLE_EQ(shot.x, x1 + 3.0);
}

TEST_F(ShotPlayTest, SetUpEmptiesTheShotsAndTheirGroups)
{
    ASSERT_TRUE(EnterPlay());
    Fire(static_cast<int>(Player[0].x) + 64, static_cast<int>(Player[0].y), 1.0);
    Scene().SetStage(1, 0);
    EXPECT_TRUE(Scene().m_ShotList.empty());
    EXPECT_TRUE(Scene().m_ShotLayer[3].empty());
    EXPECT_EQ(Scene().m_nShotSerial, 0);
}

TEST_F(ShotPlayTest, ASummonedCharacterLandsAtTheFormationsPlace)
{
    ASSERT_TRUE(EnterPlay());
    cEdChara def;
    def.m_nController = 1;
    def.m_nGroupCount = 0;
    const std::size_t before = CharaList.size();
    cEdShot shot;
    const double x = (10 + 6) * 32.0;  // stage tile (6, 4) in world pixels
    const double y = (10 + 4) * 32.0;
    Scene().SummonCharaAt(x, y, 2, 1, 1, shot, def);
    ASSERT_EQ(CharaList.size(), before + 1);
    const cChara& made = CharaList.back();
    EXPECT_EQ(made.leftCell, 16);
    EXPECT_EQ(made.topCell, 14);
    EXPECT_EQ(made.faction, 2);
}

}  // namespace
}  // namespace stagetest
