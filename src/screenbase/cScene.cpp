#include "screenbase/cScene.h"

#include <exception>
#include <string>
#include <vector>

#include "core/AppGlobals.h"
#include "core/MainWindowRequests.h"
#include "core/ReportLog.h"
#include "graphics/BackEnd.h"
#include "graphics/Fade.h"
#include "graphics/Fill.h"
#include "graphics/FontTable.h"
#include "graphics/FrameTiming.h"
#include "graphics/Palette.h"
#include "graphics/SurfaceCatalogue.h"
#include "graphics/Surfaces.h"
#include "platform/win/Messages.h"
#include "platform/win/Time.h"
#include "project/cSystemData.h"
#include "screenbase/cMenuCursor.h"

namespace {

// The scene manager, once registered; game thread only.
cSceneFlow* g_lpFlow = nullptr;
constexpr int kMaxFrameWaitMs = 1000;

std::vector<SurfaceRestoreFn> g_restores;

cSceneFlow& PlainFlow()
{
    static cSceneFlow flow;
    return flow;
}

}  // namespace

void cSceneFlow::UpdateInput(cVector<cInput>& input)
{
    if (KeyConfig.bUseKeyConfig) {
        input[0].PollKeyConfig(1, 60);
    } else {
        input[0].PollDefault(0, POLL_JOYSTICK | POLL_KEYBOARD, 60);
    }
}

cSceneFlow& SceneFlow()
{
    return g_lpFlow != nullptr ? *g_lpFlow : PlainFlow();
}

void SetSceneFlow(cSceneFlow* lpFlow)
{
    g_lpFlow = lpFlow;
}

void WaitFrame()
{
    if (!lpDDCon || lpDTCon) {
        return;
    }
    // The limiter grants a frame within 1000 / rate ms; the bound only guards a stalled clock.
    for (int waited = 0; !CheckFrameTimeDD(SceneFlow().nTargetFps) && waited < kMaxFrameWaitMs; ++waited) {
        Sleep(1);
    }
}

BOOL RestoreSurface(DDSURFACEDATA& sd)
{
    if (sd.lpDDS == nullptr || sd.lpDDS->lpDDSurface == nullptr) {
        return TRUE;
    }
    IDirectDrawSurface7* lpSurface = sd.lpDDS->lpDDSurface;
    if (lpSurface->IsLost() != DDERR_SURFACELOST) {
        return TRUE;
    }
    lpSurface->Restore();
    if (sd.bSystemMemory) {
        return TRUE;
    }
    sd.bLost = 1;
    return DDReloadSurface(&sd, nScreenBpp);
}

BOOL RestoreSurface(DDSurfaceVec& vec)
{
    for (DDSURFACEDATA& sd : vec) {
        if (!RestoreSurface(sd)) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL RestoreSurface(DDSurfaceList& list)
{
    for (DDSURFACEDATA& sd : list) {
        if (!RestoreSurface(sd)) {
            return FALSE;
        }
    }
    return TRUE;
}

void RestoreNumberSurfaces()
{
    for (int i = 0; i < kFontCount; ++i) {
        DDSURFACEDATA& sd = NumberSD[i];
        if (sd.lpDDS == nullptr || sd.lpDDS->lpDDSurface == nullptr ||
            sd.lpDDS->lpDDSurface->IsLost() != DDERR_SURFACELOST) {
            continue;
        }
        sd.lpDDS->lpDDSurface->Restore();
        if (!sd.bSystemMemory) {
            MakeNumberSurface(&sd, &FontTable[i]);
        }
    }
}

void AddSurfaceRestore(SurfaceRestoreFn fn)
{
    if (fn != nullptr) {
        g_restores.push_back(fn);
    }
}

BOOL RestoreRegisteredSurfaces()
{
    for (SurfaceRestoreFn fn : g_restores) {
        if (!fn()) {
            return FALSE;
        }
    }
    return TRUE;
}

void cScene::RunFrame(int nButtonMask)
{
    if (nButtonMask >= 0) {
        Input[0].KeyRepeat();
        Input[0].TriggerButton(nButtonMask);
    }
    if (m_nState == -1) {
        try {
            Init();
        } catch (const char* szText) {
            ECLogClose(hWndMain.load(), "%s", szText != nullptr ? szText : "");
        } catch (const std::string& text) {
            ECLogClose(hWndMain.load(), "%s", text.c_str());
        } catch (const std::exception& e) {
            ECLogClose(hWndMain.load(), "%s", e.what());
        }
        m_nState = 0;
    }
    if (m_StateFunc.empty()) {
        return;
    }
    const StateFunc fn = m_StateFunc[m_nState];
    if (fn != nullptr) {
        (this->*fn)();
    }
}

void cScene::RequestMusic(int nMusic)
{
    const int s = SystemData.MusicTable[nMusic];
    cSceneFlow& flow = SceneFlow();
    if (s == 0 || s != flow.m_nBgm) {
        flow.m_nBgm = s;
        SendMessage(hWndMain.load(), WM_PLAYBGM, static_cast<WPARAM>(nMusic), 0);
    }
}

BOOL cScene::LoadPictures(std::initializer_list<int> slots)
{
    if (!bDDReady.load()) {
        return TRUE;
    }
    if (!DDLoadSurfaces(lpSDTable, slots.begin(), static_cast<int>(slots.size()))) {
        PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
        return FALSE;
    }
    return TRUE;
}

void cScene::ReleasePictures(std::initializer_list<int> slots)
{
    if (lpSDTable == nullptr) {
        return;
    }
    for (int slot : slots) {
        if (slot >= 0 && slot < nSDCount) {
            DDReleaseSurface(&lpSDTable[slot]);
        }
    }
}

BOOL cScene::FadeInStep()
{
    if (bDDReady.load() && !DDFadeIn(PaletteBackup, 0, 255, 0, 0, 0, SceneFlow().m_nFadeSpeed, Palette, FALSE)) {
        return FALSE;
    }
    m_nState = 1;
    return TRUE;
}

BOOL cScene::FadeOutStep()
{
    if (!bDDReady.load()) {
        return TRUE;
    }
    if (!DDFadeOut(PaletteBackup, 0, 255, 0, 0, 0, SceneFlow().m_nFadeSpeed, Palette, FALSE)) {
        return FALSE;
    }
    DDFillSurfacePal(&BackBuffer, 16);
    return TRUE;
}

void cScene::LeaveScreen(int nOwnId, bool bKeepCursor)
{
    if (!bKeepCursor) {
        MenuCursor.Reset();
    }
    cSceneFlow& flow = SceneFlow();
    flow.m_nPrevScene = nOwnId;
    flow.m_nScene = flow.m_nNextScene;
}
