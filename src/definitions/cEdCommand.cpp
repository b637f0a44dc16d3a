#include "definitions/cEdCommand.h"

#include <algorithm>

#include "core/RecordFile.h"
#include "core/RecordReader.h"
#include "core/ReportLog.h"
#include "definitions/CommandInfo.h"
#include "definitions/DefinitionContext.h"
#include "definitions/DefinitionList.h"
#include "definitions/FlowList.h"
#include "definitions/IndexRepair.h"
#include "definitions/PaletteCounts.h"
#include "definitions/cEdFlow.h"

namespace {

// The longest time a sword command can be given, tenths of a second.
constexpr int kMaxSwordTime = 9999;
constexpr int kMaxGraphic = 119;

// Commands being loaded on this thread, outermost included: bounds the recursion through the
// flows that commands own.
thread_local int tLoadDepth = 0;

class LoadDepthGuard {
public:
    LoadDepthGuard() { ++tLoadDepth; }
    ~LoadDepthGuard() { --tLoadDepth; }
    LoadDepthGuard(const LoadDepthGuard&) = delete;
    LoadDepthGuard& operator=(const LoadDepthGuard&) = delete;
    bool Allowed() const { return tLoadDepth <= cEdCommand::kMaxNesting; }
};

// Commands whose p[0] names a database entry, and what an index out of range becomes.
struct ParamIndexRule {
    int nAction;
    int nItem;
    int nTable;
    int nReplacement;
};

constexpr ParamIndexRule kParamIndexRules[] = {
    {CMD_ANIME_SET, CMD_ANIME_SET - kItemKindOffset, DB_ANIMESET, 0},
    {CMD_ANIME, CMD_ANIME - kItemKindOffset, DB_ANIME, 1},
    {CMD_EFFECT, CMD_EFFECT - kItemKindOffset, DB_EFFECT, 1},
    {CMD_CHARA_EFFECT, CMD_CHARA_EFFECT - kItemKindOffset, DB_CHARAEFFECT, 1},
    {CMD_SCR_EFFECT, CMD_SCR_EFFECT - kItemKindOffset, DB_SCREFFECT, 1},
    {CMD_PICTURE, CMD_PICTURE - kItemKindOffset, DB_PICTURE, 1},
    {CMD_SOUND, CMD_SOUND - kItemKindOffset, DB_SOUND, 1},
    {CMD_BGM, CMD_BGM - kItemKindOffset, DB_BGM, 1},
};

// What an out-of-range summon or item-get index becomes: entry 1, the first entry after the fixed
// default one, even in a list that holds only entry 0 when checked (the common palette's
// references into the reset stage at start-up). Play looks every index up in the list of the
// stage then playing, which always holds entry 1.
constexpr int kFirstPaletteEntry = 1;

// The item kind of action kind a, for the upgrade rules that treat both alike.
constexpr int ItemKind(int nAction)
{
    return nAction - kItemKindOffset;
}

template <class T>
int LoadHolder(FILE* fp, std::shared_ptr<T>& holder)
{
    std::int32_t flag = 0;
    if (!ReadInt32(fp, flag)) {
        return 0;
    }
    if (flag == 0) {
        holder.reset();
        return 1;
    }
    holder = std::make_shared<T>();
    return holder->Load(fp);
}

template <class T>
int SaveHolder(FILE* fp, const std::shared_ptr<T>& holder)
{
    if (!WriteInt32(fp, holder ? 1 : 0)) {
        return 0;
    }
    return holder ? holder->Save(fp) : 1;
}

}  // namespace

cEdCommand::cEdCommand()
{
    Reset();
}

// Member by member, as the assignment copies them: lists are built many elements at a time from
// copies of a new command, so a copy does not first reset this one and register it.
cEdCommand::cEdCommand(const cEdCommand& source)
    : cDataRecord(source), m_bItemCommand(source.m_bItemCommand), m_nKind(source.m_nKind), m_nTime(source.m_nTime),
      m_nTimeStep(source.m_nTimeStep), m_bWithNext(source.m_bWithNext), m_nSound(source.m_nSound),
      m_bSoundOnScreen(source.m_bSoundOnScreen), m_nAnime(source.m_nAnime), m_strText(source.m_strText),
      m_Flow(source.m_Flow), m_Param(source.m_Param)
{
    AssignMoveHolder(m_lpMove, source.m_lpMove);
    AssignShotHolder(m_lpShot, source.m_lpShot);
}

cEdCommand::~cEdCommand() = default;

