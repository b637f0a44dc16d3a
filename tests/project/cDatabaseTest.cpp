#include "project/cDatabase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProjectTestSupport.h"
#include "core/TextHelpers.h"

namespace {

using projecttest::ProjectTest;
using testsupport::ByteWriter;
using testsupport::DatabaseSpec;
using testsupport::kDatabaseFiles;
using testsupport::MediaSpec;

class cDatabaseTest : public ProjectTest {
protected:
    // Writes the ten files of database into the game folder.
    void WriteDatabase(const DatabaseSpec& database) { testsupport::WriteDatabaseFiles(folder.Root(), database); }

    // The entry counts of the ten tables, in load order.
    static std::vector<std::size_t> Counts()
    {
        const cDatabase& d = Database;
        return {d.AnimeSet.size(),    d.Anime.size(),     d.Bmp_CharaExc.size(), d.SwordType.size(), d.Effect.size(),
                d.CharaEffect.size(), d.ScrEffect.size(), d.Picture.size(),      d.Sound.size(),     d.Bgm.size()};
    }

    // The text of the box that names a table file that could not be read.
    static std::string FailureText(const char* gamePath) { return gamePath + Sjis(" のロードに失敗！"); }
};

// A database in which every table has a count of its own (3, 4, ..., 12 entries).
DatabaseSpec CountedDatabase()
{
    DatabaseSpec d = testsupport::MinimalDatabase();
    d.animeSets.resize(3);
    d.animes.resize(4);
    d.bmpCharaExcs.resize(5);
    d.swordTypes.resize(6);
    d.effects.resize(7);
    d.charaEffects.resize(8);
    d.scrEffects.resize(9);
    d.pictures.resize(10);
    d.sounds.resize(11);
    d.bgms.resize(12);
    return d;
}

TEST_F(cDatabaseTest, DefaultContents)
{
    cDatabase database;
    EXPECT_EQ(database.AnimeSet.size(), 1u);
    EXPECT_EQ(database.AnimeSet[0].MotionList.size(), 4u);
    ASSERT_EQ(database.Anime.size(), 2u);
    EXPECT_EQ(database.Anime[0].strName, Sjis("なし"));
    EXPECT_EQ(database.Anime[1].strName, Sjis("アクションA"));
    EXPECT_EQ(database.Anime[1].FrameList.size(), 1u);
    EXPECT_EQ(database.Bmp_CharaExc.size(), 2u);
    ASSERT_EQ(database.SwordType.size(), 1u);
    EXPECT_EQ(database.SwordType[0].FrameList.size(), 1u);
    EXPECT_EQ(database.Effect.size(), 2u);
    ASSERT_EQ(database.CharaEffect.size(), 2u);
    EXPECT_EQ(database.CharaEffect[0].nKind, 1);
    ASSERT_EQ(database.ScrEffect.size(), 2u);
    EXPECT_EQ(database.ScrEffect[1].nKind, 1);
    EXPECT_EQ(database.Picture.size(), 2u);
    EXPECT_EQ(database.Sound.size(), 2u);
    EXPECT_EQ(database.Bgm.size(), 2u);
    EXPECT_TRUE(database.CharaEffectRev.empty());
    EXPECT_TRUE(database.ScrEffectRev.empty());
}

TEST_F(cDatabaseTest, LoadsTheTenTablesOfAGameFolder)
{
    DatabaseSpec d = CountedDatabase();
    d.animeSets[2].name = "hero";
    d.animes[3].frames = {{7, 3, 1}};
    d.bmpCharaExcs[4].fileName = "bmp\\Sheet.bmp";
    d.swordTypes[5].fileNameLeft = "bmp\\SwordL.bmp";
    d.effects[6].cellWidth = 64;
    d.charaEffects[0].kind = 5;
    d.charaEffects[7].kind = 16;
    d.scrEffects[0].kind = 13;
    d.scrEffects[8].params = {10, 1, 2, 3, 4};
    d.pictures[9].fileName = "bmp\\Picture.bmp";
    d.sounds[10].fileName = "wave\\se10.wav";
    d.bgms[11].fileName = "bgm\\Stage.ogg";
    WriteDatabase(d);

    ASSERT_EQ(Database.Load(), 1);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
    EXPECT_EQ(Counts(), (std::vector<std::size_t>{3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(Database.AnimeSet[2].strName, "hero");
    ASSERT_EQ(Database.Anime[3].FrameList.size(), 1u);
    EXPECT_EQ(Database.Anime[3].FrameList[0].nCell, 7);
    EXPECT_EQ(Database.Anime[3].FrameList[0].bLock, 1);
    EXPECT_EQ(Database.Bmp_CharaExc[4].strFileName, "bmp\\Sheet.bmp");
    EXPECT_EQ(Database.SwordType[5].strFileNameLeft, "bmp\\SwordL.bmp");
    EXPECT_EQ(Database.Effect[6].nCellWidth, 64);
    EXPECT_EQ(Database.CharaEffect[7].nKind, 16);
    EXPECT_EQ(Database.ScrEffect[8].nParam[4], 4);
    EXPECT_EQ(Database.Picture[9].strFileName, "bmp\\Picture.bmp");
    EXPECT_EQ(Database.Sound[10].strFileName, "wave\\se10.wav");
    EXPECT_EQ(Database.Bgm[11].strFileName, "bgm\\Stage.ogg");
    // Entry 0 of the two effect tables is no effect, whatever the file holds.
    EXPECT_EQ(Database.CharaEffect[0].nKind, 0);
    EXPECT_EQ(Database.ScrEffect[0].nKind, 0);
}

// A table file replaces the entry count; entries that were there keep what an older file does
// not store, appended ones start from the class defaults.
TEST_F(cDatabaseTest, TableTakesTheFileCountOverPresentAndAppendedEntries)
{
    DatabaseSpec d = testsupport::MinimalDatabase();
    d.version = 118;  // before nCellOffsetC and the large cells
    d.animeSets.resize(3);
    d.bmpCharaExcs.resize(3);
    d.pictures.resize(1);
    WriteDatabase(d);
    Database.AnimeSet[0].nCellOffsetC = 9;
    Database.Bmp_CharaExc[1].nCellSize = 5;

    ASSERT_EQ(Database.Load(), 1);
    ASSERT_EQ(Database.AnimeSet.size(), 3u);
    EXPECT_EQ(Database.AnimeSet[0].nCellOffsetC, 9);
    EXPECT_EQ(Database.AnimeSet[1].nCellOffsetC, 0);
    ASSERT_EQ(Database.Bmp_CharaExc.size(), 3u);
    EXPECT_EQ(Database.Bmp_CharaExc[0].nCellSize, 2);
    EXPECT_EQ(Database.Bmp_CharaExc[1].nCellSize, 5);
    EXPECT_EQ(Database.Bmp_CharaExc[2].nCellSize, 2);
    EXPECT_EQ(Database.Picture.size(), 1u);
}

// Entry 0 stands for "none" and its users rely on it: a table file without entries still yields
// one default entry.
TEST_F(cDatabaseTest, EmptyTableFilesYieldTheDefaultEntryZero)
{
    WriteDatabase(DatabaseSpec{});

    ASSERT_EQ(Database.Load(), 1);
    EXPECT_EQ(Counts(), std::vector<std::size_t>(10, 1));
    EXPECT_EQ(Database.AnimeSet[0].MotionList.size(), 4u);
    EXPECT_EQ(Database.Anime[0].FrameList.size(), 1u);
    EXPECT_EQ(Database.SwordType[0].FrameList.size(), 1u);
    EXPECT_EQ(Database.Effect[0].nCellWidth, 32);
    EXPECT_EQ(Database.CharaEffect[0].nKind, 0);
    EXPECT_EQ(Database.ScrEffect[0].nKind, 0);
}

TEST_F(cDatabaseTest, CarriageReturnsInStoredTextsAreRemoved)
{
    DatabaseSpec d = testsupport::MinimalDatabase();
    d.pictures[0].name = "a\r\nb\rc";
    d.animeSets[0].motions[1].name = "x\r\ny";
    WriteDatabase(d);

    ASSERT_EQ(Database.Load(), 1);
    EXPECT_EQ(Database.Picture[0].strName, "a\nbc");
    EXPECT_EQ(Database.AnimeSet[0].MotionList[1].strName, "x\ny");
}

// The first table file that cannot be opened ends the load: the box names it, the tables
// before it are read, the ones after it keep what they held.
TEST_F(cDatabaseTest, MissingFileEndsTheLoadAndIsNamedInTheBox)
{
    for (std::size_t missing = 0; missing < kDatabaseFiles.size(); ++missing) {
        SCOPED_TRACE(kDatabaseFiles[missing]);
        Database.SetDefault();
        ClearRecordedMessageBoxes();
        WriteDatabase(CountedDatabase());
        folder.Remove(kDatabaseFiles[missing]);
        const std::vector<std::size_t> defaults = Counts();

        EXPECT_EQ(Database.Load(), 0);
        const std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, FailureText(kDatabaseFiles[missing]));
        EXPECT_EQ(boxes[0].caption, Sjis("エラー"));
        const std::vector<std::size_t> counts = Counts();
        for (std::size_t i = 0; i < counts.size(); ++i) {
            EXPECT_EQ(counts[i], i < missing ? i + 3 : defaults[i]) << "table " << i;
        }
    }
}

// Every proper prefix of a table file is refused, as are hostile counts and lengths; nothing is
// read outside the tables (the sanitizers watch) and the box names the file.
TEST_F(cDatabaseTest, MalformedTableFilesAreRefused)
{
    DatabaseSpec d = testsupport::MinimalDatabase();
    d.animeSets[0].name = "set";
    d.animes[1].frames.resize(2);
    d.swordTypes[0].frames.resize(2);
    d.effects[0].frames.resize(2);
    d.sounds[0].fileName = "wave\\a.wav";
    const std::array<ByteWriter, 10> files = testsupport::DatabaseFileBytes(d);
    WriteDatabase(d);
    for (std::size_t f = 0; f < files.size(); ++f) {
        SCOPED_TRACE(kDatabaseFiles[f]);
        for (std::size_t cut = 0; cut < files[f].Size(); ++cut) {
            folder.Write(kDatabaseFiles[f], files[f].Truncated(cut));
            ClearRecordedMessageBoxes();
            ASSERT_EQ(Database.Load(), 0) << "cut at " << cut;
            const std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, FailureText(kDatabaseFiles[f]));
        }
        folder.Write(kDatabaseFiles[f], files[f].Data());
    }
}

TEST_F(cDatabaseTest, HostileCountsAndLengthsAreRefused)
{
    // Sound.dat variants: version, then the bytes after it.
    const std::vector<std::pair<const char*, ByteWriter>> cases = {
        {"negative entry count", ByteWriter().I32(-1)},
        {"entry count beyond the file", ByteWriter().I32(0x7FFFFFFF).I32(1).I32(0).I32(2).I32(1).I32(1)},
        {"negative raw count", ByteWriter().I32(1).I32(-5).I32(2).I32(1).I32(1)},
        {"more raw members than the file holds", ByteWriter().I32(1).I32(1000).I32(0).I32(0).I32(2).I32(1).I32(1)},
        {"negative string count", ByteWriter().I32(1).I32(1).I32(0).I32(-2)},
        {"string length 0", ByteWriter().I32(1).I32(1).I32(0).I32(2).I32(0).I32(1)},
        {"negative string length", ByteWriter().I32(1).I32(1).I32(0).I32(2).I32(-7).I32(1)},
        {"string length beyond the file", ByteWriter().I32(1).I32(1).I32(0).I32(2).I32(0x40000000).U8('a')},
    };
    for (const auto& [name, body] : cases) {
        SCOPED_TRACE(name);
        WriteDatabase(testsupport::MinimalDatabase());
        ByteWriter file;
        file.I32(720).Append(body);
        folder.Write("data\\database\\Sound.dat", file.Data());
        ClearRecordedMessageBoxes();
        EXPECT_EQ(Database.Load(), 0);
        const std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, FailureText("data\\database\\Sound.dat"));
    }
    // Counts inside entries: a motion list and a frame list that the file cannot hold.
    const std::vector<std::pair<const char*, ByteWriter>> listCases = {
        {"motion count beyond the file", ByteWriter().I32(1).I32(3).I32(4).I32(8).I32(0).I32(1).I32(1).I32(100000)},
        {"frame count beyond the file",
         ByteWriter().I32(1).I32(3).I32(4).I32(8).I32(0).I32(1).I32(1).I32(1).I32(0).I32(1).I32(1).I32(0x10000000)},
    };
    for (const auto& [name, body] : listCases) {
        SCOPED_TRACE(name);
        WriteDatabase(testsupport::MinimalDatabase());
        ByteWriter file;
        file.I32(720).Append(body);
        folder.Write("data\\database\\AnimeSet.dat", file.Data());
        ClearRecordedMessageBoxes();
        EXPECT_EQ(Database.Load(), 0);
        EXPECT_EQ(RecordedMessageBoxes().size(), 1u);
    }
}

}  // namespace
