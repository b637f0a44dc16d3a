// Shared by the tests of the Windows stand-in's messages, threads and boxes: a host that counts
// what the stand-in asks of it, and a fixture that starts every test from a clean stand-in.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/hostapi/Host.h"
#include "platform/win/HostLink.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"
#include "platform/win/Threads.h"
#include "platform/win/Time.h"

// A host without devices that records the calls. Its Wake is sticky, as the real hosts' are.
class CountingHost : public Host {
public:
    bool OpenWindow(HWND hWnd, const HostWindowSpec& spec) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        openedFor = hWnd;
        openedSpec = spec;
        ++opens;
        return openSucceeds;
    }
    void CloseWindow() override { ++closes; }
    void SetTitle(const std::string& titleSjis) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        title = titleSjis;
    }
    void SetFullScreen(bool bFullScreen) override { fullScreen = bFullScreen; }
    void Pump() override
    {
        ++pumps;
        if (onPump) {
            onPump();
        }
    }
    void WaitForEvents(DWORD timeoutMs) override
    {
        ++waits;
        std::unique_lock<std::mutex> lock(m_mutex);
        m_wake.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_woken; });
        m_woken = false;
    }
    void Wake() override
    {
        ++wakes;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_woken = true;
        }
        m_wake.notify_all();
    }
    // Frames are written into a scratch buffer and forgotten.
    bool WriteFrame(int width, int height, const FrameWriter& write) override
    {
        if (width <= 0 || height <= 0) {
            return false;
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        m_frame.resize(static_cast<size_t>(width) * height);
        write(m_frame.data());
        return true;
    }
    HostFrame LastFrame() const override { return {}; }
    unsigned FrameCount() const override { return 0; }
    int ShowMessageBox(const std::string& textSjis, const std::string&, UINT) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        boxTexts.push_back(textSjis);
        return screenAnswer;
    }
    bool IsHeadless() const override { return headless; }
    std::vector<int> TakeBackKeyboard() override
    {
        ++keyboardTakes;
        return heldKeys;
    }

    HostWindowSpec Spec()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return openedSpec;
    }
    std::string Title()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return title;
    }
    std::vector<std::string> BoxTexts()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return boxTexts;
    }

    // Set before use.
    bool openSucceeds = true;
    bool headless = true;
    int screenAnswer = IDOK;
    std::function<void()> onPump;  // runs on the main thread inside Pump
    std::vector<int> heldKeys;     // the keys TakeBackKeyboard reports held

    // Read after use.
    HWND openedFor = nullptr;
    std::atomic<int> opens{0};
    std::atomic<int> closes{0};
    std::atomic<bool> fullScreen{false};
    std::atomic<int> pumps{0};
    std::atomic<int> waits{0};
    std::atomic<int> wakes{0};
    std::atomic<int> keyboardTakes{0};

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_woken = false;
    HostWindowSpec openedSpec;
    std::string title;
    std::vector<std::string> boxTexts;
    std::vector<std::uint32_t> m_frame;
};

// Window procedures for the tests: WindowProc<N> forwards to Handler<N>(), which a test sets before
// it creates the window (and leaves alone while other threads may call it).
using WindowHandler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
template <int N>
WindowHandler& Handler()
{
    static WindowHandler handler;
    return handler;
}
template <int N>
LRESULT WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    WindowHandler& handler = Handler<N>();
    return handler ? handler(hWnd, uMsg, wParam, lParam) : DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

// Bound for every wait in these tests: long enough never to be reached when things work.
constexpr DWORD kTestBoundMs = 5000;

class StandInTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        standin::UseHostForTest(&host);
        Handler<0>() = nullptr;
        Handler<1>() = nullptr;
        ResetMessagesForTest();
        ClearRecordedMessageBoxes();
        ScriptMessageBoxAnswers({});
        SetMessageBoxOpenHook(nullptr);
    }

    void TearDown() override
    {
        for (HANDLE h : m_handles) {
            if (WaitForSingleObject(h, 0) == WAIT_TIMEOUT) {
                TerminateThread(h, 0);
                ADD_FAILURE() << "a test thread was still running at the end of the test";
            }
            WaitForSingleObject(h, kTestBoundMs);
            CloseHandle(h);
        }
        SetMessageBoxOpenHook(nullptr);
        ScriptMessageBoxAnswers({});
        ResetMessagesForTest();
        standin::UseHostForTest(nullptr);
        Handler<0>() = nullptr;
        Handler<1>() = nullptr;
    }

    // Starts fn on a stand-in thread; the fixture closes the handle at the end of the test.
    HANDLE Start(std::function<unsigned()> fn, DWORD* id = nullptr, unsigned flags = 0)
    {
        m_bodies.push_back(std::make_unique<std::function<unsigned()>>(std::move(fn)));
        DWORD ignored = 0;
        HANDLE h = BeginThread(&RunBody, m_bodies.back().get(), flags, id != nullptr ? id : &ignored);
        if (h != nullptr) {
            m_handles.push_back(h);
        }
        return h;
    }

    // Waits (serving sent messages) for the thread to end; its exit code.
    static DWORD Finish(HANDLE h)
    {
        EXPECT_EQ(WaitForSingleObject(h, kTestBoundMs), WAIT_OBJECT_0);
        DWORD code = 0;
        EXPECT_TRUE(GetExitCodeThread(h, &code));
        return code;
    }

    // Polls cond every millisecond of real time; false when it did not hold within the bound.
    static bool Eventually(const std::function<bool()>& cond)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTestBoundMs);
        while (!cond()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    // Registers a class (once per test) and creates a top-level window of it on this thread.
    static HWND MakeWindow(const char* cls, WNDPROC proc, const char* title = "main", DWORD style = WS_OVERLAPPEDWINDOW)
    {
        RegisterClassA(cls, proc);
        return CreateWindowExA(0, cls, title, style, 100, 100, 640, 480, nullptr);
    }

    CountingHost host;

private:
    static unsigned RunBody(void* p) { return (*static_cast<std::function<unsigned()>*>(p))(); }

    std::vector<std::unique_ptr<std::function<unsigned()>>> m_bodies;
    std::vector<HANDLE> m_handles;
};
