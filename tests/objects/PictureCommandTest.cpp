// The picture command run through the flow runtime on a real back-end: bitmaps loaded from the
// game folder, sized by percent and placed by position kind, replaced or erased by ID in their
// drawing order, stacked once per step of the command's duration, a missing bitmap closing the
// program, the blocking waits of each duration mode, and a stretched picture and an effect
// animation drawn at their screen places.
#include <gtest/gtest.h>

#include <memory>

#include "CommandTestSupport.h"
#include "EffectTestSupport.h"
#include "core/TextHelpers.h"
#include "graphics/Blit.h"
#include "graphics/DrawTestSupport.h"
#include "objects/IEffectStage.h"
#include "objects/effect/EffectObjectsDraw.h"

namespace {

using namespace gfxtest;
using effecttest::RecordingEffectStage;

constexpr int kPicture = 31;

class PictureCommandTest : public DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        OpenWithPalette();
        Database.SetDefault();
        Database.Picture.resize(5);
        // Pictures 1..3: 33 x 21 bitmaps of one colour each; 4 names a missing file.
        for (int n = 1; n <= 3; ++n) {
            const std::string path = "bmp\\pic" + std::to_string(n) + ".bmp";
            Write(path, Bmp8(33, 21, [n](int, int) { return static_cast<std::uint32_t>(n); }));
            Database.Picture[n].strFileName = path;
        }
        Database.Picture[4].strFileName = "bmp\\missing.bmp";
        stage = std::make_unique<cCommandTestStage>(1, 0.0);
        chara = &stage->AddChara(500, 420, 1, 1);
        lpEffectStage = &recorder;
    }
    void TearDown() override
    {
        lpEffectStage = nullptr;
        stage.reset();
        Database.SetDefault();
        DrawTest::TearDown();
    }
    // The command for one sub-step (or nTenths x 6 sub-steps at speed level 1).
    void Run(const std::vector<int>& params, int nTenths = 0)
    {
        cEdCommand command = cCommandTestStage::MakeCommand(kPicture, nTenths, false);
        for (size_t i = 0; i < params.size(); ++i) command.m_Param[static_cast<int>(i)] = params[i];
        stage->Give(*chara, command);
        for (int n = 0; n < 1000 && stage->SubStep(); ++n) {
        }
    }
    // Picture, position kind 4 (stage cell 1, 2), size, duration mode, time, wait, fixed, ID.
    static std::vector<int> Show(int number, int percent = 100, int mode = 1, int tenths = 0, int wait = 0,
                                 int hasId = 0, int id = 0)
    {
        return {number, 4, 1, 2, 0, 0, 0, percent, mode, tenths, wait, 0, hasId, id};
    }
    std::vector<int> Numbers() const
    {
        std::vector<int> numbers;
        for (const cPictureObj& p : lpStageField->m_PictureList) numbers.push_back(p.number);
        return numbers;
    }

    std::unique_ptr<cCommandTestStage> stage;
    cChara* chara = nullptr;
    RecordingEffectStage recorder;
};

TEST_P(PictureCommandTest, SizedPlacedReplacedAndErasedById)
{
    Run(Show(1, 50, 1, 0, 0, 1, 7));
    ASSERT_EQ(lpStageField->m_PictureList.size(), 1u);
    const cPictureObj& first = lpStageField->m_PictureList.front();
    EXPECT_EQ(first.width, 17) << "50 % of 33 rounds away from zero";
    EXPECT_EQ(first.height, 11) << "50 % of 21";
    EXPECT_EQ(first.stretched, 1);
    EXPECT_EQ(first.x, 32 * (1 + 10));
    EXPECT_EQ(first.y, 32 * (2 + 10));

    Run(Show(2));
    Run(Show(3, 100, 1, 0, 0, 1, 9));
    EXPECT_EQ(Numbers(), (std::vector<int>{1, 2, 3}));
    Run(Show(2, 100, 1, 0, 0, 1, 7));
    EXPECT_EQ(Numbers(), (std::vector<int>{2, 2, 3})) << "the replacement keeps the drawing order";
    Run(Show(0, 100, 1, 0, 0, 1, 9));
    EXPECT_EQ(Numbers(), (std::vector<int>{2, 2})) << "picture 0 with an ID erases only that one";
    Run(Show(0, 100, 1, 0, 0, 1, 5));
    EXPECT_EQ(Numbers(), (std::vector<int>{2, 2})) << "an ID nobody carries erases nothing";
    Run(Show(0));
    EXPECT_TRUE(lpStageField->m_PictureList.empty()) << "picture 0 without an ID erases all";
}

