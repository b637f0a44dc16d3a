#include "core/RecordLayout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "CoreTestSupport.h"
#include "core/RecordList.h"
#include "core/ReportLog.h"
#include "core/cDataRecord.h"

namespace {

using coretest::Bytes;
using coretest::TempFolder;

// An element that gained `added` at version 710.
class Item : public cDataRecord {
public:
    std::int32_t first = 0;
    std::int32_t added = -1;
    std::int16_t word = 0;
    std::string name;

    Item() { RegisterMembers(nDataVersion); }
    void RegisterMembers(int nVersion) override
    {
        ClearMemberList();
        AddDwordMember(&first, 1);
        if (nVersion >= 710) {
            AddDwordMember(&added, 1);
        }
        AddWordMember(&word, 1);
        AddStrMember(&name, 1);
    }
};

// Breaks the rule that a record registers only its own members: one member lives outside.
std::int32_t sharedOutside = 0;
class OutsideItem : public cDataRecord {
public:
    std::int32_t own = 0;

    OutsideItem() { RegisterMembers(nDataVersion); }
    void RegisterMembers(int) override
    {
        ClearMemberList();
        AddDwordMember(&sharedOutside, 1);
        AddDwordMember(&own, 1);
    }
};

// Registers `extra` after `last` only while withExtra is set, so records of the class disagree:
// one record's registration is a part of the other's, or goes beyond it. kClass makes separate
// classes, each with a layout of its own.
template <int kClass>
class FlaggedItem : public cDataRecord {
public:
    bool withExtra;
    std::int32_t first = 0;
    std::int16_t last = 0;
    std::int32_t extra = 0;
    std::string name;

    explicit FlaggedItem(bool withExtraMember) : withExtra(withExtraMember) { RegisterMembers(nDataVersion); }
    void RegisterMembers(int) override
    {
        ClearMemberList();
        AddDwordMember(&first, 1);
        AddWordMember(&last, 1);
        if (withExtra) {
            AddDwordMember(&extra, 1);
        }
        AddStrMember(&name, 1);
    }
};

template <class T>
class Holder : public cDataRecord {
public:
    cVector<T> items;
    void RegisterMembers(int) override { ClearMemberList(); }
    int Load(FILE* fp) override { return cDataRecord::Load(fp) && LoadRecordList(fp, items); }
};

class RecordLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        nDataVersion = 720;
        bRemoveCR = 0;
        SetECLog(0, "EC_Game.txt");
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    }
    void TearDown() override { nDataVersion = 720; }

    // Every element's tables name that element's members, as its own registration would.
    static void ExpectOwnTables(cVector<Item>& items, std::size_t memberCount)
    {
        for (std::size_t i = 0; i < items.size(); ++i) {
            Item& item = items.data()[i];
            ASSERT_EQ(item.MemberTable().size(), memberCount) << i;
            ASSERT_EQ(item.StrMemberTable().size(), 1u) << i;
            EXPECT_EQ(item.MemberTable().data()[0].lpOwner, &item) << i;
            EXPECT_EQ(item.MemberTable().data()[0].lpData, &item.first) << i;
            EXPECT_EQ(item.MemberTable().data()[memberCount - 1].lpData, &item.word) << i;
            EXPECT_EQ(item.MemberTable().data()[memberCount - 1].nSize, 2) << i;
            EXPECT_EQ(item.StrMemberTable().data()[0].lpStr, &item.name) << i;
        }
    }

    // Saves a record of class T registered with and one without `extra` (in that order when
    // firstWithExtra is set; the second disagrees with the first, so the class has no agreed
    // layout), then loads each file back into a new record of its kind.
    template <class T>
    void ExpectEachRecordWalkedAsItRegistered(bool firstWithExtra)
    {
        const bool kinds[] = {firstWithExtra, !firstWithExtra};
        T items[] = {T(kinds[0]), T(kinds[1])};
        for (T& item : items) {
            item.first = 11;
            item.last = 22;
            item.extra = 33;
            item.name = "n";
            ASSERT_EQ(item.SaveFile(item.withExtra ? "with.dat" : "without.dat"), 1);
        }
        for (bool withExtra : kinds) {
            const char* path = withExtra ? "with.dat" : "without.dat";
            Bytes expected;
            expected.I32(720).I32(withExtra ? 3 : 2).I32(11).I16(22);
            if (withExtra) {
                expected.I32(33);
            }
            expected.I32(1).Str("n");
            EXPECT_EQ(folder.Read(path), expected.str()) << path;

            T back(withExtra);
            back.extra = -1;
            ASSERT_EQ(back.LoadFile(path), 1) << path;
            EXPECT_EQ(back.first, 11) << path;
            EXPECT_EQ(back.last, 22) << path;
            EXPECT_EQ(back.extra, withExtra ? 33 : -1) << path;
            EXPECT_EQ(back.name, "n") << path;
        }
    }

    TempFolder folder;
};

// Eight elements: the first ones register themselves, the later ones get the class's layout.
TEST_F(RecordLayoutTest, EveryElementOfAListGetsTablesOfItsOwn)
{
    Bytes file;
    file.I32(720).I32(0).I32(0).I32(8);
    for (int i = 0; i < 8; ++i) {
        file.I32(3).I32(100 + i).I32(200 + i).I16(static_cast<std::int16_t>(i)).I32(1).Str("n" + std::to_string(i));
    }
    folder.Write("list.dat", file.str());

    for (int round = 0; round < 2; ++round) {
        Holder<Item> holder;
        ASSERT_EQ(holder.LoadFile("list.dat"), 1) << round;
        ASSERT_EQ(holder.items.size(), 8u);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(holder.items[i].first, 100 + i);
            EXPECT_EQ(holder.items[i].added, 200 + i);
            EXPECT_EQ(holder.items[i].word, i);
            EXPECT_EQ(holder.items[i].name, "n" + std::to_string(i));
        }
        ExpectOwnTables(holder.items, 3);
    }
}

