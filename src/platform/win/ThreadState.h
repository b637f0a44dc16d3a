// Internal to the stand-in: what it knows about each thread that called into it, and the one wait
// that every blocking call is built on.
//
// All fields below are guarded by StandInMutex(), the stand-in's single lock. Each thread waits on
// its own condition variable (with that lock), and whoever changes something a thread may wait for
// notifies that thread. Window procedures and message-box hooks always run with the lock released.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/win/Messages.h"

namespace standin {

struct ThreadState;

// A call that must run on another thread: a SendMessage across threads, or a message box shown on
// the main thread for a worker. The sender waits until done (or the close sequence began).
struct SentCall {
    std::function<LRESULT()> run;
    std::shared_ptr<ThreadState> sender;  // woken when the call completes
    LRESULT result = 0;
    bool done = false;
};

struct ThreadState {
    DWORD id = 0;
    std::condition_variable wake;  // used with StandInMutex()

    bool hasQueue = false;  // set by the first PeekMessage/GetMessage (or a window of this thread)
    bool ended = false;     // the thread left; posts fail, sends return 0
    bool isMain = false;    // owns the main window: pumps the host while it waits for messages
    DWORD exitCode = 0;     // valid once ended

    std::deque<MSG> posted;
    std::uint64_t postSerial = 0;  // number of messages ever posted here
    std::uint64_t seenSerial = 0;  // postSerial at the last PeekMessage/GetMessage (for WaitMessage)
    std::deque<std::shared_ptr<SentCall>> inbox;

    unsigned suspendCount = 0;
    bool terminateRequested = false;
    DWORD terminateExitCode = 0;
    unsigned terminateRequests = 0;  // TerminateThread calls recorded (test hook)
    bool heldAtSafePoint = false;    // blocked in a safe point by a suspension (test hook)
    // True while a suspend or terminate request is pending: lets ThreadSafePoint skip the lock.
    std::atomic<bool> attention{false};
};

// Thrown at a safe point of a thread asked to terminate; caught only by the thread entry wrapper.
// Deliberately not derived from std::exception so that ordinary handlers do not swallow it.
struct ThreadTerminated {};

using Deadline = std::optional<std::chrono::steady_clock::time_point>;

std::mutex& StandInMutex();

// The calling thread's record, created on first use.
std::shared_ptr<ThreadState> CurrentThread();
// A registered record for a thread about to be started by BeginThread (id assigned, no queue).
std::shared_ptr<ThreadState> NewThreadState();
// Called first on a thread started by BeginThread: that thread's record becomes `state`.
void AdoptThreadState(std::shared_ptr<ThreadState> state);
// Marks the thread ended, completes the calls still waiting in its inbox with 0 and wakes every
// thread (waiters for its handle). Idempotent.
void MarkThreadEnded(ThreadState& state, DWORD exitCode);

// Lock held. A live thread by id, or nullptr.
ThreadState* FindThreadLocked(DWORD id);
// Lock held. Calls fn for every live thread.
void ForEachThreadLocked(const std::function<void(ThreadState&)>& fn);

// Lock held. Waits while the thread is suspended; throws ThreadTerminated on a terminate request
// (unless an exception is already unwinding).
void SafePointLocked(std::unique_lock<std::mutex>& lock, ThreadState& self);
// Lock held. Runs the calls sent to this thread (releasing the lock around each); true if any ran.
bool ServeSentCallsLocked(std::unique_lock<std::mutex>& lock, ThreadState& self);
// Lock held. Completes a call with result (if not done yet) and wakes its sender.
void CompleteCallLocked(SentCall& call, LRESULT result);
// Lock held. Waits until done() holds (evaluated with the lock held) or the deadline passes,
// serving sent calls and honouring safe points meanwhile. Returns done().
bool WaitServingLocked(std::unique_lock<std::mutex>& lock, ThreadState& self, const std::function<bool()>& done,
                       Deadline deadline);

// Runs fn on target and returns its result; the caller serves calls sent to it meanwhile.
// Returns 0 at once when the close sequence has begun or the target has ended.
LRESULT CallOnThread(const std::shared_ptr<ThreadState>& target, std::function<LRESULT()> fn);

// Lock held. Wakes a thread waiting for messages; returns true when the caller must also call
// WakeHost() after releasing the lock (target is the main thread, which may wait in the host).
bool WakeThreadLocked(ThreadState& target);
// Lock NOT held. Ends a host wait of the main thread (the host's Wake is sticky: a wake that
// comes before the main thread blocks ends its next wait at once).
void WakeHost();

// Shutdown guard state (see BeginCloseSequence); lock held.
bool CloseSequenceBegunLocked();
// Tests: forgets that the close sequence began.
void ClearCloseSequenceForTest();

// Sleeps for real until the deadline, waking early only for a terminate request. A safe point.
void SleepUntil(std::chrono::steady_clock::time_point deadline);

}  // namespace standin
