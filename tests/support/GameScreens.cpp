#include "GameScreens.h"

#include "GamePalette.h"
#include "GameSprites.h"
#include "PixelFont.h"

namespace testsupport {

namespace {

constexpr int kCell = 32;

IndexedImage Scaled(const IndexedImage& image, int factor)
{
    IndexedImage out(image.Width() * factor, image.Height() * factor);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            out.Fill(x * factor, y * factor, factor, factor, image.At(x, y));
        }
    }
    return out;
}

IndexedImage Halved(const IndexedImage& image)
{
    IndexedImage out(image.Width() / 2, image.Height() / 2);
    for (int y = 0; y < out.Height(); ++y) {
        for (int x = 0; x < out.Width(); ++x) {
            out.Set(x, y, image.At(2 * x, 2 * y));
        }
    }
    return out;
}

void Ellipse(IndexedImage& image, int cx, int cy, int rx, int ry, std::uint8_t colour)
{
    for (int y = -ry; y <= ry; ++y) {
        for (int x = -rx; x <= rx; ++x) {
            if (x * x * ry * ry + y * y * rx * rx <= rx * rx * ry * ry) {
                image.Set(cx + x, cy + y, colour);
            }
        }
    }
}

// A right-pointing triangle of the given height (its width is half of it).
void Pointer(IndexedImage& image, int x, int y, int height, std::uint8_t colour, std::uint8_t edge, bool left)
{
    for (int row = 0; row < height; ++row) {
        const int reach = row < height / 2 ? row : height - 1 - row;
        for (int col = 0; col <= reach; ++col) {
            const bool border = col == reach || col == 0;
            const int px = left ? x + height / 2 - col : x + col;
            image.Set(px, y + row, border ? edge : colour);
        }
    }
}

// ---- the accessory sheet ----------------------------------------------------------------

void HandCursor(IndexedImage& sheet)
{
    static const Legend legend{{'k', pal::kBlack}, {'w', pal::kWhite}, {'s', pal::kSkin}};
    sheet.Art(0, 0,
              {
                  "................",
                  "................",
                  "................",
                  "................",
                  ".kkkkkkkkk......",
                  "kssssssssskkkk..",
                  "kssssssssssssk..",
                  ".kkkkkssssskkk..",
                  "....kssssssk....",
                  ".....kkssssk....",
                  "....kssssssk....",
                  ".....kkkkkk.....",
              },
              legend, 2);
}

void ClearedSign(IndexedImage& sheet, int x, int y)
{
    Ellipse(sheet, x + 16, y + 16, 14, 14, pal::kDarkRed);
    Ellipse(sheet, x + 16, y + 16, 12, 12, pal::kRed);
    DrawCentredText(sheet, x + 16, y + 9, "OK", TextStyle{pal::kWhite, 0, 2, 2, 6});
}

void HudIcons(IndexedImage& sheet)
{
    const IndexedImage coin = Halved(ItemCell(art::kItemCoin, 0));
    const IndexedImage star = Halved(ItemCell(art::kItemStar, 0));
    const IndexedImage heart = Halved(ItemCell(art::kItemHeart, 0));
    const IndexedImage head = Halved(CharacterCell(art::kCharaHero, art::kCellStand));
    sheet.Draw(coin, 0, 32);
    sheet.Draw(star, 16, 32);
    sheet.Draw(heart, 32, 32);
    Ellipse(sheet, 48 + 8, 32 + 8, 6, 6, pal::kDarkBlue);
    Ellipse(sheet, 48 + 8, 32 + 8, 5, 5, pal::kCyan);
    sheet.Draw(head, 64, 32);
    sheet.Draw(head, 0, 48);
    Pointer(sheet, 16 + 4, 48, 16, pal::kYellow, pal::kBlack, true);
}

