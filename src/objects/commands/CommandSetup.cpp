#include "objects/commands/CommandSetup.h"

#include <array>
#include <cstdint>

#include "definitions/cEdCommand.h"
#include "objects/StageSpeed.h"
#include "objects/chara/cCharaBase.h"
#include "objects/flow/CommandInstance.h"
#include "objects/flow/FlowRuntime.h"

namespace {

constexpr int kKindStraight = 2;
constexpr int kKindPatrol = 3;
constexpr int kKindCircle = 4;
constexpr int kKindCharge = 5;
constexpr int kKindHoming = 6;
constexpr int kKindStayOnScreen = 7;
constexpr int kKindJump = 10;
constexpr int kMaxCircleRadius = 20;

// A value computed in 64 bits from 16-bit fields of untrusted files, limited to int32.
std::int32_t ClampInt(std::int64_t n)
{
    return n > INT32_MAX ? INT32_MAX : (n < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(n));
}

const cEdMove* MoveOf(const COMMANDINSTANCE& inst)
{
    return (inst.command != nullptr && inst.command->m_lpMove) ? inst.command->m_lpMove.get() : nullptr;
}

// The goal offsets in pixels, mirrored for a character facing right when the move asks.
void SetTargetOffsets(COMMANDINSTANCE& inst, const cEdMove& move, int nFacing)
{
    inst.targetX = move.m_nTargetDotX + 32 * move.m_nTargetX;
    inst.targetY = move.m_nTargetDotY + 32 * move.m_nTargetY;
    if (nFacing == 1) {
        if (move.m_bMirrorX) inst.targetX = -inst.targetX;
        if (move.m_bMirrorY) inst.targetY = -inst.targetY;
    }
}

void SpeedOrTime(COMMANDINSTANCE& inst, const cCharaBase& chara)
{
    const cEdMove* move = MoveOf(inst);
    if (move != nullptr && move->m_nTimeMode != 0) {
        cFlowRuntime::CalcMoveSpeedOrTime(inst, *inst.command, chara.memberIndex);
    }
}

// The angle of a straight or charge move: base + step x member, mirrored for facing right when
// asked, brought below 360 (a negative angle stays as it is).
void SetAngle(COMMANDINSTANCE& inst, const cEdMove& move, const cCharaBase& chara, int nFacing)
{
    int nAngle = move.m_nAngle + move.m_nAngleStep * chara.memberIndex;
    if (move.m_bMirrorAngle && nFacing == 1) {
        nAngle = 360 - nAngle;
    }
    if (nAngle >= 360) {
        nAngle %= 360;
    }
    inst.angle = nAngle;
}

void InitStraight(COMMANDINSTANCE& inst, cCharaBase& chara, int nFacing)
{
    const cEdMove* move = MoveOf(inst);
    if (move == nullptr) return;
    SetAngle(inst, *move, chara, nFacing);
    if (move->m_nMoveMode == 1) {
        SetTargetOffsets(inst, *move, nFacing);
    }
    SpeedOrTime(inst, chara);
}

void InitCharge(COMMANDINSTANCE& inst, cCharaBase& chara, int nFacing)
{
    const cEdMove* move = MoveOf(inst);
    if (move == nullptr) return;
    SetAngle(inst, *move, chara, nFacing);
    SetTargetOffsets(inst, *move, nFacing);
    SpeedOrTime(inst, chara);
}

void InitHoming(COMMANDINSTANCE& inst, cCharaBase& chara, int nFacing)
{
    const cEdMove* move = MoveOf(inst);
    if (move == nullptr) return;
    SetTargetOffsets(inst, *move, nFacing);
    inst.trailInterval = (move->m_nRadius + move->m_nRadiusStep * chara.memberIndex) * SubStepCount();
    SpeedOrTime(inst, chara);
}

// Patrol and stay-on-screen: only the time or speed from the distance.
void InitSpeedOrTimeOnly(COMMANDINSTANCE& inst, cCharaBase& chara, int)
{
    SpeedOrTime(inst, chara);
}

void InitCircle(COMMANDINSTANCE& inst, cCharaBase& chara, int nFacing)
{
    const cEdMove* move = MoveOf(inst);
    if (move == nullptr) return;
    const int m = chara.memberIndex;
    const int b = SubStepCount();
    int nOffset = 0;
    if (nFacing == 1) {
        if (move->m_bMirrorX) {
            if (inst.direction <= 1) inst.direction ^= 1;
            nOffset = 180;
        }
        if (move->m_bMirrorY && inst.direction <= 1) {
            inst.direction ^= 1;
        }
    }
    int nRadius = move->m_nRadius + move->m_nRadiusStep * m;
    nRadius = nRadius < 0 ? 0 : (nRadius > kMaxCircleRadius ? kMaxCircleRadius : nRadius);
    inst.radius = nRadius * 16 * b;
    // The second angle of a circle is kept in the distance fields of the movement record.
    inst.startAngle = ClampInt((static_cast<std::int64_t>(nOffset) + move->m_nAngle + move->m_nAngleStep * m) * b);
    inst.endAngle = ClampInt((static_cast<std::int64_t>(nOffset) + move->m_nDistance + move->m_nDistanceStep * m) * b);
    const std::int64_t nSpan = move->m_nDistance > move->m_nAngle
                                   ? static_cast<std::int64_t>(inst.endAngle) - inst.startAngle
                                   : static_cast<std::int64_t>(inst.startAngle) - inst.endAngle;
    const double fUnit = ScrollUnit();
    if (move->m_nTimeMode == 0) {
        // A run lasts at least one step, so a zero duration turns the whole span in that step.
        const int nSteps = inst.duration < 1 ? 1 : inst.duration;
        inst.speed = static_cast<double>(nSpan) / nSteps / fUnit;
    } else if (move->m_nTimeMode == 1) {
        if (inst.speed == 0.0) {
            // No angular speed: the circle ends at once instead of dividing by zero.
            inst.duration = 0;
            return;
        }
        double fTime = static_cast<double>(nSpan) / inst.speed / fUnit;
        if (fTime < 0.0) fTime = -fTime;
        inst.duration = fTime >= 2147483647.0 ? 2147483647 : static_cast<std::int32_t>(fTime);
    }
}

void InitJump(COMMANDINSTANCE& inst, cCharaBase& chara, int)
{
    cEdCommand& command = *inst.command;
    const int b = SubStepCount();
    inst.speed = chara.CalcJumpSpeed(CommandParam(command, 2));
    const int nTenths = chara.CalcJumpTime(inst.speed) / b / 6 + 1;
    command.m_nTime = static_cast<std::int16_t>(nTenths > 32767 ? 32767 : nTenths);
    inst.duration = command.m_nTime * b * 6;
}

constexpr std::array<CommandInitFunc, CommandInitTable::kKindCount> MakeInitTable()
{
    std::array<CommandInitFunc, CommandInitTable::kKindCount> table{};
    table[kKindStraight] = InitStraight;
    table[kKindPatrol] = InitSpeedOrTimeOnly;
    table[kKindCircle] = InitCircle;
    table[kKindCharge] = InitCharge;
    table[kKindHoming] = InitHoming;
    table[kKindStayOnScreen] = InitSpeedOrTimeOnly;
    table[kKindJump] = InitJump;
    return table;
}

constexpr std::array<CommandInitFunc, CommandInitTable::kKindCount> kInitTable = MakeInitTable();

}  // namespace

