// Window classes, window creation and destruction, and the recorded window state.
#include "platform/win/WindowTable.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/hostapi/Host.h"
#include "platform/win/HostLink.h"
#include "platform/win/SystemInfo.h"

namespace standin {

namespace {

constexpr int kCaptionHeight = 23;
constexpr int kDialogFrame = 3;
constexpr int kSizingFrame = 4;

// Window messages carry coordinates in 16 bits; positions and sizes are kept within that range,
// which also keeps every sum below far from overflowing (sizes can come from a user's file).
constexpr int kMinCoordinate = -32768;
constexpr int kMaxCoordinate = 32767;

std::atomic<int> g_cursorCounter{0};

int ClampPosition(int v)
{
    return std::clamp(v, kMinCoordinate, kMaxCoordinate);
}
int ClampSize(int v)
{
    return std::clamp(v, 0, kMaxCoordinate);
}

RECT OuterRect(int x, int y, int width, int height)
{
    x = ClampPosition(x);
    y = ClampPosition(y);
    return RECT{x, y, x + ClampSize(width), y + ClampSize(height)};
}

// Lock held. Forgets the windows of threads that have ended.
void PruneDeadWindowsLocked()
{
    std::erase_if(Windows().windows, [](const auto& entry) { return entry.second.owner->ended; });
}

std::string Lower(const char* text)
{
    std::string out = text != nullptr ? text : "";
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

RECT ClientInside(const RECT& outer, DWORD style)
{
    const RECT frame = FrameForStyle(style);
    RECT client{outer.left + frame.left, outer.top + frame.top, outer.right - frame.right, outer.bottom - frame.bottom};
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

// Full screen is a pop-up without a caption: the windowed main window is a pop-up too, but with
// caption and system menu.
bool IsFullScreenStyle(DWORD style)
{
    return (style & WS_POPUP) != 0 && (style & WS_CAPTION) == 0;
}

HostWindowSpec SpecFor(const Window& w)
{
    HostWindowSpec spec;
    spec.titleSjis = w.title;
    spec.x = w.client.left;
    spec.y = w.client.top;
    spec.clientWidth = w.client.right - w.client.left;
    spec.clientHeight = w.client.bottom - w.client.top;
    spec.fullScreen = IsFullScreenStyle(w.style);
    spec.resizable = (w.style & WS_THICKFRAME) != 0;
    return spec;
}

// Runs fn on the window with the lock held; false for a dead window.
template <typename Fn>
bool WithWindow(HWND hWnd, Fn fn)
{
    std::lock_guard<std::mutex> lock(StandInMutex());
    Window* w = FindLiveWindowLocked(hWnd);
    if (w == nullptr) {
        return false;
    }
    fn(*w);
    return true;
}

void SendIfChanged(HWND hWnd, bool moved, const RECT& client, bool sized)
{
    const auto pack = [](LONG lo, LONG hi) {
        return static_cast<LPARAM>((static_cast<std::uintptr_t>(lo) & 0xFFFF) |
                                   ((static_cast<std::uintptr_t>(hi) & 0xFFFF) << 16));
    };
    if (moved) {
        SendMessage(hWnd, WM_MOVE, 0, pack(client.left, client.top));
    }
    if (sized) {
        SendMessage(hWnd, WM_SIZE, SIZE_RESTORED, pack(client.right - client.left, client.bottom - client.top));
    }
}

}  // namespace

WindowTable& Windows()
{
    static WindowTable* table = new WindowTable;  // never destroyed, like the thread registry
    return *table;
}

Window* FindLiveWindowLocked(HWND hWnd)
{
    auto it = Windows().windows.find(hWnd);
    if (it == Windows().windows.end() || it->second.owner->ended) {
        return nullptr;
    }
    return &it->second;
}

std::shared_ptr<ThreadState> MainThreadLocked()
{
    return Windows().mainThread;
}

RECT FrameForStyle(DWORD style)
{
    RECT frame{};
    if ((style & WS_CAPTION) != 0) {
        frame.top += kCaptionHeight;
    }
    int side = 0;
    if ((style & WS_THICKFRAME) != 0) {
        side = kSizingFrame;
    } else if ((style & WS_DLGFRAME) != 0) {
        side = kDialogFrame;
    }
    frame.left += side;
    frame.right += side;
    frame.top += side;
    frame.bottom += side;
    return frame;
}

}  // namespace standin

using namespace standin;

BOOL RegisterClassA(const char* szClassName, WNDPROC lpfnWndProc)
{
    if (szClassName == nullptr || szClassName[0] == '\0' || lpfnWndProc == nullptr) {
        return FALSE;
    }
    std::lock_guard<std::mutex> lock(StandInMutex());
    return Windows().classes.emplace(Lower(szClassName), lpfnWndProc).second ? TRUE : FALSE;
}

HWND CreateWindowExA(DWORD dwExStyle, const char* szClassName, const char* szTitle, DWORD dwStyle, int x, int y,
                     int nWidth, int nHeight, HWND hWndParent)
{
    std::shared_ptr<ThreadState> self = CurrentThread();
    HWND hWnd = nullptr;
    WNDPROC proc = nullptr;
    bool opensHost = false;
    HostWindowSpec spec;
    {
        std::lock_guard<std::mutex> lock(StandInMutex());
        WindowTable& table = Windows();
        auto cls = table.classes.find(Lower(szClassName));
        if (cls == table.classes.end()) {
            return nullptr;
        }
        proc = cls->second;
        PruneDeadWindowsLocked();
        hWnd = reinterpret_cast<HWND>(table.nextHandle);
        table.nextHandle += 0x10;

        Window w;
        w.handle = hWnd;
        w.proc = proc;
        w.className = szClassName;
        w.owner = self;
        w.parent = hWndParent;
        w.title = szTitle != nullptr ? szTitle : "";
        w.style = dwStyle;
        w.exStyle = dwExStyle;
        const RECT frame = FrameForStyle(dwStyle);
        w.outer = OuterRect(x, y, frame.left + ClampSize(nWidth) + frame.right,
                            frame.top + ClampSize(nHeight) + frame.bottom);
        w.client = ClientInside(w.outer, dwStyle);
        w.visible = (dwStyle & WS_VISIBLE) != 0;
        self->hasQueue = true;

        if (hWndParent == nullptr && table.mainThread == nullptr) {
            table.mainThread = self;
            self->isMain = true;
        }
        if (hWndParent == nullptr && table.mainThread == self && FindLiveWindowLocked(table.mainWindow) == nullptr) {
            table.mainWindow = hWnd;
            opensHost = true;
            spec = SpecFor(w);
        }
        table.windows.emplace(hWnd, std::move(w));
    }
    if (opensHost && !LinkedHost().OpenWindow(hWnd, spec)) {
        std::lock_guard<std::mutex> lock(StandInMutex());
        Windows().windows.erase(hWnd);
        Windows().mainWindow = nullptr;
        return nullptr;
    }
    if (proc(hWnd, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(hWnd);
        return nullptr;
    }
    return hWnd;
}

BOOL DestroyWindow(HWND hWnd)
{
    std::shared_ptr<ThreadState> self = CurrentThread();
    WNDPROC proc = nullptr;
    {
        std::lock_guard<std::mutex> lock(StandInMutex());
        Window* w = FindLiveWindowLocked(hWnd);
        if (w == nullptr || w->owner != self || w->destroying) {
            return FALSE;
        }
        w->destroying = true;
        w->visible = false;
        proc = w->proc;
    }
    proc(hWnd, WM_DESTROY, 0, 0);
    bool closesHost = false;
    {
        std::lock_guard<std::mutex> lock(StandInMutex());
        Windows().windows.erase(hWnd);
        if (Windows().mainWindow == hWnd) {
            Windows().mainWindow = nullptr;
            closesHost = true;
        }
    }
    if (closesHost) {
        LinkedHost().CloseWindow();
    }
    return TRUE;
}

BOOL IsWindow(HWND hWnd)
{
    std::lock_guard<std::mutex> lock(StandInMutex());
    return FindLiveWindowLocked(hWnd) != nullptr ? TRUE : FALSE;
}

HWND FindWindowA(const char* szClassName, const char* szTitle)
{
    const std::string cls = Lower(szClassName);
    std::lock_guard<std::mutex> lock(StandInMutex());
    for (auto& [handle, w] : Windows().windows) {
        if (w.owner->ended || w.destroying || Lower(w.className.c_str()) != cls) {
            continue;
        }
        if (szTitle == nullptr || w.title == szTitle) {
            return handle;
        }
    }
    return nullptr;
}

LRESULT DefWindowProcA(HWND hWnd, UINT uMsg, WPARAM, LPARAM)
{
    if (uMsg == WM_CLOSE) {
        DestroyWindow(hWnd);
    }
    return 0;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow)
{
    bool wasVisible = false;
    const bool found = WithWindow(hWnd, [&](Window& w) {
        wasVisible = w.visible;
        switch (nCmdShow) {
        case SW_HIDE: w.visible = false; break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
            w.visible = true;
            w.minimized = false;
            w.maximized = false;
            break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
            w.visible = true;
            w.minimized = true;
            w.maximized = false;
            break;
        case SW_SHOWMAXIMIZED:
            w.visible = true;
            w.minimized = false;
            w.maximized = true;
            break;
        default:  // SW_SHOW and the other "show as it is" commands
            w.visible = true;
            break;
        }
    });
    return found && wasVisible ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hWnd)
{
    return IsWindow(hWnd);
}

BOOL SetWindowTextA(HWND hWnd, const char* szText)
{
    const std::string text = szText != nullptr ? szText : "";
    bool isMain = false;
    const bool found = WithWindow(hWnd, [&](Window& w) {
        w.title = text;
        isMain = Windows().mainWindow == hWnd;
    });
    if (isMain) {
        LinkedHost().SetTitle(text);
    }
    return found ? TRUE : FALSE;
}

int GetWindowTextA(HWND hWnd, char* szText, int nMaxCount)
{
    if (szText == nullptr || nMaxCount <= 0) {
        return 0;
    }
    int copied = 0;
    WithWindow(hWnd, [&](Window& w) {
        copied = static_cast<int>(std::min<std::size_t>(w.title.size(), static_cast<std::size_t>(nMaxCount - 1)));
        std::memcpy(szText, w.title.data(), static_cast<std::size_t>(copied));
    });
    szText[copied] = '\0';
    return copied;
}

BOOL GetClientRect(HWND hWnd, RECT* lpRect)
{
    if (lpRect == nullptr) {
        return FALSE;
    }
    return WithWindow(hWnd,
                      [&](Window& w) {
                          *lpRect = RECT{0, 0, w.client.right - w.client.left, w.client.bottom - w.client.top};
                      })
               ? TRUE
               : FALSE;
}

BOOL GetWindowRect(HWND hWnd, RECT* lpRect)
{
    if (lpRect == nullptr) {
        return FALSE;
    }
    return WithWindow(hWnd, [&](Window& w) { *lpRect = w.outer; }) ? TRUE : FALSE;
}

BOOL ClientToScreen(HWND hWnd, POINT* lpPoint)
{
    if (lpPoint == nullptr) {
        return FALSE;
    }
    return WithWindow(hWnd,
                      [&](Window& w) {
                          lpPoint->x += w.client.left;
                          lpPoint->y += w.client.top;
                      })
               ? TRUE
               : FALSE;
}

BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL)
{
    bool moved = false;
    bool sized = false;
    RECT client{};
    const bool found = WithWindow(hWnd, [&](Window& w) {
        const RECT before = w.client;
        w.outer = OuterRect(x, y, nWidth, nHeight);
        w.client = ClientInside(w.outer, w.style);
        client = w.client;
        moved = client.left != before.left || client.top != before.top;
        sized = client.right - client.left != before.right - before.left ||
                client.bottom - client.top != before.bottom - before.top;
    });
    if (!found) {
        return FALSE;
    }
    SendIfChanged(hWnd, moved, client, sized);
    return TRUE;
}

DWORD GetWindowStyle(HWND hWnd)
{
    DWORD style = 0;
    WithWindow(hWnd, [&](Window& w) { style = w.style; });
    return style;
}

void SetWindowStyle(HWND hWnd, DWORD dwStyle, DWORD dwExStyle)
{
    bool fullScreenChanged = false;
    WithWindow(hWnd, [&](Window& w) {
        fullScreenChanged = Windows().mainWindow == hWnd && IsFullScreenStyle(w.style) != IsFullScreenStyle(dwStyle);
        w.style = dwStyle;
        w.exStyle = dwExStyle;
        w.client = ClientInside(w.outer, dwStyle);
    });
    if (fullScreenChanged) {
        LinkedHost().SetFullScreen(IsFullScreenStyle(dwStyle));
    }
}

BOOL IsIconic(HWND hWnd)
{
    bool minimized = false;
    WithWindow(hWnd, [&](Window& w) { minimized = w.minimized; });
    return minimized ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hWnd)
{
    bool maximized = false;
    WithWindow(hWnd, [&](Window& w) { maximized = w.maximized; });
    return maximized ? TRUE : FALSE;
}

HWND GetActiveWindow()
{
    std::shared_ptr<ThreadState> self = CurrentThread();
    std::lock_guard<std::mutex> lock(StandInMutex());
    const HWND main = Windows().mainWindow;
    if (Windows().mainThread != self || FindLiveWindowLocked(main) == nullptr) {
        return nullptr;
    }
    return main;
}

BOOL SetForegroundWindow(HWND hWnd)
{
    return IsWindow(hWnd);
}

int GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN: return GetSystemFacts().desktopWidth;
    case SM_CYSCREEN: return GetSystemFacts().desktopHeight;
    case SM_CYFULLSCREEN: return std::max(GetSystemFacts().desktopHeight - kCaptionHeight, 0);
    case SM_CYCAPTION: return kCaptionHeight;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return kDialogFrame;
    case SM_CXFRAME:
    case SM_CYFRAME: return kSizingFrame;
    default: return 0;
    }
}

int ShowCursor(BOOL bShow)
{
    return g_cursorCounter.fetch_add(bShow ? 1 : -1) + (bShow ? 1 : -1);
}

void ResetMessagesForTest()
{
    std::shared_ptr<ThreadState> self = CurrentThread();
    bool hadMainWindow = false;
    {
        std::lock_guard<std::mutex> lock(StandInMutex());
        WindowTable& table = Windows();
        hadMainWindow = FindLiveWindowLocked(table.mainWindow) != nullptr;
        if (table.mainThread) {
            table.mainThread->isMain = false;
        }
        table.mainThread.reset();
        table.mainWindow = nullptr;
        table.windows.clear();
        table.classes.clear();
        self->posted.clear();
        for (const std::shared_ptr<SentCall>& call : self->inbox) {
            CompleteCallLocked(*call, 0);
        }
        self->inbox.clear();
        self->hasQueue = false;
        self->postSerial = 0;
        self->seenSerial = 0;
    }
    g_cursorCounter = 0;
    ClearCloseSequenceForTest();
    if (hadMainWindow) {
        LinkedHost().CloseWindow();
    }
}
