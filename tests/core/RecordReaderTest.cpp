#include "core/RecordReader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

#include "CoreTestSupport.h"
#include "core/RecordList.h"
#include "core/ReportLog.h"
#include "core/cDataRecord.h"

namespace {

using coretest::Bytes;
using coretest::TempFolder;

class Element : public cDataRecord {
public:
    std::int32_t a = -1;
    std::string s = "default";

    Element() { RegisterMembers(nDataVersion); }
    void RegisterMembers(int) override
    {
        ClearMemberList();
        AddDwordMember(&a, 1);
        AddStrMember(&s, 1);
    }
};

// Raw members of every width (one gained at 710), two strings and a list.
class Record : public cDataRecord {
public:
    std::int32_t first = 99;
    std::int32_t added = 98;
    double d = 97.0;
    std::uint8_t flags[3] = {9, 9, 9};
    std::int16_t word = 96;
    std::string name = "keep";
    std::string text = "keep";
    cVector<Element> items;

    Record() { RegisterMembers(nDataVersion); }
    void RegisterMembers(int nVersion) override
    {
        ClearMemberList();
        AddDwordMember(&first, 1);
        if (nVersion >= 710) {
            AddDwordMember(&added, 1);
        }
        AddQwordMember(&d, 1);
        AddByteMember(flags, 3);
        AddWordMember(&word, 1);
        AddStrMember(&name, 1);
        AddStrMember(&text, 1);
    }
    int Load(FILE* fp) override { return cDataRecord::Load(fp) && LoadRecordList(fp, items); }

    std::string Describe() const
    {
        std::string out = std::to_string(first) + "," + std::to_string(added) + "," + std::to_string(d) + "," +
                          std::to_string(flags[0]) + std::to_string(flags[1]) + std::to_string(flags[2]) + "," +
                          std::to_string(word) + "," + name + "," + text + ",[";
        for (const Element& e : items) {
            out += std::to_string(e.a) + ":" + e.s + ";";
        }
        return out + "]";
    }
};

struct Outcome {
    int loaded = -1;
    std::string values;
    long left = -1;
    long position = -1;
};

// The raw part of a valid 720 file up to the strings.
Bytes RawPart(int version = 720)
{
    Bytes b;
    b.I32(version);
    if (version >= 710) {
        b.I32(5).I32(1).I32(2);
    } else {
        b.I32(4).I32(1);
    }
    return b.F64(3.5).U8(4).U8(5).U8(6).I16(7);
}

class RecordReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        nDataVersion = 720;
        bRemoveCR = 1;
        SetECLog(0, "EC_Game.txt");
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    }
    void TearDown() override { bRemoveCR = 0; }

    // Through OpenDatLoad: the file is read from memory.
    Outcome LoadFromMemory()
    {
        Outcome out;
        FILE* fp = OpenDatLoad("case.dat");
        if (fp == nullptr) {
            return out;
        }
        Record r;
        out.loaded = r.Load(fp);
        out.values = r.Describe();
        out.left = RecordBytesLeft(fp);
        out.position = std::ftell(fp);
        CloseDat(fp);
        return out;
    }
    // Through a plain stdio stream: every read goes to the C library.
    Outcome LoadFromStream()
    {
        Outcome out;
        FILE* fp = std::fopen(folder.Host("case.dat").c_str(), "rb");
        std::int32_t version = 0;
        if (fp == nullptr || !ReadInt32(fp, version)) {
            if (fp != nullptr) {
                std::fclose(fp);
            }
            return out;
        }
        nFileVersion = version;
        Record r;
        out.loaded = r.Load(fp);
        out.values = r.Describe();
        out.left = RecordBytesLeft(fp);
        out.position = std::ftell(fp);
        std::fclose(fp);
        return out;
    }

    TempFolder folder;
};

