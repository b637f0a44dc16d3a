// The window framework's geometry, placement and dispatch, and the main window object, on
// windows of the stand-in.
#include <gtest/gtest.h>

#include "app/cMainWindow.h"
#include "app/cWindow.h"
#include "platform/win/Messages.h"
#include "platform/win/SystemInfo.h"
#include "platform/win/WorkArea.h"

namespace {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetMessagesForTest();
        SystemFacts facts = GetSystemFacts();
        facts.desktopWidth = 1920;
        facts.desktopHeight = 1080;
        SetSystemFactsForTest(facts);
        SetWorkArea(RECT{0, 0, 1920, 1040});
        wndMain.ResetForTest();
    }
    void TearDown() override
    {
        if (wndMain.Handle() != nullptr) {
            DestroyWindow(wndMain.Handle());
        }
        wndMain.ResetForTest();
        ResetMessagesForTest();
        SetWorkArea(RECT{});
        ResetSystemFacts();
    }

    static RECT WindowRect(HWND hWnd)
    {
        RECT r{};
        GetWindowRect(hWnd, &r);
        return r;
    }

    const int dlgX = GetSystemMetrics(SM_CXDLGFRAME);
    const int dlgY = GetSystemMetrics(SM_CYDLGFRAME);
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    const int thickX = GetSystemMetrics(SM_CXFRAME);
    const int thickY = GetSystemMetrics(SM_CYFRAME);
};

TEST_F(WindowTest, TheMainWindowHasA640By480ClientAreaInsideItsDialogFrameAndCaption)
{
    ASSERT_TRUE(cMainWindow::RegisterWindowClass());
    const HWND hWnd = wndMain.Create(100, 100);
    ASSERT_NE(hWnd, nullptr);
    EXPECT_TRUE(wndMain.Created()) << "WM_CREATE reached wndMain through the class procedure";
    EXPECT_EQ(FindWindowA("Quillborn4", nullptr), hWnd);
    RECT client{};
    GetClientRect(hWnd, &client);
    EXPECT_EQ(client.right - client.left, 640);
    EXPECT_EQ(client.bottom - client.top, 480);
    const RECT outer = WindowRect(hWnd);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 100);
    EXPECT_EQ(outer.right - outer.left, 640 + 2 * dlgX);
    EXPECT_EQ(outer.bottom - outer.top, 480 + caption + 2 * dlgY);
    EXPECT_EQ(wndMain.OuterWidth(), 640 + 2 * dlgX);
    EXPECT_EQ(wndMain.OuterHeight(), 480 + caption + 2 * dlgY);

    // It can be tracked between 100 x 100 and 640 x 480 client pixels.
    MINMAXINFO info;
    EXPECT_EQ(wndMain.Dispatch(hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)), 1);
    EXPECT_EQ(info.ptMinTrackSize.x, 100 + 2 * dlgX);
    EXPECT_EQ(info.ptMinTrackSize.y, 100 + caption + 2 * dlgY);
    EXPECT_EQ(info.ptMaxTrackSize.x, 640 + 2 * dlgX);
    EXPECT_EQ(info.ptMaxTrackSize.y, 480 + caption + 2 * dlgY);

    // Centred on the desktop.
    wndMain.CentreOnDesktop();
    const RECT centred = WindowRect(hWnd);
    EXPECT_EQ(centred.left, (1920 - (640 + 2 * dlgX)) / 2);
    EXPECT_EQ(centred.top, (1080 - (480 + caption + 2 * dlgY)) / 2);
    EXPECT_EQ(wndMain.GetPosition().x, centred.left);
}

TEST_F(WindowTest, AThickFrameSwitchesToTheSizingMetricsAndTheClientSizeCanBeSet)
{
    ASSERT_TRUE(cMainWindow::RegisterWindowClass());
    const HWND hWnd = wndMain.Create(100, 100);
    ASSERT_NE(hWnd, nullptr);
    wndMain.AddStyle(WS_THICKFRAME);
    EXPECT_NE(GetWindowStyle(hWnd) & WS_THICKFRAME, 0u);
    EXPECT_EQ(wndMain.Frame().left, thickX);
    EXPECT_EQ(wndMain.Frame().top, caption + thickY);
    wndMain.SetClientSize(800, 600);
    const RECT outer = WindowRect(hWnd);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 100);
    EXPECT_EQ(outer.right - outer.left, 800 + 2 * thickX);
    EXPECT_EQ(outer.bottom - outer.top, 600 + caption + 2 * thickY);
    EXPECT_EQ(wndMain.ClientWidth(), 800);
    EXPECT_EQ(wndMain.ClientHeight(), 600);
    wndMain.RemoveStyle(WS_THICKFRAME);
    EXPECT_EQ(wndMain.Frame().left, dlgX);
}

