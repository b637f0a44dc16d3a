// The OGG player library, loaded as the music manager loads it, heard through the null device:
// files it must refuse, playing once at the right length, any rate and channel layout at the
// right pitch, loops without a gap, stop and reset.
#include "platform/vox/VoxPlayer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "MusicTestSupport.h"
#include "OggFixtures.h"
#include "platform/host/AudioOutput.h"
#include "platform/win/DynamicLibrary.h"

namespace {

constexpr int kOutputRate = 44100;  // the null device's rate

struct Channels {
    std::vector<float> left, right;  // -1..1
};

class VoxPlayerTest : public musictest::MusicTest {
protected:
    void SetUp() override
    {
        MusicTest::SetUp();
        ASSERT_TRUE(OpenAudioOutput());
        ASSERT_EQ(AudioOutputRate(), kOutputRate);
        library = LoadLibraryA("Vox.dll");
        ASSERT_NE(library, nullptr) << "libvox.so is built into the build tree's root";
        auto create = reinterpret_cast<CREATEVOX>(GetProcAddress(library, "CreateVox"));
        ASSERT_NE(create, nullptr);
        player = create();
        ASSERT_NE(player, nullptr);
        ClearRecordedAudio();
    }
    void TearDown() override
    {
        if (player != nullptr) player->Destroy();
        if (library != nullptr) FreeLibrary(library);
        MusicTest::TearDown();
    }
    // Encodes a sine file into bgm\ and returns its game path.
    std::string Ogg(const std::string& name, int rate, int channels, std::size_t frames, double hz,
                    std::vector<int> sounding = {0, 1})
    {
        EXPECT_TRUE(
            oggfixtures::Encode(oggfixtures::SineWav(rate, channels, frames, hz, 0.5, sounding), Host("bgm/" + name)))
            << "oggenc (vorbis-tools) is installed by scripts/deps.sh";
        return "bgm\\" + name;
    }
    // Mixes the next `frames` frames.
    static Channels Mix(std::size_t frames)
    {
        ClearRecordedAudio();
        PumpNullAudio(frames);
        const std::vector<std::int16_t> pcm = RecordedAudio();
        Channels out;
        for (std::size_t i = 0; i + 1 < pcm.size(); i += 2) {
            out.left.push_back(pcm[i] / 32768.0f);
            out.right.push_back(pcm[i + 1] / 32768.0f);
        }
        return out;
    }
    // Index after the last sample louder than the threshold.
    static std::size_t SoundEnd(const std::vector<float>& s, float threshold = 0.02f)
    {
        std::size_t end = 0;
        for (std::size_t i = 0; i < s.size(); ++i) end = std::fabs(s[i]) > threshold ? i + 1 : end;
        return end;
    }
    // Frequency from the upward zero crossings over [from, to).
    static double Frequency(const std::vector<float>& s, std::size_t from, std::size_t to)
    {
        int crossings = 0;
        std::size_t first = 0, last = 0;
        for (std::size_t i = from + 1; i < to; ++i) {
            if (s[i - 1] < 0.0f && s[i] >= 0.0f) {
                if (crossings == 0) first = i;
                last = i;
                ++crossings;
            }
        }
        return crossings < 2 ? 0.0 : (crossings - 1) * static_cast<double>(kOutputRate) / (last - first);
    }
    static double Rms(const std::vector<float>& s, std::size_t from, std::size_t to)
    {
        double sum = 0;
        for (std::size_t i = from; i < to; ++i) sum += double{s[i]} * s[i];
        return std::sqrt(sum / (to - from));
    }

