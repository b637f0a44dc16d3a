#include "graphics/FontFaceTable.h"

#include <gtest/gtest.h>

#include "core/TextHelpers.h"
#include "graphics/FontTable.h"

namespace {

struct FaceCase {
    int index;
    const char* utf8;
};

TEST(FontFaceTableTest, NamesByNumberAndDefaultOutsideTheTable)
{
    const FaceCase cases[] = {
        {60, "ＭＳ Ｐゴシック"}, {0, "System"},           {121, "Sydnie"},          {122, ""},
        {59, "ＭＳ ゴシック"},   {-1, "ＭＳ Ｐゴシック"}, {123, "ＭＳ Ｐゴシック"}, {100000, "ＭＳ Ｐゴシック"},
    };
    for (const FaceCase& c : cases) EXPECT_EQ(FontFaceName(c.index), Sjis(c.utf8)) << c.index;
}

TEST(FontFaceTableTest, PrepareSetsTheFaceAndReplacesCacheModeTwo)
{
    FONTINFO info[3];
    info[0].nCacheMode = 2;
    info[1].nCacheMode = 2;
    info[2].nCacheMode = 0;
    PrepareFontInfoTable(info, 3, 999, 1);
    for (const FONTINFO& i : info) EXPECT_EQ(i.szFaceName, Sjis("ＭＳ Ｐゴシック"));
    EXPECT_EQ(info[0].nCacheMode, 1);
    EXPECT_EQ(info[1].nCacheMode, 1);
    EXPECT_EQ(info[2].nCacheMode, 0);
    PrepareFontInfoTable(info, 1, 18, 0);
    EXPECT_EQ(info[0].szFaceName, "Arial");
    EXPECT_EQ(info[0].nCacheMode, 1);  // only 2 is replaced
}

}  // namespace
