// The BMP decoder: every depth and both row orders from hand-made files, files written by
// ImageMagick, and corrupt files that must be refused without reading past the end.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BmpBytes.h"
#include "ScratchFolder.h"
#include "platform/gdi/BmpFile.h"

namespace {

bool Decode(const std::string& bytes, BmpImage& out)
{
    return DecodeBmp(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(), out);
}

std::vector<std::vector<std::uint32_t>> Colours(const BmpImage& image)
{
    std::vector<std::vector<std::uint32_t>> rows(static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) rows[static_cast<size_t>(y)].push_back(BmpPixelToXRGB(image, x, y));
    return rows;
}

BmpSpec Spec(int width, int height, int bitCount, std::vector<std::vector<std::uint32_t>> rows)
{
    BmpSpec s;
    s.width = width;
    s.height = height;
    s.bitCount = bitCount;
    s.rows = std::move(rows);
    return s;
}

std::vector<std::uint32_t> GreyTable()
{
    std::vector<std::uint32_t> t;
    for (std::uint32_t i = 0; i < 256; ++i) t.push_back(i * 0x010101u);
    return t;
}

struct DecodeCase {
    const char* name;
    BmpSpec spec;
    std::vector<std::vector<std::uint32_t>> expected;  // 0x00RRGGBB, top row first
};

std::vector<DecodeCase> DecodeCases()
{
    std::vector<DecodeCase> cases;
    {
        BmpSpec s = Spec(10, 2, 1, {{1, 0, 1, 1, 0, 0, 0, 0, 1, 1}, {0, 1, 0, 0, 1, 1, 1, 1, 0, 0}});
        s.table = {0x102030, 0xA0B0C0};
        const std::uint32_t a = 0x102030, b = 0xA0B0C0;
        cases.push_back(
            {"1-bit, 10 wide, bottom-up", s, {{b, a, b, b, a, a, a, a, b, b}, {a, b, a, a, b, b, b, b, a, a}}});
    }
    {
        BmpSpec s = Spec(3, -2, 4, {{0, 1, 2}, {3, 5, 15}});
        s.table = {0x110000, 0x002200, 0x000033, 0x444444};
        cases.push_back({"4-bit, short table, top-down; indices past it are black",
                         s,
                         {{0x110000, 0x002200, 0x000033}, {0x444444, 0, 0}}});
    }
    {
        BmpSpec s = Spec(3, 1, 8, {{0, 7, 255}});
        s.table = GreyTable();
        s.clrUsedZero = true;
        cases.push_back({"8-bit, colour count 0 means 256", s, {{0x000000, 0x070707, 0xFFFFFF}}});
    }
    {
        BmpSpec s = Spec(2, 2, 8, {{2, 0}, {1, 2}});
        s.table = {0x0000FF, 0x00FF00, 0xFF0000};
        cases.push_back({"8-bit, short table, bottom-up", s, {{0xFF0000, 0x0000FF}, {0x00FF00, 0xFF0000}}});
    }
    cases.push_back({"16-bit 555 by default; the top bit is ignored",
                     Spec(5, 1, 16, {{0x7C00, 0x03E0, 0x001F, 0x0010, 0xFFFF}}),
                     {{0xFF0000, 0x00FF00, 0x0000FF, 0x000084, 0xFFFFFF}}});
    {
        BmpSpec s = Spec(4, 1, 16, {{0xF800, 0x07E0, 0x0400, 0x0001}});
        s.compression = 3;
        s.masks[0] = 0xF800;
        s.masks[1] = 0x07E0;
        s.masks[2] = 0x001F;
        cases.push_back({"16-bit 565 bit fields after the header", s, {{0xFF0000, 0x00FF00, 0x008200, 0x000008}}});
    }
    {
        BmpSpec s = Spec(1, 1, 16, {{0x0F80}});
        s.compression = 3;
        s.masks[0] = 0x0F00;
        s.masks[1] = 0x00F0;
        s.masks[2] = 0x000F;
        cases.push_back({"16-bit 4-bit channels scale with rounding", s, {{0xFF8800}}});
    }
    cases.push_back({"24-bit, row padding, bottom-up",
                     Spec(2, 2, 24, {{0x112233, 0x445566}, {0x778899, 0xAABBCC}}),
                     {{0x112233, 0x445566}, {0x778899, 0xAABBCC}}});
    {
        BmpSpec s = Spec(3, -2, 24, {{1, 2, 3}, {0xFFFFFF, 0x800000, 0x008000}});
        s.headerSize = 108;
        cases.push_back({"24-bit, 108-byte header, top-down", s, {{1, 2, 3}, {0xFFFFFF, 0x800000, 0x008000}}});
    }
    cases.push_back(
        {"32-bit ignores the fourth byte", Spec(2, 1, 32, {{0xAB123456, 0x00FFFFFF}}), {{0x123456, 0xFFFFFF}}});
    {
        BmpSpec s = Spec(1, 2, 32, {{0x0A0B0C00}, {0xFF000000}});
        s.compression = 3;
        s.headerSize = 124;
        s.masks[0] = 0x0000FF00;
        s.masks[1] = 0x00FF0000;
        s.masks[2] = 0xFF000000;
        cases.push_back({"32-bit bit fields inside a 124-byte header", s, {{0x0C0B0A}, {0x0000FF}}});
    }
    return cases;
}

TEST(BmpFileTest, DecodesEveryDepthAndRowOrder)
{
    for (const DecodeCase& c : DecodeCases()) {
        SCOPED_TRACE(c.name);
        BmpImage image;
        ASSERT_TRUE(Decode(MakeBmp(c.spec), image));
        EXPECT_EQ(image.width, c.spec.width);
        EXPECT_EQ(image.height, std::abs(c.spec.height));
        EXPECT_EQ(image.bitCount, c.spec.bitCount);
        EXPECT_EQ(image.bottomUp, c.spec.height > 0);
        EXPECT_EQ(image.stride, ((c.spec.width * c.spec.bitCount + 31) / 32) * 4);
        EXPECT_EQ(Colours(image), c.expected);
    }
}

struct CorruptCase {
    const char* name;
    std::string bytes;
};

BmpSpec Rle(int bitCount, int width, int height, std::string encoded)
{
    BmpSpec s;
    s.width = width;
    s.height = height;
    s.bitCount = bitCount;
    s.compression = bitCount == 8 ? 1 : 2;
    s.table = {0x000000, 0x110000, 0x220000, 0x330000, 0x440000, 0x550000, 0x660000, 0x770000,
               0x880000, 0x990000, 0xAA0000, 0xBB0000, 0xCC0000, 0xDD0000, 0xEE0000, 0xFF0000};
    s.encoded = std::move(encoded);
    return s;
}

std::vector<std::vector<std::uint32_t>> Indices(const BmpImage& image)
{
    std::vector<std::vector<std::uint32_t>> rows(static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) rows[static_cast<size_t>(y)].push_back(BmpRawPixel(image, x, y));
    return rows;
}

TEST(BmpFileTest, ExpandsRunLengthFiles)
{
    using std::string;
    // RLE8, rows from the bottom: a run of three 7s and one 9; end of line; an absolute run of
    // 1 2 3 (padded to 4 bytes); end of line; a move 2 right; a run of two 5s; end of bitmap.
    const string rle8 = string("\x03\x07\x01\x09\x00\x00", 6) + string("\x00\x03\x01\x02\x03\x00", 6) +
                        string("\x00\x00", 2) + string("\x00\x02\x02\x00", 4) + string("\x02\x05\x00\x01", 4);
    BmpImage image;
    ASSERT_TRUE(Decode(MakeBmp(Rle(8, 4, 3, rle8)), image));
    EXPECT_EQ(Indices(image), (std::vector<std::vector<std::uint32_t>>{{0, 0, 5, 5}, {1, 2, 3, 0}, {7, 7, 7, 9}}));
    EXPECT_EQ(image.compression, 0u);
    EXPECT_EQ(BmpPixelToXRGB(image, 2, 0), 0x550000u);

    // RLE4: a run of 5 alternating 1 and 2, an absolute run of 3 indices 0xA 0xB 0xC, end.
    const string rle4 = string("\x05\x12\x00\x03\xAB\xC0\x00\x01", 8);
    ASSERT_TRUE(Decode(MakeBmp(Rle(4, 9, 1, rle4)), image));
    EXPECT_EQ(Indices(image), (std::vector<std::vector<std::uint32_t>>{{1, 2, 1, 2, 1, 10, 11, 12, 0}}));

    // A run past the right edge is cut; the rows it does not reach stay 0.
    ASSERT_TRUE(Decode(MakeBmp(Rle(8, 2, 2, string("\x05\x04\x00\x01", 4))), image));
    EXPECT_EQ(Indices(image), (std::vector<std::vector<std::uint32_t>>{{0, 0}, {4, 4}}));

    const std::vector<CorruptCase> refused = {
        {"ends before the last row", MakeBmp(Rle(8, 2, 2, string("\x02\x04\x00\x00", 4)))},
        {"absolute run past the end", MakeBmp(Rle(8, 4, 1, string("\x00\x04\x01\x02", 4)))},
        {"move cut off", MakeBmp(Rle(8, 4, 1, string("\x00\x02\x01", 3)))},
        {"top-down",
         [&] {
             BmpSpec s = Rle(8, 4, -3, rle8);
             return MakeBmp(s);
         }()},
        {"decoded size past the cap", MakeBmp(Rle(8, 65535, 65535, string("\x00\x01", 2)))},
    };
    for (const CorruptCase& c : refused) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(Decode(c.bytes, image));
    }
}

