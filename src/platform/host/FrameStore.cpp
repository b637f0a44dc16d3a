#include "platform/host/FrameStore.h"

#include <utility>

bool FrameStore::Write(int width, int height, const FrameWriter& write)
{
    if (width <= 0 || height <= 0 || width > Host::kMaxFrameSide || height > Host::kMaxFrameSide) {
        return false;
    }
    std::lock_guard<std::mutex> writing(m_writeMutex);
    m_spare.width = width;
    m_spare.height = height;
    m_spare.pixels.resize(static_cast<size_t>(width) * height);  // keeps the storage of a frame ago
    write(m_spare.pixels.data());
    std::lock_guard<std::mutex> lock(m_mutex);
    std::swap(m_spare, m_newest);
    ++m_count;
    return true;
}

HostFrame FrameStore::Last() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_newest;
}

unsigned FrameStore::Count() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_count;
}

bool FrameStore::ReadIfNewer(unsigned& seenCount, const std::function<void(const HostFrame&)>& read) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_count == seenCount) {
        return false;
    }
    seenCount = m_count;
    read(m_newest);
    return true;
}
