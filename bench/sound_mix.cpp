// Mixing cost of the sound effects: 32 looping voices of every kind (8/16-bit, mono/stereo,
// 11025..48000 Hz) mixed for 10 seconds of 44100 Hz output through the null device. The counter
// "core_percent" is the share of one core that mixing in real time would take (goal: under 1).
// Figures come from the shipped build (bash scripts/build.sh release: -O3 with debug information,
// no sanitizers).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/dsound/DirectSound.h"
#include "platform/host/AudioOutput.h"

namespace {

constexpr int kVoices = 32;
constexpr double kSeconds = 10.0;

LPDIRECTSOUNDBUFFER MakeVoice(LPDIRECTSOUND ds, int index)
{
    static const DWORD kRates[] = {11025, 22050, 44100, 48000};
    WAVEFORMATEX format;
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(1 + index % 2);
    format.wBitsPerSample = static_cast<WORD>(index / 2 % 2 == 0 ? 8 : 16);
    format.nSamplesPerSec = kRates[index / 4 % 4];
    format.nBlockAlign = static_cast<WORD>(format.nChannels * format.wBitsPerSample / 8);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    DSBUFFERDESC desc;
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME;
    desc.dwBufferBytes = format.nAvgBytesPerSec;  // one second
    desc.lpwfxFormat = &format;
    LPDIRECTSOUNDBUFFER b = nullptr;
    if (ds->CreateSoundBuffer(&desc, &b, nullptr) != DS_OK) {
        std::abort();
    }
    void* p = nullptr;
    DWORD n = 0;
    b->Lock(0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER);
    auto* bytes = static_cast<BYTE*>(p);
    for (DWORD i = 0; i < n; ++i) {
        bytes[i] = static_cast<BYTE>((i * 37 + static_cast<DWORD>(index) * 11) & 0xFF);
    }
    b->Unlock(p, n, nullptr, 0);
    b->SetVolume(-600);
    b->Play(0, 0, DSBPLAY_LOOPING);
    return b;
}

void BM_MixThirtyTwoVoices(benchmark::State& state)
{
    setenv("QB_HEADLESS", "1", 1);
    LPDIRECTSOUND ds = nullptr;
    DirectSoundCreate(nullptr, &ds, nullptr);
    std::vector<LPDIRECTSOUNDBUFFER> voices;
    for (int i = 0; i < kVoices; ++i) {
        voices.push_back(MakeVoice(ds, i));
    }
    const auto frames = static_cast<std::size_t>(kSeconds * AudioOutputRate());
    double mixing = 0.0;  // seconds spent mixing
    for (auto _ : state) {
        ClearRecordedAudio();
        const auto start = std::chrono::steady_clock::now();
        PumpNullAudio(frames);
        mixing += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    // Seconds of processor per second of sound, in percent.
    state.counters["core_percent"] = 100.0 * mixing / (kSeconds * static_cast<double>(state.iterations()));
    ClearRecordedAudio();
    for (LPDIRECTSOUNDBUFFER b : voices) {
        b->Release();
    }
    ds->Release();
}

}  // namespace

BENCHMARK(BM_MixThirtyTwoVoices)->Unit(benchmark::kMillisecond);
