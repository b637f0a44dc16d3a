// The summon commands' requests to the running stage: the launch of the shot machinery hands each
// formation member's place here, and the stage writes the block or places the character.
#include "definitions/cEdShot.h"
#include "objects/StageObjects.h"
#include "project/cSystemData.h"
#include "stage/StageGeometry.h"
#include "stage/cSceneStage.h"

void cSceneStage::BeginBlockSummon()
{
    m_SummonedCells.clear();
}

void cSceneStage::SummonBlockAt(double x, double y, int nOwnerFacing, const cEdShot& def, const cEdBlock& block)
{
    BLOCKSUMMONPARAMS params;
    params.nMode = def.m_nBlockSummon;
    params.bProtectAlways = SystemData.bSummonVariant != 0 ? 1 : 0;
    SummonBlock(x, y, nOwnerFacing, params, block);
}

void cSceneStage::SummonCharaAt(double x, double y, int nFaction, int nFacing, int nOwnerFacing, const cEdShot& def,
                                const cEdChara& chara)
{
    (void)nOwnerFacing;
    // The launch places in world pixels; a summoned group is placed in pixels of the stage (the
    // field's margin is added again there), so the character lands where the formation put it.
    SummonChara(CharaList, x - kFieldMarginPx, y - kFieldMarginPx, nFaction, nFacing, 0, chara, m_nCharaId,
                SummonLifetime(def.m_bLimitTime, def.m_nLifeTime));
}
