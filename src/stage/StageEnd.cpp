// The counters of a play and the end of a stage: the play time, the time limit, lives, the run's
// totals and the extra lives they earn, the stage music request, the end of the player's death,
// and the choice of the screen that follows a cleared stage.
//
// The play time counts 60 frames to the second whatever the stage's own frame rate, and so does
// the time limit: a stage running at 30 frames a second counts both at half speed. Stored
// rankings and replays were made with this rule, so it is kept.
#include <algorithm>
#include <cstdint>
#include <string>

#include "core/AppGlobals.h"
#include "core/MainWindowRequests.h"
#include "core/Paths.h"
#include "core/ReportLog.h"
#include "definitions/LoadStage.h"
#include "definitions/cEdStage.h"
#include "graphics/FrameTiming.h"
#include "input/cReplay.h"
#include "objects/StageObjects.h"
#include "objects/TextObjects.h"
#include "platform/win/Messages.h"
#include "platform/win/Time.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "screenbase/cMenuCursor.h"
#include "sound/SoundEffects.h"
#include "stage/StageShellFlags.h"
#include "stage/cSceneStage.h"

namespace {

constexpr int kStageExt = 1;            // "stg4" in ExtTable
constexpr int kChallengeFilePath = 42;  // "user_data\challenge\Challenge.dat" in PathTable
constexpr int kPlayFramesPerSecond = 60;
constexpr int kMaxPlayTime = 599999;  // 99:59.99
constexpr int kMaxTime = 999;
constexpr int kMaxLives = 99;
constexpr int kExtraLifeNoticeFrames = 30;
constexpr int kExtraLifeIconKind = 3;  // the text object of the built-in extra-life icon

// a + b, held at the int range: totals from a damaged save file must not overflow.
std::int32_t AddHeld(std::int32_t a, long long b)
{
    const long long sum = static_cast<long long>(a) + b;
    return sum > INT32_MAX ? INT32_MAX : sum < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(sum);
}

}  // namespace

void cSceneStage::CountPlayTime()
{
    if (m_nPlayTime >= kMaxPlayTime) {
        return;
    }
    ++m_nPlayFrames;
    const long long t = static_cast<long long>(m_nPlayFrames) * 100 / kPlayFramesPerSecond;
    m_nPlayTime = t > kMaxPlayTime ? kMaxPlayTime : static_cast<int>(t);
}

int cSceneStage::CountTimeLimit(int nStep)
{
    if (m_bNoTimeLimit || !CheckOneSecond(1, kPlayFramesPerSecond)) {
        return 0;
    }
    m_nTime += nStep;
    if (m_nTime > kMaxTime) {
        m_nTime = kMaxTime;
        return 0;
    }
    if (m_nTime <= 0) {
        m_nTime = 0;
        return 1;
    }
    return 0;
}

int cSceneStage::ConsumeLife(cSaveData& save)
{
    if (StageShell.bDirectPlay) {
        return 1;
    }
    if (save.nLives == cSaveData::kUnlimitedLives) {
        return 1;
    }
    if (save.nLives >= 1) {
        --save.nLives;
        return 1;
    }
    return 0;
}

