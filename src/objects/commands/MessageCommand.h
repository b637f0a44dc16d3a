// The message command ("メッセージ", action kind 19 and item kind 4): a text object from the
// command's text and its 17 parameters, optionally replacing or erasing the message of an ID and
// optionally stopping the play while it is shown. Game thread only; a blocking message waits
// for the stage's wait loop.
//
// Parameters: 0 position mode; 1, 2 cells; 3, 4 dots; 5 keep inside the screen; 6 duration mode
// (0 until the advance key, 1 until the stage ends, 2 timed); 7 time in tenths of a second; 8 stop
// the play while shown (the time then also runs during waits); 9 expand escapes; 10 screen-fixed;
// 11 periodic refresh; 12 has an ID; 13 the ID; 14 message window; 15 erase the message of the
// ID; 16 refresh period in frames.
#pragma once

#include "objects/flow/FlowContext.h"

class cCharaBase;
class cEdCommand;

// bContinuation: the message continues a conversation (no opening animation, no sound).
int MessageCommand(cCharaBase& chara, const cEdCommand& command, int bContinuation);
// Registers the action kind 19 and the item kind 4.
void InstallMessageCommands();
