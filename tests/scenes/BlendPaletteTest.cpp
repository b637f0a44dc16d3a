// The 8-bit DirectDraw screen's palette sets: the blend table of the set, the colour groups
// 16..207 rotated (sets 0..11) or copied from one group (sets 12..23), nothing on other screens.
#include <cstring>
#include <string>
#include <vector>

#include "graphics/BlendTable.h"
#include "graphics/GraphicsTestSupport.h"
#include "scenes/BlendPalette.h"

namespace {

constexpr const char* kPalettePath = "bmp\\plt\\Palette.bmp";

// A blend table file whose every byte is fill.
std::string TableFile(char fill)
{
    return std::string(kBlendTableBytes, fill);
}

// The colour of entry i of the test palette as a palette entry.
PALETTEENTRY Entry(const std::vector<std::uint32_t>& colours, int i)
{
    const std::uint32_t c = colours[static_cast<std::size_t>(i)];
    return PALETTEENTRY{static_cast<BYTE>(c >> 16), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c), 0};
}

bool Same(const PALETTEENTRY& a, const PALETTEENTRY& b)
{
    return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue;
}

class BlendPaletteTest : public gfxtest::GraphicsTest {};

TEST_F(BlendPaletteTest, SetsRotateOrCopyTheColourGroupsAndLoadTheirTable)
{
    const std::vector<std::uint32_t> colours = gfxtest::TestPaletteColours();
    Write(kPalettePath, gfxtest::PaletteBmp(colours));
    Write("bmp\\hbt\\hbt00.dat", TableFile(1));
    Write("bmp\\hbt\\hbt05.dat", TableFile(5));
    Write("bmp\\hbt\\hbt12.dat", TableFile(12));
    Write("bmp\\hbt\\hbt23.dat", TableFile(23));
    ASSERT_TRUE(Open(gfxtest::Config{"DD8FullScreen", 0, 8, 0}));

    // The entry that set n shows at index k: sets 0..11 rotate by n groups towards the lower
    // indices, sets 12..23 repeat group n - 11 everywhere; entries outside 16..207 stay.
    auto expected = [&](int n, int k) {
        if (k < 16 || k > 207) return Entry(colours, k);
        if (n < 12) return Entry(colours, 16 + (k - 16 + 16 * n) % 192);
        return Entry(colours, (n - 11) * 16 + (k - 16) % 16);
    };
    for (int n : {0, 5, 12, 23}) {
        SCOPED_TRACE(n);
        ASSERT_EQ(LoadBlendPalette(n), 1);
        EXPECT_EQ(BlendTable[0], n == 0 ? 1 : n);
        EXPECT_EQ(BlendTable[kBlendTableBytes - 1], n == 0 ? 1 : n);
        for (int k = 0; k < 256; ++k) {
            ASSERT_TRUE(Same(PaletteBackup[k], expected(n, k))) << "entry " << k;
        }
        // The screen's palette takes entries 0..254.
        PALETTEENTRY shown[256] = {};
        ASSERT_EQ(lpDDPalette->GetEntries(0, 0, 256, shown), DD_OK);
        EXPECT_TRUE(Same(shown[207], expected(n, 207)));
    }
}

TEST_F(BlendPaletteTest, AMissingTableIsShownAndFailsOtherScreensLoadNothing)
{
    Write(kPalettePath, gfxtest::PaletteBmp());
    ASSERT_TRUE(Open(gfxtest::Config{"DD8FullScreen", 0, 8, 0}));
    EXPECT_EQ(LoadBlendPalette(3), 0);
    const std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Sjis("bmp\\hbt\\hbt03.dat の読み込みに失敗！"));
    DDRelease();

    for (const gfxtest::Config& c : gfxtest::kConfigs) {
        if (c.nBpp == 8) continue;
        SCOPED_TRACE(c.name);
        ClearRecordedMessageBoxes();
        ASSERT_TRUE(Open(c));
        EXPECT_EQ(LoadBlendPalette(3), 1);
        EXPECT_TRUE(RecordedMessageBoxes().empty());
        DDRelease();
    }
}

}  // namespace
