#include "core/MachineReport.h"

#include <gtest/gtest.h>

#include <climits>
#include <regex>
#include <string>

#include "CoreTestSupport.h"
#include "core/ReportLog.h"
#include "platform/win/SystemInfo.h"

namespace {

using coretest::CrLfLines;
using coretest::TempFolder;

class MachineReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SystemFacts facts;
        facts.osName = "Linux 6.1.0 x86_64 (Test)";
        facts.osMajor = 6;
        facts.osMinor = 1;
        facts.cpuName = "Test CPU @ 2.40GHz";
        facts.cpuHz = 2400999999ULL;               // truncated to 2400 MHz
        facts.totalPhysBytes = 2147483648ULL;      // 2048 MB
        facts.availPhysBytes = 5ULL * 1048576ULL;  // 5 MB
        SetSystemFactsForTest(facts);
        SetDisplayReportWriter(nullptr);
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    }
    void TearDown() override
    {
        ResetSystemFacts();
        SetDisplayReportWriter(nullptr);
    }

    TempFolder folder;
};

TEST_F(MachineReportTest, SystemReportWritesTheLinesInTheirFormats)
{
    ASSERT_EQ(WriteSystemReport(), 1);
    std::vector<std::string> lines = CrLfLines(folder.Read("Report_Game.txt"));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "OS : Linux 6.1.0 x86_64 (Test)");
    EXPECT_TRUE(std::regex_match(lines[1], std::regex("CPU : [^ ]* Test CPU @ 2\\.40GHz 2400"))) << lines[1];
    EXPECT_EQ(lines[2], "Mem Total : 2048.000MB");
    EXPECT_EQ(lines[3], "Mem Free :   5MB");  // "%3.f": width 3, no decimals
    EXPECT_TRUE(std::regex_match(lines[4], std::regex("Vir Total : [0-9]+\\.[0-9]{3}MB"))) << lines[4];
    EXPECT_TRUE(std::regex_match(lines[5], std::regex("Vir Free : +[0-9]+MB"))) << lines[5];
    EXPECT_TRUE(std::regex_match(lines[6], std::regex("HD Free : +[0-9]+MB"))) << lines[6];
}

TEST_F(MachineReportTest, SystemReportGivesTheFreeDiskSpaceOfThe31BitQuery)
{
    ULARGE_INTEGER available{};
    ASSERT_TRUE(GetDiskFreeSpaceExA(".", &available, nullptr, nullptr));
    ASSERT_EQ(WriteSystemReport(), 1);
    std::vector<std::string> lines = CrLfLines(folder.Read("Report_Game.txt"));
    ASSERT_EQ(lines.size(), 7u);
    if (available.QuadPart > static_cast<ULONGLONG>(INT_MAX)) {
        // 2147483647 bytes: a little under 2048 MB, rounded by "%3.f".
        EXPECT_EQ(lines[6], "HD Free : 2048MB");
    } else {
        char expected[64];
        std::snprintf(expected, sizeof(expected), "HD Free : %3.fMB",
                      static_cast<double>(available.QuadPart) / 1048576.0);
        EXPECT_EQ(lines[6], expected);
    }
}

TEST_F(MachineReportTest, SystemReportFailsWithoutReportLog)
{
    ASSERT_TRUE(DeleteFileA("Report_Game.txt"));
    EXPECT_EQ(WriteSystemReport(), 0);
}

TEST_F(MachineReportTest, QueriesAnswerFromTheSystemFacts)
{
    std::string name;
    DWORD major = 0, minor = 0;
    GetOSName(&name, &major, &minor);
    EXPECT_EQ(name, "Linux 6.1.0 x86_64 (Test)");
    EXPECT_EQ(major, 6u);
    EXPECT_EQ(minor, 1u);
    GetOSName(nullptr, nullptr, nullptr);

    MEMORYSTATUS status;
    GetMemoryStatus(&status);
    EXPECT_EQ(status.dwLength, sizeof(MEMORYSTATUS));
    EXPECT_EQ(status.dwTotalPhys, 2147483648ULL);
    EXPECT_EQ(status.dwAvailPhys, 5ULL * 1048576ULL);
    EXPECT_LE(status.dwAvailVirtual, status.dwTotalVirtual);

    CPUINFO cpu;
    GetCPUName(&cpu);
    EXPECT_STREQ(cpu.szBrand, "Test CPU @ 2.40GHz");
    EXPECT_EQ(cpu.dClock, 2400999999.0);
}

TEST_F(MachineReportTest, FreeDiskBytesStopAt31Bits)
{
    ULARGE_INTEGER available{};
    ASSERT_TRUE(GetDiskFreeSpaceExA(".", &available, nullptr, nullptr));
    int reported = GetFreeDiskBytes(nullptr);
    if (available.QuadPart > static_cast<ULONGLONG>(INT_MAX)) {
        EXPECT_EQ(reported, INT_MAX);
    } else {
        EXPECT_GT(reported, 0);
    }
    EXPECT_EQ(GetFreeDiskBytes("no such folder\\"), 0);
}

TEST_F(MachineReportTest, DisplayReportComesFromTheInstalledWriter)
{
    ASSERT_EQ(WriteDisplayReport(1), 1);
    EXPECT_EQ(folder.Read("Report_Game.txt"), "");

    SetDisplayReportWriter([](FILE* fp, int bFull) {
        std::fprintf(fp, "Mode : Window\n");
        std::fprintf(fp, "Bpp : %d\n", bFull ? 32 : 16);
    });
    ASSERT_EQ(WriteDisplayReport(1), 1);
    EXPECT_EQ(CrLfLines(folder.Read("Report_Game.txt")), (std::vector<std::string>{"Mode : Window", "Bpp : 32"}));
}

}  // namespace
