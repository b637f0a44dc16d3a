#include <latch>

#include "StandInFixture.h"
#include "platform/host/DialogPainter.h"
#include "platform/win/CodePage.h"
#include "platform/win/Keyboard.h"
#include "platform/win/MessageBoxDialog.h"
#include "platform/win/ScriptedDialogDriver.h"

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

TEST_F(MessageBoxTest, OnAScreenWithoutADialogDriverTheHostShowsTheBox)
{
    host.headless = false;
    host.screenAnswer = IDNO;
    EXPECT_EQ(MessageBoxA(nullptr, "\x93\xf1\x8f\x64\x8b\x4e\x93\xae", "cap", MB_YESNO), IDNO);
    EXPECT_EQ(host.BoxTexts(), std::vector<std::string>{"\x93\xf1\x8f\x64\x8b\x4e\x93\xae"});
}

// Installs a dialog driver for one test.
class DriverInUse {
public:
    explicit DriverInUse(DialogDriver* driver) { SetDialogDriver(driver); }
    ~DriverInUse() { SetDialogDriver(nullptr); }
    DriverInUse(const DriverInUse&) = delete;
    DriverInUse& operator=(const DriverInUse&) = delete;
};

TEST_F(MessageBoxTest, OnAScreenTheProgramDrawsTheBoxAsItsOwnDialogAndNeverAsksTheHost)
{
    host.headless = false;
    host.screenAnswer = IDCANCEL;  // an answer no case expects: a box shown by the host would show
    struct Case {
        const char* name;
        UINT type;
        std::vector<DialogInput> script;
        int answer;
        std::vector<std::string> buttons;  // labels, in order
    };
    const Case cases[] = {
        {"No clicked", MB_YESNO, {DialogInput::Click(IDNO)}, IDNO, {"Yes", "No"}},
        {"Enter on the default", MB_YESNO | MB_ICONQUESTION, {DialogInput::Key(VK_RETURN)}, IDYES, {"Yes", "No"}},
        {"Enter on the second default", MB_YESNO | MB_DEFBUTTON2, {DialogInput::Key(VK_RETURN)}, IDNO, {"Yes", "No"}},
        {"OK/Cancel closed", MB_OKCANCEL, {DialogInput::Close()}, IDCANCEL, {"OK", "Cancel"}},
        {"OK closed", MB_OK | MB_ICONERROR, {DialogInput::Close()}, IDOK, {"OK"}},
        {"OK by Enter", MB_OK, {DialogInput::Key(VK_RETURN)}, IDOK, {"OK"}},
    };
    std::string text;
    std::string caption;
    ASSERT_TRUE(Utf8ToCp932("既に起動しています。\r\n\nRunning this program now. Restart?", text));
    ASSERT_TRUE(Utf8ToCp932("二重起動", caption));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogDriver driver;
        driver.AddScript(c.script);
        const DriverInUse inUse(&driver);
        EXPECT_EQ(MessageBoxA(nullptr, text.c_str(), caption.c_str(), c.type), c.answer);
        ASSERT_EQ(driver.Shown().size(), 1u);
        const DialogSnapshot& shown = driver.Shown()[0];
        EXPECT_EQ(shown.caption, caption);
        std::string first;
        ASSERT_TRUE(Utf8ToCp932("既に起動しています。", first));
        EXPECT_EQ(shown.Text(kMessageBoxFirstLineId), first);
        EXPECT_EQ(shown.Text(kMessageBoxFirstLineId + 1), "");
        EXPECT_EQ(shown.Text(kMessageBoxFirstLineId + 2), "Running this program now. Restart?");
        std::vector<std::string> labels;
        for (const auto& [id, label] : shown.itemTexts) {
            if (id < kMessageBoxFirstLineId) {
                labels.push_back(label);
            }
        }
        EXPECT_EQ(labels, c.buttons);
    }
    EXPECT_TRUE(host.BoxTexts().empty());
    EXPECT_EQ(RecordedMessageBoxes().size(), std::size(cases)) << "boxes drawn by the program are recorded too";
}

// The ink (black) columns of the picture's rows [top, top + height), as the first and last
// column holding any; {-1, -1} when none does.
std::pair<int, int> InkColumns(const HostFrame& picture, int top, int height)
{
    std::pair<int, int> columns{-1, -1};
    for (int y = top; y < top + height && y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.At(x, y) == 0x000000) {
                columns.first = columns.first < 0 ? x : std::min(columns.first, x);
                columns.second = std::max(columns.second, x);
            }
        }
    }
    return columns;
}

TEST_F(MessageBoxTest, TheDrawnBoxShowsEveryLineWholeAndWrapsALineTooWideForIt)
{
    const std::string longLine(200, 'W');
    struct Case {
        const char* name;
        std::string text;
        std::size_t lines;
    };
    const Case cases[] = {
        {"two lines", "Short\nA second line, longer than the first one", 2},
        {"one line too wide", longLine, 0},  // as many as it takes
        {"words too wide", "data\\stg4\\" + std::string(60, 'a') + " and then a few words " + std::string(60, 'b'), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DlgTemplate tpl = MessageBoxTemplate(c.text, MB_OK);
        DialogRun box(tpl);
        box.SetCaption("caption");
        const HostFrame picture = PaintDialog(box);
        std::string joined;
        std::size_t lines = 0;
        for (const DlgItemTemplate& item : tpl.items) {
            if (item.id < kMessageBoxFirstLineId) {
                continue;
            }
            ++lines;
            joined += item.text;
            const int top = kCaptionHeight + DialogUnitsToPixelsY(item.y);
            const std::pair<int, int> ink = InkColumns(picture, top, DialogUnitsToPixelsY(item.cy));
            EXPECT_GE(ink.first, 1) << item.text;
            // The line's last character is drawn inside the box, clear of its right edge.
            EXPECT_LT(ink.second, picture.width - 4) << item.text;
            EXPECT_LE(DialogUnitsToPixelsX(item.cx), kMessageBoxTextWidth + 2) << item.text;
        }
        if (c.lines != 0) {
            EXPECT_EQ(lines, c.lines);
        } else {
            EXPECT_GT(lines, 1u);
        }
        // Wrapping keeps every character, and drops only the spaces it breaks at.
        std::string expected = c.text;
        expected.erase(std::remove(expected.begin(), expected.end(), '\n'), expected.end());
        std::string kept = joined;
        expected.erase(std::remove(expected.begin(), expected.end(), ' '), expected.end());
        kept.erase(std::remove(kept.begin(), kept.end(), ' '), kept.end());
        EXPECT_EQ(kept, expected);
        // The OK button's label is drawn below the text.
        const DlgItemTemplate& ok = tpl.items.back();
        ASSERT_EQ(ok.id, IDOK);
        const std::pair<int, int> label =
            InkColumns(picture, kCaptionHeight + DialogUnitsToPixelsY(ok.y) + 3, DialogUnitsToPixelsY(ok.cy) - 6);
        EXPECT_GT(label.first, DialogUnitsToPixelsX(ok.x));
        EXPECT_LT(label.second, DialogUnitsToPixelsX(ok.x + ok.cx));
    }
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
