// The message command on a small stage with Font16 made from the test font (16 x 16 cells): the
// text's size and place, the replacement and erasing of messages by ID, the blocking waits, the
// conversation's continuation and the window-opening delay before the text shows.
#include <gtest/gtest.h>

#include <memory>

#include "FlowTestSupport.h"
#include "ItemsTestSupport.h"
#include "definitions/cEdCommand.h"
#include "objects/TextObjects.h"
#include "objects/commands/CommandDispatch.h"
#include "objects/commands/MessageCommand.h"
#include "objects/item/ItemCommandTable.h"
#include "project/FontDrawTestSupport.h"
#include "project/cSaveData.h"

namespace {

constexpr int kCell = 16;

class MessageCommandTest : public projecttest::FontDrawTest {
protected:
    void SetUp() override
    {
        FontDrawTest::SetUp();
        if (HasFatalFailure()) return;
        stage = std::make_unique<cItemsTestStage>();
    }
    void TearDown() override
    {
        stage.reset();
        FontDrawTest::TearDown();
    }

    // A message: 17 parameters as given, the text.
    static cEdCommand Message(const char* szText, std::initializer_list<std::pair<int, int>> params)
    {
        cEdCommand c = cItemsTestStage::Command(19, 17, params);
        c.m_strText = szText;
        return c;
    }
    std::list<cTextObj>& Texts() { return stage->field.m_TextList; }

