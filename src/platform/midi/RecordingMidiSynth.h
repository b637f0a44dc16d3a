// A synthesiser for tests: keeps every message with the time it was due.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/midi/MidiSynth.h"

class RecordingMidiSynth : public MidiSynth {
public:
    struct Entry {
        DWORD timeMs = 0;         // when the message was due, on the stand-in's clock
        std::vector<BYTE> bytes;  // the message
    };

    void Send(DWORD timeMs, const BYTE* data, std::size_t len) override;

    // A copy of what was sent so far, in order.
    std::vector<Entry> Log() const;
    void Clear();
    // Blocks until done(log) holds, re-checked after every message; false when it still does not
    // hold after maxWaitMs of real time (a safety bound against a hung test, not a timing).
    bool WaitUntil(const std::function<bool(const std::vector<Entry>&)>& done, unsigned maxWaitMs = 20000) const;

private:
    mutable std::mutex m_Lock;
    mutable std::condition_variable m_Changed;
    std::vector<Entry> m_Log;
};
