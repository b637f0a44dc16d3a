// A character drawn on each back-end, compared pixel by pixel with the picture the test makes
// from the same sheets: its cell by graphic kind, column and animation frame, its facing, the
// invincible cell offset, the enlargement, the overlay icon, and a graphic number outside its
// sheets, which draws nothing.
#include <array>
#include <string>
#include <vector>

#include "definitions/cEdItem.h"
#include "graphics/DrawTestSupport.h"
#include "objects/chara/CharaGraphic.h"
#include "objects/chara/cChara.h"
#include "project/cDatabase.h"
#include "project/cSystemData.h"
#include "support/GameSprites.h"

namespace {

using testsupport::IndexedImage;

constexpr int kCanvasW = 128;
constexpr int kCanvasH = 96;
constexpr std::uint8_t kBackground = 6;  // the canvas letter 'C'

// A w x h piece of the sheet from (x, y).
IndexedImage Crop(const IndexedImage& sheet, int x, int y, int w, int h)
{
    IndexedImage piece(w, h);
    piece.Draw(sheet, -x, -y, false);
    return piece;
}

// Each pixel n x n times.
IndexedImage Enlarge(const IndexedImage& src, int n)
{
    IndexedImage big(src.Width() * n, src.Height() * n);
    for (int y = 0; y < big.Height(); ++y) {
        for (int x = 0; x < big.Width(); ++x) {
            big.Set(x, y, src.At(x / n, y / n));
        }
    }
    return big;
}

struct DRAWCASE {
    const char* name;
    int kind;     // graphic kind of the definition
    int graphic;  // graphic number
    int column;   // the definition's base cell
    int frame;    // animation frame
    int facing;
    int invincible;
    int scale;
    int badge;  // overlay icon, -1 none
    int x;      // screen position
    int y;
};

const DRAWCASE kCases[] = {
    {"hero facing left, frame 1", 1, testsupport::art::kCharaHero, 0, 1, 0, 0, 1, -1, 10, 20},
    {"slime facing right", 1, testsupport::art::kCharaSlime, 2, 0, 1, 0, 1, -1, 40, 8},
    {"invincible takes the set's offset", 1, testsupport::art::kCharaBird, 0, 3, 0, 1, 1, -1, 0, 0},
    {"clipped at the edge", 1, testsupport::art::kCharaSpiky, 1, 0, 1, 0, 1, -1, 110, 80},
    {"enlarged twice", 1, testsupport::art::kCharaHero, 0, 2, 1, 0, 2, -1, 20, 16},
    {"with its overlay icon", 1, testsupport::art::kCharaSlime, 0, 0, 0, 0, 1, testsupport::art::kIconHeart, 64, 40},
    {"enlarged with its overlay icon", 1, testsupport::art::kCharaBird, 1, 0, 0, 0, 2, testsupport::art::kIconStar, 50,
     30},
    {"a block", 0, testsupport::art::kBlockBrick, 0, 0, 1, 0, 1, -1, 30, 30},
    {"an item", 2, testsupport::art::kItemStar, 0, 1, 0, 0, 1, -1, 70, 10},
    {"a sheet outside the eight", 1, 8 * 15 + 1, 0, 0, 0, 0, 1, -1, 10, 10},
    {"a negative graphic", 1, -14, 0, 0, 0, 0, 1, -1, 10, 10},
};

class CharaDrawTest : public gfxtest::DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        Database.SetDefault();
        CharaDrawSettings = CHARADRAWSETTINGS{};
        OpenWithPalette();
        const auto colours = gfxtest::TestPaletteColours();
        std::copy(colours.begin(), colours.end(), m_colours.begin());
        m_blocks = testsupport::BlockSheet();
        m_charas = testsupport::CharacterSheet();
        m_items = testsupport::ItemSheet();
        m_marks = testsupport::MarkSheet();
        WriteSheet("bmp\\Block.bmp", m_blocks);
        WriteSheet("bmp\\Character1.bmp", m_charas);
        WriteSheet("bmp\\Item.bmp", m_items);
        WriteSheet("bmp\\Mark.bmp", m_marks);
        WriteSheet("bmp\\Item_Mini.bmp", testsupport::ItemMiniSheet());
        const int slots[] = {2, 3, 4, 5, 22, 23, 40, 41, 42, 43, 44};
        ASSERT_TRUE(DDLoadSurfaces(SDTable, slots, static_cast<int>(std::size(slots))));
        LinkSharedSurfaces();
        SelectIconSheets();
    }
    void TearDown() override
    {
        for (int slot : {2, 3, 4, 5, 22, 23, 40, 41, 42, 43, 44, 49}) DDReleaseSurface(&SDTable[slot]);
        SystemData.HudItems[2].nWarnValue = SystemData.HudItems[3].nWarnValue = 0;
        CharaDrawSettings = CHARADRAWSETTINGS{};
        Database.SetDefault();
        DrawTest::TearDown();
    }

    void WriteSheet(const char* path, const IndexedImage& sheet)
    {
        const std::vector<std::uint8_t> bytes = testsupport::EncodeBmp8(sheet, m_colours);
        Write(path, std::string(bytes.begin(), bytes.end()));
    }

    // The picture the case should leave on the canvas.
    IndexedImage Expected(const DRAWCASE& c) const
    {
        IndexedImage canvas(kCanvasW, kCanvasH, kBackground);
        const bool valid = c.graphic >= 0 && c.graphic < 120;
        if (!valid) return canvas;
        IndexedImage cell(32, 32);
        const int e = c.graphic / 15;
        const int r = c.graphic % 15;
        if (c.kind == 0) {
            cell = Crop(m_blocks, e * 32, r * 32, 32, 32);
        } else if (c.kind == 2) {
            cell = Crop(m_items, e * 64, r * 32, 32, 32);  // a character shows the item's first frame
        } else {
            const int column = c.column + c.frame + (c.invincible ? 4 : 0);
            cell = Crop(m_charas, column * 32, r * 32, 32, 32);
            if (c.facing == 1) cell = cell.Mirrored();
        }
        canvas.Draw(Enlarge(cell, c.scale), c.x, c.y);
        if (c.badge >= 0) {
            canvas.Draw(Enlarge(Crop(m_marks, (c.badge / 15) * 32, (c.badge % 15) * 32, 32, 32), c.scale), c.x, c.y);
        }
        return canvas;
    }

    gfxtest::RawImage Raw(const IndexedImage& image) const
    {
        gfxtest::RawImage raw;
        for (int y = 0; y < image.Height(); ++y) {
            raw.emplace_back();
            for (int x = 0; x < image.Width(); ++x) {
                const std::uint8_t index = image.At(x, y);
                raw.back().push_back(gfxtest::LoadedRaw(C(), m_colours[index], index) & RawMask());
            }
        }
        return raw;
    }

    testsupport::ColourTable m_colours{};
    IndexedImage m_blocks{1, 1};
    IndexedImage m_charas{1, 1};
    IndexedImage m_items{1, 1};
    IndexedImage m_marks{1, 1};
};

