// The MIDI stream interface: buffers of timed MIDI events played by a sequencer.
//
// Each open stream has a sequencer thread that plays the queued buffers in order, timing the
// events in ticks from the stream's division and tempo on the stand-in's clock
// (QueryPerformanceCounter; the virtual clock in tests, see SetMidiClockDriving).
// The played messages go to the process's synthesiser (MidiSynth.h) as it is when the stream
// starts. A stream opens stopped at tick 0: buffers can be queued without sound until
// midiStreamRestart.
//
// Callbacks (CALLBACK_THREAD) are thread messages posted to the given thread id: MM_MOM_OPEN,
// MM_MOM_CLOSE, MM_MOM_DONE (lParam = the returned header) and MM_MOM_POSITIONCB (lParam = the
// header whose event carried MEVT_F_CALLBACK; its dwOffset holds that event's byte offset).
// When that event is the last of its buffer, the buffer is returned before the position callback
// is posted, so the callback can refill it at once.
//
// A short message with status 0xFF is not sent (on a device it would be System Reset; the
// players use it as their end-of-song marker). Every call is thread-safe.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win/WinTypes.h"

using MMRESULT = UINT;
using DWORD_PTR = std::uintptr_t;

struct HMIDISTRM__;
using HMIDISTRM = HMIDISTRM__*;
struct HMIDIOUT__;
using HMIDIOUT = HMIDIOUT__*;  // a stream handle passed to the midiOut* calls, as the callers cast it

// Results.
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_BADERRNUM = 9;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MIDIERR_UNPREPARED = 64;
constexpr MMRESULT MIDIERR_STILLPLAYING = 65;

constexpr UINT MIDI_MAPPER = 0xFFFFFFFF;

// midiStreamOpen callback kinds.
constexpr DWORD CALLBACK_NULL = 0x00000000;
constexpr DWORD CALLBACK_THREAD = 0x00020000;

// Callback messages.
constexpr UINT MM_MOM_OPEN = 0x3C7;
constexpr UINT MM_MOM_CLOSE = 0x3C8;
constexpr UINT MM_MOM_DONE = 0x3C9;
constexpr UINT MM_MOM_POSITIONCB = 0x3CA;

// MIDIHDR flags.
constexpr DWORD MHDR_DONE = 0x00000001;
constexpr DWORD MHDR_PREPARED = 0x00000002;
constexpr DWORD MHDR_INQUEUE = 0x00000004;

// Stream event words: the kind in the high byte, a parameter in the low 24 bits.
constexpr DWORD MEVT_F_SHORT = 0x00000000;
constexpr DWORD MEVT_F_LONG = 0x80000000;
constexpr DWORD MEVT_F_CALLBACK = 0x40000000;
constexpr BYTE MEVT_SHORTMSG = 0x00;  // the message in the low 24 bits (status in bits 0-7)
constexpr BYTE MEVT_TEMPO = 0x01;     // microseconds per quarter note in the low 24 bits
constexpr BYTE MEVT_NOP = 0x02;
constexpr BYTE MEVT_LONGMSG = 0x80;  // byte count in the low 24 bits, bytes follow padded to 4
constexpr BYTE MEVT_EVENTTYPE(DWORD x)
{
    return static_cast<BYTE>((x >> 24) & 0xFF);
}
constexpr DWORD MEVT_EVENTPARM(DWORD x)
{
    return x & 0x00FFFFFF;
}

// midiStreamProperty flags.
constexpr DWORD MIDIPROP_SET = 0x80000000;
constexpr DWORD MIDIPROP_GET = 0x40000000;
constexpr DWORD MIDIPROP_TIMEDIV = 0x00000001;
constexpr DWORD MIDIPROP_TEMPO = 0x00000002;

// One buffer of stream events.
struct MIDIHDR {
    char* lpData = nullptr;     // the events
    DWORD dwBufferLength = 0;   // size of lpData in bytes
    DWORD dwBytesRecorded = 0;  // bytes of events in lpData, a multiple of 4
    DWORD_PTR dwUser = 0;       // the caller's
    DWORD dwFlags = 0;          // MHDR_*
    MIDIHDR* lpNext = nullptr;  // reserved
    DWORD_PTR reserved = 0;
    DWORD dwOffset = 0;  // byte offset of the event that asked for the last callback
    DWORD_PTR dwReserved[8] = {};
};

