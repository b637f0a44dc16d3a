// Locks for the few tables that the code above the stand-in shares between threads (the logs,
// the open record files, the music player's state). Code outside src/platform/ takes no host lock
// directly: it uses these.
//
// ThreadLock and RecursiveThreadLock can be taken from any thread; RecursiveThreadLock may be
// taken again by the thread that holds it. Hold one with ThreadLockHolder, never across a wait
// for another thread.
#pragma once

#include <mutex>

class ThreadLock {
public:
    ThreadLock() = default;
    ThreadLock(const ThreadLock&) = delete;
    ThreadLock& operator=(const ThreadLock&) = delete;

    void lock() { m_mutex.lock(); }
    void unlock() { m_mutex.unlock(); }

private:
    std::mutex m_mutex;
};

class RecursiveThreadLock {
public:
    RecursiveThreadLock() = default;
    RecursiveThreadLock(const RecursiveThreadLock&) = delete;
    RecursiveThreadLock& operator=(const RecursiveThreadLock&) = delete;

    void lock() { m_mutex.lock(); }
    void unlock() { m_mutex.unlock(); }

private:
    std::recursive_mutex m_mutex;
};

// Holds a ThreadLock or RecursiveThreadLock for its own lifetime.
template <class L>
class [[nodiscard]] ThreadLockHolder {
public:
    explicit ThreadLockHolder(L& lock) : m_lock(lock) { m_lock.lock(); }
    ~ThreadLockHolder() { m_lock.unlock(); }
    ThreadLockHolder(const ThreadLockHolder&) = delete;
    ThreadLockHolder& operator=(const ThreadLockHolder&) = delete;

private:
    L& m_lock;
};
