// Sound effects: the table built from the sound list, playing by number with buffers in turn,
// volumes, the cursor sound and the sound requests to the main window, heard through the null device. Expected
// levels follow from the sample values (16-bit s is s in the 16-bit output) and the volume table.
#include "sound/SoundEffects.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "../platform/WavBytes.h"
#include "core/AppGlobals.h"
#include "core/MainWindowRequests.h"
#include "core/ReportLog.h"
#include "platform/host/AudioOutput.h"
#include "platform/win/Files.h"
#include "platform/win/Messages.h"
#include "platform/win/Time.h"
#include "support/TestMainWindow.h"

namespace {

constexpr int kRate = 44100;  // the null device's rate
constexpr int kDcLevel = 1000;

std::vector<std::uint8_t> Dc(int value, std::size_t frames)
{
    return wavbytes::Pcm(1, kRate, 16, wavbytes::S16(std::vector<int>(frames, value)));
}

// The 16-bit left channel of the next `frames` frames.
std::vector<int> Mix(std::size_t frames)
{
    ClearRecordedAudio();
    PumpNullAudio(frames);
    const std::vector<std::int16_t> pcm = RecordedAudio();
    std::vector<int> left;
    for (std::size_t i = 0; i < pcm.size(); i += 2) {
        left.push_back(pcm[i]);
    }
    return left;
}

class SoundEffectsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("QB_HEADLESS", "1", 1);
        UseVirtualClock(true, 0);
        char cwd[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, cwd);
        previousDir_ = cwd;
        dir_ = std::filesystem::temp_directory_path() /
               ("qb_sound_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "wave");
        ASSERT_TRUE(SetCurrentDirectoryA(GamePath(dir_.string()).c_str()));
        std::vector<int> ramp;
        for (int i = 0; i < 1000; ++i) {
            ramp.push_back(i * 10);
        }
        Write("dc.wav", Dc(kDcLevel, 2000));
        Write("ramp.wav", wavbytes::Pcm(1, kRate, 16, wavbytes::S16(ramp)));
        Write("float.wav", wavbytes::Riff({wavbytes::Chunk("fmt ", wavbytes::FmtBody(3, 1, kRate, 32)),
                                           wavbytes::Chunk("data", std::vector<std::uint8_t>(64, 0))}));
        Write("wide.wav", wavbytes::Pcm(1, kRate, 24, std::vector<std::uint8_t>(60, 0)));
        ClearRecordedAudio();
    }
    void TearDown() override
    {
        DS_UnInit();
        SoundTable.clear();
        SoundInfoList.clear();
        SetCurrentDirectoryA(previousDir_.c_str());
        std::filesystem::remove_all(dir_);
        UseVirtualClock(false);
    }

    void Write(const char* name, const std::vector<std::uint8_t>& bytes) const
    {
        wavbytes::WriteFile((dir_ / "wave" / name).string(), bytes);
    }

    // The start-up sequence: list, DS_Init, table at the option's volume step. System sound 1 is
    // the DC sound; Sound entries 1..5 are dc, missing, float, 24-bit and ramp.
    void StartUp(int optionStep = 10)
    {
        std::vector<std::string> system(17);
        system[1] = "wave\\dc.wav";
        BuildSoundList(
            system, {"", "wave\\dc.wav", "wave\\missing.wav", "wave\\float.wav", "wave\\wide.wav", "wave\\ramp.wav"});
        ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
        EXPECT_EQ(DS_CreateSoundTable(&SoundTable, &SoundInfoList, SeVolume(optionStep)), 1);
    }

    std::filesystem::path dir_;
    std::string previousDir_;
};

}  // namespace

TEST(SoundList, SystemSoundsThenDatabaseEntriesFromOne)
{
    std::vector<std::string> system;
    for (int i = 0; i < 17; ++i) {
        system.push_back("sys" + std::to_string(i));
    }
    BuildSoundList(system, {"entry0", "entry1", "entry2", "entry3", "entry4", "entry5"});
    ASSERT_EQ(SoundInfoList.size(), 6u + 16);
    EXPECT_EQ(SoundTable.size(), 6u + 16);
    EXPECT_EQ(SoundInfoList[0].szFileName, "sys0");
    EXPECT_EQ(SoundInfoList[16].szFileName, "sys16");
    EXPECT_EQ(SoundInfoList[17].szFileName, "entry1");
    EXPECT_EQ(SoundInfoList[21].szFileName, "entry5");
    for (const SOUNDINFO& info : SoundInfoList) {
        EXPECT_EQ(info.nBufferCount, 1);
        EXPECT_EQ(info.nVolume, 0);
    }
    // Missing system names are silent sounds; an empty database still has the 17 system slots.
    BuildSoundList({"only"}, {});
    ASSERT_EQ(SoundInfoList.size(), 17u);
    EXPECT_EQ(SoundInfoList[0].szFileName, "only");
    EXPECT_EQ(SoundInfoList[16].szFileName, "");
    SoundTable.clear();
    SoundInfoList.clear();
}

