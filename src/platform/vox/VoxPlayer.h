// The OGG player library's interface: what the music manager calls on a player.
//
// The library (libvox.so, loaded at run time) exports CreateVox, which makes one player. A player
// plays one Ogg Vorbis file at a time into the audio mixer, looping without a gap when asked.
// The operations keep the order of the library's operation table: 0 open, 1 play, 2 stop,
// 3 reset, 4 set loop, then the places the manager does not call, and 9 destroy. Calls come from
// the main thread and the game thread; the player locks inside.
#pragma once

class VoxPlayer {
public:
    // 0: opens an Ogg Vorbis file (a game path: Shift-JIS, '\' separators). Nonzero when the file
    // is a readable Vorbis stream of 1 or 2 channels; output does not start.
    virtual unsigned char Open(const char* szPath) = 0;
    // 1: starts playing from the current position (the start after Open); returns at once.
    virtual void Play() = 0;
    // 2: stops the output; the file stays open.
    virtual void Stop() = 0;
    // 3: stops, closes the file, loop count back to 0. Safe at any time.
    virtual void Reset() = 0;
    // 4: 0x7FFFFFFF repeats endlessly; 0 plays once; n plays n more times after the first.
    virtual void SetLoop(int nCount) = 0;
    // 5: nonzero while the output runs (it stops by itself at the end without loops).
    virtual int IsPlaying() = 0;
    // 6..8: not used by the manager.
    virtual void Reserved6() {}
    virtual void Reserved7() {}
    virtual void Reserved8() {}
    // 9: stops and frees the player; the pointer is not used again.
    virtual void Destroy() = 0;

protected:
    ~VoxPlayer() = default;  // players are freed through Destroy only
};

// The library's entry point: a new player, or nullptr when memory runs out.
using CREATEVOX = VoxPlayer* (*)();
constexpr int VOX_LOOP_ENDLESS = 0x7FFFFFFF;
