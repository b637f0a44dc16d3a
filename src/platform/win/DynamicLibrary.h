// Libraries loaded at run time, with the semantics of LoadLibraryA / GetProcAddress / FreeLibrary.
//
// A Windows library name maps to a shared object: "Vox.dll" is looked for as "libvox.so" (the
// name without ".dll", in lower case, with "lib" in front and ".so" behind). It is searched next
// to the executable first, then in the folders above it (up to three levels: the build tree keeps
// the library in its root while test programs live below it), then on the system's library
// path. The game folder is not searched: a game folder is untrusted and must not bring code.
// A loaded library stays mapped after FreeLibrary (RTLD_NODELETE): objects it made, such as audio
// sources that the mixer may release a moment later, never outlive their code.
#pragma once

#include "platform/win/WinTypes.h"

struct HMODULE__;
using HMODULE = HMODULE__*;
using FARPROC = void (*)();

// Loads the library (see the file comment); nullptr when it cannot be found or loaded.
HMODULE LoadLibraryA(const char* szLibFileName);
// The exported function szProcName; nullptr when the module has none.
FARPROC GetProcAddress(HMODULE hModule, const char* szProcName);
// Releases the module; TRUE on success.
BOOL FreeLibrary(HMODULE hModule);

// Test control: while blocked, LoadLibraryA of that name fails as if the library were missing.
void BlockLibraryForTests(const char* szLibFileName, bool bBlock);
