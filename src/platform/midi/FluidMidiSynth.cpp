#include "platform/midi/FluidMidiSynth.h"

#include <fluidsynth.h>

#include <algorithm>

#include "platform/win/Time.h"

namespace {

constexpr std::size_t kMaxQueued = 1 << 16;  // beyond this, the oldest message is applied at once
constexpr std::size_t kChunkFrames = 4096;

void QuietFluidLog()
{
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
}

}  // namespace

std::shared_ptr<FluidMidiSynth> FluidMidiSynth::Create(const std::string& soundFont, int rate, std::string* pWhy)
{
    QuietFluidLog();
    fluid_settings_t* settings = new_fluid_settings();
    if (settings == nullptr) {
        *pWhy = "FluidSynth settings could not be created";
        return nullptr;
    }
    fluid_settings_setnum(settings, "synth.sample-rate", rate);
    fluid_synth_t* synth = new_fluid_synth(settings);
    if (synth == nullptr) {
        delete_fluid_settings(settings);
        *pWhy = "FluidSynth could not be started";
        return nullptr;
    }
    if (fluid_synth_sfload(synth, soundFont.c_str(), 1) == FLUID_FAILED) {
        delete_fluid_synth(synth);
        delete_fluid_settings(settings);
        *pWhy = "the SoundFont " + soundFont + " could not be loaded";
        return nullptr;
    }
    return std::shared_ptr<FluidMidiSynth>(new FluidMidiSynth(settings, synth, rate));
}

FluidMidiSynth::FluidMidiSynth(fluid_settings_t* settings, fluid_synth_t* synth, int rate)
    : m_Settings(settings), m_Synth(synth), m_Rate(rate > 0 ? rate : 44100)
{
    m_Left.resize(kChunkFrames);
    m_Right.resize(kChunkFrames);
}

FluidMidiSynth::~FluidMidiSynth()
{
    delete_fluid_synth(m_Synth);
    delete_fluid_settings(m_Settings);
}

void FluidMidiSynth::Send(DWORD timeMs, const BYTE* data, std::size_t len)
{
    if (len == 0) return;
    Pending ev;
    if (data[0] == 0xF0) {
        ev.sysex.assign(data, data + len);
    } else if (data[0] >= 0x80 && data[0] < 0xF0 && len <= 3) {
        std::copy(data, data + len, ev.bytes);
        ev.len = len;
    } else {
        return;  // F7 packets and system messages have no meaning for the synthesiser
    }
    std::lock_guard<std::mutex> lock(m_Lock);
    ev.frame = FrameOf(timeMs);
    if (m_Queue.size() >= kMaxQueued) {  // nobody renders: keep the state, drop the timing
        Apply(m_Queue.front());
        m_Queue.pop_front();
    }
    m_Queue.push_back(std::move(ev));
}

long long FluidMidiSynth::FrameOf(DWORD timeMs)
{
    const bool bVirtual = IsVirtualClock();
    const long long latency = bVirtual ? 0 : m_Rate / 10;
    if (!m_bAnchored) {
        m_bAnchored = true;
        m_AnchorMs = timeMs;
        m_AnchorFrame = m_Rendered + latency;
    }
    const long long sinceMs = static_cast<std::int32_t>(timeMs - m_AnchorMs);
    long long frame = m_AnchorFrame + sinceMs * m_Rate / 1000;
    const bool bLate = frame < m_Rendered;
    const bool bFarAhead = !bVirtual && frame > m_Rendered + latency + m_Rate / 2;
    if (bLate || bFarAhead) {
        m_AnchorMs = timeMs;
        m_AnchorFrame = m_Rendered + latency;
        frame = m_AnchorFrame;
    }
    return frame;
}

void FluidMidiSynth::Render(float* out, std::size_t frames)
{
    long long start;
    m_Due.clear();
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        start = m_Rendered;
        const long long end = start + static_cast<long long>(frames);
        while (!m_Queue.empty() && m_Queue.front().frame < end) {
            m_Due.push_back(std::move(m_Queue.front()));
            m_Queue.pop_front();
        }
        m_Rendered = end;
    }
    std::size_t pos = 0;
    for (const Pending& ev : m_Due) {
        const std::size_t at = static_cast<std::size_t>(std::clamp<long long>(ev.frame - start, 0, frames));
        if (at > pos) {
            Synthesise(out, pos, at);
            pos = at;
        }
        Apply(ev);
    }
    Synthesise(out, pos, frames);
}

void FluidMidiSynth::Synthesise(float* out, std::size_t from, std::size_t to)
{
    while (from < to) {
        const std::size_t n = std::min(to - from, kChunkFrames);
        fluid_synth_write_float(m_Synth, static_cast<int>(n), m_Left.data(), 0, 1, m_Right.data(), 0, 1);
        float* dst = out + 2 * from;
        for (std::size_t i = 0; i < n; ++i) {
            dst[2 * i] += m_Left[i];
            dst[2 * i + 1] += m_Right[i];
        }
        from += n;
    }
}

void FluidMidiSynth::Apply(const Pending& ev)
{
    if (!ev.sysex.empty()) {
        // FluidSynth takes the message without its F0 and F7 framing.
        std::size_t len = ev.sysex.size() - 1;
        if (len > 0 && ev.sysex.back() == 0xF7) --len;
        fluid_synth_sysex(m_Synth, reinterpret_cast<const char*>(ev.sysex.data() + 1), static_cast<int>(len), nullptr,
                          nullptr, nullptr, 0);
        return;
    }
    const int ch = ev.bytes[0] & 0x0F;
    const int a = ev.bytes[1];
    const int b = ev.bytes[2];
    switch (ev.bytes[0] & 0xF0) {
    case 0x80: fluid_synth_noteoff(m_Synth, ch, a); break;
    case 0x90:
        if (b == 0)
            fluid_synth_noteoff(m_Synth, ch, a);
        else
            fluid_synth_noteon(m_Synth, ch, a, b);
        break;
    case 0xA0: fluid_synth_key_pressure(m_Synth, ch, a, b); break;
    case 0xB0: fluid_synth_cc(m_Synth, ch, a, b); break;
    case 0xC0: fluid_synth_program_change(m_Synth, ch, a); break;
    case 0xD0: fluid_synth_channel_pressure(m_Synth, ch, a); break;
    case 0xE0: fluid_synth_pitch_bend(m_Synth, ch, a | (b << 7)); break;
    default: break;
    }
}
