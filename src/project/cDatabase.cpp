#include "project/cDatabase.h"

#include <string>

#include "core/Paths.h"
#include "core/TextHelpers.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"
#include "project/DatabaseTable.h"

cDatabase Database;

namespace {

// Positions of the ten table files in the path table, in load order.
constexpr int kAnimeSetPath = 15;
constexpr int kAnimePath = 17;
constexpr int kBmpCharaExcPath = 19;
constexpr int kSwordTypePath = 21;
constexpr int kEffectPath = 23;
constexpr int kCharaEffectPath = 25;
constexpr int kScrEffectPath = 27;
constexpr int kPicturePath = 29;
constexpr int kSoundPath = 31;
constexpr int kBgmPath = 33;

// The error box of a table that could not be read. The database is read before the drawing
// back-end exists, so the box is the plain one on the active window.
void ShowLoadFailure(const std::string& path)
{
    static const std::string kFormat = Sjis("%s のロードに失敗！");
    static const std::string kCaption = Sjis("エラー");
    std::string text;
    FormatString(text, kFormat.c_str(), path.c_str());
    MessageBoxA(GetActiveWindow(), text.c_str(), kCaption.c_str(), MB_OK);
}

template <class T>
int LoadFromPathTable(cVector<T>& table, int nPathIndex)
{
    const std::string& path = PathTable[nPathIndex];
    if (LoadTableFile(table, path.c_str())) {
        return 1;
    }
    ShowLoadFailure(path);
    return 0;
}

}  // namespace

cDatabase::cDatabase()
{
    SetDefault();
}

void cDatabase::RegisterMembers(int)
{
    ClearMemberList();
}

void cDatabase::SetDefault()
{
    static const std::string kNoAnime = Sjis("なし");
    static const std::string kActionA = Sjis("アクションA");
    AnimeSet.Reset(1);
    Anime.Reset(2);
    Anime[0].strName = kNoAnime;
    Anime[1].strName = kActionA;
    Bmp_CharaExc.Reset(2);
    SwordType.Reset(1);
    Effect.Reset(2);
    CharaEffect.Reset(2);
    ScrEffect.Reset(2);
    Picture.Reset(2);
    Sound.Reset(2);
    Bgm.Reset(2);
}

int cDatabase::Load()
{
    int ok = LoadFromPathTable(AnimeSet, kAnimeSetPath) && LoadFromPathTable(Anime, kAnimePath) &&
             LoadFromPathTable(Bmp_CharaExc, kBmpCharaExcPath) && LoadFromPathTable(SwordType, kSwordTypePath) &&
             LoadFromPathTable(Effect, kEffectPath) && LoadFromPathTable(CharaEffect, kCharaEffectPath) &&
             LoadFromPathTable(ScrEffect, kScrEffectPath) && LoadFromPathTable(Picture, kPicturePath) &&
             LoadFromPathTable(Sound, kSoundPath) && LoadFromPathTable(Bgm, kBgmPath);
    if (!ok) {
        return 0;
    }
    ClearEffectZero();
    return 1;
}

void cDatabase::ClearEffectZero()
{
    CharaEffect[0].nKind = 0;
    ScrEffect[0].nKind = 0;
}
