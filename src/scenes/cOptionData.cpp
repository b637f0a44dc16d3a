#include "scenes/cOptionData.h"

#include <algorithm>

#include "core/TextHelpers.h"

cOptionData OptionData;

namespace {

// The first nChars characters of a Shift-JIS text (a lead byte with its trail byte is one).
std::string FirstChars(const std::string& text, int nChars)
{
    std::size_t end = 0;
    for (int n = 0; n < nChars && end < text.size() && text[end] != '\0'; ++n) {
        end += IsDBCSChar(text.c_str() + end) ? 2 : 1;
    }
    return text.substr(0, end);
}

}  // namespace

cOptionData::cOptionData() : strRankingName("aaa")
{
    RegisterMembers(nDataVersion);
}

void cOptionData::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&nPaletteSet, 1);
    AddDwordMember(&bMusic, 1);
    AddDwordMember(&nSoundVolume, 1);
    AddDwordMember(&nRankingMode, 1);
    AddStrMember(&strRankingName, 1);
}

int cOptionData::Load(FILE* fp)
{
    const int ok = cDataRecord::Load(fp);
    nPaletteSet = std::clamp<std::int32_t>(nPaletteSet, 0, kMaxPaletteSet);
    bMusic = std::clamp<std::int32_t>(bMusic, 0, 1);
    nSoundVolume = std::clamp<std::int32_t>(nSoundVolume, 0, kMaxSoundVolume);
    nRankingMode = std::clamp<std::int32_t>(nRankingMode, 0, kMaxRankingMode);
    strRankingName = FirstChars(strRankingName, kRankingNameChars);
    return ok;
}
