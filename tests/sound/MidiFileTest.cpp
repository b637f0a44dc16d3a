// The Standard MIDI File reader: variable-length numbers, the merge of format 0 and 1 files into
// one song image, refusal of malformed files with their log lines, and real files from a Debian
// package (openttd-openmsx, installed by scripts/deps.sh).
#include "sound/MidiFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "MusicTestSupport.h"
#include "SmfBytes.h"
#include "core/TextHelpers.h"

using namespace smfbytes;

namespace {

class MidiFileTest : public musictest::MusicTest {
protected:
    // Converts the bytes as the file "test.mid" would be.
    std::unique_ptr<std::vector<BYTE>> Convert(const Bytes& file)
    {
        Write("test.mid", file);
        cMidiFile reader("test.mid");
        return reader.Song() ? std::make_unique<std::vector<BYTE>>(*reader.Song()) : nullptr;
    }
    // The song image the reader must make: a format-0 file of the given events.
    static Bytes Image(std::uint16_t division, const Bytes& events) { return Format0(division, events); }
};

TEST(MidiVarLen, WritesTheStandardEncoding)
{
    const struct {
        unsigned value;
        Bytes bytes;
    } cases[] = {
        {0x00, {0x00}},
        {0x7F, {0x7F}},
        {0x80, {0x81, 0x00}},
        {0x2000, {0xC0, 0x00}},
        {0x3FFF, {0xFF, 0x7F}},
        {0x4000, {0x81, 0x80, 0x00}},
        {0x1FFFFF, {0xFF, 0xFF, 0x7F}},
        {0x200000, {0x81, 0x80, 0x80, 0x00}},
        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const auto& c : cases) {
        BYTE out[4] = {};
        ASSERT_EQ(WriteVarLen(out, c.value), static_cast<int>(c.bytes.size())) << std::hex << c.value;
        EXPECT_EQ(Bytes(out, out + c.bytes.size()), c.bytes) << std::hex << c.value;
        unsigned back = 0xDEAD;
        EXPECT_EQ(ReadVarLen(c.bytes.data(), c.bytes.data() + c.bytes.size(), &back), c.bytes.size());
        EXPECT_EQ(back, c.value);
    }
    BYTE out[4] = {0xAA, 0xAA, 0xAA, 0xAA};
    EXPECT_EQ(WriteVarLen(out, 0x10000000), 0);
    EXPECT_EQ(out[0], 0xAA);
}

TEST(MidiVarLen, RefusesOverlongAndCutNumbers)
{
    const Bytes fiveBytes{0x81, 0x80, 0x80, 0x80, 0x00};
    unsigned value = 0;
    EXPECT_EQ(ReadVarLen(fiveBytes.data(), fiveBytes.data() + fiveBytes.size(), &value), 0);
    const Bytes cut{0x81, 0x80};
    EXPECT_EQ(ReadVarLen(cut.data(), cut.data() + cut.size(), &value), 0);
}

TEST_F(MidiFileTest, Format0ExpandsRunningStatusAndKeepsSysexAndMeta)
{
    const Bytes events = Concat({Ev(0, {0x90, 0x3C, 0x40}), Ev(0x60, {0x3C, 0x00}),  // running status
                                 Ev(0, {0xC0, 0x05}), Ev(0x10, {0x45}),              // one data byte
                                 Ev(0, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7}), Ev(0, {0xFF, 0x01, 0x02, 'h', 'i'}),
                                 Ev(0, {0xB0, 0x07, 0x64}), EndOfTrack(0x20)});
    const auto image = Convert(Format0(96, events));
    ASSERT_TRUE(image);
    const Bytes expected =
        Image(96, Concat({Ev(0, {0x90, 0x3C, 0x40}), Ev(0x60, {0x90, 0x3C, 0x00}), Ev(0, {0xC0, 0x05}),
                          Ev(0x10, {0xC0, 0x45}), Ev(0, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7}),
                          Ev(0, {0xFF, 0x01, 0x02, 'h', 'i'}), Ev(0, {0xB0, 0x07, 0x64}), EndOfTrack(0x20)}));
    EXPECT_EQ(*image, expected);
}

