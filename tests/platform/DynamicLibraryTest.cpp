// Libraries loaded at run time: "Vox.dll" finds the build's libvox.so, exports are found by name,
// and a missing or blocked library fails as Windows' LoadLibraryA does.
#include "platform/win/DynamicLibrary.h"

#include <gtest/gtest.h>

TEST(DynamicLibrary, LoadsTheLibraryOfAWindowsNameAndFindsItsExports)
{
    HMODULE module = LoadLibraryA("Vox.dll");
    ASSERT_NE(module, nullptr) << "libvox.so lies in the root of the build tree";
    EXPECT_NE(GetProcAddress(module, "CreateVox"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);
    EXPECT_EQ(FreeLibrary(module), TRUE);
    HMODULE again = LoadLibraryA("VOX.DLL");  // names are not case-sensitive on Windows
    EXPECT_NE(again, nullptr);
    FreeLibrary(again);
}

TEST(DynamicLibrary, MissingAndBlockedLibrariesFail)
{
    EXPECT_EQ(LoadLibraryA("NoSuchLibrary.dll"), nullptr);
    EXPECT_EQ(LoadLibraryA(""), nullptr);
    EXPECT_EQ(GetProcAddress(nullptr, "CreateVox"), nullptr);
    EXPECT_EQ(FreeLibrary(nullptr), FALSE);
    BlockLibraryForTests("Vox.dll", true);
    EXPECT_EQ(LoadLibraryA("Vox.dll"), nullptr);
    BlockLibraryForTests("Vox.dll", false);
    HMODULE module = LoadLibraryA("Vox.dll");
    EXPECT_NE(module, nullptr);
    FreeLibrary(module);
}