int cSceneStage::AddStageTotals()
{
    const int nOld = SaveData.nRunScore;
    SaveData.nRunScore = AddHeld(SaveData.nRunScore, SaveData.nTotalScore);
    if (!m_bNoTimeLimit) {
        SaveData.nRunValue1 = AddHeld(SaveData.nRunValue1, m_nTime);
    }
    SaveData.nRunValue2 = AddHeld(SaveData.nRunValue2, m_nPlayTime);
    const cPlayer& hero = Player[P1];
    SaveData.nRunValue3 = AddHeld(SaveData.nRunValue3, hero.hp);
    SaveData.nRunValue4 = AddHeld(SaveData.nRunValue4, hero.sp);

    const int nStep = SystemData.nExtraLifeScore;
    if (SaveData.nLives == cSaveData::kUnlimitedLives || !SystemData.bExtraLifeByScore || nStep == 0) {
        return 0;
    }
    const int nLives = SaveData.nRunScore / nStep - nOld / nStep;
    int nAnnounced = 0;
    for (int i = 0; i < nLives; ++i) {
        // Never more than 99 after an extra life, also when the lives were already above it.
        SaveData.nLives = SaveData.nLives < kMaxLives ? SaveData.nLives + 1 : kMaxLives;
        PlaySE(SE_EXTRA_LIFE);
        ++nAnnounced;
        // The notice: the built-in icon above the player for the frames of the wait.
        m_TextList.emplace_back(cTextObj::IconParams(kExtraLifeIconKind, 0, 0, 0, Player[P1].source));
        const cTextObj* notice = &m_TextList.back();
        SetWaitMode(WAITMODE_EXTRALIFE, 0, kExtraLifeNoticeFrames, 0);
        RunWait(true);
        EraseTextObject(m_TextList, notice);
        if (m_bQuit) {
            break;
        }
    }
    return nAnnounced;
}

int cSceneStage::MakeNextStageFileName(std::string& out, int nNumber)
{
    out.clear();
    if (!SaveData.bWorldRun || m_nNextStage == 0 || SaveData.strStage.empty()) {
        return 0;
    }
    const std::string base = SaveData.strStage.substr(0, SaveData.strStage.size() - 1);
    const std::string name = base + "-" + std::to_string(nNumber) + "." + ExtTable[kStageExt];
    if (FindNewestNumberedFileStr(out, name, ExtTable[kStageExt].c_str())) {
        return 1;
    }
    out.clear();
    return 0;
}

int cSceneStage::IsLastStage(int nNumber)
{
    std::string name;
    return MakeNextStageFileName(name, nNumber) ? 0 : 1;
}

bool cSceneStage::LoadNextStage()
{
    if (!SaveData.bWorldRun || m_nNextStage == 0) {
        return false;
    }
    SaveData.nWorldStage = m_nNextStage;
    std::string name;
    if (!MakeNextStageFileName(name, m_nNextStage) || !LoadStage(name.c_str(), 1, &StageBackup)) {
        return false;
    }
    Replay.Clear();
    ReplayPrev.Clear();
    return true;
}

void cSceneStage::StoreCarriedState()
{
    if (!Stage.m_bHandOverHero) {
        return;
    }
    const int nPlayers = static_cast<int>(Player.size());
    for (int i = 0; i < nPlayers && i < static_cast<int>(SaveData.CarryChara.size()); ++i) {
        const cPlayer& p = Player[i];
        // The running character effect goes on in the next stage as its start effect: its number,
        // its mode and its loop flag.
        const cCharaEffectRun& effect = p.charaEffect;
        SaveData.StoreCharaStatus(i, p.def, p.hp, p.sp, effect.nNumber, effect.nMode, effect.bLoop, m_nTime,
                                  SaveData.nLives, SaveData.nStageBgm);
    }
}

int cSceneStage::FinishStory(int nSavedStage)
{
    if (LoadNextStage()) {
        return SCENE_STAGE;
    }
    const int nEntry = SaveData.nStageNo;
    if (nEntry >= 0 && nEntry < static_cast<int>(SaveData.StageClear.size())) {
        SaveData.StageClear[nEntry] = 1;
    }
    SaveData.SetHighScore(SaveData.strStage, SaveData.nRunScore);
    const int nAction = SaveData.nMapEntry != nullptr ? SaveData.nMapEntry->nAfterClear : 0;
    if (nAction == cWorldStage::kAfterClearTitle) {
        MenuCursor.m_pCur->nRow = SceneFlow().m_nGameMode;
        return SCENE_TITLE;
    }
    if (nAction == cWorldStage::kAfterClearNextLap) {
        SaveData.StartNextLap();
    }
    SaveData.nWorldStage = nSavedStage;
    return SCENE_WORLDMAP;
}

