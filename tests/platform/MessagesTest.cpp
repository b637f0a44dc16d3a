#include <latch>
#include <string>

#include "StandInFixture.h"
#include "platform/win/Keyboard.h"
#include "platform/win/SystemInfo.h"

namespace {

using MessagesTest = StandInTest;

TEST_F(MessagesTest, PostedMessagesKeepTheirOrderAndDispatchReachesTheProcedure)
{
    std::vector<UINT> dispatched;
    Handler<0>() = [&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
        if (m >= WM_USER) {
            dispatched.push_back(m);
        }
        return 0;
    };
    HWND w = MakeWindow("Ordered", WindowProc<0>);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(PostMessage(w, WM_USER + 1, 0, 0));
    EXPECT_TRUE(PostMessage(w, WM_USER + 2, 0, 0));
    EXPECT_TRUE(PostMessage(nullptr, WM_USER + 3, 0, 0));  // the calling thread's own queue
    EXPECT_TRUE(PostMessage(w, WM_USER + 4, 0, 0));
    const std::vector<MSG> queued = QueuedMessages(GetCurrentThreadId());
    ASSERT_EQ(queued.size(), 4u);
    EXPECT_EQ(queued[2].hwnd, nullptr);
    EXPECT_EQ(queued[3].message, WM_USER + 4u);

    MSG m;
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, WM_USER + 1u);
    EXPECT_EQ(m.hwnd, w);
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, WM_USER + 1u) << "PM_NOREMOVE must leave the message in the queue";
    ASSERT_TRUE(PeekMessage(&m, nullptr, WM_USER + 4, WM_USER + 4, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 4u) << "a filter takes the matching message out of the middle";

    std::vector<UINT> taken;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
        taken.push_back(m.message);
        DispatchMessage(&m);
    }
    EXPECT_EQ(taken, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 3}));
    // The thread message has no window and is not dispatched.
    EXPECT_EQ(dispatched, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
}

TEST_F(MessagesTest, ADestroyedWindowRefusesPostsAndSends)
{
    int destroys = 0;
    Handler<0>() = [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_DESTROY) {
            ++destroys;
        }
        if (m == WM_USER) {
            return 5;
        }
        return DefWindowProcA(h, m, w, l);
    };
    HWND w = MakeWindow("Doomed", WindowProc<0>);
    ASSERT_TRUE(IsWindow(w));
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 5);
    EXPECT_TRUE(DestroyWindow(w));
    EXPECT_EQ(destroys, 1);
    EXPECT_EQ(host.closes.load(), 1) << "destroying the main window closes the host's window";
    EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(PostMessage(w, WM_USER, 0, 0));
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 0);
    EXPECT_FALSE(DestroyWindow(w));
    EXPECT_EQ(destroys, 1);

    // The default procedure answers WM_CLOSE by destroying the window.
    HWND again = CreateWindowExA(0, "Doomed", "again", WS_OVERLAPPEDWINDOW, 0, 0, 64, 48, nullptr);
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, w) << "handles are not reused";
    SendMessage(again, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(again));
    EXPECT_EQ(destroys, 2);
}

TEST_F(MessagesTest, ThreadPostsFailUntilTheWorkerReadsItsQueueAndAfterItEnded)
{
    std::latch mayRead(1);
    DWORD id = 0;
    HANDLE h = Start(
        [&]() -> unsigned {
            mayRead.wait();
            MSG m;
            PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists from here on
            unsigned starts = 0;
            while (GetMessage(&m, nullptr, 0, 0)) {
                if (m.message == WM_APP) {
                    ++starts;
                }
            }
            // WM_QUIT ended the loop; its wParam is the code given to PostThreadMessage.
            return starts * 100 + static_cast<unsigned>(m.wParam);
        },
        &id);
    ASSERT_NE(h, nullptr);
    EXPECT_FALSE(PostThreadMessage(id, WM_APP, 0, 0)) << "the worker has not read its queue yet";
    mayRead.count_down();

    // The start handshake: post until accepted.
    bool accepted = false;
    for (int tries = 0; tries < 100000 && !accepted; ++tries) {
        accepted = PostThreadMessage(id, WM_APP, 0, 0) != FALSE;
        if (!accepted) {
            Sleep(0);
        }
    }
    ASSERT_TRUE(accepted);
    EXPECT_TRUE(PostThreadMessage(id, WM_QUIT, 7, 0));
    EXPECT_EQ(Finish(h), 107u);
    EXPECT_FALSE(PostThreadMessage(id, WM_APP, 0, 0)) << "the worker has ended";
    EXPECT_FALSE(PostThreadMessage(0xFFFFFFF0u, WM_APP, 0, 0)) << "no such thread";
}

