// Sound effects: short PCM WAV files held whole in static sound buffers, addressed by sound
// number. Numbers 0..16 are the game's 17 system sounds, number k + 16 is entry k (k >= 1) of
// the Sound database. The table is built once at start-up and lives until shutdown.
//
// Threads: the main thread plays sounds on WM_PLAYSE (PlaySE, PlayDatabaseSE); the game thread
// plays the menu-cursor sound and changes volumes directly. The functions take no locks; the
// sound buffers lock inside.
#pragma once

#include <string>
#include <vector>

#include "core/cVector.h"
#include "platform/dsound/DirectSound.h"
#include "platform/win/WinTypes.h"

// One entry of the sound list the table is built from.
struct SOUNDINFO {
    std::string szFileName;  // WAV path relative to the game folder; empty = a silent sound
    int nBufferCount = 0;    // buffers of the slot: how often it can sound at once (1 at start-up)
    int nVolume = 0;         // hundredths of a decibel; 0 leaves the buffers at full volume
};

// One slot of the sound table.
struct DSSOUNDDATA {
    std::string szFileName;                    // the file the slot was built from
    std::vector<LPDIRECTSOUNDBUFFER> buffers;  // [0] holds the samples, [1..] duplicates sharing
                                               // them; empty while the slot is not built, an
                                               // entry is null where its creation failed
    int nCount = 0;                            // buffers in turn; 0 after a failed build
    int nNext = 0;                             // the buffer the next play uses (round robin)
};

// A WAV file read into memory.
struct WAVEDATA {
    WAVEFORMATEX format;
    std::vector<BYTE> samples;  // the sample bytes, until DS_FreeWave
};

// The module's DirectSound device and primary buffer; null while DirectSound is not up, and
// then every DS_ function returns at once (with the results given below). Set by DS_Init on the
// main thread before the game thread starts, cleared by DS_UnInit after it ended.
extern LPDIRECTSOUND lpDS;
extern LPDIRECTSOUNDBUFFER lpDSBPrimary;

// The sound table (slot n = sound number n) and the list it is built from; see BuildSoundList.
extern cVector<DSSOUNDDATA> SoundTable;
extern cVector<SOUNDINFO> SoundInfoList;

// Volumes in hundredths of a decibel for the option's sound-effect volume step 0..10
// (-10000 = silence, 0 = full volume).
extern const int SeVolumeTable[11];
// SeVolumeTable[nStep], the step clamped to 0..10 first (it comes from a user-editable file).
int SeVolume(int nStep);

// Start-up: sizes SoundTable and SoundInfoList to 16 + the number of Sound database entries
// (entry 0 included, at least 1) and fills the list: entries 0..16 from the 17 system sound
// names (missing ones empty), entry 16 + k from soundFileNames[k] for k >= 1; buffer count 1,
// volume 0. soundFileNames holds the file name of every Sound database entry, entry 0 first.
void BuildSoundList(const std::vector<std::string>& systemSoundNames, const std::vector<std::string>& soundFileNames);

// Creates the device on the default output, sets the priority level for hWnd, makes the primary
// buffer and asks it for PCM of the given rate, bits and channels (start-up: 22050, 8, 1). Forgets
// any remembered table. The device never fails for want of hardware: without one it is silent
// and the report log says so once. False (trace log line) when a call fails.
bool DS_Init(HWND hWnd, int nSamplesPerSec, int nBitsPerSample, int nChannels);
// Releases every buffer of every slot of the remembered table, the primary buffer and the
// device. Nothing without DirectSound.
void DS_UnInit();

