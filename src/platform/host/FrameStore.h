// The newest finished frame, handed over from the drawing thread to whoever shows or inspects it.
//
// Two buffers take turns: a writer fills the spare one in place while the newest one may be read
// (uploaded to the screen), then the two change places under the lock. After the first frames of
// a size, handing a frame over allocates nothing and copies nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>

#include "platform/hostapi/Host.h"

class FrameStore {
public:
    // Any thread: write fills a width x height frame in the spare buffer, which then becomes the
    // newest frame and is counted. False (write not called) for a side outside
    // 1..Host::kMaxFrameSide. Writers take turns; readers wait only for the exchange.
    bool Write(int width, int height, const FrameWriter& write);

    // Any thread: a copy of the newest frame; empty before the first.
    HostFrame Last() const;
    // Any thread: the number of frames accepted so far.
    unsigned Count() const;

    // Any thread: hands the newest frame to read, under the store's lock, when it is newer than
    // `seenCount` (a Count() value from an earlier call), then sets `seenCount` to the current
    // count; false when there is nothing newer. read must not call back into the store; a
    // finished Write waits while it runs, so it should only copy the pixels out.
    bool ReadIfNewer(unsigned& seenCount, const std::function<void(const HostFrame&)>& read) const;

private:
    std::mutex m_writeMutex;  // held by a writer for its whole Write
    HostFrame m_spare;        // the buffer being written; only under m_writeMutex

    mutable std::mutex m_mutex;  // guards what follows
    HostFrame m_newest;
    unsigned m_count = 0;
};
