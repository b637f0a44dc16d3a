// The hero's jump command: a jump whose height the jump key can control (held longer, it rises
// higher), or whose height follows the hero's run speed, starting only from the ground, with the
// extra push when jumping off a block character. Game thread only, inside the hero's flow run.
#pragma once

class cPlayer;
struct COMMANDINSTANCE;
struct FLOWINSTANCE;

// Jump parameters of the command (five ints): height mode, the run speed for the full height,
// the full height in half-blocks, the run speed below which the low height applies, the low
// height in half-blocks.
enum JUMPMODE {
    JUMP_FIXED = 0,      // "高さがキーで調節できない": the key counts as held
    JUMP_HOLD = 1,       // "高さがキーで調節できる": released early, the rise is cut
    JUMP_RUN_SPEED = 2,  // "慣性移動速度に応じて高さを決定": height from the run speed (and the key)
};

// One sub-step of the jump command inst of flow for the hero. The command's duration is the
// longest hold; the jump-hold counter is the hero's actsThisFrame.
void PlayerJump(cPlayer& hero, COMMANDINSTANCE& inst, const FLOWINSTANCE& flow);

// Whether the last key condition of the flow holds on the hero's controller now; 0 (and
// bHasKeys 0) for a flow without key conditions.
int IsJumpKeyHeld(const cPlayer& hero, const FLOWINSTANCE& flow, int& bHasKeys);
