#include "SaveDataWriter.h"

#include <gtest/gtest.h>

namespace testsupport {

namespace {

// The raw members of a character definition in registration order: name, width in bytes, first
// version that stores it, default of a new character.
struct CharaMember {
    const char* name;
    int bytes;
    int from;
    std::int64_t value;
};

constexpr CharaMember kCharaMembers[] = {
    {"m_nPaletteKind", 1, 0, 0},
    {"m_nPaletteIndex", 2, 0, 0},
    {"m_nCondMode", 1, 0, 0},
    {"m_bCondOnce", 1, 0, 0},
    {"m_nDirection", 1, 0, 0},
    {"m_nGroupCount", 1, 0, 0},
    {"m_nGroupBaseX", 2, 0, 0},
    {"m_nGroupStepX", 2, 0, 0},
    {"m_nGroupBaseY", 2, 0, 0},
    {"m_nGroupStepY", 2, 0, 0},
    {"m_bGroupMirrorX", 1, 0, 0},
    {"m_bGroupMirrorY", 1, 0, 0},
    {"m_nGraphic", 2, 0, 0},
    {"m_nGraphicSheet", 1, 0, 1},
    {"m_nCell", 2, 0, 0},
    {"m_nAnimeSet", 2, 0, 0},
    {"m_nZ", 1, 0, 3},
    {"m_bTransparent", 1, 0, 0},
    {"m_nCharaEffect", 2, 0, 0},
    {"m_nCharaEffectValue1", 1, 196, 0},
    {"m_nCharaEffectValue2", 1, 0, 1},
    {"m_nDeathEffect", 2, 0, 0},
    {"m_nDeathEffectValue", 1, 196, 0},
    {"m_nBadgeShow", 1, 0, 0},
    {"m_nBadge", 2, 0, 0},
    {"m_nController", 1, 0, 1},
    {"m_nCharaOpt26", 1, 0, 0},
    {"m_nFaction", 1, 0, 1},
    {"m_nCharaId", 1, 0, 0},
    {"m_nFlying", 1, 0, 0},
    {"m_nDirectionFix", 1, 0, 1},
    {"m_nInvincible", 1, 0, 0},
    {"m_nInvincibleColor", 1, 285, 0},
    {"m_bFullCell", 1, 0, 0},
    {"m_nScale", 1, 0, 1},
    {"m_bScrollSync", 1, 210, 0},
    {"m_nViewShape", 1, 0, 0},
    {"m_nViewRange", 1, 0, 0},
    {"m_nMaxHp", 4, 0, 10},
    {"m_nMaxSp", 4, 0, 0},
    {"m_nBrake", 2, 0, 10},
    {"m_nRangeKind", 1, 201, 0},
    {"m_nRamPower", 4, 0, 0},
    {"m_nRamImpact", 1, 0, 0},
    {"m_nEffect", 2, 0, 0},
    {"m_nDefence", 4, 168, 0},
    {"m_nImpactResist", 1, 0, 0},
    {"m_nScore", 4, 0, 0},
    {"m_nCharaOpt48", 1, 0, 1},
    {"m_bSwitchAppear", 1, 0, 0},
    {"m_nSwitch", 2, 0, 0},
    {"m_nActiveRange", 1, 0, 0},
    {"m_nPresenceMode", 1, 0, 0},
};
static_assert(std::size(kCharaMembers) == 53, "a character definition has 53 raw members at 720");

int CharaMemberIndex(std::string_view name)
{
    for (std::size_t i = 0; i < std::size(kCharaMembers); ++i) {
        if (name == kCharaMembers[i].name) {
            return static_cast<int>(i);
        }
    }
    ADD_FAILURE() << "unknown character member " << name;
    return 0;
}

void PutSized(ByteWriter& out, std::int64_t value, int bytes)
{
    switch (bytes) {
    case 1: out.U8(static_cast<std::uint8_t>(value)); break;
    case 2: out.I16(static_cast<std::int16_t>(value)); break;
    default: out.I32(static_cast<std::int32_t>(value)); break;
    }
}

void PutInts(ByteWriter& out, const std::vector<std::int32_t>& values)
{
    out.I32(static_cast<std::int32_t>(values.size()));
    for (std::int32_t v : values) {
        out.I32(v);
    }
}

// The raw members a version holds, as (first version, value) in file order.
std::vector<std::pair<int, std::int32_t>> RawMembers(const SaveDataSpec& s)
{
    return {
        {0, s.carry},        {0, s.mapX},        {0, s.mapY},        {0, s.mapEntry},       {0, s.lap},
        {0, s.stageNo},      {0, s.worldStage},  {0, s.startLives},  {0, s.lives},          {0, s.totalScore},
        {0, s.runScore},     {0, s.bestTotal},   {0, s.runValue1},   {0, s.runValue2},      {182, s.runValue3},
        {182, s.runValue4},  {0, s.worldRun},    {0, s.stageBgm},    {166, s.stageBgmLoop}, {194, s.mapDir},
        {190, s.mapEntered}, {191, s.mapEnterX}, {191, s.mapEnterY}, {0, s.worldOpen},      {0, s.slot},
        {169, s.autoSave},   {0, s.rankingShow}, {0, s.rankingKind}, {678, s.startPos},     {678, s.startX},
        {678, s.startY},     {679, s.startDir},
    };
}

}  // namespace

CharaSpec::CharaSpec()
{
    for (const CharaMember& member : kCharaMembers) {
        members.push_back(member.value);
    }
}

std::int64_t& CharaSpec::operator[](std::string_view member)
{
    return members[static_cast<std::size_t>(CharaMemberIndex(member))];
}

std::int64_t CharaSpec::operator[](std::string_view member) const
{
    return members[static_cast<std::size_t>(CharaMemberIndex(member))];
}

std::vector<std::int32_t> SaveDataSpec::NewStageClear()
{
    std::vector<std::int32_t> flags(1000, 0);
    flags[0] = 1;
    return flags;
}

void WriteRecord(ByteWriter& out, const CharaSpec& chara, int version)
{
    ByteWriter raw;
    std::int32_t count = 0;
    for (std::size_t i = 0; i < std::size(kCharaMembers); ++i) {
        if (version >= kCharaMembers[i].from) {
            PutSized(raw, chara.members[i], kCharaMembers[i].bytes);
            ++count;
        }
    }
    out.I32(count).Append(raw);
    out.I32(1).RecordString(chara.name);
    out.U16(chara.x).U16(chara.y).I32(chara.placeValue);
    out.I32(static_cast<std::int32_t>(chara.inherit.size()));
    for (std::uint8_t flag : chara.inherit) {
        out.U8(flag);
    }
    out.I32(0);  // conditions
    out.I32(0);  // flows
}

void WriteRecord(ByteWriter& out, const CarryStateSpec& state, int version)
{
    out.I32(5).I32(state.hp).I32(state.sp).I32(state.time).I32(state.lives).I32(state.bgm);
    out.I32(0);
    WriteRecord(out, state.chara, version);
}

void WriteSaveDataHead(ByteWriter& out, const SaveDataSpec& spec, int version)
{
    ByteWriter raw;
    std::int32_t count = 0;
    for (const auto& [from, value] : RawMembers(spec)) {
        if (version >= from) {
            raw.I32(value);
            ++count;
        }
    }
    out.I32(count).Append(raw);
    out.I32(2).RecordString(spec.stage).RecordString(spec.name);
}

ByteWriter SaveDataFile(const SaveDataSpec& s, int version)
{
    ByteWriter out;
    out.I32(version);
    WriteSaveDataHead(out, s, version);
    for (std::size_t i = 0; i < 8; ++i) {
        out.U16(i < s.time.size() ? s.time[i] : 0);
    }
    if (version > 500) {
        PutInts(out, s.carryFlags);
    }
    out.I32(static_cast<std::int32_t>(s.carryStates.size()));
    for (const CarryStateSpec& state : s.carryStates) {
        WriteRecord(out, state, version);
    }
    out.I32(static_cast<std::int32_t>(s.stageBests.size()));
    for (const StageBestSpec& best : s.stageBests) {
        out.I32(1).I32(best.value).I32(1).RecordString(best.key);
    }
    out.I32(static_cast<std::int32_t>(s.worldRecords.size()));
    for (const auto& [first, second] : s.worldRecords) {
        out.I32(2).I32(first).I32(second).I32(0);
    }
    PutInts(out, s.stageClear);
    PutInts(out, s.vars);
    return out;
}

}  // namespace testsupport
