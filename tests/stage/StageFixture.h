// Shared by the stage-play tests: a main window on the test thread that records the sounds and the
// music asked of it and counts WM_CLOSE, and a play harness over the minimal game whose stage the
// test adjusts before the game is written.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/AppGlobals.h"
#include "core/MainWindowRequests.h"
#include "input/cInput.h"
#include "platform/win/Keyboard.h"
#include "platform/win/Messages.h"
#include "support/GameFolderWriter.h"
#include "support/PlayHarness.h"
#include "support/TestMainWindow.h"

namespace stagetest {

// A move record that neither mirrors nor turns with the facing.
inline testsupport::MoveSpec PlainMove(int nDirection, int nSpeed)
{
    testsupport::MoveSpec move;
    move.direction = static_cast<std::int8_t>(nDirection);
    move.speed = static_cast<std::int16_t>(nSpeed);
    move.mirrorAngle = 0;
    move.mirrorX = 0;
    move.followFacing = 0;
    move.arriveEnds = 0;
    return move;
}

inline std::vector<WPARAM>& RecordedSounds()
{
    static std::vector<WPARAM> sounds;
    return sounds;
}

// The music requests: slot and music number.
inline std::vector<std::pair<WPARAM, LPARAM>>& RecordedMusic()
{
    static std::vector<std::pair<WPARAM, LPARAM>> music;
    return music;
}

inline LRESULT SoundRecordingProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_PLAYSE) {
        RecordedSounds().push_back(wParam);
        return 0;
    }
    if (uMsg == WM_PLAYBGM) {
        RecordedMusic().emplace_back(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

class StageFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window.emplace(SoundRecordingProc);
        RecordedSounds().clear();
        RecordedMusic().clear();
        ReleaseAllKeys();
        spec = testsupport::MinimalGame();
    }
    void TearDown() override
    {
        harness.reset();
        ReleaseAllKeys();
        m_window.reset();
    }

    // Stage header value by member name (before Load).
    void SetHeader(const std::string& name, double value) { spec.stages.front().stage.header[name] = value; }
    testsupport::StageSpec& StageSpecOf() { return spec.stages.front().stage; }

    // Writes and loads the game; enters the stage (true when its set-up succeeded).
    bool Load()
    {
        // The old harness goes first: its end resets the game's globals, which must not wipe the
        // new one's stage.
        harness.reset();
        harness = std::make_unique<testsupport::PlayHarness>(spec);
        return harness->Loaded();
    }
    bool LoadAndEnter() { return Load() && harness->Enter(); }

    cSceneStage& Scene() { return harness->Scene(); }
    int TakePosted(UINT uMsg) { return m_window->TakePosted(uMsg); }
    // n frames of one pad word, then nothing.
    static std::vector<testsupport::PadFrame> Hold(int n, SHORT buttons, SHORT dir = 0)
    {
        return std::vector<testsupport::PadFrame>(static_cast<std::size_t>(n), testsupport::PadFrame{dir, buttons});
    }

    testsupport::GameSpec spec;
    std::unique_ptr<testsupport::PlayHarness> harness;
    std::optional<testsupport::TestMainWindow> m_window;
};

}  // namespace stagetest
