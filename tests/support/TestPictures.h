// Pictures the tests write for a person to look at go under the build folder
// (tests/pictures/ of the build), never into the folder a test program was started from.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// The build's picture folder with the subfolder `name` ("" for the folder itself), made when
// missing.
inline std::filesystem::path TestPictureFolder(const std::string& name)
{
    std::filesystem::path folder = std::filesystem::path(QB_TEST_PICTURES_DIR) / name;
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace testsupport
