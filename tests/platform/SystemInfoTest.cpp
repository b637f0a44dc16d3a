#include <gtest/gtest.h>

#include <string>

#include "platform/win/LinuxSystemFacts.h"
#include "platform/win/SystemInfo.h"

namespace {

class SystemInfoTest : public ::testing::Test {
protected:
    void TearDown() override { ResetSystemFacts(); }
};

TEST_F(SystemInfoTest, CpuInfoGivesModelCountAndClock)
{
    const std::string x86 =
        "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz\n"
        "cpu MHz\t\t: 3192.614\n\nprocessor\t: 1\nmodel name\t: Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz\n"
        "cpu MHz\t\t: 800.000\n";
    SystemFacts facts;
    ParseCpuInfo(x86, facts);
    EXPECT_EQ(facts.cpuName, "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz");
    EXPECT_EQ(facts.cpuCount, 2u);
    EXPECT_EQ(facts.cpuHz, 3192614000u);

    const std::string arm = "processor\t: 0\nBogoMIPS\t: 48.00\n\nprocessor\t: 1\nBogoMIPS\t: 48.00\n";
    SystemFacts armFacts;
    ParseCpuInfo(arm, armFacts);
    EXPECT_EQ(armFacts.cpuName, "");
    EXPECT_EQ(armFacts.cpuCount, 2u);
    EXPECT_EQ(armFacts.cpuHz, 0u);

    SystemFacts empty;
    ParseCpuInfo("", empty);
    EXPECT_EQ(empty.cpuCount, 1u);
}

TEST_F(SystemInfoTest, MemInfoGivesBytes)
{
    SystemFacts facts;
    ParseMemInfo("MemTotal:       16384 kB\nMemFree:        1024 kB\nMemAvailable:    8192 kB\n", facts);
    EXPECT_EQ(facts.totalPhysBytes, 16384u * 1024u);
    EXPECT_EQ(facts.availPhysBytes, 8192u * 1024u);

    SystemFacts old;  // kernels before MemAvailable
    ParseMemInfo("MemTotal: 4096 kB\nMemFree: 2048 kB\n", old);
    EXPECT_EQ(old.availPhysBytes, 2048u * 1024u);

    SystemFacts huge;
    ParseMemInfo("MemTotal: 99999999999999999999 kB\n", huge);
    EXPECT_EQ(huge.totalPhysBytes, ~0ull);
}

TEST_F(SystemInfoTest, OsReleaseNameIsUnquoted)
{
    struct Case {
        const char* text;
        const char* name;
    };
    const Case cases[] = {
        {"NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n",
         "Debian GNU/Linux 12 (bookworm)"},
        {"PRETTY_NAME='Arch Linux'\n", "Arch Linux"},
        {"PRETTY_NAME=\"My \\\"Quoted\\\" OS\"\n", "My \"Quoted\" OS"},
        {"NAME=Fedora\n", "Fedora"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseOsReleaseName(c.text), c.name);
    }
}

TEST_F(SystemInfoTest, LiveFactsDescribeThisMachine)
{
    const SystemFacts& facts = GetSystemFacts();
    EXPECT_EQ(facts.osName.rfind("Linux", 0), 0u) << facts.osName;
    EXPECT_GE(facts.cpuCount, 1u);
    EXPECT_GT(facts.totalPhysBytes, 0u);
    EXPECT_LE(facts.availPhysBytes, facts.totalPhysBytes);
    EXPECT_EQ(facts.osMajor, 6u);
    EXPECT_EQ(facts.osMinor, 0u);
    EXPECT_EQ(facts.desktopBitsPerPixel, 32);
    EXPECT_TRUE(IsOSVersionAtLeast(6, 0));  // "at least Vista"
    EXPECT_FALSE(IsOSVersionAtLeast(6, 1));
}

TEST_F(SystemInfoTest, VersionTestComparesMajorThenMinor)
{
    SystemFacts xp;
    xp.osMajor = 5;
    xp.osMinor = 1;
    SetSystemFactsForTest(xp);
    EXPECT_TRUE(IsOSVersionAtLeast(5, 0));
    EXPECT_TRUE(IsOSVersionAtLeast(5, 1));
    EXPECT_TRUE(IsOSVersionAtLeast(4, 9));
    EXPECT_FALSE(IsOSVersionAtLeast(5, 2));
    EXPECT_FALSE(IsOSVersionAtLeast(6, 0));

    SystemFacts win98;  // the 9x family reports major 1
    win98.osMajor = 1;
    win98.osMinor = 10;
    SetSystemFactsForTest(win98);
    EXPECT_FALSE(IsOSVersionAtLeast(5, 0));
}

TEST_F(SystemInfoTest, DisplayFactsReportA24BitDesktopAs32)
{
    SetDisplayFacts(2560, 1440, 24, 0);
    const SystemFacts& facts = GetSystemFacts();
    EXPECT_EQ(facts.desktopWidth, 2560);
    EXPECT_EQ(facts.desktopHeight, 1440);
    EXPECT_EQ(facts.desktopBitsPerPixel, 32);
    EXPECT_EQ(facts.refreshRate, 0);

    SetDisplayFacts(1024, 768, 16, 75);
    ResetSystemFacts();  // the host's answers outlive a reset
    EXPECT_EQ(GetSystemFacts().desktopBitsPerPixel, 16);
    EXPECT_EQ(GetSystemFacts().refreshRate, 75);
    SetDisplayFacts(1920, 1080, 32, 60);
}

}  // namespace