    HMODULE library = nullptr;
    VoxPlayer* player = nullptr;
};

TEST_F(VoxPlayerTest, RefusesFilesThatAreNotPlayableVorbis)
{
    const std::string good = Ogg("good.ogg", 44100, 1, 4410, 441);
    std::ifstream in(Host("bgm/good.ogg"), std::ios::binary);
    const std::vector<std::uint8_t> oggBytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    Write("bgm/cut.ogg", std::vector<std::uint8_t>(oggBytes.begin(), oggBytes.begin() + 60));
    Write("bgm/garbage.ogg", {'O', 'g', 'g', 'S', 0, 2, 0xFF, 0xFF, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    Write("bgm/empty.ogg", {});
    Write("bgm/wave.ogg", oggfixtures::SineWav(44100, 1, 100, 441, 0.5));
    Ogg("three.ogg", 44100, 3, 4410, 441);
    for (const char* path : {"bgm\\missing.ogg", "bgm\\cut.ogg", "bgm\\garbage.ogg", "bgm\\empty.ogg", "bgm\\wave.ogg",
                             "bgm\\three.ogg", ""}) {
        player->Reset();
        EXPECT_EQ(player->Open(path), 0) << path;
        player->Play();
        EXPECT_EQ(player->IsPlaying(), 0) << path;
        EXPECT_EQ(SoundEnd(Mix(4410).left), 0u) << path;
    }
    player->Reset();
    EXPECT_NE(player->Open(good.c_str()), 0);
}

TEST_F(VoxPlayerTest, PlaysOnceAtItsLengthThenStops)
{
    const std::string path = Ogg("once.ogg", 44100, 1, 22050, 441);
    ASSERT_NE(player->Open(path.c_str()), 0);
    EXPECT_EQ(SoundEnd(Mix(4410).left), 0u) << "open alone does not start the output";
    player->SetLoop(0);
    player->Play();
    EXPECT_NE(player->IsPlaying(), 0);
    const Channels out = Mix(44100);
    EXPECT_NEAR(static_cast<double>(SoundEnd(out.left)), 22050.0, 150.0);
    EXPECT_NEAR(Rms(out.left, 1000, 21000), 0.5 / std::sqrt(2.0), 0.03);
    EXPECT_EQ(out.left, out.right) << "mono goes to both channels";
    EXPECT_EQ(player->IsPlaying(), 0);
}

TEST_F(VoxPlayerTest, AnyRateAndLayoutComesOutAtTheRightPitchAndLength)
{
    const struct {
        int rate;
        int channels;
        std::vector<int> sounding;
    } cases[] = {{11025, 1, {0}}, {22050, 1, {0}}, {32000, 2, {0}}, {48000, 2, {1}}, {44100, 2, {0, 1}}};
    for (const auto& c : cases) {
        const std::string name = "rate" + std::to_string(c.rate) + "_" + std::to_string(c.channels) + ".ogg";
        const std::string path = Ogg(name, c.rate, c.channels, static_cast<std::size_t>(c.rate / 2), 441, c.sounding);
        player->Reset();
        ASSERT_NE(player->Open(path.c_str()), 0) << name;
        player->Play();
        const Channels out = Mix(44100);
        const bool bLeft = c.channels == 1 || c.sounding.front() == 0;
        const bool bRight = c.channels == 1 || c.sounding.back() == 1;
        const std::vector<float>& heard = bLeft ? out.left : out.right;
        EXPECT_NEAR(static_cast<double>(SoundEnd(heard)), 22050.0, 300.0) << name;
        EXPECT_NEAR(Frequency(heard, 2000, 20000), 441.0, 441.0 * 0.01) << name;
        EXPECT_EQ(SoundEnd(out.left) > 0, bLeft) << name;
        EXPECT_EQ(SoundEnd(out.right) > 0, bRight) << name;
    }
}

TEST_F(VoxPlayerTest, LoopsWithoutAGapForTheCountAsked)
{
    // 11000 frames hold 110 whole periods of 441 Hz: looped, the wave runs on without a seam.
    const std::string path = Ogg("loop.ogg", 44100, 1, 11000, 441);
    ASSERT_NE(player->Open(path.c_str()), 0);
    player->SetLoop(1);  // once more after the first play
    player->Play();
    const Channels twice = Mix(44100);
    EXPECT_NEAR(static_cast<double>(SoundEnd(twice.left)), 22000.0, 150.0);
    EXPECT_NEAR(Rms(twice.left, 10500, 11500), 0.5 / std::sqrt(2.0), 0.03) << "no gap at the loop point";

    player->Reset();
    ASSERT_NE(player->Open(path.c_str()), 0);
    player->SetLoop(VOX_LOOP_ENDLESS);
    player->Play();
    const Channels endless = Mix(11000 * 10);
    EXPECT_EQ(SoundEnd(endless.left), endless.left.size());
    for (std::size_t loop = 1; loop < 10; ++loop) {
        const std::size_t seam = loop * 11000;
        EXPECT_NEAR(Rms(endless.left, seam - 500, seam + 500), 0.5 / std::sqrt(2.0), 0.03) << "loop " << loop;
    }
    EXPECT_NE(player->IsPlaying(), 0);
}

TEST_F(VoxPlayerTest, StopAndResetSilenceTheOutput)
{
    const std::string path = Ogg("stop.ogg", 44100, 2, 44100, 441);
    ASSERT_NE(player->Open(path.c_str()), 0);
    player->Play();
    EXPECT_GT(SoundEnd(Mix(4410).left), 0u);
    player->Stop();
    EXPECT_EQ(SoundEnd(Mix(4410).left), 0u);
    player->Play();  // the file is still open
    EXPECT_GT(SoundEnd(Mix(4410).left), 0u);
    player->Reset();
    player->Play();  // nothing open any more
    EXPECT_EQ(SoundEnd(Mix(4410).left), 0u);
}

}  // namespace
