// The scene manager's frame: screens by number, the change of screen in its order, failures while
// creating a screen, fades taking their frames, the work-time average and the present on each
// back-end.
#include <memory>
#include <string>

#include "graphics/Fade.h"
#include "graphics/FrameTiming.h"
#include "graphics/GraphicsTestSupport.h"
#include "platform/hostapi/Host.h"
#include "platform/win/Keyboard.h"
#include "platform/win/ScriptedJoysticks.h"
#include "scenes/SceneFactory.h"
#include "scenes/cSceneManager.h"
#include "scenes/cScenePlaceholder.h"
#include "stage/cSceneStage.h"

namespace {

std::string g_log;

// A screen that writes its creation, deletion and frames to g_log; it can also work for a while
// (virtual clock) in each frame.
class RecordingScreen : public cScene {
public:
    explicit RecordingScreen(int id) : m_nId(id) { g_log += "+" + std::to_string(id) + " "; }
    ~RecordingScreen() override { g_log += "-" + std::to_string(m_nId) + " "; }
    void Main() override
    {
        g_log += "m" + std::to_string(m_nId) + " ";
        if (nWorkMs > 0) {
            Sleep(static_cast<DWORD>(nWorkMs));
        }
    }
    static inline int nWorkMs = 0;
    int m_nId;
};

template <int Id>
cScene* CreateRecording()
{
    return new RecordingScreen(Id);
}
cScene* CreateNothing()
{
    return nullptr;
}
cScene* CreateThrowing()
{
    throw "screen could not start";
}

// A stage-play screen that only takes 10 ms of work a frame.
class IdleStageScreen : public cSceneStage {
public:
    void Main() override { Sleep(10); }
};
cScene* CreateIdleStage()
{
    return new IdleStageScreen();
}

constexpr SceneCreator kRecording[kSceneCount] = {CreateRecording<0>, CreateRecording<1>, CreateRecording<2>,
                                                  CreateRecording<3>, CreateRecording<4>, CreateRecording<5>};

class SceneManagerTest : public gfxtest::GraphicsTest {
protected:
    void SetUp() override
    {
        GraphicsTest::SetUp();
        // Other tests of this program may have put their own scene flow in its place.
        SetSceneFlow(&SceneManager);
        SceneManager.DeleteAllScenes();
        static_cast<cSceneFlow&>(SceneManager) = cSceneFlow{};
        SceneManager.nTargetFps = 60;
        SceneManager.m_nFadeSpeed = 10;
        ReleaseAllKeys();
        SetDefaultKeyConfig(KeyConfig);
        ResetInput();
        SetJoystickSource(std::make_unique<ScriptedJoysticks>());
        ResetFrameTimingForTest();
        DDResetFadesForTest();
        nFrameWorkTimeIndex = 0;
        nFrameWorkTimeAve = 0;
        for (int& t : FrameWorkTimeRing) t = 0;
        g_log.clear();
        RecordingScreen::nWorkMs = 0;
    }
    void TearDown() override
    {
        SceneManager.DeleteAllScenes();
        static_cast<cSceneFlow&>(SceneManager) = cSceneFlow{};
        for (int id = 0; id < kSceneCount; ++id) SetSceneCreator(id, nullptr);
        SetJoystickSource(nullptr);
        ReleaseAllKeys();
        GraphicsTest::TearDown();
    }
    static void UseRecordingScreens()
    {
        for (int id = 0; id < kSceneCount; ++id) SetSceneCreator(id, kRecording[id]);
    }
};

TEST_F(SceneManagerTest, FrameRunsTheScreenOfTheCurrentNumber)
{
    UseRecordingScreens();
    EXPECT_EQ(SceneManager.Frame(), 1);
    EXPECT_EQ(SceneManager.Frame(), 1);
    EXPECT_EQ(g_log, "+0 m0 m0 ");
    g_log.clear();
    SceneManager.m_nScene = SCENE_STAGE;
    SceneManager.Frame();
    SceneManager.m_nScene = SCENE_OPTION;
    SceneManager.Frame();
    // Deletion of the old screen first, then creation of the new one and its frame.
    EXPECT_EQ(g_log, "-0 +4 m4 -4 +5 m5 ");
    EXPECT_EQ(SceneManager.m_pSceneStage, nullptr);
    EXPECT_NE(SceneManager.m_pSceneOption, nullptr);
    EXPECT_EQ(SceneManager.Scene(SCENE_OPTION), SceneManager.m_pSceneOption);
    g_log.clear();
    SceneManager.m_nScene = 6;  // no such screen: everything goes, nothing runs
    EXPECT_EQ(SceneManager.Frame(), 1);
    EXPECT_EQ(g_log, "-5 ");
    EXPECT_EQ(TakePosted(WM_CLOSE), 0);
}

TEST_F(SceneManagerTest, ScreensAreDeletedInTheirOrder)
{
    UseRecordingScreens();
    auto createAll = [] {
        SceneManager.DeleteAllScenes();
        SceneManager.m_pSceneTitle = CreateScene(0);
        SceneManager.m_pSceneWorldMap = CreateScene(1);
        SceneManager.m_pSceneWorldMapMenu = CreateScene(2);
        SceneManager.m_pSceneWorldSelect = CreateScene(3);
        SceneManager.m_pSceneStage = CreateScene(4);
        SceneManager.m_pSceneOption = CreateScene(5);
        g_log.clear();
    };
    createAll();
    SceneManager.ChangeScene(SCENE_OPTION);
    EXPECT_EQ(g_log, "-0 -2 -1 -3 -4 ");  // the option screen exists and is kept
    createAll();
    SceneManager.ChangeScene(SCENE_WORLDMAP);
    EXPECT_EQ(g_log, "-0 -2 -3 -4 -5 ");
    createAll();
    SceneManager.DeleteAllScenes();
    EXPECT_EQ(g_log, "-0 -1 -2 -3 -5 -4 ");
    for (int id = 0; id < kSceneCount; ++id) EXPECT_EQ(SceneManager.Scene(id), nullptr) << id;
}

TEST_F(SceneManagerTest, AScreenThatCannotBeMadeClosesTheProgramAndTheFrameGoesOn)
{
    SetSceneCreator(SCENE_TITLE, CreateNothing);
    EXPECT_EQ(SceneManager.Frame(), 1);
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    // "メモリが不足しています！"
    EXPECT_EQ(RecordedMessageBoxes()[0].text,
              "\x83\x81\x83\x82\x83\x8A\x82\xAA\x95\x73\x91\xAB\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81\x49");
    EXPECT_EQ(TakePosted(WM_CLOSE), 1);
    SetSceneCreator(SCENE_TITLE, CreateThrowing);
    EXPECT_EQ(SceneManager.Frame(), 1);
    EXPECT_EQ(SceneManager.m_pSceneTitle, nullptr);
    EXPECT_EQ(TakePosted(WM_CLOSE), 1);
}

TEST_F(SceneManagerTest, WorkTimeAverageFillsOnlyWhileShown)
{
    UseRecordingScreens();
    RecordingScreen::nWorkMs = 3;
    for (int i = 0; i < 20; ++i) SceneManager.Frame();
    EXPECT_EQ(nFrameWorkTimeIndex, 0);  // not filled while "ShowFps" is 0
    SceneManager.nShowFps = 1;
    for (int i = 0; i < 15; ++i) {
        RecordingScreen::nWorkMs = i < 8 ? 2 : 5;
        SceneManager.Frame();
        EXPECT_EQ(nFrameWorkTimeAve, 0) << i;
    }
    SceneManager.Frame();
    // Work times 8 x 2 ms and 8 x 5 ms: (16 + 40) >> 4.
    EXPECT_EQ(nFrameWorkTimeAve, (8 * 2 + 8 * 5) >> 4);
    EXPECT_EQ(nFrameWorkTimeIndex, 0);
}

// The frame rate counted by the frame reaches the stage-play screen: 10 ms frames count 100
// frames in the first second (the frames at 10 .. 1000 ms), published by the frame at 1010 ms.
TEST_F(SceneManagerTest, TheStageScreenSeesTheFrameRate)
{
    SetSceneCreator(SCENE_STAGE, CreateIdleStage);
    SceneManager.m_nScene = SCENE_STAGE;
    for (int frame = 1; frame <= 100; ++frame) SceneManager.Frame();
    auto* stage = dynamic_cast<cSceneStage*>(SceneManager.m_pSceneStage);
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(stage->m_nFps, 0);
    SceneManager.Frame();
    EXPECT_EQ(nFps, 100);
    EXPECT_EQ(stage->m_nFps, 100);
}

// The placeholder screens over the back-ends: a fade-in of 10 frames at 10 degrees, the menu, a
// fade-out of 10 frames, then the next screen; every frame presents one picture.
class SceneFadeTest : public SceneManagerTest, public ::testing::WithParamInterface<gfxtest::Config> {};

TEST_P(SceneFadeTest, FadesTakeTheirFramesAndEveryFramePresents)
{
    ASSERT_TRUE(Open(GetParam()));
    const unsigned presented = GetHost().FrameCount();
    for (int frame = 1; frame <= 10; ++frame) {
        SceneManager.Frame();
        EXPECT_EQ(SceneManager.m_pSceneTitle->m_nState, frame < 10 ? 0 : 1) << frame;
    }
    SetKeyState('Z', true);
    SceneManager.Frame();
    SetKeyState('Z', false);
    ASSERT_EQ(SceneManager.m_pSceneTitle->m_nState, 2);
    for (int frame = 1; frame <= 10; ++frame) {
        SceneManager.Frame();
        EXPECT_EQ(SceneManager.m_nScene, frame < 10 ? SCENE_TITLE : SCENE_STAGE) << frame;
    }
    EXPECT_EQ(SceneManager.m_nPrevScene, SCENE_TITLE);
    SceneManager.Frame();
    EXPECT_EQ(SceneManager.m_pSceneTitle, nullptr);
    ASSERT_NE(SceneManager.m_pSceneStage, nullptr);
    EXPECT_EQ(static_cast<cScenePlaceholder*>(SceneManager.m_pSceneStage)->Id(), SCENE_STAGE);
    EXPECT_EQ(GetHost().FrameCount() - presented, 22u);
    SceneManager.DeleteAllScenes();
}

INSTANTIATE_TEST_SUITE_P(BackEnds, SceneFadeTest,
                         ::testing::Values(gfxtest::kConfigs[2], gfxtest::kConfigs[3], gfxtest::kConfigs[5]),
                         gfxtest::ConfigName);

}  // namespace
