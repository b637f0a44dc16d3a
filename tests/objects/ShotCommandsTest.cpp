// The shot, sword and summon commands run through the flow runtime and the command table: how
// often they launch while they last (once per tenth of a second, 6 x u sub-steps, the first on
// the first step), the single sword, and a sword type without steps.
#include <gtest/gtest.h>

#include <vector>

#include "CommandTestSupport.h"
#include "objects/StageSpeed.h"
#include "objects/shot/cShot.h"
#include "project/cDatabase.h"

namespace {

struct REPEATCASE {
    const char* szName;
    int nLevel;   // speed level (u)
    int nTenths;  // duration
    int nSteps;   // sub-steps run
    std::vector<int> launchSteps;
};

cEdCommand ShotCommand(int nKind, int nTenths)
{
    cEdCommand command = cCommandTestStage::MakeCommand(nKind, nTenths, false);
    command.NewShot();
    command.m_lpShot->m_nCount = 1;
    command.m_lpShot->m_nDirection = 2;
    command.m_lpShot->m_nSpeed = 10;
    return command;
}

TEST(ShotCommandsTest, ShotCommandLaunchesEveryTenthWhileItLasts)
{
    const REPEATCASE cases[] = {
        {"0.5 s at u = 1: five volleys", 1, 5, 40, {0, 6, 12, 18, 24}},
        {"duration 0 fires once", 1, 0, 20, {0}},
        {"0.2 s at u = 3: two volleys", 13, 2, 50, {0, 18}},
    };
    for (const REPEATCASE& c : cases) {
        SCOPED_TRACE(c.szName);
        cCommandTestStage stage(c.nLevel, 0.0);
        cChara& chara = stage.AddChara(600, 500, 1, 0);
        stage.Give(chara, ShotCommand(11, c.nTenths));
        std::vector<int> launched;
        std::size_t before = 0;
        for (int i = 0; i < c.nSteps; ++i) {
            stage.SubStep();
            if (stage.field.m_ShotList.size() != before) {
                launched.push_back(i);
                before = stage.field.m_ShotList.size();
            }
        }
        EXPECT_EQ(launched, c.launchSteps);
        ClearShots();
    }
}

TEST(ShotCommandsTest, OffScreenCharacterLaunchesSilentlyButStillLaunches)
{
    cCommandTestStage stage(1, 0.0);
    cChara& chara = stage.AddChara(600, 500, 1, 0);
    chara.inView = 0;
    cEdCommand command = ShotCommand(11, 0);
    command.m_nSound = 3;
    command.m_bSoundOnScreen = 1;
    stage.Give(chara, command);
    stage.SubStep();
    EXPECT_EQ(stage.field.m_ShotList.size(), 1u);
    ClearShots();
}

class SwordCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Database.SetDefault();
        Database.SwordType.resize(3);
        cDbSwordType& entry = Database.SwordType[1];
        entry.FrameList.resize(1);
        entry.FrameList[0].nWidth = 20;
        entry.FrameList[0].nHeight = 10;
        entry.FrameList[0].nTime = 5;
        Database.SwordType[2].FrameList.clear();
    }
    void TearDown() override { Database.SetDefault(); }
};

TEST_F(SwordCommandTest, SwingsOneSwordWhateverItsDuration)
{
    for (int tenths : {0, 3, 20}) {
        SCOPED_TRACE(tenths);
        cCommandTestStage stage(2, 0.0);
        cChara& chara = stage.AddChara(600, 500, 1, 0);
        chara.target = CharaRef(1);
        cEdCommand command = ShotCommand(12, tenths);
        command.m_lpShot->m_nAimKind = 1;
        stage.field.m_nShotSerial = 9;
        stage.Give(chara, command);
        for (int i = 0; i < 40; ++i) stage.SubStep();
        ASSERT_EQ(stage.field.m_ShotList.size(), 1u);
        const cShot& sword = stage.field.m_ShotList.front();
        EXPECT_EQ(sword.isShot, 0);
        EXPECT_EQ(sword.source, 9);
        EXPECT_EQ(stage.field.m_nShotSerial, 10);
        EXPECT_EQ(sword.hitWidth, 20);
        EXPECT_EQ(sword.hitHeight, 10);
        EXPECT_TRUE(sword.target.IsNone());
        ClearShots();
    }
}

TEST_F(SwordCommandTest, SwordTypeWithoutStepsMakesNoSword)
{
    cCommandTestStage stage(1, 0.0);
    cChara& chara = stage.AddChara(600, 500, 1, 0);
    cEdCommand command = ShotCommand(12, 1);
    command.m_lpShot->m_nAimKind = 2;
    stage.Give(chara, command);
    stage.SubStep();
    EXPECT_TRUE(stage.field.m_ShotList.empty());
    EXPECT_EQ(stage.field.m_nShotSerial, 0);
}

}  // namespace
