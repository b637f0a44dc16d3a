// SetStage: puts the running stage into its starting condition at every (re)start of play.
#include "stage/cSceneStage.h"

#include <algorithm>

#include "core/ReportLog.h"
#include "definitions/cEdStage.h"
#include "graphics/FrameTiming.h"
#include "input/cInput.h"
#include "input/cReplay.h"
#include "input/cReplaySaveData.h"
#include "objects/TextObjects.h"
#include "platform/win/Random.h"
#include "platform/win/Time.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "screenbase/cMenuCursor.h"
#include "stage/StageShellFlags.h"
#include "stage/collision/SubStepCheck.h"

namespace {

bool AnySide(const cEdOffScreenLimit& limit)
{
    return limit.m_bLeft != 0 || limit.m_bRight != 0 || limit.m_bTop != 0 || limit.m_bBottom != 0;
}

}  // namespace

void cSceneStage::SetStage(int bRestart, int bMusic)
{
    ECLog("In SetStage");
    m_bInSetUp = true;
    m_bFailed = false;
    m_nFrame = 0;
    ClearObjects();

    if (bRestart) {
        if (SceneFlow().m_nGameMode == GAMEMODE_REPLAY) {
            ReplaySaveData.Restart();
        }
        Stage.CopyHeader(StageBackup);
    }
    TakeSeed();
    if (Stage.m_bTakeOverHero != 0) {
        const int hero = Stage.FindHero();
        if (hero >= 0) {
            SaveData.RestoreCharaStatus(0, Stage.m_PlacedChara[hero], Stage);
        }
    }
    RequestStageMusic(bMusic != 0);
    SceneFlow().m_nBgm = 0;
    // Objects are numbered from 0 at every start, so a restarted play (a looping replay among
    // them) numbers its objects as the first start did.
    m_nCharaId = 0;
    m_nItemId = 0;
    m_nShotSerial = 0;
    Stage.SetSpeedLevel(Stage.m_nSpeedLevel);

    if (!BuildField()) {
        // The map could not be built: the close is on its way and no state runs until then.
        m_bFailed = true;
        m_bInSetUp = false;
        return;
    }
    m_bEraseChara = AnySide(Stage.m_OffScreen[0]) ? 1 : 0;
    m_bEraseBlockChara = AnySide(Stage.m_OffScreen[1]) ? 1 : 0;
    m_bEraseItem = AnySide(Stage.m_OffScreen[2]) ? 1 : 0;
    ClearTextObjects(m_TextList);
    m_CodeErrors.Reset();
    ResetStageEffects();
    m_ScreenColor.Reset();
    m_Wait.nReserved = 0;

    m_SubStepCheck = BuildSubStepCheck(Stage.m_nSubSteps, Stage.m_nContactLevel);
    ResetCounters();
    if (SceneFlow().m_nGameMode == GAMEMODE_REPLAY || (StageShell.bTestPlay && StageShell.bDirectPlay)) {
        SaveData.ClearScore();
    }
    SaveData.SaveRetryPoint();

    for (std::size_t i = 0; i < Input.size(); ++i) {
        Input.data()[i].ClearHistory();
        Input.data()[i].ResetKeyLog();
    }
    MenuCursor.Reset();
    CheckOneSecond(0, Stage.m_nFps);
    for (std::size_t i = 0; i < Stage.m_Background.size(); ++i) {
        Stage.m_Background.data()[i].m_dOffsetX = 0.0;
        Stage.m_Background.data()[i].m_dOffsetY = 0.0;
    }
    // The 8-bit device palette is set again here by the stage drawing.
    SceneFlow().nTargetFps = Stage.m_nFps;

    FireStartTrigger();
    UpdateObjectFlags();
    m_nStageFlag = Stage.m_bShowHud;
    LeaveVirtualBackBuffer();
    m_bInSetUp = false;
    ECLog("Out SetStage");
}

void cSceneStage::TakeSeed()
{
    if (SceneFlow().m_nGameMode == GAMEMODE_REPLAY) {
        m_nSeed = Replay.nSeed;
        Replay.Rewind();
    } else if (SystemData.bReplayEnabled != 0) {
        SaveDataAtStartPrev = SaveDataAtStart;
        SaveDataAtStart = SaveData;
        ReplayPrev = Replay;
        Replay.Clear();
        m_nSeed = timeGetTime();
        Replay.nSeed = static_cast<std::int32_t>(m_nSeed);
    }
    SRand(m_nSeed);
}

void cSceneStage::ResetCounters()
{
    m_nResult = 0;
    m_nBannerCount = 0;
    m_nBannerCount2 = 0;
    if (Stage.m_bTimeLimit != 0) {
        m_bNoTimeLimit = 0;
        m_nTime = std::clamp(Stage.m_nTimeLimit, 0, 999);
    } else {
        m_nTime = 999;
        m_bNoTimeLimit = 1;
    }
    m_nPlayFrames = 0;
    m_nPlayTime = 0;
    m_nNextStage = 0;
    m_nSubStep = 0;
    m_nSubStepTotal = 0;
    SaveData.nTotalScore = 0;
}

void cSceneStage::RequestStageMusic(bool bMusic)
{
    const bool bSame = Stage.m_nBgm == SaveData.nStageBgm;
    if (!bSame) {
        PlayBgm(Stage.m_nBgm, Stage.m_bBgmLoop);
    } else if (bMusic && (!Stage.m_bBgmKeep || Stage.m_nBgm == 0)) {
        // The same music starts again unless the stage keeps it playing; music 0 is always sent
        // again, so that silence stays silence.
        PlayBgm(Stage.m_nBgm, Stage.m_bBgmLoop);
    }
}
