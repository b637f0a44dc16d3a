#include "core/cDataRecord.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "CoreTestSupport.h"
#include "core/RecordList.h"
#include "core/ReportLog.h"

namespace {

using coretest::Bytes;
using coretest::CrLfLines;
using coretest::MainWindow;
using coretest::TempFolder;

// The record of the format's example: int32 a, int16 b and one string.
class ExampleRecord : public cDataRecord {
public:
    std::int32_t a = 0;
    std::int16_t b = 0;
    std::string s;

    ExampleRecord() { RegisterMembers(nDataVersion); }
    void RegisterMembers(int) override
    {
        ClearMemberList();
        AddDwordMember(&a, 1);
        AddWordMember(&b, 1);
        AddStrMember(&s, 1);
    }
};

// A record that gained `added` at version 710, with every member width, two strings and a list.
class VersionedRecord : public cDataRecord {
public:
    std::int32_t first = 0;
    std::int32_t added = 0;
    double d = 0.0;
    std::uint8_t flags[3] = {};
    std::string name;
    std::string text;
    cVector<ExampleRecord> items;

    VersionedRecord() { RegisterMembers(nDataVersion); }
    void RegisterMembers(int nVersion) override
    {
        ClearMemberList();
        AddDwordMember(&first, 1);
        if (nVersion >= 710) {
            AddDwordMember(&added, 1);
        }
        AddQwordMember(&d, 1);
        AddByteMember(flags, 3);
        AddStrMember(&name, 1);
        AddStrMember(&text, 1);
    }
    int Load(FILE* fp) override { return cDataRecord::Load(fp) && LoadRecordList(fp, items); }
    int Save(FILE* fp) override { return cDataRecord::Save(fp) && SaveRecordList(fp, items); }
};

class cDataRecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        nDataVersion = 720;
        bRemoveCR = 0;
        SetECLog(0, "EC_Game.txt");
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    }
    void TearDown() override
    {
        nDataVersion = 720;
        bRemoveCR = 0;
        ClearFileFailuresForTest();
    }

    TempFolder folder;
    MainWindow window;  // receives the WM_CLOSE of a bad index
};

TEST_F(cDataRecordTest, SavesTheExampleAsItsTwentyFourBytes)
{
    ExampleRecord r;
    r.a = 1;
    r.b = 2;
    r.s = "x";
    ASSERT_EQ(r.SaveFile("rec.dat"), 1);
    const std::string expected("\xD0\x02\x00\x00"
                               "\x02\x00\x00\x00"
                               "\x01\x00\x00\x00"
                               "\x02\x00"
                               "\x01\x00\x00\x00"
                               "\x02\x00\x00\x00"
                               "\x78\x00",
                               24);
    EXPECT_EQ(folder.Read("rec.dat"), expected);
    EXPECT_FALSE(folder.Exists("rec.dat.tmp"));

    ExampleRecord back;
    ASSERT_EQ(back.LoadFile("rec.dat"), 1);
    EXPECT_EQ(nFileVersion, 720);
    EXPECT_EQ(back.a, 1);
    EXPECT_EQ(back.b, 2);
    EXPECT_EQ(back.s, "x");
}

TEST_F(cDataRecordTest, EmptyStringIsLengthOneAndNothingElse)
{
    ExampleRecord r;
    r.s = "";
    ASSERT_EQ(r.SaveFile("rec.dat"), 1);
    std::string bytes = folder.Read("rec.dat");
    ASSERT_EQ(bytes.size(), 22u);
    EXPECT_EQ(bytes.substr(18), std::string("\x01\x00\x00\x00", 4));

    folder.Write("in.dat", Bytes().I32(720).I32(2).I32(7).I16(8).I32(1).I32(1).str());
    ExampleRecord back;
    back.s = "old";
    ASSERT_EQ(back.LoadFile("in.dat"), 1);
    EXPECT_EQ(back.s, "");
    EXPECT_EQ(back.a, 7);
}

TEST_F(cDataRecordTest, LoadRemovesEveryCarriageReturnWhileAsked)
{
    const std::string stored("a\r\nb\rc", 6);
    folder.Write("in.dat", Bytes().I32(720).I32(2).I32(0).I16(0).I32(1).Str(stored).str());
    ExampleRecord kept;
    ASSERT_EQ(kept.LoadFile("in.dat"), 1);
    EXPECT_EQ(kept.s, stored);

    bRemoveCR = 1;
    ExampleRecord stripped;
    ASSERT_EQ(stripped.LoadFile("in.dat"), 1);
    EXPECT_EQ(stripped.s, "a\nbc");
}

