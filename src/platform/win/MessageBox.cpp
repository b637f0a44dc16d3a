// Modal message boxes: marshalled to the main thread, shown by the host or answered headless.
#include "platform/win/MessageBox.h"

#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/hostapi/Host.h"
#include "platform/win/CodePage.h"
#include "platform/win/DialogDriver.h"
#include "platform/win/HostLink.h"
#include "platform/win/MessageBoxDialog.h"
#include "platform/win/Messages.h"
#include "platform/win/ThreadState.h"
#include "platform/win/Threads.h"
#include "platform/win/WindowTable.h"

using namespace standin;

namespace {

// How often a headless box with an open hook asks the hook again while nothing is sent to it.
constexpr auto kHookPollInterval = std::chrono::milliseconds(1);

struct Recorder {
    std::mutex mutex;  // guards the members; never held while a box waits or a hook runs
    std::vector<MessageBoxRecord> records;
    std::deque<int> script;
    MessageBoxOpenHook openHook;
};

Recorder& Rec()
{
    static Recorder* recorder = new Recorder;  // boxes may still come while statics are destroyed
    return *recorder;
}

int DefaultAnswer(UINT uType)
{
    const bool second = (uType & 0xF00) == MB_DEFBUTTON2;
    if ((uType & 0x0F) == MB_YESNO) {
        return second ? IDNO : IDYES;
    }
    if ((uType & 0x0F) == MB_OKCANCEL) {
        return second ? IDCANCEL : IDOK;
    }
    return IDOK;
}

// Headless: the box's caption and text on standard error, in one write.
void EchoToStandardError(const MessageBoxRecord& record)
{
    const std::string line = Cp932ToUtf8(record.caption) + ": " + Cp932ToUtf8(record.text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

// Headless: answers from the open hook, the script or the default.
int AnswerHeadless(const MessageBoxRecord& record)
{
    MessageBoxOpenHook hook;
    {
        std::lock_guard<std::mutex> lock(Rec().mutex);
        hook = Rec().openHook;
        if (!hook) {
            if (Rec().script.empty()) {
                return DefaultAnswer(record.type);
            }
            const int answer = Rec().script.front();
            Rec().script.pop_front();
            return answer;
        }
    }
    // The box stays open, serving messages sent to this thread, until the hook answers.
    std::shared_ptr<ThreadState> self = CurrentThread();
    for (;;) {
        if (const int answer = hook(record); answer != 0) {
            return answer;
        }
        std::unique_lock<std::mutex> lock(StandInMutex());
        WaitServingLocked(
            lock, *self, [] { return false; }, std::chrono::steady_clock::now() + kHookPollInterval);
    }
}

// On a screen: the host's box blocks a short-lived helper thread, so that the calling thread can
// keep serving the messages sent to it until the user answers.
int ShowOnScreen(Host& host, const MessageBoxRecord& record)
{
    struct Outcome {
        bool done = false;
        int answer = 0;
    };
    std::shared_ptr<ThreadState> self = CurrentThread();
    auto outcome = std::make_shared<Outcome>();
    std::thread runner([&host, record, outcome, self] {
        const int answer = host.ShowMessageBox(record.text, record.caption, record.type);
        std::lock_guard<std::mutex> lock(StandInMutex());
        outcome->answer = answer;
        outcome->done = true;
        self->wake.notify_all();
    });
    struct Joiner {
        std::thread& thread;
        ~Joiner() { thread.join(); }  // also when a terminate request leaves the wait below
    } joiner{runner};
    std::unique_lock<std::mutex> lock(StandInMutex());
    WaitServingLocked(
        lock, *self, [&] { return outcome->done; }, std::nullopt);
    return outcome->answer;
}

// Records the box and shows it on the calling thread; returns the answer. On the main thread the
// program draws the box itself through the dialog driver, which needs no helper of a desktop;
// the host's own box is left for a driver that could not open its window, and for other threads.
int ShowHere(const MessageBoxRecord& record, bool bMainThread)
{
    {
        std::lock_guard<std::mutex> lock(Rec().mutex);
        Rec().records.push_back(record);
    }
    Host& host = LinkedHost();
    if (host.IsHeadless()) {
        EchoToStandardError(record);
        return AnswerHeadless(record);
    }
    if (DialogDriver* driver = GetDialogDriver(); driver != nullptr && bMainThread) {
        if (const int answer = RunMessageBoxDialog(*driver, record.text, record.caption, record.type); answer != 0) {
            return answer;
        }
    }
    return ShowOnScreen(host, record);
}

}  // namespace

int MessageBoxA(HWND hWnd, const char* szText, const char* szCaption, UINT uType)
{
    ThreadSafePoint();
    MessageBoxRecord record;
    record.threadId = GetCurrentThreadId();
    record.owner = hWnd;
    record.text = szText != nullptr ? szText : "";
    record.caption = szCaption != nullptr ? szCaption : "";
    record.type = uType;

    std::shared_ptr<ThreadState> self = CurrentThread();
    std::shared_ptr<ThreadState> mainThread;
    // Before the first window the thread that asks is taken for the main thread (the start-up's).
    bool bMainThread = true;
    {
        std::lock_guard<std::mutex> lock(StandInMutex());
        std::shared_ptr<ThreadState> candidate = MainThreadLocked();
        if (candidate != nullptr && candidate != self && FindLiveWindowLocked(Windows().mainWindow) != nullptr) {
            mainThread = candidate;
        }
        bMainThread = candidate == nullptr || candidate == self;
    }
    if (mainThread != nullptr) {
        return static_cast<int>(
            CallOnThread(mainThread, [record] { return static_cast<LRESULT>(ShowHere(record, true)); }));
    }
    return ShowHere(record, bMainThread);
}

std::vector<MessageBoxRecord> RecordedMessageBoxes()
{
    std::lock_guard<std::mutex> lock(Rec().mutex);
    return Rec().records;
}

void ClearRecordedMessageBoxes()
{
    std::lock_guard<std::mutex> lock(Rec().mutex);
    Rec().records.clear();
}

void ScriptMessageBoxAnswers(std::vector<int> answers)
{
    std::lock_guard<std::mutex> lock(Rec().mutex);
    Rec().script.assign(answers.begin(), answers.end());
}

void SetMessageBoxOpenHook(MessageBoxOpenHook hook)
{
    std::lock_guard<std::mutex> lock(Rec().mutex);
    Rec().openHook = std::move(hook);
}
