// One running copy of a game per game folder: an exclusive lock on a file in the game's user
// data, held for the life of the copy (the system releases it when the process ends in any way,
// so a lock file left behind never blocks a start).
//
// The copy that holds the lock listens for close requests on a local socket named after the lock
// file (its device and inode), so that a later copy can ask it to close in order instead of
// ending it by force; each request runs the handler given to TryAcquire on the lock's own
// listener thread, which must only pass the request on (post a message) and return.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "platform/win/LocalSocket.h"
#include "platform/win/WinTypes.h"

class InstanceLock {
public:
    enum class Result {
        Acquired,  // this copy holds the lock
        Busy,      // another copy holds it
        Failed,    // the lock file cannot be opened or locked at all
    };

    InstanceLock() = default;
    // Releases the lock.
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Opens (creating it when missing) the lock file at szPath, a game path whose folder exists,
    // and tries to lock it without waiting. Acquired: the file holds this process's id and close
    // requests go to onCloseRequest from now on. Busy: the file stays open for RequestClose and
    // WaitAndAcquire. Any thread; one attempt per object until Release.
    Result TryAcquire(const char* szPath, std::function<void()> onCloseRequest);
    // Busy: asks the copy holding the lock to close in order. true when it took the request
    // within timeoutMs.
    bool RequestClose(DWORD timeoutMs);
    // Busy: waits until the lock is free (the other copy has ended) and takes it, as
    // TryAcquire would; false when it is still held after timeoutMs.
    bool WaitAndAcquire(DWORD timeoutMs);
    // Stops listening and unlocks; the lock file stays. Not from the close-request handler.
    void Release();

    bool Held() const { return m_held; }

private:
    bool Lock();
    void StartListening();
    void Listen();
    std::string RequestName() const;

    int m_fd = -1;
    bool m_held = false;
    std::function<void()> m_onCloseRequest;
    LocalSocket m_listener;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
