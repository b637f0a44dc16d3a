// The effect quad's report of a draw the device refuses: one trace line for each refused quad,
// none for a quad that is drawn, on every effect that draws one (rotation, translucency, the
// colour veil and the fade's black quad).
#include "graphics/EffectPixels.h"

#include <functional>
#include <string>
#include <vector>

#include "EffectFilterSupport.h"
#include "graphics/BlendBlit.h"
#include "graphics/Blur.h"
#include "graphics/Fade.h"
#include "graphics/Mosaic.h"
#include "graphics/Rotation.h"

namespace gfxtest {
namespace {

constexpr const char* kRefused = "DrawPrimitive Err 8876086c";  // D3DERR_INVALIDCALL

class EffectQuadTest : public DrawTest {
protected:
    void TearDown() override
    {
        DDResetFadesForTest();
        DrawTest::TearDown();
    }

    // Runs the effect with the trace log on and returns what the log received. With bRefuse the
    // device's scene is ended behind the engine's back, so the engine believes the scene open and
    // the device refuses the draw.
    std::string TraceOf(const std::function<void()>& effect, bool bRefuse)
    {
        Write("EC_Game.txt", "");  // the trace log of this run was started in another folder
        SetECLog(1, "EC_Game.txt");
        EXPECT_TRUE(DDBeginScene());
        if (bRefuse) {
            EXPECT_EQ(lpDevice->EndScene(), D3D_OK);
        }
        effect();
        SetECLog(0, "EC_Game.txt");
        DDEndScene();
        return m_folder->Read("EC_Game.txt");
    }
};

TEST_P(EffectQuadTest, RefusedDrawWritesOneTraceLine)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RG", "BW"});
    DDSURFACEDATA* canvas = Canvas(2, 2);
    const std::vector<std::pair<const char*, std::function<void()>>> effects = {
        {"rotation", [&] { DDBltRotate(canvas, 1, 1, 2, 2, 1, 1, 30, pic, 0, 0, 1); }},
        {"translucency", [&] { DDBltAlpha(canvas, 0, 0, 2, 2, pic, 0, 0, 1, nullptr, 64); }},
        {"colour veil", [&] { DDChangeColorBlt(canvas, 0, 0, 2, 2, pic, 128, 255, 0, 0); }},
        {"fade", [&] { DDFadeOut(PaletteBackup, 0, 255, 0, 0, 0, 10.0, Palette, FALSE); }},
    };
    for (const auto& [name, effect] : effects) {
        EXPECT_EQ(TraceOf(effect, false).find("DrawPrimitive"), std::string::npos) << name;
        const std::string trace = TraceOf(effect, true);
        const size_t at = trace.find(kRefused);
        EXPECT_NE(at, std::string::npos) << name << ": " << trace;
        if (at != std::string::npos) {
            EXPECT_EQ(trace.find(kRefused, at + 1), std::string::npos) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Direct3D, EffectQuadTest, ::testing::ValuesIn(kDirect3DConfigs), ConfigName);

// Under DirectDraw the back buffer has the primary's own format: the filters write it in that
// format in full screen as well, with no Direct3D back-buffer conversion (which would double green).
class DirectDrawBackBufferTest : public DrawTest {};

TEST_P(DirectDrawBackBufferTest, FiltersWriteTheBackBufferInItsOwnFormat)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RGBW"});
    // Channel values of the primary's format (R5G6B5), through 255-units for the mosaic.
    auto raw = [&](const Channels& ch) { return RawOf(C(), ch); };
    auto via255 = [&](char l) {
        const Channels c = ChannelsOf(C(), l), max = MaximaOf(C());
        Channels out{};
        for (int k = 0; k < 3; ++k) out[k] = c[k] * 255 / max[k] * max[k] / 255;
        return raw(out);
    };
    auto average = [&](char a, char b) {
        const Channels ca = ChannelsOf(C(), a), cb = ChannelsOf(C(), b);
        return raw({(ca[0] + cb[0]) / 2, (ca[1] + cb[1]) / 2, (ca[2] + cb[2]) / 2});
    };
    struct Case {
        const char* name;
        std::function<BOOL()> filter;
        std::vector<DWORD> want;
    };
    const Case cases[] = {
        {"mosaic",
         [&] { return DDMosaic(&BackBuffer, 0, 0, 4, 1, 1, pic, 0, 0, 0); },
         {via255('R'), via255('G'), via255('B'), via255('W')}},
        {"blur",
         [&] { return DDBlur(&BackBuffer, 0, 0, 4, 1, 1, 1, pic, 0, 0, 0); },
         {raw(ChannelsOf(C(), 'R')), average('R', 'G'), average('G', 'B'), average('B', 'W')}},
    };
    for (const Case& t : cases) {
        Paint(&BackBuffer, 'C');
        ASSERT_TRUE(t.filter()) << t.name;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(Pixel(&BackBuffer, i, 0), t.want[static_cast<size_t>(i)]) << t.name << i;
    }
}

INSTANTIATE_TEST_SUITE_P(DirectDraw16, DirectDrawBackBufferTest, ::testing::Values(kConfigs[4]), ConfigName);

}  // namespace
}  // namespace gfxtest
