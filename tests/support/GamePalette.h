// The 256-colour palette of the games the writer makes, and the names of its entries. Entry 0 is
// the transparent colour, entry 16 the colour the screens clear to, 240 and 241 the frame and
// text colours of the window boxes; 32 to 239 are thirteen ramps of sixteen shades.
#pragma once

#include <cstdint>

#include "IndexedImage.h"

namespace testsupport {

namespace pal {
constexpr std::uint8_t kTransparent = 0;  // (255, 0, 255), the see-through colour of every sheet
constexpr std::uint8_t kBlack = 1;
constexpr std::uint8_t kWhite = 2;
constexpr std::uint8_t kLightGrey = 3;
constexpr std::uint8_t kGrey = 4;
constexpr std::uint8_t kDarkGrey = 5;
constexpr std::uint8_t kRed = 6;
constexpr std::uint8_t kDarkRed = 7;
constexpr std::uint8_t kOrange = 8;
constexpr std::uint8_t kYellow = 9;
constexpr std::uint8_t kGreen = 10;
constexpr std::uint8_t kDarkGreen = 11;
constexpr std::uint8_t kBlue = 12;
constexpr std::uint8_t kDarkBlue = 13;
constexpr std::uint8_t kSkin = 14;
constexpr std::uint8_t kBrown = 15;
constexpr std::uint8_t kNavy = 16;  // screen background
constexpr std::uint8_t kSky = 17;
constexpr std::uint8_t kLightSky = 18;
constexpr std::uint8_t kDarkBrown = 19;
constexpr std::uint8_t kGold = 20;
constexpr std::uint8_t kLightGreen = 21;
constexpr std::uint8_t kPurple = 22;
constexpr std::uint8_t kPink = 23;
constexpr std::uint8_t kCyan = 24;
constexpr std::uint8_t kWater = 25;
constexpr std::uint8_t kDeepWater = 26;
constexpr std::uint8_t kSand = 27;
constexpr std::uint8_t kStone = 28;
constexpr std::uint8_t kDarkStone = 29;
constexpr std::uint8_t kWindowDark = 30;
constexpr std::uint8_t kWindowLight = 31;
constexpr std::uint8_t kFrame = 240;  // window-box frame
constexpr std::uint8_t kText = 241;   // font colour
}  // namespace pal

// The thirteen ramps, for Ramp().
enum class Hue { Red, Orange, Yellow, Lime, Green, Teal, Cyan, Sky, Blue, Indigo, Purple, Magenta, Brown };

// Palette number of shade 0 (darkest) to 15 (lightest) of a ramp.
std::uint8_t Ramp(Hue hue, int shade);

// The colours of every entry.
ColourTable GamePalette();

}  // namespace testsupport
