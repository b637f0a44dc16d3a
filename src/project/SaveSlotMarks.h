// How a slot menu marks a story slot whose file is there but cannot be read (damaged): the
// slot's bExist holds kSlotUnreadable, so that choosing it is refused like any slot whose file
// does not read, and the menu shows kUnreadableSlotText in place of its time stamp. A save into
// the slot first sets the damaged file aside.
#pragma once

#include <cstdint>

constexpr std::int32_t kSlotUnreadable = -1;
inline constexpr const char* kUnreadableSlotText = "(file cannot be read)";
