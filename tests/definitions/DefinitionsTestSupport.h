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

namespace definitionstest {

using testsupport::ByteWriter;

// Entries of every database table in the fixture's context.
constexpr int kTableEntries = 5;

class DefinitionsTest : public ::testing::Test {
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

    // Loads record from a file holding the version head and then bytes. The Load's result.
    template <class Record>
    int LoadBytes(Record& record, int version, const ByteWriter& bytes)
    {
        ByteWriter file;
        file.I32(version).Append(bytes);
        folder.Write("record.dat", file.Data());
        FILE* fp = OpenDatLoad("record.dat");
        if (fp == nullptr) {
            ADD_FAILURE() << "record.dat cannot be opened";
            return 0;
        }
        int ok = record.Load(fp);
        CloseDat(fp);
        return ok;
    }

    // Loads record from one record written by the definitions writer in the layout of version.
    template <class Record, class Spec>
    int LoadSpec(Record& record, int version, const Spec& spec)
    {
        ByteWriter bytes;
        testsupport::WriteRecord(bytes, spec, version);
        return LoadBytes(record, version, bytes);
    }

    // The file the record's Save writes (version head included).
    template <class Record>
    std::string SavedBytes(Record& record)
    {
        EXPECT_EQ(record.SaveFile("saved.dat"), 1);
        return folder.Read("saved.dat");
    }

    // The bytes of spec in the 720 layout with the version head, as the writer builds them.
    template <class Spec>
    static std::string Expected720(const Spec& spec)
    {
        ByteWriter bytes;
        bytes.I32(kCurrentDataVersion);
        testsupport::WriteRecord(bytes, spec, kCurrentDataVersion);
        return std::string(bytes.Data().begin(), bytes.Data().end());
    }

    testsupport::GameFolder folder;
};

}  // namespace definitionstest
