// The process's one audio output: the mixer, and either the SDL device or the null device.
#include "platform/host/AudioOutput.h"

#include <atomic>
#include <mutex>

#include "platform/host/AudioMixer.h"
#include "platform/host/NullAudioDevice.h"
#include "platform/host/SdlAudioDevice.h"
#include "platform/hostapi/Host.h"

namespace {

constexpr int kNullRate = 44100;

struct OutputState {
    std::mutex openMutex;  // open and close
    bool opened = false;
    bool openResult = true;
    AudioMixer mixer;
    NullAudioDevice null;
    std::unique_ptr<SdlAudioDevice> device;
    std::atomic<bool> real{false};
    std::atomic<int> rate{kNullRate};
    std::atomic<bool> noticeDue{false};
};

// Never destroyed: SDL's audio thread or a late sound user may still reach it during exit.
OutputState& State()
{
    static OutputState* state = new OutputState;
    return *state;
}

}  // namespace

bool OpenAudioOutput()
{
    OutputState& s = State();
    std::lock_guard lock(s.openMutex);
    if (s.opened) {
        return s.openResult;
    }
    s.opened = true;
    s.openResult = true;
    if (HeadlessRequested()) {
        return true;
    }
    SyncNullAudio();  // what the null device owes up to now
    s.device = SdlAudioDevice::Open(s.mixer);
    if (!s.device) {
        s.openResult = false;
        s.noticeDue = true;
        return false;
    }
    s.rate = s.device->Rate();
    s.real = true;
    return true;
}

void CloseAudioOutput()
{
    OutputState& s = State();
    std::lock_guard lock(s.openMutex);
    if (s.device) {
        s.real = false;
        s.device.reset();
        s.rate = kNullRate;
        s.null.Rebase();
    }
    s.opened = false;
}

bool TakeAudioOutputNotice()
{
    return State().noticeDue.exchange(false);
}

bool AudioOutputIsReal()
{
    return State().real;
}

int AudioOutputRate()
{
    return State().rate;
}

void AddAudioSource(std::shared_ptr<AudioSource> source)
{
    SyncNullAudio();
    State().mixer.Add(std::move(source));
}

void RemoveAudioSource(const AudioSource* source)
{
    SyncNullAudio();
    State().mixer.Remove(source);
}

void SyncNullAudio()
{
    OutputState& s = State();
    if (!s.real) {
        s.null.Sync(s.mixer, s.rate);
    }
}

void PumpNullAudio(std::size_t frames)
{
    OutputState& s = State();
    if (!s.real) {
        s.null.Pump(s.mixer, frames);
    }
}

std::vector<std::int16_t> RecordedAudio()
{
    SyncNullAudio();
    return State().null.Recorded();
}

void ClearRecordedAudio()
{
    SyncNullAudio();
    State().null.ClearRecord();
}
