#include "MusicWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <tuple>

#include "WaveWriter.h"

namespace testsupport {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kMelodyChannel = 0;
constexpr int kBassChannel = 1;
constexpr int kVelocity = 100;

void Big32(Bytes& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

void Big16(Bytes& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

// A variable-length number: seven bits per byte, most significant group first, every byte but
// the last with bit 7 set.
void VarLen(Bytes& out, std::uint32_t v)
{
    Bytes groups{static_cast<std::uint8_t>(v & 0x7F)};
    while ((v >>= 7) != 0) {
        groups.insert(groups.begin(), static_cast<std::uint8_t>(0x80 | (v & 0x7F)));
    }
    out.insert(out.end(), groups.begin(), groups.end());
}

int VoiceTicks(const std::vector<NoteSpec>& voice)
{
    int ticks = 0;
    for (const NoteSpec& note : voice) {
        ticks += std::max(note.ticks, 0);
    }
    return ticks;
}

// A timed channel event: tick, 0 for note-off and 1 for note-on (offs first at one tick), bytes.
using TimedEvent = std::tuple<int, int, Bytes>;

// The note events of a voice repeated until length ticks.
void AddVoice(std::vector<TimedEvent>& events, const std::vector<NoteSpec>& voice, int channel, int length)
{
    const int voiceTicks = VoiceTicks(voice);
    if (voiceTicks == 0) {
        return;
    }
    for (int start = 0; start < length; start += voiceTicks) {
        int tick = start;
        for (const NoteSpec& note : voice) {
            const int end = std::min(tick + std::max(note.ticks, 0), length);
            if (note.key > 0 && end > tick) {
                const auto key = static_cast<std::uint8_t>(std::clamp(note.key, 1, 127));
                events.emplace_back(tick, 1, Bytes{static_cast<std::uint8_t>(0x90 | channel), key, kVelocity});
                events.emplace_back(end, 0, Bytes{static_cast<std::uint8_t>(0x80 | channel), key, 0});
            }
            tick += std::max(note.ticks, 0);
            if (tick >= length) {
                break;
            }
        }
    }
}

double KeyHz(int key)
{
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

// Adds the voice's notes to the mix, each with a short fade at its end.
void RenderVoice(std::vector<double>& mix, const std::vector<NoteSpec>& voice, Waveform wave, double volume,
                 double secondsPerTick, int rate, int length)
{
    const int voiceTicks = VoiceTicks(voice);
    if (voiceTicks == 0) {
        return;
    }
    for (int start = 0; start < length; start += voiceTicks) {
        int tick = start;
        for (const NoteSpec& note : voice) {
            const int ticks = std::min(std::max(note.ticks, 0), length - tick);
            if (ticks <= 0) {
                break;
            }
            if (note.key > 0) {
                const int ms = static_cast<int>(ticks * secondsPerTick * 1000.0);
                const double hz = KeyHz(note.key);
                const std::vector<double> tone = Synthesize({ToneSpec{wave, hz, hz, ms, volume, 0.6}}, rate);
                const std::size_t at = static_cast<std::size_t>(tick * secondsPerTick * rate);
                for (std::size_t i = 0; i < tone.size() && at + i < mix.size(); ++i) {
                    mix[at + i] += tone[i];
                }
            }
            tick += ticks;
        }
    }
}

std::string Quoted(const std::filesystem::path& path)
{
    std::string out = "'";
    for (char c : path.string()) {
        if (c == '\'') {
            out += "'\\''";
        } else {
            out += c;
        }
    }
    return out + "'";
}

}  // namespace

int SongTicks(const SongSpec& song)
{
    return std::max(VoiceTicks(song.melody), VoiceTicks(song.bass));
}

std::vector<std::uint8_t> EncodeMidi(const SongSpec& song)
{
    const int length = SongTicks(song);
    std::vector<TimedEvent> events;
    AddVoice(events, song.melody, kMelodyChannel, length);
    AddVoice(events, song.bass, kBassChannel, length);
    std::stable_sort(events.begin(), events.end(), [](const TimedEvent& a, const TimedEvent& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });

    Bytes track;
    const std::uint32_t usPerQuarter = 60000000u / static_cast<std::uint32_t>(std::max(song.beatsPerMinute, 1));
    track.insert(track.end(), {0x00, 0xFF, 0x51, 0x03});
    track.push_back(static_cast<std::uint8_t>(usPerQuarter >> 16));
    track.push_back(static_cast<std::uint8_t>(usPerQuarter >> 8));
    track.push_back(static_cast<std::uint8_t>(usPerQuarter));
    track.insert(track.end(), {0x00, static_cast<std::uint8_t>(0xC0 | kMelodyChannel),
                               static_cast<std::uint8_t>(song.melodyProgram & 0x7F)});
    track.insert(track.end(), {0x00, static_cast<std::uint8_t>(0xC0 | kBassChannel),
                               static_cast<std::uint8_t>(song.bassProgram & 0x7F)});
    int now = 0;
    for (const auto& [tick, order, bytes] : events) {
        VarLen(track, static_cast<std::uint32_t>(tick - now));
        track.insert(track.end(), bytes.begin(), bytes.end());
        now = tick;
    }
    VarLen(track, static_cast<std::uint32_t>(length - now));
    track.insert(track.end(), {0xFF, 0x2F, 0x00});

    Bytes out{'M', 'T', 'h', 'd'};
    Big32(out, 6);
    Big16(out, 0);
    Big16(out, 1);
    Big16(out, kTicksPerQuarter);
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    Big32(out, static_cast<std::uint32_t>(track.size()));
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

std::vector<std::uint8_t> RenderSongWav(const SongSpec& song, int rate)
{
    const int length = SongTicks(song);
    const double secondsPerTick = 60.0 / (std::max(song.beatsPerMinute, 1) * double(kTicksPerQuarter));
    std::vector<double> mix(static_cast<std::size_t>(length * secondsPerTick * rate) + 1, 0.0);
    RenderVoice(mix, song.melody, Waveform::Square, 0.2, secondsPerTick, rate, length);
    RenderVoice(mix, song.bass, Waveform::Triangle, 0.3, secondsPerTick, rate, length);
    return EncodeWav(mix, rate, 16);
}

bool EncodeOgg(const std::vector<std::uint8_t>& wav, const std::filesystem::path& ogg)
{
    std::error_code ignored;
    std::filesystem::create_directories(ogg.parent_path(), ignored);
    const std::filesystem::path source = ogg.string() + ".source.wav";
    {
        std::ofstream out(source, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
        if (!out) {
            return false;
        }
    }
    const std::string command = "oggenc -Q -o " + Quoted(ogg) + " " + Quoted(source) + " >/dev/null 2>&1";
    const bool ok = std::system(command.c_str()) == 0 && std::filesystem::exists(ogg, ignored);
    std::filesystem::remove(source, ignored);
    return ok;
}

}  // namespace testsupport