TEST_F(MessagesTest, WmQuitEndsGetMessageAfterTheMessagesBeforeIt)
{
    PostMessage(nullptr, WM_USER, 0, 0);
    PostQuitMessage(3);
    MSG m;
    EXPECT_TRUE(GetMessage(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_USER);
    EXPECT_FALSE(GetMessage(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 3u);
}

TEST_F(MessagesTest, SendingToOwnWindowCallsTheProcedureAtOnce)
{
    DWORD ranOn = 0;
    Handler<0>() = [&](HWND, UINT m, WPARAM w, LPARAM) -> LRESULT {
        if (m == WM_USER) {
            ranOn = GetCurrentThreadId();
            return static_cast<LRESULT>(w * 2);
        }
        return 0;
    };
    HWND w = MakeWindow("Direct", WindowProc<0>);
    EXPECT_EQ(SendMessage(w, WM_USER, 21, 0), 42);
    EXPECT_EQ(ranOn, GetCurrentThreadId());
    EXPECT_TRUE(QueuedMessages(GetCurrentThreadId()).empty()) << "a send does not go through the queue";
}

// The main thread waits in different ways while a worker sends to the main window; in each, it
// must run the worker's message, or the worker (and with it the wait) would never end.
TEST_F(MessagesTest, EveryWayOfWaitingServesMessagesSentByOtherThreads)
{
    std::atomic<DWORD> ranOn{0};
    Handler<0>() = [&](HWND, UINT m, WPARAM w, LPARAM) -> LRESULT {
        if (m == WM_USER) {
            ranOn = GetCurrentThreadId();
            return static_cast<LRESULT>(w * 2);
        }
        return 0;
    };
    HWND mainWnd = MakeWindow("Served", WindowProc<0>);
    ASSERT_NE(mainWnd, nullptr);

    enum class Wait { ForThread, InGetMessage, InWaitMessage };
    for (Wait how : {Wait::ForThread, Wait::InGetMessage, Wait::InWaitMessage}) {
        SCOPED_TRACE(static_cast<int>(how));
        ranOn = 0;
        HANDLE h = Start([&]() -> unsigned {
            const LRESULT r = SendMessage(mainWnd, WM_USER, 21, 0);
            PostMessage(mainWnd, WM_USER + 1, static_cast<WPARAM>(r), 0);
            return static_cast<unsigned>(r);
        });
        MSG m;
        switch (how) {
        case Wait::ForThread: break;  // Finish below waits for the thread
        case Wait::InGetMessage:
            ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
            EXPECT_EQ(m.message, WM_USER + 1u);
            EXPECT_EQ(m.wParam, 42u);
            break;
        case Wait::InWaitMessage: EXPECT_TRUE(WaitMessage()); break;
        }
        EXPECT_EQ(Finish(h), 42u);
        EXPECT_EQ(ranOn.load(), GetCurrentThreadId()) << "the procedure runs on the window's thread";
        while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
}

TEST_F(MessagesTest, ASenderServesMessagesSentBackToItWhileItWaits)
{
    Handler<0>() = [](HWND, UINT m, WPARAM w, LPARAM) -> LRESULT { return m == WM_USER + 5 ? w + 1 : 0; };
    HWND mainWnd = MakeWindow("Outer", WindowProc<0>);
    std::atomic<HWND> workerWnd{nullptr};
    // The worker's procedure, while it handles the main thread's send, sends back to the main window.
    Handler<1>() = [&](HWND, UINT m, WPARAM w, LPARAM) -> LRESULT {
        if (m == WM_USER) {
            return SendMessage(mainWnd, WM_USER + 5, w * 10, 0) + 1000;
        }
        return 0;
    };
    DWORD workerId = 0;
    HANDLE h = Start(
        [&]() -> unsigned {
            RegisterClassA("Inner", WindowProc<1>);
            workerWnd = CreateWindowExA(0, "Inner", "inner", WS_OVERLAPPEDWINDOW, 0, 0, 64, 48, nullptr);
            MSG m;
            while (GetMessage(&m, nullptr, 0, 0)) {
                DispatchMessage(&m);
            }
            return 0;
        },
        &workerId);
    ASSERT_TRUE(Eventually([&] { return workerWnd.load() != nullptr; }));
    EXPECT_EQ(SendMessage(workerWnd, WM_USER, 4, 0), 1041);
    EXPECT_TRUE(PostThreadMessage(workerId, WM_QUIT, 0, 0));
    EXPECT_EQ(Finish(h), 0u);
    EXPECT_FALSE(IsWindow(workerWnd)) << "a window dies with its thread";
}

TEST_F(MessagesTest, TheCloseSequenceReleasesBlockedAndLaterSendersWithZero)
{
    std::atomic<int> runs{0};
    Handler<0>() = [&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
        if (m == WM_USER) {
            ++runs;
            return 7;
        }
        return 0;
    };
    HWND mainWnd = MakeWindow("Closing", WindowProc<0>);
    std::atomic<LRESULT> second{-1};
    HANDLE h = Start([&]() -> unsigned {
        const LRESULT first = SendMessage(mainWnd, WM_USER, 0, 0);  // blocks: nobody serves it
        second = SendMessage(mainWnd, WM_USER, 0, 0);               // after the close: at once
        return static_cast<unsigned>(first);
    });
    ASSERT_TRUE(Eventually([&] { return PendingSentMessages(GetCurrentThreadId()) == 1; }));
    EXPECT_FALSE(IsCloseSequenceBegun());
    BeginCloseSequence();
    EXPECT_TRUE(IsCloseSequenceBegun());
    EXPECT_EQ(Finish(h), 0u);
    EXPECT_EQ(second.load(), 0);
    EXPECT_EQ(runs.load(), 0) << "the pending message was dropped, not run";
    EXPECT_EQ(SendMessage(mainWnd, WM_USER, 0, 0), 7) << "a send on the same thread never waits";
}

TEST_F(MessagesTest, TheMainThreadWaitsInTheHostAndPostsWakeIt)
{
    HWND mainWnd = nullptr;
    std::atomic<bool> keyPosted{false};
    host.onPump = [&] {
        if (!keyPosted.exchange(true)) {
            PostMessage(mainWnd, WM_KEYDOWN, VK_SPACE, 0);
        }
    };
    mainWnd = MakeWindow("Hosted", WindowProc<0>);
    ASSERT_NE(mainWnd, nullptr);
    EXPECT_EQ(host.opens.load(), 1);
    EXPECT_EQ(host.openedFor, mainWnd);

    MSG m;
    ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_KEYDOWN) << "GetMessage pumps the host, which posts its events";
    EXPECT_TRUE(TranslateMessage(&m));

    // A worker posts only once the main thread blocks in the host; the post must wake it.
    HANDLE h = Start([&]() -> unsigned {
        if (!Eventually([&] { return host.waits.load() > 0; })) {
            return 1;
        }
        PostMessage(mainWnd, WM_USER + 9, 0, 0);
        return 0;
    });
    ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_USER + 9u);
    EXPECT_GE(host.wakes.load(), 1);
    EXPECT_EQ(Finish(h), 0u);

    // Another thread's message functions never touch the host.
    const int pumps = host.pumps.load();
    const int waits = host.waits.load();
    HANDLE other = Start([]() -> unsigned {
        PostMessage(nullptr, WM_USER, 0, 0);
        MSG mm;
        return GetMessage(&mm, nullptr, 0, 0) && PeekMessage(&mm, nullptr, 0, 0, PM_REMOVE) == FALSE ? 0 : 1;
    });
    EXPECT_EQ(Finish(other), 0u);
    EXPECT_EQ(host.pumps.load(), pumps);
    EXPECT_EQ(host.waits.load(), waits);
}

TEST_F(MessagesTest, WindowsAreCreatedWithTheFrameOfTheirStyle)
{
    bool createdBeforeReturn = false;
    std::vector<std::pair<UINT, LPARAM>> moves;
    Handler<0>() = [&](HWND, UINT m, WPARAM, LPARAM l) -> LRESULT {
        if (m == WM_CREATE) {
            createdBeforeReturn = true;
        }
        if (m == WM_MOVE || m == WM_SIZE) {
            moves.emplace_back(m, l);
        }
        return 0;
    };
    RegisterClassA("Framed", WindowProc<0>);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    HWND w = CreateWindowExA(0, "Framed", "title", style, 100, 100, 640, 480, nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(createdBeforeReturn);

    // Outer size = client + two dialog frames, and the caption on top.
    const int fx = GetSystemMetrics(SM_CXDLGFRAME);
    const int fy = GetSystemMetrics(SM_CYDLGFRAME);
    const int cap = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_GT(fx, 0);
    EXPECT_GT(cap, 0);
    RECT r;
    ASSERT_TRUE(GetClientRect(w, &r));
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{0, 0, 640, 480}));
    ASSERT_TRUE(GetWindowRect(w, &r));
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
              (std::vector<LONG>{100, 100, 100 + 640 + 2 * fx, 100 + 480 + cap + 2 * fy}));
    POINT p{};
    ASSERT_TRUE(ClientToScreen(w, &p));
    EXPECT_EQ(p.x, 100 + fx);
    EXPECT_EQ(p.y, 100 + cap + fy);

    // The host opens its window over the client area.
    const HostWindowSpec spec = host.Spec();
    EXPECT_EQ(spec.x, 100 + fx);
    EXPECT_EQ(spec.y, 100 + cap + fy);
    EXPECT_EQ(spec.clientWidth, 640);
    EXPECT_EQ(spec.clientHeight, 480);
    EXPECT_EQ(spec.titleSjis, "title");
    EXPECT_FALSE(spec.fullScreen);
    EXPECT_FALSE(spec.resizable);

    // MoveWindow sets the outer rectangle and tells the window where its client area went.
    ASSERT_TRUE(MoveWindow(w, 10, 20, 700, 500, TRUE));
    const auto pack = [](int lo, int hi) { return static_cast<LPARAM>(lo | (hi << 16)); };
    EXPECT_EQ(moves, (std::vector<std::pair<UINT, LPARAM>>{{WM_MOVE, pack(10 + fx, 20 + cap + fy)},
                                                           {WM_SIZE, pack(700 - 2 * fx, 500 - cap - 2 * fy)}}));
    moves.clear();
    EXPECT_TRUE(MoveWindow(w, 10, 20, 700, 500, TRUE));
    EXPECT_TRUE(moves.empty()) << "nothing changed, nothing sent";

    // Sizes from a damaged settings file cannot overflow the rectangle.
    ASSERT_TRUE(MoveWindow(w, 0x7FFFFFF0, -0x7FFFFFF0, 0x7FFFFFFF, 0x7FFFFFFF, TRUE));
    ASSERT_TRUE(GetWindowRect(w, &r));
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
              (std::vector<LONG>{32767, -32768, 32767 + 32767, -32768 + 32767}));
    ASSERT_TRUE(MoveWindow(w, 10, 20, 700, 500, TRUE));

    // A sizing frame uses its own metrics; a popup has no frame and is the host's full screen.
    const int sx = GetSystemMetrics(SM_CXFRAME);
    SetWindowStyle(w, WS_OVERLAPPEDWINDOW, 0);
    ASSERT_TRUE(GetClientRect(w, &r));
    EXPECT_EQ(r.right, 700 - 2 * sx);
    EXPECT_FALSE(host.fullScreen.load());
    SetWindowStyle(w, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
    EXPECT_EQ(GetWindowStyle(w), WS_POPUP | WS_VISIBLE);
    ASSERT_TRUE(GetClientRect(w, &r));
    EXPECT_EQ((std::vector<LONG>{r.right, r.bottom}), (std::vector<LONG>{700, 500}));
    EXPECT_TRUE(host.fullScreen.load());
}

