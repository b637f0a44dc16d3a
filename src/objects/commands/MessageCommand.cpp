#include "objects/commands/MessageCommand.h"

#include <algorithm>
#include <list>

#include "definitions/cEdCommand.h"
#include "objects/IStageCommands.h"
#include "objects/ObjectSounds.h"
#include "objects/TextObjects.h"
#include "objects/cStageField.h"
#include "objects/chara/HeroIdentity.h"
#include "objects/flow/CommandTable.h"
#include "objects/item/ItemCommandTable.h"

namespace {

constexpr int kActionMessage = 19;
constexpr int kItemMessage = 4;
constexpr int kWaitModeMessage = 1;
constexpr int kMessageSound = 11;
constexpr int kFramesPerTenth = 6;
enum { DURATION_KEY = 0, DURATION_STAGE = 1, DURATION_TIMED = 2 };

int Param(const cEdCommand& command, int i)
{
    return i < static_cast<int>(command.m_Param.size()) ? command.m_Param[i] : 0;
}

int AnchorOf(const cCharaBase& chara, int nPosMode)
{
    if (nPosMode >= 1 && nPosMode <= 3) return chara.source;
    if (nPosMode >= 4 && nPosMode <= 6 && Hero() != nullptr) return Hero()->source;
    return cTextObj::kNoAnchor;
}

TEXTOBJPARAMS ParamsOf(const cCharaBase& chara, const cEdCommand& c, int bContinuation)
{
    TEXTOBJPARAMS p;
    p.nKind = 1;
    p.strText = c.m_strText;
    p.nPosMode = Param(c, 0);
    p.nCellX = Param(c, 1);
    p.nCellY = Param(c, 2);
    p.nDotX = Param(c, 3);
    p.nDotY = Param(c, 4);
    p.bClamp = Param(c, 5);
    p.bScreenFixed = Param(c, 10);
    p.nDurationMode = Param(c, 6);
    p.nRemaining = Param(c, 7) * kFramesPerTenth;
    p.bCountDuringWait = Param(c, 8);
    p.nAnchor = AnchorOf(chara, p.nPosMode);
    p.bContinuation = bContinuation;
    p.bExpand = Param(c, 9);
    p.bRefresh = Param(c, 11);
    p.nRefreshPeriod = Param(c, 16);
    p.bWindow = Param(c, 14);
    p.bHasId = Param(c, 12);
    p.nId = Param(c, 13);
    return p;
}

// Stops the play while the message is shown. A message shown until the stage ends has no end of
// its own to wait for: it waits for the advance key like a message shown until the key.
void Block(IStageCommands& stage, const cEdCommand& c, int bContinuation)
{
    if (Param(c, 6) == DURATION_TIMED) {
        stage.RunCommandWait(kWaitModeMessage, 0, Param(c, 7) * kFramesPerTenth, bContinuation, true);
        return;
    }
    if (bContinuation == 0) PlayObjectSystemSound(kMessageSound);
    stage.RunCommandWait(kWaitModeMessage, 1, 0, bContinuation, true);
}

int MessageAction(const FLOWCONTEXT& ctx)
{
    if (ctx.Chara() == nullptr || !ctx.IsValid() || ctx.Command().command == nullptr) return 0;
    return MessageCommand(*ctx.Chara(), *ctx.Command().command, ctx.Flow().afterMessage);
}

int MessageItem(cPlayer& player, const cEdCommand& command)
{
    MessageCommand(player, command, ItemMessageFlag());
    SetItemMessageFlag(1);
    return 0;
}

}  // namespace

int MessageCommand(cCharaBase& chara, const cEdCommand& command, int bContinuation)
{
    IStageCommands* stage = StageCommandService();
    if (lpStageField == nullptr || (stage != nullptr && stage->IsQuitting() != 0)) return 0;
    std::list<cTextObj>& list = lpStageField->m_TextList;
    const bool bErase = Param(command, 15) != 0;
    auto place = list.end();
    cTextObj* reused = nullptr;
    if (Param(command, 12) != 0) {
        const int nId = Param(command, 13);
        auto found =
            std::find_if(list.begin(), list.end(), [nId](const cTextObj& t) { return t.bHasId != 0 && t.nId == nId; });
        if (found == list.end() && bErase) return 0;
        if (found != list.end()) {
            if (bErase) {
                found->ReleaseSurface();
                list.erase(found);
                return 0;
            }
            std::string text = command.m_strText;
            if (Param(command, 9) != 0) cTextObj::ExpandEscapes(text);
            int w = 0;
            int h = 0;
            cTextObj::MeasureText(text, w, h);
            if (w == found->nWidth && h == found->nHeight) {
                reused = &*found;
            } else {
                found->ReleaseSurface();
                place = list.erase(found);
            }
        }
    } else if (bErase) {
        return 0;
    }
    const TEXTOBJPARAMS params = ParamsOf(chara, command, bContinuation);
    cTextObj* shown = reused;
    if (reused != nullptr) {
        reused->Setup(params, true);
    } else {
        shown = &*list.emplace(place, params);
    }
    if (Param(command, 8) != 0 && stage != nullptr) {
        Block(*stage, command, bContinuation);
        EraseTextObject(lpStageField->m_TextList, shown);
    }
    return 0;
}

void InstallMessageCommands()
{
    CommandFuncTable::Register(kActionMessage, MessageAction);
    ItemCommandFuncTable::Register(kItemMessage, MessageItem);
}
