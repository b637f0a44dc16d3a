#include "platform/win/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

#include "platform/win/Files.h"

namespace {

constexpr char kCloseRequest = 'C';
constexpr char kCloseTaken = 'A';
// How long the listener waits for each connection before it looks at its stop flag again, and
// for the request byte of a connection.
constexpr DWORD kListenSliceMs = 50;
constexpr DWORD kRequestReadMs = 1000;
// How often WaitAndAcquire tries the lock again.
constexpr auto kRetryInterval = std::chrono::milliseconds(10);
// Attempts to take the request name, kRetryInterval apart.
constexpr int kListenAttempts = 50;

}  // namespace

InstanceLock::~InstanceLock()
{
    Release();
}

std::string InstanceLock::RequestName() const
{
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) {
        return std::string();
    }
    return "@quillborn4-instance-" + std::to_string(static_cast<unsigned long long>(st.st_dev)) + "-" +
           std::to_string(static_cast<unsigned long long>(st.st_ino));
}

InstanceLock::Result InstanceLock::TryAcquire(const char* szPath, std::function<void()> onCloseRequest)
{
    if (m_fd >= 0) {
        return m_held ? Result::Acquired : Result::Busy;
    }
    m_onCloseRequest = std::move(onCloseRequest);
    m_fd = ::open(HostPath(szPath).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        return Result::Failed;
    }
    if (Lock()) {
        return Result::Acquired;
    }
    if (errno != EWOULDBLOCK) {
        ::close(m_fd);
        m_fd = -1;
        return Result::Failed;
    }
    return Result::Busy;
}

bool InstanceLock::Lock()
{
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        return false;
    }
    m_held = true;
    // The holder's process id, for people looking at the file.
    const std::string pid = std::to_string(static_cast<long>(::getpid())) + "\n";
    if (::ftruncate(m_fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(m_fd, pid.data(), pid.size(), 0);
    }
    StartListening();
    return true;
}

void InstanceLock::StartListening()
{
    // A copy that has just ended may still hold the name for a moment after its lock went.
    const std::string name = RequestName();
    for (int attempt = 0; attempt < kListenAttempts && !m_listener.Valid(); ++attempt) {
        if (attempt > 0) {
            std::this_thread::sleep_for(kRetryInterval);
        }
        m_listener = LocalSocket::Listen(name);
    }
    if (!m_listener.Valid()) {
        return;  // the copy runs; later copies cannot ask it to close and say so
    }
    m_stop = false;
    m_thread = std::thread([this] { Listen(); });
}

void InstanceLock::Listen()
{
    while (!m_stop) {
        LocalSocket peer = m_listener.Accept(kListenSliceMs);
        char request = 0;
        if (!peer.Valid() || !peer.PeerIsSameUser() || !peer.ReceiveAll(&request, 1, kRequestReadMs) ||
            request != kCloseRequest) {
            continue;
        }
        if (m_onCloseRequest) {
            m_onCloseRequest();
        }
        peer.SendAll(&kCloseTaken, 1, kRequestReadMs);
    }
}

bool InstanceLock::RequestClose(DWORD timeoutMs)
{
    if (m_fd < 0 || m_held) {
        return false;
    }
    LocalSocket socket = LocalSocket::Connect(RequestName(), timeoutMs);
    char answer = 0;
    return socket.Valid() && socket.SendAll(&kCloseRequest, 1, timeoutMs) && socket.ReceiveAll(&answer, 1, timeoutMs) &&
           answer == kCloseTaken;
}

bool InstanceLock::WaitAndAcquire(DWORD timeoutMs)
{
    if (m_fd < 0) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (m_held || Lock()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kRetryInterval);
    }
}

void InstanceLock::Release()
{
    m_stop = true;
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_listener.Close();
    if (m_fd >= 0) {
        ::close(m_fd);  // unlocks
        m_fd = -1;
    }
    m_held = false;
}