TEST(SoundList, VolumeStepsClampedToTheTable)
{
    const struct {
        int step;
        int volume;
    } cases[] = {{-5, -10000}, {0, -10000}, {1, -3000}, {4, -800}, {7, -150}, {9, -30}, {10, 0}, {11, 0}, {1000, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(SeVolume(c.step), c.volume) << "step " << c.step;
    }
}

TEST_F(SoundEffectsTest, InitAsksThePrimaryBufferForTheGivenFormat)
{
    ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
    ASSERT_NE(lpDSBPrimary, nullptr);
    WAVEFORMATEX format;
    ASSERT_EQ(lpDSBPrimary->GetFormat(&format, sizeof(format), nullptr), DS_OK);
    EXPECT_EQ(format.nSamplesPerSec, 22050u);
    EXPECT_EQ(format.wBitsPerSample, 8);
    EXPECT_EQ(format.nChannels, 1);
    EXPECT_EQ(format.nBlockAlign, 1);
    EXPECT_EQ(format.nAvgBytesPerSec, 22050u);
}

TEST_F(SoundEffectsTest, TableBuiltFromFilesWithSilentSlotsForBadOnes)
{
    StartUp();
    ASSERT_EQ(SoundTable.size(), 22u);
    for (int n : {1, 17, 21}) {
        SCOPED_TRACE(n);
        ASSERT_EQ(SoundTable[n].buffers.size(), 1u);
        EXPECT_NE(SoundTable[n].buffers[0], nullptr);
        EXPECT_EQ(SoundTable[n].nCount, 1);
    }
    EXPECT_EQ(SoundTable[17].szFileName, "wave\\dc.wav");
    // Empty system names, a missing file, a float file and a 24-bit file: silent slots.
    for (int n : {0, 2, 16, 18, 19, 20}) {
        SCOPED_TRACE(n);
        ASSERT_EQ(SoundTable[n].buffers.size(), 1u);
        EXPECT_EQ(SoundTable[n].buffers[0], nullptr);
        EXPECT_EQ(SoundTable[n].nCount, 0);
        DS_Play(&SoundTable[n], 0);
    }
    EXPECT_EQ(Mix(10)[5], 0);
    DS_Play(&SoundTable[17], 0);
    EXPECT_EQ(Mix(10)[5], kDcLevel);
}

// WAV files of every kind, written here or by sox, built into a slot and played: each PCM kind
// lasts its 0.1 s (4410 output frames) at its level; the other kinds leave the slot silent.
TEST_F(SoundEffectsTest, EveryKindOfWavFilePlaysForItsLength)
{
    ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
    struct Case {
        std::string name;
        bool plays;
        int level;  // exact level of the hand-made files, 0 for sox's sine
    };
    std::vector<Case> cases;
    for (DWORD rate : {11025u, 22050u, 44100u, 48000u}) {
        for (unsigned bits : {8u, 16u}) {
            for (unsigned channels : {1u, 2u}) {
                const std::size_t samples = rate / 10 * channels;
                // Three quarters of full scale: 0xE0 in 8 bits, 24576 in 16.
                const std::vector<std::uint8_t> data = bits == 8 ? std::vector<std::uint8_t>(samples, 0xE0)
                                                                 : wavbytes::S16(std::vector<int>(samples, 24576));
                const std::string name =
                    "k" + std::to_string(rate) + "_" + std::to_string(bits) + "_" + std::to_string(channels) + ".wav";
                Write(name.c_str(), wavbytes::Pcm(channels, rate, bits, data));
                cases.push_back({name, true, 24576});
            }
        }
    }
    cases.push_back({"float.wav", false, 0});
    cases.push_back({"wide.wav", false, 0});
    if (std::system("command -v sox > /dev/null 2>&1") == 0) {
        const struct {
            const char* name;
            const char* options;
            bool plays;
        } soxCases[] = {
            {"sox_u8.wav", "-r 11025 -c 1 -b 8 -e unsigned-integer", true},
            {"sox_s16.wav", "-r 48000 -c 2 -b 16 -e signed-integer", true},
            {"sox_f32.wav", "-r 22050 -c 1 -b 32 -e floating-point", false},
            {"sox_alaw.wav", "-r 8000 -c 1 -b 8 -e a-law", false},
        };
        for (const auto& c : soxCases) {
            const std::string cmd = "sox -n " + std::string(c.options) + " '" + (dir_ / "wave" / c.name).string() +
                                    "' synth 0.1 sine 440 vol 0.5";
            ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
            cases.push_back({c.name, c.plays, 0});
        }
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DSSOUNDDATA slot;
        const std::string path = "wave\\" + c.name;
        EXPECT_EQ(DS_CreateSound(&slot, path.c_str(), 1, 0), c.plays);
        DS_Play(&slot, 0);
        ClearRecordedAudio();
        PumpNullAudio(5000);
        const std::vector<std::int16_t> pcm = RecordedAudio();
        std::size_t last = 0;  // frames up to the last one that sounds
        for (std::size_t i = 0; i < pcm.size(); ++i) {
            if (pcm[i] != 0) {
                last = i / 2 + 1;
            }
        }
        if (!c.plays) {
            EXPECT_EQ(last, 0u);
        } else {
            EXPECT_NEAR(static_cast<double>(last), 4410.0, 2.0);
            if (c.level != 0) {
                EXPECT_EQ(pcm[200], c.level);
                EXPECT_EQ(pcm[201], c.level);
            }
        }
        DS_FreeSound(&slot);
    }
}

TEST_F(SoundEffectsTest, UnInitReleasesEveryBufferThatExists)
{
    StartUp();
    DSSOUNDDATA& slot = SoundTable[17];
    LPDIRECTSOUNDBUFFER held = slot.buffers[0];
    EXPECT_EQ(held->AddRef(), 2u);
    DS_Play(&slot, 0);
    DS_UnInit();  // also walks the null buffers of the silent slots
    EXPECT_EQ(lpDS, nullptr);
    EXPECT_EQ(lpDSBPrimary, nullptr);
    EXPECT_TRUE(SoundTable[17].buffers.empty());
    EXPECT_EQ(Mix(10)[5], 0);
    EXPECT_EQ(held->Release(), 0u);  // ours was the last reference
}

TEST_F(SoundEffectsTest, PlayingAgainRestartsTheOneBuffer)
{
    StartUp();
    DS_Play(&SoundTable[21], 0);
    EXPECT_EQ(Mix(50)[49], 490);
    DS_Play(&SoundTable[21], 0);
    const std::vector<int> out = Mix(50);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(out[static_cast<std::size_t>(i)], i * 10);
    }
}

