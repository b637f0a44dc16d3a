#include "stage/StageEffectLink.h"

#include "graphics/BackEnd.h"
#include "stage/cSceneStage.h"

namespace {

class cStageEffectLink : public IEffectStage {
public:
    int EffectQuitRequested() const override { return lpSceneStage != nullptr && lpSceneStage->m_bQuit ? 1 : 0; }

    void RunEffectWait(int nMode, int bWaitKey, int nCount) override
    {
        if (lpSceneStage == nullptr) {
            return;
        }
        lpSceneStage->SetWaitMode(nMode, bWaitKey, nCount, 0);
        lpSceneStage->RunWait(false);
    }

    void SetScreenColor(const cEdCommand& /*command*/) override
    {
        // The command's colour is handed to the screen colour here once the screen colour exists.
    }

    void ScreenEffectStarted(int nNumber) override
    {
        if (nNumber == 0 && lpDTCon != nullptr && lpDTCon->bVirBackBuffer) {
            DDSetVirBackBuffer(FALSE);
        }
    }

    void PlayStageBgm(int /*nEntry*/, int /*nFlag*/) override
    {
        // The entry is played in the stage's music slot here once the stage music exists.
    }
};

}  // namespace

IEffectStage* StageEffectLink()
{
    static cStageEffectLink link;
    return &link;
}
