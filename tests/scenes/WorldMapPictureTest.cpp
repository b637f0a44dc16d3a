// A drawn frame of the world map compared pixel by pixel, in every back-end configuration, with the
// picture composed here from the sheets: the background colour where the view reaches past the
// map (the hero near the top-left corner scrolls the view to negative cells), the chips by their
// picture numbers, the stage icons (cleared ones from the second column, none for a node without
// active stage) and the hero facing up at the screen centre.
#include <functional>
#include <memory>

#include "graphics/DrawTestSupport.h"

#include "graphics/Fade.h"
#include "graphics/SurfaceCatalogue.h"
#include "input/cInput.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "project/cWorldMap.h"
#include "scenes/cSceneWorldMap.h"
#include "scenes/cSceneWorldMapMenu.h"
#include "screenbase/cScene.h"

namespace gfxtest {
namespace {

constexpr char kLetters[] = ".RGBWYC";  // palette index -> letter (see DrawTestSupport.h)

// The chip sheet, 160 x 64 (five 32 x 32 pictures a row): picture cells in index
// 1 + (column + row) mod 5 with their first pixel column transparent.
std::uint32_t ChipSheet(int x, int y)
{
    return x % 32 == 0 ? 0u : 1u + static_cast<std::uint32_t>((x / 32 + y / 32) % 5);
}

// The stage-icon sheet, 64 x 64: column 0 not cleared, column 1 cleared, one row per icon; the
// top two rows of each icon transparent, then index 2 + column + 2 x row.
std::uint32_t EventSheet(int x, int y)
{
    return y % 32 < 2 ? 0u : 2u + static_cast<std::uint32_t>(x / 32 + 2 * (y / 32)) % 5;
}

// The accessory sheet, 128 x 128: every 32 x 32 cell with its first three columns transparent,
// then index 1 + (column + row) mod 5.
std::uint32_t AccessorySheet(int x, int y)
{
    return x % 32 < 3 ? 0u : 1u + static_cast<std::uint32_t>((x / 32 + y / 32) % 5);
}

// The map: 12 x 8 cells, chip (column + row) mod 2; chip 0 shows picture 0, chip 1 picture 7.
constexpr int kWidth = 12;
constexpr int kHeight = 8;
constexpr int kPicture[2] = {0, 7};
constexpr int kHeroCol = 3;
constexpr int kHeroRow = 2;
constexpr int kClearedStage = 20;

struct Node {
    int x, y;
    int icon;
    int stageNo;
    int needStage;  // 999: never active
};
constexpr Node kNodes[] = {{5, 4, 1, 21, 0}, {8, 6, 0, kClearedStage, 0}, {10, 1, 1, 22, 999}};

class WorldMapPictureTest : public DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        m_bShowLives = SystemData.bMapShowLives;
        m_backName = SDInfoTable[54].szFileName;
        SceneFlow().nMapHeroCount = 0;
    }
    void TearDown() override
    {
        m_scene.reset();
        DDResetFadesForTest();
        WorldMap = cWorldMap();
        SaveData.Reset();
        SystemData.bMapShowLives = m_bShowLives;
        SDInfoTable[54].szFileName = m_backName;
        DrawTest::TearDown();
    }

