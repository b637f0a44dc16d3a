// The real output path of the music: an OGG file through the player library and a MIDI file
// through the stream and FluidSynth with the General MIDI SoundFont, into SDL's "disk" audio
// driver, which writes what the device plays to a file. Real time: about three seconds.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "MusicTestSupport.h"
#include "OggFixtures.h"
#include "SmfBytes.h"
#include "platform/host/AudioOutput.h"
#include "sound/Bgm.h"

using namespace smfbytes;

namespace {

class MusicOutputTest : public musictest::MusicTest {
protected:
    void SetUp() override
    {
        MusicTest::SetUp();
        UseVirtualClock(false);  // the device plays in real time
        SetMidiSynth(nullptr);   // the real synthesiser, opened with the first song
        m_File = Host("disk_audio.raw");
        CloseAudioOutput();
        unsetenv("QB_HEADLESS");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", m_File.c_str(), 1);
        const bool opened = OpenAudioOutput();
        setenv("QB_HEADLESS", "1", 1);
        unsetenv("SDL_AUDIODRIVER");
        ASSERT_TRUE(opened);
        ASSERT_TRUE(AudioOutputIsReal());
    }
    void TearDown() override
    {
        CloseAudioOutput();
        SetMidiSynth(nullptr);
        MusicTest::TearDown();
    }
    // Interleaved 16-bit stereo the driver wrote from byte `from` on.
    std::vector<std::int16_t> Written(std::uintmax_t from = 0) const
    {
        std::ifstream in(m_File, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(from));
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::vector<std::int16_t> pcm(bytes.size() / 2);
        std::memcpy(pcm.data(), bytes.data(), pcm.size() * 2);
        return pcm;
    }
    std::uintmax_t WrittenBytes() const { return std::filesystem::file_size(m_File); }
    static double Peak(const std::vector<std::int16_t>& pcm)
    {
        double peak = 0;
        for (std::int16_t s : pcm) peak = std::max(peak, std::fabs(s / 32768.0));
        return peak;
    }
    static void PlayFor(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

    std::filesystem::path m_File;
};

TEST_F(MusicOutputTest, OggAndMidiMusicReachTheDeviceOutput)
{
    ASSERT_TRUE(oggfixtures::Encode(oggfixtures::SineWav(44100, 2, 44100 * 2, 441, 0.5), Host("bgm/Title.ogg")));
    // A piano chord held for two seconds at 120 beats per minute.
    Write("bgm/Stage.mid", Format0(96, Concat({Ev(0, {0xC0, 0}), Ev(0, {0x90, 60, 110}), Ev(0, {0x90, 64, 110}),
                                               Ev(384, {0x80, 60, 0}), Ev(0, {0x80, 64, 0}), EndOfTrack()})));
    BgmNameTable ogg(BgmOggNames);
    BgmNameTable midi(BgmMidiNames);
    cBgm bgm;
    ASSERT_EQ(bgm.Init(1, &ogg, &midi, kBgmSlots), 1);

    const std::uintmax_t beforeOgg = WrittenBytes();
    ASSERT_EQ(bgm.Play(0, 0, 1, 0, 1), 1);
    ASSERT_EQ(bgm.m_Engine[0], kBgmEngineOgg);
    PlayFor(800);
    bgm.Stop();
    const std::uintmax_t afterOgg = WrittenBytes();

    ASSERT_EQ(bgm.Play(0, 4, 0, 0, 1), 1);
    ASSERT_EQ(bgm.m_Engine[0], kBgmEngineMidi);
    PlayFor(1200);
    const std::size_t samplesPer300Ms = static_cast<std::size_t>(AudioOutputRate()) * 2 * 300 / 1000;
    bgm.UnInit();
    CloseAudioOutput();

    const std::vector<std::int16_t> all = Written();
    const std::vector<std::int16_t> oggPart(all.begin() + beforeOgg / 2, all.begin() + afterOgg / 2);
    // From 300 ms after the switch on, nothing of the OGG file is left in the device's buffers.
    ASSERT_GT(all.size(), afterOgg / 2 + samplesPer300Ms);
    const std::vector<std::int16_t> midiPart(all.begin() + afterOgg / 2 + samplesPer300Ms, all.end());
    EXPECT_GT(Peak(oggPart), 0.3) << "the OGG file's sine (level 0.5) is in the output";
    EXPECT_GT(Peak(midiPart), 0.02) << "the MIDI chord is in the output";
}

}  // namespace
