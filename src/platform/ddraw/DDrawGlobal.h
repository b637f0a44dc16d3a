// State shared by every DirectDraw object of the process: the one lock that makes each call
// atomic, the list of live surfaces, the video-memory account, the test switches and the count of
// visible images. Internal to the stand-in.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/ddraw/DDrawTestHooks.h"
#include "platform/hostapi/Host.h"

struct DDrawGlobal {
    std::mutex mutex;                            // held by every DirectDraw call while it runs
    std::condition_variable busyEnded;           // signalled when a lock or a surface DC ends
    std::vector<IDirectDrawSurface7*> surfaces;  // every live surface
    size_t liveObjects = 0;                      // DirectDraw objects, surfaces, palettes, clippers
    size_t videoBudget = kDefaultVideoMemoryBytes;
    size_t videoUsed = 0;
    bool use555 = false;
    bool faults[static_cast<int>(DDrawFault::Count)] = {};
    unsigned visibleCount = 0;
    int nextBufferId = 1;
};

DDrawGlobal& DDraw();
using DDrawLock = std::unique_lock<std::mutex>;

// True when the test switch for fault is on.
bool DDrawFaultOn(DDrawFault fault);

// Waits (the calling thread sleeps) until the next 60 Hz vertical blank of timeGetTime: blanks
// fall at floor(k x 1000 / 60) ms. Call without the lock held.
void DDrawWaitForVBlank();

// Counts a visible image of width x height and has compose write it into the host's frame
// storage. Call with the lock held, so that the picture cannot change while it is composed.
void DDrawPublishVisibleLocked(int width, int height, const FrameWriter& compose);
