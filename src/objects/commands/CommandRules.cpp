#include "objects/commands/CommandRules.h"

#include "definitions/cEdCommand.h"
#include "objects/ObjectSounds.h"
#include "objects/StageSpeed.h"
#include "objects/chara/cCharaBase.h"
#include "objects/flow/CommandInstance.h"

int RepeatActsNow(const COMMANDINSTANCE& inst)
{
    return inst.frame == 0 ? 1 : 0;
}

void AdvanceRepeat(COMMANDINSTANCE& inst)
{
    if (++inst.frame >= 6 * SubStepCount()) {
        inst.frame = 0;
    }
}

void PlayCommandSound(const COMMANDINSTANCE& inst, const cCharaBase& chara, int bOnlyInViewRule)
{
    if (inst.command == nullptr) {
        return;
    }
    if (bOnlyInViewRule && inst.command->m_bSoundOnScreen != 0 && chara.inView == 0) {
        return;
    }
    PlayObjectSound(inst.command->m_nSound);
}
