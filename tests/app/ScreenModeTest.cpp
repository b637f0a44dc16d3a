// The screen-mode rules of the start-up: the window flag, the vertical sync and the depth from
// the settings, and the refusals with their two messages.
#include "app/ScreenMode.h"

#include <gtest/gtest.h>

#include "core/TextHelpers.h"

namespace {

TEST(ScreenModeTest, SettingsGiveTheModeAndUnrunnableModesAreRefused)
{
    const std::string kWindowText =
        Sjis("画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！");
    const std::string kGeneralText = Sjis("画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！");
    struct Case {
        const char* name;
        int direct3D, windowMode, bpp, vsync, desktop, fullColour, d3dDepth, ddDepth;
        bool newWindows;
        int windowed, vsyncOut, bppOut;
        std::string refusal;
    };
    const Case cases[] = {
        {"Direct3D window at the desktop's depth", 1, 1, 0, 2, 32, 0, 0, 0, true, 1, 1, 32, ""},
        {"Direct3D full screen, project depth 1", 1, 0, 0, 0, 32, 0, 1, 0, true, 0, 0, 16, ""},
        {"Direct3D full screen, project depth 2 means 32", 1, 0, 0, 1, 32, 0, 2, 0, true, 0, 1, 32, ""},
        {"DirectDraw window: no vertical sync", 0, 2, 0, 1, 32, 0, 0, 0, true, 1, 0, 32, ""},
        {"DirectDraw full screen, VSync 2 on a new system", 0, 0, 0, 2, 32, 0, 0, 2, true, 0, 0, 8, ""},
        {"DirectDraw full screen, VSync 2 on an old system", 0, 0, 0, 2, 32, 0, 0, 1, false, 0, 1, 16, ""},
        {"DirectDraw full-colour project: 2 means 32", 0, 0, 0, 0, 32, 1, 0, 2, true, 0, 0, 32, ""},
        {"window at 16 on a 32-bit desktop", 0, 1, 16, 0, 32, 0, 0, 0, true, 1, 0, 16, kWindowText},
        {"24 bits", 0, 0, 24, 0, 32, 0, 0, 0, true, 0, 0, 24, kGeneralText},
        {"8 bits in a window", 0, 1, 8, 0, 8, 0, 0, 0, true, 1, 0, 8, kGeneralText},
        {"8 bits under Direct3D", 1, 0, 8, 0, 32, 0, 0, 0, true, 0, 0, 8, kGeneralText},
        {"8 bits in a full-colour project", 0, 0, 8, 0, 32, 1, 0, 0, true, 0, 0, 8, kGeneralText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SCREENMODE mode = SettleScreenMode(c.direct3D, c.windowMode, c.bpp, c.vsync, c.desktop, c.fullColour,
                                                 c.d3dDepth, c.ddDepth, c.newWindows);
        EXPECT_EQ(mode.bWindowed, c.windowed);
        EXPECT_EQ(mode.nVSync, c.vsyncOut);
        EXPECT_EQ(mode.nBpp, c.bppOut);
        EXPECT_EQ(mode.refusal, c.refusal);
    }
}

}  // namespace