CommandInitFunc CommandInitTable::Find(int nKind)
{
    if (nKind < 0 || nKind >= kKindCount) {
        return nullptr;
    }
    return kInitTable[nKind];
}

std::int32_t CommandParam(const cEdCommand& command, int i)
{
    return (i >= 0 && i < static_cast<int>(command.m_Param.size())) ? command.m_Param[i] : 0;
}

void SetupCommandInstance(COMMANDINSTANCE& inst, cEdCommand& command, cCharaBase& chara, int nFacing)
{
    const int m = chara.memberIndex;
    const int b = SubStepCount();
    inst.command = &command;
    inst.duration = ClampInt((static_cast<std::int64_t>(command.m_nTime) + command.m_nTimeStep * m) * b * 6);
    if (command.m_lpMove) {
        const cEdMove& move = *command.m_lpMove;
        const double fUnit = ScrollUnit();
        inst.direction = static_cast<std::uint8_t>(move.m_nDirection);
        inst.speed = (move.m_nSpeed + move.m_nSpeedStep * m) * 0.1 / fUnit;
        if (move.m_bInertia) {
            inst.maxSpeed = move.m_nMaxSpeed * 0.1 / fUnit;
        }
    }
    if (CommandInitFunc init = CommandInitTable::Find(command.m_nKind)) {
        init(inst, chara, nFacing);
    }
}
