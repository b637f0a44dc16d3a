#include "GameSprites.h"

#include <cstdlib>

#include "GamePalette.h"
#include "PixelFont.h"

namespace testsupport {

namespace {

// The sprites are drawn on a 16 x 16 grid and doubled into their 32 x 32 cells.
constexpr int kArtScale = 2;
constexpr int kCell = 32;
constexpr int kRowsPerColumn = 15;

const Legend& SpriteLegend()
{
    static const Legend legend{
        {'k', pal::kBlack},     {'w', pal::kWhite},  {'r', pal::kRed},       {'R', pal::kDarkRed},
        {'s', pal::kSkin},      {'b', pal::kBlue},   {'B', pal::kDarkBlue},  {'n', pal::kBrown},
        {'N', pal::kDarkBrown}, {'g', pal::kGreen},  {'G', pal::kDarkGreen}, {'l', pal::kLightGreen},
        {'y', pal::kYellow},    {'o', pal::kOrange}, {'d', pal::kGold},      {'L', pal::kLightGrey},
        {'E', pal::kDarkGrey},  {'e', pal::kGrey},   {'p', pal::kPink},      {'c', pal::kCyan},
    };
    return legend;
}

// ---- characters -------------------------------------------------------------------------

// The hero: a small traveller in a teal hooded cloak with a yellow scarf, grey leggings and
// orange boots.
void HeroHead(IndexedImage& cell)
{
    cell.Art(0, 0,
             {
                 "......kkkk......",
                 "....kkcccckk....",
                 "...kccccccccck..",
                 "..kcccsssssccck.",
                 "..kccswkswksccck",
                 "..kccsssssssccck",
                 "...kkcsspsscckk.",
             },
             SpriteLegend(), kArtScale);
}

void HeroBody(IndexedImage& cell, bool armsUp)
{
    if (armsUp) {
        cell.Art(0, 7 * kArtScale,
                 {
                     ".kskyyyyyyykks..",
                     ".kskcyyyccccksk.",
                     "...kcccyccccck..",
                     "...kcccccccck...",
                 },
                 SpriteLegend(), kArtScale);
        return;
    }
    cell.Art(0, 7 * kArtScale,
             {
                 "....kyyyyyyyk...",
                 "...kcyyyccccck..",
                 "..kccccyccccck..",
                 "..kscccccccsk...",
             },
             SpriteLegend(), kArtScale);
}

void HeroLegs(IndexedImage& cell, int cellNo)
{
    const int y = 11 * kArtScale;
    switch (cellNo) {
    case art::kCellWalkA:
        cell.Art(0, y,
                 {
                     "....kBBBBBBBk...",
                     "...kEEk...kEEk..",
                     "..kEEk.....kEEk.",
                     ".kook.......kook",
                     ".kkkk.......kkkk",
                 },
                 SpriteLegend(), kArtScale);
        break;
    case art::kCellWalkB:
        cell.Art(0, y,
                 {
                     "....kBBBBBBBk...",
                     ".....kEEEEEk....",
                     "......kEEEk.....",
                     ".....kooook.....",
                     ".....kkkkkk.....",
                 },
                 SpriteLegend(), kArtScale);
        break;
    case art::kCellJump:
        cell.Art(0, y,
                 {
                     "....kBBBBBBBk...",
                     "...kEEk..kEEk...",
                     "..kEEk....kEEk..",
                     "..kook....kook..",
                     "..kkkk....kkkk..",
                 },
                 SpriteLegend(), kArtScale);
        break;
    default:
        cell.Art(0, y,
                 {
                     "....kBBBBBBBk...",
                     ".....kEEkkEEk...",
                     ".....kEEkkEEk...",
                     "....kookkkook...",
                     "....kkkk.kkkk...",
                 },
                 SpriteLegend(), kArtScale);
        break;
    }
}

IndexedImage Hero(int cellNo)
{
    IndexedImage cell(kCell, kCell);
    HeroHead(cell);
    HeroBody(cell, cellNo == art::kCellJump);
    HeroLegs(cell, cellNo);
    return cell;
}

IndexedImage Slime(int frame)
{
    IndexedImage cell(kCell, kCell);
    cell.Art(0, frame * kArtScale,
             {
                 "................",
                 "................",
                 "................",
                 "................",
                 "................",
                 "......kkkkk.....",
                 "....kkglgggkk...",
                 "...kglllgggggk..",
                 "..kgllggggggggk.",
                 "..kgwkgggwkgggk.",
                 "..kgwkgggwkgggk.",
                 ".kggggggggggggk.",
                 ".kgggGGGGggggGk.",
                 ".kGggggggggggGk.",
                 "..kkkkkkkkkkkk..",
             },
             SpriteLegend(), kArtScale);
    return cell;
}

IndexedImage Bird(int frame)
{
    IndexedImage cell(kCell, kCell);
    if (frame == 0) {
        cell.Art(0, 0,
                 {
                     "................",
                     "................",
                     "...........kk...",
                     "..........kyyk..",
                     ".....kkk..kyyk..",
                     "....kyyyk.kyyk..",
                     "...kwkyyykkyk...",
                     ".ookkyyyyyyyk...",
                     "..ookyyyyyyyyk..",
                     "....kyyyyyyyyk..",
                     ".....kyyyyyyk...",
                     "......kkkkkk....",
                     ".......o..o.....",
                 },
                 SpriteLegend(), kArtScale);
    } else {
        cell.Art(0, 0,
                 {
                     "................",
                     "................",
                     "................",
                     "................",
                     ".....kkk........",
                     "....kyyyk.......",
                     "...kwkyyykkk....",
                     ".ookkyyyyyyyk...",
                     "..ookyyyyyyyyk..",
                     "....kyyyyyykyyk.",
                     ".....kyyyyykyyk.",
                     "......kkkkkkyk..",
                     ".......o..o.kk..",
                 },
                 SpriteLegend(), kArtScale);
    }
    return cell;
}

IndexedImage Spiky(int frame)
{
    IndexedImage cell(kCell, kCell);
    cell.Art(0, 0,
             {
                 "................",
                 "................",
                 "................",
                 "......k...k.....",
                 "....k.kLk.kLk...",
                 ".....kLLkkLLk...",
                 "....kLLLLLLLLk..",
                 "...kLLEELLLEELk.",
                 "..kwkLLLLLLLLLk.",
                 "..kkkLEELLLEELk.",
                 ".kssskLLLLLLLk..",
                 ".ksskkkkkkkkk...",
             },
             SpriteLegend(), kArtScale);
    if (frame == 0) {
        cell.Art(0, 12 * kArtScale,
                 {
                     "..kk.knnk.knnk..",
                     ".....kkkk.kkkk..",
                 },
                 SpriteLegend(), kArtScale);
    } else {
        cell.Art(0, 12 * kArtScale,
                 {
                     "..kk..knnkknnk..",
                     "......kkkkkkkk..",
                 },
                 SpriteLegend(), kArtScale);
    }
    return cell;
}

// ---- blocks -----------------------------------------------------------------------------

// A scattering of darker dots, the same for every tile of a kind.
void Specks(IndexedImage& tile, int top, std::uint8_t colour)
{
    for (int y = top; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            if ((x * 7 + y * 13) % 23 == 0) {
                tile.Set(x, y, colour);
            }
        }
    }
}

void Bevel(IndexedImage& tile, std::uint8_t light, std::uint8_t dark)
{
    tile.Fill(0, 0, kCell, 2, light);
    tile.Fill(0, 0, 2, kCell, light);
    tile.Fill(0, kCell - 2, kCell, 2, dark);
    tile.Fill(kCell - 2, 0, 2, kCell, dark);
}

void Bricks(IndexedImage& tile, std::uint8_t face, std::uint8_t light, std::uint8_t mortar)
{
    tile.Fill(0, 0, kCell, kCell, face);
    for (int row = 0; row < 4; ++row) {
        const int y = row * 8;
        tile.Fill(0, y + 7, kCell, 1, mortar);
        tile.Fill(0, y, kCell, 1, light);
        const int shift = row % 2 == 0 ? 0 : 8;
        for (int x = shift; x < kCell; x += 16) {
            tile.Fill(x, y, 1, 7, mortar);
        }
    }
}

// The breakable block: four rounded slate slabs in blue-grey with a light upper edge and moss in
// one corner.
void SlateTiles(IndexedImage& tile)
{
    tile.Fill(0, 0, kCell, kCell, pal::kDarkBlue);
    for (int sy = 0; sy < 2; ++sy) {
        for (int sx = 0; sx < 2; ++sx) {
            const int x = sx * 16 + 1;
            const int y = sy * 16 + 1;
            tile.Fill(x + 1, y, 12, 14, Ramp(Hue::Indigo, 9));
            tile.Fill(x, y + 1, 14, 12, Ramp(Hue::Indigo, 9));
            tile.Fill(x + 1, y, 12, 1, Ramp(Hue::Indigo, 13));
            tile.Fill(x, y + 1, 1, 12, Ramp(Hue::Indigo, 13));
            tile.Fill(x + 4, y + 6, 6, 1, Ramp(Hue::Indigo, 6));
        }
    }
    tile.Fill(2, 2, 3, 2, pal::kGreen);
    tile.Fill(2, 4, 1, 2, pal::kDarkGreen);
}

// The block that gives an item when struck from below: a violet crystal set in a dark frame, a
// white glint on its upper left facet.
void CrystalBlock(IndexedImage& tile)
{
    tile.Fill(0, 0, kCell, kCell, Ramp(Hue::Purple, 5));
    Bevel(tile, Ramp(Hue::Purple, 9), pal::kBlack);
    for (int row = 0; row < 10; ++row) {
        // A diamond, widest in its middle row.
        const int half = row < 5 ? row + 1 : 10 - row;
        tile.Fill(16 - half * 2, 6 + row * 2, half * 4, 2, row < 5 ? Ramp(Hue::Magenta, 12) : Ramp(Hue::Magenta, 8));
    }
    tile.Fill(12, 10, 2, 4, pal::kWhite);
    tile.Fill(14, 9, 2, 1, pal::kWhite);
    tile.Frame(0, 0, kCell, kCell, pal::kBlack);
}

IndexedImage MakeBlockTile(int graphic)
{
    IndexedImage tile(kCell, kCell);
    switch (graphic) {
    case art::kBlockGrass:
        tile.Fill(0, 0, kCell, kCell, pal::kBrown);
        Specks(tile, 8, pal::kDarkBrown);
        tile.Fill(0, 0, kCell, 6, pal::kGreen);
        tile.Fill(0, 1, kCell, 1, pal::kLightGreen);
        for (int x = 0; x < kCell; x += 8) {
            tile.Fill(x, 6, 4, 2, pal::kGreen);
            tile.Fill(x + 1, 8, 2, 1, pal::kDarkGreen);
        }
        tile.Fill(0, 0, kCell, 1, pal::kDarkGreen);
        break;
    case art::kBlockBrick: SlateTiles(tile); break;
    case art::kBlockStone:
        tile.Fill(0, 0, kCell, kCell, pal::kStone);
        Bevel(tile, pal::kLightGrey, pal::kDarkStone);
        tile.Fill(9, 10, 6, 1, pal::kDarkStone);
        tile.Fill(14, 11, 1, 5, pal::kDarkStone);
        tile.Fill(20, 22, 5, 1, pal::kDarkStone);
        break;
    case art::kBlockBonus: CrystalBlock(tile); break;
    case art::kBlockDirt:
        tile.Fill(0, 0, kCell, kCell, pal::kBrown);
        Specks(tile, 0, pal::kDarkBrown);
        break;
    case art::kBlockPlank:
        tile.Fill(0, 0, kCell, 12, Ramp(Hue::Brown, 12));
        tile.Fill(0, 0, kCell, 1, Ramp(Hue::Brown, 15));
        tile.Fill(0, 11, kCell, 1, pal::kDarkBrown);
        tile.Fill(0, 5, kCell, 1, Ramp(Hue::Brown, 9));
        tile.Fill(3, 3, 2, 2, pal::kDarkGrey);
        tile.Fill(27, 3, 2, 2, pal::kDarkGrey);
        break;
    case art::kBlockCastle: Bricks(tile, pal::kDarkStone, pal::kStone, pal::kDarkGrey); break;
    default: break;
    }
    return tile;
}

// ---- items, shots and icons -------------------------------------------------------------

IndexedImage Coin(int frame)
{
    IndexedImage cell(kCell, kCell);
    const int rx = frame == 0 ? 11 : 5;
    const int ry = 12;
    for (int y = -ry - 1; y <= ry + 1; ++y) {
        for (int x = -rx - 1; x <= rx + 1; ++x) {
            const double outer = (x * x) / double((rx + 1) * (rx + 1)) + (y * y) / double((ry + 1) * (ry + 1));
            const double inner = (x * x) / double(rx * rx) + (y * y) / double(ry * ry);
            if (inner <= 1.0) {
                cell.Set(16 + x, 16 + y, pal::kGold);
            } else if (outer <= 1.0) {
                cell.Set(16 + x, 16 + y, pal::kDarkBrown);
            }
        }
    }
    cell.Fill(16 - rx / 3, 9, 2, 14, pal::kYellow);
    return cell;
}

IndexedImage Star(int frame)
{
    IndexedImage cell(kCell, kCell);
    cell.Art(0, 0,
             {
                 "................",
                 ".......kk.......",
                 "......kyyk......",
                 "......kyyk......",
                 ".....kyyyyk.....",
                 ".kkkkkyyyykkkkk.",
                 ".kyyyyyyyyyyyyk.",
                 "..kyyykyykyyyk..",
                 "...kyykyykyyk...",
                 "....kyyyyyyk....",
                 "...kyyyyyyyyk...",
                 "...kyyykkyyyk...",
                 "..kyyk....kyyk..",
                 "..kyk......kyk..",
                 "..kk........kk..",
             },
             SpriteLegend(), kArtScale);
    if (frame == 1) {
        cell.Fill(14, 4, 4, 2, pal::kWhite);
        cell.Fill(6, 12, 2, 2, pal::kWhite);
    }
    return cell;
}

void HeartArt(IndexedImage& image, int x, int y, int scale)
{
    image.Art(x, y,
              {
                  "................",
                  "................",
                  "..kkkk....kkkk..",
                  ".krrrrk..krrrrk.",
                  "krwwrrrkkrrrrrrk",
                  "krwrrrrrrrrrrrrk",
                  "krrrrrrrrrrrrrrk",
                  "krrrrrrrrrrrrrrk",
                  ".krrrrrrrrrrrrk.",
                  "..krrrrrrrrrrk..",
                  "...krrrrrrrrk...",
                  "....krrrrrrk....",
                  ".....krrrrk.....",
                  "......krrk......",
                  ".......kk.......",
              },
              SpriteLegend(), scale);
}

IndexedImage Heart(int frame)
{
    IndexedImage cell(kCell, kCell);
    HeartArt(cell, 0, frame == 0 ? 0 : 2, kArtScale);
    return cell;
}

IndexedImage Fireball(int frame)
{
    IndexedImage cell(16, 16);
    const int r = frame == 0 ? 6 : 5;
    for (int y = -r; y <= r; ++y) {
        for (int x = -r; x <= r; ++x) {
            const int d = x * x + y * y;
            if (d <= r * r) {
                cell.Set(8 + x, 8 + y, d <= (r - 3) * (r - 3) ? pal::kYellow : pal::kOrange);
            }
        }
    }
    cell.Set(4, 4, pal::kWhite);
    return cell;
}

IndexedImage ItemPicture(int graphic, int frame)
{
    switch (graphic) {
    case art::kItemCoin: return Coin(frame);
    case art::kItemStar: return Star(frame);
    case art::kItemHeart: return Heart(frame);
    default: return IndexedImage(kCell, kCell);
    }
}

// A shrunken copy (every other pixel) for the 16-pixel item sheet.
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

}  // namespace

