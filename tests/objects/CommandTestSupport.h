// A small running stage for the command tests: the stage's speed level and gravity, a camera over
// a 40 x 30 tile stage showing its top-left corner, an empty block map, the hero and one stage
// character, and a flow owner that runs one command of the character's own through the flow
// runtime and the command table, then moves the character as the play step does.
#pragma once

#include <cstdint>
#include <memory>

#include "FlowTestSupport.h"
#include "definitions/cEdCommand.h"
#include "objects/StageObjects.h"
#include "objects/cStageField.h"

class cCommandTestField : public cStageField {
public:
    int CheckBlockCond(MAPCELL&) override { return 1; }
};

// The flow owner of one character.
class cCommandOwner : public cTestFlowOwner {
public:
    cCharaBase* chara = nullptr;
    cCharaBase* Chara() override { return chara; }
};

class cCommandTestStage {
public:
    static constexpr int kTilesX = 40;
    static constexpr int kTilesY = 30;
    static constexpr int kPitchShift = 6;  // 64 cells a row covers the 60 of the field

    // Speed level (b sub-steps per frame) and gravity in pixels per frame squared.
    cCommandTestStage(int nSpeedLevel, double fGravity);
    ~cCommandTestStage();
    cCommandTestStage(const cCommandTestStage&) = delete;
    cCommandTestStage& operator=(const cCommandTestStage&) = delete;

    // A stage character with a 32 x 32 hit box at world (x, y), flying or walking, facing
    // (1 right), computer-operated, fixed facing off; object number 100.
    cChara& AddChara(double x, double y, int bFlying, int nFacing);
    // The hero with a 32 x 32 hit box at (x, y), object number 1, walking.
    cPlayer& SetupHero(double x, double y);
    // Makes the block of the field cell (column, row) solid.
    void SetSolid(int nColumn, int nRow);

    // A command of kind nKind lasting nTenths tenths of a second, with a default movement record
    // when bMove; parameters as the kind's count (20 slots).
    static cEdCommand MakeCommand(int nKind, int nTenths, bool bMove);
    // Gives the character one flow (trigger 0) made of command, sets its instance up with the
    // character's facing and starts it. Returns the instance.
    COMMANDINSTANCE& Give(cCharaBase& chara, const cEdCommand& command);
    // One sub-step as the play step runs it for the character: the base velocity and resets of
    // the flow run, the flow's step, gravity, both movement steps and the screen rectangle.
    // Returns 1 while the flow still runs.
    int SubStep();

    cCommandTestField field;
    cCommandOwner owner;
};