cEdCommand& cEdCommand::operator=(const cEdCommand& source)
{
    if (this == &source) {
        return *this;
    }
    cDataRecord::operator=(source);
    m_bItemCommand = source.m_bItemCommand;
    m_nKind = source.m_nKind;
    m_Param = source.m_Param;
    m_strText = source.m_strText;
    AssignMoveHolder(m_lpMove, source.m_lpMove);
    AssignShotHolder(m_lpShot, source.m_lpShot);
    m_nTime = source.m_nTime;
    m_nTimeStep = source.m_nTimeStep;
    m_bWithNext = source.m_bWithNext;
    m_nSound = source.m_nSound;
    m_bSoundOnScreen = source.m_bSoundOnScreen;
    m_nAnime = source.m_nAnime;
    m_Flow = source.m_Flow;
    return *this;
}

void cEdCommand::RegisterMembers(int)
{
    ClearMemberList();
    AddByteMember(&m_bItemCommand, 1);
    AddByteMember(&m_nKind, 1);
    AddStrMember(&m_strText, 1);
    AddWordMember(&m_nTime, 1);
    AddWordMember(&m_nTimeStep, 1);
    AddByteMember(&m_bWithNext, 1);
    AddWordMember(&m_nSound, 1);
    AddByteMember(&m_bSoundOnScreen, 1);
    AddWordMember(&m_nAnime, 1);
}

void cEdCommand::Reset()
{
    Clear();
    m_lpMove.reset();
    m_lpShot.reset();
    m_Flow.clear();
    m_Param.clear();
    m_bSoundOnScreen = 1;
}

int cEdCommand::Load(FILE* fp)
{
    LoadDepthGuard depth;
    int ok = depth.Allowed() && cDataRecord::Load(fp) && LoadRecords(fp) && LoadFlowList(m_Flow, fp) && LoadParams(fp);
    if (ok) {
        Upgrade(nFileVersion);
        if (DefinitionContext.RemovesTestPlayFlows()) {
            RemoveTestPlayFlows(m_Flow);
        }
        // Every flow read here repaired its commands as it was read; a read cut short leaves
        // flows that never were.
        RepairOwnPart();
    } else {
        Repair();
    }
    return ok ? 1 : 0;
}

int cEdCommand::LoadRecords(FILE* fp)
{
    return LoadHolder(fp, m_lpMove) && LoadHolder(fp, m_lpShot);
}

int cEdCommand::LoadParams(FILE* fp)
{
    int count = 0;
    if (!ReadListCount(fp, count, sizeof(std::int32_t))) {
        return 0;
    }
    m_Param.assign(static_cast<std::size_t>(count), 0);
    return RecordReader(fp).Read(m_Param.data(), m_Param.size() * sizeof(std::int32_t)) ? 1 : 0;
}

int cEdCommand::Save(FILE* fp)
{
    Repair();
    bool ok = cDataRecord::Save(fp) != 0;
    ok = SaveHolder(fp, m_lpMove) && ok;
    ok = SaveHolder(fp, m_lpShot) && ok;
    ok = SaveDefinitionList(fp, m_Flow) && ok;
    ok = WriteInt32(fp, static_cast<std::int32_t>(m_Param.size())) && ok;
    std::size_t bytes = m_Param.size() * sizeof(std::int32_t);
    ok = (bytes == 0 || std::fwrite(m_Param.data(), 1, bytes, fp) == bytes) && ok;
    return ok ? 1 : 0;
}

void cEdCommand::NewMove()
{
    m_lpMove = std::make_shared<cEdMove>();
}

void cEdCommand::NewShot()
{
    m_lpShot = std::make_shared<cEdShot>();
}

int cEdCommand::IsKind(int nAction, int nItem) const
{
    if (m_bItemCommand == 0) {
        return m_nKind == nAction ? 1 : 0;
    }
    return nItem >= 0 && m_nKind == nItem ? 1 : 0;
}

void cEdCommand::ResizeParam(int n)
{
    m_Param.resize(static_cast<std::size_t>(std::max(n, 0)), 0);
}

void cEdCommand::InsertParam(int n, int k, std::int32_t x)
{
    ResizeParam(n);
    if (k < 0 || k >= static_cast<int>(m_Param.size())) {
        return;
    }
    std::copy_backward(m_Param.begin() + k, m_Param.end() - 1, m_Param.end());
    m_Param[k] = x;
}

std::int32_t cEdCommand::Param(int i) const
{
    return i >= 0 && static_cast<std::size_t>(i) < m_Param.size() ? m_Param.data()[i] : 0;
}

