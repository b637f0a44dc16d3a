#include "stage/ranking/cRanking.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/RecordFile.h"
#include "platform/win/Files.h"
#include "support/ByteWriter.h"
#include "support/GameFolder.h"
#include "support/TestMainWindow.h"

namespace {

using testsupport::ByteWriter;

// One stored place, as the file holds it.
struct Place {
    int valid;
    int value;
    std::string name;
};

void WritePlace(ByteWriter& w, const Place& p)
{
    w.I32(2).I32(p.valid).I32(p.value).I32(1).RecordString(p.name);
}

// A table of the given places, padded with empty ones to count places.
void WriteTable(ByteWriter& w, int order, const std::vector<Place>& places, int count = 20)
{
    w.I32(1).I32(order).I32(0).I32(count);
    for (int i = 0; i < count; ++i) {
        WritePlace(w, i < static_cast<int>(places.size()) ? places[static_cast<std::size_t>(i)] : Place{0, 0, ""});
    }
}

// A whole ranking file: the version, the set's empty base part, the table count, the tables.
ByteWriter RankingFile(int version, const std::vector<std::vector<Place>>& tables, int count = 20)
{
    const int orders[] = {1, 1, 0, 1, 1, 1, 1, 1};
    ByteWriter w;
    w.I32(version).I32(0).I32(0).I32(static_cast<int>(tables.size()));
    for (std::size_t t = 0; t < tables.size(); ++t) {
        WriteTable(w, orders[t % 8], tables[t], count);
    }
    return w;
}

void ExpectEmptyNormalSet(const cRanking& ranking)
{
    ASSERT_EQ(ranking.m_Tables.size(), 5u);
    const int orders[] = {1, 1, 0, 1, 1};
    for (int t = 0; t < 5; ++t) {
        const cRankingTable& table = ranking.m_Tables[t];
        EXPECT_EQ(table.bHigherBetter, orders[t]) << t;
        ASSERT_EQ(table.m_Entries.size(), 20u);
        for (const cRankingEntry& e : table.m_Entries) {
            EXPECT_EQ(e.bValid, 0);
            EXPECT_EQ(e.nValue, 0);
            EXPECT_EQ(e.strName, "");
        }
    }
}

std::vector<int> Values(const cRankingTable& table)
{
    std::vector<int> values;
    for (const cRankingEntry& e : table.m_Entries) {
        if (e.bValid) {
            values.push_back(e.nValue);
        }
    }
    return values;
}

class RankingTest : public ::testing::Test {
protected:
    RankingTest()
    {
        nDataVersion = kCurrentDataVersion;
        std::filesystem::create_directories(folder.Host("user_data/story"));
        std::filesystem::create_directories(folder.Host("user_data/challenge"));
        std::filesystem::create_directories(folder.Host("user_data/free"));
    }
    ~RankingTest() override { ClearFileFailuresForTest(); }

