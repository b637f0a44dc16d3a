#include "ScreenHarness.h"

#include <algorithm>

#include "SampleGame.h"
#include "core/AppGlobals.h"
#include "core/Paths.h"
#include "definitions/cEdStage.h"
#include "input/cInput.h"
#include "platform/win/Files.h"
#include "platform/win/Time.h"
#include "project/cWorldMap.h"
#include "scenes/FrontEndScenes.h"
#include "scenes/SceneFactory.h"
#include "screenbase/cMenuCursor.h"
#include "stage/cSceneStage.h"

namespace testsupport {

namespace {

constexpr int kPathWorldMap = 13;
constexpr const char* kUserFolders[] = {"user_data", "user_data\\story", "user_data\\challenge", "user_data\\free",
                                        "user_data\\rpl4"};

// The harness whose window answers now (one lives at a time).
ScreenHarness* g_active = nullptr;

cScene* CreateStage()
{
    return new cSceneStage();
}

}  // namespace

ScreenHarness::ScreenHarness() : ScreenHarness(SampleGame())
{}

ScreenHarness::ScreenHarness(const GameSpec& spec) : m_play(std::make_unique<PlayHarness>(spec))
{
    g_active = this;
    m_window.emplace(&ScreenHarness::WindowProc);

    WriteWorldMap(m_play->Folder().Root(), spec.worldMap);
    for (const char* folder : kUserFolders) {
        CreateDirectoryA(folder, nullptr);
    }
    m_bLoaded = m_play->Loaded() && WorldMap.LoadFile(PathTable[kPathWorldMap].c_str()) != 0;

    SetSceneCreator(SCENE_STAGE, CreateStage);
    InstallFrontEndScenes();
    cSceneFlow& flow = Flow();
    flow.m_nScene = SCENE_TITLE;
    flow.m_nNextScene = SCENE_TITLE;
    flow.m_nPrevScene = SCENE_TITLE;
    flow.nTargetFps = 60;
    MenuCursor.Reset();
}

ScreenHarness::~ScreenHarness()
{
    m_scene.reset();
    for (int id = 0; id < kSceneCount; ++id) {
        SetSceneCreator(id, nullptr);
    }
    m_window.reset();
    g_active = nullptr;
    m_play.reset();
}

void ScreenHarness::Enter(int id)
{
    m_scene.reset();
    m_nSceneId = -1;
    Flow().m_nScene = id;
}

void ScreenHarness::MakeCurrent()
{
    const int id = Flow().m_nScene;
    if (m_scene && m_nSceneId == id) {
        return;
    }
    m_scene.reset();
    m_scene.reset(CreateScene(id));
    m_nSceneId = m_scene ? id : -1;
}

void ScreenHarness::RunFrames(int n)
{
    for (int i = 0; i < n; ++i) {
        Flow().UpdateInput(Input);
        const bool bStage = Flow().m_nScene == SCENE_STAGE;
        const int fps = bStage && Stage.m_nFps > 0 ? Stage.m_nFps : 60;
        AdvanceVirtualClock(static_cast<DWORD>(1000 / fps));
        MakeCurrent();
        if (m_scene) {
            m_scene->Main();
        }
    }
}

bool ScreenHarness::RunUntil(int nScene, int nState, int nMax)
{
    for (int i = 0;; ++i) {
        if (m_scene && m_nSceneId == nScene && Flow().m_nScene == nScene &&
            (nState < 0 || m_scene->m_nState == nState)) {
            return true;
        }
        if (i >= nMax) {
            return false;
        }
        RunFrames(1);
    }
}

int ScreenHarness::SceneId() const
{
    return m_nSceneId;
}

std::uint64_t ScreenHarness::Digest() const
{
    return PlayHarness::DigestOf(m_nSceneId == SCENE_STAGE ? static_cast<const cSceneStage*>(m_scene.get()) : nullptr);
}

int ScreenHarness::Requests(UINT uMsg) const
{
    return static_cast<int>(std::count(m_requests.begin(), m_requests.end(), uMsg));
}

void ScreenHarness::ClearRecords()
{
    m_sounds.clear();
    m_music.clear();
    m_requests.clear();
}

int ScreenHarness::TakePosted(UINT uMsg)
{
    return m_window->TakePosted(uMsg);
}

LRESULT ScreenHarness::WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (g_active != nullptr && uMsg >= WM_NAMEDIALOG && uMsg <= WM_PLAYBGM) {
        return g_active->Answer(uMsg, wParam);
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

LRESULT ScreenHarness::Answer(UINT uMsg, WPARAM wParam)
{
    m_requests.push_back(uMsg);
    switch (uMsg) {
    case WM_PLAYSE: m_sounds.push_back(static_cast<int>(wParam)); return 0;
    case WM_PLAYBGM: m_music.push_back(static_cast<int>(wParam)); return 0;
    case WM_LOADSTAGEFILE: return onLoadStage ? onLoadStage() : 0;
    case WM_LOADREPLAYFILE: return onLoadReplay ? onLoadReplay() : 0;
    case WM_NAMEDIALOG:
        if (onNameDialog) {
            onNameDialog();
        }
        return 1;
    default: return 0;
    }
}

}  // namespace testsupport
