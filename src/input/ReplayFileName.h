// The file name proposed when a replay of a stage is saved: the stage file's name with the
// extension "rpl4_720" and a two-digit number, "_00" to "_99", one above the highest number
// already present in "user_data\rpl4\" for that stage ("abc.stg4" with abc_00 and abc_03
// present gives "abc_04.rpl4_720").
#pragma once

#include <string>

// The proposed file name (no folder) for a replay of the stage file stageName (a path); "" for
// an empty stage name. When _99 is taken the lowest free number is proposed, and _99 itself when
// every number is taken (the save dialog then asks before replacing it). A stage file name
// without an extension gets ".rpl4_720" appended. Any thread.
std::string ProposeReplayFileName(const std::string& stageName);
