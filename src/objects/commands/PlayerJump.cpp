#include "objects/commands/PlayerJump.h"

#include <cmath>

#include "definitions/cEdCommand.h"
#include "definitions/cEdFlow.h"
#include "objects/StageSpeed.h"
#include "objects/cStageField.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/chara/cPlayer.h"
#include "objects/commands/CommandRules.h"
#include "objects/commands/CommandSetup.h"
#include "objects/flow/CommandInstance.h"
#include "objects/flow/FlowInstance.h"

namespace {

// Jumping off a block character pushes a little harder (the single-precision value of 1.02).
constexpr double kFootholdJumpFactor = 1.0199999809265137;
// Releasing the key while rising keeps this share of the rising speed.
constexpr double kReleaseCut = 0.3;

// Height mode 2: the full height at or above the first run speed, the low height at or below
// the second, linear between them.
double RunUpJumpSpeed(const cPlayer& hero, const cEdCommand& command)
{
    const double u = SubStepCount() * 10.0;
    const double a = CommandParam(command, 1) / u;
    const double b = CommandParam(command, 3) / u;
    const double s = std::fabs(hero.ax);
    const int nHigh = CommandParam(command, 2);
    const int nLow = CommandParam(command, 4);
    int nHeight = nLow;
    if (s >= a) {
        nHeight = nHigh;
    } else if (s > b) {
        // s lies strictly between b and a here, so a is positive.
        nHeight = static_cast<int>((nHigh - nLow) * s / a + nLow);
    }
    return hero.JumpSpeedForHeight(nHeight * 16.0);
}

void AllowNextJump(cPlayer& hero)
{
    hero.actsThisFrame = 0;
    hero.canJump = 1;
    hero.jumpLocked = 0;
}

}  // namespace

int IsJumpKeyHeld(const cPlayer&, const FLOWINSTANCE& flow, int& bHasKeys)
{
    bHasKeys = (flow.flow != nullptr && !flow.flow->m_KeyCondition.empty()) ? 1 : 0;
    // Every player-operated character reads controller 0, the only one.
    return IsFlowKeyHeld(flow);
}

void PlayerJump(cPlayer& hero, COMMANDINSTANCE& inst, const FLOWINSTANCE& flow)
{
    if (hero.noGravity || hero.jumpDone || inst.command == nullptr) {
        return;
    }
    const cEdCommand& command = *inst.command;
    const int nMode = CommandParam(command, 0);
    int bHasKeys = 0;
    const int nKeyHeld = IsJumpKeyHeld(hero, flow, bHasKeys);
    const bool bHeld = nMode == JUMP_FIXED ? true : nKeyHeld != 0;
    if (nMode == JUMP_RUN_SPEED) {
        inst.speed = RunUpJumpSpeed(hero, command);
    }

    if (bHeld && !hero.floorNoJump) {
        ++hero.actsThisFrame;
        bool bRiseEnded = false;
        if (hero.actsThisFrame >= inst.duration) {
            if ((!hero.jumpRiseOver || hero.onFoothold) && hero.canJump && !hero.jumpLocked &&
                (hero.vy < 0.0 || hero.onFoothold)) {
                hero.jumpRiseOver = 1;
                hero.canJump = 0;
                bRiseEnded = true;
            }
        }
        if (!bRiseEnded && !hero.airborne && hero.actsThisFrame <= SubStepCount() &&
            (!hero.jumpRiseOver || hero.onFoothold) && hero.canJump && !hero.jumpLocked && !hero.knockedBack &&
            !inst.started) {
            hero.jumped = 1;
            if (!hero.onFoothold) {
                hero.vy = inst.speed;
                inst.started = 1;
                PlayCommandSound(inst, hero, 0);
            } else if (lpStageField != nullptr && lpStageField->m_nSubStep == SubStepCount()) {
                // Off a block character only in the frame's last sub-step, after the ride.
                hero.vy = inst.speed * kFootholdJumpFactor;
                hero.onFoothold = 0;
                inst.started = 1;
                PlayCommandSound(inst, hero, 0);
            }
        }
    } else {
        if (hero.actsThisFrame > 0 && hero.actsThisFrame < inst.duration && !hero.jumpRiseOver && !hero.jumpLocked &&
            !hero.floorNoJump && !hero.knockedBack) {
            hero.onFoothold = 0;
            if (hero.vy < 0.0) {
                hero.vy *= kReleaseCut;
            }
            hero.jumpRiseOver = 1;
        }
        AllowNextJump(hero);
    }

    if (hero.IsOnGround() && hero.vy >= 0.0) {
        if (!bHasKeys) {
            AllowNextJump(hero);
            hero.knockedBack = 0;
            inst.started = 0;
            hero.jumpDone = 1;
            return;
        }
        if (!bHeld) {
            AllowNextJump(hero);
            hero.knockedBack = 0;
            inst.remain = 0;
        }
    }
    hero.jumpDone = 1;
}
