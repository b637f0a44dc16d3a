// A drawn frame of a stage compared pixel by pixel, in every back-end configuration, with the
// picture composed here from the sheets and the drawing order: the opaque background behind the
// field tiled from the camera's parallax position, a background whose picture failed to load
// skipped, a keyed auto-scrolling background in front, the status bar with the HP and SP gauges
// (a value above its maximum filling only the frame, a low value in the warning colour) and the
// time counter.
#include "graphics/DrawTestSupport.h"

#include <cstring>

#include "definitions/cEdStage.h"
#include "graphics/Blit.h"
#include "objects/StageBitmaps.h"
#include "objects/StageObjects.h"
#include "objects/cTextObj.h"
#include "objects/chara/PlayerDraw.h"
#include "objects/shot/cShot.h"
#include "project/cDatabase.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "stage/cSceneStage.h"

namespace gfxtest {
namespace {

constexpr char kLetters[] = ".RGBWYC";  // palette index -> letter (see DrawTestSupport.h)

// Background 0: 40 x 30, in 5-pixel squares of index 1 + (x / 5 + 2 (y / 5)) mod 5, no
// transparent pixel.
std::uint32_t Background0(int x, int y)
{
    return 1u + static_cast<std::uint32_t>((x / 5 + 2 * (y / 5)) % 5);
}

// Background 2: 20 x 16, white at (0, 0), the rest transparent.
std::uint32_t Background2(int x, int y)
{
    return x == 0 && y == 0 ? 4u : 0u;
}

// The system sheet, 128 x 208: HP icon (32, 32) red with its left column transparent, SP icon
// (48, 32) green with its top row transparent; gauge frames at y 128 (white border, transparent
// inside), fills at y 144 (yellow) and warning fills at y 160 (blue), HP at x 0, SP at x 64.
std::uint32_t SystemSheet(int x, int y)
{
    if (y >= 32 && y < 48) {
        if (x >= 32 && x < 48) return x == 32 ? 0u : 1u;
        if (x >= 48 && x < 64) return y == 32 ? 0u : 2u;
        return 0u;
    }
    const bool bGauge = (x >= 0 && x < 50) || (x >= 64 && x < 114);
    if (!bGauge) return 0u;
    const int gx = x < 64 ? x : x - 64;
    if (y >= 128 && y < 144) return gx == 0 || gx == 49 || y == 128 || y == 143 ? 4u : 0u;
    if (y >= 144 && y < 160) return 5u;
    if (y >= 160 && y < 176) return 3u;
    return 0u;
}

// The digit sheet, 320 x 192: in the row at y 160, digit d is a 32 x 32 cell of index
// 1 + d mod 5 whose first four columns are transparent.
std::uint32_t DigitSheet(int x, int y)
{
    if (y < 160 || x % 32 < 4) return 0u;
    return 1u + static_cast<std::uint32_t>((x / 32) % 5);
}

// The raw back-buffer pixel of palette index i of the test palette drawn or filled. The
// 16-bit Direct3D full screen keeps colours as A1R5G5B5 and shows them in its R5G6B5 back buffer:
// the fifth green bit is repeated into the sixth.
DWORD BackBufferRaw(const Config& c, std::uint32_t i)
{
    const std::uint32_t colour = TestPaletteColours()[i];
    const DWORD r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
    if (c.bDirect3D && c.nBpp == 16 && !c.bWindowMode) {
        const DWORD g5 = g >> 3;
        return (r >> 3) << 11 | ((g5 << 1) | (g5 >> 4)) << 5 | (b >> 3);
    }
    const DWORD raw = LoadedRaw(c, colour, i);
    return !c.bDirect3D && c.nBpp == 32 ? raw & 0x00FFFFFFu : raw;
}

class StagePictureTest : public DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        m_savedHud = SystemData.HudItems;
    }
    void TearDown() override
    {
        m_scene.reset();
        ItemList.clear();
        CharaList.clear();
        for (int slot : {4, 5, 20, 21, 22, 23, 38, 39, 40, 41}) DDReleaseSurface(&SDTable[slot]);
        for (int slot : {46, 49, 51, 55, 56, 57}) DDReleaseSurface(&SDTable[slot]);
        Stage.m_Background.clear();
        Player.clear();
        SystemData.HudItems = m_savedHud;
        DrawTest::TearDown();
    }
    void Load(int slot, int width, int height, const std::function<std::uint32_t(int, int)>& index, int bColorKey)
    {
        const std::string path = "bmp\\slot" + std::to_string(slot) + ".bmp";
        Write(path, Bmp8(width, height, index));
        ASSERT_EQ(DDCreateSurfaceFromFile(&SDTable[slot], path.c_str(), bColorKey, C().nBpp, 0, DTMEMORYTYPE_VIDEO_RT,
                                          0, 0, 0, 0, 0),
                  0);
    }

