// A main window on the test thread, set as hWndMain while it lives, so that tests can count what
// the code under test posts to the main window (WM_CLOSE after a fatal error, for instance).
#pragma once

#include "core/AppGlobals.h"
#include "platform/win/Messages.h"

namespace testsupport {

class TestMainWindow {
public:
    TestMainWindow()
    {
        ResetMessagesForTest();
        RegisterClassA("QbTestMainWindow", DefWindowProcA);
        m_hWnd = CreateWindowExA(0, "QbTestMainWindow", "test", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr);
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
    int TakePosted(UINT uMsg)
    {
        int count = 0;
        MSG msg;
        while (PeekMessage(&msg, m_hWnd, 0, 0, PM_REMOVE)) {
            count += msg.message == uMsg ? 1 : 0;
        }
        return count;
    }

private:
    HWND m_hWnd = nullptr;
};

}  // namespace testsupport
