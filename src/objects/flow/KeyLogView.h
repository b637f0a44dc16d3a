// What the key-input conditions read of an input controller: its 19 press logs (10 direction
// logs, then 9 button logs), each a list of runs newest first. The controller's own class
// provides it; tests provide scripted logs. Read on the game thread.
#pragma once

#include <cstdint>
#include <span>

#include "input/KeyLogRun.h"

class cKeyLogView {
public:
    // Logs 0..9 are the direction logs 0..9, logs 10..18 the button logs 0..8.
    static constexpr int kLogCount = 19;

    virtual ~cKeyLogView() = default;
    // The runs of log nLog, newest first, in one array (32 for a controller's logs; none for a
    // log that does not exist). A key sequence is searched back through them run by run, so the
    // whole log is handed over at once instead of one run per call.
    virtual std::span<const KEYLOGRUN> Runs(int nLog) const = 0;

    // Number of runs of log nLog.
    int RunCount(int nLog) const { return static_cast<int>(Runs(nLog).size()); }
    // Run nRun (0 = newest) of log nLog: pressed flag (0/1) and length in frames. Callers stay
    // inside 0 .. RunCount - 1.
    std::int32_t RunPressed(int nLog, int nRun) const { return Runs(nLog)[static_cast<std::size_t>(nRun)].pressed; }
    std::int32_t RunLength(int nLog, int nRun) const { return Runs(nLog)[static_cast<std::size_t>(nRun)].length; }
};