TEST_P(CharaDrawTest, EachGraphicKindIsDrawnFromItsSheetCell)
{
    for (const DRAWCASE& c : kCases) {
        DDSURFACEDATA* canvas = Canvas(kCanvasW, kCanvasH, 'C');
        cChara chara;
        chara.def.m_nGraphicSheet = static_cast<std::int8_t>(c.kind);
        chara.pictureNumber = c.graphic;
        chara.def.m_nCell = static_cast<std::int16_t>(c.column);
        chara.def.m_nInvincible = static_cast<std::int8_t>(c.invincible);
        chara.def.m_nBadgeShow = c.badge >= 0 ? 1 : 0;
        chara.def.m_nBadge = static_cast<std::int16_t>(c.badge);
        chara.facing = c.facing;
        chara.baseGfxWidth = chara.baseGfxHeight = 32;
        chara.gfxWidth = chara.gfxHeight = 32 * c.scale;
        chara.fixedScreenX = chara.fixedScreenY = 1;
        chara.fixedScreenPosX = c.x;
        chara.fixedScreenPosY = c.y;
        PatternTable pattern(1);
        pattern[0].push_back(PATTERNSTEP{c.frame, 1000, 0});
        pattern[0].push_back(PATTERNSTEP{kPatternLoop, 0, 0});
        chara.anime.SetPatterns(&pattern);
        chara.Draw(canvas, 0);
        EXPECT_EQ(Pixels(canvas), Raw(Expected(c))) << c.name;
    }
}

