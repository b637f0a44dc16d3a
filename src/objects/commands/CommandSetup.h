// The set-up of one command instance when a character's flows are created: the duration of a
// run, the movement values (direction, speed, maximum speed) and the per-kind set-up of the
// moves and the jump (angles, target offsets, circle radius and angles, homing interval, jump
// speed and length). Done once per instance, so the handlers only read what is prepared here.
// Game thread only.
#pragma once

#include <cstdint>

class cCharaBase;
class cEdCommand;
struct COMMANDINSTANCE;

// A per-kind set-up: (instance, character, facing at set-up: 1 right, 0 left).
using CommandInitFunc = void (*)(COMMANDINSTANCE& inst, cCharaBase& chara, int nFacing);

class CommandInitTable {
public:
    static constexpr int kKindCount = 37;

    // The set-up of nKind, or null for a kind without one and for a kind outside 0..36.
    static CommandInitFunc Find(int nKind);
};

// Prepares inst for command (the character's own copy of the definition): definition link,
// duration = (base + step x memberIndex) x b x 6 sub-steps, and for a command with a movement
// record its direction code, speed (tenths per frame / b) and maximum speed; then the kind's own
// set-up with nFacing. The jump rewrites the definition's duration base (see the .cpp).
void SetupCommandInstance(COMMANDINSTANCE& inst, cEdCommand& command, cCharaBase& chara, int nFacing);

// Parameter i of a command, 0 when its vector is shorter (a command read from a file may carry
// fewer parameters than its kind uses).
std::int32_t CommandParam(const cEdCommand& command, int i);
