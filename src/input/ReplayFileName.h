// The file name proposed when a replay of a stage is saved: the stage file's name with the
// extension "rpl4_720" and a two-digit number whose digits are each 0..8, the first such name in
// order ("_00", "_01" ... "_08", "_10" ... "_88") that "user_data\rpl4\" does not hold yet.
#pragma once

#include <string>

// The proposed file name (no folder) for a replay of the stage file stageName (a path in the
// game's own form); "" for an empty stage name. When all 81 names are taken, "_88" is proposed
// (the save dialog then asks before replacing it). A stage name without an extension gets
// ".rpl4_720" appended. Any thread.
std::string ProposeReplayFileName(const std::string& stageName);