// Remembers table and list (same size) and builds every slot not built yet from its list entry,
// with volume nVolume when it is not 0, else the entry's own. A failing slot stays silent and
// the rest go on. Always 1.
int DS_CreateSoundTable(cVector<DSSOUNDDATA>* pTable, cVector<SOUNDINFO>* pList, int nVolume);
// Builds one slot (releasing what it held): buffer 0 from the WAV file, nCount - 1 duplicates (nCount below 1 counts as
// 1), then the name and count; applies nVolume (absolute) to every buffer when it is not 0.
// False at the first failure (trace log line); what was made until then stays in the slot.
// True without DirectSound (slot untouched).
bool DS_CreateSound(DSSOUNDDATA* pSound, const char* szName, int nCount, int nVolume);
// Reads the WAV file into a new static buffer. True without DirectSound.
bool DS_CreateBuffer(LPDIRECTSOUNDBUFFER* ppBuffer, const char* szName);
// A buffer sharing pSource's samples. True on success and without DirectSound.
bool DS_DuplicateBuffer(LPDIRECTSOUNDBUFFER* ppBuffer, LPDIRECTSOUNDBUFFER pSource);
// Reads a PCM WAV file (game path). False for an empty name, a missing or malformed file or a
// format other than PCM; pWave then holds no samples. A file whose sample data are cut short
// gives the samples it holds, and the report log a line naming it.
bool DS_ReadWave(const char* szName, WAVEDATA* pWave);
// Frees the sample memory.
void DS_FreeWave(WAVEDATA* pWave);
// Releases every buffer the slot holds (duplicates from the last down, then buffer 0) and
// empties it. Nothing without DirectSound.
void DS_FreeSound(DSSOUNDDATA* pSound);

// Plays the slot's next buffer from its start (stopping it first), then moves the turn on.
// dwFlags 0 plays once. Nothing without DirectSound or when that buffer is missing.
void DS_Play(DSSOUNDDATA* pSound, DWORD dwFlags);
// Sets buffer nIndex's volume to nVolume (plus its current volume when bRelative), clamped to
// -10000..0, and returns the value set; 0 without DirectSound or when the buffer is missing.
int DS_SetVolume(DSSOUNDDATA* pSound, int nIndex, int nVolume, bool bRelative);
// Buffer nIndex's volume; 0 without DirectSound or when the buffer is missing.
int DS_GetVolume(DSSOUNDDATA* pSound, int nIndex);

// The menu-cursor sound, on the game thread: plays SoundTable[nSound] once when axes bit 0 is
// set and the direction word has left or right (bits 0, 1), and once more when axes bit 1 is set
// and it has up or down (bits 2, 3).
void DS_PlayCursorSE(const short* pDirection, BYTE axes, int nSound);

// The system sounds: sound numbers 0..16 of the table, the same in every game (the project names
// their files). Numbers from SE_DATABASE_BASE + 1 on are Sound database entries.
constexpr int SE_CURSOR = 0;           // a menu cursor moved
constexpr int SE_DECIDE = 1;           // decide or confirm
constexpr int SE_CANCEL = 2;           // cancel
constexpr int SE_NOTICE = 3;           // refused: nothing to do, an empty slot or recording
constexpr int SE_PAUSE = 4;            // pause, or the world map's menu opened
constexpr int SE_SAVE = 5;             // saved
constexpr int SE_GENRE = 6;            // the ranking genre changed
constexpr int SE_HIT = 7;              // a hit that did not defeat
constexpr int SE_PLAYER_DEAD = 8;      // the player is defeated
constexpr int SE_CHARA_DEAD = 9;       // a computer character is defeated
constexpr int SE_JUMP_PAD = 10;        // a jump pad
constexpr int SE_MESSAGE = 11;         // a message shown
constexpr int SE_MESSAGE_DECIDE = 12;  // a message closed with the decide button
constexpr int SE_TIME_WARNING = 13;    // the time limit runs low
constexpr int SE_STAGE_CLEAR = 14;     // the stage ends
constexpr int SE_EXTRA_LIFE = 15;      // an extra life
constexpr int SE_RANKING_ENTRY = 16;   // a place in the ranking
constexpr int SE_DATABASE_BASE = 16;   // Sound database entry id plays as number id + 16

// Axes of DS_PlayCursorSE.
constexpr BYTE CURSOR_AXIS_HORIZONTAL = 1;
constexpr BYTE CURSOR_AXIS_VERTICAL = 2;
constexpr BYTE CURSOR_AXES_BOTH = 3;

// Asks the main window to play sound number n (WM_PLAYSE, wParam n) and waits until it has;
// returns the window procedure's result.
LRESULT PlaySE(int n);
// Plays Sound database entry id (sound number id + 16) as PlaySE does. 0 and negative ids play
// nothing.
void PlayDatabaseSE(short id);
