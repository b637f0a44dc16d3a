#include "graphics/FrameTiming.h"

#include <cstdint>

#include "graphics/BackEnd.h"
#include "graphics/TextOutAscii.h"
#include "platform/win/Time.h"

namespace {

// Milliseconds from then to now, negative when then lies ahead; correct across the wrap of
// timeGetTime as long as the two are less than 24 days apart.
std::int32_t Since(DWORD dwThen, DWORD dwNow)
{
    return static_cast<std::int32_t>(dwNow - dwThen);
}

// A schedule of rate frames per second: frame g of the current second is due at base + g x the
// frame time (as a double: 16.67 ms at 60).
struct FrameSchedule {
    bool bStarted = false;
    int nRate = 0;
    DWORD dwBase = 0;
    int nFrame = 0;

    // Starts a new second at now on the first call and when the rate changes.
    void Anchor(int rate, DWORD now)
    {
        if (bStarted && rate == nRate) return;
        bStarted = true;
        nRate = rate;
        dwBase = now;
        nFrame = 0;
    }
    bool IsDue(DWORD now) const { return (1000.0 / nRate) * nFrame <= Since(dwBase, now); }
};

// A ring of 16 samples whose average is renewed each time the ring is full.
struct SampleRing {
    DWORD samples[16] = {};
    int nPos = 0;
    DWORD dwAverage = 0;

    void Add(DWORD value)
    {
        samples[nPos++] = value;
        if (nPos < 16) return;
        nPos = 0;
        DWORD sum = 0;
        for (DWORD s : samples) sum += s;
        dwAverage = sum >> 4;
    }
};

struct Stopwatch {
    DWORD dwStart = 0;
    DWORD dwSpan = 1;
};

struct FpsCounter {
    bool bStarted = false;
    DWORD dwStart = 0;
    int nCount = 0;
    int nPublished = 0;
};

struct D3DLimiter {
    FrameSchedule schedule;
    SampleRing workTime;
    SampleRing frames;
    bool bSampleDue = true;
};

// The DirectDraw limiter: a frame is due at the deadline, and each granted frame sets the next
// deadline 1000 / rate ms (integer division: 16 ms at 60) after the moment it was granted.
struct FrameDeadline {
    bool bStarted = false;
    DWORD dwDue = 0;
};

struct TimingState {
    Stopwatch stopwatch;
    FpsCounter fps;
    int nOneSecond = 0;
    FrameDeadline ddDeadline;
    D3DLimiter d3d;
};

TimingState& Timing()
{
    static TimingState state;
    return state;
}

// The overlay of the Direct3D limiter: averages of the frame rate and of the work time, the base
// of the current second and the frame number within it.
void DrawTimingOverlay(DDSURFACEDATA* lpSheet)
{
    const D3DLimiter& l = Timing().d3d;
    DDPrintfAscii(&BackBuffer, 0, 16, 8, 16, lpSheet, "FPS-Ave %u(%u)\ndwTime_OneSec %u\nnFrameCt_OneSec %u",
                  static_cast<unsigned>(l.frames.dwAverage), static_cast<unsigned>(l.workTime.dwAverage),
                  static_cast<unsigned>(l.schedule.dwBase), static_cast<unsigned>(l.schedule.nFrame));
}

}  // namespace

void StartTimeCount()
{
    Timing().stopwatch.dwStart = timeGetTime();
}

DWORD GetTimeCount(int bMeasure)
{
    Stopwatch& s = Timing().stopwatch;
    if (bMeasure) s.dwSpan = timeGetTime() - s.dwStart;
    return s.dwSpan;
}

int GetFPS(int bCount)
{
    FpsCounter& f = Timing().fps;
    const DWORD now = timeGetTime();
    if (!f.bStarted) {
        f.bStarted = true;
        f.dwStart = now;
    }
    if (Since(f.dwStart, now) >= 1000) {
        f.nPublished = f.nCount;
        f.nCount = 0;
        f.dwStart = now;
    } else if (bCount) {
        ++f.nCount;
    }
    return f.nPublished;
}

BOOL CheckOneSecond(int nMode, int n)
{
    int& counter = Timing().nOneSecond;
    if (nMode == 0) {
        counter = 0;
        return FALSE;
    }
    if (nMode == 2) return counter == 0 ? TRUE : FALSE;
    if (++counter < n) return FALSE;
    counter = 0;
    return TRUE;
}

BOOL CheckFrameTimeDD(int nFrameRate)
{
    if (nFrameRate <= 0 || !FramePaceKept()) return TRUE;
    FrameDeadline& d = Timing().ddDeadline;
    const DWORD now = timeGetTime();
    if (d.bStarted && Since(d.dwDue, now) < 0) return FALSE;
    // Games made for this mode were timed on this pace (62.5 frames a second at 60), so the
    // deadline follows the granted frame, not an exact schedule.
    d.bStarted = true;
    d.dwDue = now + static_cast<DWORD>(1000 / nFrameRate);
    return TRUE;
}

BOOL CheckFrameTimeD3D(int nFrameRate, int bShow, DDSURFACEDATA* lpSheet)
{
    if (!lpDTCon || nFrameRate <= 0) return TRUE;
    D3DLimiter& l = Timing().d3d;
    l.schedule.Anchor(nFrameRate, timeGetTime());
    const bool bOverlay = bShow && lpSheet != nullptr;
    if (bOverlay && l.bSampleDue) {
        l.bSampleDue = false;
        l.workTime.Add(GetTimeCount(0));
        l.frames.Add(static_cast<DWORD>(GetFPS(0)));
    }
    const DWORD now = timeGetTime();
    if (FramePaceKept() && !l.schedule.IsDue(now)) return FALSE;
    if (++l.schedule.nFrame >= nFrameRate) {
        l.schedule.nFrame = 0;
        l.schedule.dwBase = now;
    }
    if (bOverlay) {
        DrawTimingOverlay(lpSheet);
        l.bSampleDue = true;
    }
    return TRUE;
}

void ResetFrameTimingForTest()
{
    Timing() = TimingState{};
}
