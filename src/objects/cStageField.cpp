#include "objects/cStageField.h"

#include "core/ReportLog.h"
#include "objects/TextObjects.h"
#include "objects/shot/cShot.h"

cStageField* lpStageField = nullptr;

namespace {

// The service of the running stage that member picks, reporting a missing one once per field.
template <class T>
T* Service(T* STAGESERVICES::*member, int nBit, const char* szName)
{
    if (lpStageField == nullptr) {
        return nullptr;
    }
    T* service = lpStageField->m_Services.*member;
    if (service == nullptr && (lpStageField->m_nMissingServices & nBit) == 0) {
        lpStageField->m_nMissingServices |= nBit;
        ReportLog("The running stage offers no %s service", szName);
    }
    return service;
}

}  // namespace

IFlowStage* StageFlowService()
{
    return Service(&STAGESERVICES::flow, 1, "flow");
}

ISummonStage* StageSummonService()
{
    return Service(&STAGESERVICES::summon, 2, "summon");
}

IStageCommands* StageCommandService()
{
    return Service(&STAGESERVICES::commands, 4, "stage command");
}

cStageField::cStageField()
{
    ResetField();
}

cStageField::~cStageField() = default;

void cStageField::ResetField()
{
    m_nResult = 0;
    m_ScrollX = cScroll{};
    m_ScrollY = cScroll{};
    m_ScrollY.nAxis = 1;
    m_ScrollY.nView = 480;
    m_CharaLayer.Reset(kFactionCount);
    m_ShotLayer.Reset(kFactionCount);
    m_pCurrentObject = nullptr;
    m_nSubStep = 0;
    m_nSubStepTotal = 0;
    m_bHpCheck = 0;
    m_StageVar.Reset(kStageVarCount);
    m_LinkFlag.Reset(kLinkFlagCount);
    m_nCharaId = 0;
    m_nItemId = 0;
    m_nShotSerial = 0;
    m_ShotList.clear();
    ClearTextObjects(m_TextList);
    m_CodeErrors.Reset();
    ResetStageEffects();
}

void cStageField::ResetStageEffects()
{
    m_EffectList.clear();
    m_PictureList.clear();
    m_ScrEffect = cScrEffectRun{};
}

namespace {

// The rank of a stage result: 0 none, 1 the player dies, 2 the stage is cleared.
int ResultRank(int nResult)
{
    return nResult == 1 ? 2 : (nResult == 2 ? 1 : 0);
}

}  // namespace

void cStageField::RequestResult(int nResult)
{
    if (nResult != 1 && nResult != 2) {
        return;
    }
    if (ResultRank(nResult) > ResultRank(m_nResult)) {
        m_nResult = nResult;
    }
}
