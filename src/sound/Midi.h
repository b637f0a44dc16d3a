// cMidi: plays one Standard MIDI File through a MIDI stream.
//
// The song image (cMidiFile) is fed to the stream in two alternating buffers of 24000 bytes: while
// one plays, the next part of the song is converted into the other. A callback thread of the
// player's own refills a buffer when its last event has played and handles the end of the song
// (stop, or play again from the start when looping).
//
// Threads: the main thread (music requests) and the game thread (music option) call Restart,
// Stop and delete the player; the callback thread calls Out, Stop and Restart. One lock per
// player makes their work exclusive, and Close ends and joins the callback thread before the
// player is freed, so that no callback ever runs on a deleted player.
#pragma once

#include <array>
#include <vector>

#include "core/cThread.h"
#include "platform/midi/MidiStream.h"
#include "platform/win/ThreadLock.h"
#include "sound/MidiFile.h"

class cMidi : public cMidiFile {
public:
    static constexpr int kBuffers = 2;
    static constexpr DWORD kBufferSize = 24000;

    // Player states.
    static constexpr int kStopped = 0;
    static constexpr int kPlaying = 1;
    static constexpr int kPaused = 2;

    // Loads and converts the file; when a song image exists, opens the stream (Open).
    explicit cMidi(const char* szFileName);
    // Close, then the file's destruction.
    ~cMidi() override;

    // Sets up both buffers, starts the callback thread and waits until it can take messages, opens
    // the stream with the song's division, rewinds and queues the first buffer. Failures are
    // logged and the set-up goes on.
    void Open();
    // Only with a song: ends the callback thread, resets and closes the stream, frees the buffers.
    void Close();
    // Converts the next part of the song into the free buffer and queues it; nothing when the
    // song is fully converted or that buffer is still queued.
    void Out();
    // Sets the loop flag; unless playing, starts the stream (from a stop: queues the second
    // buffer too). Nothing without a song. The first start of the run opens the synthesiser
    // (OpenMidiSynth: the SoundFont, when the audio output can sound).
    void Restart(int bLoop);
    // bPause 0: stops and rewinds, queueing the beginning again. bPause nonzero: pauses while
    // playing. Nothing without a song.
    void Stop(int bPause);

    // Fills buffer lpHdr with stream events converted from the song at nPos; returns the song
    // bytes consumed. Every buffer ends with an event that asks for a callback.
    DWORD ConvertBuffer(DWORD nPos, MIDIHDR* lpHdr);

    // True when the stream was opened; a player without one stays silent.
    bool IsStreamOpen() const { return hStream != nullptr; }
    int GetState() const;

private:
    friend unsigned MidiThreadProc(void* lpParam);

    void EndCallbackThread();
    void OnPositionCallback(MIDIHDR* lpHdr);
    bool IsCurrentCallback(const MIDIHDR* lpHdr) const;
    void EndOfSongLocked();
    void OutLocked();
    void RestartLocked(int bLoop);
    void StopLocked(int bPause);
    bool SongLeft() const;
    std::size_t SongEnd() const;
    void LogResult(const char* szCall, MMRESULT result) const;
    HMIDIOUT OutHandle() const { return reinterpret_cast<HMIDIOUT>(hStream); }

    int nBuffer = 0;
    HMIDISTRM hStream = nullptr;
    std::array<MIDIHDR, kBuffers> lpHeader{};
    std::array<std::vector<char>, kBuffers> m_BufferData;
    DWORD nBufferSize = kBufferSize;
    DWORD nReadPos = kSongEventStart;
    int nState = kStopped;
    cThread hThread;
    int bLoop = 0;
    // Delta ticks of skipped meta events, added to the next event written (across buffers).
    DWORD m_nCarryDelta = 0;

    mutable ThreadLock m_Lock;
    bool m_bClosing = false;
    // Rewinds so far (each stop at the beginning starts a new pass through the song), and the
    // pass in which each buffer was last queued: a callback of an earlier pass is stale.
    unsigned m_nPass = 0;
    std::array<unsigned, kBuffers> m_QueuedPass{};
    // The end of the song was reached as the player was paused: the resume ends it.
    bool m_bEndedInPause = false;
};

// The callback thread: a message loop that handles MM_MOM_POSITIONCB until WM_QUIT.
unsigned MidiThreadProc(void* lpParam);
