// Base of the record tests' fixtures: a temporary game folder as the current folder, and single
// records loaded from bytes a writer built and saved back for comparison.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/RecordFile.h"
#include "support/ByteWriter.h"
#include "support/GameFolder.h"

namespace testsupport {

class RecordFileTest : public ::testing::Test {
protected:
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

    // Loads record from one record written by a writer's WriteRecord in the layout of version.
    // WriteRecord is found by argument-dependent lookup, so every writer included by the test counts.
    template <class Record, class Spec>
    int LoadSpec(Record& record, int version, const Spec& spec)
    {
        ByteWriter bytes;
        WriteRecord(bytes, spec, version);
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
        WriteRecord(bytes, spec, kCurrentDataVersion);
        return std::string(bytes.Data().begin(), bytes.Data().end());
    }

    GameFolder folder;
};

}  // namespace testsupport
