// IEffectStage: what the graphics, effect, picture, screen and sound commands reach of the
// running stage-play screen beyond cStageField -- its close request, its nested wait, its screen
// colour and its music. The stage-play screen provides it for as long as it exists; the commands
// find it through lpEffectStage and do without it when it is null. Game thread only.
#pragma once

class cEdCommand;

class IEffectStage {
public:
    virtual ~IEffectStage() = default;
    // 1 while the close of the program has been asked for during a nested loop.
    virtual int EffectQuitRequested() const = 0;
    // Sets the wait record (mode, wait-for-key flag, frame count) and runs the nested wait until
    // it ends; the play step stays suspended meanwhile.
    virtual void RunEffectWait(int nMode, int bWaitKey, int nCount) = 0;
    // The screen-colour command's definition, handed on whole.
    virtual void SetScreenColor(const cEdCommand& command) = 0;
    // After the screen-effect command started entry nNumber: with none (0) running, the back-end's
    // virtual back buffer, which only screen effects need, is switched off.
    virtual void ScreenEffectStarted(int nNumber) = 0;
    // Bgm database entry nEntry in the stage's music slot, with the command's flag.
    virtual void PlayStageBgm(int nEntry, int nFlag) = 0;
};

// The running stage-play screen's side of the effect commands, or null.
extern IEffectStage* lpEffectStage;