void MapFigure(IndexedImage& sheet)
{
    const IndexedImage left[2] = {CharacterCell(art::kCharaHero, art::kCellStand),
                                  CharacterCell(art::kCharaHero, art::kCellWalkA)};
    for (int step = 0; step < 2; ++step) {
        const IndexedImage right = left[step].Mirrored();
        sheet.Draw(left[step], 0 + step * kCell, 64);   // down
        sheet.Draw(right, 64 + step * kCell, 64);       // up
        sheet.Draw(left[step], 64 + step * kCell, 96);  // left
        sheet.Draw(right, 0 + step * kCell, 96);        // right
    }
}

void Gauges(IndexedImage& sheet)
{
    const int xs[2] = {0, 64};
    const std::uint8_t fills[2] = {pal::kGreen, pal::kCyan};
    for (int i = 0; i < 2; ++i) {
        const int x = xs[i];
        sheet.Fill(x, 128, 50, 16, pal::kDarkGrey);
        sheet.Frame(x, 128, 50, 16, pal::kBlack);
        sheet.Fill(x, 144, 50, 16, fills[i]);
        sheet.Fill(x, 144, 50, 2, pal::kWhite);
        sheet.Fill(x, 160, 50, 16, pal::kRed);
        sheet.Fill(x, 160, 50, 2, pal::kPink);
        sheet.Fill(x, 176, 50, 16, pal::kYellow);
        sheet.Fill(x, 192, 50, 16, pal::kWhite);
    }
}

// ---- map pictures -----------------------------------------------------------------------

void Waves(IndexedImage& chip, std::uint8_t water, std::uint8_t crest)
{
    chip.Fill(0, 0, kCell, kCell, water);
    for (int y = 6; y < kCell; y += 12) {
        for (int x = 2; x < kCell; x += 16) {
            chip.Fill(x, y, 6, 1, crest);
            chip.Fill(x + 6, y + 1, 4, 1, crest);
        }
    }
}

void Meadow(IndexedImage& chip, std::uint8_t grass, std::uint8_t blade)
{
    chip.Fill(0, 0, kCell, kCell, grass);
    for (int y = 3; y < kCell; y += 8) {
        for (int x = (y / 8) % 2 * 4 + 2; x < kCell; x += 8) {
            chip.Fill(x, y, 1, 2, blade);
            chip.Set(x + 1, y - 1, blade);
        }
    }
}

IndexedImage MapChip(int picture)
{
    IndexedImage chip(kCell, kCell);
    switch (picture) {
    case art::kChipWater: Waves(chip, pal::kWater, pal::kLightSky); break;
    case art::kChipMountain:
        Meadow(chip, pal::kGreen, pal::kDarkGreen);
        for (int row = 0; row < 24; ++row) {
            chip.Fill(16 - row / 2 - 1, 4 + row, row + 2, 1, row < 6 ? pal::kWhite : pal::kGrey);
        }
        break;
    case art::kChipTree:
        Meadow(chip, pal::kGreen, pal::kDarkGreen);
        chip.Fill(14, 20, 4, 10, pal::kBrown);
        Ellipse(chip, 16, 13, 10, 10, pal::kDarkGreen);
        Ellipse(chip, 13, 10, 4, 4, pal::kGreen);
        break;
    case art::kChipRock:
        Meadow(chip, pal::kGreen, pal::kDarkGreen);
        Ellipse(chip, 16, 18, 11, 8, pal::kDarkStone);
        Ellipse(chip, 15, 17, 9, 6, pal::kStone);
        break;
    case art::kChipDeepWater: Waves(chip, pal::kDeepWater, pal::kWater); break;
    case art::kChipGrass: Meadow(chip, pal::kGreen, pal::kLightGreen); break;
    case art::kChipPath:
        chip.Fill(0, 0, kCell, kCell, pal::kSand);
        chip.Fill(5, 9, 2, 2, pal::kBrown);
        chip.Fill(21, 23, 2, 2, pal::kBrown);
        break;
    case art::kChipBridge:
        Waves(chip, pal::kWater, pal::kLightSky);
        for (int x = 0; x < kCell; x += 8) {
            chip.Fill(x, 4, 7, 24, Ramp(Hue::Brown, 12));
            chip.Fill(x + 7, 4, 1, 24, pal::kDarkBrown);
        }
        break;
    case art::kChipFlowers:
        Meadow(chip, pal::kGreen, pal::kLightGreen);
        for (int i = 0; i < 4; ++i) {
            const int x = 5 + (i * 11) % 24;
            const int y = 5 + (i * 7) % 22;
            chip.Fill(x, y, 3, 3, i % 2 == 0 ? pal::kPink : pal::kYellow);
        }
        break;
    case art::kChipMeadow: Meadow(chip, pal::kDarkGreen, pal::kGreen); break;
    default: break;
    }
    return chip;
}

