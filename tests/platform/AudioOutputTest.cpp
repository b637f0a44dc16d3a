// The audio output: the mixer's sum and 16-bit conversion, the null device on the virtual clock,
// and the real SDL path, proved with SDL's "disk" driver, which writes the device's output to a
// file.
#include "platform/host/AudioOutput.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <thread>

#include "WavBytes.h"
#include "platform/dsound/DirectSound.h"
#include "platform/host/AudioMixer.h"
#include "platform/host/NullAudioDevice.h"
#include "platform/host/SdlAudioDevice.h"
#include "platform/win/Time.h"

namespace {

// Adds a constant to both channels and counts its calls.
class ConstantSource : public AudioSource {
public:
    explicit ConstantSource(float value) : value_(value) {}
    void Render(float* out, std::size_t frames) override
    {
        ++calls;
        for (std::size_t i = 0; i < frames * 2; ++i) {
            out[i] += value_;
        }
    }
    std::atomic<int> calls{0};

private:
    float value_;
};

class NullOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("QB_HEADLESS", "1", 1);
        UseVirtualClock(true, 0);
        ASSERT_TRUE(OpenAudioOutput());
        ASSERT_FALSE(AudioOutputIsReal());
        ClearRecordedAudio();
    }
    void TearDown() override
    {
        for (const auto& s : sources_) {
            RemoveAudioSource(s.get());
        }
        UseVirtualClock(false);
    }
    std::shared_ptr<ConstantSource> Add(float value)
    {
        auto s = std::make_shared<ConstantSource>(value);
        sources_.push_back(s);
        AddAudioSource(s);
        return s;
    }
    std::vector<std::shared_ptr<ConstantSource>> sources_;
};

}  // namespace

TEST(AudioMixer, ConvertsToSixteenBitsWithClipping)
{
    const struct {
        float in;
        int out;
    } cases[] = {{0.0f, 0},
                 {0.5f, 16384},
                 {127.0f / 128.0f, 32512},
                 {-1.0f, -32768},
                 {1.0f, 32767},
                 {3.0f, 32767},
                 {-3.0f, -32768},
                 {1.0f / 65536.0f, 0},
                 {-0.25f, -8192},
                 {std::numeric_limits<float>::quiet_NaN(), -32768}};
    for (const auto& c : cases) {
        EXPECT_EQ(AudioMixer::ToInt16(c.in), c.out) << c.in;
    }
}

TEST(AudioMixer, SumsSourcesAndForgetsRemovedOnes)
{
    AudioMixer mixer;
    auto a = std::make_shared<ConstantSource>(0.25f);
    auto b = std::make_shared<ConstantSource>(0.125f);
    mixer.Add(a);
    mixer.Add(b);
    std::vector<std::int16_t> out(2 * 3000, 1);
    mixer.Mix(out.data(), 3000);  // more than one internal chunk
    for (std::int16_t v : out) {
        ASSERT_EQ(v, 12288);
    }
    mixer.Remove(a.get());
    const int callsBefore = a->calls;
    mixer.Mix(out.data(), 10);
    EXPECT_EQ(a->calls, callsBefore);
    EXPECT_EQ(out[0], 4096);
}

TEST_F(NullOutputTest, MixesAlongTheVirtualClock)
{
    Add(0.5f);
    AdvanceVirtualClock(100);
    EXPECT_EQ(RecordedAudio().size(), 2u * 4410);
    PumpNullAudio(1000);  // ahead of the clock
    EXPECT_EQ(RecordedAudio().size(), 2u * 5410);
    AdvanceVirtualClock(10);  // 110 ms = 4851 frames: still owed nothing
    EXPECT_EQ(RecordedAudio().size(), 2u * 5410);
    AdvanceVirtualClock(20);  // 130 ms = 5733 frames
    const std::vector<std::int16_t> pcm = RecordedAudio();
    ASSERT_EQ(pcm.size(), 2u * 5733);
    EXPECT_EQ(pcm.back(), 16384);
    ClearRecordedAudio();
    EXPECT_TRUE(RecordedAudio().empty());
}

