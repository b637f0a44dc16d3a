#include "platform/midi/RecordingMidiSynth.h"

#include <chrono>

void RecordingMidiSynth::Send(DWORD timeMs, const BYTE* data, std::size_t len)
{
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        m_Log.push_back(Entry{timeMs, std::vector<BYTE>(data, data + len)});
    }
    m_Changed.notify_all();
}

std::vector<RecordingMidiSynth::Entry> RecordingMidiSynth::Log() const
{
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_Log;
}

void RecordingMidiSynth::Clear()
{
    std::lock_guard<std::mutex> lock(m_Lock);
    m_Log.clear();
}

bool RecordingMidiSynth::WaitUntil(const std::function<bool(const std::vector<Entry>&)>& done, unsigned maxWaitMs) const
{
    std::unique_lock<std::mutex> lock(m_Lock);
    return m_Changed.wait_for(lock, std::chrono::milliseconds(maxWaitMs), [&] { return done(m_Log); });
}
