#include "platform/host/FrameStore.h"

#include <algorithm>

bool FrameStore::Put(const std::uint32_t* pixels, int width, int height, int pitch)
{
    if (pixels == nullptr || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || pitch < width) {
        return false;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_frame.width = width;
    m_frame.height = height;
    m_frame.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + static_cast<size_t>(y) * pitch;
        std::copy(row, row + width, m_frame.pixels.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    ++m_count;
    return true;
}

HostFrame FrameStore::Last() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_frame;
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
    read(m_frame);
    return true;
}
