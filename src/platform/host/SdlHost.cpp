#include "platform/host/SdlHost.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/host/FrameScaling.h"
#include "platform/host/SdlKeyMap.h"
#include "platform/win/CodePage.h"
#include "platform/win/Keyboard.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"
#include "platform/win/SystemInfo.h"
#include "platform/win/Threads.h"

namespace {

// How often, and how far apart, a display named by the environment is tried before the run is
// refused: about three seconds in all.
constexpr int kDisplayAttempts = 16;
constexpr int kDisplayRetryMs = 200;

// UTF-8 for SDL from the game's Shift-JIS; "\r\n" line ends become "\n".
std::string ToHostText(const std::string& sjis)
{
    std::string utf8 = Cp932ToUtf8(sjis);
    utf8.erase(std::remove(utf8.begin(), utf8.end(), '\r'), utf8.end());
    return utf8;
}

// Key message lParam as Windows builds it: repeat count 1, bit 30 = the key was down before,
// bit 31 = the key is being released.
LPARAM KeyLParam(bool bDown, bool bRepeat)
{
    const std::uintptr_t wasDown = (!bDown || bRepeat) ? 1u : 0u;
    const std::uintptr_t released = bDown ? 0u : 1u;
    return static_cast<LPARAM>(1u | (wasDown << 30) | (released << 31));
}

Uint32 MessageBoxIconFlags(UINT uType)
{
    switch (uType & 0xF0) {
    case MB_ICONERROR: return SDL_MESSAGEBOX_ERROR;
    case MB_ICONWARNING: return SDL_MESSAGEBOX_WARNING;
    case MB_ICONQUESTION:
    case MB_ICONINFORMATION: return SDL_MESSAGEBOX_INFORMATION;
    default: return 0;
    }
}

// True when SDL fell back to a driver that shows nothing (no X11 or Wayland display was found)
// without being asked for it in SDL_VIDEODRIVER: nobody could see the window or close it.
bool IsInvisibleDriverByDefault()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr) {
        return true;
    }
    if (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0) {
        return false;
    }
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    return asked == nullptr || std::strcmp(asked, driver) != 0;
}

// Hands the first display's desktop mode to the system queries. X11 and Wayland desktops report
// 24 bits where Windows would say 32; the screen-mode rules accept only 32, 16 or 8, so 24 counts
// as 32.
void ReportDesktopMode()
{
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        return;  // the defaults stay
    }
    int bits = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
    if (bits == 24) {
        bits = 32;
    }
    SetDisplayFacts(mode.w, mode.h, bits, mode.refresh_rate);
}

// Starts SDL's video on a display that can be seen; false with the reason in error otherwise.
bool StartVisibleVideo(std::string& error)
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        error = SDL_GetError();
        return false;
    }
    if (IsInvisibleDriverByDefault()) {
        error = std::string("only SDL's \"") + SDL_GetCurrentVideoDriver() + "\" video driver";
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return false;
    }
    return true;
}

// Whether the environment names a display at all: only then is a failed connection worth trying
// again.
bool DisplayNamed()
{
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && x11[0] != '\0') || (wayland != nullptr && wayland[0] != '\0');
}

}  // namespace

std::unique_ptr<SdlHost> SdlHost::Create(std::string& error)
{
    // Ctrl+C and SIGTERM keep their usual meaning, and closing the window is a WM_CLOSE for the
    // game to handle, not a quit event.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Presenting must never block the main thread's message loop on the vertical blank.
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // Audio is started separately by the audio output, with SDL_InitSubSystem(SDL_INIT_AUDIO).
    // A display server that is slow to accept (a loaded machine, many clients starting at once)
    // refuses a connection at once when its queue of pending connections is full: the client
    // library does not wait for room, and SDL then falls back to a driver that shows nothing. A
    // display that the environment names is therefore tried again for a while before the run is
    // refused.
    // Without a display named (and no driver asked for) there is nothing to try; SDL's probes
    // would only add their own lines to standard error.
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (!DisplayNamed() && (asked == nullptr || asked[0] == '\0')) {
        error = "neither DISPLAY nor WAYLAND_DISPLAY is set";
        return nullptr;
    }
    bool bStarted = StartVisibleVideo(error);
    for (int attempt = 1; !bStarted && attempt < kDisplayAttempts && DisplayNamed(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kDisplayRetryMs));
        bStarted = StartVisibleVideo(error);
    }
    if (!bStarted) {
        return nullptr;
    }
    const Uint32 wakeType = SDL_RegisterEvents(1);
    if (wakeType == static_cast<Uint32>(-1)) {
        error = "no SDL user event left";
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return nullptr;
    }
    ReportDesktopMode();
    return std::unique_ptr<SdlHost>(new SdlHost(wakeType));
}