    // The map's pictures in the game folder.
    void WritePictures()
    {
        Write("bmp\\WorldMapChip.bmp", Bmp8(160, 64, ChipSheet));
        Write("bmp\\WorldEvent.bmp", Bmp8(64, 64, EventSheet));
        Write("bmp\\Accessory.bmp", Bmp8(128, 128, AccessorySheet));
        Write("bmp\\Window.bmp", Bmp8(32, 32, [](int, int) { return 4u; }));
    }
    // The test map: chips in a checkerboard, the nodes of kNodes, the lives box off.
    static void BuildMap(int nBackColor)
    {
        WorldMap = cWorldMap();
        ASSERT_EQ(WorldMap.SetSize(kWidth, kHeight), 1);
        WorldMap.nBackColor = nBackColor;
        WorldMap.bBackBitmap = 0;
        WorldMap.Chip.Reset(2);
        for (int c = 0; c < 2; ++c) WorldMap.Chip[c].nImage = kPicture[c];
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) WorldMap.Cell[x + (y << WorldMap.nPitch_Shift)] = (x + y) % 2;
        WorldMap.Node.Reset(static_cast<int>(std::size(kNodes)));
        for (int n = 0; n < static_cast<int>(std::size(kNodes)); ++n) {
            WorldMap.Node[n].nX = kNodes[n].x;
            WorldMap.Node[n].nY = kNodes[n].y;
            cWorldStage& entry = WorldMap.Node[n].Entry[0];
            entry.nIcon = kNodes[n].icon;
            entry.nStageNo = kNodes[n].stageNo;
            entry.nNeedStage = kNodes[n].needStage;
            entry.bPassable = 1;
        }
        SystemData.bMapShowLives = 0;
    }
    // The save data of a hero at (kHeroCol, kHeroRow) facing up, one stage cleared.
    static void PlaceHero()
    {
        SaveData.Reset();
        SaveData.StageClear[kClearedStage] = 1;
        SaveData.nMapX = kHeroCol;
        SaveData.nMapY = kHeroRow;
        SaveData.nMapDir = 1;  // facing up
    }

    std::unique_ptr<cSceneWorldMap> m_scene;
    int m_bShowLives = 0;
    std::string m_backName;
};

// The picture of one frame: the background letter where no picture is, the chips, the icons of the
// active stages and the hero at the screen centre, with the hero at (heroCol, kHeroRow) showing the
// 32 x 32 cell (heroX, heroY) of the accessory sheet.
std::vector<std::string> WantedFrame(int heroCol, char background, int heroX, int heroY)
{
    std::vector<std::string> want(480, std::string(640, background));
    const auto put = [&](int x, int y, std::uint32_t index) {
        if (index != 0 && x >= 0 && x < 640 && y >= 0 && y < 480)
            want[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = kLetters[index];
    };
    // The view's top-left cell: the hero's cell less (9, 7).
    const int scrollX = heroCol - 9;
    const int scrollY = kHeroRow - 7;
    for (int row = 0; row < kHeight; ++row) {
        for (int col = 0; col < kWidth; ++col) {
            const int c = kPicture[(col + row) % 2];
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x)
                    put((col - scrollX) * 32 + x, (row - scrollY) * 32 + y,
                        ChipSheet((c % 5) * 32 + x, (c / 5) * 32 + y));
        }
    }
    for (const Node& node : kNodes) {
        if (node.needStage != 0) continue;  // no active stage, no icon
        const int sx = node.stageNo == kClearedStage ? 32 : 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                put((node.x - scrollX) * 32 + x, (node.y - scrollY) * 32 + y, EventSheet(sx + x, node.icon * 32 + y));
    }
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) put(288 + x, 224 + y, AccessorySheet(heroX + x, heroY + y));
    return want;
}

// The map surface is the keyed 640 x 480 work surface: with background colour 0 the map shows the
// transparent colour wherever no picture is, also after the view scrolled and the map was drawn
// again (nothing of the frame before stays behind the chips' transparent columns).
TEST_P(WorldMapPictureTest, AFrameShowsTheViewAroundTheHero)
{
    const struct {
        const char* what;
        int nBackColor;
        char background;   // its letter
        int nStepsRight;   // frames the hero walks right before the frame compared
        int heroX, heroY;  // the hero's cell of the accessory sheet: facing up, or right after a step
    } cases[] = {
        {"background colour 6", 6, 'C', 0, 64, 64},
        {"background colour 0, after a step to the right", 0, '.', 1, 0, 96},
    };
    OpenWithPalette();
    WritePictures();
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        BuildMap(k.nBackColor);
        PlaceHero();
        ResetInput();

        m_scene = std::make_unique<cSceneWorldMap>();
        m_scene->Main();  // Init and the first fade step
        m_scene->m_nState = cSceneWorldMap::kStateMap;
        for (int step = 0; step < k.nStepsRight; ++step) {
            Input[0].wDir = DIR_RIGHT;
            m_scene->Main();
            ResetInput();
        }
        m_scene->Main();  // one frame on the map: the hero does not move

        EXPECT_EQ(
            CountBackBufferMismatches(WantedFrame(kHeroCol + k.nStepsRight, k.background, k.heroX, k.heroY), kLetters),
            0);
        m_scene.reset();
    }
}

