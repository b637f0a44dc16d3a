// cWindow: the system's own wrapper around a window of the stand-in. It keeps the window's handle,
// its geometry (the client size asked for, minimum and maximum client size, style, the frame
// sums that the style gives, the current client rectangle and the outer size), the requested
// place of a dialog and the cursor position, and dispatches messages to virtual handlers.
// cMainWindow (the game's main window) and the dialogs derive from it.
//
// Geometry rules: a caption adds SM_CYCAPTION at the top; WS_THICKFRAME adds SM_CXFRAME left and
// right and SM_CYFRAME top and bottom, otherwise WS_DLGFRAME adds SM_CXDLGFRAME / SM_CYDLGFRAME;
// the system's windows have no menus. Outer size = client size + frame sums.
//
// Main thread only.
#pragma once

#include "platform/win/Messages.h"
#include "platform/win/WinTypes.h"
#include "platform/win/WindowFrame.h"

class cWindow {
public:
    // "No requested position" of PlaceAtRequest.
    static constexpr int kNoPosition = -1000;

    cWindow() = default;
    virtual ~cWindow() = default;
    cWindow(const cWindow&) = delete;
    cWindow& operator=(const cWindow&) = delete;

    // Handlers, called by Dispatch; empty in the base. wParam and lParam as the message gave them.
    virtual void OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnMouseMove(WPARAM wParam, LPARAM lParam);
    virtual void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    virtual void OnRButtonDown(WPARAM wParam, LPARAM lParam);
    virtual void OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    virtual void OnRButtonDblClk(WPARAM wParam, LPARAM lParam);
    virtual void OnLButtonUp(WPARAM wParam, LPARAM lParam);
    virtual void OnRButtonUp(WPARAM wParam, LPARAM lParam);
    // The class's own window procedure; 0 in the base.
    virtual LRESULT WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    // The framework's handling of a message: 1 when it handled it (WM_DESTROY, WM_MOVE, WM_SIZE,
    // WM_PAINT, WM_GETMINMAXINFO, WM_COMMAND and the mouse messages), else 0. A WM_COMMAND that
    // arrives while another is being handled is dropped (0).
    virtual LRESULT Dispatch(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    // Painting; the host shows the frames, so there is no device context to paint into.
    virtual void OnPaint();
    // After creation (dialogs: on initialisation).
    virtual void OnCreate();

    // Stores the geometry (client size asked for, minimum and maximum client size, style) and
    // computes the frame sums and the outer size. Pixels.
    void SetGeometry(int nClientWidth, int nClientHeight, int nMinWidth, int nMinHeight, int nMaxWidth, int nMaxHeight,
                     DWORD dwStyle);
    // Re-reads the style and the client rectangle of the window and recomputes.
    void RefreshGeometry();
    // Moves the outer top-left corner to (x, y), keeping the outer size; remembers x and y.
    void Move(int x, int y);
    // Keeps the top-left corner; the outer size becomes the client size plus the frame sums.
    void SetClientSize(int nWidth, int nHeight);
    // Centres the window on the desktop.
    void CentreOnDesktop();
    // Sets or clears style bits, then RefreshGeometry.
    void AddStyle(DWORD dwBits);
    void RemoveStyle(DWORD dwBits);
    // The outer top-left corner.
    POINT GetPosition() const;
    // Minimum and maximum tracking sizes: the minimum and maximum client sizes plus the frame sums.
    void FillMinMaxInfo(MINMAXINFO* lpInfo) const;
    // Places the window: relative to the parent window (centred on it with the centre flag), else
    // to the owner window, else at the requested position unless it is kNoPosition; then keeps it
    // on the desktop's work area (x below its left edge goes to it; a window passing its right
    // edge moves left to end there; y likewise) and moves it there.
    void PlaceAtRequest();

    // Binding and state.
    HWND Handle() const { return m_hWnd; }
    void SetHandle(HWND hWnd) { m_hWnd = hWnd; }
    void SetRequestedPosition(int x, int y)
    {
        m_nRequestX = x;
        m_nRequestY = y;
    }
    void SetParentWindow(HWND hWnd, bool bCentre)
    {
        m_hWndParent = hWnd;
        m_bCentreOnParent = bCentre;
    }
    void SetOwnerWindow(HWND hWnd) { m_hWndOwner = hWnd; }
    bool Created() const { return m_bCreated; }

    // Geometry as computed, in pixels.
    int ClientWidth() const { return m_nClientWidth; }
    int ClientHeight() const { return m_nClientHeight; }
    int OuterWidth() const { return m_nOuterWidth; }
    int OuterHeight() const { return m_nOuterHeight; }
    DWORD Style() const { return m_dwStyle; }
    // Frame sums: left, top (caption included), right, bottom.
    RECT Frame() const { return m_rcFrame; }
    // The last position set through the framework, and the cursor in client coordinates.
    POINT LastPosition() const { return POINT{m_nX, m_nY}; }
    POINT Cursor() const { return m_ptCursor; }

protected:
    // The frame sums of a style.
    static RECT FrameFor(DWORD dwStyle);
    void ComputeOuter();

    HWND m_hWnd = nullptr;
    int m_nId = 0;
    HWND m_hWndParent = nullptr;
    HWND m_hWndOwner = nullptr;
    bool m_bCentreOnParent = false;
    int m_nX = 0;
    int m_nY = 0;
    int m_nClientWidth = 0;
    int m_nClientHeight = 0;
    int m_nMinWidth = 0;
    int m_nMinHeight = 0;
    int m_nMaxWidth = 0;
    int m_nMaxHeight = 0;
    DWORD m_dwStyle = 0;
    RECT m_rcFrame{};
    RECT m_rcClient{};
    int m_nOuterWidth = 0;
    int m_nOuterHeight = 0;
    POINT m_ptCursor{};
    bool m_bCreated = false;
    bool m_bCommandBusy = false;
    bool m_bFirstMessageSeen = false;
    int m_nRequestX = kNoPosition;
    int m_nRequestY = kNoPosition;
};