TEST(BmpFileTest, PalettisedPicturesKeepIndicesAndAFullTable)
{
    BmpSpec s = Spec(3, 2, 4, {{0, 1, 2}, {3, 2, 1}});
    s.table = {0x110000, 0x002200, 0x000033, 0x444444};
    BmpImage image;
    ASSERT_TRUE(Decode(MakeBmp(s), image));
    ASSERT_EQ(image.colorTable.size(), 16u);
    EXPECT_EQ(image.colorTable[3].rgbRed, 0x44);
    EXPECT_EQ(image.colorTable[4].rgbRed, 0);
    EXPECT_EQ(BmpRawPixel(image, 0, 1), 3u);  // top-left of the bottom row
    EXPECT_EQ(BmpRawPixel(image, 2, 0), 2u);
}

// A valid 8-bit file: 4 x 2 pixels, a 4-entry table; the offsets below are those of its fields.
std::string Valid8Bit()
{
    BmpSpec s = Spec(4, 2, 8, {{0, 1, 2, 3}, {3, 2, 1, 0}});
    s.table = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    return MakeBmp(s);
}

std::string Valid565()
{
    BmpSpec s = Spec(2, 1, 16, {{0xF800, 0x001F}});
    s.compression = 3;
    s.masks[0] = 0xF800;
    s.masks[1] = 0x07E0;
    s.masks[2] = 0x001F;
    return MakeBmp(s);
}

