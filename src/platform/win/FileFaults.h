// The refusals set by AddFileFailureForTest (Files.h), as seen by the file functions.
#pragma once

#include <string>

// True when a test made the host path (relative or absolute) fail.
bool IsFileFailureForTest(const std::string& hostPath);
