// The flow runtime: starting flows by their triggers, stepping them command by command once per
// play sub-step, ending, pausing, resuming and stopping them, the per-frame start bookkeeping,
// the flow list of a character, the timed extra animations of running flows, and the movement
// time of the movement commands' set-up. Every operation takes the character (cFlowOwner) it
// works on; commands run with an explicit FLOWCONTEXT. Game thread only, inside the play step.
//
// Settings read from SystemData: bTriggerRepeat (a flow may be offered to its trigger any number
// of times in a frame), bKeyMatchVariant (two consecutive key conditions may be met by the same
// press), bKeepNegativeTime (CalcMoveSpeedOrTime keeps a negative time).
#pragma once

#include <cstdint>

#include "objects/flow/FlowContext.h"

class cEdCommand;

// Trigger kinds of flows (the trigger byte of cEdFlow).
enum FLOWTRIGGER {
    TRIGGER_ALWAYS = 0,  // "常時": every sub-step
    TRIGGER_DAMAGED = 1,
    TRIGGER_IMPACT = 2,
    TRIGGER_DEATH = 3,  // "死亡した時"
    TRIGGER_TOUCH_CHARA = 4,
    TRIGGER_TOUCH_BLOCKCHARA = 5,
    TRIGGER_ON_BLOCKCHARA = 6,
    TRIGGER_SHOT = 7,
    TRIGGER_ITEM = 8,
    TRIGGER_BLOCK = 9,
    TRIGGER_BLOCK_SIDES = 10,
    TRIGGER_BLOCK_LEFT = 11,
    TRIGGER_BLOCK_RIGHT = 12,
    TRIGGER_BLOCK_UPDOWN = 13,
    TRIGGER_BLOCK_UP = 14,
    TRIGGER_BLOCK_DOWN = 15,
    TRIGGER_RIDDEN_BY_HERO = 16,
    TRIGGER_RIDDEN_BY_CHARA = 17,
    TRIGGER_STAGE_START = 18,  // "ステージ開始前": once by SetStage, immediate commands only
    TRIGGER_NONE = 19,         // only the flow operation command starts it
};

class cFlowRuntime {
public:
    // Offers every flow of the owner whose trigger is nKind a start (the flow-repeat rule, the
    // running, paused, stopped and started-this-frame tests, the exclusion groups of trigger 0,
    // the condition list, the key sequence), noting the input direction class of each flow it
    // starts.
    static void FireTrigger(cFlowOwner& owner, int nKind);
    // The key-sequence test of a start: 1 when the flow has no key conditions; with the key
    // level flag, whether the sequence matches; otherwise only when it starts to match (an
    // unchanged match of a grouped trigger-0 flow keeps its group blocked for the frame).
    static int CheckKeyConditions(cFlowOwner& owner, FLOWINSTANCE& flow);
    // Clears every flow's tried and started flags and the started-now group entries. Once per
    // frame, before the sub-steps.
    static void ResetFlowFrameFlags(cFlowOwner& owner);

    // The flows' part of the character's flow step, after its base velocity and resets: the
    // scheduled animations, then each flow in list order (the count re-read every pass): a
    // running flow without commands is ended; a running flow that is neither paused nor stopped
    // (with bDeathOnly only flows of trigger 3) is stepped and ended when it finishes. The step
    // stops at once (result 1) after a flow when the character has vanished, or, outside the
    // death step and for a flow of another trigger than 3, when its HP has reached 0. Otherwise
    // the flows marked for deletion are erased and the ended exclusion groups released (unless
    // bFinish is false: the caller has work to do first and calls FinishFlowStep itself); 0.
    static int StepFlows(cFlowOwner& owner, bool bDeathOnly, bool bFinish = true);
    // Erases the flows marked for deletion (when some are) and releases the exclusion groups
    // that ended (when some did).
    static void FinishFlowStep(cFlowOwner& owner);

    // Starts flow nFlow from its first command. A flow of trigger 18 runs its immediate
    // commands of kind 16 and above once each, at once, and ends.
    static void Start(cFlowOwner& owner, int nFlow);
    // One sub-step of flow nFlow: 1 when it has finished (its last command finished), else 0.
    // A flow that a command of its own started again or ended meanwhile is left as that
    // command left it (0).
    static int Step(cFlowOwner& owner, int nFlow);
    // Ends the flow (its commands stop; a grouped flow releases its group after the character's
    // flow step). Nothing when it does not run.
    static void End(cFlowOwner& owner, FLOWINSTANCE& flow);
    static void Pause(FLOWINSTANCE& flow) { flow.paused = 1; }
    static void Resume(FLOWINSTANCE& flow) { flow.paused = 0; }
    // Stops the flow for good: never offered a start or stepped again; running stays as it was.
    static void StopForever(cFlowOwner& owner, FLOWINSTANCE& flow);
    // Starts a run of a command: remain = duration, done and the per-run values cleared.
    static void ResetCommand(COMMANDINSTANCE& command);
    // One sub-step of the command at ctx: its handler, then remain - 1. 1 when its run is over.
    static int RunCommandFrame(const FLOWCONTEXT& ctx);

    // Re-links every instance to its definition (index, flow, command pointers).
    static void RelinkFlows(cFlowOwner& owner);
    // Appends instances at the end of the flow list (their definitions were appended to the
    // owner's definition list), then re-links.
    static void AppendFlows(cFlowOwner& owner, cVector<FLOWINSTANCE>& instances);
    // Ends flow nFlow, removes its extra animations, erases instance and definition, re-links.
    static void RemoveFlow(cFlowOwner& owner, int nFlow);
    // nId 0: every flow, result 0. Otherwise every flow with that ID; the result is the position
    // of the first one erased, -1 when none matched.
    static int RemoveFlowsById(cFlowOwner& owner, std::uint8_t nId);
    // Starts the scheduled extra animations of the running, not paused flows whose start frame
    // equals their frame counter.
    static void StartFlowAnimations(cFlowOwner& owner);

    // The movement set-up's time or speed: distance = base + step x k (base alone when step is
    // 0), times 16 unless given in dots; mode 1 speed = distance / duration, mode 2 duration =
    // distance / speed truncated, made positive unless bKeepNegativeTime; other modes nothing.
    // A duration of 0 counts as one step, a speed of 0 gives duration 0.
    static void CalcMoveSpeedOrTime(COMMANDINSTANCE& inst, const cEdCommand& command, std::int16_t k);

    // 1 for a message command (kind 19) whose parameters 6 and 15 are both 0: one shown until the
    // advance key that erases nothing.
    static int IsPlainMessage(const cEdCommand& command);
};