TEST_F(MessagesTest, WindowStateIsRecordedAndTheTitleReachesTheHost)
{
    HWND w = MakeWindow("Stateful", WindowProc<0>, "\x83\x51\x81\x5B\x83\x80");  // Shift-JIS bytes
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(FindWindowA("STATEFUL", nullptr), w) << "class names ignore case";
    EXPECT_EQ(FindWindowA("Stateful", "\x83\x51\x81\x5B\x83\x80"), w);
    EXPECT_EQ(FindWindowA("Stateful", "other"), nullptr);

    EXPECT_TRUE(SetWindowTextA(w, "New title"));
    EXPECT_EQ(host.Title(), "New title");
    char small[4];
    EXPECT_EQ(GetWindowTextA(w, small, 4), 3);
    EXPECT_EQ(std::string(small), "New");

    struct Step {
        int cmd;
        BOOL wasVisible;
        BOOL iconic;
        BOOL zoomed;
    };
    const Step steps[] = {
        {SW_SHOW, FALSE, FALSE, FALSE},        {SW_SHOWMINNOACTIVE, TRUE, TRUE, FALSE},
        {SW_SHOWMAXIMIZED, TRUE, FALSE, TRUE}, {SW_RESTORE, TRUE, FALSE, FALSE},
        {SW_HIDE, TRUE, FALSE, FALSE},         {SW_SHOWNORMAL, FALSE, FALSE, FALSE},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.cmd);
        EXPECT_EQ(ShowWindow(w, s.cmd), s.wasVisible);
        EXPECT_EQ(IsIconic(w), s.iconic);
        EXPECT_EQ(IsZoomed(w), s.zoomed);
    }

    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(ShowCursor(FALSE), -2);
    EXPECT_EQ(ShowCursor(TRUE), -1);

    SystemFacts facts;
    facts.desktopWidth = 1280;
    facts.desktopHeight = 1024;
    SetSystemFactsForTest(facts);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 1024 - GetSystemMetrics(SM_CYCAPTION));
    ResetSystemFacts();

    EXPECT_EQ(GetActiveWindow(), w);
    std::atomic<HWND> seenByWorker{w};
    HANDLE h = Start([&]() -> unsigned {
        seenByWorker = GetActiveWindow();
        return ShowWindow(w, SW_MINIMIZE) ? 0 : 1;  // callable from any thread
    });
    EXPECT_EQ(Finish(h), 0u);
    EXPECT_EQ(seenByWorker.load(), nullptr);
    EXPECT_TRUE(IsIconic(w));
}

TEST_F(MessagesTest, CreationFailsForUnknownClassesRefusedCreatesAndAHostWithoutWindow)
{
    EXPECT_EQ(CreateWindowExA(0, "Nobody", "", 0, 0, 0, 10, 10, nullptr), nullptr);
    EXPECT_TRUE(RegisterClassA("Twice", WindowProc<0>));
    EXPECT_FALSE(RegisterClassA("TWICE", WindowProc<1>));

    Handler<0>() = [](HWND, UINT m, WPARAM, LPARAM) -> LRESULT { return m == WM_CREATE ? -1 : 0; };
    EXPECT_EQ(CreateWindowExA(0, "Twice", "", 0, 0, 0, 10, 10, nullptr), nullptr);
    EXPECT_EQ(FindWindowA("Twice", nullptr), nullptr);

    Handler<0>() = nullptr;
    host.openSucceeds = false;
    EXPECT_EQ(CreateWindowExA(0, "Twice", "", 0, 0, 0, 10, 10, nullptr), nullptr);
    EXPECT_EQ(FindWindowA("Twice", nullptr), nullptr);
}

}  // namespace
