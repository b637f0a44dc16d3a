#include "scenes/cSceneManager.h"

#include <exception>
#include <string>

#include "core/AppGlobals.h"
#include "core/MainWindowRequests.h"
#include "core/ReportLog.h"
#include "definitions/cEdStage.h"
#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/Boxes.h"
#include "graphics/DeviceLoss.h"
#include "graphics/FontTable.h"
#include "graphics/FrameTiming.h"
#include "graphics/Surfaces.h"
#include "input/cPadScript.h"
#include "platform/win/Messages.h"
#include "scenes/ColourCycling.h"
#include "scenes/FreeStage.h"
#include "scenes/SceneFactory.h"
#include "scenes/ScenePictures.h"
#include "stage/cSceneStage.h"

int nFps = 0;
int nFrameWorkTime = 0;
int FrameWorkTimeRing[16] = {};
int nFrameWorkTimeIndex = 0;
int nFrameWorkTimeAve = 0;

cSceneManager SceneManager;

namespace {

// The order ChangeScene deletes the screens that are not current.
constexpr int kChangeDeleteOrder[kSceneCount] = {SCENE_TITLE,       SCENE_WORLDMAPMENU, SCENE_WORLDMAP,
                                                 SCENE_WORLDSELECT, SCENE_STAGE,        SCENE_OPTION};
// The order DeleteAllScenes deletes them.
constexpr int kDeleteAllOrder[kSceneCount] = {SCENE_TITLE,       SCENE_WORLDMAP, SCENE_WORLDMAPMENU,
                                              SCENE_WORLDSELECT, SCENE_OPTION,   SCENE_STAGE};

bool DirectDrawActive()
{
    return lpDDCon && !lpDTCon;
}

}  // namespace

cSceneManager::cSceneManager()
{
    SetSceneFlow(this);
}

// The screens are deleted by the shutdown (DeleteAllScenes) while everything they use still
// exists, not here at the end of the process.
cSceneManager::~cSceneManager()
{
    SetSceneFlow(nullptr);
}

cScene** cSceneManager::Slot(int id)
{
    switch (id) {
    case SCENE_TITLE: return &m_pSceneTitle;
    case SCENE_WORLDMAP: return &m_pSceneWorldMap;
    case SCENE_WORLDMAPMENU: return &m_pSceneWorldMapMenu;
    case SCENE_WORLDSELECT: return &m_pSceneWorldSelect;
    case SCENE_STAGE: return &m_pSceneStage;
    case SCENE_OPTION: return &m_pSceneOption;
    default: return nullptr;
    }
}

cScene* cSceneManager::Scene(int id) const
{
    return const_cast<cSceneManager*>(this)->Slot(id) != nullptr ? *const_cast<cSceneManager*>(this)->Slot(id)
                                                                 : nullptr;
}

void cSceneManager::DeleteScene(int id)
{
    cScene** slot = Slot(id);
    if (slot == nullptr || *slot == nullptr) {
        return;
    }
    // Cleared before the screen's destructor runs, so nothing it calls finds a half-deleted screen.
    cScene* screen = *slot;
    *slot = nullptr;
    delete screen;
}

void cSceneManager::ChangeScene(int id)
{
    for (int other : kChangeDeleteOrder) {
        if (other != id) {
            DeleteScene(other);
        }
    }
    cScene** slot = Slot(id);
    if (slot == nullptr || *slot != nullptr) {
        return;
    }
    *slot = CreateScene(id);
    if (*slot == nullptr) {
        OutOfMemory();
    }
}

void cSceneManager::DeleteAllScenes()
{
    for (int id : kDeleteAllOrder) {
        DeleteScene(id);
    }
}

