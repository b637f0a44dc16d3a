// The game-folder writer pinned by golden bytes worked out by hand from the file layouts, and the
// sample game checked for what a player needs of it: every built-in bitmap, visible pictures, a
// world map that leads to stages that exist, and the same bytes on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "GameFolder.h"
#include "GameFolderWriter.h"
#include "GamePalette.h"
#include "GameSprites.h"
#include "SampleGame.h"
#include "graphics/SurfaceCatalogue.h"

namespace integration {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Slice(const Bytes& bytes, std::size_t at, std::size_t n)
{
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + n));
}

Bytes ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file under root by its relative path.
std::map<std::string, Bytes> ReadTree(const std::filesystem::path& root)
{
    std::map<std::string, Bytes> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), root).string()] = ReadFile(entry.path());
    }
    return files;
}

TEST(GameFolderWriterTest, SystemIniHasLfLinesAndEndsWithExit)
{
    EXPECT_EQ(testsupport::SystemIniText(testsupport::MinimalGame().systemIni),
              "Direct3D=0\nWindowMode=1\nBpp=0\nVSync=0\nShowFps=0\nExit\n");
    testsupport::SystemIniSpec broken;
    broken.exitLine = false;
    EXPECT_EQ(testsupport::SystemIniText(broken).find("Exit"), std::string::npos);
}