int cSceneStage::FinishChallenge(int nSavedStage)
{
    if (LoadNextStage()) {
        return SCENE_STAGE;
    }
    const int n = SaveData.nStageNo - 1;
    const int nWorlds = static_cast<int>(SaveData.WorldRecord.size());
    if (n >= 0 && n < nWorlds) {
        cIntPair& record = SaveData.WorldRecord[n];
        record.first = 1;
        if (SaveData.nRunScore > record.second) {
            SaveData.nBestTotal += SaveData.nRunScore - record.second;
            record.second = SaveData.nRunScore;
        }
        // The project's count of challenges bounds the open ones, not the length of a record
        // list read from a file made under another count.
        const int nCount = std::clamp(SystemData.nWorldCount, 0, cSaveData::kMaxWorldCount);
        if (SaveData.nWorldOpen <= SaveData.nStageNo) {
            SaveData.nWorldOpen = std::min(SaveData.nStageNo + 1, nCount);
        }
    } else {
        ECLogF("err V[%d] ( %d , %d )", n, 0, nWorlds);
    }
    if (!SaveData.SaveFile(PathTable[kChallengeFilePath].c_str())) {
        // The old record stays; the player should know that this clear was not kept.
        ReportLog("Challenge.dat could not be written: the challenge record was not saved");
    }
    SaveData.nWorldStage = nSavedStage;
    return SCENE_WORLDSELECT;
}

int cSceneStage::FinishStage()
{
    StoreCarriedState();
    const int nSavedStage = SaveData.nWorldStage;
    const int nMode = SceneFlow().m_nGameMode;
    if (nMode == 0 || nMode == 1) {
        return FinishStory(nSavedStage);
    }
    if (nMode == GAMEMODE_CHALLENGE) {
        return FinishChallenge(nSavedStage);
    }
    if (nMode == GAMEMODE_FREE) {
        if (StageShell.bDirectPlay || !SaveData.bWorldRun) {
            SaveData.bStartPos = 0;
            return SCENE_STAGE;
        }
        if (LoadNextStage()) {
            return SCENE_STAGE;
        }
        SaveData.nWorldStage = nSavedStage;
        return SCENE_TITLE;
    }
    if (nMode == GAMEMODE_REPLAY) {
        SaveData.LoadRetryPoint(true, SceneFlow().m_nPlayKind, StageShell.bDirectPlay != 0);
        return SCENE_STAGE;
    }
    return SCENE_WORLDSELECT;
}

void cSceneStage::EndPlayerDeath()
{
    if (SceneFlow().m_nGameMode == GAMEMODE_REPLAY) {
        SaveData.LoadRetryPoint(true, SceneFlow().m_nPlayKind, StageShell.bDirectPlay != 0);
        SetStage(1, 1);
        EnterStateAfterSetUp(STAGESTATE_START);
        return;
    }
    if (!ConsumeLife(SaveData)) {
        m_nSubState = 0;
        m_nState = STAGESTATE_GAMEOVER;
        return;
    }
    if (Stage.m_bHandOverHero) {
        SaveData.ClearFlaggedValues();
    }
    SaveData.LoadRetryPoint(false, SceneFlow().m_nPlayKind, StageShell.bDirectPlay != 0);
    if (SceneFlow().m_nPlayKind == cSaveData::kPlayStory && SystemData.bStoryMissMenu) {
        m_nSubState = 0;
        m_nState = STAGESTATE_MISS;
        return;
    }
    SetStage(1, 0);
    EnterStateAfterSetUp(STAGESTATE_START);
}

void cSceneStage::PlayBgm(int nBgm, int nFlag)
{
    SaveData.bStageBgmLoop = nFlag;
    SendMessage(hWndMain.load(), WM_PLAYBGM, BGM_SLOT_STAGE, static_cast<LPARAM>(nBgm));
}
