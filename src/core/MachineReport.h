// The report of the machine written into the report log at every start, and the system queries
// behind it. The figures are the real ones of the Linux host, in the report's line formats.
#pragma once

#include <cstdio>
#include <string>

#include "platform/win/WinTypes.h"

// The processor: brand and vendor texts, and the clock in Hz (0 when unknown).
struct CPUINFO {
    char szBrand[256] = "";
    char szVendor[256] = "";
    double dClock = 0.0;
};

// Memory figures in bytes, with the Windows structure's names.
struct MEMORYSTATUS {
    DWORD dwLength = 0;
    DWORD dwMemoryLoad = 0;  // percent of physical memory in use
    ULONGLONG dwTotalPhys = 0;
    ULONGLONG dwAvailPhys = 0;
    ULONGLONG dwTotalPageFile = 0;  // not known here: 0
    ULONGLONG dwAvailPageFile = 0;
    ULONGLONG dwTotalVirtual = 0;  // the process's address space
    ULONGLONG dwAvailVirtual = 0;  // what the process has not mapped of it
};

// Appends the OS, CPU, memory and disk lines to the report log. Called by the start-up right
// after the version line. 1, or 0 when the log cannot be opened.
int WriteSystemReport();

// Appends the display lines (mode, depth, video memory, refresh rate and, under Direct3D, the
// device report) to the report log. Called once by the start-up after the drawing back-end is
// open, with bFull 1. The lines come from the graphics engine through the writer it installs
// with SetDisplayReportWriter; without one nothing is written. 1, or 0 when the log cannot be
// opened.
int WriteDisplayReport(int bFull);
// The graphics engine's display-report writer: writes whole lines (each with its own "\n") into
// the open report log. Called under the logs' lock, so it must only write into fp.
using DisplayReportWriter = void (*)(FILE* fp, int bFull);
void SetDisplayReportWriter(DisplayReportWriter writer);

// The operating system's name (may be null) and the version the game's version checks see (may
// be null). The version test itself is IsOSVersionAtLeast of the stand-in.
void GetOSName(std::string* pName, DWORD* pMajor, DWORD* pMinor);
// Fills the memory figures; sets dwLength to the structure's size.
void GetMemoryStatus(MEMORYSTATUS* pStatus);
// Fills the processor record: vendor from the processor itself where it can tell, brand and clock
// from the system.
void GetCPUName(CPUINFO* pInfo);
// The processor clock in Hz as the system reports it (0 when unknown); returns at once.
double GetCPUClock();
// Bytes free for the caller on the volume of szFolder (null: the current folder's); 0 when the
// query fails; 2147483647 when the value does not fit in 31 bits.
int GetFreeDiskBytes(const char* szFolder);
