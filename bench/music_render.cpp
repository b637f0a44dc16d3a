// Music rendering speed against the reference tools, in one run:
// - one minute of a dense General MIDI file (16 channels, eighth notes) through our MIDI file
//   reader, stream player, stream and FluidSynth, against `fluidsynth -F` on the same file with
//   the same SoundFont; goal: ours within 10 % of it (ratio <= 1.10);
// - one minute of OGG through our player library and the mixer, against `oggdec`; goal: within
//   10 %.
// Each pair prints the least CPU time of three runs of ours and of the tool, and their ratio
// (ours / tool). The tools come from Debian's fluidsynth and vorbis-tools (scripts/deps.sh).
// Figures come from the shipped build (bash scripts/build.sh release: -O3 with debug information,
// no sanitizers).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <ctime>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/host/AudioOutput.h"
#include "platform/midi/FluidMidiSynth.h"
#include "platform/midi/MidiStream.h"
#include "platform/midi/MidiSynth.h"
#include "platform/vox/VoxPlayer.h"
#include "platform/win/DynamicLibrary.h"
#include "platform/win/Files.h"
#include "platform/win/Time.h"
#include "sound/Midi.h"

namespace {

constexpr int kRate = 44100;
constexpr int kSeconds = 60;
const char* const kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

std::filesystem::path WorkFolder()
{
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() / "qb_bench_music";
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

// CPU seconds (user and system) of this process's threads.
double ProcessCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
}

// CPU seconds of the child processes waited for so far.
double ChildrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// CPU seconds the command took; -1 when it failed.
double CommandCpuSeconds(const std::string& command)
{
    const double before = ChildrenCpuSeconds();
    if (std::system(command.c_str()) != 0) return -1.0;
    return ChildrenCpuSeconds() - before;
}

// Runs ours and the tool in turn, kRounds times, and reports the least CPU time of each (the
// machine's other load only ever adds to it) and their ratio.
constexpr int kRounds = 3;
template <class Ours, class Tool>
void Compare(benchmark::State& state, const char* what, const char* toolName, Ours ours, Tool tool)
{
    double bestOurs = 1e30;
    double bestTool = 1e30;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            const double o = ours();
            const double t = tool();
            if (o < 0 || t < 0) {
                state.SkipWithError("a library, the SoundFont or a tool is missing (scripts/deps.sh)");
                return;
            }
            bestOurs = std::min(bestOurs, o);
            bestTool = std::min(bestTool, t);
        }
    }
    state.counters["ours_cpu_s"] = bestOurs;
    state.counters[std::string(toolName) + "_cpu_s"] = bestTool;
    state.counters["ratio"] = bestOurs / bestTool;
    std::printf("%s: ours %.3f s, %s %.3f s of CPU, ratio %.3f (goal <= 1.10)\n", what, bestOurs, toolName, bestTool,
                bestOurs / bestTool);
}

// Big-endian helpers for the MIDI file.
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

