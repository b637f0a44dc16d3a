// The DirectSound stand-in, heard through the null device: every expected sample follows from
// the PCM rules (8-bit s is (s - 128) / 128 of full scale, 16-bit s is s / 32768, full scale is
// 32768 in the 16-bit output, mono goes to both channels) and from the buffer semantics.
#include "platform/dsound/DirectSound.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "WavBytes.h"
#include "platform/host/AudioOutput.h"
#include "platform/win/Time.h"

namespace {

constexpr int kRate = 44100;  // the null device's rate

WAVEFORMATEX Format(WORD channels, DWORD rate, WORD bits, WORD tag = WAVE_FORMAT_PCM)
{
    WAVEFORMATEX f;
    f.wFormatTag = tag;
    f.nChannels = channels;
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = bits;
    f.nBlockAlign = static_cast<WORD>(channels * (bits / 8));
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    return f;
}

struct Frame {
    int l;
    int r;
};

class DirectSoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("QB_HEADLESS", "1", 1);
        UseVirtualClock(true, 0);
        ASSERT_EQ(DirectSoundCreate(nullptr, &ds_, nullptr), DS_OK);
        ASSERT_EQ(ds_->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
        ASSERT_EQ(AudioOutputRate(), kRate);
        ClearRecordedAudio();
    }
    void TearDown() override
    {
        for (LPDIRECTSOUNDBUFFER b : owned_) {
            b->Release();
        }
        if (ds_ != nullptr) {
            ds_->Release();
        }
        UseVirtualClock(false);
    }