IndexedImage PaletteSheet()
{
    IndexedImage sheet(16, 24, pal::kTransparent);
    for (int i = 0; i < 256; ++i) {
        sheet.Set(i % 16, 8 + i / 16, static_cast<std::uint8_t>(i));
    }
    return sheet;
}

IndexedImage BlockTile(int graphic)
{
    return MakeBlockTile(graphic);
}

IndexedImage BlockSheet()
{
    IndexedImage sheet(640, 480);
    for (int graphic = art::kBlockGrass; graphic <= art::kBlockCastle; ++graphic) {
        const IndexedImage tile = MakeBlockTile(graphic);
        const int x = (graphic / kRowsPerColumn) * kCell;
        const int y = (graphic % kRowsPerColumn) * kCell;
        sheet.Draw(tile, x, y, false);
        sheet.Draw(tile, x + kCell, y, false);
    }
    return sheet;
}

IndexedImage CharacterCell(int graphic, int cell)
{
    const int frame = cell % 2 == 0 ? 0 : 1;
    switch (graphic) {
    case art::kCharaHero: return Hero(cell % 4);
    case art::kCharaSlime: return Slime(frame);
    case art::kCharaBird: return Bird(frame);
    case art::kCharaSpiky: return Spiky(frame);
    default: return IndexedImage(kCell, kCell);
    }
}

