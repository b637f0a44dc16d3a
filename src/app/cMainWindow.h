// cMainWindow: the game's main window (the global wndMain), of the window class "Quillborn4".
//
// The class's static procedure forwards every message to wndMain's WndProc; every message first
// stores the window's handle there, so that the handlers of WM_CREATE, sent while the window is
// being created, already find it.
//
// Main thread only.
#pragma once

#include "app/cWindow.h"

class cMainWindow : public cWindow {
public:
    // The window class and the main window's geometry: a 640 x 480 client area, tracked between
    // 100 x 100 and 640 x 480, a pop-up with caption, system menu and the two boxes.
    static constexpr const char* kClassName = "Quillborn4";
    static constexpr int kClientWidth = 640;
    static constexpr int kClientHeight = 480;
    static constexpr int kMinClient = 100;
    static constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

    cMainWindow() = default;

    // Registers the window class with the static procedure. FALSE when it is registered already.
    static BOOL RegisterWindowClass();
    // The class's procedure: forwards to wndMain.
    static LRESULT StaticWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    // Sets the main window's geometry and creates the window at (x, y) with an empty title;
    // nullptr when it cannot be created (no window class, or the host cannot open a window).
    HWND Create(int x, int y);
    // The binding step of the start-up: control id 0, the handle as it stands.
    void Bind();

    // The window procedure: the framework's step for every message (the handle, the first
    // message, the cursor), WM_CREATE marks the window created, WM_SIZE re-reads the geometry,
    // anything else goes to MainWindowMessage (ShellRequests.h).
    LRESULT WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    // The base dispatch, then OnCreate on WM_CREATE.
    LRESULT Dispatch(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;

    // Forgets the handle and the state of a window (tests).
    void ResetForTest();
};

// The main window object (main thread).
extern cMainWindow wndMain;