TEST_F(cDataRecordTest, SaveCutsAStringAtItsFirstNul)
{
    ExampleRecord r;
    r.s = std::string("ab\0cd", 5);
    ASSERT_EQ(r.SaveFile("rec.dat"), 1);
    EXPECT_EQ(r.s, "ab");
    EXPECT_EQ(folder.Read("rec.dat").substr(18), std::string("\x03\x00\x00\x00"
                                                             "ab\0",
                                                             7));
}

TEST_F(cDataRecordTest, SaveCutsOverlongTextsAtACharacterBoundary)
{
    ExampleRecord r;
    r.s = std::string(5118, 'x') + "\x82\xa0";  // a double-byte character across byte 5119
    ASSERT_EQ(r.SaveFile("rec.dat"), 1);
    EXPECT_EQ(r.s, std::string(5118, 'x'));
    ExampleRecord back;
    ASSERT_EQ(back.LoadFile("rec.dat"), 1);
    EXPECT_EQ(back.s, std::string(5118, 'x'));
}

TEST_F(cDataRecordTest, OlderFileKeepsTheNewerMemberAndSavesTheCurrentLayout)
{
    // Version 700: no `added`; three raw members.
    folder.Write("old.dat",
                 Bytes().I32(700).I32(3).I32(11).F64(2.5).U8(1).U8(2).U8(3).I32(2).Str("n").Str("t").I32(0).str());
    VersionedRecord r;
    r.added = 55;
    ASSERT_EQ(r.LoadFile("old.dat"), 1);
    EXPECT_EQ(nFileVersion, 700);
    EXPECT_EQ(r.first, 11);
    EXPECT_EQ(r.added, 55);
    EXPECT_EQ(r.d, 2.5);
    EXPECT_EQ(r.flags[2], 3);
    EXPECT_EQ(r.name, "n");
    EXPECT_EQ(r.MemberTable().size(), 4u);  // registered for 720 again

    ASSERT_EQ(r.SaveFile("new.dat"), 1);
    EXPECT_EQ(folder.Read("new.dat"),
              Bytes().I32(720).I32(4).I32(11).I32(55).F64(2.5).U8(1).U8(2).U8(3).I32(2).Str("n").Str("t").I32(0).str());
}

TEST_F(cDataRecordTest, MissingFilesFailAndChangeNothing)
{
    ExampleRecord r;
    r.a = 5;
    EXPECT_EQ(r.LoadFile("missing.dat"), 0);
    EXPECT_EQ(r.a, 5);
    EXPECT_EQ(r.SaveFile("no_folder\\rec.dat"), 0);
    EXPECT_FALSE(folder.Exists("no_folder"));
}

TEST_F(cDataRecordTest, EmptyPathOpensTheFileNamedErr)
{
    ExampleRecord r;
    EXPECT_EQ(r.LoadFile(""), 0);
    folder.Write("err", Bytes().I32(720).I32(2).I32(3).I16(4).I32(1).Str("e").str());
    ASSERT_EQ(r.LoadFile(""), 1);
    EXPECT_EQ(r.s, "e");
}

TEST_F(cDataRecordTest, ClearZeroesMembersAndKeepsLists)
{
    VersionedRecord r;
    r.first = 1;
    r.added = 2;
    r.d = 3.5;
    r.flags[1] = 7;
    r.name = "n";
    r.items.resize(2);
    r.Clear();
    EXPECT_EQ(r.first, 0);
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(r.d, 0.0);
    EXPECT_EQ(r.flags[1], 0);
    EXPECT_EQ(r.name, "");
    EXPECT_EQ(r.items.size(), 2u);
}