    // The pixels of the back buffer that differ from the picture of letters (at most five
    // reported).
    int CountMismatches(const std::vector<std::string>& want) { return CountBackBufferMismatches(want, kLetters); }

    std::unique_ptr<cSceneStage> m_scene;
    cVector<cHudItem> m_savedHud;
};

TEST_P(StagePictureTest, AFrameShowsBackgroundsHudAndTimeInTheirOrder)
{
    OpenWithPalette();
    Load(
        46, 640, 20, [](int, int) { return 6u; }, 0);
    Load(49, 128, 208, SystemSheet, 1);
    Load(51, 320, 192, DigitSheet, 1);
    Load(55, 40, 30, Background0, 1);
    Load(57, 20, 16, Background2, 1);  // slot 56 stays empty: its picture failed to load

    Stage.m_Background.clear();
    Stage.m_Background.resize(3);
    cEdBackground& back = Stage.m_Background[0];
    back.m_nLayer = 0;
    back.m_dSpeedX = 0.5;
    back.m_dSpeedY = 0.5;
    cEdBackground& missing = Stage.m_Background[1];
    missing.m_nLayer = 0;
    cEdBackground& front = Stage.m_Background[2];
    front.m_nLayer = 1;
    front.m_bAutoScrollX = 1;
    front.m_dSpeedX = -1.0;  // moves one pixel right per frame
    front.m_dSpeedY = 0.0;

    SystemData.HudItems.clear();
    SystemData.HudItems.resize(5);
    for (int i : {2, 3}) {
        SystemData.HudItems[i].bVisible = 1;
        SystemData.HudItems[i].bIcon = 1;
    }
    SystemData.HudItems[3].nWarnValue = 2;

    Player.clear();
    Player.resize(1);
    Player[0].hp = 25;  // above its maximum of 10
    Player[0].def.m_nMaxHp = 10;
    Player[0].sp = 1;  // at or below the warning value 2
    Player[0].def.m_nMaxSp = 4;

    m_scene = std::make_unique<cSceneStage>();
    cSceneStage& scene = *m_scene;
    scene.m_ScrollX.dPos = 320 + 100;  // the field's margin of 10 cells, then 100 pixels
    scene.m_ScrollY.dPos = 320 + 30;
    scene.m_nStageFlag = 1;
    scene.m_bNoTimeLimit = 0;
    scene.m_nTime = 42;
    Stage.m_bDrawByPriority = 0;

    scene.Draw(STAGEDRAWMODE{.bFromPlay = 1, .bFreeze = 0, .bTimerSound = 1, .bMessage = 0});

    // The expected picture, layer by layer.
    std::vector<std::string> want(480, std::string(640, '.'));
    const auto put = [&](int x, int y, char letter) {
        if (letter != '.' && x >= 0 && x < 640 && y >= 0 && y < 480)
            want[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = letter;
    };
    // Background 0: parallax 0.5 of the camera past the margin: (100 x 0.5) mod 40, (30 x 0.5) mod 30.
    const int sx0 = (100 / 2) % 40;
    const int sy0 = (30 / 2) % 30;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) put(x, y, kLetters[Background0((x + sx0) % 40, (y + sy0) % 30)]);
    // Background 2 (in front of the field): auto-scrolled to offset 1, tiled from
    // (100 + 1) mod 20; vertically at its factor 0.
    const int fx0 = (100 + 1) % 20;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) put(x, y, kLetters[Background2((x + fx0) % 20, y % 16)]);
    // The status bar: two entries of 16 + 50 pixels, gap (638 - 132) / 3.
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 640; ++x) put(x, y, 'C');
    const int gap = (638 - 2 * 66) / 3;
    const int hpX = gap;
    const int spX = gap + 66 + gap;
    const int fills[2] = {50, 1 * 50 / 4};  // HP clamped to the frame; SP 12 pixels
    const int fillY[2] = {144, 160};        // SP at or below its warning value
    for (int g = 0; g < 2; ++g) {
        const int x0 = g == 0 ? hpX : spX;
        const int iconSx = g == 0 ? 32 : 48;
        const int gaugeSx = g == 0 ? 0 : 64;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) put(x0 + x, 3 + y, kLetters[SystemSheet(iconSx + x, 32 + y)]);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 50; ++x) put(x0 + 16 + x, 3 + y, kLetters[SystemSheet(gaugeSx + x, 128 + y)]);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < fills[g]; ++x)
                put(x0 + 16 + x, 3 + y, kLetters[SystemSheet(gaugeSx + x, fillY[g] + y)]);
    }
    // The time: a three-digit field from (272, 24); 42 is centred in it, half a digit in.
    const int digits[2] = {4, 2};
    for (int d = 0; d < 2; ++d)
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                put(272 + 16 + 32 * d + x, 24 + y, kLetters[DigitSheet(digits[d] * 32 + x, 160 + y)]);

    const RawImage got = Pixels(&BackBuffer);
    ASSERT_EQ(got.size(), 480u);
    DWORD raw[256] = {};
    for (const char* l = kLetters; *l != '\0'; ++l) raw[static_cast<unsigned char>(*l)] = Raw(*l, true);
    int mismatches = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const DWORD expected =
                raw[static_cast<unsigned char>(want[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)])];
            if (got[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] != expected && ++mismatches <= 5) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << "): 0x" << std::hex
                              << got[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] << " instead of 0x"
                              << expected << " ('" << want[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]
                              << "')";
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// The time counter keeps a three-digit field of 32-pixel digits from (272, 24); a shorter time
// stands in its middle, a time of 0 shows one digit.
TEST_P(StagePictureTest, TheTimeIsCentredInItsThreeDigitField)
{
    OpenWithPalette();
    Load(51, 320, 192, DigitSheet, 1);
    m_scene = std::make_unique<cSceneStage>();
    cSceneStage& scene = *m_scene;
    scene.m_bNoTimeLimit = 0;
    struct Case {
        int nTime;
        const char* digits;
        int x;  // left edge of the first digit
    };
    const Case cases[] = {{999, "999", 272}, {42, "42", 288}, {7, "7", 304}, {0, "0", 304}};
    for (const Case& c : cases) {
        Paint(&BackBuffer, 'C');
        scene.m_nTime = c.nTime;
        scene.DrawTimeLimit(&BackBuffer, 0);
        const int nDigits = static_cast<int>(std::strlen(c.digits));
        const RawImage got = Pixels(&BackBuffer);
        ASSERT_EQ(got.size(), 480u);
        const std::vector<DWORD>& row = got[24 + 16];
        int mismatches = 0;
        for (int x = 232; x < 408; ++x) {
            const int i = x - c.x;
            char want = 'C';
            if (i >= 0 && i < 32 * nDigits) {
                const int d = c.digits[i / 32] - '0';
                const char letter = kLetters[DigitSheet(d * 32 + i % 32, 160 + 16)];
                want = letter == '.' ? 'C' : letter;
            }
            if (row[static_cast<std::size_t>(x)] != Raw(want, true) && ++mismatches <= 3) {
                ADD_FAILURE() << "time " << c.nTime << ", x " << x << ": not '" << want << "'";
            }
        }
    }
}

