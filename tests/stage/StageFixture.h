// Shared by the stage-play tests: a main window on the test thread that records the sounds asked
// of it (WM_USER+5) and counts WM_CLOSE, and a play harness over the minimal game whose stage the
// test adjusts before the game is written.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/AppGlobals.h"
#include "platform/win/Keyboard.h"
#include "platform/win/Messages.h"
#include "support/GameFolderWriter.h"
#include "support/PlayHarness.h"

namespace stagetest {

inline std::vector<WPARAM>& RecordedSounds()
{
    static std::vector<WPARAM> sounds;
    return sounds;
}

// The music requests (WM_USER+6): slot and music number.
inline std::vector<std::pair<WPARAM, LPARAM>>& RecordedMusic()
{
    static std::vector<std::pair<WPARAM, LPARAM>> music;
    return music;
}

inline LRESULT SoundRecordingProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_USER + 5) {
        RecordedSounds().push_back(wParam);
        return 0;
    }
    if (uMsg == WM_USER + 6) {
        RecordedMusic().emplace_back(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

// Button bits of controller 0.
constexpr SHORT kDecide = 1;
constexpr SHORT kCancel = 2;

class StageFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetMessagesForTest();
        RegisterClassA("QbStageTestWindow", SoundRecordingProc);
        m_hWnd = CreateWindowExA(0, "QbStageTestWindow", "test", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr);
        hWndMain = m_hWnd;
        RecordedSounds().clear();
        RecordedMusic().clear();
        ReleaseAllKeys();
        spec = testsupport::MinimalGame();
    }
    void TearDown() override
    {
        harness.reset();
        ReleaseAllKeys();
        hWndMain = nullptr;
        DestroyWindow(m_hWnd);
        ResetMessagesForTest();
    }

    // Stage header value by member name (before Load).
    void SetHeader(const std::string& name, double value) { spec.stages.front().stage.header[name] = value; }
    testsupport::StageSpec& StageSpecOf() { return spec.stages.front().stage; }

    // Writes and loads the game; enters the stage (true when its set-up succeeded).
    bool Load()
    {
        harness = std::make_unique<testsupport::PlayHarness>(spec);
        return harness->Loaded();
    }
    bool LoadAndEnter() { return Load() && harness->Enter(); }

    cSceneStage& Scene() { return harness->Scene(); }
    int TakePosted(UINT uMsg)
    {
        int count = 0;
        MSG msg;
        while (PeekMessage(&msg, m_hWnd, 0, 0, PM_REMOVE)) {
            count += msg.message == uMsg ? 1 : 0;
        }
        return count;
    }
    // n frames of one pad word, then nothing.
    static std::vector<testsupport::PadFrame> Hold(int n, SHORT buttons, SHORT dir = 0)
    {
        return std::vector<testsupport::PadFrame>(static_cast<std::size_t>(n), testsupport::PadFrame{dir, buttons});
    }

    testsupport::GameSpec spec;
    std::unique_ptr<testsupport::PlayHarness> harness;
    HWND m_hWnd = nullptr;
};

}  // namespace stagetest
