// The newest finished frame, handed over from the drawing thread to whoever shows or inspects it.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>

#include "platform/hostapi/Host.h"

class FrameStore {
public:
    // Largest accepted width or height in pixels; bigger frames are refused.
    static constexpr int kMaxSide = 8192;

    // Any thread: copies a frame of 0x00RRGGBB pixels (pitch in pixels, >= width) and counts it.
    // Returns false and keeps nothing for a null buffer or a size outside 1..kMaxSide.
    bool Put(const std::uint32_t* pixels, int width, int height, int pitch);

    // Any thread: a copy of the newest frame; empty before the first.
    HostFrame Last() const;
    // Any thread: the number of frames accepted so far.
    unsigned Count() const;

    // Any thread: hands the newest frame to read, under the store's lock, when it is newer than
    // `seenCount` (a Count() value from an earlier call), then sets `seenCount` to the current
    // count; false when there is nothing newer. read must not call back into the store; Put
    // waits while it runs, so it should only copy the pixels out.
    bool ReadIfNewer(unsigned& seenCount, const std::function<void(const HostFrame&)>& read) const;

private:
    mutable std::mutex m_mutex;
    HostFrame m_frame;
    unsigned m_count = 0;
};
