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
            ASSERT_EQ(item.m_Member.size(), memberCount) << i;
            ASSERT_EQ(item.m_StrMember.size(), 1u) << i;
            EXPECT_EQ(item.m_Member.data()[0].lpOwner, &item) << i;
            EXPECT_EQ(item.m_Member.data()[0].lpData, &item.first) << i;
            EXPECT_EQ(item.m_Member.data()[memberCount - 1].lpData, &item.word) << i;
            EXPECT_EQ(item.m_Member.data()[memberCount - 1].nSize, 2) << i;
            EXPECT_EQ(item.m_StrMember.data()[0].lpStr, &item.name) << i;
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
        ASSERT_EQ(item.m_Member.size(), 2u);
        EXPECT_EQ(item.m_Member[0].lpData, &sharedOutside);
        EXPECT_EQ(item.m_Member[1].lpData, &item.own);
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
    EXPECT_EQ(source.m_Member.data()[1].lpData, &source.added);
}

}  // namespace
