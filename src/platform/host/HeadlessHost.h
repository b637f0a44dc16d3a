// The host without a screen, speakers or input devices: tests, CI and QB_HEADLESS=1 runs.
// Frames are kept in memory; the window is only recorded; message boxes answer at once (their
// recording and scripted answers are done by MessageBoxA before it reaches the host).
#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/host/FrameStore.h"
#include "platform/hostapi/Host.h"
#include "platform/win/WinTypes.h"

class HeadlessHost : public Host {
public:
    // Always succeeds and records the spec.
    bool OpenWindow(HWND hWnd, const HostWindowSpec& spec) override;
    void CloseWindow() override;
    void SetTitle(const std::string& titleSjis) override;
    void SetFullScreen(bool bFullScreen) override;

    // Nothing to do without devices.
    void Pump() override;
    // Blocks on a condition variable until Wake() or the timeout (INFINITE waits for Wake()).
    // A Wake() that came while nobody waited ends the next wait at once.
    void WaitForEvents(DWORD timeoutMs) override;
    void Wake() override;

    bool WriteFrame(int width, int height, const FrameWriter& write) override;
    HostFrame LastFrame() const override;
    unsigned FrameCount() const override;

    // IDYES for Yes/No boxes, IDOK otherwise.
    int ShowMessageBox(const std::string& textSjis, const std::string& captionSjis, UINT uType) override;

    bool IsHeadless() const override { return true; }
    // No keyboard: nothing is held.
    std::vector<int> TakeBackKeyboard() override { return {}; }
    // False when the process was started with QB_UNPACED (read once, when the host is made).
    bool KeepsFramePace() const override { return m_bPaced; }

    // For tests: the window as last opened and changed since (title, full screen).
    HostWindowSpec WindowSpec() const;
    bool IsWindowOpen() const;
    HWND Window() const;

private:
    FrameStore m_frames;
    const bool m_bPaced = !UnpacedRequested();  // fixed for the host's life

    mutable std::mutex m_mutex;  // guards everything below
    std::condition_variable m_wake;
    bool m_woken = false;
    HostWindowSpec m_spec;
    HWND m_hWnd = nullptr;
    bool m_open = false;
};
