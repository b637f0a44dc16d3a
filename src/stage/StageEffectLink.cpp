#include "stage/StageEffectLink.h"

#include "graphics/BackEnd.h"
#include "objects/commands/CommandSetup.h"
#include "stage/cSceneStage.h"

namespace {

// The screen-colour command's eight parameters, as SCREENCOLOR::Start reads them.
constexpr int kScreenColorParams = 8;

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

    void SetScreenColor(const cEdCommand& command) override
    {
        if (lpSceneStage == nullptr) {
            return;
        }
        int p[kScreenColorParams] = {};
        for (int i = 0; i < kScreenColorParams; ++i) {
            p[i] = CommandParam(command, i);
        }
        lpSceneStage->SetScreenColor(p);
    }

    void ScreenEffectStarted(int nNumber) override
    {
        if (nNumber == 0 && lpDTCon != nullptr && lpDTCon->bVirBackBuffer) {
            DDSetVirBackBuffer(FALSE);
        }
    }

    void PlayStageBgm(int nEntry, int nFlag) override
    {
        if (lpSceneStage != nullptr) {
            lpSceneStage->PlayBgm(nEntry, nFlag);
        }
    }
};

}  // namespace

IEffectStage* StageEffectLink()
{
    static cStageEffectLink link;
    return &link;
}
