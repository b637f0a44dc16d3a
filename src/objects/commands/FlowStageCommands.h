// The flow, stage, target and status commands: the flow operation (action kind 16), the stage
// clear (17), the game wait (18), the target choice (21), the status operations (22, 23), the
// item get (24) and the run of code (36). The bodies of kinds 17 to 36 take (character, command
// definition) and are also the item commands 2 to 21, run for the player. Game thread only; the
// game wait blocks it while the stage's wait loop runs.
#pragma once

#include "objects/flow/FlowContext.h"

class cCharaBase;
class cEdCommand;

// Item gets nested deeper than this (an item whose list gets itself, or a cycle of items) are
// refused and logged.
constexpr int kMaxItemGetDepth = 8;

// Kind 16 "フローの操作": parameter 0 operation (0 start, 1 end, 2 pause, 3 resume, 4 delete,
// 5 stop for good), 1 scope (0 this flow, 1 every other flow, 2 the flows with ID parameter 2).
int FlowOperationCommand(const FLOWCONTEXT& ctx);

// Kind 17 "ステージクリア": the next stage, the world-map position (clamped to the map) and the
// carried start of the hero. Returns 1 (the stage is cleared).
int StageClearCommand(cCharaBase& chara, const cEdCommand& command);
// Kind 18 "ゲームウエイト": the play stands still for parameter 0 x 6 frames.
int GameWaitCommand(cCharaBase& chara, const cEdCommand& command);
// Kind 21 "ターゲットの設定": chooses the character's target and keeps the targeted-by lists.
int TargetCommand(cCharaBase& chara, const cEdCommand& command);
// Kind 23 "ステータスの操作2": a status flag of the character, its target or the system.
int StatusOperation2Command(cCharaBase& chara, const cEdCommand& command);
// Kind 24 "アイテムの取得": runs the command list of a palette item on the hero; the result of
// the list is the stage's result request.
int ItemGetCommand(cCharaBase& chara, const cEdCommand& command);
// Kind 36 "コードの実行": the command's text evaluated for the character.
int CodeCommand(cCharaBase& chara, const cEdCommand& command);

// Raises the stage's result request (1 clear, 2 the player dies) to nResult; a request is never
// lowered, so a clear asked for earlier in the sub-step is not lost to a later command without
// result; a clear outranks a pending death (cStageField::RequestResult).
void RequestStageResult(int nResult);

// Registers kinds 16, 17, 18, 21, 22, 23, 24 and 36 in the action-command table, with the message
// command and the item commands.
void InstallFlowStageCommands();
