// The process environment, read the way the shell reads it: by name, into a caller's buffer.
// Values are passed through unchanged (the host's bytes, UTF-8 on Linux). Any thread.
#pragma once

#include <string>

#include "platform/win/WinTypes.h"

// Copies the value of szName with its NUL into szBuffer when it fits and returns its length
// without the NUL; when it does not fit, returns the size needed with the NUL and leaves the
// buffer alone. 0 when the variable is not set.
DWORD GetEnvironmentVariableA(const char* szName, char* szBuffer, DWORD nSize);
// The value of szName; "" when it is not set.
std::string EnvironmentText(const char* szName);