SdlHost::SdlHost(Uint32 wakeEventType) : m_wakeEventType(wakeEventType), m_mainThread(std::this_thread::get_id())
{}

SdlHost::~SdlHost()
{
    CloseWindow();
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) {
        SDL_Quit();
    }
}

bool SdlHost::OpenWindow(HWND hWnd, const HostWindowSpec& spec)
{
    CloseWindow();
    m_mainThread = std::this_thread::get_id();
    {
        // The spec is newer than any change asked for while no window was open.
        std::lock_guard<std::mutex> lock(m_pendingMutex);
        m_pendingTitle.reset();
        m_pendingFullScreen.reset();
    }
    Uint32 flags = SDL_WINDOW_SHOWN;
    if (spec.resizable) {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    if (spec.fullScreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    const int x = spec.x == -1 ? SDL_WINDOWPOS_CENTERED : spec.x;
    const int y = spec.y == -1 ? SDL_WINDOWPOS_CENTERED : spec.y;
    m_window.reset(
        SDL_CreateWindow(ToHostText(spec.titleSjis).c_str(), x, y, spec.clientWidth, spec.clientHeight, flags));
    if (!m_window) {
        std::fprintf(stderr, "SDL: the window could not be opened: %s\n", SDL_GetError());
        return false;
    }
    m_renderer.reset(SDL_CreateRenderer(m_window.get(), -1, 0));
    if (!m_renderer) {
        m_renderer.reset(SDL_CreateRenderer(m_window.get(), -1, SDL_RENDERER_SOFTWARE));
    }
    if (!m_renderer) {
        std::fprintf(stderr, "SDL: no renderer for the window: %s\n", SDL_GetError());
        m_window.reset();
        return false;
    }
    // The game reads keys, not text: keep an input method from taking key presses.
    SDL_StopTextInput();
    m_hWnd = hWnd;
    // Windows activates a window when it is shown; announce it at the first Pump, when the
    // window's message queue surely exists. Focus events correct it from then on.
    m_active = true;
    m_announceActive = true;
    m_shownCount = 0;
    Present(true);
    return true;
}

void SdlHost::CloseWindow()
{
    m_texture.reset();
    m_renderer.reset();
    m_window.reset();
    m_textureW = 0;
    m_textureH = 0;
    m_hWnd = nullptr;
}

void SdlHost::SetTitle(const std::string& titleSjis)
{
    {
        std::lock_guard<std::mutex> lock(m_pendingMutex);
        m_pendingTitle = titleSjis;
    }
    if (IsMainThread()) {
        ApplyPendingWindowState();
    } else {
        Wake();
    }
}

void SdlHost::SetFullScreen(bool bFullScreen)
{
    {
        std::lock_guard<std::mutex> lock(m_pendingMutex);
        m_pendingFullScreen = bFullScreen;
    }
    if (IsMainThread()) {
        ApplyPendingWindowState();
    } else {
        Wake();
    }
}

void SdlHost::Pump()
{
    ApplyPendingWindowState();
    if (m_announceActive) {
        m_announceActive = false;
        PostToWindow(WM_ACTIVATEAPP, m_active ? 1 : 0, 0);
    }
    SDL_Event ev;
    while (SDL_PollEvent(&ev)) {
        HandleEvent(ev);
    }
    Present(false);
}

void SdlHost::WaitForEvents(DWORD timeoutMs)
{
    SDL_Event ev;
    const int got = timeoutMs == INFINITE
                        ? SDL_WaitEvent(&ev)
                        : SDL_WaitEventTimeout(&ev, static_cast<int>(std::min<DWORD>(timeoutMs, INT_MAX)));
    if (got) {
        HandleEvent(ev);
    }
    Present(false);
}

void SdlHost::Wake()
{
    // One wake event in the queue is enough; it is cleared when the main thread takes it, before
    // the caller looks at its message queue again, so no wake-up is lost.
    if (m_wakePending.exchange(true)) {
        return;
    }
    SDL_Event ev{};
    ev.type = m_wakeEventType;
    if (SDL_PushEvent(&ev) <= 0) {
        m_wakePending.store(false);
    }
}

bool SdlHost::WriteFrame(int width, int height, const FrameWriter& write)
{
    if (!m_frames.Write(width, height, write)) {
        return false;
    }
    Wake();
    return true;
}

HostFrame SdlHost::LastFrame() const
{
    return m_frames.Last();
}

unsigned SdlHost::FrameCount() const
{
    return m_frames.Count();
}

int SdlHost::ShowMessageBox(const std::string& textSjis, const std::string& captionSjis, UINT uType)
{
    const std::string text = ToHostText(textSjis);
    const std::string caption = ToHostText(captionSjis);
    const Uint32 both = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    SDL_MessageBoxButtonData buttons[2] = {{both, IDOK, "OK"}, {}};
    int count = 1;
    int closed = IDOK;  // the answer when the box is closed without a button, or cannot be shown
    if ((uType & 0x0F) == MB_YESNO) {
        buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"};
        buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"};
        count = 2;
        closed = IDNO;
    } else if ((uType & 0x0F) == MB_OKCANCEL) {
        buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDOK, "OK"};
        buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDCANCEL, "Cancel"};
        count = 2;
        closed = IDCANCEL;
    }
    SDL_MessageBoxData data{};
    data.flags = MessageBoxIconFlags(uType) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    data.window = m_window.get();
    data.title = caption.c_str();
    data.message = text.c_str();
    data.numbuttons = count;
    data.buttons = buttons;
    int hit = -1;
    if (SDL_ShowMessageBox(&data, &hit) != 0) {
        std::fprintf(stderr, "SDL: a message box could not be shown (%s): %s\n", SDL_GetError(), text.c_str());
        hit = -1;
    }
    return hit < 0 ? closed : hit;
}

