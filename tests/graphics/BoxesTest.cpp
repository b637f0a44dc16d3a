// Message and error boxes, recorded headless, and the dialog-box mode over the six configurations.
#include <atomic>

#include "GraphicsTestSupport.h"
#include "graphics/Boxes.h"
#include "platform/d3d9/IDirect3DDevice9.h"

namespace gfxtest {
namespace {

using BoxesTest = GraphicsMatrixTest;

TEST_P(BoxesTest, AnErrorBeforeTheBackEndIsOpenIsAPlainBoxEvenForFullScreen)
{
    bWindowMode = 0;  // full screen asked, the back-end not open yet
    ErrorBox("before");
    const auto boxes = RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "before");
    EXPECT_EQ(boxes[0].caption, Sjis("エラー"));
    EXPECT_EQ(boxes[0].type, MB_OK);
    EXPECT_EQ(boxes[0].owner, m_hWnd);  // the active window
}

TEST_P(BoxesTest, InFullScreenABoxIsShownInDialogBoxModeAndEndsTheOpenScene)
{
    const Config& c = GetParam();
    ASSERT_TRUE(Open(c));
    if (c.bDirect3D) {
        ASSERT_TRUE(DDBeginScene());
    }
    std::atomic<bool> bDialogModeWhileOpen{false};
    std::atomic<bool> bSceneWhileOpen{true};
    SetMessageBoxOpenHook([&](const MessageBoxRecord&) {
        if (lpDevice != nullptr) {
            bDialogModeWhileOpen = lpDevice->DialogBoxMode();
            bSceneWhileOpen = lpDevice->InScene();
        }
        return IDOK;
    });
    ErrorBoxF("%s %d", "value", 7);
    SetMessageBoxOpenHook(nullptr);
    const auto boxes = RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "value 7");
    EXPECT_EQ(boxes[0].caption, Sjis("エラー"));
    if (!c.bDirect3D) return;
    EXPECT_EQ(bDialogModeWhileOpen.load(), c.bWindowMode == 0);
    EXPECT_EQ(bSceneWhileOpen.load(), c.bWindowMode != 0);
    EXPECT_FALSE(lpDevice->DialogBoxMode());
    EXPECT_EQ(lpDTCon->bInScene, c.bWindowMode != 0 ? 1 : 0);
    if (c.bWindowMode == 0) {
        EXPECT_LT(ShowCursor(FALSE), -1);  // hidden again after the box
    }
}

TEST_P(BoxesTest, ABoxIsShownEvenWhenDialogBoxModeCannotBeHad)
{
    const Config& c = GetParam();
    ASSERT_TRUE(Open(c));
    DDrawSetFault(DDrawFault::FlipToGDISurface, true);
    ErrorBox("shown anyway");
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(RecordedMessageBoxes()[0].text, "shown anyway");
}

TEST_P(BoxesTest, OutOfMemoryShowsItsBoxAndClosesTheProgram)
{
    ASSERT_TRUE(Open(GetParam()));
    OutOfMemory();
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(RecordedMessageBoxes()[0].text, Sjis("メモリが不足しています！"));
    EXPECT_EQ(TakePosted(WM_CLOSE), 1);
}

TEST_P(BoxesTest, DebugBoxesShowOnlyWhileTheTraceLogIsOn)
{
    ASSERT_TRUE(Open(GetParam()));
    DebugErrorBoxF("assert %d", 1);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
    SetECLog(1, "EC_Game.txt");
    DebugErrorBoxF("assert %d", 2);
    SetECLog(0, "EC_Game.txt");
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(RecordedMessageBoxes()[0].text, "assert 2");
}

TEST_P(BoxesTest, TheLogsShowTheirErrorBoxesThroughTheEngineOnceItIsOpen)
{
    ASSERT_TRUE(Open(GetParam()));
    ReportLogECBox("%s", "100% broken");
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(RecordedMessageBoxes()[0].text, "100% broken");
    EXPECT_EQ(RecordedMessageBoxes()[0].caption, Sjis("エラー"));
}

INSTANTIATE_TEST_SUITE_P(Matrix, BoxesTest, ::testing::ValuesIn(kConfigs), ConfigName);

TEST(ErrorBoxFormatTest, LongTextsAreCutAt1023Bytes)
{
    ResetMessagesForTest();
    ClearRecordedMessageBoxes();
    const std::string text(3000, 'x');
    ErrorBoxF("%s", text.c_str());
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(RecordedMessageBoxes()[0].text, std::string(1023, 'x'));
    ClearRecordedMessageBoxes();
}

}  // namespace
}  // namespace gfxtest
