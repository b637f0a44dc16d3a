// Face names of the games mapped to the fonts installed by scripts/deps.sh: the Japanese faces to
// the IPA fonts, and every name of the game's face table to fonts that have a glyph for Japanese
// and Latin text.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "TestFont.h"
#include "platform/gdi/FontFace.h"
#include "platform/gdi/FontFileResolver.h"

namespace {

// The face names a game's settings can select, in the order of the editor's numbering.
constexpr std::array<const char*, 123> kFaceTable = {"System",
                                                     "Terminal",
                                                     "FixedSys",
                                                     "Roman",
                                                     "Script",
                                                     "Modern",
                                                     "Small Fonts",
                                                     "MS Serif",
                                                     "WST_Czec",
                                                     "WST_Engl",
                                                     "WST_Fren",
                                                     "WST_Germ",
                                                     "WST_Ital",
                                                     "WST_Span",
                                                     "WST_Swed",
                                                     "Courier",
                                                     "MS Sans Serif",
                                                     "Marlett",
                                                     "Arial",
                                                     "Arial CE",
                                                     "Arial CYR",
                                                     "Arial Greek",
                                                     "Arial TUR",
                                                     "Arial Baltic",
                                                     "Courier New",
                                                     "Courier New CE",
                                                     "Courier New CYR",
                                                     "Courier New Greek",
                                                     "Courier New TUR",
                                                     "Courier New Baltic",
                                                     "Lucida Console",
                                                     "Lucida Sans Unicode",
                                                     "Times New Roman",
                                                     "Times New Roman CE",
                                                     "Times New Roman CYR",
                                                     "Times New Roman Greek",
                                                     "Times New Roman TUR",
                                                     "Times New Roman Baltic",
                                                     "Wingdings",
                                                     "Symbol",
                                                     "Verdana",
                                                     "Arial Black",
                                                     "Comic Sans MS",
                                                     "Impact",
                                                     "Georgia",
                                                     "Franklin Gothic Medium",
                                                     "Palatino Linotype",
                                                     "Tahoma",
                                                     "Trebuchet MS",
                                                     "Webdings",
                                                     "Estrangelo Edessa",
                                                     "Gautami",
                                                     "Latha",
                                                     "Mangal",
                                                     "MV Boli",
                                                     "Raavi",
                                                     "Shruti",
                                                     "Tunga",
                                                     "Sylfaen",
                                                     "ＭＳ ゴシック",
                                                     "ＭＳ Ｐゴシック",
                                                     "MS UI Gothic",
                                                     "ＭＳ 明朝",
                                                     "ＭＳ Ｐ明朝",
                                                     "Microsoft Sans Serif",
                                                     "Gulim",
                                                     "GulimChe",
                                                     "Dotum",
                                                     "DotumChe",
                                                     "Batang",
                                                     "BatangChe",
                                                     "Gungsuh",
                                                     "GungsuhChe",
                                                     "SimSun",
                                                     "NSimSun",
                                                     "SimSun-PUA",
                                                     "SimHei",
                                                     "MingLiU",
                                                     "PMingLiU",
                                                     "Arial Narrow",
                                                     "Book Antiqua",
                                                     "Bookman Old Style",
                                                     "Century",
                                                     "Century Gothic",
                                                     "Garamond",
                                                     "MS Outlook",
                                                     "HGｺﾞｼｯｸE",
                                                     "HGPｺﾞｼｯｸE",
                                                     "HGSｺﾞｼｯｸE",
                                                     "HG丸ｺﾞｼｯｸM-PRO",
                                                     "HG創英角ｺﾞｼｯｸUB",
                                                     "HGP創英角ｺﾞｼｯｸUB",
                                                     "HGS創英角ｺﾞｼｯｸUB",
                                                     "HG創英角ﾎﾟｯﾌﾟ体",
                                                     "HGP創英角ﾎﾟｯﾌﾟ体",
                                                     "HGS創英角ﾎﾟｯﾌﾟ体",
                                                     "HG正楷書体-PRO",
                                                     "InMusicSym",
                                                     "Kartika",
                                                     "Vrinda",
                                                     "メイリオ",
                                                     "MT Extra",
                                                     "HGｺﾞｼｯｸM",
                                                     "HGPｺﾞｼｯｸM",
                                                     "HGSｺﾞｼｯｸM",
                                                     "HG行書体",
                                                     "HGP行書体",
                                                     "HGS行書体",
                                                     "HG教科書体",
                                                     "HGP教科書体",
                                                     "HGS教科書体",
                                                     "HG明朝B",
                                                     "HGP明朝B",
                                                     "HGS明朝B",
                                                     "HG明朝E",
                                                     "HGP明朝E",
                                                     "HGS明朝E",
                                                     "HG創英ﾌﾟﾚｾﾞﾝｽEB",
                                                     "HGP創英ﾌﾟﾚｾﾞﾝｽEB",
                                                     "HGS創英ﾌﾟﾚｾﾞﾝｽEB",
                                                     "OCRB",
                                                     "Sydnie",
                                                     ""};

bool SameImage(const GlyphImage& a, const GlyphImage& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height && a.ink == b.ink;
}

class FontFileResolverTest : public ::testing::Test {
protected:
    void SetUp() override { FontFilesUseSystemForTest(); }
};

TEST_F(FontFileResolverTest, JapaneseFacesMapToTheIpaFontsOfTheirKind)
{
    struct Case {
        const char* face;
        const char* family;
    };
    for (const Case& c :
         {Case{"ＭＳ ゴシック", "IPAGothic"}, Case{"ＭＳ Ｐゴシック", "IPAPGothic"}, Case{"ＭＳ 明朝", "IPAMincho"},
          Case{"ＭＳ Ｐ明朝", "IPAPMincho"}, Case{"", "IPAGothic"}, Case{"HGPｺﾞｼｯｸE", "IPAPGothic"},
          Case{"HGS明朝E", "IPAPMincho"}, Case{"MS UI Gothic", "IPAPGothic"}}) {
        const std::vector<FontFile> files = ResolveFontFiles(SjisOf(c.face), 400);
        ASSERT_FALSE(files.empty()) << c.face;
        EXPECT_EQ(files[0].family, c.family) << c.face;
    }
}

TEST_F(FontFileResolverTest, EveryNameOfTheFaceTableDrawsJapaneseAndLatinText)
{
    // Characters from the kanji, katakana, hiragana, half-width katakana, full-width and ASCII sets.
    const std::string text = SjisOf("表示テストあ－ｱﾟA\\z");
    for (const char* face : kFaceTable) {
        SCOPED_TRACE(face);
        ASSERT_FALSE(ResolveFontFiles(SjisOf(face), 400).empty());
        auto font = FontFace::Create(SjisOf(face), 16, 400);
        const GlyphImage& defaultGlyph = *font->Layout("\x85\x40")[0].glyph;
        const std::vector<PlacedGlyph> placed = font->Layout(text);
        ASSERT_EQ(placed.size(), 12u);
        for (size_t i = 0; i < placed.size(); ++i) {
            EXPECT_GT(placed[i].glyph->width * placed[i].glyph->height, 0) << "glyph " << i << " has no ink";
            EXPECT_FALSE(SameImage(*placed[i].glyph, defaultGlyph)) << "glyph " << i << " is the default glyph";
        }
    }
}

TEST_F(FontFileResolverTest, TheTestHookMakesEveryNameTheTestFontAndUndoes)
{
    ASSERT_TRUE(FontFilesUseOnlyForTest(TestFontPath()));
    for (const char* face : {"ＭＳ ゴシック", "Arial", ""}) {
        const std::vector<FontFile> files = ResolveFontFiles(SjisOf(face), 400);
        ASSERT_EQ(files.size(), 1u) << face;
        EXPECT_EQ(files[0].family, "QB Test Font");
    }
    EXPECT_FALSE(FontFilesUseOnlyForTest(TestFontPath() + ".missing"));
    FontFilesUseSystemForTest();
    EXPECT_EQ(ResolveFontFiles(SjisOf("ＭＳ ゴシック"), 400)[0].family, "IPAGothic");
}

}  // namespace