IndexedImage MapNode(int icon, bool cleared)
{
    IndexedImage node(kCell, kCell);
    switch (icon) {
    case art::kNodeStage:
        Ellipse(node, 16, 16, 11, 11, pal::kBlack);
        Ellipse(node, 16, 16, 9, 9, cleared ? pal::kGold : pal::kRed);
        Ellipse(node, 13, 13, 3, 3, cleared ? pal::kYellow : pal::kPink);
        break;
    case art::kNodeCastle:
        node.Fill(6, 10, 20, 20, pal::kBlack);
        node.Fill(7, 11, 18, 18, pal::kStone);
        for (int x = 6; x < 26; x += 6) {
            node.Fill(x, 6, 4, 5, pal::kBlack);
            node.Fill(x + 1, 7, 2, 4, pal::kStone);
        }
        node.Fill(13, 20, 6, 9, pal::kDarkBrown);
        node.Fill(16, 0, 1, 8, pal::kBlack);
        node.Fill(17, 0, 7, 4, cleared ? pal::kGold : pal::kRed);
        break;
    case art::kNodeHouse:
        for (int row = 0; row < 10; ++row) {
            node.Fill(16 - row - 2, 4 + row, 2 * row + 4, 1, cleared ? pal::kGold : pal::kRed);
        }
        node.Fill(8, 14, 16, 14, pal::kSand);
        node.Frame(8, 14, 16, 14, pal::kBlack);
        node.Fill(14, 20, 5, 8, pal::kBrown);
        break;
    default: break;
    }
    return node;
}

}  // namespace

IndexedImage DebugSheet()
{
    IndexedImage sheet(128, 128);
    const TextStyle style{pal::kWhite, 0, 1, 1, 6};
    for (int c = 33; c < 127; ++c) {
        const char text[2] = {static_cast<char>(c), '\0'};
        DrawText(sheet, (c % 16) * 8 + 1, (c / 16) * 8, text, style);
    }
    return sheet;
}

IndexedImage WindowSkin()
{
    IndexedImage skin(640, 480);
    for (int y = 0; y < 480; ++y) {
        skin.Fill(0, y, 640, 1, Ramp(Hue::Indigo, 6 - y * 6 / 480));
    }
    return skin;
}

IndexedImage StatusBar()
{
    IndexedImage bar(640, 20, pal::kNavy);
    bar.Fill(0, 0, 640, 1, pal::kWindowLight);
    bar.Fill(0, 18, 640, 1, pal::kWindowDark);
    bar.Fill(0, 19, 640, 1, pal::kFrame);
    return bar;
}