TEST_F(cDataRecordTest, BaseAssignmentRebasesTheTablesAndCopiesNoValues)
{
    VersionedRecord source;
    source.first = 1;
    source.name = "source";
    VersionedRecord target;
    target.first = 3;
    target.name = "target";
    static_cast<cDataRecord&>(target) = source;
    EXPECT_EQ(target.first, 3);
    EXPECT_EQ(target.name, "target");
    ASSERT_EQ(target.MemberTable().size(), 4u);
    EXPECT_EQ(target.MemberTable()[0].lpOwner, &target);
    EXPECT_EQ(target.MemberTable()[0].lpData, &target.first);
    EXPECT_EQ(target.MemberTable()[3].lpData, target.flags);
    EXPECT_EQ(target.StrMemberTable()[1].lpStr, &target.text);
}

TEST_F(cDataRecordTest, DescriptorAssignmentKeepsItsOwner)
{
    ExampleRecord a, b;
    MEMBERINFO descriptor = b.MemberTable()[1];
    descriptor = a.MemberTable()[1];
    EXPECT_EQ(descriptor.lpOwner, &b);
    EXPECT_EQ(descriptor.lpData, &b.b);
    EXPECT_EQ(descriptor.nSize, 2);
    MEMBERINFO copy(a.MemberTable()[1]);
    EXPECT_EQ(copy.lpData, &a.b);
}

TEST_F(cDataRecordTest, VectorAssignmentLeavesEachElementNamingItsOwnMembers)
{
    cVector<ExampleRecord> source(2);
    source[1].a = 9;
    cVector<ExampleRecord> target(5);
    target = source;
    ASSERT_EQ(target.size(), 2u);
    EXPECT_EQ(target[1].a, 9);
    target[1].Clear();  // walks the tables: must clear target[1], not source[1]
    EXPECT_EQ(source[1].a, 9);
    EXPECT_EQ(target[1].MemberTable()[0].lpData, &target[1].a);
}

TEST_F(cDataRecordTest, CopyConstructedRecordNeverNamesTheSource)
{
    ExampleRecord source;
    source.s = "a\rb";
    ExampleRecord copy(source);
    copy.RemoveCR();  // tables not yet registered: nothing to walk, the source stays untouched
    EXPECT_EQ(source.s, "a\rb");
    copy.Clear();
    EXPECT_EQ(copy.s, "");
    EXPECT_EQ(source.s, "a\rb");

    // A vector that grows moves its records: none may keep descriptors into the old storage.
    cVector<ExampleRecord> records(1);
    records[0].s = "c\rd";
    records.resize(64);
    records[0].RemoveCR();
    records[0].Clear();
    EXPECT_EQ(records[0].s, "");
}

TEST_F(cDataRecordTest, CopyMembersCopiesValuesButNotLists)
{
    VersionedRecord source;
    source.first = 4;
    source.d = 1.25;
    source.text = "copied";
    source.items.resize(3);
    VersionedRecord target;
    target.CopyMembers(source);
    EXPECT_EQ(target.first, 4);
    EXPECT_EQ(target.d, 1.25);
    EXPECT_EQ(target.text, "copied");
    EXPECT_TRUE(target.items.empty());
}

TEST_F(cDataRecordTest, CopyMembersFromAShorterRecordCopiesOnlyWhatBothHave)
{
    ExampleRecord source;  // int32, int16, one string
    source.a = 0x01020304;
    source.b = 0x0506;
    source.s = "from";
    VersionedRecord target;  // int32, int32, double, 3 bytes, two strings
    target.added = 0x7F7F7F7F;
    target.d = 2.5;
    target.text = "kept";
    target.CopyMembers(source);
    EXPECT_EQ(target.first, 0x01020304);
    EXPECT_EQ(target.added, 0x7F7F0506);  // the two bytes the source's member has
    EXPECT_EQ(target.d, 2.5);             // the source has no third member
    EXPECT_EQ(target.name, "from");
    EXPECT_EQ(target.text, "kept");
    const std::vector<std::string> lines = CrLfLines(folder.Read("Report_Game.txt"));
    // The descriptor tables report their elements as 16 (raw member) and 8 (string) bytes.
    EXPECT_EQ(lines, (std::vector<std::string>{"err V[2] ( 2 , 16 )", "err V[1] ( 1 , 8 )"}));
}

