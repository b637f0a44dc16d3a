#include "objects/commands/ShotCommands.h"

#include "definitions/cEdCommand.h"
#include "objects/commands/CommandRules.h"
#include "objects/flow/CommandTable.h"
#include "objects/shot/ShotLaunch.h"
#include "objects/shot/cShot.h"
#include "project/cDatabase.h"

namespace {

enum SHOTACTION {
    ACTION_SHOT = 11,
    ACTION_SWORD = 12,
    ACTION_BLOCK_SUMMON = 13,
    ACTION_CHARA_SUMMON = 14,
    ACTION_ITEM_SUMMON = 15,
};

using SummonLaunch = void (*)(cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, int nInputDir);

cEdShot* ShotOf(const COMMANDINSTANCE& inst)
{
    return (inst.command != nullptr && inst.command->m_lpShot) ? inst.command->m_lpShot.get() : nullptr;
}

// The repeating commands: sound and launch on the steps whose frame counter is 0.
template <class F>
int Repeating(const FLOWCONTEXT& ctx, F launch)
{
    COMMANDINSTANCE& inst = ctx.Command();
    cCharaBase* chara = ctx.Chara();
    cEdShot* def = ShotOf(inst);
    if (RepeatActsNow(inst) && chara != nullptr) {
        PlayCommandSound(inst, *chara, 1);
        if (def != nullptr) {
            launch(*chara, inst, *def, ctx.Flow().inputDir);
        }
    }
    AdvanceRepeat(inst);
    return 0;
}

int ShotCommand(const FLOWCONTEXT& ctx)
{
    return Repeating(ctx, [](cCharaBase& chara, const COMMANDINSTANCE& inst, cEdShot& def, int nInputDir) {
        if (lpStageField != nullptr) {
            LaunchShots(lpStageField->m_ShotList, chara, inst, def, nInputDir);
        }
    });
}

template <SummonLaunch F>
int SummonCommand(const FLOWCONTEXT& ctx)
{
    return Repeating(ctx, F);
}

// One sword on the first step; the frame counter then only counts.
int SwordCommand(const FLOWCONTEXT& ctx)
{
    COMMANDINSTANCE& inst = ctx.Command();
    cCharaBase* chara = ctx.Chara();
    cEdShot* def = ShotOf(inst);
    if (inst.frame++ != 0 || chara == nullptr || lpStageField == nullptr) {
        return 0;
    }
    PlayCommandSound(inst, *chara, 1);
    if (def == nullptr) {
        return 0;
    }
    const cDbSwordType& entry = Database.SwordType[def->m_nAimKind];
    // A sword type without steps has no size and nothing to swing: no sword.
    if (entry.FrameList.empty()) {
        return 0;
    }
    const cDbSwordFrame& first = entry.FrameList[0];
    SHOTLAUNCH launch;
    launch.width = first.nWidth;
    launch.height = first.nHeight;
    launch.sizeFactor = def->m_nSize;
    cShot sword;
    sword.Init(lpStageField->m_nShotSerial, *chara, ACTION_SWORD, *def, launch);
    cShot& stored = AddShotObject(lpStageField->m_ShotList, sword);
    ++lpStageField->m_nShotSerial;
    stored.target = OBJECTREF{};
    return 0;
}

}  // namespace

void InstallShotCommands()
{
    CommandFuncTable::Register(ACTION_SHOT, ShotCommand);
    CommandFuncTable::Register(ACTION_SWORD, SwordCommand);
    CommandFuncTable::Register(ACTION_BLOCK_SUMMON, SummonCommand<LaunchBlockSummon>);
    CommandFuncTable::Register(ACTION_CHARA_SUMMON, SummonCommand<LaunchCharaSummon>);
    CommandFuncTable::Register(ACTION_ITEM_SUMMON, SummonCommand<LaunchItemSummon>);
}