// Three buffers played four times: 0, 1, 2, then 0 again, cut and restarted, so at most three
// plays sound together.
TEST_F(SoundEffectsTest, BuffersOfASlotPlayInTurn)
{
    ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
    DSSOUNDDATA slot;
    ASSERT_TRUE(DS_CreateSound(&slot, "wave\\dc.wav", 3, 0));
    ASSERT_EQ(slot.buffers.size(), 3u);
    EXPECT_EQ(slot.nCount, 3);
    const int nextAfter[] = {1, 2, 0, 1};
    const int level[] = {1, 2, 3, 3};
    for (int i = 0; i < 4; ++i) {
        DS_Play(&slot, 0);
        EXPECT_EQ(slot.nNext, nextAfter[i]);
        EXPECT_EQ(Mix(10)[5], level[i] * kDcLevel) << "play " << i;
    }
    DS_FreeSound(&slot);
    EXPECT_TRUE(slot.buffers.empty());
}

TEST_F(SoundEffectsTest, OptionVolumeAtStartUp)
{
    const struct {
        int step;
        int volume;
    } cases[] = {{0, -10000}, {7, -150}, {10, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        StartUp(c.step);
        EXPECT_EQ(DS_GetVolume(&SoundTable[17], 0), c.volume);
        EXPECT_EQ(DS_GetVolume(&SoundTable[1], 0), c.volume);
        DS_Play(&SoundTable[17], 0);
        const int heard = Mix(10)[5];
        EXPECT_NEAR(heard, kDcLevel * std::pow(10.0, c.volume / 2000.0), 1.0);
        if (c.step == 0) {
            EXPECT_EQ(heard, 0);
        }
        DS_UnInit();
    }
}

TEST_F(SoundEffectsTest, OptionVolumeChangeAppliesToPlayingSounds)
{
    StartUp();
    DS_Play(&SoundTable[17], 0);
    EXPECT_EQ(Mix(10)[5], kDcLevel);
    for (int n = 0; n < static_cast<int>(SoundTable.size()); ++n) {
        DS_SetVolume(&SoundTable[n], 0, SeVolume(4), false);
    }
    EXPECT_NEAR(Mix(10)[5], kDcLevel * std::pow(10.0, -800 / 2000.0), 1.0);
    for (int n = 0; n < static_cast<int>(SoundTable.size()); ++n) {
        DS_SetVolume(&SoundTable[n], 0, SeVolume(0), false);
    }
    EXPECT_EQ(Mix(10)[5], 0);
}

TEST_F(SoundEffectsTest, SetVolumeClampsAndReturnsWhatItSet)
{
    StartUp();
    DSSOUNDDATA* slot = &SoundTable[17];
    const struct {
        int start;
        int change;
        bool relative;
        int expected;
    } cases[] = {
        {0, -500, false, -500},     {-9000, -2000, true, -10000}, {-100, 500, true, 0},
        {-3000, 1000, true, -2000}, {0, -20000, false, -10000},   {-500, 300, false, 0},
    };
    for (const auto& c : cases) {
        DS_SetVolume(slot, 0, c.start, false);
        EXPECT_EQ(DS_SetVolume(slot, 0, c.change, c.relative), c.expected) << c.start << " " << c.change;
        EXPECT_EQ(DS_GetVolume(slot, 0), c.expected);
    }
    // A buffer that does not exist.
    EXPECT_EQ(DS_SetVolume(slot, 1, -500, false), 0);
    EXPECT_EQ(DS_SetVolume(&SoundTable[18], 0, -500, false), 0);
    EXPECT_EQ(DS_GetVolume(&SoundTable[18], 0), 0);
}

TEST_F(SoundEffectsTest, CursorSoundFollowsTheMenuAxes)
{
    StartUp();
    // Slot 17 rebuilt with three buffers (its first build's buffer is given back, or the leak
    // checker complains at exit).
    DSSOUNDDATA& cursor = SoundTable[17];
    ASSERT_TRUE(DS_CreateSound(&cursor, "wave\\dc.wav", 3, 0));
    constexpr short kLeft = 1, kRight = 2, kUp = 4, kDown = 8;
    const struct {
        BYTE axes;
        short direction;
        int plays;
    } cases[] = {
        {1, kLeft, 1}, {1, kRight, 1}, {1, kUp, 0},         {2, kDown, 1},         {2, kLeft, 0},
        {3, kUp, 1},   {3, 0, 0},      {3, kLeft | kUp, 2}, {0, kLeft | kDown, 0},
    };
    for (const auto& c : cases) {
        cursor.nNext = 0;
        DS_PlayCursorSE(&c.direction, c.axes, 17);
        EXPECT_EQ(cursor.nNext, c.plays) << "axes " << int{c.axes} << " direction " << c.direction;
    }
}

namespace {

std::vector<WPARAM> g_requests;

LRESULT SoundWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_PLAYSE) {
        g_requests.push_back(wParam);
        DS_Play(&SoundTable[static_cast<int>(wParam)], 0);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

}  // namespace

TEST_F(SoundEffectsTest, RequestsGoToTheMainWindow)
{
    StartUp();
    testsupport::TestMainWindow window(SoundWindowProc);
    ASSERT_NE(window.Handle(), nullptr);
    g_requests.clear();

    PlaySE(3);
    PlayDatabaseSE(0);   // no sound
    PlayDatabaseSE(-3);  // repaired to no sound instead of system sound 13
    PlayDatabaseSE(5);   // slot 21, the ramp
    EXPECT_EQ(g_requests, (std::vector<WPARAM>{3, 21}));
    EXPECT_EQ(Mix(3)[2], 20);

    // From another thread: it waits until the main thread has played the sound.
    g_requests.clear();
    std::atomic<bool> done{false};
    std::thread game([&] {
        PlayDatabaseSE(1);
        done = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    MSG msg;
    while (!done && std::chrono::steady_clock::now() < deadline) {
        PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
        std::this_thread::yield();
    }
    game.join();
    EXPECT_EQ(g_requests, (std::vector<WPARAM>{17}));
}

TEST_F(SoundEffectsTest, WithoutDirectSoundEverythingIsQuiet)
{
    ASSERT_EQ(lpDS, nullptr);
    DSSOUNDDATA slot;
    slot.nNext = 2;
    EXPECT_TRUE(DS_CreateSound(&slot, "wave\\dc.wav", 1, -500));
    EXPECT_TRUE(slot.buffers.empty());  // left as it was
    EXPECT_EQ(slot.nNext, 2);
    LPDIRECTSOUNDBUFFER b = nullptr;
    EXPECT_TRUE(DS_CreateBuffer(&b, "wave\\dc.wav"));
    EXPECT_EQ(b, nullptr);
    EXPECT_TRUE(DS_DuplicateBuffer(&b, nullptr));
    DS_Play(&slot, 0);
    EXPECT_EQ(DS_SetVolume(&slot, 0, -500, false), 0);
    EXPECT_EQ(DS_GetVolume(&slot, 0), 0);
    DS_FreeSound(&slot);
    DS_UnInit();
    EXPECT_EQ(Mix(4)[2], 0);
}

// Without any audio device the start-up still succeeds, silent, and the report log says so once.
// A WAV whose data chunk claims 0.1 s but holds 0.05 s plays the 0.05 s it holds (2204 output
// frames for 1102 samples at 22050 Hz), and the report names it; a cut float file stays silent.
TEST_F(SoundEffectsTest, ACutShortWavPlaysWhatItHoldsAndSaysSo)
{
    const std::filesystem::path report = dir_ / "Report_Game.txt";
    ASSERT_EQ(CreateReportLog(GamePath(report.string()).c_str()), 1);
    std::vector<std::uint8_t> cut = wavbytes::Pcm(1, 22050, 16, wavbytes::S16(std::vector<int>(2205, 24576)));
    cut.resize(cut.size() - 2206);  // 2204 of the 4410 data bytes
    Write("cut.wav", cut);
    std::vector<std::uint8_t> floatCut = wavbytes::Riff({wavbytes::Chunk("fmt ", wavbytes::FmtBody(3, 1, kRate, 32)),
                                                         wavbytes::Chunk("data", std::vector<std::uint8_t>(64, 0))});
    floatCut.resize(floatCut.size() - 10);
    Write("floatcut.wav", floatCut);
    ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));

    DSSOUNDDATA slot;
    ASSERT_TRUE(DS_CreateSound(&slot, "wave\\cut.wav", 1, 0));
    DS_Play(&slot, 0);
    ClearRecordedAudio();
    PumpNullAudio(5000);
    const std::vector<std::int16_t> pcm = RecordedAudio();
    std::size_t last = 0;
    for (std::size_t i = 0; i < pcm.size(); ++i) {
        if (pcm[i] != 0) {
            last = i / 2 + 1;
        }
    }
    EXPECT_NEAR(static_cast<double>(last), 2204.0, 2.0);
    EXPECT_EQ(pcm[200], 24576);
    DS_FreeSound(&slot);

    DSSOUNDDATA silent;
    EXPECT_FALSE(DS_CreateSound(&silent, "wave\\floatcut.wav", 1, 0));
    DS_FreeSound(&silent);

    std::ifstream in(report);
    std::stringstream text;
    text << in.rdbuf();
    const std::string log = text.str();
    EXPECT_NE(log.find("wave\\cut.wav : wave data cut short, 2204 of 4410 bytes played"), std::string::npos) << log;
    // A format that cannot be played at all is refused, and the log says which file.
    EXPECT_NE(log.find("Sound file cannot be read : wave\\floatcut.wav"), std::string::npos) << log;
    EXPECT_EQ(log.find("floatcut.wav : wave data cut short"), std::string::npos) << log;
}

TEST_F(SoundEffectsTest, NoAudioDeviceRunsSilentAndSaysSoOnce)
{
    const std::filesystem::path report = dir_ / "Report_Game.txt";
    ASSERT_EQ(CreateReportLog(GamePath(report.string()).c_str()), 1);
    CloseAudioOutput();
    unsetenv("QB_HEADLESS");
    setenv("SDL_AUDIODRIVER", "qb_no_such_driver", 1);
    const bool first = DS_Init(nullptr, 22050, 8, 1);
    DS_UnInit();
    const bool second = DS_Init(nullptr, 22050, 8, 1);
    setenv("QB_HEADLESS", "1", 1);
    unsetenv("SDL_AUDIODRIVER");
    EXPECT_TRUE(first);
    EXPECT_TRUE(second);
    EXPECT_FALSE(AudioOutputIsReal());
    DS_UnInit();
    CloseAudioOutput();
    std::ifstream in(report);
    std::stringstream text;
    text << in.rdbuf();
    const std::string log = text.str();
    const std::string line = "No audio device could be opened: the game runs without sound.";
    const auto at = log.find(line);
    ASSERT_NE(at, std::string::npos) << log;
    EXPECT_EQ(log.find(line, at + 1), std::string::npos);
}
