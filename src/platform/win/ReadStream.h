// ReadStream: a read-only stdio stream whose bytes come from the caller's own functions, so that
// code that reads with fread, fgetc, fseek and ftell can be handed data held in memory.
//
// Used by core/RecordImage (record files read into memory at once).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

struct ReadStreamCallbacks {
    // Copies up to size bytes from the read position to buffer and moves past them; the number
    // copied (0 at the end). Never fails.
    std::size_t (*read)(void* cookie, char* buffer, std::size_t size) = nullptr;
    // Moves the read position to offset from whence (SEEK_SET, SEEK_CUR or SEEK_END) and stores
    // the new position in offset; false, with errno set, when the position is refused.
    bool (*seek)(void* cookie, std::int64_t& offset, int whence) = nullptr;
    // The stream is being closed: the cookie may be released. Called exactly once.
    void (*close)(void* cookie) = nullptr;
};

// A read-only, unbuffered stream over cookie (stdio keeps no read-ahead, so its position is always
// the cookie's): fclose on it calls callbacks.close. nullptr when the stream cannot be made; the
// cookie is then not closed.
FILE* OpenReadStream(void* cookie, const ReadStreamCallbacks& callbacks);
