#include "core/MachineReport.h"

#include <atomic>
#include <climits>
#include <cstring>

#include "core/ReportLog.h"
#include "platform/win/Files.h"
#include "platform/win/SystemInfo.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace {

constexpr double kMegabyte = 1048576.0;

std::atomic<DisplayReportWriter> displayReportWriter{nullptr};

// The processor's vendor text from CPUID leaf 0 (EBX, EDX, ECX); empty where there is none.
std::string CpuVendor()
{
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(0, &eax, &ebx, &ecx, &edx) && eax >= 1) {
        char vendor[13] = {};
        std::memcpy(vendor, &ebx, 4);
        std::memcpy(vendor + 4, &edx, 4);
        std::memcpy(vendor + 8, &ecx, 4);
        return vendor;
    }
#endif
    return {};
}

// Bytes of address space the process has mapped ("VmSize" of the kernel's status file); 0 when
// it cannot be read.
ULONGLONG MappedBytes()
{
    FILE* fp = FOpen(GamePath("/proc/self/status").c_str(), "rt");
    if (fp == nullptr) {
        return 0;
    }
    unsigned long long kilobytes = 0;
    char line[256];
    while (std::fgets(line, sizeof(line), fp) != nullptr) {
        if (std::sscanf(line, "VmSize: %llu kB", &kilobytes) == 1) {
            break;
        }
    }
    std::fclose(fp);
    return kilobytes * 1024;
}

ULONGLONG FreeDiskBytes(const char* szFolder)
{
    ULARGE_INTEGER available{};
    if (!GetDiskFreeSpaceExA(szFolder != nullptr ? szFolder : ".", &available, nullptr, nullptr)) {
        return 0;
    }
    return available.QuadPart;
}

// The system report's figures, gathered before the log is opened.
struct SystemReport {
    std::string os;
    CPUINFO cpu;
    MEMORYSTATUS memory;
    ULONGLONG freeDisk = 0;
};

void WriteSystemLines(FILE* fp, void* context)
{
    const SystemReport& r = *static_cast<const SystemReport*>(context);
    std::fprintf(fp, "OS : %s\n", r.os.c_str());
    std::fprintf(fp, "CPU : %s %s %d\n", r.cpu.szVendor, r.cpu.szBrand, static_cast<int>(r.cpu.dClock * 1e-6));
    std::fprintf(fp, "Mem Total : %.3fMB\n", static_cast<double>(r.memory.dwTotalPhys) / kMegabyte);
    std::fprintf(fp, "Mem Free : %3.fMB\n", static_cast<double>(r.memory.dwAvailPhys) / kMegabyte);
    std::fprintf(fp, "Vir Total : %.3fMB\n", static_cast<double>(r.memory.dwTotalVirtual) / kMegabyte);
    std::fprintf(fp, "Vir Free : %3.fMB\n", static_cast<double>(r.memory.dwAvailVirtual) / kMegabyte);
    std::fprintf(fp, "HD Free : %3.fMB\n", static_cast<double>(r.freeDisk) / kMegabyte);
}

void WriteDisplayLines(FILE* fp, void* context)
{
    int bFull = *static_cast<const int*>(context);
    if (DisplayReportWriter writer = displayReportWriter.load()) {
        writer(fp, bFull);
    }
}

}  // namespace

int WriteSystemReport()
{
    SystemReport report;
    GetOSName(&report.os, nullptr, nullptr);
    GetCPUName(&report.cpu);
    GetMemoryStatus(&report.memory);
    // Through the 31-bit query: a larger free space reads as a little under 2048 MB.
    report.freeDisk = static_cast<ULONGLONG>(GetFreeDiskBytes(nullptr));
    return AppendToReportLog(WriteSystemLines, &report);
}

int WriteDisplayReport(int bFull)
{
    return AppendToReportLog(WriteDisplayLines, &bFull);
}

void SetDisplayReportWriter(DisplayReportWriter writer)
{
    displayReportWriter.store(writer);
}

void GetOSName(std::string* pName, DWORD* pMajor, DWORD* pMinor)
{
    const SystemFacts& facts = GetSystemFacts();
    if (pName != nullptr) {
        *pName = facts.osName;
    }
    if (pMajor != nullptr) {
        *pMajor = facts.osMajor;
    }
    if (pMinor != nullptr) {
        *pMinor = facts.osMinor;
    }
}

void GetMemoryStatus(MEMORYSTATUS* pStatus)
{
    const SystemFacts& facts = GetSystemFacts();
    *pStatus = MEMORYSTATUS{};
    pStatus->dwLength = sizeof(MEMORYSTATUS);
    pStatus->dwTotalPhys = facts.totalPhysBytes;
    pStatus->dwAvailPhys = facts.availPhysBytes;
    if (facts.totalPhysBytes > 0 && facts.availPhysBytes <= facts.totalPhysBytes) {
        pStatus->dwMemoryLoad = static_cast<DWORD>(100 - facts.availPhysBytes * 100 / facts.totalPhysBytes);
    }
    pStatus->dwTotalVirtual = sizeof(void*) == 8 ? (1ULL << 47) : (1ULL << 31);
    ULONGLONG mapped = MappedBytes();
    pStatus->dwAvailVirtual = mapped < pStatus->dwTotalVirtual ? pStatus->dwTotalVirtual - mapped : 0;
}

void GetCPUName(CPUINFO* pInfo)
{
    *pInfo = CPUINFO{};
    std::string vendor = CpuVendor();
    std::snprintf(pInfo->szVendor, sizeof(pInfo->szVendor), "%s", vendor.c_str());
    std::snprintf(pInfo->szBrand, sizeof(pInfo->szBrand), "%s", GetSystemFacts().cpuName.c_str());
    pInfo->dClock = GetCPUClock();
}

double GetCPUClock()
{
    return static_cast<double>(GetSystemFacts().cpuHz);
}

int GetFreeDiskBytes(const char* szFolder)
{
    ULONGLONG bytes = FreeDiskBytes(szFolder);
    return bytes > static_cast<ULONGLONG>(INT_MAX) ? INT_MAX : static_cast<int>(bytes);
}
