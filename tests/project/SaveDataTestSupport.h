// Shared by the world-map and save-data tests: a game folder as the current folder, the record
// globals as the start-up sets them, the project settings, world map, save data and slot list
// of the run reset around each test, and the stored int members of a cSaveData next to the
// writer's fields for comparisons.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "ProjectTestSupport.h"
#include "core/CoreTestSupport.h"
#include "platform/win/Files.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "project/cWorldMap.h"
#include "support/SaveDataWriter.h"
#include "support/WorldMapWriter.h"

namespace projecttest {

// The stored int32 members of the save data with the writer's field for each (nMapEntry is
// never read back and is left out).
struct SaveInt {
    const char* name;
    std::int32_t cSaveData::*member;
    std::int32_t testsupport::SaveDataSpec::*stored;
};

using SaveSpec = testsupport::SaveDataSpec;

inline constexpr SaveInt kSaveInts[] = {
    {"bCarry", &cSaveData::bCarry, &SaveSpec::carry},
    {"nMapX", &cSaveData::nMapX, &SaveSpec::mapX},
    {"nMapY", &cSaveData::nMapY, &SaveSpec::mapY},
    {"nLap", &cSaveData::nLap, &SaveSpec::lap},
    {"nStageNo", &cSaveData::nStageNo, &SaveSpec::stageNo},
    {"nWorldStage", &cSaveData::nWorldStage, &SaveSpec::worldStage},
    {"nStartLives", &cSaveData::nStartLives, &SaveSpec::startLives},
    {"nLives", &cSaveData::nLives, &SaveSpec::lives},
    {"nTotalScore", &cSaveData::nTotalScore, &SaveSpec::totalScore},
    {"nRunScore", &cSaveData::nRunScore, &SaveSpec::runScore},
    {"nBestTotal", &cSaveData::nBestTotal, &SaveSpec::bestTotal},
    {"nRunValue1", &cSaveData::nRunValue1, &SaveSpec::runValue1},
    {"nRunValue2", &cSaveData::nRunValue2, &SaveSpec::runValue2},
    {"nRunValue3", &cSaveData::nRunValue3, &SaveSpec::runValue3},
    {"nRunValue4", &cSaveData::nRunValue4, &SaveSpec::runValue4},
    {"bWorldRun", &cSaveData::bWorldRun, &SaveSpec::worldRun},
    {"nStageBgm", &cSaveData::nStageBgm, &SaveSpec::stageBgm},
    {"bStageBgmLoop", &cSaveData::bStageBgmLoop, &SaveSpec::stageBgmLoop},
    {"nMapDir", &cSaveData::nMapDir, &SaveSpec::mapDir},
    {"bMapEntered", &cSaveData::bMapEntered, &SaveSpec::mapEntered},
    {"nMapEnterX", &cSaveData::nMapEnterX, &SaveSpec::mapEnterX},
    {"nMapEnterY", &cSaveData::nMapEnterY, &SaveSpec::mapEnterY},
    {"nWorldOpen", &cSaveData::nWorldOpen, &SaveSpec::worldOpen},
    {"nSlot", &cSaveData::nSlot, &SaveSpec::slot},
    {"bAutoSave", &cSaveData::bAutoSave, &SaveSpec::autoSave},
    {"bRankingShow", &cSaveData::bRankingShow, &SaveSpec::rankingShow},
    {"nRankingKind", &cSaveData::nRankingKind, &SaveSpec::rankingKind},
    {"bStartPos", &cSaveData::bStartPos, &SaveSpec::startPos},
    {"nStartX", &cSaveData::nStartX, &SaveSpec::startX},
    {"nStartY", &cSaveData::nStartY, &SaveSpec::startY},
    {"nStartDir", &cSaveData::nStartDir, &SaveSpec::startDir},
};

// Project tests around the run's progress. The settings are the defaults with 3 worlds; the world
// map is the default 20 x 15 world (start cell (9, 7)); the save data is a new game; every slot
// of the slot list is without file; a main window counts the WM_CLOSE of the checked access.
class SaveDataTest : public ProjectTest {
protected:
    static constexpr int kWorlds = 3;

    void SetUp() override
    {
        ProjectTest::SetUp();
        ResetGlobals();
        // The start-up makes the user folders.
        std::filesystem::create_directories(folder.Host("user_data/story"));
        std::filesystem::create_directories(folder.Host("user_data/challenge"));
    }
    void TearDown() override
    {
        ClearFileFailuresForTest();
        ResetGlobals();
        ProjectTest::TearDown();
    }

    static void ResetGlobals()
    {
        testsupport::ResetGameGlobals();
        SystemData.nWorldCount = kWorlds;
        SaveSlotList.Reset(kSaveSlotCount);
    }

    // A new game's file contents with kWorlds empty world records.
    static SaveSpec NewGameSpec()
    {
        SaveSpec spec;
        spec.worldRecords.assign(kWorlds, {0, 0});
        return spec;
    }

    // Writes spec in the layout of version at the game path.
    void WriteSave(const std::string& gamePath, const SaveSpec& spec, int version = testsupport::kSaveDataVersion)
    {
        folder.Write(gamePath, testsupport::SaveDataFile(spec, version).Data());
    }

    // The WM_CLOSE posts since the last call (a checked access that failed).
    int TakeCloseRequests() { return window.TakePosted(WM_CLOSE); }

    coretest::MainWindow window;
};

}  // namespace projecttest