int cSceneManager::Frame()
{
    WaitFrame();
    StartTimeCount();
    if (DirectDrawActive() && !RestoreAllSurfaces()) {
        return 0;
    }
    UpdateInput(Input);
    try {
        ChangeScene(m_nScene);
    } catch (const char* szText) {
        ECLogClose(hWndMain.load(), "%s", szText != nullptr ? szText : "");
    } catch (const std::string& text) {
        ECLogClose(hWndMain.load(), "%s", text.c_str());
    } catch (const std::exception& e) {
        ECLogClose(hWndMain.load(), "%s", e.what());
    }
    if (cScene* screen = Scene(m_nScene)) {
        screen->Main();
    }
    nFps = GetFPS(1);
    if (auto* stage = dynamic_cast<cSceneStage*>(m_pSceneStage)) {
        stage->m_nFps = nFps;
    }
    nFrameWorkTime = static_cast<int>(GetTimeCount(1));
    if (nShowFps != 0) {
        ShowFrameRate();
    }
    Flip();
    return 1;
}

void cSceneManager::UpdateInput(cVector<cInput>& input)
{
    if (m_pPadScript == nullptr) {
        cSceneFlow::UpdateInput(input);
        return;
    }
    cPadScript::Apply(input[0], m_pPadScript->Next());
}

void cSceneManager::ShowFrameRate()
{
    FrameWorkTimeRing[nFrameWorkTimeIndex] = nFrameWorkTime;
    if (++nFrameWorkTimeIndex >= 16) {
        nFrameWorkTimeIndex = 0;
        unsigned sum = 0;
        for (int t : FrameWorkTimeRing) {
            sum += static_cast<unsigned>(t);
        }
        nFrameWorkTimeAve = static_cast<int>(sum >> 4);
    }
    if (!bDDReady.load()) {
        return;
    }
    // Fonts exist from start-up on; a frame run without them (tests) shows nothing.
    const int font = nShowFps == 2 ? Font10 : Font16;
    if (FontTable[font].CellHeight() <= 0) {
        return;
    }
    if (nShowFps == 2) {
        FontTable[Font10].Printf(&BackBuffer, 549, 469, "FPS%2d(%2d)", nFps, nFrameWorkTimeAve);
    } else {
        FontTable[Font16].PrintfWindowText(&BackBuffer, 495, 463, 0, 0, "FPS%2d(%2d)", nFps, nFrameWorkTimeAve);
    }
}

bool cSceneManager::FastStage() const
{
    return m_pSceneStage != nullptr && Stage.m_nFps > 60;
}

void cSceneManager::Flip()
{
    if (lpDTCon) {
        if (!DDPresent(nTargetFps, 0, 0)) {
            SendMessage(hWndMain.load(), WM_RESTOREDEVICE, 0, 0);
        }
        return;
    }
    if (!lpDDCon || PrimarySD.lpDDS == nullptr || BackBuffer.lpDDS == nullptr) {
        return;
    }
    IDirectDrawSurface7* lpPrimary = PrimarySD.lpDDS->lpDDSurface;
    IDirectDrawSurface7* lpBack = BackBuffer.lpDDS->lpDDSurface;
    if (lpPrimary == nullptr || lpBack == nullptr) {
        return;
    }
    if (bWindowMode) {
        if (!FastStage() && lpDD != nullptr) {
            lpDD->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
        }
        RECT rcDest = rcClient;
        lpPrimary->Blt(&rcDest, lpBack, nullptr, DDBLT_WAIT, nullptr);
    } else if (!bFullScreenBlit && !FastStage()) {
        lpPrimary->Flip(nullptr, DDFLIP_WAIT);
    } else {
        DDBlt(&PrimarySD, 0, 0, 640, 480, &BackBuffer, 0, 0, 0);
    }
}

void cSceneManager::CyclePalette()
{
    ::CyclePalette();
}

int cSceneManager::ReloadFreeStage()
{
    // A copy: the load replaces the stage, path included.
    const std::string path = Stage.m_strPath;
    return LoadFreeStage(path.c_str(), 0);
}

int cSceneManager::RestoreAllSurfaces()
{
    if (!DirectDrawActive() || PrimarySD.lpDDS == nullptr || PrimarySD.lpDDS->lpDDSurface == nullptr) {
        return 1;
    }
    if (PrimarySD.lpDDS->lpDDSurface->IsLost() != DDERR_SURFACELOST) {
        return 1;
    }
    if (!DDRestore()) {
        return 0;
    }
    if (!RestoreRegisteredSurfaces() || !RestoreSurface(ScenePictures)) {
        return 0;
    }
    RestoreNumberSurfaces();
    return 1;
}
