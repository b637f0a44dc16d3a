// What the key-input conditions read of an input controller: its 19 press logs (10 direction
// logs, then 9 button logs), each a list of runs newest first. The controller's own class
// provides it; tests provide scripted logs. Read on the game thread.
#pragma once

#include <cstdint>

class cKeyLogView {
public:
    // Logs 0..9 are the direction logs 0..9, logs 10..18 the button logs 0..8.
    static constexpr int kLogCount = 19;

    virtual ~cKeyLogView() = default;
    // Number of runs of log nLog (32 for a controller's logs; 0 for a log that does not exist).
    virtual int RunCount(int nLog) const = 0;
    // Run nRun (0 = newest) of log nLog: pressed flag (0/1) and length in frames. Callers stay
    // inside 0 .. RunCount - 1.
    virtual std::int32_t RunPressed(int nLog, int nRun) const = 0;
    virtual std::int32_t RunLength(int nLog, int nRun) const = 0;
};
