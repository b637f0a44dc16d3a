// The real synthesiser: FluidSynth with a General MIDI SoundFont, rendering into the mixer.
//
// Messages are queued with the output frame they are due at and applied inside Render at that
// frame, so notes start on the sample, not on the mixer's block boundaries. The due frame comes
// from the message's time: the first message anchors its time to the frames rendered so far plus
// a latency (100 ms on the real clock, none on the virtual clock, where tests and benchmarks pump
// the mixer themselves); a message that would already be late, or (real clock) that lies more than
// half a second beyond the latency, re-anchors the mapping instead.
#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/host/AudioOutput.h"
#include "platform/midi/MidiSynth.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;

class FluidMidiSynth : public MidiSynth, public AudioSource {
public:
    // Loads the SoundFont (host path) into a synthesiser at `rate` frames per second; nullptr with
    // the reason in *pWhy when FluidSynth cannot start or the SoundFont cannot be loaded.
    static std::shared_ptr<FluidMidiSynth> Create(const std::string& soundFont, int rate, std::string* pWhy);
    ~FluidMidiSynth() override;
    FluidMidiSynth(const FluidMidiSynth&) = delete;
    FluidMidiSynth& operator=(const FluidMidiSynth&) = delete;

    // Any thread: queues the message for its frame.
    void Send(DWORD timeMs, const BYTE* data, std::size_t len) override;
    // Audio thread: applies the messages due in this block and adds the synthesised frames.
    void Render(float* out, std::size_t frames) override;

private:
    struct Pending {
        long long frame = 0;
        BYTE bytes[3] = {};
        std::size_t len = 0;
        std::vector<BYTE> sysex;  // system exclusive only
    };

    FluidMidiSynth(_fluid_hashtable_t* settings, _fluid_synth_t* synth, int rate);
    long long FrameOf(DWORD timeMs);
    void Apply(const Pending& ev);
    void Synthesise(float* out, std::size_t from, std::size_t to);

    _fluid_hashtable_t* m_Settings;
    _fluid_synth_t* m_Synth;
    const int m_Rate;

    std::mutex m_Lock;  // guards the queue and the time mapping
    std::deque<Pending> m_Queue;
    long long m_Rendered = 0;  // frames rendered so far
    bool m_bAnchored = false;
    DWORD m_AnchorMs = 0;
    long long m_AnchorFrame = 0;

    std::vector<Pending> m_Due;  // audio thread only
    std::vector<float> m_Left, m_Right;
};
