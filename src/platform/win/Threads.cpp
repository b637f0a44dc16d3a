// Threads started by the stand-in, their handles, waits, and the cooperative suspend and terminate.
//
// Each thread runs on a std::thread that is joined when its handle is closed after it ended, by a
// later BeginThread/CloseHandle once a closed-but-running thread has ended, or at process end.
#include "platform/win/Threads.h"

#include <map>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/win/ThreadState.h"

using namespace standin;

namespace {

constexpr DWORD kMaxSuspendCount = 127;
// At process end, how long threads still running get to honour their terminate request.
constexpr auto kProcessEndGrace = std::chrono::seconds(2);

struct ThreadRecord {
    std::thread thread;
    std::shared_ptr<ThreadState> state;
};

// Guarded by StandInMutex().
struct HandleTable {
    std::map<HANDLE, std::shared_ptr<ThreadRecord>> open;
    std::vector<std::shared_ptr<ThreadRecord>> closedRunning;  // handle closed before the thread ended
    std::uintptr_t nextHandle = 0x20004;
    bool failStarts = false;
    bool holdStarts = false;
    std::vector<std::shared_ptr<ThreadState>> heldStarts;  // started while holdStarts was on
};

HandleTable& Handles()
{
    static HandleTable* table = new HandleTable;  // never destroyed; the reaper below empties it
    return *table;
}

// Lock held.
ThreadRecord* FindLocked(HANDLE hThread)
{
    auto it = Handles().open.find(hThread);
    return it == Handles().open.end() ? nullptr : it->second.get();
}

void JoinAll(std::vector<std::shared_ptr<ThreadRecord>>& records)
{
    for (const std::shared_ptr<ThreadRecord>& record : records) {
        if (record->thread.joinable() && record->thread.get_id() != std::this_thread::get_id()) {
            record->thread.join();
        }
    }
    records.clear();
}

// Lock held. Takes out the closed threads that have ended, for joining after the lock is released.
std::vector<std::shared_ptr<ThreadRecord>> TakeEndedClosedLocked()
{
    std::vector<std::shared_ptr<ThreadRecord>> ended;
    auto& running = Handles().closedRunning;
    for (auto it = running.begin(); it != running.end();) {
        if ((*it)->state->ended) {
            ended.push_back(std::move(*it));
            it = running.erase(it);
        } else {
            ++it;
        }
    }
    return ended;
}

// Lock held.
void RequestTerminateLocked(ThreadState& state, DWORD exitCode)
{
    if (!state.terminateRequested) {
        state.terminateExitCode = exitCode;
    }
    state.terminateRequested = true;
    ++state.terminateRequests;
    state.attention = true;
    state.wake.notify_all();
}

void ThreadEntry(std::shared_ptr<ThreadState> state, THREAD_START start, void* param)
{
    AdoptThreadState(state);
    DWORD exitCode = 0;
    try {
        ThreadSafePoint();  // a thread created suspended waits here
        exitCode = start(param);
    } catch (const ThreadTerminated&) {
        std::lock_guard<std::mutex> lock(StandInMutex());
        exitCode = state->terminateExitCode;
    }
    MarkThreadEnded(*state, exitCode);
}

// At process end: every thread still running is asked to leave, given a short grace, and joined.
// One that does not leave in time (stuck in pure computation) is detached, as nothing else can be
// done without killing it.
struct ProcessEndReaper {
    ~ProcessEndReaper()
    {
        std::vector<std::shared_ptr<ThreadRecord>> all;
        {
            std::lock_guard<std::mutex> lock(StandInMutex());
            for (auto& [handle, record] : Handles().open) {
                all.push_back(record);
            }
            for (auto& record : Handles().closedRunning) {
                all.push_back(record);
            }
            Handles().open.clear();
            Handles().closedRunning.clear();
            for (auto& record : all) {
                if (!record->state->ended) {
                    RequestTerminateLocked(*record->state, 0);
                }
            }
        }
        const auto deadline = std::chrono::steady_clock::now() + kProcessEndGrace;
        for (auto& record : all) {
            // This thread's own record may be gone already: poll instead of waiting on it.
            for (;;) {
                {
                    std::lock_guard<std::mutex> lock(StandInMutex());
                    if (record->state->ended) {
                        break;
                    }
                }
                if (std::chrono::steady_clock::now() >= deadline) {
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            bool ended = false;
            {
                std::lock_guard<std::mutex> lock(StandInMutex());
                ended = record->state->ended;
            }
            if (record->thread.joinable()) {
                if (ended) {
                    record->thread.join();
                } else {
                    record->thread.detach();
                }
            }
        }
    }
} g_reaper;

}  // namespace

HANDLE BeginThread(THREAD_START lpStartAddress, void* lpParam, unsigned dwCreationFlags, DWORD* lpThreadId)
{
    if (lpStartAddress == nullptr) {
        return nullptr;
    }
    std::vector<std::shared_ptr<ThreadRecord>> toJoin;
    bool failStart = false;
    {
        std::lock_guard<std::mutex> lock(StandInMutex());
        toJoin = TakeEndedClosedLocked();
        failStart = Handles().failStarts;
    }
    // Join before returning either way: an ended thread dropped unjoined would end the process.
    JoinAll(toJoin);
    if (failStart) {
        return nullptr;
    }

    auto record = std::make_shared<ThreadRecord>();
    record->state = NewThreadState();
    {
        std::lock_guard<std::mutex> lock(StandInMutex());
        if ((dwCreationFlags & CREATE_SUSPENDED) != 0) {
            record->state->suspendCount = 1;
            record->state->attention = true;
        }
        if (Handles().holdStarts) {
            ++record->state->suspendCount;
            record->state->attention = true;
            Handles().heldStarts.push_back(record->state);
        }
    }
    try {
        record->thread = std::thread(ThreadEntry, record->state, lpStartAddress, lpParam);
    } catch (const std::system_error&) {
        MarkThreadEnded(*record->state, 0);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(StandInMutex());
    HANDLE handle = reinterpret_cast<HANDLE>(Handles().nextHandle);
    Handles().nextHandle += 4;
    Handles().open.emplace(handle, record);
    if (lpThreadId != nullptr) {
        *lpThreadId = record->state->id;
    }
    return handle;
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    std::shared_ptr<ThreadState> self = CurrentThread();
    std::unique_lock<std::mutex> lock(StandInMutex());
    SafePointLocked(lock, *self);
    ThreadRecord* found = FindLocked(hHandle);
    if (found == nullptr) {
        return WAIT_FAILED;
    }
    // Keeps the target's record alive even if another thread closes the handle meanwhile.
    std::shared_ptr<ThreadState> target = found->state;
    if (target->ended) {
        return WAIT_OBJECT_0;
    }
    if (dwMilliseconds == 0) {
        return WAIT_TIMEOUT;
    }
    Deadline deadline;
    if (dwMilliseconds != INFINITE) {
        deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(dwMilliseconds);
    }
    return WaitServingLocked(
               lock, *self, [&] { return target->ended; }, deadline)
               ? WAIT_OBJECT_0
               : WAIT_TIMEOUT;
}

BOOL CloseHandle(HANDLE hObject)
{
    std::vector<std::shared_ptr<ThreadRecord>> toJoin;
    {
        std::lock_guard<std::mutex> lock(StandInMutex());
        auto it = Handles().open.find(hObject);
        if (it == Handles().open.end()) {
            return FALSE;
        }
        std::shared_ptr<ThreadRecord> record = std::move(it->second);
        Handles().open.erase(it);
        if (record->state->ended) {
            toJoin.push_back(std::move(record));
        } else {
            Handles().closedRunning.push_back(std::move(record));
        }
        std::vector<std::shared_ptr<ThreadRecord>> more = TakeEndedClosedLocked();
        toJoin.insert(toJoin.end(), more.begin(), more.end());
    }
    JoinAll(toJoin);
    return TRUE;
}

BOOL GetExitCodeThread(HANDLE hThread, DWORD* lpExitCode)
{
    std::lock_guard<std::mutex> lock(StandInMutex());
    ThreadRecord* record = FindLocked(hThread);
    if (record == nullptr || lpExitCode == nullptr) {
        return FALSE;
    }
    *lpExitCode = record->state->ended ? record->state->exitCode : STILL_ACTIVE;
    return TRUE;
}

DWORD SuspendThread(HANDLE hThread)
{
    std::lock_guard<std::mutex> lock(StandInMutex());
    ThreadRecord* record = FindLocked(hThread);
    if (record == nullptr || record->state->suspendCount >= kMaxSuspendCount) {
        return static_cast<DWORD>(-1);
    }
    ThreadState& state = *record->state;
    const DWORD previous = state.suspendCount;
    if (!state.ended) {
        ++state.suspendCount;
        state.attention = true;
    }
    return previous;
}

DWORD ResumeThread(HANDLE hThread)
{
    std::lock_guard<std::mutex> lock(StandInMutex());
    ThreadRecord* record = FindLocked(hThread);
    if (record == nullptr) {
        return static_cast<DWORD>(-1);
    }
    ThreadState& state = *record->state;
    const DWORD previous = state.suspendCount;
    if (state.suspendCount > 0) {
        --state.suspendCount;
    }
    if (state.suspendCount == 0) {
        state.attention = state.terminateRequested;
        state.wake.notify_all();
    }
    return previous;
}

BOOL TerminateThread(HANDLE hThread, DWORD dwExitCode)
{
    bool wakeHost = false;
    {
        std::lock_guard<std::mutex> lock(StandInMutex());
        ThreadRecord* record = FindLocked(hThread);
        if (record == nullptr || record->state->ended) {
            return FALSE;
        }
        RequestTerminateLocked(*record->state, dwExitCode);
        wakeHost = record->state->isMain;
    }
    // A main thread blocked in the host must come out to see the request.
    if (wakeHost) {
        WakeHost();
    }
    return TRUE;
}

void ThreadSafePoint()
{
    std::shared_ptr<ThreadState> self = CurrentThread();
    if (!self->attention.load()) {
        return;
    }
    std::unique_lock<std::mutex> lock(StandInMutex());
    SafePointLocked(lock, *self);
}

bool IsThreadHeldAtSafePoint(HANDLE hThread)
{
    std::lock_guard<std::mutex> lock(StandInMutex());
    ThreadRecord* record = FindLocked(hThread);
    return record != nullptr && record->state->heldAtSafePoint;
}

unsigned TerminateRequestCount(HANDLE hThread)
{
    std::lock_guard<std::mutex> lock(StandInMutex());
    ThreadRecord* record = FindLocked(hThread);
    return record != nullptr ? record->state->terminateRequests : 0;
}

void FailThreadStartsForTest(bool bFail)
{
    std::lock_guard<std::mutex> lock(StandInMutex());
    Handles().failStarts = bFail;
}

void HoldThreadStartsForTest(bool bHold)
{
    std::lock_guard<std::mutex> lock(StandInMutex());
    Handles().holdStarts = bHold;
    if (bHold) {
        return;
    }
    for (const std::shared_ptr<ThreadState>& state : Handles().heldStarts) {
        if (state->suspendCount > 0) {
            --state->suspendCount;
        }
        if (state->suspendCount == 0) {
            state->attention = state->terminateRequested;
            state->wake.notify_all();
        }
    }
    Handles().heldStarts.clear();
}
