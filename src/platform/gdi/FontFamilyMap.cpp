#include "platform/gdi/FontFamilyMap.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

enum class JapaneseFace { Gothic, PGothic, Mincho, PMincho };

struct JapaneseName {
    std::string_view name;
    JapaneseFace face;
};

// The Japanese faces the games may name. HGP faces are proportional; HGS faces have proportional
// kana, which the proportional IPA fonts match more closely than the fixed-pitch ones. Rounded,
// pop and brush faces take the Gothic or Mincho face nearest in look.
constexpr std::array kJapaneseNames = {
    JapaneseName{"ＭＳ ゴシック", JapaneseFace::Gothic},     JapaneseName{"MS Gothic", JapaneseFace::Gothic},
    JapaneseName{"ＭＳ Ｐゴシック", JapaneseFace::PGothic},  JapaneseName{"MS PGothic", JapaneseFace::PGothic},
    JapaneseName{"MS UI Gothic", JapaneseFace::PGothic},     JapaneseName{"メイリオ", JapaneseFace::PGothic},
    JapaneseName{"Meiryo", JapaneseFace::PGothic},           JapaneseName{"ＭＳ 明朝", JapaneseFace::Mincho},
    JapaneseName{"MS Mincho", JapaneseFace::Mincho},         JapaneseName{"ＭＳ Ｐ明朝", JapaneseFace::PMincho},
    JapaneseName{"MS PMincho", JapaneseFace::PMincho},       JapaneseName{"HGｺﾞｼｯｸE", JapaneseFace::Gothic},
    JapaneseName{"HGPｺﾞｼｯｸE", JapaneseFace::PGothic},        JapaneseName{"HGSｺﾞｼｯｸE", JapaneseFace::PGothic},
    JapaneseName{"HGｺﾞｼｯｸM", JapaneseFace::Gothic},          JapaneseName{"HGPｺﾞｼｯｸM", JapaneseFace::PGothic},
    JapaneseName{"HGSｺﾞｼｯｸM", JapaneseFace::PGothic},        JapaneseName{"HG丸ｺﾞｼｯｸM-PRO", JapaneseFace::PGothic},
    JapaneseName{"HG創英角ｺﾞｼｯｸUB", JapaneseFace::Gothic},   JapaneseName{"HGP創英角ｺﾞｼｯｸUB", JapaneseFace::PGothic},
    JapaneseName{"HGS創英角ｺﾞｼｯｸUB", JapaneseFace::PGothic}, JapaneseName{"HG創英角ﾎﾟｯﾌﾟ体", JapaneseFace::Gothic},
    JapaneseName{"HGP創英角ﾎﾟｯﾌﾟ体", JapaneseFace::PGothic}, JapaneseName{"HGS創英角ﾎﾟｯﾌﾟ体", JapaneseFace::PGothic},
    JapaneseName{"HG明朝B", JapaneseFace::Mincho},           JapaneseName{"HGP明朝B", JapaneseFace::PMincho},
    JapaneseName{"HGS明朝B", JapaneseFace::PMincho},         JapaneseName{"HG明朝E", JapaneseFace::Mincho},
    JapaneseName{"HGP明朝E", JapaneseFace::PMincho},         JapaneseName{"HGS明朝E", JapaneseFace::PMincho},
    JapaneseName{"HG創英ﾌﾟﾚｾﾞﾝｽEB", JapaneseFace::Mincho},   JapaneseName{"HGP創英ﾌﾟﾚｾﾞﾝｽEB", JapaneseFace::PMincho},
    JapaneseName{"HGS創英ﾌﾟﾚｾﾞﾝｽEB", JapaneseFace::PMincho}, JapaneseName{"HG正楷書体-PRO", JapaneseFace::Mincho},
    JapaneseName{"HG行書体", JapaneseFace::Mincho},          JapaneseName{"HGP行書体", JapaneseFace::PMincho},
    JapaneseName{"HGS行書体", JapaneseFace::PMincho},        JapaneseName{"HG教科書体", JapaneseFace::Mincho},
    JapaneseName{"HGP教科書体", JapaneseFace::PMincho},      JapaneseName{"HGS教科書体", JapaneseFace::PMincho},
};

// Western faces that are not sans-serif, by the start of their name.
constexpr std::array<std::string_view, 6> kMonospacePrefixes = {"Courier", "Lucida Console", "FixedSys", "Terminal",
                                                                "OCR",     "Modern"};
constexpr std::array<std::string_view, 12> kSerifPrefixes = {"Times New Roman", "MS Serif",     "Roman",   "Georgia",
                                                             "Palatino",        "Book Antiqua", "Bookman", "Century",
                                                             "Garamond",        "Sylfaen",      "Batang",  "MingLiU"};

// Windows names a face's other code pages by suffixes ("Arial CE"); the face itself is meant.
constexpr std::array<std::string_view, 5> kCharsetSuffixes = {" CE", " CYR", " Greek", " TUR", " Baltic"};

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::vector<std::string> JapaneseFamilies(JapaneseFace face)
{
    switch (face) {
    case JapaneseFace::Gothic: return {"IPAGothic", "monospace"};
    case JapaneseFace::PGothic: return {"IPAPGothic", "sans-serif"};
    case JapaneseFace::Mincho: return {"IPAMincho", "serif"};
    case JapaneseFace::PMincho: return {"IPAPMincho", "serif"};
    }
    return {"IPAGothic", "monospace"};
}

std::string_view WithoutCharsetSuffix(std::string_view name)
{
    for (std::string_view suffix : kCharsetSuffixes) {
        if (name.size() > suffix.size() && EqualsIgnoringCase(name.substr(name.size() - suffix.size()), suffix))
            return name.substr(0, name.size() - suffix.size());
    }
    return name;
}

std::string GenericFamilyOf(std::string_view name)
{
    for (std::string_view prefix : kMonospacePrefixes) {
        if (StartsWithIgnoringCase(name, prefix)) return "monospace";
    }
    for (std::string_view prefix : kSerifPrefixes) {
        if (StartsWithIgnoringCase(name, prefix)) return "serif";
    }
    return "sans-serif";
}

}  // namespace

std::vector<std::string> FontFamiliesFor(std::string_view faceUtf8)
{
    // With no name, a Shift-JIS font request gets the standard Japanese Gothic face.
    if (faceUtf8.empty()) return JapaneseFamilies(JapaneseFace::Gothic);
    for (const JapaneseName& entry : kJapaneseNames) {
        if (EqualsIgnoringCase(faceUtf8, entry.name)) return JapaneseFamilies(entry.face);
    }
    const std::string_view base = WithoutCharsetSuffix(faceUtf8);
    return {std::string(base), GenericFamilyOf(base)};
}