IndexedImage CharacterSheet()
{
    IndexedImage sheet(640, 480);
    for (int graphic = art::kCharaHero; graphic <= art::kCharaSpiky; ++graphic) {
        for (int column = 0; column < 12; ++column) {
            sheet.Draw(CharacterCell(graphic, column), column * kCell, (graphic % kRowsPerColumn) * kCell);
        }
    }
    return sheet;
}

IndexedImage ShotSheet()
{
    IndexedImage sheet(640, 480);
    for (int frame = 0; frame < 2; ++frame) {
        const int n = art::kShotFire;
        sheet.Draw(Fireball(frame), (frame + (n / 30) * 2) * 16, (n % 30) * 16);
    }
    return sheet;
}

IndexedImage ItemCell(int graphic, int frame)
{
    return ItemPicture(graphic, frame);
}

IndexedImage ItemSheet()
{
    IndexedImage sheet(640, 480);
    for (int graphic = art::kItemCoin; graphic <= art::kItemHeart; ++graphic) {
        for (int frame = 0; frame < 2; ++frame) {
            sheet.Draw(ItemPicture(graphic, frame), (graphic / kRowsPerColumn) * 64 + frame * kCell,
                       (graphic % kRowsPerColumn) * kCell);
        }
    }
    return sheet;
}

IndexedImage ItemMiniSheet()
{
    IndexedImage sheet(128, 240);
    for (int graphic = art::kItemCoin; graphic <= art::kItemHeart; ++graphic) {
        sheet.Draw(Halved(ItemPicture(graphic, 0)), (graphic / kRowsPerColumn) * 32, (graphic % kRowsPerColumn) * 16);
    }
    return sheet;
}

IndexedImage MarkSheet()
{
    IndexedImage sheet(256, 480);
    auto place = [](int m) { return std::pair<int, int>{(m / kRowsPerColumn) * kCell, (m % kRowsPerColumn) * kCell}; };
    {
        const auto [x, y] = place(art::kIconExclamation);
        sheet.Fill(x + 10, y + 2, 12, 28, pal::kBlack);
        sheet.Fill(x + 12, y + 4, 8, 16, pal::kYellow);
        sheet.Fill(x + 12, y + 22, 8, 6, pal::kYellow);
    }
    {
        const auto [x, y] = place(art::kIconHeart);
        HeartArt(sheet, x, y, kArtScale);
    }
    {
        const auto [x, y] = place(art::kIconStar);
        sheet.Draw(Star(0), x, y);
    }
    return sheet;
}

}  // namespace testsupport