// The character sheet cell, 32 x 32, with its first two columns transparent: squares of 8
// pixels in red, green and blue.
std::uint32_t CharaSheet(int x, int y)
{
    return x % 32 < 2 ? 0u : 1u + static_cast<std::uint32_t>((x / 8 + y / 8) % 3);
}

// The item sheet: its top two rows transparent, then stripes of 4 rows in white and yellow.
std::uint32_t ItemSheet(int, int y)
{
    return y % 32 < 2 ? 0u : 4u + static_cast<std::uint32_t>((y / 4) % 2);
}

// The shot sheet: every 16 x 16 cell cyan with its left column transparent.
std::uint32_t PlainShotSheet(int x, int)
{
    return x % 16 == 0 ? 0u : 6u;
}

// The system sheet's extra-life icon at (0, 48): green with its top row transparent.
std::uint32_t LifeIconSheet(int, int y)
{
    return y < 49 ? 0u : 2u;
}

// The hero, an item, a character, a shot and a text object overlapping in a row: with draw
// priorities off each covers the one before it, and the text objects come after all of them.
TEST_P(StagePictureTest, ObjectsAreDrawnPlayerItemsCharactersShotsThenTexts)
{
    OpenWithPalette();
    for (int slot : {4, 5, 22, 23}) Load(slot, 64, 32, CharaSheet, 1);
    for (int slot : {40, 41}) Load(slot, 64, 32, ItemSheet, 1);
    for (int slot : {20, 21, 38, 39}) Load(slot, 32, 16, PlainShotSheet, 1);
    Load(49, 16, 64, LifeIconSheet, 1);
    Load(55, 40, 30, Background0, 1);

    Stage.m_Background.clear();
    Stage.m_Background.resize(1);
    Stage.m_Background[0].m_nLayer = 0;
    Stage.m_Background[0].m_dSpeedX = 0.0;  // fixed behind the field: tiled from (0, 0)
    Stage.m_Background[0].m_dSpeedY = 0.0;
    Stage.m_bDrawByPriority = 0;
    SystemData.HudItems.clear();
    SystemData.HudItems.resize(5);

    m_scene = std::make_unique<cSceneStage>();
    cSceneStage& scene = *m_scene;
    scene.m_ScrollX.dPos = 400;
    scene.m_ScrollY.dPos = 300;
    scene.m_nStageFlag = 0;
    scene.m_bNoTimeLimit = 1;
    const auto place = [&](cGameObject& o, int screenX, int screenY, int size) {
        o.x = scene.m_ScrollX.dPos + screenX;
        o.y = scene.m_ScrollY.dPos + screenY;
        o.right = o.x + size - 1;
        o.bottom = o.y + size - 1;
        o.gfxWidth = o.baseGfxWidth = size;
        o.gfxHeight = o.baseGfxHeight = size;
        o.inView = 1;
    };
    const int heroX = 84, itemX = 100, charaX = 116, shotX = 140, iconX = 150;
    const int rowY = 100, shotY = 108, iconY = 104;
    Player.clear();
    Player.resize(1);
    place(Player[0], heroX, rowY, 32);
    ItemList.emplace_back();
    place(ItemList.back(), itemX, rowY, 32);
    CharaList.emplace_back();
    place(CharaList.back(), charaX, rowY, 32);
    scene.m_ShotList.emplace_back();
    cShot& shot = scene.m_ShotList.back();
    place(shot, shotX, shotY, 16);
    shot.def.m_nSize = 1;
    TEXTOBJPARAMS icon;
    icon.nKind = 3;
    icon.nPosMode = 7;
    icon.nDotX = iconX;
    icon.nDotY = iconY;
    icon.bScreenFixed = 1;
    icon.nDurationMode = 2;
    icon.nRemaining = 30;  // one step leaves 29: the icon has not risen yet
    scene.m_TextList.emplace_back(icon);

    scene.Draw(STAGEDRAWMODE{.bFromPlay = 1, .bFreeze = 0, .bTimerSound = 0, .bMessage = 0});

    std::vector<std::string> want(480, std::string(640, '.'));
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            want[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = kLetters[Background0(x % 40, y % 30)];
    const auto put = [&](int x0, int y0, int w, int h, const std::function<std::uint32_t(int, int)>& sheet, int sy) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const char letter = kLetters[sheet(x, sy + y)];
                if (letter != '.') want[static_cast<std::size_t>(y0 + y)][static_cast<std::size_t>(x0 + x)] = letter;
            }
    };
    put(heroX, rowY, 32, 32, CharaSheet, 0);
    put(itemX, rowY, 32, 32, ItemSheet, 0);
    put(charaX, rowY, 32, 32, CharaSheet, 0);
    put(shotX, shotY, 16, 16, PlainShotSheet, 0);
    put(iconX, iconY, 16, 16, LifeIconSheet, 48);
    EXPECT_EQ(CountMismatches(want), 0);
}