void cEdCommand::SetParam(int i, std::int32_t value)
{
    if (i >= 0 && static_cast<std::size_t>(i) < m_Param.size()) {
        m_Param.data()[i] = value;
    }
}

void cEdCommand::ShiftStatusParams(int nFrom)
{
    // The left operand (p[0] status, subject p[3], status p[4]) and the right one (p[6] status,
    // subject p[12], status p[13]), as the conditions renumber theirs.
    if (Param(0) == 0 && Param(3) != 2 && Param(4) >= nFrom) {
        SetParam(4, Param(4) + 1);
    }
    if (Param(6) == 2 && Param(12) != 2 && Param(13) >= nFrom) {
        SetParam(13, Param(13) + 1);
    }
}

void cEdCommand::Upgrade(int v)
{
    if (v >= kCurrentDataVersion) {
        return;
    }
    if (v < 145 && IsKind(CMD_STAGE_CLEAR, ItemKind(CMD_STAGE_CLEAR))) {
        ResizeParam(9);
    }
    if (v < 166 && IsKind(CMD_BGM, ItemKind(CMD_BGM))) {
        ResizeParam(2);
        SetParam(1, 1);
    }
    if (v < 168 && IsKind(CMD_STATUS, ItemKind(CMD_STATUS))) {
        ShiftStatusParams(10);
    }
    if (v < 189 && IsKind(CMD_SET_TARGET, ItemKind(CMD_SET_TARGET))) {
        InsertParam(10, 2, 0);
    }
    if (v < 194 && IsKind(CMD_PICTURE, ItemKind(CMD_PICTURE))) {
        InsertParam(14, 6, 1);
    }
    if (v < 195 &&
        (IsKind(CMD_CHARA_EFFECT, ItemKind(CMD_CHARA_EFFECT)) || IsKind(CMD_SCR_EFFECT, ItemKind(CMD_SCR_EFFECT)))) {
        InsertParam(3, 1, 0);
    }
    if (v < 203) {
        if (IsKind(CMD_CHARA_SUMMON, -1) || IsKind(CMD_ITEM_SUMMON, -1)) {
            ResizeParam(0);
        }
        if (IsKind(CMD_FLOW_CONTROL, -1)) {
            ResizeParam(3);
        }
        if (IsKind(CMD_STATUS, ItemKind(CMD_STATUS))) {
            ShiftStatusParams(5);
        }
    }
    // A flag was inserted before "auto-scroll sync".
    if (v < 210 && IsKind(CMD_STATUS2, ItemKind(CMD_STATUS2)) && Param(0) != 2 && Param(1) >= 6) {
        SetParam(1, Param(1) + 1);
    }
    // Sheet 3 graphics and shot graphics moved up by one.
    if (v < 219 && IsKind(CMD_GRAPHIC, ItemKind(CMD_GRAPHIC)) && Param(0) == 3) {
        SetParam(1, std::min(Param(1) + 1, kMaxGraphic));
    }
    if (v < 220 && IsKind(CMD_SHOT, -1) && m_lpShot) {
        m_lpShot->m_nShotGraphic = static_cast<std::int16_t>(std::min(m_lpShot->m_nShotGraphic + 1, kMaxGraphic));
    }
    if (v < 514 && IsKind(CMD_CHARGE_MOVE, -1) && m_lpMove) {
        m_lpMove->m_nAngle = 0;
        m_lpMove->m_nAngleStep = 0;
        m_lpMove->m_bMirrorAngle = 1;
    }
    UpgradeMessageParams(v);
}

void cEdCommand::UpgradeMessageParams(int v)
{
    bool message = IsKind(CMD_MESSAGE, ItemKind(CMD_MESSAGE));
    bool picture = IsKind(CMD_PICTURE, ItemKind(CMD_PICTURE));
    if (v < 545) {
        if (message) {
            ResizeParam(17);
            SetParam(10, 1);
        }
        if (picture) {
            ResizeParam(14);
            SetParam(11, 0);
        }
    }
    if (v < 546 && message) {
        SetParam(10, Param(0) == 0 || Param(0) == 7 ? 1 : 0);
    }
    if (v < 547) {
        if (message) {
            ResizeParam(17);
            SetParam(11, 0);
            SetParam(12, 0);
            SetParam(13, 0);
            SetParam(14, 1);
            SetParam(15, 0);
        }
        if (picture) {
            ResizeParam(14);
            SetParam(12, 0);
            SetParam(13, 0);
        }
    }
    if (v < 556 && message) {
        ResizeParam(17);
        SetParam(16, 1);
    }
}