// A dialog-like window of a plain class, placed by the framework.
class PlacedWindow : public cWindow {
public:
    explicit PlacedWindow(int width, int height)
    {
        RegisterClassA("QbPlaced", DefWindowProcA);
        SetGeometry(width, height, 100, 100, 640, 480, WS_POPUP | WS_CAPTION);
        SetHandle(CreateWindowExA(0, "QbPlaced", "", WS_POPUP | WS_CAPTION, 0, 0, width, height, nullptr));
    }
    ~PlacedWindow() override { DestroyWindow(Handle()); }
};

TEST_F(WindowTest, PlacementKeepsTheWindowOnTheWorkArea)
{
    PlacedWindow probe(300, 200);
    const int outerW = 300 + 2 * dlgX;
    const int outerH = 200 + caption + 2 * dlgY;
    struct Case {
        const char* name;
        int x, y;
        int wantX, wantY;
    };
    const Case cases[] = {
        {"inside", 50, 60, 50, 60},
        {"left of the area", -20, 60, 0, 60},
        {"past the right edge", 1800, 60, 1920 - outerW, 60},
        {"past the bottom edge", 50, 1000, 50, 1040 - outerH},
        {"above the area", 50, -5, 50, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlacedWindow dialog(300, 200);
        dialog.SetRequestedPosition(c.x, c.y);
        dialog.PlaceAtRequest();
        const RECT r = WindowRect(dialog.Handle());
        EXPECT_EQ(r.left, c.wantX);
        EXPECT_EQ(r.top, c.wantY);
        EXPECT_EQ(r.right - r.left, outerW);
        EXPECT_EQ(r.bottom - r.top, outerH);
        EXPECT_EQ(dialog.LastPosition().x, c.wantX);
    }

    // Relative to an owner, and centred on a parent.
    PlacedWindow owner(400, 300);
    MoveWindow(owner.Handle(), 200, 100, owner.OuterWidth(), owner.OuterHeight(), TRUE);
    PlacedWindow relative(300, 200);
    relative.SetOwnerWindow(owner.Handle());
    relative.SetRequestedPosition(240, 220);
    relative.PlaceAtRequest();
    EXPECT_EQ(WindowRect(relative.Handle()).left, 440);
    EXPECT_EQ(WindowRect(relative.Handle()).top, 320);
    PlacedWindow centred(300, 200);
    centred.SetParentWindow(owner.Handle(), true);
    centred.PlaceAtRequest();
    EXPECT_EQ(WindowRect(centred.Handle()).left, 200 + (owner.OuterWidth() - outerW) / 2);
    EXPECT_EQ(WindowRect(centred.Handle()).top, 100 + (owner.OuterHeight() - outerH) / 2);
}

// Counts the handlers the dispatch runs; a command handler that dispatches a command again.
class CountingWindow : public cWindow {
public:
    int commands = 0;
    int nestedResult = -1;
    int mouseMoves = 0;
    int paints = 0;
    void OnCommand(WPARAM, LPARAM) override
    {
        ++commands;
        nestedResult = static_cast<int>(Dispatch(nullptr, WM_COMMAND, 2, 0));
    }
    void OnMouseMove(WPARAM, LPARAM) override { ++mouseMoves; }
    void OnPaint() override { ++paints; }
};

TEST_F(WindowTest, DispatchRunsTheHandlersAndDropsACommandDuringACommand)
{
    CountingWindow w;
    EXPECT_EQ(w.Dispatch(nullptr, WM_COMMAND, 1, 0), 1);
    EXPECT_EQ(w.commands, 1);
    EXPECT_EQ(w.nestedResult, 0);
    EXPECT_EQ(w.Dispatch(nullptr, WM_COMMAND, 1, 0), 1) << "the busy flag is cleared afterwards";
    EXPECT_EQ(w.commands, 2);

    const LPARAM at = static_cast<LPARAM>((static_cast<unsigned>(-3) & 0xFFFF) << 16 | 5);
    EXPECT_EQ(w.Dispatch(nullptr, WM_MOUSEMOVE, 0, at), 1);
    EXPECT_EQ(w.mouseMoves, 1);
    EXPECT_EQ(w.Cursor().x, 5);
    EXPECT_EQ(w.Cursor().y, -3);
    EXPECT_EQ(w.Dispatch(nullptr, WM_PAINT, 0, 0), 1);
    EXPECT_EQ(w.paints, 1);
    EXPECT_EQ(w.Dispatch(nullptr, WM_KEYDOWN, 27, 0), 0);
    w.SetHandle(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x10)));
    EXPECT_EQ(w.Dispatch(nullptr, WM_DESTROY, 0, 0), 1);
    EXPECT_EQ(w.Handle(), nullptr);
}

}  // namespace