std::string With32(std::string s, size_t at, std::uint32_t v)
{
    bmpbytes::Set32(s, at, v);
    return s;
}
std::string With16(std::string s, size_t at, std::uint32_t v)
{
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>(v >> 8);
    return s;
}

TEST(BmpFileTest, RefusesCorruptFiles)
{
    const std::string v = Valid8Bit();
    const std::string m = Valid565();
    const std::vector<CorruptCase> cases = {
        {"bad magic", "XM" + v.substr(2)},
        {"pixel offset past the end", With32(v, 10, static_cast<std::uint32_t>(v.size()) + 1)},
        {"pixel offset far past the end", With32(v, 10, 0xFFFFFFF0u)},
        {"pixel offset inside the header", With32(v, 10, 20)},
        {"pixel offset inside the colour table", With32(v, 10, 14 + 40 + 4)},
        {"colour count past the pixel offset", With32(v, 46, 256)},
        {"colour count above the depth", With32(v, 46, 257)},
        {"colour count absurd", With32(v, 46, 0xFFFFFFFFu)},
        {"zero width", With32(v, 18, 0)},
        {"negative width", With32(v, 18, static_cast<std::uint32_t>(-4))},
        {"zero height", With32(v, 22, 0)},
        {"most negative height", With32(v, 22, 0x80000000u)},
        {"absurd size for the file", With32(With32(v, 18, 65535), 22, 65535)},
        {"width past the limit", With32(v, 18, 70000)},
        {"pixel data one byte short", v.substr(0, v.size() - 1)},
        {"three bits per pixel", With16(v, 28, 3)},
        {"two planes", With16(v, 26, 2)},
        {"RLE4 at 8 bits", With32(v, 30, 2)},
        {"JPEG inside", With32(v, 30, 4)},
        {"bit fields at 8 bits", With32(v, 30, 3)},
        {"core header", With32(v, 14, 12)},
        {"unknown header size", With32(v, 14, 64)},
        {"header longer than the file", With32(v, 14, 124)},
        {"non-contiguous mask", With32(m, 54, 0xF00F)},
        {"mask wider than the pixel", With32(m, 54, 0x10000)},
        {"masks cut off", m.substr(0, 14 + 40 + 6)},
        {"empty", ""},
    };
    for (const CorruptCase& c : cases) {
        SCOPED_TRACE(c.name);
        BmpImage image;
        EXPECT_FALSE(Decode(c.bytes, image));
    }
}

TEST(BmpFileTest, EveryTruncationIsRefused)
{
    BmpSpec s1 = Spec(10, 3, 1, {{1, 0, 1, 0, 1, 0, 1, 0, 1, 0}, {0}, {1}});
    s1.rows[1].resize(10, 0);
    s1.rows[2].resize(10, 1);
    s1.table = {0, 0xFFFFFF};
    BmpSpec s32 = Spec(3, -2, 32, {{1, 2, 3}, {4, 5, 6}});
    s32.headerSize = 124;
    for (const std::string& whole : {Valid8Bit(), Valid565(), MakeBmp(s1), MakeBmp(s32)}) {
        BmpImage image;
        ASSERT_TRUE(Decode(whole, image));
        for (size_t n = 0; n < whole.size(); ++n) {
            // A copy of exactly n bytes, so that the sanitizer sees any read past it.
            const std::vector<BYTE> prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
            EXPECT_FALSE(DecodeBmp(prefix.data(), prefix.size(), image)) << "length " << n;
        }
    }
}