// Both readers give the same result, the same values and the same position on every file,
// well formed or not.
TEST_F(RecordReaderTest, MemoryAndStreamReadersAgreeOnEveryFile)
{
    const Bytes good =
        RawPart().I32(2).Str("ab\r").Str("").I32(2).I32(1).I32(5).I32(1).Str("e0").I32(1).I32(6).I32(1).Str("");
    const struct {
        const char* what;
        std::string bytes;
        int loaded;  // the result of the load; -1 when the file does not open
    } cases[] = {
        {"well formed", good.str(), 1},
        {"well formed, trailing bytes", Bytes(good).I32(77).str(), 1},
        {"older version", RawPart(700).I32(2).Str("old").Str("x").I32(0).str(), 1},
        {"short version", std::string("\xD0\x02", 2), -1},
        {"version only", Bytes().I32(720).str(), 0},
        {"negative member count", Bytes().I32(720).I32(-1).str(), 0},
        {"surplus member, file ends after it",
         Bytes().I32(720).I32(6).I32(1).I32(2).F64(3.0).U8(4).U8(5).U8(6).I16(7).I32(8).str(), 0},
        {"surplus member and string",
         Bytes()
             .I32(720)
             .I32(6)
             .I32(1)
             .I32(2)
             .F64(3.0)
             .U8(4)
             .U8(5)
             .U8(6)
             .I16(7)
             .I32(8)
             .I32(3)
             .Str("a")
             .Str("b")
             .Str("c")
             .I32(0)
             .str(),
         1},
        {"ends inside the double", Bytes().I32(720).I32(5).I32(1).I32(2).I32(0).str(), 0},
        {"ends inside the word", Bytes().I32(720).I32(5).I32(1).I32(2).F64(3.0).U8(4).U8(5).U8(6).U8(7).str(), 0},
        {"fewer members", Bytes().I32(720).I32(2).I32(1).I32(2).I32(0).I32(0).str(), 1},
        {"huge string count", RawPart().I32(INT_MAX).Str("a").str(), 0},
        {"string length 0", RawPart().I32(2).I32(0).str(), 0},
        {"string past the end", RawPart().I32(2).Str("a").I32(50).Text("abc").str(), 0},
        {"string without NUL", RawPart().I32(2).I32(3).Text("xyz").Str("t").I32(0).str(), 1},
        {"string with inner NUL", RawPart().I32(2).I32(4).Text(std::string("a\0b\0", 4)).Str("t").I32(0).str(), 1},
        {"CR and NUL beyond a word",
         RawPart().I32(2).Str("12345678\r9").I32(11).Text(std::string("abcdefgh\0j\0", 11)).I32(0).str(), 1},
        {"fewer strings", RawPart().I32(1).Str("only\r").I32(0).str(), 1},
        {"huge list count", RawPart().I32(2).Str("a").Str("b").I32(INT_MAX).I32(0).I32(0).str(), 0},
        {"list element cut short", RawPart().I32(2).Str("a").Str("b").I32(2).I32(1).I32(4).I32(1).I32(5).str(), 0},
    };
    for (const auto& c : cases) {
        folder.Write("case.dat", c.bytes);
        const Outcome memory = LoadFromMemory();
        const Outcome stream = LoadFromStream();
        EXPECT_EQ(memory.loaded, c.loaded) << c.what;
        EXPECT_EQ(stream.loaded, c.loaded) << c.what;
        EXPECT_EQ(memory.values, stream.values) << c.what;
        EXPECT_EQ(memory.left, stream.left) << c.what;
        EXPECT_EQ(memory.position, stream.position) << c.what;
    }
}

TEST_F(RecordReaderTest, WellFormedFileLoadsItsValues)
{
    folder.Write("case.dat", RawPart().I32(2).Str("ab\r").Str("").I32(1).I32(1).I32(5).I32(1).Str("e0").str());
    const Outcome memory = LoadFromMemory();
    EXPECT_EQ(memory.loaded, 1);
    EXPECT_EQ(memory.values, "1,2,3.500000,456,7,ab,,[5:e0;]");
    EXPECT_EQ(memory.left, 0);
}

// A file with fewer strings than the record registers: the strings it does not hold keep their
// values, and lose their carriage returns as the ones read do, from memory as from a stream.
TEST_F(RecordReaderTest, StringsTheFileLacksStillLoseTheirCarriageReturns)
{
    folder.Write("case.dat", RawPart().I32(1).Str("a\rb").I32(0).str());
    const Record first;  // the class's registration is known from the second record on
    for (const bool fromMemory : {true, false}) {
        FILE* fp = fromMemory ? OpenDatLoad("case.dat") : std::fopen(folder.Host("case.dat").c_str(), "rb");
        ASSERT_NE(fp, nullptr);
        std::int32_t version = 720;
        if (!fromMemory) {
            ASSERT_TRUE(ReadInt32(fp, version));
        }
        Record r;
        r.text = "c\rd";
        EXPECT_EQ(r.Load(fp), 1) << fromMemory;
        EXPECT_EQ(r.name, "ab") << fromMemory;
        EXPECT_EQ(r.text, "cd") << fromMemory;
        if (fromMemory) {
            CloseDat(fp);
        } else {
            std::fclose(fp);
        }
    }
}

// The text of a stored block: up to its first NUL (all of it without one), carriage returns
// dropped only on request, whether the NUL or CR lies in a whole word of the block or in its tail.
TEST(RecordReaderTextTest, AssignTextCutsAtTheFirstNulAndDropsCarriageReturnsOnRequest)
{
    const struct {
        std::string block;
        bool dropCR;
        std::string expected;
    } cases[] = {
        {std::string("abc\0", 4), true, "abc"},
        {std::string("\0", 1), true, ""},
        {"abc", true, "abc"},
        {std::string("abcdefghijklmnop\0", 17), true, "abcdefghijklmnop"},
        {std::string("abcdefghijklmno\0\0", 17), true, "abcdefghijklmno"},
        {std::string("abc\0efghijklmnop\0", 17), true, "abc"},
        {std::string("abcdefghijk\0mn\0", 15), true, "abcdefghijk"},
        {std::string("a\rcdefghijklmn\0", 15), true, "acdefghijklmn"},
        {std::string("abcdefghijklm\r\0", 15), true, "abcdefghijklm"},
        {std::string("abcdefghijklm\r\0", 15), false, "abcdefghijklm\r"},
        {std::string("\x8D\x0Dx\0", 4), true, "\x8Dx"},
        {std::string("\x82\xA0\x8D\x8D"
                     "abcdef\0",
                     11),
         true,
         "\x82\xA0\x8D\x8D"
         "abcdef"},
    };
    for (const auto& c : cases) {
        std::string text = "old";
        RecordReader::AssignText(text, c.block.data(), c.block.size(), c.dropCR);
        EXPECT_EQ(text, c.expected) << c.block.size() << (c.dropCR ? " dropping CR" : " keeping CR");
    }
}

}  // namespace