    testsupport::GameFolder folder;
};

TEST_F(RankingTest, ResultsTakeTheirPlaces)
{
    cRanking ranking;
    cRankingTable& score = ranking.m_Tables[RANKING_SCORE];
    EXPECT_EQ(score.FindRank(5), 0);  // an empty table takes any value first
    for (int v : {200, 300, 100}) {
        score.Insert("abc", v);
    }
    EXPECT_EQ(score.FindRank(100), 3);
    score.Insert("new", 100);
    EXPECT_EQ(Values(score), (std::vector<int>{300, 200, 100, 100}));
    EXPECT_EQ(score.m_Entries[3].strName, "new");  // after the equal value already there
    EXPECT_EQ(score.m_Entries.size(), 20u);

    cRankingTable& clear = ranking.m_Tables[RANKING_CLEAR_TIME];
    clear.Insert("a", 6500);
    clear.Insert("b", 6000);
    EXPECT_EQ(Values(clear), (std::vector<int>{6000, 6500}));
}

TEST_F(RankingTest, AFullTableKeepsItsLengthAndItsBest)
{
    cRankingTable& table = Ranking.m_Tables[RANKING_HP_LEFT];
    Ranking.Reset();
    for (int i = 0; i < 20; ++i) {
        table.Insert("x", 100 - i);  // 100 .. 81
    }
    EXPECT_EQ(table.FindRank(81), -1);
    table.Insert("eq", 81);  // equal to the 20th: no place
    EXPECT_EQ(Values(table).back(), 81);
    EXPECT_EQ(table.m_Entries[19].strName, "x");
    table.Insert("top", 1000);
    EXPECT_EQ(table.m_Entries.size(), 20u);
    EXPECT_EQ(Values(table).front(), 1000);
    EXPECT_EQ(Values(table).back(), 82);  // the old 20th dropped out
    Ranking.Reset();
}

TEST_F(RankingTest, PathsFollowThePlayKind)
{
    std::string path = "unchanged";
    EXPECT_EQ(MakeRankingPath(path, 1, "data\\stg4\\c01-1.stg4"), 1);
    EXPECT_EQ(path, "user_data\\challenge\\c01-1.stg4rkg");
    EXPECT_EQ(MakeRankingPath(path, 0, "stage.stg4"), 1);
    EXPECT_EQ(path, "user_data\\story\\stage.stg4rkg");
    EXPECT_EQ(MakeRankingPath(path, 2, "a\\b"), 1);
    EXPECT_EQ(path, "user_data\\free\\brkg");
    EXPECT_EQ(MakeRankingPath(path, 2, "data/stg4/stage1.stg4"), 1);
    EXPECT_EQ(path, "user_data\\free\\stage1.stg4rkg");
    path = "unchanged";
    EXPECT_EQ(MakeRankingPath(path, 3, "stage.stg4"), 0);
    EXPECT_EQ(MakeRankingPath(path, -1, "stage.stg4"), 0);
    EXPECT_EQ(path, "unchanged");
}

TEST_F(RankingTest, SavedSetsHaveTheFileLayoutAndReadBack)
{
    cRanking ranking;
    EXPECT_EQ(ranking.SaveFile(0, "data\\s.stg4"), 1);
    EXPECT_EQ(folder.Read("user_data/story/s.stg4rkg").size(), 2096u);

    for (int t = 0; t < 5; ++t) {
        for (int i = 0; i < 20; ++i) {
            ranking.m_Tables[t].Insert("abc", 10 * i + t);
        }
    }
    ranking.m_Tables[0].Insert("", -5);  // takes no place: the table is full of 0 .. 190
    EXPECT_EQ(ranking.SaveFile(2, "data\\s.stg4"), 1);
    const std::string saved = folder.Read("user_data/free/s.stg4rkg");
    EXPECT_EQ(saved.size(), 2496u);

    // Expected bytes, built from the layout: tables 0, 1, 3, 4 best first from the highest.
    std::vector<std::vector<Place>> tables(5);
    for (int t = 0; t < 5; ++t) {
        for (int i = 0; i < 20; ++i) {
            const int rank = t == RANKING_CLEAR_TIME ? i : 19 - i;
            tables[static_cast<std::size_t>(t)].push_back(Place{1, 10 * rank + t, "abc"});
        }
    }
    const ByteWriter expected = RankingFile(720, tables);
    EXPECT_EQ(saved, std::string(expected.Data().begin(), expected.Data().end()));

    cRanking loaded;
    ASSERT_EQ(loaded.LoadFile(2, "other\\s.stg4"), 1);
    for (int t = 0; t < 5; ++t) {
        EXPECT_EQ(Values(loaded.m_Tables[t]), Values(ranking.m_Tables[t])) << t;
        EXPECT_EQ(loaded.m_Tables[t].m_Entries[5].strName, "abc");
    }
    // Another play kind's file is missing: empty tables.
    EXPECT_EQ(loaded.LoadFile(1, "data\\s.stg4"), 0);
    ExpectEmptyNormalSet(loaded);
}

TEST_F(RankingTest, OldFilesGainTheMissingTables)
{
    folder.Write("user_data/story/old.stg4rkg",
                 RankingFile(180, {{{1, 50, "aa"}}, {}, {{1, 900, "b"}, {1, 1200, "c"}}}).Data());
    cRanking ranking;
    ASSERT_EQ(ranking.LoadFile(0, "old.stg4"), 1);
    ASSERT_EQ(ranking.m_Tables.size(), 5u);
    EXPECT_EQ(Values(ranking.m_Tables[0]), (std::vector<int>{50}));
    EXPECT_EQ(Values(ranking.m_Tables[2]), (std::vector<int>{900, 1200}));
    for (int t : {3, 4}) {
        EXPECT_EQ(ranking.m_Tables[t].bHigherBetter, 1);
        EXPECT_TRUE(Values(ranking.m_Tables[t]).empty());
        EXPECT_EQ(ranking.m_Tables[t].m_Entries.size(), 20u);
    }
}

TEST_F(RankingTest, NewerFilesAreKeptAsStored)
{
    // Seven tables of 25 places, table 2 stored "higher first": all of it stays, and a save
    // writes the same bytes back.
    std::vector<std::vector<Place>> tables(7);
    for (int i = 0; i < 25; ++i) {
        tables[0].push_back(Place{1, 1000 - i, "n"});
    }
    const ByteWriter stored = RankingFile(720, tables, 25);
    std::vector<std::uint8_t> bytes = stored.Data();
    const std::int32_t higherFirst = 1;
    const std::size_t table2 = 16 + (16 + 25 * 22) + (16 + 25 * 20);  // places with name "n" take 22 bytes
    std::memcpy(bytes.data() + table2 + 4, &higherFirst, 4);
    folder.Write("user_data/story/big.stg4rkg", bytes);
    cRanking ranking;
    ASSERT_EQ(ranking.LoadFile(0, "big.stg4"), 1);
    ASSERT_EQ(ranking.m_Tables.size(), 7u);
    EXPECT_EQ(ranking.m_Tables[0].m_Entries.size(), 25u);
    EXPECT_EQ(Values(ranking.m_Tables[0]).back(), 976);
    EXPECT_EQ(ranking.m_Tables[2].bHigherBetter, 1);
    ASSERT_EQ(ranking.SaveFile(0, "big.stg4"), 1);
    EXPECT_EQ(folder.Read("user_data/story/big.stg4rkg"), std::string(bytes.begin(), bytes.end()));

    // A result past the 20th place still ranks among the stored 25, after the equal one.
    ranking.m_Tables[0].Insert("z", 977);
    ASSERT_EQ(ranking.m_Tables[0].m_Entries.size(), 25u);
    EXPECT_EQ(ranking.m_Tables[0].m_Entries[23].strName, "n");
    EXPECT_EQ(ranking.m_Tables[0].m_Entries[24].strName, "z");
    EXPECT_EQ(ranking.m_Tables[0].m_Entries[24].nValue, 977);
}

TEST_F(RankingTest, NewerFilesGainTheMissingTablesOnly)
{
    // Tables the game fills and draws are made up empty, with their kinds' orders; the stored
    // ones keep their place counts.
    folder.Write("user_data/story/none.stg4rkg", RankingFile(720, {}).Data());
    cRanking ranking;
    ASSERT_EQ(ranking.LoadFile(0, "none.stg4"), 1);
    ExpectEmptyNormalSet(ranking);

    folder.Write("user_data/story/two.stg4rkg", RankingFile(720, {{{1, 40, "a"}}, {}}, 3).Data());
    ASSERT_EQ(ranking.LoadFile(0, "two.stg4"), 1);
    ASSERT_EQ(ranking.m_Tables.size(), 5u);
    EXPECT_EQ(ranking.m_Tables[0].m_Entries.size(), 3u);
    EXPECT_EQ(Values(ranking.m_Tables[0]), (std::vector<int>{40}));
    EXPECT_EQ(ranking.m_Tables[2].bHigherBetter, 0);
    EXPECT_EQ(ranking.m_Tables[4].bHigherBetter, 1);
    EXPECT_EQ(ranking.m_Tables[4].m_Entries.size(), 20u);
}

// A set that says it has a member more than this version knows is read as far as it goes and
// still gives the five tables it is used as.
TEST_F(RankingTest, ASetWithAnUnknownMemberStillGivesFiveTables)
{
    std::vector<std::vector<Place>> tables(5, std::vector<Place>{{1, 77, "abc"}});
    std::vector<std::uint8_t> bytes = RankingFile(720, tables).Data();
    const std::int32_t members = 3;
    std::memcpy(bytes.data() + 4, &members, 4);
    folder.Write("user_data/free/more.stg4rkg", bytes);
    cRanking ranking;
    ranking.LoadFile(2, "more.stg4");
    ASSERT_EQ(ranking.m_Tables.size(), 5u);
    for (const auto& table : ranking.m_Tables) {
        EXPECT_LE(table.m_Entries.size(), 20u);
    }
}

// A good file with one count or length replaced, or the file cut short.
struct Damage {
    const char* what;
    std::size_t offset;  // where the int32 is replaced; or the length the file is cut to
    std::int32_t value;
    bool cut;
};

void PrintTo(const Damage& d, std::ostream* os)
{
    *os << d.what;
}

class RankingDamageTest : public RankingTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(RankingDamageTest, ADamagedFileCountsAsMissing)
{
    const Damage& d = GetParam();
    std::vector<std::vector<Place>> tables(5, std::vector<Place>{{1, 77, "abc"}});
    std::vector<std::uint8_t> bytes = RankingFile(720, tables).Data();
    if (d.cut) {
        bytes.resize(d.offset);
    } else {
        std::memcpy(bytes.data() + d.offset, &d.value, 4);
    }
    folder.Write("user_data/free/bad.stg4rkg", bytes);

