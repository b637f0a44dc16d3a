// The stage-play screen's life: construction, the frame entry, entering the screen and the reset
// of a first entry. The states are in cSceneStageStates.cpp, the nested loops in
// cSceneStageWait.cpp, the set-up in SetStage.cpp and the play frame in PlayFrame.cpp.
#include "stage/cSceneStage.h"

#include "definitions/cEdStage.h"
#include "input/cReplay.h"
#include "objects/TextObjects.h"
#include "platform/win/Time.h"
#include "project/cSaveData.h"
#include "screenbase/cMenuCursor.h"
#include "stage/StageEffectLink.h"
#include "stage/StageShellFlags.h"
#include "stage/ranking/cRanking.h"

namespace {}  // namespace

cSceneStage* lpSceneStage = nullptr;

cSceneStage::cSceneStage()
{
    SetStates<cSceneStage>({&cSceneStage::FadeIn, &cSceneStage::Start, &cSceneStage::Play, &cSceneStage::Pause,
                            &cSceneStage::Clear, &cSceneStage::Miss, &cSceneStage::GameOver, &cSceneStage::FadeOut});
    m_Services = STAGESERVICES{this, this, this};
    m_Wait.nReserved = 0;
    m_bQuit = 0;
    SaveData.nStageBgm = 0;
    m_nState = -1;
    // Every entry into the screen starts from a defined seed: the millisecond clock (the virtual
    // clock in tests). With replay recording on, SetStage takes a new one at every start; with it
    // off, retries inside this entry reuse this one, so their random sequence repeats.
    m_nSeed = timeGetTime();
    lpSceneStage = this;
    lpStageField = this;
    lpEffectStage = StageEffectLink();
}

cSceneStage::~cSceneStage()
{
    // The texts on screen hold surfaces of the drawing back-end, which closes after the screens.
    ClearTextObjects(m_TextList);
    ReleaseStageBitmaps();
    if (lpSceneStage == this) {
        lpSceneStage = nullptr;
        lpEffectStage = nullptr;
    }
    if (lpStageField == static_cast<cStageField*>(this)) {
        lpStageField = nullptr;
    }
}

void cSceneStage::Main()
{
    // A stage that could not be set up runs no state until the close it asked for arrives.
    if (m_bFailed) {
        return;
    }
    // Each state draws itself: the states around play show the stage frozen under their banners
    // and menus, on the frames their step does not end early.
    RunFrame(-1);
}

void cSceneStage::Init()
{
    m_RankReached.resize(kRankTables, 0);
    m_RankValue.resize(kRankTables, 0);
    const bool bRestart = SceneFlow().m_nPrevScene == SCENE_STAGE;
    if (!LoadStagePictures(bRestart)) {
        m_bFailed = true;  // the close is on its way; no state runs until then
        return;
    }
    if (!bRestart) {
        ResetStage();
        ConsumeLife(SaveData);
    }
    SetStage(bRestart ? 1 : 0, 1);
    MenuCursor.Reset();
    m_nSubState = 0;
}

void cSceneStage::ResetStage()
{
    SaveData.nLives = SaveData.nStartLives;
    SaveData.nTotalScore = 0;
    SaveData.nRunScore = 0;
    SaveData.nRunValue1 = 0;
    SaveData.nRunValue2 = 0;
    SaveData.nRunValue3 = 0;
    SaveData.nRunValue4 = 0;
    SaveData.bStartPos = 0;
    ResetCamera();
    m_nSubState = 0;
    m_nBannerCount = 0;
    m_nBannerCount2 = 0;
    m_bButtonLatch = 0;
    m_nTime = 0;
    m_bRankEntered = 0;
    ClearTextObjects(m_TextList);
    if (SceneFlow().m_nGameMode != GAMEMODE_REPLAY) {
        Replay.Clear();
        ReplayPrev.Clear();
    }
    if (StageShell.bDirectPlay) {
        SaveData.nStageNo = 1;
    }
    if (SceneFlow().m_bRanking) {
        Ranking.LoadFile(SceneFlow().m_nPlayKind, RankingStageName(Stage.m_strPath).c_str());
    }
}

void cSceneStage::EnterClearState()
{
    if (m_bInSetUp) {
        m_bClearDuringSetUp = true;
        return;
    }
    m_nSubState = 0;
    m_nState = STAGESTATE_CLEAR;
}

void cSceneStage::EnterStateAfterSetUp(int nState)
{
    if (m_bClearDuringSetUp) {
        m_bClearDuringSetUp = false;
        m_nSubState = 0;
        m_nState = STAGESTATE_CLEAR;
        return;
    }
    m_nState = nState;
}

int cSceneStage::FrozenMessageLine() const
{
    // A stage-clear display that waits for a manual ranking entry shows its own line instead.
    const bool bOwnLine = m_nState == STAGESTATE_CLEAR && Stage.m_bSkipResults == 0 && !m_bRankEntered &&
                          RankReached() && RankingMode() <= 1;
    return bOwnLine ? 0 : 1;
}
