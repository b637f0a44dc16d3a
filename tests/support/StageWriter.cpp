#include "StageWriter.h"

#include <stdexcept>

namespace testsupport {

namespace {

// One header member of the stage record: its name, whether it is a double, the first version
// that stores it, and its value in the minimal stage.
struct HeaderField {
    const char* name;
    bool isDouble;
    int from;
    double value;
};

constexpr int kAlways = 0;

// The header in file order.
const HeaderField kHeader[] = {
    {"m_nWidth", false, kAlways, 20},
    {"m_nReserved0", false, kAlways, 0},
    {"m_nReserved1", false, kAlways, 0},
    {"m_nHeight", false, kAlways, 15},
    {"m_bLimitLeft", false, kAlways, 0},
    {"m_bLimitRight", false, kAlways, 0},
    {"m_bLimitTop", false, kAlways, 0},
    {"m_bLimitBottom", false, kAlways, 0},
    {"m_nLimitLeft", false, kAlways, 0},
    {"m_nLimitRight", false, kAlways, 0},
    {"m_nLimitTop", false, kAlways, 0},
    {"m_nLimitBottom", false, kAlways, 0},
    {"m_nFps", false, kAlways, 60},
    {"m_bTimeLimit", false, kAlways, 0},
    {"m_nTimeLimit", false, kAlways, 200},
    {"m_nTimeWarning", false, kAlways, 20},
    {"m_bAutoScrollX", false, kAlways, 0},
    {"m_bAutoScrollY", false, kAlways, 0},
    {"m_nAutoScrollSpeedX", false, kAlways, 0},
    {"m_nAutoScrollSpeedY", false, kAlways, 0},
    {"m_dGravity", true, kAlways, 0.4},
    {"m_nSpeedLevel", false, kAlways, 10},
    {"m_nContactLevel", false, kAlways, 0},
    {"m_nBgm", false, kAlways, 0},
    {"m_bBgmLoop", false, 166, 0},
    {"m_bBgmKeep", false, 199, 0},
    {"m_bDrawByPriority", false, kAlways, 1},
    {"m_bTakeOverHero", false, kAlways, 0},
    {"m_bHandOverHero", false, kAlways, 0},
    {"m_bShowHud", false, 183, 1},
    {"m_bSkipResults", false, 184, 0},
    {"m_bStartBanner", false, kAlways, 0},
    {"m_bReadyBanner", false, 225, 1},
    {"m_bClearCaption", false, kAlways, 1},
    {"m_bGameOverCaption", false, kAlways, 1},
    // Rectangle settings.
    {"m_nHeroBodyW", false, 200, 16},
    {"m_nHeroBodyH", false, 200, 24},
    {"m_nHeroBodyFlyW", false, 200, 16},
    {"m_nHeroBodyFlyH", false, 200, 16},
    {"m_nHeroCharaRangeW", false, kAlways, 16},
    {"m_nHeroCharaRangeH", false, kAlways, 24},
    {"m_nHeroCharaRangeFlyW", false, 155, 16},
    {"m_nHeroCharaRangeFlyH", false, 155, 16},
    {"m_nHeroShotRangeW", false, kAlways, 12},
    {"m_nHeroShotRangeH", false, kAlways, 8},
    {"m_nHeroRect4W", false, kAlways, 16},
    {"m_nHeroRect4H", false, kAlways, 16},
    {"m_nHeroBodyAlign", false, 200, 1},
    {"m_nHeroBodyFlyAlign", false, 200, 0},
    {"m_nHeroCharaRangeAlign", false, 155, 1},
    {"m_nHeroCharaRangeFlyAlign", false, 155, 0},
    {"m_nHeroShow0", false, 200, 0},
    {"m_nHeroShow1", false, kAlways, 0},
    {"m_nHeroShow2", false, kAlways, 0},
    {"m_nHeroShow3", false, kAlways, 0},
    {"m_nHeroColor0", false, 200, 0},
    {"m_nHeroColor1", false, kAlways, 0},
    {"m_nHeroColor2", false, kAlways, 0},
    {"m_nHeroColor3", false, kAlways, 0},
    {"m_nCharaBodyW", false, 200, 16},
    {"m_nCharaBodyH", false, 200, 24},
    {"m_nCharaBodyFlyW", false, 200, 16},
    {"m_nCharaBodyFlyH", false, 200, 16},
    {"m_nCharaCharaRangeW", false, kAlways, 12},
    {"m_nCharaCharaRangeH", false, kAlways, 24},
    {"m_nCharaCharaRangeFlyW", false, 155, 12},
    {"m_nCharaCharaRangeFlyH", false, 155, 16},
    {"m_nCharaShotRangeW", false, kAlways, 30},
    {"m_nCharaShotRangeH", false, kAlways, 30},
    {"m_nCharaBodyAlign", false, 200, 1},
    {"m_nCharaBodyFlyAlign", false, 200, 0},
    {"m_nCharaCharaRangeAlign", false, 155, 1},
    {"m_nCharaCharaRangeFlyAlign", false, 155, 0},
    {"m_nItemW", false, kAlways, 28},
    {"m_nItemH", false, kAlways, 28},
    {"m_nHeroShotW", false, kAlways, 16},
    {"m_nHeroShotH", false, kAlways, 16},
    {"m_nHeroShotParam0", false, kAlways, 16},
    {"m_nHeroShotParam1", false, kAlways, 16},
    {"m_nCharaShotW", false, kAlways, 16},
    {"m_nCharaShotH", false, kAlways, 16},
    {"m_nCharaShotParam0", false, kAlways, 16},
    {"m_nCharaShotParam1", false, kAlways, 16},
    {"m_nRectFlag", false, kAlways, 1},
    // Field size in pixels, the stored speed constants of level 10, contact switch, invincibility.
    {"m_nFieldWidthPx", false, kAlways, 640},
    {"m_nFieldHeightPx", false, kAlways, 480},
    {"m_nSubSteps", false, kAlways, 10},
    {"m_dSubSteps", true, kAlways, 10.0},
    {"m_dSubSteps2", true, kAlways, 100.0},
    {"m_dMaxSpeed", true, kAlways, 60.0},
    {"m_dSubGravity", true, kAlways, 0.004},
    {"m_dSubMaxSpeed", true, kAlways, 6.0},
    {"m_nSubSteps8", false, kAlways, 80},
    {"m_nContactFlag", false, kAlways, 1},
    {"m_nHeroInvSame", false, kAlways, 30},
    {"m_nHeroInv", false, kAlways, 0},
    {"m_nCharaInvSame", false, kAlways, 30},
    {"m_nCharaInv", false, kAlways, 0},
};

void OneString(ByteWriter& out, const std::string& text)
{
    out.I32(1).RecordString(text);
}

void Flags(ByteWriter& out, const std::vector<std::uint8_t>& flags)
{
    out.I32(static_cast<std::int32_t>(flags.size()));
    for (std::uint8_t flag : flags) {
        out.U8(flag);
    }
}

template <class Spec>
void PlacedList(ByteWriter& out, const std::vector<Spec>& list, std::int32_t prefix, int version,
                std::optional<std::int32_t> count = std::nullopt)
{
    out.I32(count.value_or(static_cast<std::int32_t>(list.size())));
    for (const Spec& element : list) {
        out.I32(prefix);
        WriteRecord(out, element, version);
    }
}

}  // namespace

StageSpec MinimalStage()
{
    StageSpec stage;
    for (std::uint16_t x = 0; x < 20; ++x) {
        BlockDefSpec floor;
        floor.graphic = 1;
        floor.x = x;
        floor.y = 14;
        stage.placedBlocks.push_back(floor);
    }
    CharaDefSpec hero;
    hero.controller = 0;
    hero.graphic = 1;
    hero.direction = 1;
    hero.x = 2;
    hero.y = 13;
    stage.placedCharas.push_back(hero);
    stage.offScreen[3] = {{1, 1, 1, 1}, {0, 0, 0, 0}};
    stage.offScreen[4] = {{1, 1, 1, 1}, {10, 10, 10, 10}};
    return stage;
}

CommonPaletteSpec MinimalCommonPalette()
{
    return CommonPaletteSpec{};
}

std::vector<std::string> StageHeaderNames(int version)
{
    std::vector<std::string> names;
    for (const HeaderField& field : kHeader) {
        if (version >= field.from) {
            names.emplace_back(field.name);
        }
    }
    return names;
}

int StageHeaderMemberCount(int version)
{
    return static_cast<int>(StageHeaderNames(version).size());
}

void WriteRecord(ByteWriter& out, const BlockDefSpec& b, int version)
{
    RawPart raw;
    raw.B(b.paletteKind).H(b.paletteIndex).B(b.condMode).B(b.condOnce).H(b.graphic).B(b.sheet).H(b.cell);
    raw.B(b.drawLayer).B(b.hidden).B(b.badgeShow).H(b.badge).B(b.hitKind).U(b.passFaction).B(b.touchKind);
    raw.I(b.touchValue).B(b.itemKind).H(b.itemIndex).B(b.noOverwrite);
    raw.WriteTo(out);
    OneString(out, b.name);
    out.U16(b.x).U16(b.y);
    Flags(out, b.inherit);
    WriteList(out, b.conditions, version);
}

void WriteRecord(ByteWriter& out, const CharaDefSpec& c, int version)
{
    RawPart raw;
    raw.B(c.paletteKind).H(c.paletteIndex).B(c.condMode).B(c.condOnce).B(c.direction).B(c.groupCount);
    raw.H(c.groupBaseX).H(c.groupStepX).H(c.groupBaseY).H(c.groupStepY).B(c.groupMirrorX).B(c.groupMirrorY);
    raw.H(c.graphic).B(c.sheet).H(c.cell).H(c.animeSet).B(c.z).B(c.transparent).H(c.charaEffect);
    if (version >= 196) {
        raw.B(c.effectValue1);
    }
    raw.B(c.effectValue2).H(c.deathEffect);
    if (version >= 196) {
        raw.B(c.deathEffectValue);
    }
    raw.B(c.badgeShow).H(c.badge).B(c.controller).B(c.opt26).B(c.faction).B(c.charaId).B(c.flying);
    raw.B(c.directionFix).B(c.invincible);
    if (version >= 285) {
        raw.B(c.invincibleColor);
    }
    raw.B(c.fullCell).B(c.scale);
    if (version >= 210) {
        raw.B(c.scrollSync);
    }
    raw.B(c.viewShape).B(c.viewRange).I(c.maxHp).I(c.maxSp).H(c.brake);
    if (version >= 201) {
        raw.B(c.rangeKind);
    }
    raw.I(c.ramPower).B(c.ramImpact).H(c.effect);
    if (version >= 168) {
        raw.I(c.defence);
    }
    raw.B(c.impactResist).I(c.score).B(c.opt48).B(c.switchAppear).H(c.switchNo).B(c.activeRange).B(c.presenceMode);
    raw.WriteTo(out);
    OneString(out, c.name);
    out.U16(c.x).U16(c.y).I32(c.placeValue);
    Flags(out, c.inherit);
    WriteList(out, c.conditions, version);
    WriteList(out, c.flows, version);
}

void WriteRecord(ByteWriter& out, const ItemDefSpec& i, int version)
{
    RawPart raw;
    raw.B(i.paletteKind).H(i.paletteIndex).B(i.condMode).B(i.condOnce).H(i.opt0).H(i.opt1).H(i.graphic);
    raw.B(i.sheet).H(i.cell).B(i.opt2).B(i.hidden).B(i.badgeShow).H(i.badge).B(i.showIcon).B(i.pickup);
    raw.B(i.scale).H(i.sound);
    raw.WriteTo(out);
    OneString(out, i.name);
    out.U16(i.x).U16(i.y);
    Flags(out, i.inherit);
    WriteList(out, i.conditions, version);
    WriteList(out, i.commands, version);
}

void WriteRecord(ByteWriter& out, const BackgroundSpec& b, int version)
{
    RawPart raw;
    if (version >= 62) {
        raw.I(b.visible);
    }
    raw.I(b.fill).I(b.fillColor).I(b.layer);
    if (version >= 61) {
        raw.D(b.speedX).D(b.speedY).I(b.autoScrollX).I(b.autoScrollY);
    }
    if (version >= 62) {
        raw.D(b.offsetX).D(b.offsetY);
    } else {
        raw.I(b.dropped0).I(b.dropped1);
    }
    raw.WriteTo(out);
    OneString(out, b.picture);
}

void WriteRecord(ByteWriter& out, const OffScreenSpec& limit, int version)
{
    RawPart raw;
    if (version >= 125) {
        for (std::int32_t flag : limit.flags) {
            raw.I(flag);
        }
    } else {
        raw.I(limit.flags[0]);
    }
    for (std::int32_t margin : limit.margins) {
        raw.I(margin);
    }
    raw.WriteTo(out);
    out.I32(0);
}

ByteWriter StageFile(const StageSpec& s)
{
    for (const auto& [name, value] : s.header) {
        bool known = false;
        for (const HeaderField& field : kHeader) {
            known = known || name == field.name;
        }
        if (!known) {
            throw std::invalid_argument("unknown stage header member " + name);
        }
    }
    ByteWriter out;
    out.I32(s.version);
    RawPart raw;
    for (const HeaderField& field : kHeader) {
        if (s.version < field.from) {
            continue;
        }
        auto overridden = s.header.find(field.name);
        double value = overridden != s.header.end() ? overridden->second : field.value;
        if (field.isDouble) {
            raw.D(value);
        } else {
            raw.I(static_cast<std::int32_t>(value));
        }
    }
    raw.WriteTo(out);
    OneString(out, s.text);
    out.I32(static_cast<std::int32_t>(s.ranking.size()));
    for (std::int32_t on : s.ranking) {
        out.I32(on);
    }
    for (const OffScreenSpec& limit : s.offScreen) {
        WriteRecord(out, limit, s.version);
    }
    WriteList(out, s.paletteBlocks, s.version);
    WriteList(out, s.paletteCharas, s.version);
    WriteList(out, s.paletteItems, s.version);
    PlacedList(out, s.placedBlocks, s.placedPrefix, s.version, s.placedBlockCount);
    PlacedList(out, s.placedCharas, s.placedPrefix, s.version);
    PlacedList(out, s.placedItems, s.placedPrefix, s.version);
    WriteList(out, s.backgrounds, s.version);
    out.I32(static_cast<std::int32_t>(s.texts.size()));
    for (const std::string& text : s.texts) {
        out.I32(0);  // no raw member
        OneString(out, text);
    }
    if (s.endCode && s.version >= 173) {
        out.I32(kStageEndCodeValue);
    }
    return out;
}

ByteWriter CommonPaletteFile(const CommonPaletteSpec& p)
{
    ByteWriter out;
    out.I32(p.version).I32(0).I32(0);
    WriteList(out, p.blocks, p.version);
    WriteList(out, p.charas, p.version);
    WriteList(out, p.items, p.version);
    return out;
}

}  // namespace testsupport
