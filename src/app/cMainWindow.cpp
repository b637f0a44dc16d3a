#include "app/cMainWindow.h"

#include "app/ShellRequests.h"

cMainWindow wndMain;

BOOL cMainWindow::RegisterWindowClass()
{
    return RegisterClassA(kClassName, &cMainWindow::StaticWndProc);
}

LRESULT cMainWindow::StaticWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return wndMain.WndProc(hWnd, uMsg, wParam, lParam);
}

HWND cMainWindow::Create(int x, int y)
{
    SetGeometry(kClientWidth, kClientHeight, kMinClient, kMinClient, kClientWidth, kClientHeight, kStyle);
    // The stand-in takes the client size and puts the style's frame around it.
    const HWND hWnd = CreateWindowExA(0, kClassName, "", kStyle, x, y, kClientWidth, kClientHeight, nullptr);
    if (hWnd == nullptr) {
        m_hWnd = nullptr;
        return nullptr;
    }
    m_hWnd = hWnd;
    m_nX = x;
    m_nY = y;
    RefreshGeometry();
    return hWnd;
}

void cMainWindow::Bind()
{
    m_nId = 0;
}

LRESULT cMainWindow::WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    m_hWnd = hWnd;
    m_bFirstMessageSeen = true;
    if (uMsg == WM_MOUSEMOVE || (uMsg >= WM_LBUTTONDOWN && uMsg <= WM_RBUTTONDBLCLK)) {
        m_ptCursor = POINT{GetXLParam(lParam), GetYLParam(lParam)};
    }
    switch (uMsg) {
    case WM_CREATE: m_bCreated = true; return 0;
    case WM_DESTROY: m_hWnd = nullptr; return MainWindowMessage(hWnd, uMsg, wParam, lParam);
    case WM_SIZE: RefreshGeometry(); return 0;
    default: return MainWindowMessage(hWnd, uMsg, wParam, lParam);
    }
}

LRESULT cMainWindow::Dispatch(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT handled = cWindow::Dispatch(hWnd, uMsg, wParam, lParam);
    if (uMsg == WM_CREATE) {
        OnCreate();
    }
    return handled;
}

void cMainWindow::ResetForTest()
{
    m_hWnd = nullptr;
    m_bCreated = false;
    m_bFirstMessageSeen = false;
    m_bCommandBusy = false;
    m_ptCursor = POINT{};
    m_nRequestX = kNoPosition;
    m_nRequestY = kNoPosition;
}
