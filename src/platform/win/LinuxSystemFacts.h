// The machine's answers to the system queries, read from Linux: uname, /etc/os-release,
// /proc/cpuinfo and /proc/meminfo. The parsers take the file texts so that tests can feed them.
// Used by SystemInfo.cpp.
#pragma once

#include <string>

#include "platform/win/SystemInfo.h"

// Reads everything (desktop values stay at their defaults). Texts come back in Shift-JIS.
SystemFacts ReadLinuxSystemFacts();

// The PRETTY_NAME of an os-release text, unquoted ("" when missing); NAME when there is none.
std::string ParseOsReleaseName(const std::string& osRelease);
// Sets cpuName ("model name" of the first processor, as given: UTF-8), cpuCount (the number of
// "processor" entries, at least 1) and cpuHz ("cpu MHz" x 1e6, 0 when absent).
void ParseCpuInfo(const std::string& cpuInfo, SystemFacts& facts);
// Sets totalPhysBytes (MemTotal) and availPhysBytes (MemAvailable, else MemFree), from kB.
void ParseMemInfo(const std::string& memInfo, SystemFacts& facts);
