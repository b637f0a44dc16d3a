// The kept results the tests compare a play with (golden files in tests/<folder>/golden/), and
// the refresh of them: with QB_UPDATE_GOLDEN=1 the tests write what they played instead of
// comparing it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// tests/<folder>/golden/<name> in the source tree.
std::filesystem::path GoldenFile(const std::string& folder, const std::string& name);
// QB_UPDATE_GOLDEN=1: the goldens are written again.
bool UpdatingGoldens();
// Digests, one hexadecimal number per line. Read: false when the file is missing.
bool ReadDigestFile(const std::filesystem::path& path, std::vector<std::uint64_t>& digests);
void WriteDigestFile(const std::filesystem::path& path, const std::vector<std::uint64_t>& digests);
// A digest as 16 hexadecimal digits.
std::string HexDigest(std::uint64_t digest);

// Reads a replay file for playback as the main thread does for the title's "Load replay file":
// the replay with the save data it was recorded with, the player's kept apart. 1 when read.
int LoadReplayForPlayback(const char* szPath);

}  // namespace testsupport