    std::unique_ptr<cItemsTestStage> stage;
};

TEST_P(MessageCommandTest, ATextIsMeasuredByItsLinesAndPlacedAtTheScreenCentre)
{
    cChara& chara = stage->AddChara(100, 1, 400, 400);
    const struct {
        const char* szText;
        int nColumns, nLines;
    } cases[] = {{"AB", 2, 1}, {"AB\nCDEF\nG", 4, 3}, {"\x82\xa0\x82\xa2", 2, 1}, {"X\n", 1, 2}};
    for (const auto& c : cases) {
        ClearTextObjects(Texts());
        MessageCommand(chara, Message(c.szText, {{6, 2}, {7, 10}}), 0);
        ASSERT_EQ(Texts().size(), 1u);
        cTextObj& t = Texts().front();
        EXPECT_EQ(t.nWidth, c.nColumns * kCell + 2) << c.szText;
        EXPECT_EQ(t.nHeight, c.nLines * kCell + 2) << c.szText;
        EXPECT_NE(t.lpTextSurface, nullptr);
        t.Step(0, 0);
        EXPECT_EQ(t.nScreenX, 320 - t.nWidth / 2);
        EXPECT_EQ(t.nScreenY, 240 - t.nHeight / 2);
        EXPECT_EQ(t.nRemaining, 59) << "10 tenths are 60 frames, one counted";
    }
}

TEST_P(MessageCommandTest, EscapesAreExpandedBeforeMeasuring)
{
    cChara& chara = stage->AddChara(100, 1, 400, 400);
    const cVector<std::int32_t> saved = SaveData.Var;
    SaveData.Var[4] = 123456;
    MessageCommand(chara, Message("#C4", {{9, 1}}), 0);
    SaveData.Var = saved;
    EXPECT_EQ(Texts().front().strText, "123456");
    EXPECT_EQ(Texts().front().strSource, "#C4");
    EXPECT_EQ(Texts().front().nWidth, 6 * kCell + 2);
}

TEST_P(MessageCommandTest, APeriodicRefreshShowsNewValuesOnItsFrames)
{
    cChara& chara = stage->AddChara(100, 1, 400, 400);
    stage->field.m_StageVar[2] = 5;
    MessageCommand(chara, Message("#S2", {{9, 1}, {11, 1}, {16, 3}}), 0);
    cTextObj& t = Texts().front();
    ASSERT_EQ(t.strText, "5");
    stage->field.m_StageVar[2] = 1234;
    t.Step(0, 4);  // not a multiple of the period
    EXPECT_EQ(t.strText, "5");
    EXPECT_EQ(t.nWidth, kCell + 2);
    t.Step(0, 6);
    EXPECT_EQ(t.strText, "1234");
    EXPECT_EQ(t.nWidth, 4 * kCell + 2) << "measured again";
    EXPECT_NE(t.lpTextSurface, nullptr);
}

TEST_P(MessageCommandTest, MessagesWithAnIdAreReusedReplacedOrErased)
{
    cChara& chara = stage->AddChara(100, 1, 400, 400);
    MessageCommand(chara, Message("one", {}), 0);
    MessageCommand(chara, Message("AAA", {{12, 1}, {13, 3}}), 0);
    MessageCommand(chara, Message("two", {}), 0);
    ASSERT_EQ(Texts().size(), 3u);
    const cTextObj* second = &*std::next(Texts().begin());
    DDSURFACEDATA* surface = second->lpTextSurface;

    // The same size: the object and its surface are reused.
    MessageCommand(chara, Message("BBB", {{12, 1}, {13, 3}}), 0);
    ASSERT_EQ(Texts().size(), 3u);
    EXPECT_EQ(&*std::next(Texts().begin()), second);
    EXPECT_EQ(second->lpTextSurface, surface);
    EXPECT_EQ(second->strText, "BBB");

    // A longer text takes the old one's place in the drawing order.
    MessageCommand(chara, Message("CCCCC", {{12, 1}, {13, 3}}), 0);
    ASSERT_EQ(Texts().size(), 3u);
    EXPECT_EQ(std::next(Texts().begin())->strText, "CCCCC");
    EXPECT_EQ(std::next(Texts().begin())->nWidth, 5 * kCell + 2);
    EXPECT_EQ(Texts().back().strText, "two");

    // Erasing an ID not shown, or without an ID, does nothing; erasing ID 3 removes it.
    MessageCommand(chara, Message("x", {{12, 1}, {13, 4}, {15, 1}}), 0);
    MessageCommand(chara, Message("x", {{15, 1}}), 0);
    EXPECT_EQ(Texts().size(), 3u);
    MessageCommand(chara, Message("x", {{12, 1}, {13, 3}, {15, 1}}), 0);
    ASSERT_EQ(Texts().size(), 2u);
    EXPECT_EQ(Texts().front().strText, "one");
    EXPECT_EQ(Texts().back().strText, "two");
}

TEST_P(MessageCommandTest, BlockingMessagesWaitAndAreRemovedAfterwards)
{
    cChara& chara = stage->AddChara(100, 1, 400, 400);
    const struct {
        const char* szName;
        int nDuration;
        int bContinuation;
        WAITCALL expected;
        int bOpening;
    } cases[] = {
        {"until the key", 0, 0, {1, 1, 0, 0, true, 1}, 1},
        {"until the key, continuing", 0, 1, {1, 1, 0, 1, true, 1}, 0},
        {"timed", 2, 0, {1, 0, 15 * 6, 0, true, 1}, 0},
        {"until the stage ends waits for the key", 1, 0, {1, 1, 0, 0, true, 1}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        stage->field.waits.clear();
        int bOpeningSeen = -1;
        stage->field.onWait = [&] { bOpeningSeen = Texts().empty() ? -1 : Texts().back().bOpening; };
        MessageCommand(chara, Message("wait", {{6, c.nDuration}, {7, 15}, {8, 1}}), c.bContinuation);
        ASSERT_EQ(stage->field.waits.size(), 1u);
        const WAITCALL& w = stage->field.waits[0];
        EXPECT_EQ(w.nMode, c.expected.nMode);
        EXPECT_EQ(w.bWaitKey, c.expected.bWaitKey);
        EXPECT_EQ(w.nCount, c.expected.nCount);
        EXPECT_EQ(w.bNoDelay, c.expected.bNoDelay);
        EXPECT_TRUE(w.bHandshake);
        EXPECT_EQ(w.nTexts, 1u);
        EXPECT_EQ(bOpeningSeen, c.bOpening);
        EXPECT_TRUE(Texts().empty());
    }
    stage->field.onWait = nullptr;
    // While the program closes nothing is shown.
    stage->field.bQuit = 1;
    MessageCommand(chara, Message("late", {{8, 1}}), 0);
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(stage->field.waits.size(), 1u);
}

TEST_P(MessageCommandTest, TheTextShowsOnceTheWindowHasOpened)
{
    cChara& chara = stage->AddChara(100, 1, 400, 400);
    MessageCommand(chara, Message("AB", {}), 0);  // until the key: opens with the animation
    MessageCommand(chara, Message("CD", {{3, 100}}), 1);
    DDSURFACEDATA* canvas = Canvas(640, 480);
    const int w = 2 * kCell + 2;
    auto inkAt = [&](int x0) {
        return BoxOf(Pixels(canvas), Raw('W'), x0, 220, x0 + w - 1, 259) != projecttest::InkBox{};
    };
    for (int frame = 1; frame <= 10; ++frame) {
        UpdateDrawTextObjects(Texts(), canvas, 0, frame);
        EXPECT_EQ(inkAt(320 - w / 2), frame >= 10) << frame;
        EXPECT_TRUE(inkAt(320 - w / 2 + 100)) << "a continuing message shows at once";
    }
}

// A flow owner for one stage character.
class cCharaOwner : public cTestFlowOwner {
public:
    cCharaBase* chara = nullptr;
    cCharaBase* Chara() override { return chara; }
};

TEST_P(MessageCommandTest, TheSecondMessageOfAConversationOpensWithoutTheAnimation)
{
    InstallActionCommands();
    cCharaOwner owner;
    owner.chara = &stage->AddChara(100, 1, 400, 400);
    owner.AddFlow(0, {{19, 1, 0}, {19, 1, 0}});
    owner.defs[0].m_Command[0].m_strText = "first";
    owner.defs[0].m_Command[1].m_strText = "second";
    cFlowRuntime::Start(owner, 0);
    cFlowRuntime::Step(owner, 0);
    cFlowRuntime::Step(owner, 0);
    ASSERT_EQ(Texts().size(), 2u);
    EXPECT_EQ(Texts().front().bOpening, 1);
    EXPECT_EQ(Texts().back().bOpening, 0);

    // The messages of one item: the first opens, the later ones continue it.
    cVector<cEdCommand> list;
    for (int i = 0; i < 2; ++i) {
        list.push_back(Message("item", {}));
        list.back().m_nKind = 4;
        list.back().m_bItemCommand = 1;
    }
    ClearTextObjects(Texts());
    RunItemCommands(stage->Hero(300, 300), list);
    ASSERT_EQ(Texts().size(), 2u);
    EXPECT_EQ(Texts().front().bOpening, 1);
    EXPECT_EQ(Texts().back().bOpening, 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, MessageCommandTest, ::testing::Values(gfxtest::kConfigs[0], gfxtest::kConfigs[5]),
                         gfxtest::ConfigName);

}  // namespace
