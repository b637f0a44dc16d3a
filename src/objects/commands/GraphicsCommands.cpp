#include "objects/commands/GraphicsCommands.h"

#include <cstdint>

#include "definitions/cEdCommand.h"
#include "definitions/cEdStage.h"
#include "objects/IEffectStage.h"
#include "objects/ObjectSounds.h"
#include "objects/StageObjects.h"
#include "objects/cStageField.h"
#include "objects/commands/CommandSetup.h"
#include "objects/effect/PictureSurface.h"
#include "objects/flow/CommandTable.h"
#include "objects/flow/FlowOperands.h"
#include "project/DerivedTables.h"
#include "project/cDatabase.h"

IEffectStage* lpEffectStage = nullptr;

namespace {

enum GRAPHICSKIND {
    ACTION_GRAPHIC = 25,
    ACTION_ANIMESET = 26,
    ACTION_ANIME = 27,
    ACTION_EFFECT = 28,
    ACTION_CHARAEFFECT = 29,
    ACTION_SCREFFECT = 30,
    ACTION_PICTURE = 31,
    ACTION_SCREENCOLOR = 32,
    ACTION_BACKGROUND = 33,
    ACTION_SOUND = 34,
    ACTION_BGM = 35,
};

// Wait records of the blocking commands.
constexpr int kWaitEffect = 2;
constexpr int kWaitPicture = 3;
constexpr int kFramesPerTenth = 6;
constexpr int kCell = 32;
constexpr int kHalfScreenW = 320;
constexpr int kHalfScreenH = 240;

int P(const cEdCommand& command, int i)
{
    return CommandParam(command, i);
}

bool QuitRequested()
{
    return lpEffectStage != nullptr && lpEffectStage->EffectQuitRequested();
}

void RunWait(int nMode, int bWaitKey, int nCount)
{
    if (lpEffectStage != nullptr) {
        lpEffectStage->RunEffectWait(nMode, bWaitKey, nCount);
    }
}

// The command-table form of a body.
template <int (*Body)(cCharaBase&, const cEdCommand&)>
int Handler(const FLOWCONTEXT& ctx)
{
    cCharaBase* chara = ctx.Chara();
    const cEdCommand* command = ctx.Command().command;
    return chara != nullptr && command != nullptr ? Body(*chara, *command) : 0;
}

int SoundHandler(const FLOWCONTEXT& ctx)
{
    cCharaBase* chara = ctx.Chara();
    const cEdCommand* command = ctx.Command().command;
    return chara != nullptr && command != nullptr ? SoundCommand(*command, *chara) : 0;
}

int BgmHandler(const FLOWCONTEXT& ctx)
{
    const cEdCommand* command = ctx.Command().command;
    return command != nullptr ? BgmCommand(*command) : 0;
}

// The place in the picture list of the picture with an ID, or end().
std::list<cPictureObj>::iterator FindPictureById(std::list<cPictureObj>& list, int nId)
{
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->hasId && it->id == nId) {
            return it;
        }
    }
    return list.end();
}

}  // namespace

void PlaceByPositionKind(double& outX, double& outY, int w, int h, const cCharaBase& chara, int nKind, int nCellX,
                         int nCellY, int nDotX, int nDotY)
{
    const double scrollX = lpStageField != nullptr ? lpStageField->m_ScrollX.dPos : 0.0;
    const double scrollY = lpStageField != nullptr ? lpStageField->m_ScrollY.dPos : 0.0;
    const int marginX = lpStageField != nullptr ? lpStageField->m_ScrollX.nMargin : 0;
    const int marginY = lpStageField != nullptr ? lpStageField->m_ScrollY.nMargin : 0;
    const cCharaBase* centre = &chara;
    switch (nKind) {
    case 0:
        outX = nDotX + scrollX + kHalfScreenW - (w >> 1);
        outY = nDotY + scrollY + kHalfScreenH - (h >> 1);
        break;
    case 2:
        if (Player.empty()) {
            break;
        }
        centre = &Player[P1];
        [[fallthrough]];
    case 1:
        outX = nDotX + centre->screenLeft + (centre->gfxWidth >> 1) + scrollX - (w >> 1);
        outY = nDotY + centre->screenTop + (centre->gfxHeight >> 1) + scrollY - (h >> 1);
        break;
    case 3:
        outX = scrollX + kCell * nCellX + nDotX;
        outY = scrollY + kCell * nCellY + nDotY;
        break;
    case 4:
        outX = kCell * (nCellX + marginX) + nDotX;
        outY = kCell * (nCellY + marginY) + nDotY;
        break;
    default: break;
    }
}

