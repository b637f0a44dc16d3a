#include "objects/StageSpeed.h"

#include "definitions/cEdStage.h"

int SubStepCount()
{
    return Stage.m_nSubSteps < 1 ? 1 : Stage.m_nSubSteps;
}

double ScrollUnit()
{
    return Stage.m_dSubSteps < 1.0 ? 1.0 : Stage.m_dSubSteps;
}

double SubGravity()
{
    const double b = ScrollUnit();
    return Stage.m_dGravity / (b * b);
}

double StageGravity()
{
    return Stage.m_dGravity;
}

double SubMaxSpeed()
{
    return Stage.m_dSubMaxSpeed;
}

std::int32_t SummonLifetime(int bLimited, int nTenths)
{
    if (!bLimited) {
        return kUnlimitedLife;
    }
    const std::int64_t subSteps = static_cast<std::int64_t>(nTenths < 0 ? 0 : nTenths) * SubStepCount() * 6;
    return subSteps >= kUnlimitedLife ? kUnlimitedLife - 1 : static_cast<std::int32_t>(subSteps);
}