TEST_F(RecordLayoutTest, OlderFilesUseTheLayoutOfTheirVersion)
{
    Bytes file;
    file.I32(700).I32(0).I32(0).I32(6);
    for (int i = 0; i < 6; ++i) {
        file.I32(2).I32(10 + i).I16(static_cast<std::int16_t>(20 + i)).I32(1).Str("old");
    }
    folder.Write("old.dat", file.str());

    Holder<Item> holder;
    ASSERT_EQ(holder.LoadFile("old.dat"), 1);
    ASSERT_EQ(holder.items.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(holder.items[i].first, 10 + i);
        EXPECT_EQ(holder.items[i].added, -1);  // not in a 700 file: keeps its value
        EXPECT_EQ(holder.items[i].word, 20 + i);
    }
    ExpectOwnTables(holder.items, 3);  // registered for 720 again
}

TEST_F(RecordLayoutTest, RecordRegisteringOutsideItselfIsRegisteredEachTime)
{
    Bytes file;
    file.I32(720).I32(0).I32(0).I32(5);
    for (int i = 0; i < 5; ++i) {
        file.I32(2).I32(1000 + i).I32(i).I32(0);
    }
    folder.Write("outside.dat", file.str());

    Holder<OutsideItem> holder;
    ASSERT_EQ(holder.LoadFile("outside.dat"), 1);
    ASSERT_EQ(holder.items.size(), 5u);
    EXPECT_EQ(sharedOutside, 1004);
    for (int i = 0; i < 5; ++i) {
        OutsideItem& item = holder.items[i];
        EXPECT_EQ(item.own, i);
        ASSERT_EQ(item.MemberTable().size(), 2u);
        EXPECT_EQ(item.MemberTable()[0].lpData, &sharedOutside);
        EXPECT_EQ(item.MemberTable()[1].lpData, &item.own);
    }
}

// The base operations that register (clear, copy, save) give the same tables as RegisterMembers.
TEST_F(RecordLayoutTest, ClearAndCopyMembersWorkThroughTheLayout)
{
    cVector<Item> items(5);
    for (int i = 0; i < 5; ++i) {
        items[i].first = i + 1;
        items[i].name = "x";
        items[i].Clear();
    }
    Item source;
    source.first = 7;
    source.added = 8;
    source.word = 9;
    source.name = "src";
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(items[i].first, 0);
        EXPECT_EQ(items[i].name, "");
        items[i].CopyMembers(source);
        EXPECT_EQ(items[i].added, 8);
        EXPECT_EQ(items[i].word, 9);
        EXPECT_EQ(items[i].name, "src");
    }
    ExpectOwnTables(items, 3);
    EXPECT_EQ(source.MemberTable().data()[1].lpData, &source.added);
}

// A record whose registration is only the first part of what its class registered before, or
// goes on past it, reads and writes exactly what it registered.
TEST_F(RecordLayoutTest, RecordsRegisteringPartOfTheLayoutOrMoreWalkWhatTheyRegistered)
{
    ExpectEachRecordWalkedAsItRegistered<FlaggedItem<0>>(true);   // the second registers a part
    ExpectEachRecordWalkedAsItRegistered<FlaggedItem<1>>(false);  // the second goes past the end
}

}  // namespace

// A record of another class whose base part was copied from an Item.
class Adopted : public cDataRecord {
public:
    std::int16_t w = 0;

    explicit Adopted(const Item& item) : cDataRecord(item) { RegisterMembers(nDataVersion); }
    void RegisterMembers(int) override
    {
        ClearMemberList();
        AddWordMember(&w, 1);
    }
};

// A record keeps the agreed layout it registered with, and so do its copies: the note only
// serves the same class at the same version.
TEST_F(RecordLayoutTest, CopiesKeepTheAgreedLayoutOnlyForTheirClassAndVersion)
{
    Item items[3];
    for (Item& item : items) {
        ASSERT_EQ(item.SaveFile("item.dat"), 1);  // the second save agrees, the third uses it
    }
    Item noted(items[2]);

    Adopted adopted(noted);
    adopted.w = 5;
    ASSERT_EQ(adopted.SaveFile("adopted.dat"), 1);
    EXPECT_EQ(folder.Read("adopted.dat"), Bytes().I32(720).I32(1).I16(5).I32(0).str());

    folder.Write("old.dat", Bytes().I32(700).I32(2).I32(10).I16(20).I32(1).Str("old").str());
    ASSERT_EQ(noted.LoadFile("old.dat"), 1);
    EXPECT_EQ(noted.first, 10);
    EXPECT_EQ(noted.added, -1);
    EXPECT_EQ(noted.word, 20);
    EXPECT_EQ(noted.name, "old");
    ASSERT_EQ(noted.SaveFile("noted.dat"), 1);
    EXPECT_EQ(folder.Read("noted.dat"), Bytes().I32(720).I32(3).I32(10).I32(-1).I16(20).I32(1).Str("old").str());
}
