#include "platform/win/TextModeFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr std::size_t kReadAheadSize = 64 * 1024;
constexpr std::size_t kWriteChunkSize = 16 * 1024;

class TextModeCookie {
public:
    TextModeCookie(int fd, bool appendMode) : m_fd(fd), m_appendMode(appendMode) {}
    ~TextModeCookie()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    TextModeCookie(const TextModeCookie&) = delete;
    TextModeCookie& operator=(const TextModeCookie&) = delete;

    ssize_t Read(char* buffer, std::size_t size);
    ssize_t Write(const char* data, std::size_t size);
    int Seek(off64_t* offset, int whence);
    int Close();

private:
    bool Refill();
    bool DropReadAhead();
    void SetAppend(bool append);
    bool WriteAll(const char* data, std::size_t size);

    int m_fd;
    bool m_appendMode;         // opened with "a": every write goes to the end
    bool m_appending = false;  // O_APPEND switched on after a seek to the end
    std::vector<char> m_raw;   // read-ahead: raw bytes from the file not yet handed out
    std::size_t m_rawPos = 0;
};

// Appends more raw bytes behind the unread ones; false at end of file or on an error.
bool TextModeCookie::Refill()
{
    if (m_rawPos > 0) {
        m_raw.erase(m_raw.begin(), m_raw.begin() + static_cast<std::ptrdiff_t>(m_rawPos));
        m_rawPos = 0;
    }
    const std::size_t kept = m_raw.size();
    m_raw.resize(kept + kReadAheadSize);
    ssize_t got;
    do {
        got = ::read(m_fd, m_raw.data() + kept, kReadAheadSize);
    } while (got < 0 && errno == EINTR);
    m_raw.resize(kept + (got > 0 ? static_cast<std::size_t>(got) : 0));
    return got > 0;
}

ssize_t TextModeCookie::Read(char* buffer, std::size_t size)
{
    std::size_t out = 0;
    while (out < size) {
        if (m_rawPos == m_raw.size() && !Refill()) {
            break;
        }
        const char c = m_raw[m_rawPos];
        if (c != '\r') {
            buffer[out++] = c;
            ++m_rawPos;
            continue;
        }
        // A CR needs the next byte to tell CR LF from a lone CR.
        if (m_rawPos + 1 == m_raw.size() && !Refill() && m_raw.size() - m_rawPos == 1) {
            buffer[out++] = '\r';
            ++m_rawPos;
            break;
        }
        if (m_raw[m_rawPos + 1] == '\n') {
            buffer[out++] = '\n';
            m_rawPos += 2;
        } else {
            buffer[out++] = '\r';
            ++m_rawPos;
        }
    }
    return static_cast<ssize_t>(out);
}

// Gives the unread read-ahead back to the file position, so that writes and seeks start where
// the reader stands.
bool TextModeCookie::DropReadAhead()
{
    const std::size_t unread = m_raw.size() - m_rawPos;
    m_raw.clear();
    m_rawPos = 0;
    if (unread == 0) {
        return true;
    }
    return ::lseek64(m_fd, -static_cast<off64_t>(unread), SEEK_CUR) >= 0;
}

void TextModeCookie::SetAppend(bool append)
{
    if (m_appendMode || append == m_appending) {
        return;
    }
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags >= 0 && ::fcntl(m_fd, F_SETFL, append ? (flags | O_APPEND) : (flags & ~O_APPEND)) == 0) {
        m_appending = append;
    }
}

bool TextModeCookie::WriteAll(const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t done = ::write(m_fd, data, size);
        if (done < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += done;
        size -= static_cast<std::size_t>(done);
    }
    return true;
}

ssize_t TextModeCookie::Write(const char* data, std::size_t size)
{
    if (!DropReadAhead()) {
        return -1;
    }
    // Translate in chunks; one write call per chunk keeps a line whole in the file when several
    // streams append to it.
    std::vector<char> raw;
    raw.reserve(kWriteChunkSize + 1);
    std::size_t taken = 0;
    while (taken < size) {
        raw.clear();
        std::size_t end = taken;
        while (end < size && raw.size() < kWriteChunkSize) {
            if (data[end] == '\n') {
                raw.push_back('\r');
            }
            raw.push_back(data[end]);
            ++end;
        }
        if (!WriteAll(raw.data(), raw.size())) {
            return taken > 0 ? static_cast<ssize_t>(taken) : -1;
        }
        taken = end;
    }
    return static_cast<ssize_t>(taken);
}

int TextModeCookie::Seek(off64_t* offset, int whence)
{
    if (whence == SEEK_CUR && *offset == 0) {
        // ftell: the raw position of the next byte the reader will get.
        const off64_t here = ::lseek64(m_fd, 0, SEEK_CUR);
        if (here < 0) {
            return -1;
        }
        *offset = here - static_cast<off64_t>(m_raw.size() - m_rawPos);
        return 0;
    }
    off64_t target = *offset;
    if (whence == SEEK_CUR) {
        const off64_t here = ::lseek64(m_fd, 0, SEEK_CUR);
        if (here < 0) {
            return -1;
        }
        target += here - static_cast<off64_t>(m_raw.size() - m_rawPos);
        whence = SEEK_SET;
    }
    m_raw.clear();
    m_rawPos = 0;
    const off64_t result = ::lseek64(m_fd, target, whence);
    if (result < 0) {
        return -1;
    }
    SetAppend(whence == SEEK_END && target == 0);
    *offset = result;
    return 0;
}

int TextModeCookie::Close()
{
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd);
}

ssize_t CookieRead(void* cookie, char* buffer, size_t size)
{
    return static_cast<TextModeCookie*>(cookie)->Read(buffer, size);
}

ssize_t CookieWrite(void* cookie, const char* data, size_t size)
{
    return static_cast<TextModeCookie*>(cookie)->Write(data, size);
}

int CookieSeek(void* cookie, off64_t* offset, int whence)
{
    return static_cast<TextModeCookie*>(cookie)->Seek(offset, whence);
}

int CookieClose(void* cookie)
{
    auto* textFile = static_cast<TextModeCookie*>(cookie);
    const int result = textFile->Close();
    delete textFile;
    return result;
}

}  // namespace

FILE* OpenTextModeFile(int fd, const char* fopenMode, bool appendMode)
{
    auto* cookie = new (std::nothrow) TextModeCookie(fd, appendMode);
    if (cookie == nullptr) {
        ::close(fd);
        return nullptr;
    }
    const cookie_io_functions_t functions{CookieRead, CookieWrite, CookieSeek, CookieClose};
    FILE* file = fopencookie(cookie, fopenMode, functions);
    if (file == nullptr) {
        delete cookie;
        return nullptr;
    }
    setvbuf(file, nullptr, _IONBF, 0);
    return file;
}
