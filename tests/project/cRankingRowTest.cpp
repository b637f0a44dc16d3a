#include "project/cRankingRow.h"

#include <gtest/gtest.h>

#include "ProjectTestSupport.h"
#include "support/SystemDataWriter.h"

namespace {

using projecttest::ProjectTest;
using testsupport::ByteWriter;
using testsupport::RankingRowSpec;

using cRankingRowTest = ProjectTest;

TEST_F(cRankingRowTest, KeepsAsManyGenreFlagsAsStored)
{
    const RankingRowSpec cases[] = {{1, {1, 0, 1}}, {0, {1, 1, 0, 0, 1, 1, 1}}, {1, {}}};
    for (const RankingRowSpec& stored : cases) {
        SCOPED_TRACE(stored.genres.size());
        cRankingRow row;
        row.GenreFlags = {9, 9, 9, 9, 9, 9, 9, 9};
        ByteWriter bytes;
        testsupport::WriteRecord(bytes, stored, 720);
        ASSERT_EQ(LoadBytes(row, 720, bytes), 1);
        EXPECT_EQ(row.bEnabled, stored.enabled);
        EXPECT_EQ(std::vector<std::uint8_t>(row.GenreFlags.begin(), row.GenreFlags.end()), stored.genres);
    }
}

TEST_F(cRankingRowTest, NewRowHasFiveDisabledGenresAndSavesTheLayoutItReads)
{
    cRankingRow row;
    EXPECT_EQ(row.bEnabled, 0);
    EXPECT_EQ(std::vector<std::uint8_t>(row.GenreFlags.begin(), row.GenreFlags.end()),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0}));
    row.bEnabled = 1;
    row.GenreFlags = {1, 0, 1};
    ByteWriter expected;
    expected.I32(720);
    testsupport::WriteRecord(expected, RankingRowSpec{1, {1, 0, 1}}, 720);
    EXPECT_EQ(SavedBytes(row), std::string(expected.Data().begin(), expected.Data().end()));
}

TEST_F(cRankingRowTest, GenreCountBeyondTheFileIsRefused)
{
    cRankingRow row;
    ByteWriter bytes;
    bytes.I32(1).I32(1).I32(0).I32(100).U8(1);
    EXPECT_EQ(LoadBytes(row, 720, bytes), 0);
    EXPECT_LE(row.GenreFlags.size(), 5u);
}

}  // namespace
