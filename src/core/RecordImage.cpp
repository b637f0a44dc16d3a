#include "core/RecordImage.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <new>
#include <vector>

#include "platform/win/ReadStream.h"
#include "platform/win/ThreadLock.h"

namespace {

// The images whose stream is open. Streams are opened and closed on any thread, one load at a
// time per thread. Never destroyed, so that a file closed while the program ends is still found.
struct OpenImages {
    ThreadLock mutex;
    std::vector<RecordImage*> images;
};
OpenImages& AllOpenImages()
{
    static OpenImages* const all = new OpenImages;
    return *all;
}

}  // namespace

// The stream's callbacks: reads and seeks move the image's one read position.
struct RecordImageStream {
    static std::size_t Read(void* cookie, char* buffer, std::size_t size)
    {
        return static_cast<RecordImage*>(cookie)->Read(buffer, size);
    }

    // As a file: any position from 0 on, also past the end (reads there find nothing).
    static bool Seek(void* cookie, std::int64_t& offset, int whence)
    {
        auto* image = static_cast<RecordImage*>(cookie);
        std::int64_t base = 0;
        switch (whence) {
        case SEEK_SET: break;
        case SEEK_CUR: base = static_cast<std::int64_t>(image->m_position); break;
        case SEEK_END: base = static_cast<std::int64_t>(image->m_size); break;
        default: errno = EINVAL; return false;
        }
        if (offset < -base) {
            errno = EINVAL;
            return false;
        }
        if (offset > LONG_MAX - base) {
            errno = EOVERFLOW;
            return false;
        }
        image->m_position = static_cast<std::size_t>(base + offset);
        offset = static_cast<std::int64_t>(image->m_position);
        return true;
    }

    static void Close(void* cookie)
    {
        auto* image = static_cast<RecordImage*>(cookie);
        {
            OpenImages& open = AllOpenImages();
            ThreadLockHolder lock(open.mutex);
            std::erase(open.images, image);
            RecordImage::generation.fetch_add(1, std::memory_order_acq_rel);
        }
        delete image;
    }
};

FILE* RecordImage::Open(FILE* file, std::size_t size)
{
    if (size > kMaxRecordImageBytes || std::fseek(file, 0, SEEK_SET) != 0) {
        return nullptr;
    }
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[std::max<std::size_t>(size, 1)]);
    if (!bytes || std::fread(bytes.get(), 1, size, file) != size) {
        // The file could not be read whole (or changed size meanwhile): it stays open for
        // reading as it lies on disk.
        std::clearerr(file);
        std::fseek(file, 0, SEEK_SET);
        return nullptr;
    }
    auto* image = new (std::nothrow) RecordImage(std::move(bytes), size);
    if (image == nullptr) {
        std::fseek(file, 0, SEEK_SET);
        return nullptr;
    }
    ReadStreamCallbacks callbacks;
    callbacks.read = RecordImageStream::Read;
    callbacks.seek = RecordImageStream::Seek;
    callbacks.close = RecordImageStream::Close;
    FILE* stream = OpenReadStream(image, callbacks);
    if (stream == nullptr) {
        delete image;
        std::fseek(file, 0, SEEK_SET);
        return nullptr;
    }
    image->m_stream = stream;
    {
        OpenImages& open = AllOpenImages();
        ThreadLockHolder lock(open.mutex);
        open.images.push_back(image);
        RecordImage::generation.fetch_add(1, std::memory_order_acq_rel);
    }
    std::fclose(file);
    return stream;
}

constinit thread_local RecordImage::FoundImage RecordImage::lastFound{};
std::atomic<std::uint64_t> RecordImage::generation{1};

RecordImage* RecordImage::FindAndRemember(FILE* fp)
{
    OpenImages& open = AllOpenImages();
    ThreadLockHolder lock(open.mutex);
    auto it = std::find_if(open.images.begin(), open.images.end(),
                           [fp](const RecordImage* image) { return image->m_stream == fp; });
    lastFound = {fp, it != open.images.end() ? *it : nullptr, generation.load(std::memory_order_acquire)};
    return lastFound.image;
}