// The hero's two walking pictures take 40 drawn frames each, counted over every visit of the world
// map: a new visit goes on in the cycle where the last one left it.
TEST_P(WorldMapPictureTest, TheWalkingCycleRunsOnIntoTheNextVisit)
{
    const struct {
        int nFirstVisitFrames;  // map frames of the first visit, after its first (fade-in) frame
        int heroX;              // the picture of the second visit's first map frame, facing up
    } cases[] = {
        {0, 64},   // the 3rd drawing: the first picture
        {37, 64},  // the 40th: still the first picture
        {38, 96},  // the 41st: the second picture
        {78, 64},  // the 81st: the first again
    };
    // The cycle does not depend on the back-end: the slow 16-bit Direct3D configurations can skip it.
    if (GetParam().bDirect3D != 0 && GetParam().nBpp == 16) GTEST_SKIP();
    OpenWithPalette();
    WritePictures();
    BuildMap(6);
    for (const auto& k : cases) {
        SCOPED_TRACE(k.nFirstVisitFrames);
        SceneFlow().nMapHeroCount = 0;
        PlaceHero();
        ResetInput();
        for (int visit = 0; visit < 2; ++visit) {
            m_scene = std::make_unique<cSceneWorldMap>();
            m_scene->Main();  // Init and the first fade step
            m_scene->m_nState = cSceneWorldMap::kStateMap;
            const int nFrames = visit == 0 ? k.nFirstVisitFrames : 1;
            for (int frame = 0; frame < nFrames; ++frame) m_scene->Main();
            m_scene.reset();
            DDResetFadesForTest();
        }
        // The last frame drawn stays in the back buffer.
        EXPECT_EQ(CountBackBufferMismatches(WantedFrame(kHeroCol, 'C', k.heroX, 64), kLetters), 0);
    }
}

// The scene state of a test that counts the colour-cycling steps the screens ask for; the state
// before it comes back when the test ends.
class CyclingCounter : public cSceneFlow {
public:
    CyclingCounter() : m_lpBefore(&SceneFlow())
    {
        m_nFadeSpeed = 10;
        SetSceneFlow(this);
    }
    ~CyclingCounter() override { SetSceneFlow(m_lpBefore); }
    CyclingCounter(const CyclingCounter&) = delete;
    CyclingCounter& operator=(const CyclingCounter&) = delete;
    void CyclePalette() override { ++nSteps; }
    int nSteps = 0;

private:
    cSceneFlow* m_lpBefore;
};

// The world map draws its frames without stepping the colour cycling; the world-map menu steps it
// once with every frame it draws (its fade-in and its menu).
TEST_P(WorldMapPictureTest, OnlyTheMenuStepsTheColourCycling)
{
    OpenWithPalette();
    Write("bmp\\WorldMapChip.bmp", Bmp8(160, 64, ChipSheet));
    Write("bmp\\WorldEvent.bmp", Bmp8(64, 64, EventSheet));
    Write("bmp\\Accessory.bmp", Bmp8(128, 128, AccessorySheet));
    Write("bmp\\Window.bmp", Bmp8(32, 32, [](int, int) { return 4u; }));
    Write("bmp\\Symbol.bmp", Bmp8(32, 32, [](int, int) { return 4u; }));
    WorldMap = cWorldMap();
    ASSERT_EQ(WorldMap.SetSize(kWidth, kHeight), 1);
    WorldMap.Chip.Reset(1);
    SaveData.Reset();
    SaveData.nMapX = kHeroCol;
    SaveData.nMapY = kHeroRow;
    ResetInput();

    struct Case {
        const char* screen;
        std::function<std::unique_ptr<cScene>()> make;
        int nMenuState;
        int nSteps;  // after the first frame (Init and a fade step) and three frames of the menu
    };
    const Case cases[] = {
        {"world map", [] { return std::make_unique<cSceneWorldMap>(); }, cSceneWorldMap::kStateMap, 0},
        {"world-map menu", [] { return std::make_unique<cSceneWorldMapMenu>(); }, MAPMENU_MENU, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        CyclingCounter counter;
        std::unique_ptr<cScene> screen = c.make();
        screen->Main();
        screen->m_nState = c.nMenuState;
        for (int frame = 0; frame < 3; ++frame) screen->Main();
        EXPECT_EQ(counter.nSteps, c.nSteps);
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, WorldMapPictureTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
