#include "platform/win/ThreadState.h"

#include <exception>
#include <map>
#include <utility>

#include "platform/hostapi/Host.h"
#include "platform/win/HostLink.h"

namespace standin {

namespace {

struct Registry {
    std::mutex mutex;
    std::map<DWORD, std::shared_ptr<ThreadState>> live;  // threads that have not ended
    DWORD nextId = 0x1000;
    std::atomic<bool> closeBegun{false};  // written with the lock held
};

// Never destroyed: threads may still call in while static objects are torn down at exit.
Registry& Reg()
{
    static Registry* registry = new Registry;
    return *registry;
}

// Ends the record of a thread that was not started by BeginThread when that thread exits.
struct LocalRecord {
    std::shared_ptr<ThreadState> state;
    ~LocalRecord()
    {
        if (state) {
            MarkThreadEnded(*state, 0);
        }
    }
};

thread_local LocalRecord t_record;

std::shared_ptr<ThreadState> RegisterLocked()
{
    Registry& reg = Reg();
    auto state = std::make_shared<ThreadState>();
    state->id = reg.nextId;
    reg.nextId += 4;  // Windows thread ids are multiples of 4; nothing relies on it
    reg.live.emplace(state->id, state);
    return state;
}

}  // namespace

std::mutex& StandInMutex()
{
    return Reg().mutex;
}

std::shared_ptr<ThreadState> CurrentThread()
{
    if (!t_record.state) {
        std::lock_guard<std::mutex> lock(StandInMutex());
        t_record.state = RegisterLocked();
    }
    return t_record.state;
}

std::shared_ptr<ThreadState> NewThreadState()
{
    std::lock_guard<std::mutex> lock(StandInMutex());
    return RegisterLocked();
}

void AdoptThreadState(std::shared_ptr<ThreadState> state)
{
    t_record.state = std::move(state);
}

void MarkThreadEnded(ThreadState& state, DWORD exitCode)
{
    std::lock_guard<std::mutex> lock(StandInMutex());
    if (state.ended) {
        return;
    }
    state.ended = true;
    state.exitCode = exitCode;
    state.attention = false;
    for (const std::shared_ptr<SentCall>& call : state.inbox) {
        CompleteCallLocked(*call, 0);
    }
    state.inbox.clear();
    state.posted.clear();
    Reg().live.erase(state.id);
    // Whoever waits for this thread's handle waits on its own condition variable.
    for (auto& [id, other] : Reg().live) {
        other->wake.notify_all();
    }
}

ThreadState* FindThreadLocked(DWORD id)
{
    auto it = Reg().live.find(id);
    return it == Reg().live.end() ? nullptr : it->second.get();
}

void ForEachThreadLocked(const std::function<void(ThreadState&)>& fn)
{
    for (auto& [id, state] : Reg().live) {
        fn(*state);
    }
}

void SafePointLocked(std::unique_lock<std::mutex>& lock, ThreadState& self)
{
    while (self.suspendCount > 0 && !self.terminateRequested) {
        self.heldAtSafePoint = true;
        self.wake.wait(lock);
    }
    self.heldAtSafePoint = false;
    if (self.terminateRequested && std::uncaught_exceptions() == 0) {
        throw ThreadTerminated{};
    }
}

void CompleteCallLocked(SentCall& call, LRESULT result)
{
    if (call.done) {
        return;
    }
    call.done = true;
    call.result = result;
    if (call.sender) {
        call.sender->wake.notify_all();
    }
}

bool ServeSentCallsLocked(std::unique_lock<std::mutex>& lock, ThreadState& self)
{
    bool served = false;
    while (!self.inbox.empty()) {
        std::shared_ptr<SentCall> call = std::move(self.inbox.front());
        self.inbox.pop_front();
        served = true;
        lock.unlock();
        LRESULT result = 0;
        try {
            result = call->run();
        } catch (...) {
            // A terminate request (or a fault) leaves the procedure: the sender must not wait on.
            lock.lock();
            CompleteCallLocked(*call, 0);
            throw;
        }
        lock.lock();
        CompleteCallLocked(*call, result);
    }
    return served;
}

bool WaitServingLocked(std::unique_lock<std::mutex>& lock, ThreadState& self, const std::function<bool()>& done,
                       Deadline deadline)
{
    for (;;) {
        SafePointLocked(lock, self);
        if (ServeSentCallsLocked(lock, self)) {
            continue;
        }
        if (done()) {
            return true;
        }
        if (deadline && std::chrono::steady_clock::now() >= *deadline) {
            return false;
        }
        if (deadline) {
            self.wake.wait_until(lock, *deadline);
        } else {
            self.wake.wait(lock);
        }
    }
}

LRESULT CallOnThread(const std::shared_ptr<ThreadState>& target, std::function<LRESULT()> fn)
{
    std::shared_ptr<ThreadState> self = CurrentThread();
    std::unique_lock<std::mutex> lock(StandInMutex());
    SafePointLocked(lock, *self);
    if (target.get() == self.get()) {
        lock.unlock();
        return fn();
    }
    if (Reg().closeBegun || target->ended) {
        return 0;
    }
    auto call = std::make_shared<SentCall>();
    call->run = std::move(fn);
    call->sender = self;
    target->inbox.push_back(call);
    if (WakeThreadLocked(*target)) {
        lock.unlock();
        WakeHost();
        lock.lock();
    }
    WaitServingLocked(
        lock, *self, [&] { return call->done || Reg().closeBegun; }, std::nullopt);
    return call->done ? call->result : 0;
}

bool WakeThreadLocked(ThreadState& target)
{
    target.wake.notify_all();
    return target.isMain;
}

void WakeHost()
{
    LinkedHost().Wake();
}

bool CloseSequenceBegunLocked()
{
    return Reg().closeBegun;
}

void SleepUntil(std::chrono::steady_clock::time_point deadline)
{
    std::shared_ptr<ThreadState> self = CurrentThread();
    std::unique_lock<std::mutex> lock(StandInMutex());
    SafePointLocked(lock, *self);
    while (!self->terminateRequested && std::chrono::steady_clock::now() < deadline) {
        self->wake.wait_until(lock, deadline);
    }
    SafePointLocked(lock, *self);
}

void ClearCloseSequenceForTest()
{
    std::lock_guard<std::mutex> lock(StandInMutex());
    Reg().closeBegun = false;
}

}  // namespace standin

void BeginCloseSequence()
{
    using namespace standin;
    std::lock_guard<std::mutex> lock(StandInMutex());
    Reg().closeBegun = true;
    for (auto& [id, state] : Reg().live) {
        for (const std::shared_ptr<SentCall>& call : state->inbox) {
            CompleteCallLocked(*call, 0);
        }
        state->inbox.clear();
        // Senders waiting for a call that is running right now let go too.
        state->wake.notify_all();
    }
}

bool IsCloseSequenceBegun()
{
    return standin::Reg().closeBegun;
}