TEST(GameFolderWriterTest, PaletteBitmapHoldsTheTableAndTheIndexGrid)
{
    const Bytes bmp = testsupport::EncodeBmp8(testsupport::PaletteSheet(), testsupport::GamePalette());
    ASSERT_EQ(bmp.size(), 1462u);  // 14 + 40 + 1024 + 24 rows of 16 bytes
    EXPECT_EQ(Slice(bmp, 0, 14), (Bytes{'B', 'M', 0xB6, 0x05, 0, 0, 0, 0, 0, 0, 0x36, 0x04, 0, 0}));
    EXPECT_EQ(Slice(bmp, 14, 40),
              (Bytes{40,   0,    0, 0, 16,   0,    0, 0, 24,   0,    0, 0, 1, 0, 8, 0, 0, 0, 0, 0,
                     0x80, 0x01, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Slice(bmp, 54, 4), (Bytes{0xFF, 0x00, 0xFF, 0x00}));           // entry 0: the transparent colour
    EXPECT_EQ(Slice(bmp, 54 + 16 * 4, 4), (Bytes{0x38, 0x18, 0x10, 0x00}));  // entry 16: the background
    // Rows are stored bottom-up: the bottom row (23) holds entries 240..255, row 8 entries 0..15,
    // the top row the transparent colour.
    EXPECT_EQ(bmp[1078], 240);
    EXPECT_EQ(bmp[1078 + 15], 255);
    EXPECT_EQ(bmp[1078 + 15 * 16], 0);
    EXPECT_EQ(bmp[1078 + 15 * 16 + 15], 15);
    EXPECT_EQ(Slice(bmp, 1078 + 23 * 16, 16), Bytes(16, 0));
}

TEST(GameFolderWriterTest, WavFilesArePcmInEightAndSixteenBits)
{
    EXPECT_EQ(testsupport::EncodeWav({0.0, 1.0, -1.0}, 22050, 8),
              (Bytes{'R', 'I', 'F', 'F', 39,  0,   0,   0,   'W',  'A',  'V', 'E', 'f',  'm',  't', ' ',
                     16,  0,   0,   0,   1,   0,   1,   0,   0x22, 0x56, 0,   0,   0x22, 0x56, 0,   0,
                     1,   0,   8,   0,   'd', 'a', 't', 'a', 3,    0,    0,   0,   0x80, 0xFF, 0x01}));
    const Bytes wav16 = testsupport::EncodeWav({0.5}, 8000, 16);
    EXPECT_EQ(Slice(wav16, 24, 12), (Bytes{0x40, 0x1F, 0, 0, 0x80, 0x3E, 0, 0, 2, 0, 16, 0}));
    EXPECT_EQ(Slice(wav16, 40, 6), (Bytes{2, 0, 0, 0, 0x00, 0x40}));
}

TEST(GameFolderWriterTest, MidiSongIsOneTrackOfFormatZero)
{
    testsupport::SongSpec song;  // 120 beats a minute: 500000 microseconds a quarter note
    song.melody = {{60, 96}};
    EXPECT_EQ(testsupport::EncodeMidi(song),
              (Bytes{'M',  'T',  'h', 'd',  0,    0,  0,    6,    0,    0,    0,    1,    0,    0x60, 'M',  'T',
                     'r',  'k',  0,   0,    0,    25, 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xC0, 80,
                     0x00, 0xC1, 38,  0x00, 0x90, 60, 100,  0x60, 0x80, 60,   0,    0x00, 0xFF, 0x2F, 0x00}));
    song.melody = {{60, 384}};  // a delta of 384 ticks takes two bytes: 0x83 0x00
    const Bytes whole = testsupport::EncodeMidi(song);
    EXPECT_EQ(Slice(whole, whole.size() - 9, 5), (Bytes{0x83, 0x00, 0x80, 60, 0}));
}

TEST(GameFolderWriterTest, OptionFileAndBlockRecordFollowTheirLayouts)
{
    EXPECT_EQ(testsupport::OptionFileBytes(testsupport::OptionSpec{}),
              (Bytes{0xD0, 0x02, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0,   0,   7,   0,
                     0,    0,    0, 0, 0, 0, 1, 0, 0, 0, 4, 0, 0, 0, 'a', 'a', 'a', 0}));
    testsupport::BlockDefSpec floor;
    floor.graphic = 1;
    floor.x = 3;
    floor.y = 14;
    testsupport::ByteWriter out;
    testsupport::WriteRecord(out, floor, 720);
    Bytes expected{18, 0, 0, 0, 0, 0, 0, 0, 0, 1,  0, 0,  0, 0, 0, 0, 0, 0, 0, 1, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1,
                   0,  0, 0, 1, 0, 0, 0, 3, 0, 14, 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0,    0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(out.Data(), expected);
}

TEST(GameFolderWriterTest, SettingsWithAnExtraMemberDifferOnlyInCountAndMember)
{
    testsupport::GameFolder folder;
    const testsupport::GameSpec game = testsupport::MinimalGame();
    testsupport::WriteSystemData(folder.Root(), game.systemData);
    const Bytes good = ReadFile(folder.Host("data\\System.dat"));
    testsupport::ApplyBreakage(folder.Root(), game, testsupport::Breakage::SystemDataExtraMember);
    const Bytes broken = ReadFile(folder.Host("data\\System.dat"));

    ASSERT_EQ(broken.size(), good.size() + 4);
    EXPECT_EQ(Slice(good, 4, 4), (Bytes{44, 0, 0, 0}));
    EXPECT_EQ(Slice(broken, 4, 4), (Bytes{45, 0, 0, 0}));
    const std::size_t rawEnd = 8 + 167;  // 41 int32 members and three bytes
    EXPECT_EQ(Slice(broken, 8, 167), Slice(good, 8, 167));
    EXPECT_EQ(Slice(broken, rawEnd, 8), (Bytes{0, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(Slice(broken, rawEnd + 4, broken.size() - rawEnd - 4), Slice(good, rawEnd, good.size() - rawEnd));
}

TEST(GameFolderWriterTest, EveryBitmapTheCatalogueCannotDoWithoutIsWritten)
{
    testsupport::GameFolder folder;
    testsupport::WriteBitmaps(folder.Root(), testsupport::TitleSpec{});
    for (int slot = 0; slot < kBuiltInSurfaceCount; ++slot) {
        const DDSURFACEINFO& info = SDInfoTable[slot];
        if (DDIsEmptyFileName(info.szFileName) || info.bOptional) continue;
        EXPECT_TRUE(folder.Exists(info.szFileName)) << "slot " << slot << ": " << info.szFileName;
    }
}

TEST(GameFolderWriterTest, HeroAndFloorBlockAreVisible)
{
    const testsupport::IndexedImage characters = testsupport::CharacterSheet();
    const testsupport::IndexedImage blocks = testsupport::BlockSheet();
    int heroPixels = 0;
    int floorPixels = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            heroPixels += characters.At(x, 32 * testsupport::art::kCharaHero + y) != 0;
            floorPixels += blocks.At(x, 32 * testsupport::art::kBlockGrass + y) != 0;
        }
    }
    EXPECT_GT(heroPixels, 200);       // graphic 1 of the character sheets
    EXPECT_EQ(floorPixels, 32 * 32);  // graphic 1 of the block sheet: a solid tile
}

TEST(GameFolderWriterTest, SampleWorldMapLeadsOverLandToStagesThatExist)
{
    const testsupport::WorldMapSpec map = testsupport::SampleWorldMap();
    std::set<std::string> stageFiles;
    for (const testsupport::StageFileSpec& stage : testsupport::SampleStages()) stageFiles.insert(stage.path);
    auto blocked = [&](int x, int y) { return map.chips.at(map.cells.at(y * map.pitch + x)).block != 0; };

    EXPECT_FALSE(blocked(map.startX, map.startY));
    ASSERT_EQ(map.nodes.size(), 6u);
    for (const testsupport::WorldNodeSpec& node : map.nodes) {
        EXPECT_FALSE(blocked(node.x, node.y)) << node.name;
        EXPECT_EQ(node.y, map.startY) << node.name << " off the road";
        for (int x = map.startX; x <= node.x; ++x) EXPECT_FALSE(blocked(x, node.y)) << "road blocked at " << x;
        ASSERT_EQ(node.entries.size(), 1u);
        EXPECT_EQ(stageFiles.count(node.entries[0].file), 1u) << node.entries[0].file;
    }
}

TEST(GameFolderWriterTest, SampleGameComesOutTheSameOnEveryRun)
{
    testsupport::GameFolder first;
    testsupport::GameFolder second;
    ASSERT_TRUE(testsupport::WriteGameFolder(first.Root(), testsupport::SampleGame()));
    ASSERT_TRUE(testsupport::WriteGameFolder(second.Root(), testsupport::SampleGame()));
    const std::map<std::string, Bytes> a = ReadTree(first.Root());
    const std::map<std::string, Bytes> b = ReadTree(second.Root());
    EXPECT_EQ(a.size(), b.size());
    EXPECT_GE(a.size(), 50u);
    for (const auto& [path, bytes] : a) {
        auto other = b.find(path);
        ASSERT_NE(other, b.end()) << path;
        EXPECT_TRUE(other->second == bytes) << path << " differs";
    }
}

TEST(GameFolderWriterTest, OggMusicIsEncodedByOggenc)
{
    testsupport::GameFolder folder;
    testsupport::MusicFileSpec ogg{"bgm\\theme.ogg", testsupport::SampleMusic().front().song};
    ASSERT_TRUE(testsupport::WriteMusic(folder.Root(), {ogg})) << "oggenc is installed by scripts/deps.sh";
    const Bytes bytes = ReadFile(folder.Host("bgm\\theme.ogg"));
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(Slice(bytes, 0, 4), (Bytes{'O', 'g', 'g', 'S'}));
    EXPECT_FALSE(folder.Exists("bgm\\theme.ogg.source.wav"));
}

}  // namespace
}  // namespace integration