void cEdCommand::Repair()
{
    RepairOwnPart();
    for (cEdFlow& flow : m_Flow) {
        flow.Repair();
    }
}

void cEdCommand::RepairOwnPart()
{
    // A kind outside its family's table comes from a damaged or crafted file: it is reported
    // and read as kind 0, which does nothing, instead of closing the program.
    const cVector<CMDINFO>& table = m_bItemCommand == 0 ? CommandInfo() : ItemCommandInfo();
    if (m_nKind < 0 || m_nKind >= static_cast<int>(table.size())) {
        ReportLog("Command kind %d is unknown; it is read as kind 0", m_nKind);
        m_nKind = 0;
    }
    if (m_bItemCommand == 0) {
        if (m_nKind == CMD_CHARGE_MOVE && !m_lpMove) {
            NewMove();
        }
        if ((m_nKind == CMD_SHOT || m_nKind == CMD_SWORD) && !m_lpShot) {
            NewShot();
        }
    }
    if (IsIndexOutOfRange(m_nAnime, DefinitionContext.Count(DB_ANIME))) {
        m_nAnime = 0;
    }
    if (IsIndexOutOfRange(m_nSound, DefinitionContext.Count(DB_SOUND))) {
        m_nSound = 0;
    }
    ResizeParam(table[m_nKind].nParam);
    RepairParamIndex();
    if (IsKind(CMD_SWORD, -1)) {
        RepairSword();
    }
}

void cEdCommand::RepairParamIndex()
{
    for (const ParamIndexRule& rule : kParamIndexRules) {
        if (IsKind(rule.nAction, rule.nItem)) {
            SetParam(0, RepairIndex(Param(0), DefinitionContext.Count(rule.nTable), rule.nReplacement));
        }
    }
}

void cEdCommand::RepairSword()
{
    if (IsIndexOutOfRange(m_lpShot->m_nAimKind, DefinitionContext.Count(DB_SWORDTYPE))) {
        m_lpShot->m_nAimKind = 0;
    }
    std::int64_t time = DefinitionContext.SwordTime(m_lpShot->m_nAimKind);
    m_nTime = static_cast<std::int16_t>(std::clamp<std::int64_t>(time, 0, kMaxSwordTime));
}

void cEdCommand::CheckPaletteRefs(const PALETTECOUNTS& counts)
{
    if (m_lpShot && (IsKind(CMD_SHOT, -1) || IsKind(CMD_SWORD, -1))) {
        // Item kind 1 names the common palette, 2 the stage palette.
        int count = counts.Count(m_lpShot->m_nItemKind - 1, PALETTELIST_ITEM);
        if (m_lpShot->m_nItemKind >= 1 && count >= 0 && IsIndexOutOfRange(m_lpShot->m_nItemIndex, count)) {
            m_lpShot->m_nItemKind = 0;
            m_lpShot->m_nItemIndex = 0;
        }
    }
    int summonList = IsKind(CMD_BLOCK_SUMMON, -1)   ? PALETTELIST_BLOCK
                     : IsKind(CMD_CHARA_SUMMON, -1) ? PALETTELIST_CHARA
                     : IsKind(CMD_ITEM_SUMMON, -1)  ? PALETTELIST_ITEM
                                                    : -1;
    if (m_lpShot && summonList >= 0) {
        int count = counts.Count(m_lpShot->m_nSummonPalette, summonList);
        if (count >= 0 && IsIndexOutOfRange(m_lpShot->m_nSummonIndex, count)) {
            m_lpShot->m_nSummonIndex = kFirstPaletteEntry;
        }
    }
    if (IsKind(CMD_GET_ITEM, ItemKind(CMD_GET_ITEM))) {
        int count = counts.Count(Param(0), PALETTELIST_ITEM);
        if (count >= 0 && IsIndexOutOfRange(Param(1), count)) {
            SetParam(1, kFirstPaletteEntry);
        }
    }
    for (cEdFlow& flow : m_Flow) {
        flow.CheckPaletteRefs(counts);
    }
}

void AssignMoveHolder(std::shared_ptr<cEdMove>& target, const std::shared_ptr<cEdMove>& source)
{
    if (!source) {
        target.reset();
        return;
    }
    auto copy = std::make_shared<cEdMove>();
    *copy = *source;
    target = std::move(copy);
}

void AssignShotHolder(std::shared_ptr<cEdShot>& target, const std::shared_ptr<cEdShot>& source)
{
    if (!source) {
        target.reset();
        return;
    }
    auto copy = std::make_shared<cEdShot>();
    *copy = *source;
    target = std::move(copy);
}