TEST(BmpFileTest, LoadsAFileThroughAGamePath)
{
    ScratchFolder folder;
    ScratchFolder::Write(folder.Path() + "/bmp/plt/palette.bmp", Valid8Bit());
    BmpImage image;
    ASSERT_TRUE(LoadBmpFile("BMP\\plt\\Palette.bmp", image));
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(BmpPixelToXRGB(image, 1, 0), 0xFF0000u);
    EXPECT_FALSE(LoadBmpFile("bmp\\missing.bmp", image));
    EXPECT_FALSE(LoadBmpFile("", image));
}

// ImageMagick's own writer, for files not made by our byte builder. Skipped when it is missing.
class BmpFileImageMagickTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* c : {"/usr/bin/convert", "convert"}) {
            const std::string probe = std::string(c) + " -version > /dev/null 2>&1";
            if (std::system(probe.c_str()) == 0) {
                m_convert = c;
                return;
            }
        }
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    }

    // Writes a PPM of the colours, converts it with the options into format ("BMP3", "BMP"), and
    // decodes the result.
    bool Convert(const std::vector<std::vector<std::uint32_t>>& colours, const std::string& options,
                 const std::string& format, BmpImage& out)
    {
        std::string ppm = "P3\n" + std::to_string(colours[0].size()) + " " + std::to_string(colours.size()) + "\n255\n";
        for (const auto& row : colours)
            for (std::uint32_t c : row)
                ppm += std::to_string((c >> 16) & 0xFF) + " " + std::to_string((c >> 8) & 0xFF) + " " +
                       std::to_string(c & 0xFF) + "\n";
        ScratchFolder::Write(m_folder.Path() + "/in.ppm", ppm);
        const std::string command = m_convert + " " + m_folder.Path() + "/in.ppm " + options + " " + format + ":" +
                                    m_folder.Path() + "/out.bmp > /dev/null 2>&1";
        if (std::system(command.c_str()) != 0) return false;
        return Decode(ScratchFolder::Read(m_folder.Path() + "/out.bmp"), out);
    }

    std::string m_convert;
    ScratchFolder m_folder;
};

std::vector<std::vector<std::uint32_t>> TwentyColours()
{
    std::vector<std::vector<std::uint32_t>> rows(4);
    for (std::uint32_t i = 0; i < 20; ++i)
        rows[i / 5].push_back(((i * 13) << 16) | ((255 - i * 7) << 8) | (i * 11 + 3));
    return rows;
}

std::vector<std::vector<std::uint32_t>> PrimaryColours()
{
    return {{0xFF0000, 0x00FF00, 0x0000FF}, {0xFFFFFF, 0x000000, 0xFF00FF}};
}

TEST_F(BmpFileImageMagickTest, DecodesWhatImageMagickWrites)
{
    struct Case {
        const char* options;
        const char* format;
        std::vector<std::vector<std::uint32_t>> colours;
        int bitCount;
    };
    const std::vector<std::vector<std::uint32_t>> twoTone = {{0xFFFFFF, 0x000000, 0x000000},
                                                             {0x000000, 0xFFFFFF, 0xFFFFFF}};
    const std::vector<Case> cases = {
        {"-type truecolor", "BMP3", TwentyColours(), 24},
        {"-type truecolor", "BMP", TwentyColours(), 24},
        {"-type palette -compress none", "BMP3", TwentyColours(), 8},
        {"-type palette", "BMP3", TwentyColours(), 8},  // run-length compressed by default
        {"-type palette -compress none", "BMP3", PrimaryColours(), 4},
        {"-type bilevel", "BMP3", twoTone, 1},
        {"-define bmp:subtype=RGB565", "BMP", PrimaryColours(), 16},
        {"-define bmp:subtype=RGB555", "BMP", PrimaryColours(), 16},
        {"-alpha on", "BMP", TwentyColours(), 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.options) + " " + c.format);
        BmpImage image;
        ASSERT_TRUE(Convert(c.colours, c.options, c.format, image));
        EXPECT_EQ(image.bitCount, c.bitCount);
        EXPECT_TRUE(image.bottomUp);
        EXPECT_EQ(Colours(image), c.colours);
    }
}

}  // namespace
