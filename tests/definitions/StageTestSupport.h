// Shared by the tests of the stage, the palettes and the block, character and item definitions:
// a temporary game folder as the current folder, the record globals and the definition context
// as the start-up sets them, a fresh Stage, StageBackup and CommonPalette, and loading records or
// whole files written by the independent stage writer.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/AppGlobals.h"
#include "core/RecordFile.h"
#include "definitions/DefinitionContext.h"
#include "definitions/cEdCommonPalette.h"
#include "definitions/cEdStage.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"
#include "support/GameFolder.h"
#include "support/RecordFileTest.h"
#include "support/StageWriter.h"
#include "support/TestMainWindow.h"

namespace stagetest {

using testsupport::ByteWriter;

// Entries of every database table in the fixture's context.
constexpr int kTableEntries = 5;
// Where the stage tests put their files.
inline const char* const kCommonPalettePath = "data\\CommonPalette.cplt4";

class StageTest : public testsupport::RecordFileTest {
protected:
    void SetUp() override
    {
        nDataVersion = kCurrentDataVersion;
        bRemoveCR = 1;
        DefinitionContext = DEFINITIONCONTEXT{};
        DefinitionContext.nTableCount.fill(kTableEntries);
        DefinitionContext.bKeepTestPlayFlows = 1;
        ResetGlobals();
        ClearRecordedMessageBoxes();
    }
    void TearDown() override
    {
        ResetGlobals();
        DefinitionContext = DEFINITIONCONTEXT{};
        bRemoveCR = 0;
        ClearRecordedMessageBoxes();
    }

    // Stage and StageBackup as built at start-up; CommonPalette read from the minimal file.
    void ResetGlobals()
    {
        for (cEdStage* stage : {&Stage, &StageBackup}) {
            stage->Reset();
            stage->m_strPath.clear();
            stage->m_bNewest = 0;
            stage->m_bLoaded = 0;
        }
        LoadCommonPalette(testsupport::MinimalCommonPalette());
    }

    // Writes the common palette file and reads it into CommonPalette as the start-up does.
    int LoadCommonPalette(const testsupport::CommonPaletteSpec& spec)
    {
        folder.Write(kCommonPalettePath, testsupport::CommonPaletteFile(spec).Data());
        return CommonPalette.LoadFile(kCommonPalettePath);
    }

    // Writes a stage file under the game path.
    void WriteStage(const std::string& gamePath, const testsupport::StageSpec& spec)
    {
        folder.Write(gamePath, testsupport::StageFile(spec).Data());
    }

    static std::string AsString(const ByteWriter& bytes)
    {
        return std::string(bytes.Data().begin(), bytes.Data().end());
    }

    // The texts of the boxes shown since the last clear.
    static std::vector<std::string> BoxTexts()
    {
        std::vector<std::string> texts;
        for (const MessageBoxRecord& box : RecordedMessageBoxes()) {
            texts.push_back(box.text);
        }
        return texts;
    }
};

// The main window of the tests of this folder.
using MainWindow = testsupport::TestMainWindow;

}  // namespace stagetest
