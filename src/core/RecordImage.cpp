#include "core/RecordImage.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <mutex>
#include <new>
#include <vector>

namespace {

// The images whose stream is open. Streams are opened and closed on any thread, one load at a
// time per thread. Never destroyed, so that a file closed while the program ends is still found.
struct OpenImages {
    std::mutex mutex;
    std::vector<RecordImage*> images;
};
OpenImages& AllOpenImages()
{
    static OpenImages* const all = new OpenImages;
    return *all;
}
// Changes whenever an image is added or removed, so that a remembered answer of Find is checked
// with one load.
std::atomic<std::uint64_t> imagesGeneration{1};

// The last answer of Find on this thread.
struct FoundImage {
    FILE* fp = nullptr;
    RecordImage* image = nullptr;
    std::uint64_t generation = 0;
};
thread_local FoundImage lastFound;

}  // namespace

// The stdio callbacks of an image's stream: reads and seeks move the image's one read position.
struct RecordImageStream {
    static ssize_t Read(void* cookie, char* buffer, std::size_t size)
    {
        return static_cast<ssize_t>(static_cast<RecordImage*>(cookie)->Read(buffer, size));
    }

    // As a file: any position from 0 on, also past the end (reads there find nothing).
    static int Seek(void* cookie, off64_t* offset, int whence)
    {
        auto* image = static_cast<RecordImage*>(cookie);
        off64_t base = 0;
        switch (whence) {
        case SEEK_SET:
            break;
        case SEEK_CUR:
            base = static_cast<off64_t>(image->m_position);
            break;
        case SEEK_END:
            base = static_cast<off64_t>(image->m_size);
            break;
        default:
            errno = EINVAL;
            return -1;
        }
        if (*offset < -base) {
            errno = EINVAL;
            return -1;
        }
        if (*offset > LONG_MAX - base) {
            errno = EOVERFLOW;
            return -1;
        }
        image->m_position = static_cast<std::size_t>(base + *offset);
        *offset = static_cast<off64_t>(image->m_position);
        return 0;
    }

    static int Close(void* cookie)
    {
        auto* image = static_cast<RecordImage*>(cookie);
        {
            OpenImages& open = AllOpenImages();
            std::lock_guard lock(open.mutex);
            std::erase(open.images, image);
            imagesGeneration.fetch_add(1, std::memory_order_acq_rel);
        }
        delete image;
        return 0;
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
    const cookie_io_functions_t callbacks{RecordImageStream::Read, nullptr, RecordImageStream::Seek,
                                          RecordImageStream::Close};
    FILE* stream = fopencookie(image, "rb", callbacks);
    if (stream == nullptr) {
        delete image;
        std::fseek(file, 0, SEEK_SET);
        return nullptr;
    }
    // Unbuffered: stdio holds no read-ahead, so its position is always the image's.
    std::setvbuf(stream, nullptr, _IONBF, 0);
    image->m_stream = stream;
    {
        OpenImages& open = AllOpenImages();
        std::lock_guard lock(open.mutex);
        open.images.push_back(image);
        imagesGeneration.fetch_add(1, std::memory_order_acq_rel);
    }
    std::fclose(file);
    return stream;
}

RecordImage* RecordImage::Find(FILE* fp)
{
    if (lastFound.fp == fp && lastFound.generation == imagesGeneration.load(std::memory_order_acquire)) {
        return lastFound.image;
    }
    OpenImages& open = AllOpenImages();
    std::lock_guard lock(open.mutex);
    auto it = std::find_if(open.images.begin(), open.images.end(),
                           [fp](const RecordImage* image) { return image->m_stream == fp; });
    lastFound = {fp, it != open.images.end() ? *it : nullptr, imagesGeneration.load(std::memory_order_acquire)};
    return lastFound.image;
}