// One event inside a buffer: 12 bytes, then the bytes of a long event padded to a multiple of 4.
struct MIDIEVENT {
    DWORD dwDeltaTime;  // ticks after the previous event (across buffers)
    DWORD dwStreamID;   // ignored
    DWORD dwEvent;      // kind, flags and parameter
    DWORD dwParms[1];
};

// Property blocks; cbStruct is their size in bytes.
struct MIDIPROPTIMEDIV {
    DWORD cbStruct = sizeof(MIDIPROPTIMEDIV);
    DWORD dwTimeDiv = 0;  // bit 15 clear: ticks per quarter note; set: SMPTE frames and ticks per frame
};
struct MIDIPROPTEMPO {
    DWORD cbStruct = sizeof(MIDIPROPTEMPO);
    DWORD dwTempo = 0;  // microseconds per quarter note
};

// Opens a stream on the MIDI mapper (*puDeviceID must be MIDI_MAPPER or 0; cMidi must be 1).
// The stream starts stopped at tick 0, tempo 500000, division 96. With CALLBACK_THREAD,
// dwCallback is the id of the thread that receives the MM_MOM_* messages.
MMRESULT midiStreamOpen(HMIDISTRM* phStream, UINT* puDeviceID, DWORD cMidi, DWORD_PTR dwCallback, DWORD_PTR dwInstance,
                        DWORD fdwOpen);
// Stops the stream, returns queued buffers, posts MM_MOM_CLOSE and invalidates the handle.
MMRESULT midiStreamClose(HMIDISTRM hStream);
// Queues a prepared buffer; never starts playback by itself.
MMRESULT midiStreamOut(HMIDISTRM hStream, MIDIHDR* lpMidiHdr, UINT cbMidiHdr);
// Starts (from the start of the queue) or resumes (where it paused) playback.
MMRESULT midiStreamRestart(HMIDISTRM hStream);
// Freezes the clock with queue and position kept; sounding notes are silenced.
MMRESULT midiStreamPause(HMIDISTRM hStream);
// Stops: notes silenced, every queued buffer returned (MM_MOM_DONE), position back to tick 0 and
// tempo back to 500000, so that a following restart sounds like the first play.
MMRESULT midiStreamStop(HMIDISTRM hStream);
// MIDIPROP_SET or MIDIPROP_GET with MIDIPROP_TIMEDIV or MIDIPROP_TEMPO.
MMRESULT midiStreamProperty(HMIDISTRM hStream, BYTE* lpPropData, DWORD dwProperty);
// As midiStreamStop (on a stream handle cast to HMIDIOUT).
MMRESULT midiOutReset(HMIDIOUT hMidiOut);
// Marks a header prepared (needs lpData and dwBufferLength); preparing twice is harmless.
MMRESULT midiOutPrepareHeader(HMIDIOUT hMidiOut, MIDIHDR* lpMidiHdr, UINT cbMidiHdr);
// MIDIERR_STILLPLAYING while the header is queued; else clears MHDR_PREPARED.
MMRESULT midiOutUnprepareHeader(HMIDIOUT hMidiOut, MIDIHDR* lpMidiHdr, UINT cbMidiHdr);
// Text for one of the results above; MMSYSERR_BADERRNUM (buffer untouched) for other codes.
MMRESULT midiOutGetErrorTextA(MMRESULT mmrError, char* pszText, UINT cchText);

// Test control, under the virtual clock only. Off (the default): a sequencer waits until other
// threads move the clock to an event's time, looking again every millisecond of real time, so
// that music follows the time of the game under test. On: the sequencers move the clock
// themselves (Sleep) to each event's time, so that a song plays at once and every message
// carries exactly the time it was due; the tests of the streams and the players use this.
void SetMidiClockDriving(bool bDrive);

// Test control: while on, the streams keep the callback messages they would post, in order, and
// switching it off posts them all; so a test can choose when a callback thread sees them.
void HoldMidiCallbacksForTest(bool bHold);
// One callback message kept by HoldMidiCallbacksForTest: the thread it goes to and its number.
struct HeldMidiCallback {
    DWORD thread;
    UINT message;
};
// The callback messages kept so far, oldest first.
std::vector<HeldMidiCallback> HeldMidiCallbacksForTest();
