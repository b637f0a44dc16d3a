// Writes 0x00RRGGBB pixels to a PNG file, for pictures that a person or a script checks by eye:
// the tests' text samples and the last frame a scripted run asks for (QB_SHOT). Not used by the
// game itself.
#pragma once

#include <cstdint>
#include <string>

// hostPath: a path of the host (UTF-8). pitch: pixels from one row to the next (>= width).
// False when the size is empty or the file cannot be written.
bool WritePngFile(const std::string& hostPath, const std::uint32_t* pixels, int width, int height, int pitch);
