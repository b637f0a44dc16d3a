// The picture sheets of the play field, drawn by code in the game palette: the palette bitmap,
// blocks, characters, shots, items and the overlay icons. Layouts are those the player reads:
//   palette   16 x 24: rows 0-7 the transparent colour, then pixel (i % 16, 8 + i / 16) is entry i
//   blocks    32 x 32 cells, graphic n at column n / 15, row n % 15 (drawn at x 0 and at x 32)
//   characters 32 x 32 cells, graphic n in row n % 15, its cells (animation frames) from column 0
//   shots     16 x 16 cells, graphic n at x = (frame + (n / 30) x 2) x 16, y = (n % 30) x 16
//   items     32 x 32 cells, graphic n at x = (n / 15) x 64 + frame x 32, y = (n % 15) x 32
//   mini items 16 x 16 cells, graphic n at x = (n / 15) x 32, y = (n % 15) x 16
//   icons     32 x 32 cells, icon m at x = (m / 15) x 32, y = (m % 15) x 32
// Characters face left in the sheet; the player mirrors them for the right.
#pragma once

#include "IndexedImage.h"

namespace testsupport {

namespace art {
// Block graphics.
constexpr int kBlockGrass = 1;
constexpr int kBlockBrick = 2;
constexpr int kBlockStone = 3;
constexpr int kBlockBonus = 4;
constexpr int kBlockDirt = 5;
constexpr int kBlockPlank = 6;
constexpr int kBlockCastle = 7;
// Character graphics (rows of Character1.bmp).
constexpr int kCharaHero = 1;
constexpr int kCharaSlime = 2;
constexpr int kCharaBird = 3;
constexpr int kCharaSpiky = 4;
// Cells of a character row: stand, two walking steps, jump; repeated from column 4 and 8 for the
// animation sets' cell offsets.
constexpr int kCellStand = 0;
constexpr int kCellWalkA = 1;
constexpr int kCellWalkB = 2;
constexpr int kCellJump = 3;
// Item graphics.
constexpr int kItemCoin = 1;
constexpr int kItemStar = 2;
constexpr int kItemHeart = 3;
// Shot graphics.
constexpr int kShotFire = 1;
// Overlay icons.
constexpr int kIconExclamation = 1;
constexpr int kIconHeart = 2;
constexpr int kIconStar = 3;
}  // namespace art

IndexedImage PaletteSheet();
IndexedImage BlockSheet();
IndexedImage CharacterSheet();
IndexedImage ShotSheet();
IndexedImage ItemSheet();
IndexedImage ItemMiniSheet();
IndexedImage MarkSheet();

// One 32 x 32 picture of the sheets above, for the screens that show them elsewhere (the title).
IndexedImage BlockTile(int graphic);
IndexedImage CharacterCell(int graphic, int cell);
IndexedImage ItemCell(int graphic, int frame);

}  // namespace testsupport
