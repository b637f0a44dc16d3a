// The fixed-pitch text of a character sheet over the six configurations: the cell of each byte
// (half-width katakana moved up), new lines, wrapping at the screen width, the printf form.
#include "graphics/TextOutAscii.h"
#include "DrawTestSupport.h"

namespace gfxtest {
namespace {

// A sheet of 16 x 16 cells of 160 x 1 pixels, transparent except: 'A' (column 1, row 4) red,
// 'B' (2, 4) green, 0xA6 (6, 0) blue, 0xC0 (0, 8) white, '7' (7, 3) yellow.
char SheetLetter(int column, int row)
{
    if (row == 4 && column == 1) return 'R';
    if (row == 4 && column == 2) return 'G';
    if (row == 0 && column == 6) return 'B';
    if (row == 8 && column == 0) return 'W';
    if (row == 3 && column == 7) return 'Y';
    return '.';
}

constexpr int kCellWidth = 160;

struct TextCase {
    const char* name;
    const char* text;
    int x, y;
    std::vector<std::pair<POINT, char>> expected;  // the left pixel of each cell drawn
};

const TextCase kTextCases[] = {
    {"a new line goes one cell down to x", "A\nB", 0, 10, {{{0, 10}, 'R'}, {{0, 11}, 'G'}, {{kCellWidth, 10}, '-'}}},
    {"half-width katakana", "\xA6\xC0", 0, 20, {{{0, 20}, 'B'}, {{kCellWidth, 20}, 'W'}}},
    {"a line wraps when it reaches the screen width",
     "ABABA",
     0,
     30,
     {{{kCellWidth, 30}, 'G'}, {{3 * kCellWidth, 30}, 'G'}, {{0, 31}, 'R'}}},
};

using TextOutAsciiTest = DrawTest;

TEST_P(TextOutAsciiTest, DrawsEachByteFromItsCell)
{
    OpenWithPalette();
    Image sheetRows;
    for (int row = 0; row < 16; ++row) {
        sheetRows.emplace_back();
        for (int x = 0; x < 16 * kCellWidth; ++x) sheetRows.back().push_back(SheetLetter(x / kCellWidth, row));
    }
    DDSURFACEDATA* sheet = Picture(sheetRows);
    for (const TextCase& t : kTextCases) {
        SCOPED_TRACE(t.name);
        std::vector<DWORD> before;
        for (const auto& [at, letter] : t.expected) before.push_back(Pixel(&BackBuffer, at.x, at.y));
        DDTextOutAscii(&BackBuffer, t.x, t.y, kCellWidth, 1, sheet, t.text);
        for (size_t i = 0; i < t.expected.size(); ++i) {
            const auto& [at, letter] = t.expected[i];
            EXPECT_EQ(Pixel(&BackBuffer, at.x, at.y), letter == '-' ? before[i] : Raw(letter, true))
                << "at " << at.x << ", " << at.y;
        }
    }
    DDPrintfAscii(&BackBuffer, 0, 40, kCellWidth, 1, sheet, "%d", 7);
    EXPECT_EQ(Pixel(&BackBuffer, 0, 40), Raw('Y', true));
}

INSTANTIATE_TEST_SUITE_P(Configs, TextOutAsciiTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
