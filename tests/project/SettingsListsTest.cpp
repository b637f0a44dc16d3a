#include "project/SettingsLists.h"

#include <gtest/gtest.h>

#include "ProjectTestSupport.h"
#include "project/cIniSetting.h"

namespace {

using projecttest::ProjectTest;
using testsupport::ByteWriter;

using SettingsListsTest = ProjectTest;

TEST_F(SettingsListsTest, InsertAtMovesEntriesUpAndLosesTheLast)
{
    cVector<cIniSetting> keys(10);
    for (int i = 0; i < 10; ++i) {
        keys[i].SetValue("k" + std::to_string(i), i);
    }
    InsertAt(keys, 4);
    ASSERT_EQ(keys.size(), 10u);
    EXPECT_EQ(keys[3].strName, "k3");
    EXPECT_EQ(keys[4].strName, "k4");
    EXPECT_EQ(keys[5].strName, "k4");
    EXPECT_EQ(keys[5].nValue, 4);
    EXPECT_EQ(keys[9].strName, "k8");

    // Nothing moves at the last place or beyond.
    cVector<std::string> texts{"a", "b", "c"};
    InsertAt(texts, 2);
    InsertAt(texts, 7);
    EXPECT_EQ(texts, (cVector<std::string>{"a", "b", "c"}));
    InsertAt(texts, 0);
    EXPECT_EQ(texts, (cVector<std::string>{"a", "a", "b"}));
}

TEST_F(SettingsListsTest, TextListsKeepCarriageReturnsAndCutAtTheFirstNul)
{
    ByteWriter bytes;
    bytes.I32(3).I32(5).Bytes("a\r\nb").U8(0).I32(1).I32(5).Bytes("xy").U8(0).Bytes("z").U8(0);
    folder.Write("list.dat", ByteWriter().I32(720).Append(bytes).Data());
    FILE* fp = OpenDatLoad("list.dat");
    ASSERT_NE(fp, nullptr);
    cVector<std::string> texts{"old"};
    EXPECT_EQ(LoadStringList(fp, texts), 1);
    CloseDat(fp);
    EXPECT_EQ(texts, (cVector<std::string>{"a\r\nb", "", "xy"}));
}

TEST_F(SettingsListsTest, ValueListsKeepTheirFirstEntriesAndRefuseCountsBeyondTheFile)
{
    folder.Write("list.dat", ByteWriter().I32(720).I32(2).I32(-7).I32(8).I32(3).I32(1).Data());
    FILE* fp = OpenDatLoad("list.dat");
    ASSERT_NE(fp, nullptr);
    cVector<std::int32_t> values{1, 2, 3};
    EXPECT_EQ(LoadValueList(fp, values), 1);
    EXPECT_EQ(values, (cVector<std::int32_t>{-7, 8}));
    EXPECT_EQ(LoadValueList(fp, values), 0);  // 3 ints announced, one left
    EXPECT_EQ(values, (cVector<std::int32_t>{-7, 8}));
    CloseDat(fp);
}

}  // namespace
