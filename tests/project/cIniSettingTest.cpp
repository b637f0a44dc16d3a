#include "project/cIniSetting.h"

#include <gtest/gtest.h>

#include "ProjectTestSupport.h"
#include "support/SystemDataWriter.h"

namespace {

using projecttest::ProjectTest;
using testsupport::ByteWriter;

using cIniSettingTest = ProjectTest;

TEST_F(cIniSettingTest, SettingAValueOrATextKeepsTheOtherDefault)
{
    cIniSetting setting;
    setting.SetText("FreeStage", "data\\stg4\\a.stg4");
    setting.nValue = 5;
    setting.SetValue("Direct3D", 1);
    EXPECT_EQ(setting.nKind, cIniSetting::kInteger);
    EXPECT_EQ(setting.strName, "Direct3D");
    EXPECT_EQ(setting.nValue, 1);
    EXPECT_EQ(setting.strText, "data\\stg4\\a.stg4");
    setting.SetText("FreeStage", "b");
    EXPECT_EQ(setting.nKind, cIniSetting::kText);
    EXPECT_EQ(setting.nValue, 1);
    EXPECT_EQ(setting.strText, "b");
}

TEST_F(cIniSettingTest, ReadsKindValueNameAndText)
{
    cIniSetting setting;
    ByteWriter bytes;
    testsupport::WriteRecord(bytes, testsupport::IniSettingSpec{1, "FreeStage", 3, "a.stg4"}, 720);
    ASSERT_EQ(LoadBytes(setting, 720, bytes), 1);
    EXPECT_EQ(setting.nKind, 1);
    EXPECT_EQ(setting.nValue, 3);
    EXPECT_EQ(setting.strName, "FreeStage");
    EXPECT_EQ(setting.strText, "a.stg4");
}

}  // namespace