    // A static buffer holding exactly these bytes; released by the fixture.
    LPDIRECTSOUNDBUFFER Make(const WAVEFORMATEX& format, const std::vector<BYTE>& bytes)
    {
        DSBUFFERDESC desc;
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME;
        desc.dwBufferBytes = static_cast<DWORD>(bytes.size());
        desc.lpwfxFormat = &format;
        LPDIRECTSOUNDBUFFER b = nullptr;
        EXPECT_EQ(ds_->CreateSoundBuffer(&desc, &b, nullptr), DS_OK);
        if (b == nullptr) {
            return nullptr;
        }
        Write(b, bytes);
        owned_.push_back(b);
        return b;
    }
    static void Write(LPDIRECTSOUNDBUFFER b, const std::vector<BYTE>& bytes)
    {
        void* p = nullptr;
        DWORD n = 0;
        ASSERT_EQ(b->Lock(0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
        ASSERT_EQ(n, bytes.size());
        std::memcpy(p, bytes.data(), n);
        ASSERT_EQ(b->Unlock(p, n, nullptr, 0), DS_OK);
    }
    // 16-bit mono samples all of one value.
    LPDIRECTSOUNDBUFFER MakeDc(int value, std::size_t frames, DWORD rate = kRate)
    {
        return Make(Format(1, rate, 16), wavbytes::S16(std::vector<int>(frames, value)));
    }
    static void Restart(LPDIRECTSOUNDBUFFER b)
    {
        b->Stop();
        b->SetCurrentPosition(0);
        b->Play(0, 0, 0);
    }
    // Mixes the next `frames` frames and returns them.
    static std::vector<Frame> Mix(std::size_t frames)
    {
        ClearRecordedAudio();
        PumpNullAudio(frames);
        const std::vector<std::int16_t> pcm = RecordedAudio();
        std::vector<Frame> out;
        for (std::size_t i = 0; i + 1 < pcm.size(); i += 2) {
            out.push_back({pcm[i], pcm[i + 1]});
        }
        return out;
    }
    static DWORD Status(LPDIRECTSOUNDBUFFER b)
    {
        DWORD s = 0;
        EXPECT_EQ(b->GetStatus(&s), DS_OK);
        return s;
    }

    LPDIRECTSOUND ds_ = nullptr;
    std::vector<LPDIRECTSOUNDBUFFER> owned_;
};

}  // namespace

TEST_F(DirectSoundTest, SampleFormatsComeOutAtFullScale)
{
    const struct {
        const char* name;
        WAVEFORMATEX format;
        std::vector<BYTE> bytes;
        std::vector<Frame> expected;
    } cases[] = {
        {"8-bit mono",
         Format(1, kRate, 8),
         {0xFF, 0x00, 0x80, 0xC0},
         {{32512, 32512}, {-32768, -32768}, {0, 0}, {16384, 16384}}},
        {"8-bit stereo", Format(2, kRate, 8), {0xFF, 0x00, 0x80, 0xC0}, {{32512, -32768}, {0, 16384}}},
        {"16-bit mono",
         Format(1, kRate, 16),
         wavbytes::S16({32767, -32768, 0, -1234}),
         {{32767, 32767}, {-32768, -32768}, {0, 0}, {-1234, -1234}}},
        {"16-bit stereo",
         Format(2, kRate, 16),
         wavbytes::S16({32767, -32768, 5, -1234}),
         {{32767, -32768}, {5, -1234}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LPDIRECTSOUNDBUFFER b = Make(c.format, c.bytes);
        ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
        const std::vector<Frame> out = Mix(c.expected.size() + 3);
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(out[i].l, c.expected[i].l) << "frame " << i;
            EXPECT_EQ(out[i].r, c.expected[i].r) << "frame " << i;
        }
        for (std::size_t i = c.expected.size(); i < out.size(); ++i) {
            EXPECT_EQ(out[i].l, 0);
            EXPECT_EQ(out[i].r, 0);
        }
        EXPECT_EQ(Status(b), 0u);  // stopped by itself at its end
    }
}

// A square wave of 100 periods of 20 source frames, never silent (8192 / 24576), played at each
// rate: it lasts frames x 44100 / rate output frames and keeps its 199 level changes, so each
// period takes 20 x 44100 / rate output frames: the right pitch.
TEST_F(DirectSoundTest, EveryRateComesOutAtTheRightPitchAndLength)
{
    constexpr int kPeriod = 20;
    constexpr int kFrames = 100 * kPeriod;
    std::vector<int> square;
    for (int i = 0; i < kFrames; ++i) {
        square.push_back((i / (kPeriod / 2)) % 2 == 0 ? 8192 : 24576);
    }
    for (DWORD rate : {11025u, 22050u, 32000u, 44100u, 48000u}) {
        for (WORD channels : {1, 2}) {
            SCOPED_TRACE(::testing::Message() << rate << " Hz, " << channels << " channels");
            std::vector<int> values;
            for (int v : square) {
                for (int c = 0; c < channels; ++c) {
                    values.push_back(v);
                }
            }
            LPDIRECTSOUNDBUFFER b = Make(Format(channels, rate, 16), wavbytes::S16(values));
            b->Play(0, 0, 0);
            const std::vector<Frame> out = Mix(kFrames * kRate / rate + 100);
            std::size_t length = 0;
            int changes = 0;
            for (std::size_t i = 0; i < out.size() && out[i].l != 0; ++i) {
                length = i + 1;
                if (i > 0 && (out[i].l > 16384) != (out[i - 1].l > 16384)) {
                    ++changes;
                }
                EXPECT_EQ(out[i].l, out[i].r);
            }
            const double expectedLength = static_cast<double>(kFrames) * kRate / rate;
            EXPECT_NEAR(static_cast<double>(length), expectedLength, 1.0);
            EXPECT_EQ(changes, 199);
            // The first change, half a period in.
            std::size_t first = 1;
            while (first < out.size() && out[first].l <= 16384) {
                ++first;
            }
            EXPECT_NEAR(static_cast<double>(first), (kPeriod / 2) * static_cast<double>(kRate) / rate, 1.0);
            b->Stop();
        }
    }
}

TEST_F(DirectSoundTest, HalfRateInterpolatesBetweenFrames)
{
    LPDIRECTSOUNDBUFFER b = Make(Format(1, kRate / 2, 16), wavbytes::S16({0, 1000, 3000}));
    b->Play(0, 0, 0);
    const std::vector<Frame> out = Mix(8);
    const int expected[] = {0, 500, 1000, 2000, 3000, 3000, 0, 0};  // the last frame is held, then silence
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(out[static_cast<std::size_t>(i)].l, expected[i]) << "frame " << i;
    }
}

TEST_F(DirectSoundTest, RestartCutsThePreviousPlay)
{
    std::vector<int> ramp;
    for (int i = 0; i < 1000; ++i) {
        ramp.push_back(i * 10);
    }
    LPDIRECTSOUNDBUFFER b = Make(Format(1, kRate, 16), wavbytes::S16(ramp));
    Restart(b);
    EXPECT_EQ(Mix(100)[99].l, 990);
    Restart(b);
    const std::vector<Frame> out = Mix(100);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(out[static_cast<std::size_t>(i)].l, i * 10);
    }
}

