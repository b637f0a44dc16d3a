// One run of a controller's press log, apart from the controller so that the readers of the logs
// need not see the rest of it. Game thread.
#pragma once

#include <cstdint>

// One run of a press log: pressed (0/1) for length frames.
struct KEYLOGRUN {
    std::int32_t pressed = 0;
    std::int32_t length = 0;
};
