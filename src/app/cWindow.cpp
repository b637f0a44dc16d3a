#include "app/cWindow.h"

#include <algorithm>

#include "platform/win/WorkArea.h"

void cWindow::OnCommand(WPARAM, LPARAM)
{}
void cWindow::OnMouseMove(WPARAM, LPARAM)
{}
void cWindow::OnLButtonDown(WPARAM, LPARAM)
{}
void cWindow::OnRButtonDown(WPARAM, LPARAM)
{}
void cWindow::OnLButtonDblClk(WPARAM, LPARAM)
{}
void cWindow::OnRButtonDblClk(WPARAM, LPARAM)
{}
void cWindow::OnLButtonUp(WPARAM, LPARAM)
{}
void cWindow::OnRButtonUp(WPARAM, LPARAM)
{}
LRESULT cWindow::WndProc(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}
void cWindow::OnPaint()
{}
void cWindow::OnCreate()
{}

RECT cWindow::FrameFor(DWORD dwStyle)
{
    RECT frame{};
    if ((dwStyle & WS_CAPTION) != 0) {
        frame.top += GetSystemMetrics(SM_CYCAPTION);
    }
    if ((dwStyle & WS_THICKFRAME) != 0) {
        frame.left += GetSystemMetrics(SM_CXFRAME);
        frame.right += GetSystemMetrics(SM_CXFRAME);
        frame.top += GetSystemMetrics(SM_CYFRAME);
        frame.bottom += GetSystemMetrics(SM_CYFRAME);
    } else if ((dwStyle & WS_DLGFRAME) != 0) {
        frame.left += GetSystemMetrics(SM_CXDLGFRAME);
        frame.right += GetSystemMetrics(SM_CXDLGFRAME);
        frame.top += GetSystemMetrics(SM_CYDLGFRAME);
        frame.bottom += GetSystemMetrics(SM_CYDLGFRAME);
    }
    return frame;
}

void cWindow::ComputeOuter()
{
    m_rcFrame = FrameFor(m_dwStyle);
    m_nOuterWidth = m_nClientWidth + m_rcFrame.left + m_rcFrame.right;
    m_nOuterHeight = m_nClientHeight + m_rcFrame.top + m_rcFrame.bottom;
}

void cWindow::SetGeometry(int nClientWidth, int nClientHeight, int nMinWidth, int nMinHeight, int nMaxWidth,
                          int nMaxHeight, DWORD dwStyle)
{
    m_nClientWidth = nClientWidth;
    m_nClientHeight = nClientHeight;
    m_nMinWidth = nMinWidth;
    m_nMinHeight = nMinHeight;
    m_nMaxWidth = nMaxWidth;
    m_nMaxHeight = nMaxHeight;
    m_dwStyle = dwStyle;
    m_rcClient = RECT{0, 0, nClientWidth, nClientHeight};
    ComputeOuter();
}

void cWindow::RefreshGeometry()
{
    if (m_hWnd == nullptr) {
        return;
    }
    m_dwStyle = GetWindowStyle(m_hWnd);
    GetClientRect(m_hWnd, &m_rcClient);
    m_nClientWidth = m_rcClient.right - m_rcClient.left;
    m_nClientHeight = m_rcClient.bottom - m_rcClient.top;
    ComputeOuter();
}

void cWindow::Move(int x, int y)
{
    MoveWindow(m_hWnd, x, y, m_nOuterWidth, m_nOuterHeight, TRUE);
    m_nX = x;
    m_nY = y;
    RefreshGeometry();
}

void cWindow::SetClientSize(int nWidth, int nHeight)
{
    RECT outer{};
    GetWindowRect(m_hWnd, &outer);
    MoveWindow(m_hWnd, outer.left, outer.top, nWidth + m_rcFrame.left + m_rcFrame.right,
               nHeight + m_rcFrame.top + m_rcFrame.bottom, TRUE);
    RefreshGeometry();
}

