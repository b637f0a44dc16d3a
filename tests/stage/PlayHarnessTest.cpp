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

class PlayHarnessTest : public StageFixture {
protected:
    std::vector<std::uint64_t> Play(int frames)
    {
        spec = testsupport::MinimalGame();
        SetHeader("m_nSpeedLevel", 13);
        for (int i = 0; i < 6; ++i) {
            testsupport::CharaDefSpec chara;
            chara.controller = 1;
            chara.x = static_cast<std::uint16_t>(4 + 2 * i);
            chara.y = static_cast<std::uint16_t>(3 + i);
            chara.faction = static_cast<std::int8_t>(2 + i % 2);
            chara.fullCell = static_cast<std::int8_t>(i == 5 ? 1 : 0);
            chara.groupCount = static_cast<std::int8_t>(i % 3);
            chara.groupStepX = 24;
            StageSpecOf().placedCharas.push_back(chara);
        }
        EXPECT_TRUE(LoadAndEnter());
        harness->SetScript(Script(frames));
        harness->RunFrames(frames);
        std::vector<std::uint64_t> digests = harness->Digests();
        harness.reset();
        return digests;
    }
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