int GraphicChangeCommand(cCharaBase& chara, const cEdCommand& command)
{
    chara.def.m_nGraphicSheet = static_cast<std::int8_t>(P(command, 0));
    chara.def.m_nGraphic = static_cast<std::int16_t>(P(command, 1));
    chara.def.m_nCell = static_cast<std::int16_t>(P(command, 2));
    chara.pictureNumber = chara.def.m_nGraphic;
    chara.spare = chara.def.m_nGraphicSheet;
    return 0;
}

int AnimeSetCommand(cCharaBase& chara, const cEdCommand& command)
{
    chara.SetAnimeSet(static_cast<std::uint16_t>(P(command, 0)), 0);
    return 0;
}

// The animation goes to the front of the character's extra animations, keyed by the running
// flow's serial number so that the flow operations can end, pause or resume it.
int AnimeCommand(cCharaBase& chara, const cEdCommand& command, std::int32_t nFlowSerial)
{
    PatternTable table;
    table.push_back(AnimePattern[P(command, 0)]);  // a bad index is reported and uses entry 0
    EXTRAANIME entry;
    entry.key = nFlowSerial;
    entry.number =
        P(command, 0) >= 0 && static_cast<std::size_t>(P(command, 0)) < AnimePattern.size() ? P(command, 0) : 0;
    entry.anime.SetPatterns(&table);
    entry.anime.SetPattern(0, 1);
    chara.extraAnimes.push_front(std::move(entry));
    return 0;
}

int AnimeHandler(const FLOWCONTEXT& ctx)
{
    cCharaBase* chara = ctx.Chara();
    const cEdCommand* command = ctx.Command().command;
    return chara != nullptr && command != nullptr ? AnimeCommand(*chara, *command, ctx.Flow().serial) : 0;
}

int EffectCommand(cCharaBase& chara, const cEdCommand& command)
{
    if (lpStageField == nullptr || QuitRequested()) {
        return 0;
    }
    const int number = P(command, 0);
    if (number == 0) {
        lpStageField->m_EffectList.clear();
        return 0;
    }
    const cDbEffect& entry = Database.Effect[static_cast<std::int16_t>(number)];
    const int w = PercentOf(entry.nCellWidth, P(command, 6));
    const int h = PercentOf(entry.nCellHeight, P(command, 6));
    double x = 0.0;
    double y = 0.0;
    PlaceByPositionKind(x, y, w, h, chara, P(command, 1), P(command, 2), P(command, 3), P(command, 4), P(command, 5));
    const int bWait = P(command, 7) != 0 ? 1 : 0;
    lpStageField->m_EffectList.emplace_back(number, x, y, w, h, bWait);
    if (bWait) {
        int frames = 0;
        for (const cDbEffectFrame& frame : entry.FrameList) {
            frames += frame.nTime * kFramesPerTenth;
        }
        RunWait(kWaitEffect, 0, frames);
    }
    return 0;
}

int CharaEffectCommand(cCharaBase& chara, const cEdCommand& command)
{
    chara.charaEffect.Start(static_cast<std::int16_t>(P(command, 0)), P(command, 1), P(command, 2));
    return 0;
}

int ScrEffectCommand(cCharaBase& /*chara*/, const cEdCommand& command)
{
    if (lpStageField == nullptr) {
        return 0;
    }
    lpStageField->m_ScrEffect.Start(static_cast<std::int16_t>(P(command, 0)), P(command, 1), P(command, 2));
    if (lpEffectStage != nullptr) {
        lpEffectStage->ScreenEffectStarted(lpStageField->m_ScrEffect.nNumber);
    }
    return 0;
}