TEST_F(DirectSoundTest, StopKeepsThePositionAndPlayGoesOn)
{
    std::vector<int> ramp;
    for (int i = 0; i < 100; ++i) {
        ramp.push_back(i + 1);
    }
    LPDIRECTSOUNDBUFFER b = Make(Format(1, kRate, 16), wavbytes::S16(ramp));
    b->Play(0, 0, 0);
    Mix(10);
    b->Stop();
    EXPECT_EQ(Mix(5)[0].l, 0);
    DWORD play = 99;
    DWORD write = 99;
    ASSERT_EQ(b->GetCurrentPosition(&play, &write), DS_OK);
    EXPECT_EQ(play, 20u);  // 10 frames of 2 bytes
    EXPECT_EQ(write, 20u);
    b->Play(0, 0, 0);
    EXPECT_EQ(Mix(1)[0].l, 11);
}

TEST_F(DirectSoundTest, VolumeInHundredthsOfADecibel)
{
    const struct {
        LONG volume;
        double gain;
    } cases[] = {{0, 1.0}, {-600, std::pow(10.0, -0.3)}, {-2000, 0.1}, {-6000, 0.001}, {-10000, 0.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.volume);
        LPDIRECTSOUNDBUFFER b = MakeDc(16000, 50);
        ASSERT_EQ(b->SetVolume(c.volume), DS_OK);
        LONG got = 1;
        ASSERT_EQ(b->GetVolume(&got), DS_OK);
        EXPECT_EQ(got, c.volume);
        b->Play(0, 0, 0);
        const std::vector<Frame> out = Mix(10);
        EXPECT_NEAR(out[5].l, 16000 * c.gain, 1.0);
        if (c.volume == -10000) {
            EXPECT_EQ(out[5].l, 0);  // exactly silent
        }
        b->Stop();
    }
    LPDIRECTSOUNDBUFFER b = MakeDc(100, 4);
    EXPECT_EQ(b->SetVolume(-10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->SetVolume(1), DSERR_INVALIDPARAM);
}

TEST_F(DirectSoundTest, VolumeChangeAppliesWhilePlaying)
{
    LPDIRECTSOUNDBUFFER b = MakeDc(16000, 1000);
    b->Play(0, 0, 0);
    EXPECT_EQ(Mix(100)[99].l, 16000);
    b->SetVolume(-2000);
    EXPECT_NEAR(Mix(100)[0].l, 1600, 1.0);
    b->SetVolume(DSBVOLUME_MIN);
    EXPECT_EQ(Mix(100)[0].l, 0);
}

TEST_F(DirectSoundTest, DuplicatesShareSamplesButPlayOnTheirOwn)
{
    LPDIRECTSOUNDBUFFER original = MakeDc(1000, 100);
    original->SetVolume(-2000);
    LPDIRECTSOUNDBUFFER dup = nullptr;
    ASSERT_EQ(ds_->DuplicateSoundBuffer(original, &dup), DS_OK);
    LONG volume = 0;
    dup->GetVolume(&volume);
    EXPECT_EQ(volume, -2000);  // taken from the original
    dup->SetVolume(0);
    // New samples written through the original are heard through the duplicate.
    Write(original, wavbytes::S16(std::vector<int>(100, 3000)));
    original->Play(0, 0, 0);
    Mix(10);
    dup->Play(0, 0, 0);
    EXPECT_NEAR(Mix(1)[0].l, 300 + 3000, 1.0);
    // The samples outlive the original.
    original->Release();
    owned_.erase(owned_.begin());
    EXPECT_EQ(Mix(1)[0].l, 3000);
    dup->Stop();
    dup->SetCurrentPosition(0);
    dup->Play(0, 0, 0);
    EXPECT_EQ(Mix(1)[0].l, 3000);
    EXPECT_EQ(dup->Release(), 0u);
}

TEST_F(DirectSoundTest, SoundsMixWithSaturation)
{
    LPDIRECTSOUNDBUFFER a = MakeDc(20000, 10);
    LPDIRECTSOUNDBUFFER b = MakeDc(20000, 10);
    LPDIRECTSOUNDBUFFER c = MakeDc(-30000, 10);
    a->Play(0, 0, 0);
    b->Play(0, 0, 0);
    EXPECT_EQ(Mix(1)[0].l, 32767);
    c->Play(0, 0, 0);
    EXPECT_EQ(Mix(1)[0].l, 10000);
}

TEST_F(DirectSoundTest, LoopingWrapsUntilStopped)
{
    LPDIRECTSOUNDBUFFER b = Make(Format(1, kRate, 16), wavbytes::S16({1, 2, 3}));
    b->Play(0, 0, DSBPLAY_LOOPING);
    EXPECT_EQ(Status(b), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    const std::vector<Frame> out = Mix(7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(out[static_cast<std::size_t>(i)].l, i % 3 + 1);
    }
    b->Stop();
    EXPECT_EQ(Status(b), 0u);
    EXPECT_EQ(Mix(2)[0].l, 0);
}

TEST_F(DirectSoundTest, PlayedOnceItEndsAtPositionZero)
{
    LPDIRECTSOUNDBUFFER b = MakeDc(500, 10);
    b->Play(0, 0, 0);
    Mix(9);
    EXPECT_EQ(Status(b), DSBSTATUS_PLAYING);
    Mix(1);
    EXPECT_EQ(Status(b), 0u);
    DWORD play = 1;
    b->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 0u);
    b->Play(0, 0, 0);
    EXPECT_EQ(Mix(1)[0].l, 500);
}

TEST_F(DirectSoundTest, PlaysAlongTheVirtualClock)
{
    LPDIRECTSOUNDBUFFER b = MakeDc(700, kRate);  // one second
    b->Play(0, 0, 0);
    AdvanceVirtualClock(100);
    b->Stop();
    const std::vector<std::int16_t> pcm = RecordedAudio();
    ASSERT_EQ(pcm.size(), 2u * 4410);
    EXPECT_EQ(pcm.front(), 700);
    EXPECT_EQ(pcm.back(), 700);
    AdvanceVirtualClock(10);
    const std::vector<std::int16_t> after = RecordedAudio();
    ASSERT_EQ(after.size(), 2u * 4851);
    EXPECT_EQ(after.back(), 0);
    DWORD play = 0;
    b->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 2u * 4410);
}

