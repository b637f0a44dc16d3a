// WAV reading: well-formed PCM files load with their format and samples as stored, files cut
// inside their data with the bytes present; anything malformed or not PCM is refused without
// reading past the image.
#include "platform/dsound/WaveFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "WavBytes.h"
#include "platform/win/Files.h"

using namespace wavbytes;
using Bytes = std::vector<std::uint8_t>;

namespace {

bool Parse(const Bytes& image, WaveFileData& out)
{
    // A copy of exactly the image's size, so that the sanitizers see any read past its end.
    std::vector<BYTE> exact(image.begin(), image.end());
    return ParseWaveFile(exact.data(), exact.size(), out);
}

const Bytes kEight{0x00, 0x80, 0xFF};
const Bytes kSixteen = S16({-32768, 0, 32767, 1234});

struct GoodCase {
    const char* name;
    Bytes image;
    WORD channels;
    DWORD rate;
    WORD bits;
    Bytes samples;
};

}  // namespace

TEST(WaveFile, WellFormedPcmLoadsAsStored)
{
    const std::vector<GoodCase> cases = {
        {"8-bit mono 11025", Pcm(1, 11025, 8, kEight), 1, 11025, 8, kEight},
        {"16-bit stereo 48000", Pcm(2, 48000, 16, kSixteen), 2, 48000, 16, kSixteen},
        {"fmt of 18 bytes with cbSize", Riff({Chunk("fmt ", FmtBody(1, 1, 22050, 16, 18)), Chunk("data", kSixteen)}), 1,
         22050, 16, kSixteen},
        {"other chunks around, odd-sized one padded",
         Riff({Chunk("LIST", Bytes{1, 2, 3}), Chunk("fmt ", FmtBody(1, 1, 22050, 8)), Chunk("fact", Bytes(5, 9)),
               Chunk("data", kEight), Chunk("smpl", Bytes(4, 0))}),
         1, 22050, 8, kEight},
        {"empty data chunk", Pcm(1, 22050, 8, {}), 1, 22050, 8, {}},
        {"rate and width as stored, even if unplayable", Pcm(3, 7, 24, Bytes(9, 1)), 3, 7, 24, Bytes(9, 1)},
        {"RIFF size beyond the file end", Riff({Chunk("fmt ", FmtBody(1, 1, 8000, 8)), Chunk("data", kEight)}, 1000), 1,
         8000, 8, kEight},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WaveFileData out;
        ASSERT_TRUE(Parse(c.image, out));
        EXPECT_EQ(out.format.wFormatTag, WAVE_FORMAT_PCM);
        EXPECT_EQ(out.format.nChannels, c.channels);
        EXPECT_EQ(out.format.nSamplesPerSec, c.rate);
        EXPECT_EQ(out.format.wBitsPerSample, c.bits);
        EXPECT_EQ(out.format.nBlockAlign, c.channels * (c.bits / 8));
        EXPECT_EQ(out.samples, c.samples);
    }
}

TEST(WaveFile, MalformedOrNotPcmIsRefused)
{
    const Bytes fmt = Chunk("fmt ", FmtBody(1, 1, 22050, 8));
    const Bytes data = Chunk("data", kEight);
    Bytes floatCutShort = Riff({Chunk("fmt ", FmtBody(3, 1, 22050, 32)), Chunk("data", Bytes(64, 0))});
    floatCutShort.resize(floatCutShort.size() - 10);
    Bytes listCutShort = Riff({Chunk("fmt ", FmtBody(1, 1, 22050, 8)), Chunk("LIST", Bytes(20, 1)), data});
    listCutShort[40] = 200;  // the LIST chunk's size field: it runs past the end before any data
    const struct {
        const char* name;
        Bytes image;
    } cases[] = {
        {"empty", {}},
        {"not RIFF",
         [&] {
             Bytes b = Pcm(1, 22050, 8, kEight);
             b[0] = 'X';
             return b;
         }()},
        {"not WAVE",
         [&] {
             Bytes b = Pcm(1, 22050, 8, kEight);
             b[8] = 'A';
             return b;
         }()},
        {"header only", Riff({})},
        {"float format", Riff({Chunk("fmt ", FmtBody(3, 1, 22050, 32)), data})},
        {"extensible format", Riff({Chunk("fmt ", FmtBody(0xFFFE, 2, 44100, 16, 40)), data})},
        {"a-law format", Riff({Chunk("fmt ", FmtBody(6, 1, 8000, 8)), data})},
        {"fmt shorter than the PCM fields", Riff({Chunk("fmt ", FmtBody(1, 1, 22050, 8, 14)), data})},
        {"no fmt", Riff({data})},
        {"no data", Riff({fmt})},
        {"data before fmt", Riff({data, fmt})},
        {"float data cut short", floatCutShort},
        {"a chunk before data runs past the end", listCutShort},
        {"RIFF size ends before data", Riff({fmt, data}, 4 + static_cast<std::int64_t>(fmt.size()))},
        {"RIFF size below the form type", Riff({fmt, data}, 2)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WaveFileData out;
        out.samples = {7};
        EXPECT_FALSE(Parse(c.image, out));
        EXPECT_EQ(out.samples, Bytes{7});  // untouched
    }
}

// A data chunk that claims more bytes than the file holds gives the bytes there are, and says
// how many it claimed.
TEST(WaveFile, DataCutShortGivesTheBytesPresent)
{
    const Bytes samples = S16({100, 200, 300, 400});
    Bytes cut = Pcm(1, 22050, 16, samples);
    cut.resize(cut.size() - 3);  // 5 of the 8 bytes
    Bytes claimsMore = Pcm(1, 22050, 16, kSixteen);
    claimsMore[40] = 200;  // the data chunk's size field
    const struct {
        const char* name;
        Bytes image;
        Bytes samples;
        std::size_t declared;
    } cases[] = {
        {"file cut inside the data", cut, Bytes(samples.begin(), samples.begin() + 5), 8},
        {"data size past the end", claimsMore, kSixteen, 200},
        {"whole file", Pcm(1, 22050, 8, kEight), kEight, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WaveFileData out;
        ASSERT_TRUE(Parse(c.image, out));
        EXPECT_EQ(out.samples, c.samples);
        EXPECT_EQ(out.nDeclaredBytes, c.declared);
    }
}

// Every cut and every damaged byte of the headers either parses or is refused, never reads
// outside the image (the sanitizers watch): a file cut inside its data gives the bytes before the
// cut, one cut earlier is refused.
TEST(WaveFile, DamagedImagesNeverReadOutside)
{
    const Bytes data = S16({1, 2, 3, 4, 5, 6});
    const Bytes good =
        Riff({Chunk("LIST", Bytes{1, 2, 3}), Chunk("fmt ", FmtBody(1, 2, 22050, 16)), Chunk("data", data)});
    const std::size_t dataStart = good.size() - data.size();
    for (std::size_t n = 0; n < good.size(); ++n) {
        SCOPED_TRACE(n);
        WaveFileData out;
        const bool ok = Parse(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)), out);
        EXPECT_EQ(ok, n >= dataStart);
        if (ok) {
            EXPECT_EQ(out.samples, Bytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(n - dataStart)));
        }
    }
    for (std::size_t i = 0; i < good.size() - 12; ++i) {
        for (std::uint8_t v : {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF}) {
            Bytes damaged = good;
            damaged[i] = v;
            WaveFileData out;
            if (Parse(damaged, out)) {
                EXPECT_LE(out.samples.size(), damaged.size());
            }
        }
    }
}

class WaveFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() /
               ("qb_wave_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Host(const char* name) const { return (dir_ / name).string(); }
    std::string Game(const char* name) const { return GamePath(Host(name)); }

    std::filesystem::path dir_;
};

TEST_F(WaveFileOnDisk, ReadsAFileAndRefusesMissingOnes)
{
    WriteFile(Host("Jump.wav"), Pcm(1, 22050, 8, kEight));
    WaveFileData out;
    ASSERT_TRUE(ReadWaveFile(Game("Jump.wav").c_str(), out));
    EXPECT_EQ(out.samples, kEight);
    EXPECT_FALSE(ReadWaveFile(Game("absent.wav").c_str(), out));
    EXPECT_FALSE(ReadWaveFile("", out));
    EXPECT_FALSE(ReadWaveFile(nullptr, out));
}

// Files made by sox, an independent writer: PCM ones load with exactly the bytes sox itself
// exports as raw samples; float and a-law ones are refused.
TEST_F(WaveFileOnDisk, FilesMadeBySox)
{
    if (std::system("command -v sox > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "sox is not installed (scripts/deps.sh installs it)";
    }
    const struct {
        const char* options;
        bool pcm;
        WORD channels;
        DWORD rate;
        WORD bits;
    } cases[] = {
        {"-r 11025 -c 1 -b 8 -e unsigned-integer", true, 1, 11025, 8},
        {"-r 22050 -c 2 -b 8 -e unsigned-integer", true, 2, 22050, 8},
        {"-r 44100 -c 1 -b 16 -e signed-integer", true, 1, 44100, 16},
        {"-r 48000 -c 2 -b 16 -e signed-integer", true, 2, 48000, 16},
        {"-r 22050 -c 1 -b 32 -e floating-point", false, 0, 0, 0},
        {"-r 8000 -c 1 -b 8 -e a-law", false, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        const std::string wav = Host("sox.wav");
        const std::string raw = Host("sox.raw");
        const std::string make = "sox -n " + std::string(c.options) + " '" + wav + "' synth 0.04 sine 440 vol 0.5";
        ASSERT_EQ(std::system(make.c_str()), 0);
        WaveFileData out;
        const bool ok = ReadWaveFile(Game("sox.wav").c_str(), out);
        ASSERT_EQ(ok, c.pcm);
        if (!c.pcm) {
            continue;
        }
        EXPECT_EQ(out.format.nChannels, c.channels);
        EXPECT_EQ(out.format.nSamplesPerSec, c.rate);
        EXPECT_EQ(out.format.wBitsPerSample, c.bits);
        ASSERT_EQ(std::system(("sox '" + wav + "' -t raw '" + raw + "'").c_str()), 0);
        std::ifstream f(raw, std::ios::binary);
        const Bytes expected{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
        EXPECT_EQ(out.samples, expected);
        EXPECT_EQ(out.samples.size(), static_cast<std::size_t>(c.rate) * 4 / 100 * c.channels * (c.bits / 8));
    }
}
