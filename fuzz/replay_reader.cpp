// fuzz-links: qb_input
// Fuzz target: any bytes given as a replay file are read or refused without a read or write
// outside the file and without undefined arithmetic (the sanitizers watch). A refused file
// leaves the live replay, stage and save data as they were; a file that is read has streams with
// as many runs as words and runs of at least one frame, plays back without fault and can be
// saved again. The first input byte chooses the database sizes the stage repairs compare with
// and, with its top bit, whether the rest is the whole file (its version first) or the part
// after the stage of a sound replay file (the record and the snapshot), so that the fuzzer
// reaches them without having to build a stage.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "core/RecordFile.h"
#include "definitions/DefinitionContext.h"
#include "definitions/cEdStage.h"
#include "input/cReplay.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "project/cWorldMap.h"

namespace {

// A scratch file of this process's own in the current folder (the fuzz command runs the targets
// in a work folder of the build), as a host path and as the game's path. The current folder is
// used rather than the system's temporary folder, whose listing other programs keep changing.
struct FuzzFile {
    std::string host;
    std::string game;
    explicit FuzzFile(const char* suffix)
    {
        std::random_device random;
        host = "qb_fuzz_replay_" + std::to_string(random()) + suffix;
        game = host;
    }
    ~FuzzFile() { std::remove(host.c_str()); }
};

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// The live state before each input: a recognisable recording, stage and save data.
void SetLiveState()
{
    Replay.Clear();
    Replay.nSeed = 4242;
    Replay.Record(3, 5);
    Stage.Reset();
    Stage.m_nTimeLimit = 4243;
    SaveData.Reset();
    SaveData.nLives = 44;
}

// The version and stage part of a sound replay file, written once by the system itself.
const std::string& SoundStagePart()
{
    static const std::string part = [] {
        const FuzzFile sample("_sample.bin");
        nDataVersion = kCurrentDataVersion;
        Stage.Reset();
        // One screen: the smallest field a stage may have.
        Stage.m_nWidth = 20;
        Stage.m_nHeight = 15;
        cEdChara hero;
        hero.m_nController = 0;
        hero.m_nGraphic = 1;
        Stage.m_PlacedChara.push_back(hero);
        StageBackup.CopyHeader(Stage);
        FILE* fp = OpenDatSave(sample.game.c_str());
        if (fp == nullptr || !Stage.SaveForReplay(fp, StageBackup)) {
            AbandonDat(fp);
            std::abort();
        }
        Check(CloseDat(fp) == 1);
        std::string bytes;
        FILE* in = std::fopen(sample.host.c_str(), "rb");
        char buffer[4096];
        for (std::size_t n = 0; in != nullptr && (n = std::fread(buffer, 1, sizeof(buffer), in)) > 0;) {
            bytes.append(buffer, n);
        }
        if (in != nullptr) {
            std::fclose(in);
        }
        // The sample stage must itself make a readable replay, or the second mode would test
        // nothing.
        cReplay replay;
        replay.Record(1, 2);
        cSaveData save;
        Check(replay.SaveFile(sample.game.c_str(), Stage, StageBackup, save) == 1);
        Check(cReplay().LoadFile(sample.game.c_str(), &StageBackup, SaveData) == 1);
        return bytes;
    }();
    return part;
}

bool LiveStateUntouched()
{
    return Replay.nSeed == 4242 && Replay.dirValues.size() == 1 && Replay.dirRuns.size() == 1 &&
           Replay.dirRuns[0] == 1 && Stage.m_nTimeLimit == 4243 && SaveData.nLives == 44;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzFile input(".rpl4_720");
    static FuzzFile output("_out.rpl4_720");
    if (size < 1) {
        return 0;
    }
    SoundStagePart();  // built before the input file is opened for writing
    FILE* fp = std::fopen(input.host.c_str(), "wb");
    if (fp == nullptr) {
        return 0;
    }
    if (data[0] & 0x80) {
        const std::string& stage = SoundStagePart();
        std::fwrite(stage.data(), 1, stage.size(), fp);
    }
    std::fwrite(data + 1, 1, size - 1, fp);
    std::fclose(fp);

    static const bool settings = [] {
        SystemData.SetDefaults();
        WorldMap.SetDefault();
        return true;
    }();
    (void)settings;
    nDataVersion = kCurrentDataVersion;
    bRemoveCR = 1;
    DefinitionContext = DEFINITIONCONTEXT{};
    DefinitionContext.nTableCount.fill(data[0] & 7);
    SetLiveState();

    if (!Replay.LoadFile(input.game.c_str(), &StageBackup, SaveData)) {
        Check(LiveStateUntouched());
        return 0;
    }
    Check(Replay.dirRuns.size() == Replay.dirValues.size() && Replay.buttonRuns.size() == Replay.buttonValues.size());
    Replay.Rewind();
    std::int16_t dir = 0;
    std::int16_t button = 0;
    for (int frame = 0; frame < 1000 && Replay.Play(dir, button) == 0; ++frame) {
    }
    Check(Replay.SaveFile(output.game.c_str(), Stage, StageBackup, SaveData) == 1);
    return 0;
}
