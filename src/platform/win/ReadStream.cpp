#include "platform/win/ReadStream.h"

#include <sys/types.h>

#include <new>

namespace {

// What the stdio cookie holds: the caller's cookie and functions.
struct Stream {
    void* cookie;
    ReadStreamCallbacks callbacks;
};

ssize_t ReadCookie(void* stream, char* buffer, std::size_t size)
{
    auto* s = static_cast<Stream*>(stream);
    return static_cast<ssize_t>(s->callbacks.read(s->cookie, buffer, size));
}

int SeekCookie(void* stream, off64_t* offset, int whence)
{
    auto* s = static_cast<Stream*>(stream);
    std::int64_t position = *offset;
    if (!s->callbacks.seek(s->cookie, position, whence)) {
        return -1;
    }
    *offset = position;
    return 0;
}

int CloseCookie(void* stream)
{
    auto* s = static_cast<Stream*>(stream);
    s->callbacks.close(s->cookie);
    delete s;
    return 0;
}

}  // namespace

FILE* OpenReadStream(void* cookie, const ReadStreamCallbacks& callbacks)
{
    if (callbacks.read == nullptr || callbacks.seek == nullptr || callbacks.close == nullptr) {
        return nullptr;
    }
    auto* stream = new (std::nothrow) Stream{cookie, callbacks};
    if (stream == nullptr) {
        return nullptr;
    }
    const cookie_io_functions_t functions{ReadCookie, nullptr, SeekCookie, CloseCookie};
    FILE* fp = fopencookie(stream, "rb", functions);
    if (fp == nullptr) {
        delete stream;
        return nullptr;
    }
    std::setvbuf(fp, nullptr, _IONBF, 0);
    return fp;
}
