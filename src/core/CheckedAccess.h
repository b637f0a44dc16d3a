// The common bad-index path of the checked containers, kept out of line so that the good path of
// a subscript stays a bounds test and an address computation.
#pragma once

#include <cstddef>

// Writes "err V[index] ( size , elementSize )" (cKind 'V', vectors) or "err L[...]" (cKind 'L',
// lists) to the trace log and the report log, in that order, then CloseForFailure: the program
// closes in order and ends with the exit code of a failed run. While a FileReadScope
// (FileReadScope.h) lives on the calling thread, the index is counted there instead and nothing
// closes. Callable from any thread.
void ReportBadIndex(char cKind, int nIndex, std::size_t nSize, std::size_t nElementSize);

// The harmless element a checked access hands back when it has no valid one: one static,
// default-constructed T per element type, created on first use and kept until the program ends.
// Whatever a caller writes into it stays there for the next bad access.
template <class T>
T& FallbackElement()
{
    static T element{};
    return element;
}
