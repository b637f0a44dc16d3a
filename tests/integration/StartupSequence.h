// The start-up and shutdown of the lower half of the player (core, graphics, sound, definitions,
// project data) in the order the shell runs them, for the integration tests. Until the shell
// exists this is the shell's part: the steps that belong to it (System.ini, the user's options,
// the start-up dialog, stage play) are left out or replaced by fixed values, as noted at each
// step.
#pragma once

#include <string>

#include "platform/win/WinTypes.h"

namespace integration {

// The drawing back-end and depth to start with (what "System.ini" would say).
struct BackEndConfig {
    const char* name;
    int bDirect3D;
    int nBpp;
    int bWindowMode;
};

// Runs on the test's thread, which is the main thread: it owns the main window hWnd.
class StartupSequence {
public:
    StartupSequence(HWND hWnd, const BackEndConfig& config);

    // The entry point's first steps: the trace log off, the report log "Report_Game.txt" (made
    // absolute) created, the version line and the machine report. False when the report log
    // cannot be created.
    bool OpenLogs();
    // The start-up proper, stopping at the first step that fails (its message shown and logged
    // as the start-up shows it). startStage is the stage given at start ("" for none), as the
    // command line gives it. True when everything was built.
    bool InitGame(const std::string& startStage);
    // Releases what InitGame built, in the shutdown order; safe after a partial start-up.
    void UnInitGame();

    // The step InitGame stopped at ("" after a success), for failure messages.
    const std::string& FailedStep() const { return m_failedStep; }

private:
    bool Fail(const char* step);
    bool DataFolder();
    bool Databases();
    bool Settings();
    bool Graphics();
    bool Sound();
    bool WorldMapAndPalette();
    bool StartStage(const std::string& startStage);

    HWND m_hWnd;
    BackEndConfig m_config;
    std::string m_failedStep;
    bool m_timerPeriod = false;
};

}  // namespace integration