    testsupport::TestMainWindow window;
    cRanking ranking;
    ranking.m_Tables[0].Insert("old", 5);
    EXPECT_EQ(ranking.LoadFile(2, "bad.stg4"), 0) << d.what;
    ExpectEmptyNormalSet(ranking);
    // The user's file never closes the program; it is kept aside before a save can replace it.
    EXPECT_EQ(window.TakePosted(WM_CLOSE), 0);
    EXPECT_FALSE(folder.Exists("user_data/free/bad.stg4rkg"));
    EXPECT_EQ(folder.Read("user_data/free/bad.stg4rkg.damaged"), std::string(bytes.begin(), bytes.end()));
}

// Offsets: 12 the table count; table 0 at 16 (its entry count at 28, first place at 32: its
// member count at 32, string count at 44, name length at 48).
INSTANTIATE_TEST_SUITE_P(
    Files, RankingDamageTest,
    ::testing::Values(Damage{"table count too large", 12, 6, false}, Damage{"table count huge", 12, 0x7FFFFFFF, false},
                      Damage{"table count negative", 12, -1, false}, Damage{"table members", 16, 9, false},
                      Damage{"entry count too large", 28, 21 * 5, false},
                      Damage{"entry count huge", 28, 0x40000000, false}, Damage{"entry count negative", 28, -20, false},
                      Damage{"place members", 32, 40, false}, Damage{"place strings", 44, 1000, false},
                      Damage{"name length 0", 48, 0, false}, Damage{"name length past the end", 48, 100000, false},
                      Damage{"cut in the version", 3, 0, true}, Damage{"cut in the set", 14, 0, true},
                      Damage{"cut in a table head", 30, 0, true}, Damage{"cut in a name", 54, 0, true},
                      Damage{"cut in the last table", 2000, 0, true}),
    [](const ::testing::TestParamInfo<Damage>& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST_F(RankingTest, AFailedSaveKeepsTheGoodFile)
{
    cRanking good;
    good.m_Tables[0].Insert("abc", 123);
    ASSERT_EQ(good.SaveFile(1, "c01-1.stg4"), 1);
    const std::string before = folder.Read("user_data/challenge/c01-1.stg4rkg");

    cRanking other;
    other.m_Tables[0].Insert("zzz", 999);
    AddFileFailureForTest("user_data\\challenge\\c01-1.stg4rkg.tmp");
    EXPECT_EQ(other.SaveFile(1, "c01-1.stg4"), 0);
    EXPECT_EQ(folder.Read("user_data/challenge/c01-1.stg4rkg"), before);
    EXPECT_FALSE(folder.Exists("user_data/challenge/c01-1.stg4rkg.tmp"));

    // The replay kind has no ranking file.
    EXPECT_EQ(other.SaveFile(3, "c01-1.stg4"), 0);
    cRanking loaded;
    ASSERT_EQ(loaded.LoadFile(1, "c01-1.stg4"), 1);
    EXPECT_EQ(loaded.m_Tables[0].m_Entries[0].nValue, 123);
}

// Every numbered variant of a stage keeps the ranking of the stage's own name.
TEST(RankingStageNameTest, IsTheStagesOwnNameWhicheverVariantWasRead)
{
    const struct {
        const char* file;
        const char* name;
    } cases[] = {
        {"data\\stg4\\c01-1.stg4", "data\\stg4\\c01-1.stg4"},
        {"data\\stg4\\c01-1.stg4_000", "data\\stg4\\c01-1.stg4"},
        {"data\\stg4\\c01-1.stg4_003", "data\\stg4\\c01-1.stg4"},
        {"data/stg4/stage1.stg4_001", "data\\stg4\\stage1.stg4"},
        {"stage.old", "stage.stg4"},
        {"data\\plain", "data\\plain"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RankingStageName(c.file), c.name) << c.file;
    }
}

TEST(TimeToStrTest, MinutesSecondsHundredths)
{
    struct Case {
        int t;
        const char* text;
    };
    const Case cases[] = {{12345, "02:03.45"}, {599999, "99:59.99"}, {600000, "100:00.00"},
                          {5, "00:00.05"},     {0, "00:00.00"},      {-6123, "-01:-01.-23"}};
    for (const Case& c : cases) {
        std::string out;
        TimeToStr(out, c.t);
        EXPECT_EQ(out, c.text) << c.t;
    }
}

}  // namespace
