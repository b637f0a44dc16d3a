// Shared by the definitions tests: a temporary game folder as the current folder, the record
// globals and the definition context set as the start-up sets them, and loading one record from
// bytes written by the independent definitions writer.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/RecordFile.h"
#include "definitions/DefinitionContext.h"
#include "support/DefinitionsWriter.h"
#include "support/GameFolder.h"
#include "support/RecordFileTest.h"

namespace definitionstest {

using testsupport::ByteWriter;

// Entries of every database table in the fixture's context.
constexpr int kTableEntries = 5;

class DefinitionsTest : public testsupport::RecordFileTest {
protected:
    void SetUp() override
    {
        nDataVersion = kCurrentDataVersion;
        bRemoveCR = 1;
        DefinitionContext = DEFINITIONCONTEXT{};
        DefinitionContext.nTableCount.fill(kTableEntries);
        // Sword types 0-4: run times of their frames summed.
        DefinitionContext.SwordTypeTime = {6, 30, 11000, 9999, -50};
    }
    void TearDown() override
    {
        bRemoveCR = 0;
        DefinitionContext = DEFINITIONCONTEXT{};
    }
};

}  // namespace definitionstest
