#include "GamePalette.h"

#include <algorithm>

namespace testsupport {

namespace {

constexpr int kRampBase = 32;
constexpr int kShades = 16;

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return r << 16 | g << 8 | b;
}

// The full colour of each ramp; its shades run from a quarter of it to all of it.
constexpr std::uint32_t kRampColours[] = {
    Rgb(232, 48, 48),  Rgb(248, 136, 32), Rgb(248, 224, 64), Rgb(168, 232, 48), Rgb(48, 200, 72),
    Rgb(32, 184, 160), Rgb(48, 216, 232), Rgb(96, 176, 248), Rgb(56, 96, 232),  Rgb(96, 64, 208),
    Rgb(168, 72, 216), Rgb(232, 64, 200), Rgb(168, 104, 48),
};

}  // namespace

std::uint8_t Ramp(Hue hue, int shade)
{
    return static_cast<std::uint8_t>(kRampBase + static_cast<int>(hue) * kShades + std::clamp(shade, 0, kShades - 1));
}

ColourTable GamePalette()
{
    ColourTable t{};
    t[pal::kTransparent] = Rgb(255, 0, 255);
    t[pal::kBlack] = Rgb(0, 0, 0);
    t[pal::kWhite] = Rgb(255, 255, 255);
    t[pal::kLightGrey] = Rgb(192, 192, 200);
    t[pal::kGrey] = Rgb(128, 128, 136);
    t[pal::kDarkGrey] = Rgb(64, 64, 72);
    t[pal::kRed] = Rgb(216, 40, 40);
    t[pal::kDarkRed] = Rgb(136, 16, 16);
    t[pal::kOrange] = Rgb(248, 144, 32);
    t[pal::kYellow] = Rgb(248, 216, 64);
    t[pal::kGreen] = Rgb(64, 184, 64);
    t[pal::kDarkGreen] = Rgb(24, 112, 40);
    t[pal::kBlue] = Rgb(56, 104, 224);
    t[pal::kDarkBlue] = Rgb(24, 48, 136);
    t[pal::kSkin] = Rgb(248, 200, 152);
    t[pal::kBrown] = Rgb(152, 88, 40);
    t[pal::kNavy] = Rgb(16, 24, 56);
    t[pal::kSky] = Rgb(112, 176, 248);
    t[pal::kLightSky] = Rgb(176, 216, 255);
    t[pal::kDarkBrown] = Rgb(96, 56, 24);
    t[pal::kGold] = Rgb(232, 184, 24);
    t[pal::kLightGreen] = Rgb(144, 224, 104);
    t[pal::kPurple] = Rgb(144, 72, 200);
    t[pal::kPink] = Rgb(248, 144, 176);
    t[pal::kCyan] = Rgb(64, 208, 224);
    t[pal::kWater] = Rgb(40, 96, 200);
    t[pal::kDeepWater] = Rgb(24, 64, 152);
    t[pal::kSand] = Rgb(232, 208, 144);
    t[pal::kStone] = Rgb(160, 160, 168);
    t[pal::kDarkStone] = Rgb(104, 104, 112);
    t[pal::kWindowDark] = Rgb(24, 32, 88);
    t[pal::kWindowLight] = Rgb(48, 64, 144);
    for (int hue = 0; hue < 13; ++hue) {
        const std::uint32_t c = kRampColours[hue];
        for (int shade = 0; shade < kShades; ++shade) {
            auto part = [&](int shift) { return ((c >> shift) & 0xFF) * static_cast<std::uint32_t>(shade + 5) / 20; };
            t[Ramp(static_cast<Hue>(hue), shade)] = Rgb(part(16), part(8), part(0));
        }
    }
    t[pal::kFrame] = Rgb(232, 232, 240);
    t[pal::kText] = Rgb(255, 255, 255);
    for (int i = 242; i < 256; ++i) {
        const std::uint32_t v = static_cast<std::uint32_t>((i - 242) * 255 / 13);
        t[i] = Rgb(v, v, v);
    }
    return t;
}

}  // namespace testsupport