TEST_F(cDataRecordTest, ListsAndSeveralRecordsInOneFileRoundTrip)
{
    VersionedRecord r;
    r.first = 8;
    r.items.resize(2);
    r.items[0].s = "i0";
    r.items[1].a = 21;
    ExampleRecord tail;
    tail.a = 99;

    FILE* fp = OpenDatSave("multi.dat");
    ASSERT_NE(fp, nullptr);
    EXPECT_EQ(r.Save(fp), 1);
    EXPECT_EQ(tail.Save(fp), 1);
    EXPECT_EQ(CloseDat(fp), 1);

    VersionedRecord r2;
    ExampleRecord tail2;
    fp = OpenDatLoad("multi.dat");
    ASSERT_NE(fp, nullptr);
    EXPECT_EQ(r2.Load(fp), 1);
    EXPECT_EQ(tail2.Load(fp), 1);
    EXPECT_EQ(RecordBytesLeft(fp), 0);
    CloseDat(fp);
    EXPECT_EQ(r2.first, 8);
    ASSERT_EQ(r2.items.size(), 2u);
    EXPECT_EQ(r2.items[0].s, "i0");
    EXPECT_EQ(r2.items[1].a, 21);
    EXPECT_EQ(tail2.a, 99);
}

TEST_F(cDataRecordTest, FailedSaveKeepsTheOldFile)
{
    const std::string old = Bytes().I32(720).I32(2).I32(1).I16(1).I32(1).I32(1).str();
    folder.Write("rec.dat", old);
    AddFileFailureForTest("rec.dat");
    ExampleRecord r;
    r.a = 123;
    EXPECT_EQ(r.SaveFile("rec.dat"), 0);
    ClearFileFailuresForTest();
    EXPECT_EQ(folder.Read("rec.dat"), old);
    EXPECT_FALSE(folder.Exists("rec.dat.tmp"));
    EXPECT_EQ(CrLfLines(folder.Read("Report_Game.txt")), std::vector<std::string>{"Save failed : rec.dat"});
}

// A record that writes its members and then refuses the rest of its save (a part it cannot
// write), without any stream error.
class RefusingRecord : public ExampleRecord {
public:
    int Save(FILE* fp) override
    {
        ExampleRecord::Save(fp);
        return 0;
    }
};

TEST_F(cDataRecordTest, ASaveThatRefusesPartOfTheRecordKeepsTheOldFile)
{
    const std::string old = Bytes().I32(720).I32(2).I32(1).I16(1).I32(1).I32(1).str();
    folder.Write("rec.dat", old);
    RefusingRecord r;
    r.a = 123;
    EXPECT_EQ(r.SaveFile("rec.dat"), 0);
    EXPECT_EQ(folder.Read("rec.dat"), old);
    EXPECT_FALSE(folder.Exists("rec.dat.tmp"));
    EXPECT_EQ(CrLfLines(folder.Read("Report_Game.txt")), std::vector<std::string>{"Save failed : rec.dat"});
}

// The valid 720 layout of VersionedRecord up to (not including) the string part.
Bytes RawPart()
{
    return Bytes().I32(720).I32(4).I32(1).I32(2).F64(3.0).U8(4).U8(5).U8(6);
}

TEST_F(cDataRecordTest, MalformedFilesAreRefusedWithoutReadingPastTheEnd)
{
    struct Case {
        const char* what;
        std::string bytes;
        bool firstKept;  // nothing of the raw part was taken
    };
    const Case cases[] = {
        {"empty file", "", true},
        {"short version", std::string("\xD0\x02", 2), true},
        {"version only", Bytes().I32(720).str(), true},
        {"negative member count", Bytes().I32(720).I32(-1).I32(1).str(), true},
        {"huge member count", Bytes().I32(720).I32(INT_MAX).I32(1).str(), true},
        {"surplus members the file cannot hold",
         Bytes().I32(720).I32(100).I32(1).I32(2).F64(3.0).U8(4).U8(5).U8(6).I32(7).str(), true},
        {"file ends inside a member", Bytes().I32(720).I32(4).I32(1).I16(0).str(), false},
        {"file ends before the strings", RawPart().str(), false},
        {"negative string count", RawPart().I32(-5).str(), false},
        {"huge string count", RawPart().I32(INT_MAX).Str("a").str(), false},
        {"surplus string past the end", RawPart().I32(3).Str("a").Str("b").I32(9).Text("c").str(), false},
        {"string length 0", RawPart().I32(2).I32(0).Str("b").I32(0).str(), false},
        {"negative string length", RawPart().I32(2).I32(-7).Text("abc").str(), false},
        {"string past the end", RawPart().I32(2).I32(100).Text("abc").str(), false},
        {"huge string length", RawPart().I32(2).I32(INT_MAX).Text("abc").str(), false},
        {"file ends before the list", RawPart().I32(2).Str("a").Str("b").str(), false},
        {"negative list count", RawPart().I32(2).Str("a").Str("b").I32(-1).str(), false},
        {"huge list count", RawPart().I32(2).Str("a").Str("b").I32(INT_MAX).I32(0).I32(0).str(), false},
        {"list element cut short", RawPart().I32(2).Str("a").Str("b").I32(1).I32(2).I32(1).str(), false},
    };
    for (const Case& c : cases) {
        folder.Write("bad.dat", c.bytes);
        VersionedRecord r;
        r.first = 99;
        EXPECT_EQ(r.LoadFile("bad.dat"), 0) << c.what;
        EXPECT_EQ(r.first == 99, c.firstKept) << c.what;
        EXPECT_EQ(r.MemberTable().size(), 4u) << c.what;  // registered for the current version again
        EXPECT_LE(r.items.size(), 1u) << c.what;
    }
}

