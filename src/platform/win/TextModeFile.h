// Text-mode C streams as the Windows C runtime has them: "\n" is written as CR LF and CR LF is
// read as "\n"; a lone CR stays a CR. Built on fopencookie so that the result is a real FILE*
// (fread, fwrite, fprintf, fgets, fseek, ftell, fclose all work). Used by FOpen.
//
// The stream is unbuffered at the stdio level and the translation keeps its own raw read-ahead, so
// ftell/fseek positions are raw file offsets, and every write reaches the file at once.
// A seek to the end (SEEK_END, offset 0) switches the descriptor to append mode until the next
// other seek: "seek to end, write" then appends even when another stream appended meanwhile.
#pragma once

#include <cstdio>

// Takes ownership of the open descriptor fd (closed on failure too). fopenMode is the stdio mode
// without 't'/'b' ("r", "w", "a", "r+", "w+", "a+"); appendMode is true for "a" modes.
FILE* OpenTextModeFile(int fd, const char* fopenMode, bool appendMode);
