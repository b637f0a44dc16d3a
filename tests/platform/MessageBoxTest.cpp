#include <latch>

#include "StandInFixture.h"
#include "platform/win/CodePage.h"

namespace {

using MessageBoxTest = StandInTest;

TEST_F(MessageBoxTest, HeadlessBoxesAreRecordedAndAnsweredByScriptThenByDefault)
{
    ScriptMessageBoxAnswers({IDNO, IDCANCEL});
    struct Case {
        UINT type;
        int answer;
    };
    const Case cases[] = {
        {MB_YESNO | MB_ICONQUESTION, IDNO},  // from the script
        {MB_OKCANCEL, IDCANCEL},             // from the script
        {MB_YESNO, IDYES},                   // defaults from here on
        {MB_OK | MB_ICONERROR, IDOK},
        {MB_OKCANCEL, IDOK},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", c.type), c.answer) << c.type;
    }
    const std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), std::size(cases));
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].type, cases[i].type);
        EXPECT_EQ(boxes[i].threadId, GetCurrentThreadId());
    }
    EXPECT_EQ(boxes[0].text, "text");
    EXPECT_EQ(boxes[0].caption, "caption");
    EXPECT_TRUE(host.BoxTexts().empty()) << "headless boxes never reach the host";
    ClearRecordedMessageBoxes();
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST_F(MessageBoxTest, HeadlessBoxesGoToStandardErrorInUtf8AndAnswerTheirDefaultButton)
{
    std::string caption;
    std::string text;
    ASSERT_TRUE(Utf8ToCp932("二重起動", caption));
    ASSERT_TRUE(Utf8ToCp932("既に起動しています。\nRestart?", text));
    struct Case {
        UINT type;
        int answer;
    };
    const Case cases[] = {
        {MB_YESNO | MB_DEFBUTTON2, IDNO},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNO | MB_DEFBUTTON1, IDYES},
    };
    for (const Case& c : cases) {
        ::testing::internal::CaptureStderr();
        const int answer = MessageBoxA(nullptr, text.c_str(), caption.c_str(), c.type);
        const std::string echoed = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(answer, c.answer) << c.type;
        EXPECT_EQ(echoed, "二重起動: 既に起動しています。\nRestart?\n");
    }
}

TEST_F(MessageBoxTest, OnAScreenTheHostShowsTheBox)
{
    host.headless = false;
    host.screenAnswer = IDNO;
    EXPECT_EQ(MessageBoxA(nullptr, "\x93\xf1\x8f\x64\x8b\x4e\x93\xae", "cap", MB_YESNO), IDNO);
    EXPECT_EQ(host.BoxTexts(), std::vector<std::string>{"\x93\xf1\x8f\x64\x8b\x4e\x93\xae"});
}

TEST_F(MessageBoxTest, TheMainThreadServesAWorkersSendWhileItsBoxIsOpen)
{
    Handler<0>() = [](HWND, UINT m, WPARAM w, LPARAM) -> LRESULT { return m == WM_USER ? w + 1 : 0; };
    HWND mainWnd = MakeWindow("BoxOwner", WindowProc<0>);
    std::atomic<LRESULT> sent{0};
    HANDLE worker = nullptr;
    // The box stays open until the worker's send has been answered, which needs the main thread.
    SetMessageBoxOpenHook([&](const MessageBoxRecord&) {
        if (worker == nullptr) {
            worker = Start([&]() -> unsigned {
                sent = SendMessage(mainWnd, WM_USER, 41, 0);
                return 0;
            });
        }
        return WaitForSingleObject(worker, 0) == WAIT_OBJECT_0 ? IDOK : 0;
    });
    EXPECT_EQ(MessageBoxA(mainWnd, "open", "box", MB_OK), IDOK);
    EXPECT_EQ(sent.load(), 42);
}

TEST_F(MessageBoxTest, AWorkersBoxIsShownByTheMainThreadWhileTheWorkerServesSends)
{
    Handler<0>() = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
    Handler<1>() = [](HWND, UINT m, WPARAM w, LPARAM) -> LRESULT { return m == WM_USER ? w * 3 : 0; };
    HWND mainWnd = MakeWindow("Main", WindowProc<0>);
    std::atomic<HWND> workerWnd{nullptr};
    DWORD workerId = 0;
    HANDLE h = Start(
        [&]() -> unsigned {
            RegisterClassA("WorkerWnd", WindowProc<1>);
            workerWnd = CreateWindowExA(0, "WorkerWnd", "", 0, 0, 0, 10, 10, nullptr);
            const int answer = MessageBoxA(nullptr, "from the worker", "box", MB_YESNO);
            PostMessage(mainWnd, WM_USER + 1, static_cast<WPARAM>(answer), 0);
            return 0;
        },
        &workerId);

    std::atomic<DWORD> shownOn{0};
    std::atomic<LRESULT> replyFromWorker{0};
    SetMessageBoxOpenHook([&](const MessageBoxRecord&) {
        shownOn = GetCurrentThreadId();
        // The worker waits for this box; it must still run what is sent to it.
        replyFromWorker = SendMessage(workerWnd, WM_USER, 5, 0);
        return IDNO;
    });
    MSG m;
    while (GetMessage(&m, nullptr, 0, 0) && m.message != WM_USER + 1) {
    }
    EXPECT_EQ(m.message, WM_USER + 1u);
    EXPECT_EQ(m.wParam, static_cast<WPARAM>(IDNO));
    EXPECT_EQ(shownOn.load(), GetCurrentThreadId());
    EXPECT_EQ(replyFromWorker.load(), 15);
    const std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].threadId, workerId) << "the record names the thread that asked";
    EXPECT_EQ(boxes[0].text, "from the worker");
    EXPECT_EQ(Finish(h), 0u);
}

TEST_F(MessageBoxTest, AfterTheCloseBeganAWorkersBoxDoesNotWaitForTheMainThread)
{
    MakeWindow("Closing", WindowProc<0>);
    BeginCloseSequence();
    HANDLE h = Start([]() -> unsigned { return static_cast<unsigned>(MessageBoxA(nullptr, "late", "", MB_OK)); });
    EXPECT_EQ(Finish(h), 0u);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

}  // namespace
