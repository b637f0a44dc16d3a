// Windows, window procedures and per-thread message queues.
//
// Every thread that calls PeekMessage or GetMessage once owns a queue from then on (so does a
// thread that creates a window); a window belongs to the thread that created it and its
// procedure runs only on that thread. Posted messages arrive in the order they were posted.
// SendMessage to a window of another thread blocks the caller until the owner ran the procedure,
// and every thread that waits (in SendMessage, GetMessage, WaitMessage, WaitForSingleObject,
// MessageBoxA, a modal loop) keeps running the messages sent to it meanwhile; Sleep does not.
// After BeginCloseSequence() a send that would have to wait returns 0 at once, and sends still
// waiting are released with 0, so that no thread waits for ever during shutdown.
//
// The thread that creates the first top-level window is the main thread. Its PeekMessage,
// GetMessage and WaitMessage pump the host (which turns window-system events into posted
// messages and key states) and block in the host instead of sleeping; posts and sends to it
// wake the host.
#pragma once

#include <vector>

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

// Window styles (recorded; the host takes WS_POPUP without WS_CAPTION as "full screen").
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_CAPTION = 0x00C00000;  // WS_BORDER | WS_DLGFRAME
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
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
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;

// WM_SIZE wParam.
constexpr WPARAM SIZE_RESTORED = 0;

// Window classes: a name and a procedure. Registering a name twice fails.
BOOL RegisterClassA(const char* szClassName, WNDPROC lpfnWndProc);
// Creates a window owned by the calling thread: its outer top-left corner at (x, y) in screen
// pixels and a client area of nWidth x nHeight; the frame around the client area follows the style
// (GetSystemMetrics: a caption adds SM_CYCAPTION at the top, WS_THICKFRAME adds SM_CXFRAME /
// SM_CYFRAME on every side, otherwise WS_DLGFRAME adds SM_CXDLGFRAME / SM_CYDLGFRAME).
// The first top-level window (hWndParent nullptr) is the main window: its thread becomes the main
// thread, which pumps the host, and the host opens its window for it (nullptr when it cannot).
// The calling thread gets its message queue. The procedure receives WM_CREATE before this returns;
// when it answers -1 the window is destroyed again and nullptr returned. Returns nullptr when the
// class is unknown.
HWND CreateWindowExA(DWORD dwExStyle, const char* szClassName, const char* szTitle, DWORD dwStyle, int x, int y,
                     int nWidth, int nHeight, HWND hWndParent);
// Sends WM_DESTROY, then forgets the window: later posts to it fail. Only the owner thread may
// destroy a window (FALSE otherwise). Destroying the main window closes the host's window.
BOOL DestroyWindow(HWND hWnd);
BOOL IsWindow(HWND hWnd);
// Finds a live window by class name (and title when szTitle is not null).
HWND FindWindowA(const char* szClassName, const char* szTitle);
// WM_CLOSE destroys the window; everything else returns 0.
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
// Nonzero for key messages, FALSE otherwise. Generates nothing: the host posts WM_CHAR itself.
BOOL TranslateMessage(const MSG* lpMsg);
// Calls the procedure of lpMsg->hwnd on its owner thread; thread messages (hwnd nullptr), dead
// windows and windows of other threads are dropped and return 0.
LRESULT DispatchMessage(const MSG* lpMsg);
// Posts WM_QUIT with the exit code to the calling thread.
void PostQuitMessage(int nExitCode);
// Identifier of the calling thread as used by PostThreadMessage.
DWORD GetCurrentThreadId();

// Shutdown guard: from now on, sends that would have to wait return 0 at once.
void BeginCloseSequence();
bool IsCloseSequenceBegun();

// Window state. The stand-in records these; the host shows the main window accordingly (title and
// WS_POPUP without WS_CAPTION as full screen). Callable from any thread. MoveWindow sends WM_MOVE (client top-left in
// lParam) and WM_SIZE (SIZE_RESTORED, client size in lParam) when position or size changed.
BOOL ShowWindow(HWND hWnd, int nCmdShow);
BOOL UpdateWindow(HWND hWnd);
BOOL SetWindowTextA(HWND hWnd, const char* szText);
int GetWindowTextA(HWND hWnd, char* szText, int nMaxCount);
BOOL GetClientRect(HWND hWnd, RECT* lpRect);
BOOL GetWindowRect(HWND hWnd, RECT* lpRect);
BOOL ClientToScreen(HWND hWnd, POINT* lpPoint);
// Moves the window's outer rectangle; the client area keeps its offset inside it. Positions are
// clamped to -32768..32767 and sizes to 0..32767, the range window messages can carry.
BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint);
DWORD GetWindowStyle(HWND hWnd);
// Keeps the outer rectangle; the client area follows the new frame.
void SetWindowStyle(HWND hWnd, DWORD dwStyle, DWORD dwExStyle);
BOOL IsIconic(HWND hWnd);
BOOL IsZoomed(HWND hWnd);
// The main window when called on the main thread, else nullptr (windows of other threads are
// never active for the caller).
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hWnd);
// Screen size from the system facts; SM_CXFULLSCREEN / SM_CYFULLSCREEN are the screen less the
// caption; frame metrics are fixed (caption 23, dialog frame 3, sizing frame 4). 0 when unknown.
int GetSystemMetrics(int nIndex);
// Display counter: starts at 0; the cursor shows while it is >= 0. Returns the new counter.
int ShowCursor(BOOL bShow);

// Test hooks.
// The messages waiting in a thread's posted queue, oldest first (not removed).
std::vector<MSG> QueuedMessages(DWORD idThread);
// Messages sent to a thread from other threads that it has not started to run yet.
unsigned PendingSentMessages(DWORD idThread);
// Forgets every window and class, the main window and thread, the cursor counter and the close
// sequence, and empties the calling thread's queue (which then counts as never read). Call only
// when no other thread uses the stand-in.
void ResetMessagesForTest();
