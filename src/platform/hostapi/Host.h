// The real screen, speakers and input devices, or none.
//
// One host exists per process. The SDL host runs on the main thread: the stand-in's message
// functions call Pump() on the main thread, which turns SDL events into window messages (posted to
// the main window) and key states. The game thread writes finished frames straight into storage
// the host lends (WriteFrame), so that handing one over costs no copy and no allocation; the main
// thread shows the newest one in Pump(), scaled to the window with the aspect kept.
// The headless host (tests, or QB_HEADLESS=1 in the environment) keeps frames in memory.
//
// This interface sits below the Windows stand-in (platform/win), which reaches the host only
// through it; the hosts themselves (platform/host) are built on the stand-in. So it names the
// Windows types it needs by their underlying types (HWND is HWND__*, DWORD std::uint32_t, UINT
// unsigned int) instead of including the stand-in's headers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

struct HWND__;

// A finished frame: 32-bit pixels 0x00RRGGBB, rows top to bottom.
struct HostFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Fills a lent frame: called with width x height pixels 0x00RRGGBB (rows `width` apart) whose old
// content is undefined; it must set every pixel. Borrows the callable it is made from, which must
// outlive it (a lambda passed straight to WriteFrame does), and never allocates.
class FrameWriter {
public:
    template <class F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, FrameWriter>)
        FrameWriter(const F& write)  // implicit: made from a lambda at the call
        : m_write(&write), m_call([](const void* f, std::uint32_t* pixels) { (*static_cast<const F*>(f))(pixels); })
    {}
    void operator()(std::uint32_t* pixels) const { m_call(m_write, pixels); }

private:
    const void* m_write;
    void (*m_call)(const void*, std::uint32_t*);
};

struct HostWindowSpec {
    std::string titleSjis;  // window title in Shift-JIS
    int x = 100;            // client area position; SDL_WINDOWPOS_CENTERED when -1
    int y = 100;
    int clientWidth = 640;
    int clientHeight = 480;
    bool fullScreen = false;
    bool resizable = false;
};

class Host {
public:
    virtual ~Host() = default;

    // Main thread. Opens the main window for hWnd; false when no window can be opened.
    virtual bool OpenWindow(HWND__* hWnd, const HostWindowSpec& spec) = 0;
    virtual void CloseWindow() = 0;
    virtual void SetTitle(const std::string& titleSjis) = 0;
    virtual void SetFullScreen(bool bFullScreen) = 0;

    // Main thread: handles pending host events and shows the newest submitted frame.
    virtual void Pump() = 0;
    // Main thread: blocks until a host event arrives, Wake() is called, or timeoutMs passes.
    virtual void WaitForEvents(std::uint32_t timeoutMs) = 0;
    // Any thread: ends a WaitForEvents early (a message was posted to the main thread).
    virtual void Wake() = 0;

    // Largest frame width or height in pixels; bigger frames are refused.
    static constexpr int kMaxFrameSide = 8192;
    // Any thread: lends the host's spare frame storage for a width x height frame to write, which
    // then becomes the newest frame. False (write not called, nothing counted) for a side outside
    // 1..kMaxFrameSide. write must not call back into the host. Writers from several threads take
    // turns; showing the previous frame does not hold a writer up.
    virtual bool WriteFrame(int width, int height, const FrameWriter& write) = 0;
    // The newest frame submitted (for tests and screenshots); empty before the first.
    virtual HostFrame LastFrame() const = 0;
    virtual unsigned FrameCount() const = 0;

    // Main thread: shows a modal box; Shift-JIS texts; returns IDOK/IDYES/IDNO/IDCANCEL.
    virtual int ShowMessageBox(const std::string& textSjis, const std::string& captionSjis, unsigned int uType) = 0;

    virtual bool IsHeadless() const = 0;

    // Main thread, after a dialog or file chooser of the program had the keyboard: the main
    // window takes the keyboard focus again. Returns the Windows virtual-key codes of the keys
    // held now, each side's code and the generic one for Shift, Ctrl and Alt; empty without a
    // keyboard.
    virtual std::vector<int> TakeBackKeyboard() = 0;

    // Any thread: whether a presented frame waits for the next tick of the 60 Hz frame pace.
    // Only a headless host asked for unpaced runs (QB_UNPACED) runs frames back to back.
    virtual bool KeepsFramePace() const { return true; }
};

// The process's host: created on first use, headless when QB_HEADLESS is set to a non-empty
// value other than "0" or when no display can be opened.
Host& GetHost();
// Replaces the host (tests); the previous one is destroyed.
void SetHost(std::unique_ptr<Host> host);
// True when QB_HEADLESS asks for the headless host.
bool HeadlessRequested();
// True when QB_UNPACED is set to a non-empty value other than "0": a headless host then runs
// frames without waiting for the frame pace.
bool UnpacedRequested();

std::unique_ptr<Host> CreateHeadlessHost();
// The screen host, or nullptr with the reason in error when no display can be opened.
std::unique_ptr<Host> CreateSdlHost(std::string& error);

// Why the process's host is headless although no headless run was asked for ("" otherwise).
// Any thread.
std::string HostDisplayError();