TEST_P(StagePictureTest, TheHerosBoxDisplayLiesUnderItsGauge)
{
    OpenWithPalette();
    for (int slot : {4, 5, 22, 23}) Load(slot, 64, 32, CharaSheet, 1);
    Load(49, 128, 208, SystemSheet, 1);
    m_scene = std::make_unique<cSceneStage>();
    m_scene->m_ScrollX.dPos = 400;
    m_scene->m_ScrollY.dPos = 300;
    Player.clear();
    Player.resize(1);
    cPlayer& hero = Player[0];
    hero.x = 400 + 200;
    hero.y = 300 + 200;
    hero.right = hero.x + 31;
    hero.bottom = hero.y + 31;
    hero.gfxWidth = hero.baseGfxWidth = 32;
    hero.gfxHeight = hero.baseGfxHeight = 32;
    hero.inView = 1;
    // The HP gauge shown full (a yellow bar two pixels high over the hero's head) and a red box
    // display, filled, over the whole head and the gauge.
    SystemData.HudItems.clear();
    SystemData.HudItems.resize(5);  // no warning threshold: the bar is in its plain colour
    hero.hp = 10;
    hero.def.m_nMaxHp = 10;
    hero.hpGauge.framesLeft = 30;
    hero.hpGauge.barLength = 50;
    hero.hpGauge.shrinking = 0.0;
    hero.bodyBox.offsetX = -20;
    hero.bodyBox.offsetY = -12;
    BOXDISPLAY box;
    box.kind = 1;
    box.mode = 1;
    box.colour = 1;
    box.width = 80;
    box.height = 16;
    hero.boxDisplay.clear();
    hero.boxDisplay.push_back(box);
    Paint(&BackBuffer, 'C');

    m_scene->DrawPlayer(0);

    const int gaugeX = hero.screenLeft + 16 - 25;
    const int gaugeY = hero.screenTop - 3;
    EXPECT_EQ(Pixel(&BackBuffer, gaugeX + 10, gaugeY), BackBufferRaw(C(), 5)) << "the gauge over the box";
    EXPECT_EQ(Pixel(&BackBuffer, hero.screenLeft - 15, hero.screenTop - 10), BackBufferRaw(C(), 1)) << "the box";
}

