// ISummonStage: what the summon commands' launch asks of the running stage -- write a block into
// the map and place a character group. The stage-play screen implements it beside cStageField;
// the launch finds it through StageSummonService (cStageField.h). Positions are the launch's world pixels. Game thread.
#pragma once

class cEdBlock;
class cEdChara;
class cEdShot;

class ISummonStage {
public:
    virtual ~ISummonStage() = default;
    // A new launch of a toggling block summon begins: every cell may toggle once again.
    virtual void BeginBlockSummon() = 0;
    // The block summon of one formation member at (x, y), by the definition's summon mode.
    virtual void SummonBlockAt(double x, double y, int nOwnerFacing, const cEdShot& def, const cEdBlock& block) = 0;
    // The character summon of one formation member at (x, y) with its faction and facing.
    virtual void SummonCharaAt(double x, double y, int nFaction, int nFacing, int nOwnerFacing, const cEdShot& def,
                               const cEdChara& chara) = 0;
};