TEST_F(MidiFileTest, Format1MergesTracksInTimeThenTrackOrder)
{
    const Bytes tempoTrack = Concat({Tempo(0, 500000), Tempo(96, 250000), EndOfTrack()});
    const Bytes noteTrack = Concat({Ev(0, {0x90, 0x3C, 0x40}), Ev(96, {0x80, 0x3C, 0x00}), EndOfTrack()});
    const Bytes longTrack = Concat({Ev(96, {0x90, 0x40, 0x40}), Ev(192, {0x80, 0x40, 0x00}), EndOfTrack()});
    const auto image = Convert(Concat({Header(1, 3, 480), Track(tempoTrack), Track(noteTrack), Track(longTrack)}));
    ASSERT_TRUE(image);
    // Tick 0: tempo, note on; tick 96: tempo, note off (track 1), note on (track 2); tick 288:
    // the long track's note off; one end of track at the end of the longest track.
    const Bytes expected =
        Image(480, Concat({Tempo(0, 500000), Ev(0, {0x90, 0x3C, 0x40}), Tempo(96, 250000), Ev(0, {0x80, 0x3C, 0x00}),
                           Ev(0, {0x90, 0x40, 0x40}), Ev(192, {0x80, 0x40, 0x00}), EndOfTrack()}));
    EXPECT_EQ(*image, expected);
}

TEST_F(MidiFileTest, EndOfTrackComesAtTheLongestTrackAfterEverything)
{
    const Bytes shortTrack = Concat({Ev(0, {0x90, 0x3C, 0x40}), EndOfTrack(1000)});
    const Bytes laterTrack = Concat({Ev(10, {0x91, 0x3E, 0x40}), EndOfTrack(20)});
    const auto image = Convert(Concat({Header(1, 2, 96), Track(shortTrack), Track(laterTrack)}));
    ASSERT_TRUE(image);
    EXPECT_EQ(*image, Image(96, Concat({Ev(0, {0x90, 0x3C, 0x40}), Ev(10, {0x91, 0x3E, 0x40}), EndOfTrack(990)})));
}

TEST_F(MidiFileTest, SkipsForeignChunksBetweenTracks)
{
    Bytes foreign{'X', 'F', 'I', 'H'};
    Big32(foreign, 3);
    Append(foreign, {1, 2, 3});
    const Bytes track = Concat({Ev(5, {0x90, 0x3C, 0x40}), EndOfTrack()});
    const auto image = Convert(Concat({Header(1, 2, 96), Track(EndOfTrack()), foreign, Track(track)}));
    ASSERT_TRUE(image);
    EXPECT_EQ(*image, Image(96, Concat({Ev(5, {0x90, 0x3C, 0x40}), EndOfTrack()})));
}