IndexedImage TitlePicture(const std::string& title, const std::string& subtitle)
{
    IndexedImage picture(640, 480);
    for (int y = 0; y < 480; ++y) {
        picture.Fill(0, y, 640, 1, Ramp(Hue::Sky, 15 - y * 7 / 480));
    }
    const int clouds[][3] = {{90, 250, 34}, {520, 210, 40}, {330, 300, 26}};
    for (const auto& c : clouds) {
        Ellipse(picture, c[0], c[1], c[2], c[2] / 2, pal::kWhite);
        Ellipse(picture, c[0] + c[2] / 2, c[1] - 8, c[2] / 2, c[2] / 3, pal::kWhite);
    }
    Ellipse(picture, 120, 430, 160, 70, pal::kGreen);
    Ellipse(picture, 520, 440, 190, 60, pal::kDarkGreen);
    const IndexedImage grass = BlockTile(art::kBlockGrass);
    const IndexedImage dirt = BlockTile(art::kBlockDirt);
    for (int x = 0; x < 640; x += kCell) {
        picture.Draw(grass, x, 416, false);
        picture.Draw(dirt, x, 448, false);
    }
    picture.Draw(Scaled(CharacterCell(art::kCharaHero, art::kCellStand).Mirrored(), 2), 72, 352);
    picture.Draw(Scaled(CharacterCell(art::kCharaSlime, 0), 2), 520, 352);
    picture.Draw(ItemCell(art::kItemCoin, 0), 430, 330);
    picture.Draw(ItemCell(art::kItemStar, 0), 470, 300);
    DrawCentredText(picture, 320, 70, title, TextStyle{pal::kYellow, pal::kBlack, 6, 7, 6});
    // Above y 152, where the continue list's window begins.
    DrawCentredText(picture, 320, 130, subtitle, TextStyle{pal::kWhite, pal::kNavy, 2, 2, 6});
    return picture;
}

IndexedImage AccessorySheet()
{
    IndexedImage sheet(128, 208);
    HandCursor(sheet);
    Pointer(sheet, 64 + 2, 0, 16, pal::kYellow, pal::kBlack, false);
    Pointer(sheet, 80 + 2, 0, 16, pal::kWhite, pal::kBlack, false);
    ClearedSign(sheet, 96, 0);
    HudIcons(sheet);
    MapFigure(sheet);
    Gauges(sheet);
    return sheet;
}

IndexedImage SymbolSheet()
{
    IndexedImage sheet(832, 32);
    const TextStyle style{pal::kText, 0, 2, 2, 6};
    for (int k = 0; k < 26; ++k) {
        const char text[2] = {static_cast<char>('a' + k), '\0'};
        DrawText(sheet, k * 16 + 3, 1, text, style);
    }
    return sheet;
}

IndexedImage WordSheet()
{
    IndexedImage sheet(320, 192);
    const TextStyle banner{pal::kYellow, pal::kBlack, 3, 3, 6};
    const TextStyle narrow{pal::kYellow, pal::kBlack, 2, 3, 6};
    DrawCentredText(sheet, 64, 5, "STAGE", banner);
    DrawCentredText(sheet, 200, 5, "START", narrow);
    DrawCentredText(sheet, 64, 32 + 5, "REPLAY", narrow);
    DrawCentredText(sheet, 64, 64 + 5, "CLEAR!", narrow);
    DrawCentredText(sheet, 72, 96 + 5, "GAME OVER", narrow);
    const TextStyle stageDigits{pal::kWhite, pal::kBlack, 3, 3, 6};
    const TextStyle timeDigits{pal::kYellow, pal::kBlack, 3, 3, 6};
    for (int d = 0; d < 10; ++d) {
        const char text[2] = {static_cast<char>('0' + d), '\0'};
        DrawText(sheet, d * kCell + 9, 128 + 5, text, stageDigits);
        DrawText(sheet, d * kCell + 9, 160 + 5, text, timeDigits);
    }
    return sheet;
}

IndexedImage MapChipSheet()
{
    IndexedImage sheet(160, 64);
    for (int picture = 0; picture < 10; ++picture) {
        sheet.Draw(MapChip(picture), (picture % 5) * kCell, (picture / 5) * kCell, false);
    }
    return sheet;
}

IndexedImage MapNodeSheet()
{
    IndexedImage sheet(64, 96);
    for (int icon = art::kNodeStage; icon <= art::kNodeHouse; ++icon) {
        sheet.Draw(MapNode(icon, false), 0, icon * kCell);
        sheet.Draw(MapNode(icon, true), kCell, icon * kCell);
    }
    return sheet;
}

}  // namespace testsupport
