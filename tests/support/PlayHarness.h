// The play harness: plays a stage headless, frame by frame, the way the game thread does, for the
// tests of stage play and of everything that runs inside it.
//
// It writes a game folder with the game-folder writer (into a temporary folder that is the
// current folder while the harness lives), loads it through the player's own loaders (the ten
// databases and their derived tables, "data\System.dat", the common palette, the first stage of
// the written game with LoadStage), runs on the virtual clock, and feeds controller 0 from a
// script: one direction word and one button word per frame. Each frame polls the script into Input[0] (as
// the scene manager polls the live controller), advances the clock by one frame of the stage's
// rate and runs the stage-play screen's Main. After every frame it keeps a digest of the whole
// play state, so two runs can be compared frame by frame.
//
// No drawing back-end is opened: the fades of the screen need one, so the harness enters the
// stage at its start banners (state 1) after the screen's first frame has set it up.
//
// Game thread: the test's own thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "GameFolder.h"
#include "GameFolderWriter.h"
#include "input/cPadScript.h"
#include "screenbase/cScene.h"
#include "stage/cSceneStage.h"

namespace testsupport {

// One frame of controller 0: the direction bits (1 left, 2 right, 4 up, 8 down) and the button
// bits (bit 0 button 1 ... bit 7 button 8).
struct PadFrame {
    SHORT dir = 0;
    SHORT buttons = 0;
};

// What a test reads of a character (the player or a stage character) after a frame.
struct CharaState {
    int source = 0;
    int faction = 0;
    double x = 0.0;
    double y = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    double vx = 0.0;
    double vy = 0.0;
    int hp = 0;
    int sp = 0;
    int facing = 0;
    int dying = 0;
    int active = 0;
    int acts = 0;
};

// The scene manager's frame services for a headless play: the input comes from a pad script (the
// one the program reads from QB_INPUT), surfaces are never lost and nothing is presented. Frames
// past the end of the script read no keys.
class ScriptedFlow : public cSceneFlow {
public:
    void UpdateInput(cVector<cInput>& input) override;
    // The script, from its first frame.
    void SetScript(std::vector<PadFrame> script);
    // The script in the text form of a QB_INPUT file; false when cPadScript refuses it.
    bool SetScriptText(std::string_view text);
    // Frames polled so far (the stage's nested loops poll too).
    int Polls() const { return m_nPolls; }

private:
    cPadScript m_script;
    int m_nPolls = 0;
};

class PlayHarness {
public:
    // Writes and loads the game of spec (its first stage is the one played). Loaded() tells
    // whether everything could be read.
    explicit PlayHarness(const GameSpec& spec);
    ~PlayHarness();
    PlayHarness(const PlayHarness&) = delete;
    PlayHarness& operator=(const PlayHarness&) = delete;

    bool Loaded() const { return m_bLoaded; }
    const GameFolder& Folder() const { return m_folder; }

    // The controller script, from the next frame polled on.
    void SetScript(std::vector<PadFrame> script) { m_flow.SetScript(std::move(script)); }
    // The play state as the program writes it at close for QB_STATE (PlayStateFile.h).
    std::string StateJson() const;
    // Creates the stage-play screen (the previous one is deleted), runs its first frame (Init
    // and SetStage) and puts it at the start banners. False when the set-up failed.
    bool Enter();
    // Runs n frames; each one's digest is appended to Digests().
    void RunFrames(int n);
    // Runs frames until the screen is in state, at most nMax; true when it got there.
    bool RunUntilState(int nState, int nMax);

    cSceneStage& Scene() { return *m_scene; }
    ScriptedFlow& Flow() { return m_flow; }
    const std::vector<std::uint64_t>& Digests() const { return m_digests; }

    // The player and the stage characters (list order) now.
    static CharaState PlayerState();
    static std::vector<CharaState> CharaStates();
    // A digest of the play state now (reading it changes nothing, the random generator
    // included): the screen's state and counters, the seed, the camera, the stage variables,
    // every character's geometry, speeds, status, pattern cell and block contacts, and the block
    // map's blocks.
    std::uint64_t Digest() const;
    // The same digest for any stage-play screen (nullptr: the objects alone).
    static std::uint64_t DigestOf(const cSceneStage* scene);

private:
    GameFolder m_folder;
    ScriptedFlow m_flow;
    std::unique_ptr<cSceneStage> m_scene;
    std::vector<std::uint64_t> m_digests;
    bool m_bLoaded = false;
};

}  // namespace testsupport