// One minute at 120 beats per minute: on each of 16 channels (10 the drums) eighth notes of
// changing pitch, with a program per channel.
std::filesystem::path DenseMidiFile()
{
    const std::filesystem::path path = WorkFolder() / "dense.mid";
    std::vector<std::uint8_t> events;
    auto event = [&](std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
        std::uint8_t groups[4];
        int n = 0;
        do {
            groups[n++] = static_cast<std::uint8_t>(delta & 0x7F);
            delta >>= 7;
        } while (delta != 0);
        while (n > 1) events.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
        events.push_back(groups[0]);
        events.insert(events.end(), bytes);
    };
    event(0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
    for (int ch = 0; ch < 16; ++ch)
        event(0, {static_cast<std::uint8_t>(0xC0 | ch), static_cast<std::uint8_t>((ch * 8) % 128)});
    const int eighths = kSeconds * 2 * 2;  // 120 beats per minute, two eighths a beat
    for (int step = 0; step < eighths; ++step) {
        for (int ch = 0; ch < 16; ++ch) {
            const int key = ch == 9 ? 35 + (step % 12) : 40 + ((step * 7 + ch * 5) % 40);
            event(0, {static_cast<std::uint8_t>(0x90 | ch), static_cast<std::uint8_t>(key), 90});
        }
        for (int ch = 0; ch < 16; ++ch) {
            const int key = ch == 9 ? 35 + (step % 12) : 40 + ((step * 7 + ch * 5) % 40);
            event(ch == 0 ? 48 : 0, {static_cast<std::uint8_t>(0x80 | ch), static_cast<std::uint8_t>(key), 0});
        }
    }
    event(0, {0xFF, 0x2F, 0x00});
    std::vector<std::uint8_t> file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k'};
    Put32(file, static_cast<std::uint32_t>(events.size()));
    file.insert(file.end(), events.begin(), events.end());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return path;
}

// Ours: SoundFont load, file conversion, the stream on the virtual clock, and rendering the
// minute in blocks of 512 frames as the device would pull them. CPU seconds of all threads.
double RenderMidiOurs(const std::filesystem::path& file)
{
    const double start = ProcessCpuSeconds();
    std::string why;
    auto synth = FluidMidiSynth::Create(kSoundFont, kRate, &why);
    if (!synth) return -1.0;
    SetMidiSynth(synth);
    {
        cMidi player(GamePath(file.string()).c_str());
        player.Restart(0);
        while (player.GetState() != cMidi::kStopped) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::vector<float> block(512 * 2);
        for (long frames = 0; frames < static_cast<long>(kRate) * kSeconds; frames += 512) {
            std::fill(block.begin(), block.end(), 0.0f);
            synth->Render(block.data(), 512);
            benchmark::DoNotOptimize(block.data());
        }
    }
    SetMidiSynth(nullptr);
    return ProcessCpuSeconds() - start;
}

void BM_MidiMinuteOursVsFluidsynth(benchmark::State& state)
{
    UseVirtualClock(true, 0);
    SetMidiClockDriving(true);  // the sequencer runs through the minute at once
    const std::filesystem::path file = DenseMidiFile();
    const std::string wav = (WorkFolder() / "fluidsynth.wav").string();
    Compare(
        state, "MIDI minute", "fluidsynth", [&] { return RenderMidiOurs(file); },
        [&] {
            return CommandCpuSeconds("fluidsynth -ni -q -r " + std::to_string(kRate) + " -F '" + wav + "' '" +
                                     kSoundFont + "' '" + file.string() + "' > /dev/null 2>&1");
        });
    SetMidiClockDriving(false);
    UseVirtualClock(false);
}
BENCHMARK(BM_MidiMinuteOursVsFluidsynth)->Iterations(1)->Unit(benchmark::kMillisecond);

// A minute of stereo music-like sound (two detuned tones and a slow tremolo) as OGG.
std::filesystem::path MinuteOfOgg()
{
    const std::filesystem::path ogg = WorkFolder() / "minute.ogg";
    if (std::filesystem::exists(ogg)) return ogg;
    const std::filesystem::path raw = WorkFolder() / "minute.raw";
    {
        std::ofstream out(raw, std::ios::binary);
        for (long i = 0; i < static_cast<long>(kRate) * kSeconds; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double env = 0.6 + 0.4 * std::sin(2 * M_PI * 0.5 * t);
            const std::int16_t l = static_cast<std::int16_t>(12000 * env * std::sin(2 * M_PI * 220 * t));
            const std::int16_t r = static_cast<std::int16_t>(12000 * env * std::sin(2 * M_PI * 331 * t));
            out.write(reinterpret_cast<const char*>(&l), 2);
            out.write(reinterpret_cast<const char*>(&r), 2);
        }
    }
    const std::string command =
        "oggenc -Q -r -B 16 -C 2 -R " + std::to_string(kRate) + " -o '" + ogg.string() + "' '" + raw.string() + "'";
    std::system(command.c_str());
    std::filesystem::remove(raw);
    return ogg;
}

// Ours: open the file with the library's player and pull the minute through the mixer.
double DecodeOggOurs(const std::filesystem::path& file)
{
    HMODULE library = LoadLibraryA("Vox.dll");
    auto create = library ? reinterpret_cast<CREATEVOX>(GetProcAddress(library, "CreateVox")) : nullptr;
    if (create == nullptr) return -1.0;
    const double start = ProcessCpuSeconds();
    VoxPlayer* player = create();
    if (!player->Open(GamePath(file.string()).c_str())) return -1.0;
    player->Play();
    for (long frames = 0; frames < static_cast<long>(kRate) * kSeconds; frames += 1024) {
        PumpNullAudio(1024);
        if ((frames / 1024) % 256 == 0) ClearRecordedAudio();
    }
    player->Destroy();
    const double seconds = ProcessCpuSeconds() - start;
    FreeLibrary(library);
    return seconds;
}

void BM_OggMinuteOursVsOggdec(benchmark::State& state)
{
    setenv("QB_HEADLESS", "1", 1);
    UseVirtualClock(true, 0);
    OpenAudioOutput();
    const std::filesystem::path file = MinuteOfOgg();
    const std::string wav = (WorkFolder() / "oggdec.wav").string();
    Compare(
        state, "OGG minute", "oggdec", [&] { return DecodeOggOurs(file); },
        [&] { return CommandCpuSeconds("oggdec -Q -o '" + wav + "' '" + file.string() + "'"); });
    UseVirtualClock(false);
}
BENCHMARK(BM_OggMinuteOursVsOggdec)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
