// fuzz-links: qb_platform
// Fuzz target: the editor link reads what the program behind the editor's socket says - its
// title (a length, then that many bytes) and the result of the message - from any bytes, as
// another program may send anything. The reader never reads past the bytes it is given, asks
// for no more than a title of kRemoteTitleMax, and agrees with itself when given exactly what
// it asked for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/win/RemoteWindow.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const RemoteTitle read = ReadRemoteTitle(data, size);
    if (read.size < 4 || read.size > 4 + std::size_t{kRemoteTitleMax}) {
        std::abort();
    }
    switch (read.state) {
    case RemoteTitle::State::Short:
        if (read.size <= size && size >= 4) std::abort();
        return 0;
    case RemoteTitle::State::Refused: return 0;
    case RemoteTitle::State::Whole: break;
    }
    if (read.size > size || read.title.size() != read.size - 4) {
        std::abort();
    }
    // Exactly the bytes it said step 1 takes read the same; what follows is the result.
    if (ReadRemoteTitle(data, read.size).title != read.title) {
        std::abort();
    }
    LRESULT result = 0;
    const bool whole = ReadRemoteResult(data + read.size, size - read.size, &result);
    if (whole != (size - read.size >= 8)) {
        std::abort();
    }
    return 0;
}