void SdlHost::HandleEvent(const SDL_Event& ev)
{
    if (ev.type == m_wakeEventType) {
        m_wakePending.store(false);
        return;
    }
    switch (ev.type) {
    case SDL_QUIT: PostToWindow(WM_CLOSE, 0, 0); break;
    case SDL_WINDOWEVENT:
        if (m_window && ev.window.windowID == SDL_GetWindowID(m_window.get())) {
            HandleWindowEvent(ev.window);
        }
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: HandleKey(ev.key); break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        // The texture's contents are gone; upload the shown frame again.
        m_texture.reset();
        Present(true);
        break;
    default: break;
    }
}

void SdlHost::HandleWindowEvent(const SDL_WindowEvent& ev)
{
    switch (ev.event) {
    case SDL_WINDOWEVENT_CLOSE: PostToWindow(WM_CLOSE, 0, 0); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_RESTORED: SetActive(true); break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED: SetActive(false); break;
    case SDL_WINDOWEVENT_MOVED: {
        // SDL gives the client area's position, as WM_MOVE does: x in the low word, y in the high.
        const auto x = static_cast<std::uintptr_t>(ev.data1 & 0xFFFF);
        const auto y = static_cast<std::uintptr_t>(ev.data2 & 0xFFFF);
        PostToWindow(WM_MOVE, 0, static_cast<LPARAM>(x | (y << 16)));
        break;
    }
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED: Present(true); break;
    default: break;
    }
}

void SdlHost::HandleKey(const SDL_KeyboardEvent& key)
{
    const int vk = SdlScancodeToVk(key.keysym.scancode);
    if (vk == 0) {
        return;
    }
    const bool down = key.type == SDL_KEYDOWN;
    SetKeyState(vk, down);
    const int generic = GenericVk(vk);
    if (generic != vk) {
        // Shift, Ctrl and Alt stay down while either side is held.
        SetKeyState(generic, down || (GetAsyncKeyState(OtherSideVk(vk)) & 0x8000) != 0);
    }
    PostToWindow(down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(generic), KeyLParam(down, key.repeat != 0));
}

void SdlHost::SetActive(bool bActive)
{
    if (!bActive) {
        ReleaseAllKeys();
    }
    if (bActive != m_active) {
        m_active = bActive;
        PostToWindow(WM_ACTIVATEAPP, bActive ? 1 : 0, 0);
    }
}

void SdlHost::PostToWindow(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (m_hWnd != nullptr) {
        PostMessage(m_hWnd, uMsg, wParam, lParam);
    }
}

bool SdlHost::IsMainThread() const
{
    return std::this_thread::get_id() == m_mainThread;
}

