#include "platform/win/LocalSocket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

// Fills addr for the name; false when it does not fit.
bool MakeAddress(const std::string& name, sockaddr_un& addr, socklen_t& length)
{
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (name.empty() || name.size() >= sizeof addr.sun_path) {
        return false;
    }
    std::memcpy(addr.sun_path, name.data(), name.size());
    if (name[0] == '@') {
        addr.sun_path[0] = '\0';  // abstract: the name without the '@', not NUL-terminated
        length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size());
    } else {
        length = static_cast<socklen_t>(sizeof addr);
    }
    return true;
}

// Milliseconds left until the deadline, at least 0.
int MillisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits until fd is ready for events; false on time-out or error.
bool WaitReady(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, MillisecondsLeft(deadline));
        if (n > 0) {
            return true;
        }
        if (n == 0 || errno != EINTR) {
            return false;
        }
    }
}

Clock::time_point DeadlineIn(DWORD timeoutMs)
{
    return Clock::now() + std::chrono::milliseconds(timeoutMs);
}

}  // namespace

LocalSocket::~LocalSocket()
{
    Close();
}

LocalSocket::LocalSocket(LocalSocket&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_boundPath(std::move(other.m_boundPath))
{
    other.m_boundPath.clear();
}

LocalSocket& LocalSocket::operator=(LocalSocket&& other) noexcept
{
    if (this != &other) {
        Close();
        m_fd = std::exchange(other.m_fd, -1);
        m_boundPath = std::move(other.m_boundPath);
        other.m_boundPath.clear();
    }
    return *this;
}

void LocalSocket::Close()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_boundPath.empty()) {
        ::unlink(m_boundPath.c_str());
        m_boundPath.clear();
    }
}

LocalSocket LocalSocket::Connect(const std::string& name, DWORD timeoutMs)
{
    sockaddr_un addr;
    socklen_t length = 0;
    if (!MakeAddress(name, addr, length)) {
        return LocalSocket();
    }
    LocalSocket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.Valid()) {
        return LocalSocket();
    }
    if (::connect(socket.m_fd, reinterpret_cast<const sockaddr*>(&addr), length) == 0) {
        return socket;
    }
    if (errno != EINPROGRESS && errno != EAGAIN) {
        return LocalSocket();
    }
    if (!WaitReady(socket.m_fd, POLLOUT, DeadlineIn(timeoutMs))) {
        return LocalSocket();
    }
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(socket.m_fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
        return LocalSocket();
    }
    return socket;
}

LocalSocket LocalSocket::Listen(const std::string& name)
{
    sockaddr_un addr;
    socklen_t length = 0;
    if (!MakeAddress(name, addr, length)) {
        return LocalSocket();
    }
    LocalSocket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.Valid()) {
        return LocalSocket();
    }
    if (name[0] != '@') {
        ::unlink(name.c_str());
    }
    if (::bind(socket.m_fd, reinterpret_cast<const sockaddr*>(&addr), length) != 0 || ::listen(socket.m_fd, 8) != 0) {
        return LocalSocket();
    }
    if (name[0] != '@') {
        socket.m_boundPath = name;
    }
    return socket;
}

LocalSocket LocalSocket::Accept(DWORD timeoutMs)
{
    if (!Valid() || !WaitReady(m_fd, POLLIN, DeadlineIn(timeoutMs))) {
        return LocalSocket();
    }
    return LocalSocket(::accept4(m_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
}

bool LocalSocket::PeerIsSameUser() const
{
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return Valid() && ::getsockopt(m_fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 &&
           credentials.uid == ::geteuid();
}

bool LocalSocket::SendAll(const void* data, std::size_t size, DWORD timeoutMs)
{
    const auto deadline = DeadlineIn(timeoutMs);
    const char* p = static_cast<const char*>(data);
    while (Valid() && size > 0) {
        const ssize_t n = ::send(m_fd, p, size, MSG_NOSIGNAL);
        if (n > 0) {
            p += n;
            size -= static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitReady(m_fd, POLLOUT, deadline)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return Valid();
}

bool LocalSocket::ReceiveAll(void* data, std::size_t size, DWORD timeoutMs)
{
    const auto deadline = DeadlineIn(timeoutMs);
    char* p = static_cast<char*>(data);
    while (Valid() && size > 0) {
        const ssize_t n = ::recv(m_fd, p, size, 0);
        if (n > 0) {
            p += n;
            size -= static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitReady(m_fd, POLLIN, deadline)) {
                return false;
            }
        } else {
            return false;  // closed by the peer, or an error
        }
    }
    return Valid();
}