TEST_F(MidiFileTest, RefusesMalformedFilesWithALogLine)
{
    const Bytes note = Ev(0, {0x90, 0x3C, 0x40});
    Bytes headerLength7{'M', 'T', 'h', 'd'};
    Big32(headerLength7, 7);
    Append(headerLength7, {0, 0, 0, 1, 0, 96, 0});
    Append(headerLength7, Track(EndOfTrack()));
    Bytes riff{'R', 'I', 'F', 'F'};
    Big32(riff, 4);
    Append(riff, {'R', 'M', 'I', 'D'});
    Bytes cutChunk = Format0(96, Concat({note, EndOfTrack()}));
    cutChunk.resize(cutChunk.size() - 2);
    Bytes chunkPastEnd = Header(0, 1, 96);
    Append(chunkPastEnd, {'M', 'T', 'r', 'k', 0, 0, 1, 0});
    Append(chunkPastEnd, Concat({note, EndOfTrack()}));

    const struct {
        const char* what;
        Bytes file;
        const char* message;  // UTF-8, after "Midi test.mid "
    } cases[] = {
        {"empty", {}, "Init 標準MIDIでない(4)"},
        {"RIFF header", riff, "Init 標準MIDIでない(4)"},
        {"header length 7", headerLength7, "Init 標準MIDIでない(6)"},
        {"format 2", Concat({Header(2, 1, 96), Track(EndOfTrack())}), "Init 対応フォーマットが2でない"},
        {"format 3", Concat({Header(3, 1, 96), Track(EndOfTrack())}), "Init 対応フォーマットが0または1でない"},
        {"no MTrk", Concat({Header(0, 1, 96), Bytes{'M', 'T', 'r', 'x', 0, 0, 0, 4}, EndOfTrack()}),
         "Init 標準MIDIでない(4)"},
        {"zero tracks", Concat({Header(1, 0, 96), Track(EndOfTrack())}), "Init トラックがない"},
        {"fewer tracks than counted", Concat({Header(1, 2, 96), Track(EndOfTrack())}), "Init トラックが壊れている"},
        {"file ends inside a track", cutChunk, "Init トラックが壊れている"},
        {"chunk longer than the file", chunkPastEnd, "Init トラックが壊れている"},
        {"no end of track", Format0(96, note), "Init トラックが壊れている"},
        {"running status without status", Format0(96, Concat({Ev(0, {0x3C, 0x40}), EndOfTrack()})),
         "Init トラックが壊れている"},
        {"running status after a meta event",
         Format0(96, Concat({note, Ev(0, {0xFF, 0x01, 0x00}), Ev(0, {0x3E, 0x40}), EndOfTrack()})),
         "Init トラックが壊れている"},
        {"running status after sysex",
         Format0(96, Concat({note, Ev(0, {0xF0, 0x01, 0xF7}), Ev(0, {0x3E, 0x40}), EndOfTrack()})),
         "Init トラックが壊れている"},
        {"five-byte delta", Format0(96, Concat({Bytes{0x81, 0x80, 0x80, 0x80, 0x00, 0x90, 0x3C, 0x40}, EndOfTrack()})),
         "Init トラックが壊れている"},
        {"sysex longer than its track", Format0(96, Concat({Ev(0, {0xF0, 0x7F, 0x01}), EndOfTrack()})),
         "Init トラックが壊れている"},
        {"meta longer than its track", Format0(96, Ev(0, {0xFF, 0x01, 0x40, 'a'})), "Init トラックが壊れている"},
        {"data byte with bit 7", Format0(96, Concat({Ev(0, {0x90, 0x3C, 0xC0}), EndOfTrack()})),
         "Init トラックが壊れている"},
        {"system common status", Format0(96, Concat({Ev(0, {0xF2, 0x00, 0x00}), EndOfTrack()})),
         "Init トラックが壊れている"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(Convert(c.file)) << c.what;
        EXPECT_NE(ReportLogText().find(Sjis(std::string("Midi test.mid ") + c.message)), std::string::npos) << c.what;
        CreateReportLog("Report_Game.txt");
    }
}

TEST_F(MidiFileTest, MissingFileIsLoggedAndHasNoSong)
{
    cMidiFile reader("bgm\\nothing.mid");
    EXPECT_EQ(reader.Song(), nullptr);
    EXPECT_NE(ReportLogText().find(Sjis("Midi bgm\\nothing.mid Create ファイルが開けません")), std::string::npos);
}

// Real-world files: every one converts, and its image, read again as a file, converts to itself
// (a well-formed format-0 file with explicit statuses and one end of track).
TEST_F(MidiFileTest, ConvertsTheMidiFilesOfADebianPackage)
{
    const std::filesystem::path folder = "/usr/share/games/openttd/baseset/openmsx";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << "scripts/deps.sh installs openttd-openmsx";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".mid") continue;
        ++files;
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const auto image = Convert(bytes);
        ASSERT_TRUE(image) << entry.path();
        ASSERT_GE(image->size(), kSongEventStart + 4);
        EXPECT_EQ(Bytes(image->end() - 3, image->end()), (Bytes{0xFF, 0x2F, 0x00})) << entry.path();
        EXPECT_EQ(Bytes(image->begin() + 12, image->begin() + 14), Bytes(bytes.begin() + 12, bytes.begin() + 14));
        const auto again = Convert(Bytes(image->begin(), image->end()));
        ASSERT_TRUE(again) << entry.path();
        EXPECT_EQ(*again, *image) << entry.path();
    }
    EXPECT_GE(files, 10);
}

}  // namespace