void SdlHost::ApplyPendingWindowState()
{
    if (!m_window) {
        return;  // OpenWindow drops it: the spec it gets is newer
    }
    std::optional<std::string> title;
    std::optional<bool> fullScreen;
    {
        std::lock_guard<std::mutex> lock(m_pendingMutex);
        title.swap(m_pendingTitle);
        fullScreen.swap(m_pendingFullScreen);
    }
    if (title) {
        SDL_SetWindowTitle(m_window.get(), ToHostText(*title).c_str());
    }
    if (fullScreen && SDL_SetWindowFullscreen(m_window.get(), *fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        std::fprintf(stderr, "SDL: full screen could not be switched: %s\n", SDL_GetError());
    }
}

void SdlHost::Present(bool bAlways)
{
    if (!m_renderer) {
        return;
    }
    if (!UploadFrame() && !bAlways) {
        return;
    }
    int outW = 0;
    int outH = 0;
    SDL_GetRendererOutputSize(m_renderer.get(), &outW, &outH);
    const HostRect r = m_texture ? ScaledRect(outW, outH, m_textureW, m_textureH) : HostRect{};
    // The black bars only where the picture leaves some: a picture filling the window covers it.
    if (!m_texture || r.x != 0 || r.y != 0 || r.w != outW || r.h != outH) {
        SDL_SetRenderDrawColor(m_renderer.get(), 0, 0, 0, 255);
        SDL_RenderClear(m_renderer.get());
    }
    if (m_texture) {
        const SDL_Rect dst{r.x, r.y, r.w, r.h};
        SDL_RenderCopy(m_renderer.get(), m_texture.get(), nullptr, &dst);
    }
    SDL_RenderPresent(m_renderer.get());
}

bool SdlHost::UploadFrame()
{
    // Straight from the store into the texture: one copy of the pixels on this side.
    bool uploaded = false;
    m_frames.ReadIfNewer(m_shownCount, [this, &uploaded](const HostFrame& frame) { uploaded = Upload(frame); });
    return uploaded;
}

bool SdlHost::Upload(const HostFrame& frame)
{
    if (frame.pixels.empty()) {
        return false;
    }
    if (!m_texture || m_textureW != frame.width || m_textureH != frame.height) {
        m_texture.reset(SDL_CreateTexture(m_renderer.get(), SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                          frame.width, frame.height));
        m_textureW = m_texture ? frame.width : 0;
        m_textureH = m_texture ? frame.height : 0;
        if (!m_texture) {
            if (!m_textureFailureLogged) {
                m_textureFailureLogged = true;
                std::fprintf(stderr, "SDL: no %dx%d texture: %s\n", frame.width, frame.height, SDL_GetError());
            }
            return false;
        }
    }
    SDL_UpdateTexture(m_texture.get(), nullptr, frame.pixels.data(), frame.width * 4);
    return true;
}

HostFrame SdlHost::ShownPicture() const
{
    HostFrame shown;
    if (!m_renderer || SDL_GetRendererOutputSize(m_renderer.get(), &shown.width, &shown.height) != 0 ||
        shown.width <= 0 || shown.height <= 0) {
        return {};
    }
    shown.pixels.resize(static_cast<size_t>(shown.width) * shown.height);
    if (SDL_RenderReadPixels(m_renderer.get(), nullptr, SDL_PIXELFORMAT_RGB888, shown.pixels.data(), shown.width * 4) !=
        0) {
        return {};
    }
    for (std::uint32_t& p : shown.pixels) {
        p &= 0x00FFFFFFu;
    }
    return shown;
}

std::unique_ptr<Host> CreateSdlHost(std::string& error)
{
    return SdlHost::Create(error);
}

std::vector<int> SdlHost::TakeBackKeyboard()
{
    if (m_window) {
        SDL_RaiseWindow(m_window.get());
    }
    // SDL's own key table: keys let go while a dialog window had the focus read as up there,
    // though the main window never heard of it.
    int count = 0;
    const Uint8* held = SDL_GetKeyboardState(&count);
    std::vector<int> keys;
    for (int scancode = 0; held != nullptr && scancode < count; ++scancode) {
        const int vk = held[scancode] != 0 ? SdlScancodeToVk(static_cast<SDL_Scancode>(scancode)) : 0;
        if (vk == 0) {
            continue;
        }
        keys.push_back(vk);
        if (GenericVk(vk) != vk) {
            keys.push_back(GenericVk(vk));
        }
    }
    return keys;
}
