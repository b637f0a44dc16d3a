// The summon commands' requests to the running stage: the launch of the shot machinery hands each
// formation member's place here, and the stage writes the block or places the character.
#include "definitions/cEdShot.h"
#include "objects/StageObjects.h"
#include "project/cSystemData.h"
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
    (void)def;
    SummonChara(CharaList, x, y, nFaction, nFacing, 0, chara, m_nCharaId);
}
