// Rules the command handlers share: the repetition period of the repeating commands (shots,
// summons and the facing change act on their first step and again every tenth of a second while
// they last) and the command's own sound effect. Game thread only.
#pragma once

class cCharaBase;
struct COMMANDINSTANCE;

// 1 on the steps a repeating command acts: its frame counter is 0.
int RepeatActsNow(const COMMANDINSTANCE& inst);
// Raises the frame counter at the end of a step, back to 0 when it reaches 6 x b (one tenth of a
// second of sub-steps).
void AdvanceRepeat(COMMANDINSTANCE& inst);
// Plays the command's sound effect (none for 0). With bOnlyInViewRule, a command whose
// only-in-view flag is set stays silent while the character is out of view.
void PlayCommandSound(const COMMANDINSTANCE& inst, const cCharaBase& chara, int bOnlyInViewRule);
