// The main window of a test: a window on the test thread, set as hWndMain while it lives, so that
// tests can answer what the code under test sends to the main window (sounds, music, file
// requests: give a window procedure) and count what it posts there (WM_CLOSE after a fatal error,
// for instance). Every fixture that needs a main window builds this one; the message stand-in is
// reset when it is built and when it goes.
#pragma once

#include "core/AppGlobals.h"
#include "platform/win/Messages.h"

namespace testsupport {

class TestMainWindow {
public:
    // proc answers the window's messages (DefWindowProcA: none answered). The window's outer
    // top-left corner is (x, y), its client area 640 x 480.
    explicit TestMainWindow(WNDPROC proc = DefWindowProcA, int x = 0, int y = 0)
    {
        ResetMessagesForTest();
        RegisterClassA("QbTestMainWindow", proc);
        m_hWnd = CreateWindowExA(0, "QbTestMainWindow", "test", WS_OVERLAPPEDWINDOW, x, y, 640, 480, nullptr);
        hWndMain = m_hWnd;
    }
    ~TestMainWindow()
    {
        hWndMain = nullptr;
        DestroyWindow(m_hWnd);
        ResetMessagesForTest();
    }
    TestMainWindow(const TestMainWindow&) = delete;
    TestMainWindow& operator=(const TestMainWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    // Removes the posted messages of the window and returns how many were uMsg.
    int TakePosted(UINT uMsg) { return TakePosted(m_hWnd, uMsg); }
    // The same for the messages posted to hWnd (nullptr: the test thread's own queue).
    static int TakePosted(HWND hWnd, UINT uMsg)
    {
        int count = 0;
        MSG msg;
        while (PeekMessage(&msg, hWnd, 0, 0, PM_REMOVE)) {
            count += msg.message == uMsg ? 1 : 0;
        }
        return count;
    }

private:
    HWND m_hWnd = nullptr;
};

}  // namespace testsupport
