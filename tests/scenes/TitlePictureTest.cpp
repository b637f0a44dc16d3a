// The title's picture menu drawn in every back-end configuration: the title picture behind, the
// menu centred on x 288 with one strip of "bmp\GameMode.bmp" per offered entry (the picture's row
// n showing entry n) drawn with its colour key, and the hand cursor on the row of the mode chosen
// last.
#include <memory>

#include "graphics/DrawTestSupport.h"
#include "graphics/Fade.h"
#include "input/cInput.h"
#include "project/cSystemData.h"
#include "scenes/cSceneTitle.h"
#include "support/TestMainWindow.h"

namespace gfxtest {
namespace {

constexpr char kLetters[] = ".RGBWYC";  // palette index -> letter (see DrawTestSupport.h)
constexpr int kMenuPictureWidth = 64;

// "bmp\GameMode.bmp", 64 x 224: entry n's strip (rows 32 n .. 32 n + 31) in index 1 + n mod 5,
// its first four columns transparent.
std::uint32_t GameModeSheet(int x, int y)
{
    return x < 4 ? 0u : 1u + static_cast<std::uint32_t>((y / 32) % 5);
}

// "bmp\Accessory.bmp", 128 x 32: the hand at (0, 0) in white with its left column transparent;
// the rest yellow (must not show).
std::uint32_t AccessorySheet(int x, int)
{
    if (x >= 32) return 5u;
    return x == 0 ? 0u : 4u;
}

class TitlePictureTest : public DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        m_savedItems = SystemData.TitleMenuItems;
        m_nSavedPicture = SystemData.bTitleMenuPicture;
        ResetInput();
        SceneFlow() = cSceneFlow{};
    }
    void TearDown() override
    {
        m_title.reset();
        m_window.reset();
        SystemData.TitleMenuItems = m_savedItems;
        SystemData.bTitleMenuPicture = m_nSavedPicture;
        SceneFlow() = cSceneFlow{};
        DDResetFadesForTest();
        DrawTest::TearDown();
    }

    std::unique_ptr<testsupport::TestMainWindow> m_window;
    std::unique_ptr<cSceneTitle> m_title;
    cVector<cMenuItem> m_savedItems;
    int m_nSavedPicture = 0;
};

TEST_P(TitlePictureTest, ThePictureMenuShowsTheOfferedEntriesCentredWithTheCursorOnTheLastMode)
{
    OpenWithPalette();
    Write("bmp\\Title.bmp", Bmp8(640, 480, [](int, int) { return 6u; }));
    Write("bmp\\GameMode.bmp", Bmp8(kMenuPictureWidth, 224, GameModeSheet));
    Write("bmp\\Accessory.bmp", Bmp8(128, 32, AccessorySheet));
    Write("bmp\\Window.bmp", Bmp8(32, 32, [](int, int) { return 3u; }));
    m_window = std::make_unique<testsupport::TestMainWindow>();

    SystemData.bTitleMenuPicture = 1;
    const int offered[] = {0, 2, 5};
    for (int id = 0; id < cSystemData::kTitleMenuCount; ++id) SystemData.TitleMenuItems[id].bEnabled = 0;
    for (int id : offered) SystemData.TitleMenuItems[id].bEnabled = 1;
    SceneFlow().m_nGameMode = 5;

    m_title = std::make_unique<cSceneTitle>();
    m_title->Init();
    m_title->m_nState = cSceneTitle::kStateMenu;  // past the fade-in
    m_title->Main();
    EXPECT_EQ(m_window->TakePosted(WM_CLOSE), 0);

    const int menuX = 288 - kMenuPictureWidth / 2;
    EXPECT_EQ(m_title->MenuX(), menuX);
    std::vector<std::string> want(480, std::string(640, 'C'));
    const auto put = [&](int x, int y, char letter) {
        if (letter != '.') want[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = letter;
    };
    for (int row = 0; row < 3; ++row)
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < kMenuPictureWidth; ++x)
                put(menuX + 32 + x, 240 + 32 * row + y, kLetters[GameModeSheet(x, 32 * offered[row] + y)]);
    // Entry 5 is on row 2.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) put(menuX + x, 240 + 64 + y, kLetters[AccessorySheet(x, y)]);

    EXPECT_EQ(CountBackBufferMismatches(want, kLetters), 0);
}

INSTANTIATE_TEST_SUITE_P(Matrix, TitlePictureTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
