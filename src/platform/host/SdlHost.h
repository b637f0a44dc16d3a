// The host on a real display through SDL2. Everything that touches SDL's window, renderer or event
// queue runs on the main thread (the one that opens the window and calls Pump); WriteFrame, Wake,
// SetTitle and SetFullScreen may come from any thread and are handed over.
#pragma once

#include <SDL.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/host/FrameStore.h"
#include "platform/hostapi/Host.h"
#include "platform/win/WinTypes.h"

class SdlHost : public Host {
public:
    // Starts SDL's video and event subsystems; nullptr (with SDL's reason in `error`) when no
    // display can be opened. Call on the main thread.
    static std::unique_ptr<SdlHost> Create(std::string& error);
    ~SdlHost() override;

    bool OpenWindow(HWND hWnd, const HostWindowSpec& spec) override;
    void CloseWindow() override;
    void SetTitle(const std::string& titleSjis) override;
    void SetFullScreen(bool bFullScreen) override;

    void Pump() override;
    void WaitForEvents(DWORD timeoutMs) override;
    void Wake() override;

    bool WriteFrame(int width, int height, const FrameWriter& write) override;
    HostFrame LastFrame() const override;
    unsigned FrameCount() const override;

    int ShowMessageBox(const std::string& textSjis, const std::string& captionSjis, UINT uType) override;

    bool IsHeadless() const override { return false; }
    // Raises the main window with the input focus; the keys SDL sees held now.
    std::vector<int> TakeBackKeyboard() override;

    // Main thread, for tests: what the renderer last drew into the window (0x00RRGGBB at the
    // renderer's output size); empty without a window or when the renderer cannot read it back.
    HostFrame ShownPicture() const;

private:
    struct WindowDeleter {
        void operator()(SDL_Window* p) const { SDL_DestroyWindow(p); }
    };
    struct RendererDeleter {
        void operator()(SDL_Renderer* p) const { SDL_DestroyRenderer(p); }
    };
    struct TextureDeleter {
        void operator()(SDL_Texture* p) const { SDL_DestroyTexture(p); }
    };

    explicit SdlHost(Uint32 wakeEventType);

    void HandleEvent(const SDL_Event& ev);
    void HandleWindowEvent(const SDL_WindowEvent& ev);
    void HandleKey(const SDL_KeyboardEvent& key);
    void SetActive(bool bActive);
    void PostToWindow(UINT uMsg, WPARAM wParam, LPARAM lParam);
    bool IsMainThread() const;
    void ApplyPendingWindowState();
    // Uploads the newest submitted frame when there is one; with bAlways, presents even when not.
    void Present(bool bAlways);
    bool UploadFrame();
    // Main thread: frame into the texture, made or remade at its size; false when it cannot be.
    bool Upload(const HostFrame& frame);

    const Uint32 m_wakeEventType;
    std::atomic<bool> m_wakePending{false};
    FrameStore m_frames;

    // Main thread only.
    std::thread::id m_mainThread;
    HWND m_hWnd = nullptr;
    std::unique_ptr<SDL_Window, WindowDeleter> m_window;
    std::unique_ptr<SDL_Renderer, RendererDeleter> m_renderer;
    std::unique_ptr<SDL_Texture, TextureDeleter> m_texture;
    int m_textureW = 0;
    int m_textureH = 0;
    bool m_textureFailureLogged = false;
    unsigned m_shownCount = 0;
    bool m_active = false;
    bool m_announceActive = false;

    // Window changes asked for from other threads, applied by the next Pump.
    std::mutex m_pendingMutex;
    std::optional<std::string> m_pendingTitle;
    std::optional<bool> m_pendingFullScreen;
};
