// Local stream sockets between programs of one machine (AF_UNIX), with a time-out on every wait,
// so that a peer that hangs never hangs the caller.
//
// A name that begins with '@' is an abstract socket name (no file; it vanishes with its
// listener); any other name is the host path of a socket file (UTF-8, at most 107 bytes).
// One object is used by one thread at a time.
#pragma once

#include <cstddef>
#include <string>

#include "platform/win/WinTypes.h"

class LocalSocket {
public:
    LocalSocket() = default;
    ~LocalSocket();
    LocalSocket(LocalSocket&& other) noexcept;
    LocalSocket& operator=(LocalSocket&& other) noexcept;
    LocalSocket(const LocalSocket&) = delete;
    LocalSocket& operator=(const LocalSocket&) = delete;

    // Connects to the listener of that name; an invalid socket when nobody listens, the name is
    // too long, or the connection is not made within timeoutMs.
    static LocalSocket Connect(const std::string& name, DWORD timeoutMs);
    // Listens under that name; a socket file of that name left by an earlier listener is
    // replaced. An invalid socket when the name is taken (abstract) or cannot be bound.
    static LocalSocket Listen(const std::string& name);

    bool Valid() const { return m_fd >= 0; }
    // The next connection to a listening socket; invalid when none comes within timeoutMs.
    LocalSocket Accept(DWORD timeoutMs);
    // Sends all bytes; false when the peer is gone or the time-out passed first.
    bool SendAll(const void* data, std::size_t size, DWORD timeoutMs);
    // Receives exactly size bytes; false when the peer closed, or the time-out passed first.
    bool ReceiveAll(void* data, std::size_t size, DWORD timeoutMs);
    // True when the connected peer runs as the same user as this process (abstract names carry
    // no file permissions, so a listener checks who is asking).
    bool PeerIsSameUser() const;
    // Closes (a listener's socket file is removed).
    void Close();

private:
    explicit LocalSocket(int fd) : m_fd(fd) {}

    int m_fd = -1;
    std::string m_boundPath;  // socket file of a listener, removed on close
};
