// The picture sheets of the screens around play, drawn by code in the game palette. Layouts are
// those the player reads:
//   debug      128 x 128: 8 x 8 cells, byte c at column c % 16, row c / 16
//   window     640 x 480: the fill of every window box (its top-left part is used)
//   status bar 640 x 20
//   title      640 x 480
//   accessory  128 x 208: hand cursor (0, 0); pointers (64, 0) and (80, 0); cleared sign (96, 0);
//              HUD icons in the row at y 32 (x 0 total score, 16 score, 32 HP, 48 SP, 64 lives);
//              extra life (0, 48), ranking mark (16, 48); the map figure at (0, 64) down, (64, 64)
//              up, (64, 96) left, (0, 96) right, its second step 32 further right; gauge frames
//              (50 x 16) at y 128, fills at y 144, warning fills at y 160, shrinking parts at
//              y 176 and 192, HP at x 0 and SP at x 64
//   symbols    832 x 32: lower-case letter k in the 16-pixel cell at x = k x 16
//   words      320 x 192: "STAGE" (0, 0) 128 x 32, "START" (160, 0) 80 x 32, "REPLAY" (0, 32),
//              "CLEAR!" (0, 64), "GAME OVER" (0, 96) 144 x 32, 32 x 32 digits in the rows at
//              y 128 (stage number) and y 160 (time)
//   map chips  160 x 64: chip picture i at ((i % 5) x 32, (i / 5) x 32); 0-4 water, mountain,
//              tree, rock, deep water; 5-9 grass, path, bridge, flowers, meadow
//   map nodes  64 x 96: row r the node icon r, column 0 before and column 1 after clearing
#pragma once

#include <string>

#include "IndexedImage.h"

namespace testsupport {

namespace art {
// Map chip pictures.
constexpr int kChipWater = 0;
constexpr int kChipMountain = 1;
constexpr int kChipTree = 2;
constexpr int kChipRock = 3;
constexpr int kChipDeepWater = 4;
constexpr int kChipGrass = 5;
constexpr int kChipPath = 6;
constexpr int kChipBridge = 7;
constexpr int kChipFlowers = 8;
constexpr int kChipMeadow = 9;
// Map node icons (rows of the node sheet).
constexpr int kNodeStage = 0;
constexpr int kNodeCastle = 1;
constexpr int kNodeHouse = 2;
}  // namespace art

IndexedImage DebugSheet();
IndexedImage WindowSkin();
IndexedImage StatusBar();
// The title picture with the game's title (ASCII) and a subtitle line.
IndexedImage TitlePicture(const std::string& title, const std::string& subtitle);
IndexedImage AccessorySheet();
IndexedImage SymbolSheet();
IndexedImage WordSheet();
IndexedImage MapChipSheet();
IndexedImage MapNodeSheet();

}  // namespace testsupport
