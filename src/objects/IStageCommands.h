// IStageCommands: what the flow, stage and message commands reach of the running stage-play
// screen beyond cStageField -- the next stage a stage clear chooses, the play-frame counter, the
// close request, and the nested wait loop that stops the play while a blocking command runs. The
// stage-play screen implements it beside cStageField; the commands find it through StageCommandService (cStageField.h).
// Game thread only (the wait itself runs on the stage's wait thread while the caller waits).
#pragma once

class IStageCommands {
public:
    virtual ~IStageCommands() = default;

    // The stage number a stage clear goes on to (0: the world is cleared).
    virtual void SetNextStage(int nStage) = 0;
    // Play frames since the stage was set up.
    virtual int PlayFrameCount() const = 0;
    // 1 while the program is closing: blocking commands start no wait.
    virtual int IsQuitting() const = 0;
    // Stops the play while the nested wait (mode, key wait, frames, no key delay) runs, and
    // returns when it has ended. bHandshake: the message command's start handshake and the wait
    // for the application to be active again afterwards.
    virtual void RunCommandWait(int nMode, int bWaitKey, int nCount, int bNoDelay, bool bHandshake) = 0;
    // The hero's view range has changed: its view mask is made again for the new range.
    virtual void ViewRangeChanged() = 0;
};
