// Internal to the stand-in: the registered window classes and the live windows.
//
// Guarded by StandInMutex(). A window lives from CreateWindowExA until DestroyWindow or until its
// owner thread ends; handles are never reused, so a stale handle simply fails.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/win/Messages.h"
#include "platform/win/ThreadState.h"

namespace standin {

struct Window {
    HWND handle = nullptr;
    WNDPROC proc = nullptr;
    std::string className;  // as registered
    std::shared_ptr<ThreadState> owner;
    HWND parent = nullptr;
    std::string title;  // Shift-JIS
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT outer{};   // screen coordinates
    RECT client{};  // screen coordinates, inside outer by the frame of the style
    bool visible = false;
    bool minimized = false;
    bool maximized = false;
    bool destroying = false;  // WM_DESTROY is running
};

struct WindowTable {
    std::map<std::string, WNDPROC> classes;  // key: class name in lower case
    std::map<HWND, Window> windows;
    std::uintptr_t nextHandle = 0x10010;
    // The first top-level window and its thread: the thread that pumps the host.
    HWND mainWindow = nullptr;
    std::shared_ptr<ThreadState> mainThread;
};

// Lock held.
WindowTable& Windows();
// Lock held. The window when it exists and its owner thread has not ended, else nullptr.
Window* FindLiveWindowLocked(HWND hWnd);
// Lock held. The main thread's record, or nullptr before the first top-level window.
std::shared_ptr<ThreadState> MainThreadLocked();

// Frame around the client area for a style: what the outer rectangle adds on each side.
RECT FrameForStyle(DWORD style);

}  // namespace standin
