// The replay save keys of stage play: F1 asks the main window to save the play in progress (Replay)
// and F2 the play before it (ReplayPrev). Saving with nothing recorded only sounds a notice, at
// most once every kReplayNoticeFrames frames while the key is held.
//
// A key that opened the save dialog opens it again only after it has been seen up, and the key
// state is released once the request has been served: a key-up swallowed by the modal dialog
// would otherwise reopen it every frame. A key held while nothing was recorded yet opens the
// dialog as soon as there is something to save. The notice's cool-down belongs to the caller's state that
// outlives a stage screen: it counts down only while the keys are checked, so a notice given just
// before leaving a play still holds back the next one when play starts again.
//
// Game thread (or the nested frame loop's thread while the game thread waits for it).
#pragma once

// Frames between two notices of an empty recording.
inline constexpr int kReplayNoticeFrames = 60;

class cReplayKeys {
public:
    // One check a frame. Does nothing and returns 0 in replay playback (nGameMode 4) or with
    // recording off (bRecording 0). nCoolDown: checks left before the next notice may sound
    // (0 at program start). 1 when a save request was served (the caller ends its frame).
    int Check(int nGameMode, int bRecording, int& nCoolDown);

private:
    bool m_bF1Served = false;  // F1 opened the dialog and has not been seen up since
    bool m_bF2Served = false;  // F2 likewise
};