TEST_P(CharaDrawTest, HiddenAndTransparentCharactersAreNotDrawn)
{
    for (int hidden : {0, 1}) {
        DDSURFACEDATA* canvas = Canvas(kCanvasW, kCanvasH, 'C');
        cChara chara;
        chara.pictureNumber = testsupport::art::kCharaHero;
        chara.baseGfxWidth = chara.baseGfxHeight = chara.gfxWidth = chara.gfxHeight = 32;
        chara.fixedScreenX = chara.fixedScreenY = 1;
        chara.hiddenThisFrame = hidden;
        chara.def.m_bTransparent = static_cast<std::int8_t>(1 - hidden);
        chara.Draw(canvas, 0);
        EXPECT_EQ(Pixels(canvas), Raw(IndexedImage(kCanvasW, kCanvasH, kBackground))) << hidden;
    }
}

// An accessory sheet whose gauge rows (from row f, r apart, two pixels high each) are filled
// with their own colours: the frame, the bar, the low bar, the loss and the gain; the SP column
// (from x 64) in other colours than the HP column.
IndexedImage AccessorySheet(int nHeight, int f, int r)
{
    IndexedImage sheet(128, nHeight, 40);
    for (int row = 0; row < 5; ++row) {
        sheet.Fill(0, f + row * r, 64, 2, static_cast<std::uint8_t>(1 + row));
        sheet.Fill(64, f + row * r, 64, 2, static_cast<std::uint8_t>(11 + row));
    }
    return sheet;
}

TEST_P(CharaDrawTest, GaugesShowFrameBarAndChangeFromTheSheetRows)
{
    const struct {
        const char* name;
        int sheetHeight;
        int f;
        int r;
        int isSp;
        int before;
        int change;
        int warn;
    } cases[] = {
        {"HP loss, rows 2 apart from 208", 224, 208, 2, 0, 10, -4, 0},
        {"SP gain below the warning, rows 16 apart from 128", 208, 128, 16, 1, 2, 4, 8},
    };
    for (const auto& c : cases) {
        const IndexedImage sheet = AccessorySheet(c.sheetHeight, c.f, c.r);
        WriteSheet("bmp\\Accessory.bmp", sheet);
        const int slot = 49;
        ASSERT_TRUE(DDLoadSurfaces(SDTable, &slot, 1));
        SystemData.HudItems[c.isSp ? 3 : 2].nWarnValue = c.warn;
        DDSURFACEDATA* canvas = Canvas(kCanvasW, kCanvasH, 'C');
        cChara chara;
        chara.def.m_nMaxHp = chara.def.m_nMaxSp = 10;
        chara.hp = chara.sp = c.before;
        if (c.isSp) {
            chara.ChangeSP(c.change, 1);
        } else {
            chara.ChangeHP(c.change, 0, 1);
        }
        chara.screenLeft = 20;
        chara.screenTop = 40;
        chara.gfxWidth = 32;
        if (c.isSp) {
            chara.DrawSpGauge(canvas);
        } else {
            chara.DrawHpGauge(canvas);
        }

        const int value = c.before + c.change;
        const int bar = value * 50 / 10;
        const int n = (c.change < 0 ? -c.change : c.change) * 50 / 10;
        const int x = 20 + 32 / 2 - 25;
        const int y = 40 - (c.isSp ? 7 : 3);
        const int sx = c.isSp ? 64 : 0;
        const bool low = value <= c.warn;
        IndexedImage expect(kCanvasW, kCanvasH, kBackground);
        expect.Draw(Crop(sheet, sx, c.f, 50, 2), x, y);
        expect.Draw(Crop(sheet, sx, low ? c.f + 2 * c.r : c.f + c.r, bar, 2), x, y);
        if (c.change < 0) {
            expect.Draw(Crop(sheet, sx, c.f + 3 * c.r, n, 2), x + bar, y);
        } else {
            expect.Draw(Crop(sheet, sx, c.f + 4 * c.r, n, 2), x + bar - n, y);
        }
        EXPECT_EQ(Pixels(canvas), Raw(expect)) << c.name;
    }
}

// Every second pixel of a 32 x 32 piece: the shrink of DirectDraw's stretch sampling.
IndexedImage Shrink(const IndexedImage& sheet, int x, int y)
{
    IndexedImage mini(16, 16);
    for (int j = 0; j < 16; ++j) {
        for (int i = 0; i < 16; ++i) {
            mini.Set(i, j, sheet.At(x + 2 * i, y + 2 * j));
        }
    }
    return mini;
}

using CharaIconTest = CharaDrawTest;

