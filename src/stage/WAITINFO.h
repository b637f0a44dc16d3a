// The nested wait of the stage-play screen: what a blocking command (game wait, message, effect,
// picture) or the extra-life popup waits for while cSceneStage::WaitLoop runs on thPause.
// Written by the game thread before the loop starts and read by the loop; never by both at once.
#pragma once

// nMode values.
constexpr int WAITMODE_GAMEWAIT = 0;   // the game-wait command (a timed wait)
constexpr int WAITMODE_MESSAGE = 1;    // a message that stops the play
constexpr int WAITMODE_EFFECT = 2;     // an effect that waits for its animation (a timed wait)
constexpr int WAITMODE_PICTURE = 3;    // a picture that stops the play
constexpr int WAITMODE_EXTRALIFE = 4;  // the extra-life popup (30 frames)

// Frames during which a message wait that waits for the key ignores the decide button.
constexpr int kMessageKeyDelay = 10;

struct WAITINFO {
    int nMode = 0;      // WAITMODE_*
    int nKeyDelay = 0;  // frames left before the decide button counts
    int bWaitKey = 0;   // 1: ends on a fresh press of the decide button; 0: after nCount frames
    int nCount = 0;     // timed wait: frames left; the wait ends when it becomes negative
    int nReserved = 0;  // always 0

    // Fills the record: mode, key flag and count; nKeyDelay 10 for a key wait of a message
    // (mode 1) unless bNoDelay, else 0; the reserved field 0.
    void Set(int mode, int waitKey, int count, int noDelay);
    // One frame of the wait. bPressed: decide button down this frame; bPressedBefore: down the
    // frame before. True when the wait ends this frame (a key wait on a fresh press once the
    // delay is over, a timed wait once its count goes negative).
    bool Step(bool bPressed, bool bPressedBefore);
};
