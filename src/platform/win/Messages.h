// Windows, window procedures and per-thread message queues.
//
// Every thread that calls PeekMessage or GetMessage once owns a queue from then on; a window
// belongs to the thread that created it and its procedure runs only on that thread.
// SendMessage to a window of another thread blocks the caller until the owner ran the procedure,
// and every thread that waits (in SendMessage, GetMessage, WaitMessage, MessageBoxA, a modal
// loop) keeps running the messages sent to it meanwhile. After BeginCloseSequence() a send that
// would have to wait returns 0 at once, so that no thread waits for ever during shutdown.
#pragma once

#include "platform/win/WinTypes.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt{};
};

// Message numbers.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_ACTIVATEAPP = 0x001C;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_COPYDATA = 0x004A;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_QUERYNEWPALETTE = 0x030F;
constexpr UINT WM_PALETTECHANGED = 0x0311;
constexpr UINT WM_USER = 0x0400;
constexpr UINT WM_APP = 0x8000;

// PeekMessage removal flags.
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_RESTORE = 9;

// Window styles (recorded; the host uses WS_POPUP as "full screen").
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;

// GetSystemMetrics indices.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;

// Window classes: a name and a procedure. Registering a name twice fails.
BOOL RegisterClassA(const char* szClassName, WNDPROC lpfnWndProc);
// Creates a window owned by the calling thread with a client area of nWidth x nHeight at (x, y).
// The procedure receives WM_CREATE before this returns. Returns nullptr when the class is unknown.
HWND CreateWindowExA(DWORD dwExStyle, const char* szClassName, const char* szTitle, DWORD dwStyle, int x,
                     int y, int nWidth, int nHeight, HWND hWndParent);
// Sends WM_DESTROY, then forgets the window: later posts to it fail.
BOOL DestroyWindow(HWND hWnd);
BOOL IsWindow(HWND hWnd);
// Finds a live window by class name (and title when szTitle is not null).
HWND FindWindowA(const char* szClassName, const char* szTitle);
LRESULT DefWindowProcA(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// Queues a message for the window's thread; callable from any thread. hWnd == nullptr posts to the
// calling thread's own queue, as Windows does. Fails (FALSE) for a destroyed window.
BOOL PostMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
// Runs the window procedure on the window's thread and returns its result (see the file comment).
LRESULT SendMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
// Queues a thread message (hwnd nullptr). Fails until the target thread has called PeekMessage or
// GetMessage once, and after it ended: the 0x8000 start handshake relies on this.
BOOL PostThreadMessage(DWORD idThread, UINT uMsg, WPARAM wParam, LPARAM lParam);
// Non-blocking. Runs pending sent messages first; returns TRUE with the oldest posted message in
// the filter range (0, 0 = all), removed when wRemoveMsg has PM_REMOVE.
BOOL PeekMessage(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
// Blocking. Returns 0 on WM_QUIT, otherwise nonzero.
BOOL GetMessage(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
// Blocks until the calling thread's queue has a new message (or a sent message, which it runs).
BOOL WaitMessage();
BOOL TranslateMessage(const MSG* lpMsg);
// Calls the procedure of lpMsg->hwnd; thread messages (hwnd nullptr) are dropped and return 0.
LRESULT DispatchMessage(const MSG* lpMsg);
// Posts WM_QUIT with the exit code to the calling thread.
void PostQuitMessage(int nExitCode);
// Identifier of the calling thread as used by PostThreadMessage.
DWORD GetCurrentThreadId();

// Shutdown guard: from now on, sends that would have to wait return 0 at once.
void BeginCloseSequence();
bool IsCloseSequenceBegun();

// Window state. The stand-in records these; the host shows the main window accordingly.
BOOL ShowWindow(HWND hWnd, int nCmdShow);
BOOL UpdateWindow(HWND hWnd);
BOOL SetWindowTextA(HWND hWnd, const char* szText);
int GetWindowTextA(HWND hWnd, char* szText, int nMaxCount);
BOOL GetClientRect(HWND hWnd, RECT* lpRect);
BOOL GetWindowRect(HWND hWnd, RECT* lpRect);
BOOL ClientToScreen(HWND hWnd, POINT* lpPoint);
// Moves the window's outer rectangle; the client area keeps its offset inside it.
BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint);
DWORD GetWindowStyle(HWND hWnd);
void SetWindowStyle(HWND hWnd, DWORD dwStyle, DWORD dwExStyle);
BOOL IsIconic(HWND hWnd);
BOOL IsZoomed(HWND hWnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hWnd);
int GetSystemMetrics(int nIndex);
// Display counter: starts at 0; the cursor shows while it is >= 0. Returns the new counter.
int ShowCursor(BOOL bShow);