TEST_P(CharaIconTest, MiniIconsAndPaletteIconsComeFromTheirSheets)
{
    const IndexedImage miniItems = testsupport::ItemMiniSheet();
    const struct {
        const char* name;
        int kind;
        int n;
        int frame;
        IndexedImage expect;
    } cases[] = {
        {"block, shrunk", 0, testsupport::art::kBlockBrick, 0, Shrink(m_blocks, 0, 2 * 32)},
        {"character cell of the frame, shrunk", 1, testsupport::art::kCharaHero, 2, Shrink(m_charas, 64, 32)},
        {"mini item", 2, testsupport::art::kItemStar, 0, Crop(miniItems, 0, 2 * 16, 16, 16)},
        {"character sheet outside the eight", 1, 120, 0, IndexedImage(16, 16)},
        {"negative number", 2, -1, 0, IndexedImage(16, 16)},
        {"unknown kind", 9, 1, 0, IndexedImage(16, 16)},
    };
    for (const auto& c : cases) {
        DDSURFACEDATA* canvas = Canvas(kCanvasW, kCanvasH, 'C');
        DrawMiniIcon(canvas, 30, 20, c.kind, c.n, c.frame);
        IndexedImage expect(kCanvasW, kCanvasH, kBackground);
        expect.Draw(c.expect, 30, 20);
        EXPECT_EQ(Pixels(canvas), Raw(expect)) << c.name;
    }

    cEdItem item;
    item.m_nGraphicSheet = 2;
    item.m_nGraphic = testsupport::art::kItemHeart;
    item.m_nCell = 1;
    item.m_nBadgeShow = 1;
    item.m_nBadge = testsupport::art::kIconStar;
    DDSURFACEDATA* canvas = Canvas(kCanvasW, kCanvasH, 'C');
    DrawPaletteIcon(item, canvas, 50, 40);
    IndexedImage expect(kCanvasW, kCanvasH, kBackground);
    expect.Draw(Crop(m_items, 0, testsupport::art::kItemHeart * 32, 32, 32), 50, 40);
    expect.Draw(Crop(m_marks, 0, testsupport::art::kIconStar * 32, 32, 32), 50, 40);
    EXPECT_EQ(Pixels(canvas), Raw(expect)) << "an icon shows the item's first frame and its overlay icon";
}

// Shrinking samples as DirectDraw's stretch does (Direct3D samples pixel centres).
INSTANTIATE_TEST_SUITE_P(DirectDraw, CharaIconTest,
                         ::testing::Values(gfxtest::kConfigs[3], gfxtest::kConfigs[4], gfxtest::kConfigs[5]),
                         gfxtest::ConfigName);

TEST_P(CharaDrawTest, TheThirtyRowSheetGivesTheCellOfItsWorkSurface)
{
    // The work surface of the 30-row sheet holds, here, the left of the character sheet.
    const int slots[] = {63, 64};
    ASSERT_TRUE(DDLoadSurfaces(SDTable, slots, 2));
    ASSERT_TRUE(DDBlt(&SDTable[63], 0, 0, 256, 480, &SDTable[4], 0, 0, 0));
    const int n = 30 + testsupport::art::kCharaSlime;  // column pair 1, row 2
    DDSURFACEDATA* canvas = Canvas(kCanvasW, kCanvasH, 'C');
    cChara chara;
    chara.def.m_nGraphicSheet = 3;
    chara.pictureNumber = n;
    chara.def.m_nCell = 5;  // the column plays no part in this sheet
    chara.baseGfxWidth = chara.baseGfxHeight = chara.gfxWidth = chara.gfxHeight = 32;
    chara.fixedScreenX = chara.fixedScreenY = 1;
    chara.fixedScreenPosX = 12;
    chara.fixedScreenPosY = 34;
    chara.Draw(canvas, 0);
    IndexedImage expect(kCanvasW, kCanvasH, kBackground);
    expect.Draw(Crop(m_charas, (n / 30) * 64, (n % 30) * 32, 32, 32), 12, 34);
    EXPECT_EQ(Pixels(canvas), Raw(expect));
    for (int slot : slots) DDReleaseSurface(&SDTable[slot]);
}

INSTANTIATE_TEST_SUITE_P(Configs, CharaDrawTest, ::testing::ValuesIn(gfxtest::kConfigs), gfxtest::ConfigName);

}  // namespace