INSTANTIATE_TEST_SUITE_P(Matrix, StagePictureTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest

namespace gfxtest {
namespace {

class ViewMaskPictureTest : public DrawTest {
protected:
    void TearDown() override
    {
        DDReleaseSurface(&SDTable[65]);
        DDReleaseSurface(&SDTable[66]);
        m_scene.reset();
        Player.clear();
        DrawTest::TearDown();
    }
    std::unique_ptr<cSceneStage> m_scene;
};

TEST_P(ViewMaskPictureTest, TheHeroSeesThroughADiscOrASquare)
{
    OpenWithPalette();
    m_scene = std::make_unique<cSceneStage>();
    Player.clear();
    Player.resize(1);
    cPlayer& hero = Player[0];
    hero.gfxWidth = 32;
    hero.gfxHeight = 32;
    hero.screenLeft = 320 - 16;  // the hero's centre at the screen's centre
    hero.screenTop = 240 - 16;
    hero.viewRange = 40;
    struct Case {
        int shape;
        bool cornerSeen;  // (320 - 35, 240 - 35): inside the square, outside the disc
    };
    for (const Case& c : {Case{1, false}, Case{3, true}}) {
        hero.def.m_nViewShape = static_cast<std::int8_t>(c.shape);
        ASSERT_TRUE(m_scene->CreateViewMask(&SDTable[65], &SDTable[66]));
        EXPECT_EQ(SDTable[65].nWidth, 1280 + 80);
        EXPECT_EQ(SDTable[65].nHeight, 960 + 80);
        Paint(&BackBuffer, 'R');
        DrawViewMask(hero, &BackBuffer, &SDTable[65]);
        const DWORD masked = BackBufferRaw(C(), 16);
        EXPECT_EQ(Pixel(&BackBuffer, 320, 240), Raw('R', true)) << c.shape;
        EXPECT_EQ(Pixel(&BackBuffer, 320 + 30, 240), Raw('R', true)) << c.shape;
        EXPECT_EQ(Pixel(&BackBuffer, 320 + 45, 240), masked) << c.shape;
        EXPECT_EQ(Pixel(&BackBuffer, 0, 0), masked) << c.shape;
        EXPECT_EQ(Pixel(&BackBuffer, 320 - 35, 240 - 35), c.cornerSeen ? Raw('R', true) : masked) << c.shape;
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, ViewMaskPictureTest, ::testing::ValuesIn(kConfigs), ConfigName);

// A restart while a screen effect draws through the virtual back buffer: the set-up turns it off,
// so the next frames are drawn into the back buffer itself, and what the effect's frame left
// there is kept.
class RestartBackBufferTest : public DrawTest {
protected:
    void TearDown() override
    {
        m_scene.reset();
        CharaList.clear();
        ItemList.clear();
        Player.clear();
        StageMap.clear();
        Stage.Reset();
        DrawTest::TearDown();
    }
    std::unique_ptr<cSceneStage> m_scene;
};

TEST_P(RestartBackBufferTest, TheStageSetUpDrawsIntoTheBackBufferAgain)
{
    OpenWithPalette();
    Stage.Reset();
    Stage.m_nWidth = 20;
    Stage.m_nHeight = 15;
    Stage.m_nFieldWidthPx = 20 * 32;
    Stage.m_nFieldHeightPx = 15 * 32;
    cEdChara hero;
    hero.m_nController = 0;
    hero.m_nGraphic = 1;
    hero.m_nX = 3;
    hero.m_nY = 3;
    Stage.m_PlacedChara.push_back(hero);
    m_scene = std::make_unique<cSceneStage>();
    if (D3D()) {
        DDSetVirBackBuffer(TRUE);
        Paint(&VirBackBuffer, 'G');
    }
    Paint(&BackBuffer, 'R');
    m_scene->SetStage(0, 0);
    ASSERT_EQ(Player.size(), 1u) << "the set-up ran to its end";
    if (!D3D()) {
        EXPECT_EQ(Pixel(&BackBuffer, 10, 10), Raw('R', true)) << "DirectDraw has no virtual back buffer";
        return;
    }
    EXPECT_EQ(lpDTCon->bVirBackBuffer, 0);
    EXPECT_EQ(Pixel(&BackBuffer, 10, 10), Raw('G', true)) << "the effect's frame is flushed into the back buffer";
    // A blit aimed at the back buffer lands there, not in the virtual one.
    Paint(&VirBackBuffer, 'B');
    DDBlt(&BackBuffer, 0, 0, 8, 8, &VirBackBuffer, 0, 0, 0);
    EXPECT_EQ(Pixel(&BackBuffer, 2, 2), Raw('B', true));
    EXPECT_EQ(Pixel(&BackBuffer, 10, 10), Raw('G', true));
}

INSTANTIATE_TEST_SUITE_P(Matrix, RestartBackBufferTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest

namespace gfxtest {
namespace {

// The shot sheet, 128 x 480: 16 x 16 cells, the first column of each transparent, the rest of
// index 1 + (column + row) mod 5.
std::uint32_t ShotSheet(int x, int y)
{
    if (x % 16 == 0) return 0u;
    return 1u + static_cast<std::uint32_t>((x / 16 + y / 16) % 5);
}

class StageSheetsTest : public DrawTest {
protected:
    void TearDown() override
    {
        for (int slot : {20, 21, 63, 64}) DDReleaseSurface(&SDTable[slot]);
        DDReleaseSurfaceVec(StageBitmaps.BmpCharaExc);
        StageBitmaps.BmpCharaExc.clear();
        StageBitmaps.BmpCharaExcInfo.clear();
        Database.Bmp_CharaExc = m_savedExc;
        m_scene.reset();
        DrawTest::TearDown();
    }
    std::unique_ptr<cSceneStage> m_scene;
    cVector<cDbBmpCharaExc> m_savedExc = Database.Bmp_CharaExc;
};

TEST_P(StageSheetsTest, IconSheetsCentreEveryShotCellInA32PixelCell)
{
    OpenWithPalette();
    Write("bmp\\shot.bmp", Bmp8(128, 480, ShotSheet));
    for (int slot : {20, 21}) {
        ASSERT_EQ(DDCreateSurfaceFromFile(&SDTable[slot], "bmp\\shot.bmp", 1, C().nBpp, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0,
                                          slot == 21 ? 16 : 0, 0, 0),
                  0);
    }
    for (int slot : {63, 64}) ASSERT_TRUE(DDCreateSurface(&SDTable[slot], 256, 960, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    m_scene = std::make_unique<cSceneStage>();
    m_scene->BuildIconSheets();

    Paint(&BackBuffer, 'C');
    DDBlt(&BackBuffer, 0, 0, 256, 480, &SDTable[63], 0, 0, 1);  // rows 0..14 of the left sheet
    for (int c : {0, 7, 14}) {
        for (int d : {0, 3}) {
            for (int half = 0; half < 2; ++half) {
                const int x0 = 8 + 64 * d + 32 * half;
                const int y0 = 8 + 32 * c;
                for (int v = 0; v < 16; v += 5) {
                    for (int u = 0; u < 16; ++u) {
                        const char want = kLetters[ShotSheet(32 * d + 16 * half + u, 16 * c + v)];
                        EXPECT_EQ(Pixel(&BackBuffer, x0 + u, y0 + v), Raw(want == '.' ? 'C' : want, true))
                            << "cell " << d << "," << c << " half " << half << " at " << u << "," << v;
                    }
                }
                // Around the cell the sheet is transparent.
                EXPECT_EQ(Pixel(&BackBuffer, x0 - 1, y0 - 1), Raw('C', true));
                EXPECT_EQ(Pixel(&BackBuffer, x0 + 16, y0 + 16), Raw('C', true));
            }
        }
    }
}

TEST_P(StageSheetsTest, ACharacterSheetThatFailsStaysEmptyAndTheOthersLoad)
{
    OpenWithPalette();
    Write("bmp\\exc.bmp", Bmp8(64, 32, ShotSheet));
    Database.Bmp_CharaExc.clear();
    Database.Bmp_CharaExc.resize(3);
    Database.Bmp_CharaExc[1].strFileName = "bmp\\exc.bmp";
    Database.Bmp_CharaExc[2].strFileName = "bmp\\missing.bmp";
    m_scene = std::make_unique<cSceneStage>();
    m_scene->LoadStageBmp();
    ASSERT_EQ(StageBitmaps.BmpCharaExc.size(), 8u);  // four per entry from entry 1
    ASSERT_EQ(StageBitmaps.BmpCharaExcInfo.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(StageBitmaps.BmpCharaExc[i].nWidth, i < 4 ? 64 : 0) << i;
    }
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(StageBitmaps.BmpCharaExcInfo[i].nMirrorW, 32) << i;
        if (D3D()) {
            EXPECT_EQ(StageBitmaps.BmpCharaExc[i].lpShareSD, &StageBitmaps.BmpCharaExc[0]) << i;
        }
    }
    // Loading again replaces the cache; the screen's end releases it.
    m_scene->LoadStageBmp();
    EXPECT_EQ(StageBitmaps.BmpCharaExc.size(), 8u);
    m_scene.reset();
    EXPECT_TRUE(StageBitmaps.BmpCharaExc.empty());
    EXPECT_TRUE(StageBitmaps.BmpCharaExcInfo.empty());
}

// Each background picture is measured against the screen before the stage loads its slots: under
// DirectDraw one wider or higher than 640 x 480 goes into system memory; Direct3D keeps the flag.
TEST_P(StageSheetsTest, ABackgroundLargerThanTheScreenIsLoadedIntoSystemMemoryUnderDirectDraw)
{
    const struct {
        int width, height;
        int bSystemMemory;  // under DirectDraw
    } cases[] = {{641, 8, 1}, {8, 481, 1}, {640, 480, 0}};
    OpenWithPalette();
    Stage.m_Background.clear();
    Stage.m_Background.resize(std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string name = "back" + std::to_string(i) + ".bmp";
        Write(name, Bmp8(cases[i].width, cases[i].height, [](int, int) { return 1u; }));
        Stage.m_Background[i].m_bFill = 0;
        Stage.m_Background[i].m_strPicture = name;
    }
    m_scene = std::make_unique<cSceneStage>();
    ASSERT_TRUE(m_scene->LoadStagePictures(true));  // a restart: the eight background slots only
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const int slot = 55 + static_cast<int>(i);
        const int want = D3D() ? 0 : cases[i].bSystemMemory;
        EXPECT_EQ(SDInfoTable[slot].bSystemMemory, want);
        EXPECT_EQ(SDTable[slot].bSystemMemory, want);
        EXPECT_EQ(SDTable[slot].nWidth, cases[i].width);
    }
    Stage.m_Background.clear();
}

INSTANTIATE_TEST_SUITE_P(Matrix, StageSheetsTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest

namespace gfxtest {
namespace {

class BackdropPictureTest : public StagePictureTest {};

// Plain fills behind the field, and the pause menu's rule that hides everything but the
// backgrounds.
TEST_P(BackdropPictureTest, FillsAndTheHiddenFieldUnderThePauseMenu)
{
    OpenWithPalette();
    Load(
        46, 640, 20, [](int, int) { return 6u; }, 0);
    SystemData.HudItems.clear();
    SystemData.HudItems.resize(5);
    SystemData.HudItems[4].bVisible = 1;
    SystemData.HudItems[4].bIcon = 1;
    m_scene = std::make_unique<cSceneStage>();
    cSceneStage& scene = *m_scene;
    scene.m_nStageFlag = 1;
    scene.m_bNoTimeLimit = 1;
    struct Case {
        const char* name;
        int backgrounds;  // 0 none; else one fill of palette 5 (yellow)
        int visible;
        int paused;  // drawn under the pause menu with the hide setting on
        DWORD centre;
        DWORD corner;  // (0, 0): the status bar unless hidden
    };
    const DWORD kEmpty = BackBufferRaw(C(), 16);
    const Case cases[] = {
        {"no background: palette 16", 0, 1, 0, kEmpty, Raw('C', true)},
        {"invisible background: palette 16", 1, 0, 0, kEmpty, Raw('C', true)},
        {"a fill", 1, 1, 0, Raw('Y', true), Raw('C', true)},
        {"paused with the field hidden: no status bar", 1, 1, 1, Raw('Y', true), Raw('Y', true)},
    };
    for (const Case& c : cases) {
        Stage.m_Background.clear();
        if (c.backgrounds) {
            Stage.m_Background.resize(1);
            Stage.m_Background[0].m_bFill = 1;
            Stage.m_Background[0].m_nFillColor = 5;
            Stage.m_Background[0].m_bVisible = c.visible;
        }
        SystemData.bPauseHideField = c.paused;
        scene.m_nState = c.paused ? STAGESTATE_PAUSE : STAGESTATE_PLAY;
        Paint(&BackBuffer, 'R');
        scene.Draw(STAGEDRAWMODE{.bFromPlay = 0, .bFreeze = 1, .bTimerSound = 0, .bMessage = 0});
        EXPECT_EQ(Pixel(&BackBuffer, 320, 240), c.centre) << c.name;
        EXPECT_EQ(Pixel(&BackBuffer, 0, 0), c.corner) << c.name;
    }
    SystemData.bPauseHideField = 0;
}

INSTANTIATE_TEST_SUITE_P(Matrix, BackdropPictureTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest

namespace gfxtest {
namespace {

// The word sheet, 320 x 192: index 1 + (x / 8 + y / 8) mod 5 everywhere but column 0 of every
// 8-pixel square, which is transparent.
std::uint32_t WordSheet(int x, int y)
{
    return x % 8 == 0 ? 0u : 1u + static_cast<std::uint32_t>((x / 8 + y / 8) % 5);
}

class StateOverlayTest : public StagePictureTest {};

TEST_P(StateOverlayTest, BannersAndCaptionsComeFromTheWordSheet)
{
    OpenWithPalette();
    Load(51, 320, 192, WordSheet, 1);
    m_scene = std::make_unique<cSceneStage>();
    cSceneStage& scene = *m_scene;
    struct Blit {
        int x, y, w, sx, sy;
    };
    struct Case {
        const char* name;
        int state;
        int bannerCount;
        std::vector<Blit> blits;
    };
    SaveData.nWorldStage = 7;
    const Case cases[] = {
        {"game over", STAGESTATE_GAMEOVER, 0, {{248, 224, 144, 0, 96}}},
        {"stage banner and number", STAGESTATE_START, 5, {{256, 224, 128, 0, 0}, {384, 224, 32, 7 * 32, 128}}},
        {"stage banner over", STAGESTATE_START, 80, {}},
        {"clear caption at rest", STAGESTATE_CLEAR, 120, {{256, 192, 128, 0, 64}}},
    };
    for (const Case& c : cases) {
        Stage.m_bGameOverCaption = 1;
        Stage.m_bStartBanner = 1;
        Stage.m_bReadyBanner = 0;
        Stage.m_bClearCaption = 1;
        scene.m_nState = c.state;
        scene.m_nSubState = 1;
        scene.m_nBannerCount = c.bannerCount;
        Paint(&BackBuffer, 'C');
        scene.DrawStateOverlay();
        std::vector<std::string> want(64, std::string(640, 'C'));  // rows 192..255
        for (const Blit& b : c.blits)
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < b.w; ++x) {
                    const char l = kLetters[WordSheet(b.sx + x, b.sy + y)];
                    if (l != '.') want[static_cast<std::size_t>(b.y - 192 + y)][static_cast<std::size_t>(b.x + x)] = l;
                }
        const RawImage got = Pixels(&BackBuffer);
        ASSERT_EQ(got.size(), 480u);
        DWORD raw[256] = {};
        for (const char* l = kLetters; *l != '\0'; ++l) raw[static_cast<unsigned char>(*l)] = Raw(*l, true);
        int mismatches = 0;
        for (std::size_t y = 0; y < 64; ++y)
            for (std::size_t x = 200; x < 440; ++x)
                if (got[192 + y][x] != raw[static_cast<unsigned char>(want[y][x])] && ++mismatches <= 3)
                    ADD_FAILURE() << c.name << " at (" << x << ", " << 192 + y << ")";
        EXPECT_EQ(mismatches, 0) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, StateOverlayTest, ::testing::ValuesIn(kConfigs), ConfigName);

class ScreenFlashTest : public StagePictureTest {};

TEST_P(ScreenFlashTest, TheEndOfAFlashRoundShowsTheUntintedPalette)
{
    if (C().bDirect3D || C().nBpp != 8) {
        GTEST_SKIP() << "only the 8-bit palette keeps a tint from frame to frame";
    }
    OpenWithPalette();
    m_scene = std::make_unique<cSceneStage>();
    cSceneStage& scene = *m_scene;
    // Red at level 100 over 1 tenth (6 frames), two flashes.
    const int p[8] = {255, 0, 0, 100, 0, 1, 1, 2};
    ASSERT_EQ(scene.SetScreenColor(p), 1);
    // The first frame of a round shows the picture at strength 255, as the round's end must.
    scene.DrawScreenColor(0);
    std::vector<PALETTEENTRY> first(PaletteBackup, PaletteBackup + 256);
    auto showsFirst = [&first] {
        for (int i = 0; i < 256; ++i) {
            if (PaletteBackup[i].peRed != first[i].peRed || PaletteBackup[i].peGreen != first[i].peGreen ||
                PaletteBackup[i].peBlue != first[i].peBlue)
                return false;
        }
        return true;
    };
    for (int frame = 2; frame <= 5; ++frame) scene.DrawScreenColor(0);
    EXPECT_FALSE(showsFirst()) << "the fifth frame shows 255 - 4/6 x 255 of the picture";
    scene.DrawScreenColor(0);
    EXPECT_TRUE(showsFirst()) << "the round ends on the untinted picture";
    EXPECT_EQ(scene.m_ScreenColor.bActive, 1) << "one more flash to go";
}

INSTANTIATE_TEST_SUITE_P(Matrix, ScreenFlashTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
