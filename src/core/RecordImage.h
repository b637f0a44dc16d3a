// RecordImage: a record file being loaded, held whole in memory.
//
// OpenDatLoad reads a file of up to kMaxRecordImageBytes at once and hands out a stream over the
// copy, so that the record readers take each field from memory instead of through one stdio call
// (and one position query) per field. The stream is a real FILE*: fread, fgetc, fseek, ftell and
// fclose work on it as on the file and share the one read position with the readers, so record
// classes that read their own blocks with fread keep working. It is unbuffered at the stdio level
// (every stdio read goes straight to the image), so fread on it costs a call per byte: record
// classes read their blocks with RecordReader instead. ungetc is not supported.
//
// Used through OpenDatLoad and RecordReader.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

// Files larger than this are read through stdio as they lie on disk, never copied whole.
constexpr std::size_t kMaxRecordImageBytes = 64u * 1024u * 1024u;

class RecordImage {
public:
    // Reads the size bytes of file (its size, measured by the caller, at most
    // kMaxRecordImageBytes) from its start and returns a read-only stream over the copy, positioned
    // at the start; file is then closed. nullptr, with file left open at its start, when the copy
    // cannot be made.
    static FILE* Open(FILE* file, std::size_t size);

    // The image behind fp, a stream returned by Open and not yet closed; nullptr for any other
    // stream. The last answer of each thread is remembered, so a reader that asks once per field
    // pays one comparison.
    static RecordImage* Find(FILE* fp)
    {
        if (lastFound.fp == fp && lastFound.generation == generation.load(std::memory_order_acquire)) [[likely]] {
            return lastFound.image;
        }
        return FindAndRemember(fp);
    }

    // Bytes between the read position and the end (0 when the position lies past the end).
    std::size_t Left() const { return m_position < m_size ? m_size - m_position : 0; }
    // The bytes at the read position (Left() of them are there).
    const char* Cursor() const { return m_bytes.get() + (m_position < m_size ? m_position : m_size); }
    // Moves the read position n bytes on.
    void Skip(std::size_t n) { m_position += n; }

    // Copies up to n bytes to to and moves past them; the number copied (less than n at the end).
    std::size_t Read(void* to, std::size_t n)
    {
        const std::size_t count = n < Left() ? n : Left();
        if (count > 0) {
            std::memcpy(to, m_bytes.get() + m_position, count);
        }
        m_position += count;
        return count;
    }

    // The next n bytes in place, moving past them; nullptr, without moving, when fewer are left.
    const char* Take(std::size_t n)
    {
        if (n > Left()) {
            return nullptr;
        }
        const char* at = Cursor();
        m_position += n;
        return at;
    }

    // Moves the read position to the end (what a short read through stdio leaves).
    void SkipToEnd()
    {
        if (m_position < m_size) {
            m_position = m_size;
        }
    }

    RecordImage(const RecordImage&) = delete;
    RecordImage& operator=(const RecordImage&) = delete;

private:
    RecordImage(std::unique_ptr<char[]> bytes, std::size_t size) : m_bytes(std::move(bytes)), m_size(size) {}
    ~RecordImage() = default;

    // The stream's callbacks (see the .cpp).
    friend struct RecordImageStream;

    // The last answer of Find on this thread, valid while no image was opened or closed since
    // (generation changes whenever one is).
    struct FoundImage {
        FILE* fp = nullptr;
        RecordImage* image = nullptr;
        std::uint64_t generation = 0;
    };
    static constinit thread_local FoundImage lastFound;
    static std::atomic<std::uint64_t> generation;
    static RecordImage* FindAndRemember(FILE* fp);

    std::unique_ptr<char[]> m_bytes;
    std::size_t m_size = 0;
    std::size_t m_position = 0;
    FILE* m_stream = nullptr;
};