// A file written by a version with more members: each surplus member and string is reported as
// a bad index (element sizes 16 and 8) and passed over, the members keep what they read, the load
// goes on (the record after it in the same file reads in place) and the program is asked to close.
TEST_F(cDataRecordTest, SurplusMembersAreReportedPassedOverAndTheLoadGoesOn)
{
    struct Case {
        const char* what;
        Bytes record;  // one ExampleRecord (int32 a, int16 b, string s) as a newer version wrote it
        std::vector<std::string> reported;
    };
    const Case cases[] = {
        {"one surplus member, the first member's width",
         Bytes().I32(3).I32(1).I16(2).I32(333).I32(1).Str("s"),
         {"err V[2] ( 2 , 16 )"}},
        {"two surplus members",
         Bytes().I32(4).I32(1).I16(2).I32(333).I32(444).I32(1).Str("s"),
         {"err V[2] ( 2 , 16 )", "err V[3] ( 2 , 16 )"}},
        {"two surplus strings, one empty",
         Bytes().I32(2).I32(1).I16(2).I32(3).Str("s").Str("extra").I32(1),
         {"err V[1] ( 1 , 8 )", "err V[2] ( 1 , 8 )"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        folder.Write("Report_Game.txt", "");
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
        folder.Write("newer.dat",
                     Bytes().I32(720).str() + c.record.str() + Bytes().I32(2).I32(7).I16(8).I32(1).Str("next").str());
        ExampleRecord r;
        ExampleRecord next;
        FILE* fp = OpenDatLoad("newer.dat");
        ASSERT_NE(fp, nullptr);
        EXPECT_EQ(r.Load(fp), 1);
        EXPECT_EQ(next.Load(fp), 1);
        EXPECT_EQ(RecordBytesLeft(fp), 0);
        CloseDat(fp);
        EXPECT_EQ(r.a, 1);
        EXPECT_EQ(r.b, 2);
        EXPECT_EQ(r.s, "s");
        EXPECT_EQ(next.a, 7);
        EXPECT_EQ(next.b, 8);
        EXPECT_EQ(next.s, "next");
        EXPECT_EQ(CrLfLines(folder.Read("Report_Game.txt")), c.reported);
        EXPECT_EQ(window.TakePosted(WM_CLOSE), static_cast<int>(c.reported.size()));
    }
}

TEST_F(cDataRecordTest, StringBlockWithoutNulIsTakenWhole)
{
    folder.Write("in.dat", Bytes().I32(720).I32(2).I32(0).I16(0).I32(1).I32(2).Text("ab").str());
    ExampleRecord r;
    ASSERT_EQ(r.LoadFile("in.dat"), 1);
    EXPECT_EQ(r.s, "ab");
}

TEST_F(cDataRecordTest, FewerMembersThanRegisteredLeaveTheRestAsTheyWere)
{
    folder.Write("in.dat", Bytes().I32(720).I32(1).I32(6).I32(1).Str("z").str());
    ExampleRecord r;
    r.b = 44;
    ASSERT_EQ(r.LoadFile("in.dat"), 1);
    EXPECT_EQ(r.a, 6);
    EXPECT_EQ(r.b, 44);
    EXPECT_EQ(r.s, "z");
}

}  // namespace