TEST_F(NullOutputTest, ClockJumpsAreNotMixed)
{
    Add(0.5f);
    AdvanceVirtualClock(10);
    EXPECT_EQ(RecordedAudio().size(), 2u * 441);
    UseVirtualClock(true, 0);  // back to 0
    EXPECT_EQ(RecordedAudio().size(), 2u * 441);
    AdvanceVirtualClock(NullAudioDevice::kMaxCatchUpMs + 1);
    EXPECT_EQ(RecordedAudio().size(), 2u * 441);
    AdvanceVirtualClock(10);  // ordinary time again
    EXPECT_EQ(RecordedAudio().size(), 2u * 882);
}

// The real device path: a sound effect played through the DirectSound stand-in arrives in the
// file SDL's disk driver writes, at its length and level.
TEST(SdlAudioOutput, SoundEffectReachesTheDeviceOutput)
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("qb_disk_audio_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".raw");
    std::filesystem::remove(file);
    CloseAudioOutput();
    unsetenv("QB_HEADLESS");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    const bool opened = OpenAudioOutput();
    setenv("QB_HEADLESS", "1", 1);
    unsetenv("SDL_AUDIODRIVER");
    ASSERT_TRUE(opened);
    ASSERT_TRUE(AudioOutputIsReal());
    const int rate = AudioOutputRate();
    const int frames = rate / 10;  // 0.1 s

    LPDIRECTSOUND ds = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
    WAVEFORMATEX format;
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = static_cast<DWORD>(rate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = format.nSamplesPerSec * 2;
    const std::vector<std::uint8_t> samples = wavbytes::S16(std::vector<int>(static_cast<std::size_t>(frames), 12000));
    DSBUFFERDESC desc;
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME;
    desc.dwBufferBytes = static_cast<DWORD>(samples.size());
    desc.lpwfxFormat = &format;
    LPDIRECTSOUNDBUFFER b = nullptr;
    ASSERT_EQ(ds->CreateSoundBuffer(&desc, &b, nullptr), DS_OK);
    void* p = nullptr;
    DWORD n = 0;
    ASSERT_EQ(b->Lock(0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
    std::memcpy(p, samples.data(), n);
    b->Unlock(p, n, nullptr, 0);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);

    // The device runs in real time: wait (bounded) until the sound has ended and the driver has
    // written a good stretch after it.
    DWORD status = DSBSTATUS_PLAYING;
    for (int i = 0; i < 500 && status != 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        b->GetStatus(&status);
    }
    ASSERT_EQ(status, 0u);
    // The last mixed block may not be in the file yet: wait until a few more have been written.
    const auto written = [&] { return std::filesystem::exists(file) ? std::filesystem::file_size(file) : 0; };
    const std::uintmax_t target = written() + 3 * 2048 * 4;
    for (int i = 0; i < 500 && written() < target; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    b->Release();
    ds->Release();
    CloseAudioOutput();

    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::filesystem::remove(file);
    std::vector<std::int16_t> pcm(bytes.size() / 2);
    std::memcpy(pcm.data(), bytes.data(), pcm.size() * 2);
    std::size_t first = 0;
    while (first < pcm.size() && pcm[first] == 0) {
        ++first;
    }
    ASSERT_LT(first, pcm.size()) << "the sound never reached the file";
    ASSERT_EQ(first % 2, 0u);  // starts on a left sample
    std::size_t end = first;
    while (end < pcm.size() && pcm[end] != 0) {
        EXPECT_EQ(pcm[end], 12000) << "sample " << end;
        ++end;
    }
    EXPECT_EQ((end - first) / 2, static_cast<std::size_t>(frames));
    EXPECT_GT(pcm.size(), end);  // silence after it: the whole sound was written
}

namespace {

// Without a sound card the audio library's own complaints must not reach standard error: the
// player says in its report log that it runs without sound. ALSA is pointed at a card that does
// not exist, so that the case holds on machines with sound too.
TEST(SdlAudioDeviceTest, AMissingSoundCardWritesNothingToStandardError)
{
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    setenv("ALSA_CARD", "qb_no_such_card", 1);
    AudioMixer mixer;
    ::testing::internal::CaptureStderr();
    std::unique_ptr<SdlAudioDevice> device = SdlAudioDevice::Open(mixer);
    device.reset();
    const std::string written = ::testing::internal::GetCapturedStderr();
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("ALSA_CARD");
    EXPECT_EQ(written, "");
}

}  // namespace
