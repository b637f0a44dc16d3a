// Writes a PNG strip of each effect at a few steps (graphics_effects/<configuration>.png in the
// build's test picture folder) for a person to look at: one row per effect, one 16 x 16 cell per step.
#include <filesystem>
#include <functional>

#include "DrawTestSupport.h"
#include "TestPictures.h"
#include "graphics/BlendBlit.h"
#include "graphics/BlendTable.h"
#include "graphics/Blur.h"
#include "graphics/Lens.h"
#include "graphics/Mosaic.h"
#include "graphics/Rotation.h"
#include "platform/gdi/PngWriter.h"

namespace gfxtest {
namespace {

constexpr int kCell = 16;
constexpr int kSteps = 4;

class EffectStripTest : public DrawTest {};

TEST_P(EffectStripTest, WritesOneRowPerEffect)
{
    OpenWithPalette();
    Image rows;
    for (int y = 0; y < kCell; ++y) {
        std::string row;
        for (int x = 0; x < kCell; ++x) row += "RGBWY"[(x / 4 + y / 4) % 5];
        rows.push_back(row);
    }
    DDSURFACEDATA* pic = Picture(rows, 1, DTMEMORYTYPE_SYSTEM);
    using Effect = std::function<void(DDSURFACEDATA*, int)>;
    const std::vector<Effect> effects = {
        [&](DDSURFACEDATA* d, int k) {
            DDBltTint(d, 0, 0, kCell, kCell, pic, 0, 0, 1, PaletteBackup, BlendTable, 3, k + 1);
        },
        [&](DDSURFACEDATA* d, int k) { DDBltAlpha(d, 0, 0, kCell, kCell, pic, 0, 0, 1, BlendTable, k * 64); },
        [&](DDSURFACEDATA* d, int k) { DDMosaic(d, 0, 0, kCell, kCell, 1 << k, pic, 0, 0, 1); },
        [&](DDSURFACEDATA* d, int k) { DDBlur(d, 0, 0, kCell, kCell, k + 1, k + 1, pic, 0, 0, 1); },
        [&](DDSURFACEDATA* d, int k) { DDBltLens(d, 8, 8, 7, 2 + 4 * k, pic, 8, 8, 1, FALSE); },
        [&](DDSURFACEDATA* d, int k) { DDBltRotate(d, 8, 8, kCell, kCell, 8, 8, 30 * k, pic, 0, 0, 1); },
    };
    const int width = kCell * kSteps, height = kCell * static_cast<int>(effects.size());
    std::vector<std::uint32_t> strip(static_cast<size_t>(width * height), 0);
    for (size_t e = 0; e < effects.size(); ++e) {
        for (int k = 0; k < kSteps; ++k) {
            DDSURFACEDATA* canvas = Canvas(kCell, kCell, 'C', 1, DTMEMORYTYPE_SYSTEM);
            effects[e](canvas, k);
            const RawImage px = Pixels(canvas);
            for (int y = 0; y < kCell; ++y)
                for (int x = 0; x < kCell; ++x)
                    strip[static_cast<size_t>((static_cast<int>(e) * kCell + y) * width + k * kCell + x)] =
                        0xFF000000u | (px[static_cast<size_t>(y)][static_cast<size_t>(x)] & 0xFFFFFFu);
        }
    }
    const std::filesystem::path folder = testsupport::TestPictureFolder("graphics_effects");
    EXPECT_TRUE(WritePngFile((folder / (std::string(C().name) + ".png")).string(), strip.data(), width, height, width));
}

// The 32-bit configurations hold their colours as bytes, which the PNG takes as they are.
INSTANTIATE_TEST_SUITE_P(TrueColour, EffectStripTest, ::testing::Values(kConfigs[2], kConfigs[5]), ConfigName);

}  // namespace
}  // namespace gfxtest