int PictureCommand(cCharaBase& chara, const cEdCommand& command)
{
    if (lpStageField == nullptr || QuitRequested()) {
        return 0;
    }
    std::list<cPictureObj>& list = lpStageField->m_PictureList;
    const int number = P(command, 0);
    const int bHasId = P(command, 12) != 0 ? 1 : 0;
    if (number == 0 && !bHasId) {
        list.clear();
        return 0;
    }
    // With an ID, the picture carrying it gives up its place to the new one.
    auto place = list.end();
    if (bHasId) {
        auto found = FindPictureById(list, P(command, 13));
        if (found != list.end()) {
            place = list.erase(found);
        }
        if (number == 0) {
            return 0;
        }
    }
    const int percent = P(command, 7);
    std::shared_ptr<DDSURFACEDATA> surface = LoadPictureSurface(Database.Picture[number].strFileName, percent);
    if (surface == nullptr) {
        // The loader has reported it and asked for the close; until then no picture is shown.
        return 0;
    }
    int sw = 0;
    int sh = 0;
    PictureSurfaceSize(*surface, sw, sh);
    const int w = PercentOf(sw, percent);
    const int h = PercentOf(sh, percent);
    double x = 0.0;
    double y = 0.0;
    PlaceByPositionKind(x, y, w, h, chara, P(command, 1), P(command, 2), P(command, 3), P(command, 4), P(command, 5));
    const int durationMode = P(command, 8);
    const int bWait = P(command, 10) != 0 ? 1 : 0;
    cPictureObj picture(number, x, y, w, h, P(command, 11), P(command, 6), percent, durationMode,
                        P(command, 9) * kFramesPerTenth, bWait, bHasId, P(command, 13));
    picture.surface = surface;
    list.insert(place, picture);
    if (!bWait) {
        return 0;
    }
    // A picture shown until the stage ends cannot hold the play that long: like one shown until
    // the advance key, it waits for the key.
    if (durationMode == 2) {
        RunWait(kWaitPicture, 0, P(command, 9) * kFramesPerTenth);
    } else {
        RunWait(kWaitPicture, 1, 0);
    }
    // The picture just shown goes with the wait (unless its time already took it away).
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->surface == surface) {
            list.erase(it);
            break;
        }
    }
    return 0;
}

int ScreenColorCommand(cCharaBase& /*chara*/, const cEdCommand& command)
{
    if (lpEffectStage != nullptr) {
        lpEffectStage->SetScreenColor(command);
    }
    return 0;
}

int BackgroundCommand(cCharaBase& /*chara*/, const cEdCommand& command)
{
    const int index = P(command, 0) - 1;
    if (index < 0 || index >= static_cast<int>(Stage.m_Background.size())) {
        return 0;
    }
    std::int32_t& visible = Stage.m_Background[index].m_bVisible;
    switch (P(command, 1)) {
    case 0: visible = 1; break;
    case 1: visible = 0; break;
    case 2: visible = visible ? 0 : 1; break;
    default: break;
    }
    return 0;
}

int SoundCommand(const cEdCommand& command, cCharaBase& chara)
{
    if (command.m_bSoundOnScreen != 0 && chara.inView == 0) {
        return 0;
    }
    PlayObjectSound(P(command, 0));
    return 0;
}

int BgmCommand(const cEdCommand& command)
{
    if (lpEffectStage != nullptr) {
        lpEffectStage->PlayStageBgm(P(command, 0), P(command, 1));
    }
    return 0;
}

void InstallGraphicsCommands()
{
    CommandFuncTable::Register(ACTION_GRAPHIC, Handler<GraphicChangeCommand>);
    CommandFuncTable::Register(ACTION_ANIMESET, Handler<AnimeSetCommand>);
    CommandFuncTable::Register(ACTION_ANIME, AnimeHandler);
    CommandFuncTable::Register(ACTION_EFFECT, Handler<EffectCommand>);
    CommandFuncTable::Register(ACTION_CHARAEFFECT, Handler<CharaEffectCommand>);
    CommandFuncTable::Register(ACTION_SCREFFECT, Handler<ScrEffectCommand>);
    CommandFuncTable::Register(ACTION_PICTURE, Handler<PictureCommand>);
    CommandFuncTable::Register(ACTION_SCREENCOLOR, Handler<ScreenColorCommand>);
    CommandFuncTable::Register(ACTION_BACKGROUND, Handler<BackgroundCommand>);
    CommandFuncTable::Register(ACTION_SOUND, SoundHandler);
    CommandFuncTable::Register(ACTION_BGM, BgmHandler);
}