void cWindow::CentreOnDesktop()
{
    RECT outer{};
    GetWindowRect(m_hWnd, &outer);
    const RECT desktop{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    Move((desktop.left + desktop.right - (outer.right - outer.left)) / 2,
         (desktop.top + desktop.bottom - (outer.bottom - outer.top)) / 2);
}

void cWindow::AddStyle(DWORD dwBits)
{
    SetWindowStyle(m_hWnd, GetWindowStyle(m_hWnd) | dwBits, 0);
    RefreshGeometry();
}

void cWindow::RemoveStyle(DWORD dwBits)
{
    SetWindowStyle(m_hWnd, GetWindowStyle(m_hWnd) & ~dwBits, 0);
    RefreshGeometry();
}

POINT cWindow::GetPosition() const
{
    RECT outer{};
    GetWindowRect(m_hWnd, &outer);
    return POINT{outer.left, outer.top};
}

void cWindow::FillMinMaxInfo(MINMAXINFO* lpInfo) const
{
    if (lpInfo == nullptr) {
        return;
    }
    const int frameWidth = m_rcFrame.left + m_rcFrame.right;
    const int frameHeight = m_rcFrame.top + m_rcFrame.bottom;
    lpInfo->ptMinTrackSize = POINT{m_nMinWidth + frameWidth, m_nMinHeight + frameHeight};
    lpInfo->ptMaxTrackSize = POINT{m_nMaxWidth + frameWidth, m_nMaxHeight + frameHeight};
}

void cWindow::PlaceAtRequest()
{
    RECT base{};
    int x = 0;
    int y = 0;
    const HWND relative = m_hWndParent != nullptr ? m_hWndParent : m_hWndOwner;
    if (relative != nullptr && GetWindowRect(relative, &base)) {
        if (m_hWndParent != nullptr && m_bCentreOnParent) {
            x = (base.left + base.right - m_nOuterWidth) / 2;
            y = (base.top + base.bottom - m_nOuterHeight) / 2;
        } else {
            x = base.left + (m_nRequestX != kNoPosition ? m_nRequestX : 0);
            y = base.top + (m_nRequestY != kNoPosition ? m_nRequestY : 0);
        }
    } else if (m_nRequestX != kNoPosition && m_nRequestY != kNoPosition) {
        x = m_nRequestX;
        y = m_nRequestY;
    } else {
        const POINT now = GetPosition();
        x = now.x;
        y = now.y;
    }
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    // The right and bottom edges first, so that a window larger than the area keeps its top-left
    // corner (and its caption) on it.
    x = std::max<int>(std::min<int>(x, work.right - m_nOuterWidth), work.left);
    y = std::max<int>(std::min<int>(y, work.bottom - m_nOuterHeight), work.top);
    Move(x, y);
}

LRESULT cWindow::Dispatch(HWND, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_COMMAND && m_bCommandBusy) {
        return 0;
    }
    const bool mouse = uMsg == WM_MOUSEMOVE || (uMsg >= WM_LBUTTONDOWN && uMsg <= WM_RBUTTONDBLCLK);
    if (mouse) {
        m_ptCursor = POINT{GetXLParam(lParam), GetYLParam(lParam)};
    }
    switch (uMsg) {
    case WM_DESTROY: m_hWnd = nullptr; return 1;
    case WM_MOVE: {
        const POINT corner = GetPosition();
        m_nX = corner.x;
        m_nY = corner.y;
        return 1;
    }
    case WM_SIZE: RefreshGeometry(); return 1;
    case WM_PAINT: OnPaint(); return 1;
    case WM_GETMINMAXINFO: FillMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); return 1;
    case WM_COMMAND:
        m_bCommandBusy = true;
        OnCommand(wParam, lParam);
        m_bCommandBusy = false;
        return 1;
    case WM_MOUSEMOVE: OnMouseMove(wParam, lParam); return 1;
    case WM_LBUTTONDOWN: OnLButtonDown(wParam, lParam); return 1;
    case WM_RBUTTONDOWN: OnRButtonDown(wParam, lParam); return 1;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(wParam, lParam); return 1;
    case WM_RBUTTONDBLCLK: OnRButtonDblClk(wParam, lParam); return 1;
    case WM_LBUTTONUP: OnLButtonUp(wParam, lParam); return 1;
    case WM_RBUTTONUP: OnRButtonUp(wParam, lParam); return 1;
    default: return 0;
    }
}
