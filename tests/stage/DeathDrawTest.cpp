// The end of a death found by the stage drawing: a dying stage character leaves the list when its
// death animation ends, the hero's death moves the screen on one second of frames after it.
#include "StageFixture.h"

#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"
#include "project/cDbCharaEffect.h"
#include "screenbase/cScene.h"

namespace stagetest {
namespace {

class DeathDrawTest : public StageFixture {
protected:
    // The minimal game with one flying computer-operated character placed above the hero.
    bool EnterWithOne()
    {
        if (m_basePlaced.empty()) {
            m_basePlaced = StageSpecOf().placedCharas;
        }
        StageSpecOf().placedCharas = m_basePlaced;
        harness.reset();
        testsupport::CharaDefSpec c;
        c.controller = 1;
        c.flying = 1;
        c.faction = 2;
        c.x = 4;
        c.y = 5;
        StageSpecOf().placedCharas.push_back(c);
        SetHeader("m_bReadyBanner", 0);
        return LoadAndEnter() && harness->RunUntilState(STAGESTATE_PLAY, 3) && CharaList.size() == 1;
    }

    std::vector<testsupport::CharaDefSpec> m_basePlaced;  // the hero alone
    cDbCharaEffect m_record;                              // a death effect whose kind the table may not know
};

TEST_F(DeathDrawTest, ADyingCharacterLeavesWhenItsDeathEffectCannotRun)
{
    struct Case {
        const char* name;
        int nEffect;  // 0: no death effect
        int nKind;
    };
    const Case cases[] = {
        {"no death effect", 0, 0},
        {"an effect entry of no kind", 1, 0},
        {"an effect of a kind beyond the table", 1, 99},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(EnterWithOne()) << c.name;
        cChara& chara = CharaList.front();
        m_record.nKind = c.nKind;
        chara.charaEffect.nNumber = static_cast<std::int16_t>(c.nEffect);
        chara.charaEffect.lpRecord = c.nEffect != 0 ? &m_record : nullptr;
        chara.dying = 1;
        harness->RunFrames(1);
        EXPECT_TRUE(CharaList.empty()) << c.name << ": removed by the frame's drawing";
    }
}

TEST_F(DeathDrawTest, TheHerosDeathEndsOneSecondOfFramesAfterIt)
{
    ASSERT_TRUE(EnterWithOne());
    const int fps = SceneFlow().nTargetFps;
    ASSERT_GT(fps, 0);
    Player[P1].dying = 1;
    harness->RunFrames(fps);
    EXPECT_EQ(Scene().m_nState, STAGESTATE_PLAY) << "the dying count has only reached the frame rate";
    harness->RunFrames(1);
    EXPECT_NE(Scene().m_nState, STAGESTATE_PLAY) << "the count passed the frame rate: the death ended";
}

}  // namespace
}  // namespace stagetest
