#include "platform/host/HeadlessHost.h"

#include <chrono>

#include "platform/win/MessageBox.h"
#include "platform/win/Threads.h"

bool HeadlessHost::OpenWindow(HWND hWnd, const HostWindowSpec& spec)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_hWnd = hWnd;
    m_spec = spec;
    m_open = true;
    return true;
}

void HeadlessHost::CloseWindow()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_hWnd = nullptr;
    m_open = false;
}

void HeadlessHost::SetTitle(const std::string& titleSjis)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_spec.titleSjis = titleSjis;
}

void HeadlessHost::SetFullScreen(bool bFullScreen)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_spec.fullScreen = bFullScreen;
}

void HeadlessHost::Pump()
{}

void HeadlessHost::WaitForEvents(DWORD timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    auto woken = [this] { return m_woken; };
    if (timeoutMs == INFINITE) {
        m_wake.wait(lock, woken);
    } else {
        m_wake.wait_for(lock, std::chrono::milliseconds(timeoutMs), woken);
    }
    m_woken = false;
}

void HeadlessHost::Wake()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_woken = true;
    }
    m_wake.notify_all();
}

bool HeadlessHost::WriteFrame(int width, int height, const FrameWriter& write)
{
    return m_frames.Write(width, height, write);
}

HostFrame HeadlessHost::LastFrame() const
{
    return m_frames.Last();
}

unsigned HeadlessHost::FrameCount() const
{
    return m_frames.Count();
}

int HeadlessHost::ShowMessageBox(const std::string&, const std::string&, UINT uType)
{
    return (uType & 0x0F) == MB_YESNO ? IDYES : IDOK;
}

HostWindowSpec HeadlessHost::WindowSpec() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_spec;
}

bool HeadlessHost::IsWindowOpen() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_open;
}

HWND HeadlessHost::Window() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_hWnd;
}

std::unique_ptr<Host> CreateHeadlessHost()
{
    return std::make_unique<HeadlessHost>();
}
