// Shared by the database tests: a temporary game folder as the current folder, the record
// globals set as the start-up sets them, and loading one record from bytes written by the
// independent database writer.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/RecordFile.h"
#include "platform/win/MessageBox.h"
#include "project/cDatabase.h"
#include "support/DatabaseWriter.h"
#include "support/GameFolder.h"
#include "support/GameGlobals.h"
#include "support/RecordFileTest.h"

namespace projecttest {

using testsupport::ByteWriter;

class ProjectTest : public testsupport::RecordFileTest {
protected:
    void SetUp() override
    {
        nDataVersion = kCurrentDataVersion;
        bRemoveCR = 1;
        testsupport::ResetGameGlobals();
        ClearRecordedMessageBoxes();
    }
    void TearDown() override
    {
        bRemoveCR = 0;
        testsupport::ResetGameGlobals();
        ClearRecordedMessageBoxes();
    }
};

}  // namespace projecttest
