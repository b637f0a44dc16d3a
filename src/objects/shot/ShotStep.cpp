#include "objects/shot/ShotStep.h"

#include "definitions/cEdStage.h"
#include "objects/shot/cShot.h"

void StepShots(std::list<cShot>& list, bool bFirstSubStep)
{
    for (auto it = list.begin(); it != list.end();) {
        cShot& shot = *it;
        if (shot.Update()) {
            it = EraseShot(list, it);
            continue;
        }
        shot.ApplyGravity();
        shot.MoveY();
        shot.MoveX();
        if (bFirstSubStep && shot.isShot &&
            shot.IsOutOfLimits(Stage.m_OffScreen[shot.value2 == 0 ? OFFSCREEN_HERO_SHOT : OFFSCREEN_CHARA_SHOT])) {
            it = EraseShot(list, it);
            continue;
        }
        if (shot.HitsBlock()) {
            it = EraseShot(list, it);
            continue;
        }
        ++it;
    }
}

void UpdateShotFlags(std::list<cShot>& list)
{
    for (cShot& shot : list) {
        shot.active = 1;
        shot.inView = shot.IsInView() ? 1 : 0;
    }
}