TEST_P(PictureCommandTest, ActsOnEveryStepAndClosesOnAMissingBitmap)
{
    // One tenth at speed level 1 is six steps: six pictures, each with its own surface.
    Run(Show(1), 1);
    EXPECT_EQ(lpStageField->m_PictureList.size(), 6u);
    const cPictureObj& a = lpStageField->m_PictureList.front();
    const cPictureObj& b = lpStageField->m_PictureList.back();
    EXPECT_NE(a.surface.get(), b.surface.get());

    Run(Show(0));
    Run(Show(4));
    EXPECT_TRUE(lpStageField->m_PictureList.empty());
    EXPECT_TRUE(ReportHas(std::string("bmp\\missing.bmp") + Sjis(" 読み込み失敗！"))) << "the file, a space, the text";
    EXPECT_EQ(TakePosted(WM_CLOSE), 1) << "a picture that cannot be shown closes the program";
}

TEST_P(PictureCommandTest, BlockingPicturesWaitThenGo)
{
    struct WAITCASE {
        int mode;
        int tenths;
        int bWaitKey;
        int nCount;
    };
    // Until the key; until the stage ends (which would hold the play for ever: waits for the key
    // too); for 3 tenths.
    const WAITCASE cases[] = {{0, 0, 1, 0}, {1, 0, 1, 0}, {2, 3, 0, 18}};
    for (const WAITCASE& c : cases) {
        recorder.waits.clear();
        Run(Show(1, 100, c.mode, c.tenths, 1));
        ASSERT_EQ(recorder.waits.size(), 1u) << c.mode;
        EXPECT_EQ(recorder.waits[0].nMode, 3);
        EXPECT_EQ(recorder.waits[0].bWaitKey, c.bWaitKey) << c.mode;
        EXPECT_EQ(recorder.waits[0].nCount, c.nCount) << c.mode;
        EXPECT_EQ(recorder.picturesDuringWait, 1) << "shown during the wait";
        EXPECT_TRUE(lpStageField->m_PictureList.empty()) << "and removed after it";
    }
}

TEST_P(PictureCommandTest, StretchedPictureIsDrawnAtItsScreenPlace)
{
    Run({2, 3, 1, 1, 4, 6, 0, 200, 1, 0, 0, 1, 0, 0});  // screen cell (1, 1) + (4, 6), 200 %, fixed
    ASSERT_EQ(lpStageField->m_PictureList.size(), 1u);
    cPictureObj& picture = lpStageField->m_PictureList.front();
    DDSURFACEDATA* drawn = Canvas(160, 120);
    const double scrollX = lpStageField->m_ScrollX.dPos;
    const double scrollY = lpStageField->m_ScrollY.dPos;
    EXPECT_EQ(DrawPictureObj(picture, drawn, scrollX, scrollY, 0), 0);
    DDSURFACEDATA* expected = Canvas(160, 120);
    DDSURFACEDATA* bitmap = Picture(Image(21, std::string(33, 'G')));
    DDStretchBlt(expected, 32 + 4, 32 + 6, 66, 42, bitmap, 0, 0, 33, 21, 1);
    EXPECT_EQ(Pixels(drawn), Pixels(expected));
}

TEST_P(PictureCommandTest, EffectAnimationIsDrawnCellByCellUntilItEnds)
{
    Database.Effect.resize(1);
    const int number = effecttest::AddEffect(16, 16, {{1, 1}, {0, 1}});
    DDSURFACEDATA* sheet = Picture(Image(16, std::string(16, 'R') + std::string(16, 'B')));
    for (int size : {16, 32}) {
        cEffectObj effect(number, 100.0, 50.0, size, size, 0);
        DDSURFACEDATA* drawn = Canvas(80, 60);
        EXPECT_EQ(DrawEffectObj(effect, drawn, sheet, sheet, 90.0, 40.0, 0), 0);
        DDSURFACEDATA* expected = Canvas(80, 60);
        // First step: cell 1 (the blue half) at the effect's place less the camera.
        DDStretchBlt(expected, 10, 10, size, size, sheet, 16, 0, 16, 16, 1);
        EXPECT_EQ(Pixels(drawn), Pixels(expected)) << size;
        int calls = 1;
        while (DrawEffectObj(effect, drawn, sheet, sheet, 90.0, 40.0, 0) == 0 && calls < 100) ++calls;
        EXPECT_EQ(calls + 1, 12) << "two frames of a tenth: over at the 12th call";
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, PictureCommandTest, ::testing::Values(kConfigs[2], kConfigs[3], kConfigs[5]),
                         ConfigName);

}  // namespace
