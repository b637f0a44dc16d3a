// Owning handles of FreeType objects. A face must be destroyed before the library it came from:
// declare the library first so that it is destroyed last.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>

struct FreeTypeLibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FreeTypeFaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

using FreeTypeLibrary = std::unique_ptr<FT_LibraryRec_, FreeTypeLibraryDeleter>;
using FreeTypeFace = std::unique_ptr<FT_FaceRec_, FreeTypeFaceDeleter>;

// A new library; null when FreeType cannot start.
inline FreeTypeLibrary OpenFreeTypeLibrary()
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return nullptr;
    return FreeTypeLibrary(library);
}

// Face `index` of a font file (host path); null when the file cannot be read as a font.
inline FreeTypeFace OpenFreeTypeFace(FT_Library library, const char* path, int index)
{
    FT_Face face = nullptr;
    if (library == nullptr || FT_New_Face(library, path, index, &face) != 0) return nullptr;
    return FreeTypeFace(face);
}