TEST_F(DirectSoundTest, PositionIsAlignedAndClamped)
{
    LPDIRECTSOUNDBUFFER b = Make(Format(2, kRate, 16), std::vector<BYTE>(16, 0));
    const struct {
        DWORD set;
        DWORD expected;
    } cases[] = {{0, 0}, {6, 4}, {8, 8}, {15, 12}, {16, 12}, {100000, 12}};
    for (const auto& c : cases) {
        ASSERT_EQ(b->SetCurrentPosition(c.set), DS_OK);
        DWORD play = 99;
        b->GetCurrentPosition(&play, nullptr);
        EXPECT_EQ(play, c.expected) << "set " << c.set;
    }
}

TEST_F(DirectSoundTest, LockHandsOutWrappedRegionsAndUnlockCommits)
{
    LPDIRECTSOUNDBUFFER b = Make(Format(1, kRate, 8), std::vector<BYTE>(8, 0x80));
    void* p1 = nullptr;
    void* p2 = nullptr;
    DWORD n1 = 0;
    DWORD n2 = 0;
    ASSERT_EQ(b->Lock(6, 4, &p1, &n1, &p2, &n2, 0), DS_OK);
    ASSERT_EQ(n1, 2u);
    ASSERT_EQ(n2, 2u);
    std::memset(p1, 0xC0, n1);
    std::memset(p2, 0x40, n2);
    EXPECT_EQ(b->Lock(0, 1, &p1, &n1, nullptr, nullptr, 0), DSERR_INVALIDCALL);  // one lock at a time
    ASSERT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
    b->Play(0, 0, 0);
    const std::vector<Frame> out = Mix(8);
    const int expected[] = {-16384, -16384, 0, 0, 0, 0, 16384, 16384};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(out[static_cast<std::size_t>(i)].l, expected[i]) << "frame " << i;
    }
    EXPECT_EQ(b->Lock(8, 1, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Lock(0, 9, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
}

TEST_F(DirectSoundTest, UnplayableBuffersAreRefused)
{
    const struct {
        const char* name;
        WAVEFORMATEX format;
        DWORD bytes;
        HRESULT expected;
    } cases[] = {
        {"float", Format(1, 22050, 32, 3), 64, DSERR_BADFORMAT},
        {"extensible", Format(2, 44100, 16, 0xFFFE), 64, DSERR_BADFORMAT},
        {"24-bit", Format(1, 22050, 24), 63, DSERR_BADFORMAT},
        {"3 channels", Format(3, 22050, 16), 60, DSERR_BADFORMAT},
        {"rate 99", Format(1, 99, 8), 64, DSERR_BADFORMAT},
        {"rate 200001", Format(1, 200001, 8), 64, DSERR_BADFORMAT},
        {"block align wrong",
         [] {
             WAVEFORMATEX f = Format(2, 22050, 16);
             f.nBlockAlign = 2;
             return f;
         }(),
         64, DSERR_BADFORMAT},
        {"3 bytes", Format(1, 22050, 8), 3, DSERR_INVALIDPARAM},
        {"too large", Format(1, 22050, 8), DSBSIZE_MAX + 1, DSERR_INVALIDPARAM},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DSBUFFERDESC desc;
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME;
        desc.dwBufferBytes = c.bytes;
        desc.lpwfxFormat = &c.format;
        LPDIRECTSOUNDBUFFER b = nullptr;
        EXPECT_EQ(ds_->CreateSoundBuffer(&desc, &b, nullptr), c.expected);
        EXPECT_EQ(b, nullptr);
    }
    // The edges that are accepted; cbSize is not looked at for PCM.
    for (DWORD rate : {100u, 200000u}) {
        WAVEFORMATEX f = Format(2, rate, 16);
        f.cbSize = 22;
        Make(f, std::vector<BYTE>(4, 0));
    }
}

TEST_F(DirectSoundTest, PrimaryBufferRecordsItsFormat)
{
    DSBUFFERDESC desc;
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN;
    LPDIRECTSOUNDBUFFER primary = nullptr;
    ASSERT_EQ(ds_->CreateSoundBuffer(&desc, &primary, nullptr), DS_OK);
    const WAVEFORMATEX asked = Format(1, 22050, 8);
    ASSERT_EQ(primary->SetFormat(&asked), DS_OK);
    WAVEFORMATEX got;
    ASSERT_EQ(primary->GetFormat(&got, sizeof(got), nullptr), DS_OK);
    EXPECT_EQ(got.nSamplesPerSec, 22050u);
    EXPECT_EQ(got.wBitsPerSample, 8);
    EXPECT_EQ(got.nChannels, 1);
    // The output stays at its own rate: a 44100 Hz sound still plays frame for frame.
    LPDIRECTSOUNDBUFFER b = Make(Format(1, kRate, 16), wavbytes::S16({5, 6}));
    b->Play(0, 0, 0);
    EXPECT_EQ(Mix(2)[1].l, 6);
    void* p = nullptr;
    DWORD n = 0;
    EXPECT_EQ(primary->Lock(0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DSERR_INVALIDCALL);
    LPDIRECTSOUNDBUFFER dup = nullptr;
    EXPECT_EQ(ds_->DuplicateSoundBuffer(primary, &dup), DSERR_INVALIDCALL);
    desc.dwBufferBytes = 64;
    LPDIRECTSOUNDBUFFER bad = nullptr;
    EXPECT_EQ(ds_->CreateSoundBuffer(&desc, &bad, nullptr), DSERR_INVALIDPARAM);
    EXPECT_EQ(primary->Release(), 0u);
}

TEST_F(DirectSoundTest, ReferenceCountsAndDeviceRelease)
{
    LPDIRECTSOUNDBUFFER b = MakeDc(800, 1000);
    EXPECT_EQ(b->AddRef(), 2u);
    EXPECT_EQ(b->Release(), 1u);
    EXPECT_EQ(ds_->AddRef(), 2u);
    EXPECT_EQ(ds_->Release(), 1u);
    b->Play(0, 0, 0);
    EXPECT_EQ(Mix(1)[0].l, 800);
    // The device's last release stops everything it made; its buffers stay valid objects.
    EXPECT_EQ(ds_->Release(), 0u);
    ds_ = nullptr;
    EXPECT_EQ(Mix(1)[0].l, 0);
    EXPECT_EQ(Status(b), DSBSTATUS_BUFFERLOST);
    EXPECT_EQ(b->Play(0, 0, 0), DSERR_BUFFERLOST);
}

// Calls from several threads while the output mixes: nothing breaks, nothing hangs.
TEST_F(DirectSoundTest, CallsFromSeveralThreads)
{
    LPDIRECTSOUNDBUFFER shared = MakeDc(100, 500);
    std::atomic<bool> stop{false};
    std::thread mixer([&] {
        while (!stop) {
            PumpNullAudio(256);
        }
    });
    auto hammer = [&](int seed) {
        for (int i = 0; i < 2000; ++i) {
            Restart(shared);
            shared->SetVolume(-(i * seed % 10000));
            LPDIRECTSOUNDBUFFER dup = nullptr;
            if (ds_->DuplicateSoundBuffer(shared, &dup) == DS_OK) {
                dup->Play(0, 0, 0);
                dup->Release();
            }
        }
    };
    std::thread a(hammer, 7);
    std::thread b(hammer, 13);
    a.join();
    b.join();
    stop = true;
    mixer.join();
    LONG volume = 1;
    shared->GetVolume(&volume);
    EXPECT_LE(volume, 0);
}
