#include "objects/commands/FlowInsertion.h"

#include <algorithm>
#include <cstdint>

#include "objects/StageSpeed.h"
#include "objects/chara/cCharaBase.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/commands/CommandDispatch.h"
#include "objects/commands/CommandSetup.h"
#include "objects/flow/FlowRuntime.h"
#include "project/cDatabase.h"

namespace {

constexpr int kJumpCommand = 10;
constexpr int kSwordCommand = 12;

// Frames of Anime entry nAnime before its first locked frame (the pose held while the command
// runs), or -1 for no entry. 64-bit so that a file full of long frames cannot overflow.
std::int64_t WindUpFrames(int nAnime)
{
    if (nAnime <= 0 || static_cast<std::size_t>(nAnime) >= Database.Anime.size()) {
        return -1;
    }
    std::int64_t tenths = 0;
    for (const cDbAnimeFrame& frame : Database.Anime.data()[nAnime].FrameList) {
        if (frame.bLock != 0) {
            break;
        }
        tenths += frame.nTime;
    }
    return tenths * 6;
}

std::int16_t ToInt16(std::int64_t value)
{
    return static_cast<std::int16_t>(value < INT16_MIN ? INT16_MIN : (value > INT16_MAX ? INT16_MAX : value));
}

std::int32_t ToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(value < INT32_MIN ? INT32_MIN : (value > INT32_MAX ? INT32_MAX : value));
}

// The command animations of a new flow: each plays its wind-up so that the wind-up ends as its
// command starts, and holds its locked pose for the command's time. When the commands before it
// are too short for the wind-up, it starts with the flow and skips the part there was no time for.
void BuildAnimeSchedule(FLOWINSTANCE& inst)
{
    inst.animeStarts.clear();
    const std::int64_t b = SubStepCount();
    std::int64_t s = 0;
    for (int c = 0; c < static_cast<int>(inst.commands.size()); ++c) {
        const COMMANDINSTANCE& ci = inst.commands[c];
        if (ci.command == nullptr) {
            continue;
        }
        const cEdCommand& command = *ci.command;
        const std::int64_t t = WindUpFrames(command.m_nAnime);
        if (t >= 0) {
            const std::int64_t l0 = t * b;
            std::int64_t l = l0;
            for (int p = c - 1; p >= 0 && l > 0; --p) {
                const COMMANDINSTANCE& before = inst.commands[p];
                if (before.command != nullptr && before.command->m_bWithNext != 1) {
                    l -= before.duration;
                }
            }
            FLOWANIMESTART start;
            start.nAnime = command.m_nAnime;
            start.nValue2 = ToInt16(static_cast<std::int64_t>(command.m_nTime) * 6);
            start.nFlag = (command.m_nKind == kJumpCommand || command.m_nKind == kSwordCommand) ? 0 : 1;
            if (l <= 0) {
                start.nStartFrame = ToInt32(s - l0);
                start.nValue1 = ToInt16(t);
            } else {
                const std::int64_t skip = std::min(l / b, t);
                start.nTickOffset = ToInt16(skip);
                start.nValue1 = ToInt16(t - skip);
            }
            inst.animeStarts.push_back(start);
        }
        if (command.m_bWithNext != 1) {
            s += ci.duration;
        }
    }
}

}  // namespace

int InsertCharaFlows(cCharaBase& chara, const cVector<cEdFlow>& flows, int nFacing, int bAppend, int nAt)
{
    // No flow can run before it is inserted: the command table is complete from here on.
    InstallActionCommands();
    cVector<cEdFlow>& defs = chara.def.m_Flow;
    const int nGiven = static_cast<int>(flows.size());
    int nFirst = 0;
    if (!bAppend) {
        // The definitions may be the character's own list: copy before replacing.
        cVector<cEdFlow> copy = flows;
        defs = copy;
        chara.flows.clear();
        chara.flows.resize(nGiven);
    } else if (nAt >= 0 && nAt < static_cast<int>(defs.size()) && nAt <= static_cast<int>(chara.flows.size())) {
        nFirst = nAt;
        cVector<cEdFlow> copy = flows;
        defs.insert(defs.begin() + nAt, copy.begin(), copy.end());
        chara.flows.insert(chara.flows.begin() + nAt, static_cast<std::size_t>(nGiven), FLOWINSTANCE{});
    } else {
        nFirst = static_cast<int>(chara.flows.size());
        cVector<cEdFlow> copy = flows;
        defs.insert(defs.end(), copy.begin(), copy.end());
        chara.flows.resize(chara.flows.size() + nGiven);
    }
    for (int g = 0; g < nGiven; ++g) {
        const int k = nFirst + g;
        if (k >= static_cast<int>(defs.size()) || k >= static_cast<int>(chara.flows.size())) break;
        cEdFlow& def = defs[k];
        FLOWINSTANCE& inst = chara.flows[k];
        inst = FLOWINSTANCE{};
        inst.index = k;
        inst.flow = &def;
        inst.serial = chara.flowSerial++;
        inst.commands.resize(def.m_Command.size());
        for (int c = 0; c < static_cast<int>(def.m_Command.size()); ++c) {
            SetupCommandInstance(inst.commands[c], def.m_Command[c], chara, nFacing);
        }
        BuildAnimeSchedule(inst);
        if (bAppend && def.m_bKeyRepeat == 0) {
            inst.keyWasTrue = 1;
        }
    }
    cCharaFlowOwner owner(chara);
    cFlowRuntime::RelinkFlows(owner);
    return nGiven;
}
