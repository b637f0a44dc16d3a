#include "DefinitionsWriter.h"

#include <cstring>

namespace testsupport {

namespace {

void NoStrings(ByteWriter& out)
{
    out.I32(0);
}

int FirstInt32(const ByteWriter& bytes)
{
    std::int32_t v = 0;
    std::memcpy(&v, bytes.Data().data(), sizeof v);
    return v;
}

}  // namespace

void WriteRecord(ByteWriter& out, const ConditionSpec& c, int version)
{
    RawPart raw;
    raw.B(c.kind).I(c.value);
    if (version >= 110) {
        raw.I(c.randMin).I(c.randMax).B(c.subject).B(c.item).B(c.leftSource).B(c.leftVarKind).H(c.index);
        raw.B(c.rightSource).B(c.rightSubject).B(c.rightItem).B(c.rightVarKind).H(c.rightIndex);
    } else {
        raw.H(c.dropped0).H(c.dropped1);
    }
    raw.B(c.compare);
    if (version >= 43) {
        raw.B(c.percent);
    }
    raw.B(c.distDir);
    raw.WriteTo(out);
    NoStrings(out);
}

void WriteRecord(ByteWriter& out, const KeyConditionSpec& k, int)
{
    RawPart raw;
    raw.B(k.facingRelative).H(k.minFrames).H(k.maxFrames).B(k.anyLength).B(k.keyMode);
    raw.WriteTo(out);
    NoStrings(out);
    out.I32(static_cast<std::int32_t>(k.keys.size()));
    for (std::uint8_t key : k.keys) {
        out.U8(key);
    }
}

void WriteRecord(ByteWriter& out, const MoveSpec& m, int version)
{
    RawPart raw;
    raw.B(m.moveMode).B(m.direction).H(m.angle).H(m.angleStep);
    if (version >= 158) {
        raw.B(m.mirrorAngle);
    }
    raw.B(m.useX).B(m.useY).H(m.targetX).H(m.targetY).H(m.targetDotX).H(m.targetDotY).B(m.coordKind);
    raw.B(m.arriveEnds).B(m.freezeX).B(m.freezeY).B(m.mirrorX).B(m.mirrorY).B(m.followFacing).B(m.stopOnArrival);
    if (version >= 162) {
        raw.B(m.keepFacing);
    }
    raw.B(m.timeMode).H(m.speed).H(m.speedStep).H(m.distance).H(m.distanceStep);
    if (version >= 159) {
        raw.B(m.distUnit);
    }
    raw.H(m.radius).H(m.radiusStep).B(m.inertia).H(m.maxSpeed).D(m.brake);
    if (version >= 162) {
        raw.B(m.keepAnime);
    }
    raw.WriteTo(out);
    NoStrings(out);
}

void WriteRecord(ByteWriter& out, const ShotSpec& s, int version)
{
    RawPart raw;
    raw.B(s.count).B(s.shotKind).H3(s.kindParam);
    if (version >= 671) {
        raw.B(s.origin);
    }
    raw.B(s.direction).B(s.aim).H(s.angle).H(s.angleStep);
    if (version >= 158) {
        raw.B(s.mirrorAngle);
    }
    raw.H(s.angleRandom).B(s.optA).B(s.repeat).H(s.offsetX).H(s.offsetXStep).H(s.offsetY).H(s.offsetYStep);
    raw.B(s.mirrorOffsetX).B(s.mirrorOffsetY).H(s.graphic).B(s.optB).B(s.invisible).B(s.ownerFaction);
    raw.B(s.faction).B(s.optC).B(s.size).B(s.optD).B(s.aimKind).H3(s.aimParam);
    if (version >= 211) {
        raw.B(s.scrollSync);
    }
    raw.H(s.speed).H(s.speedStep);
    if (version >= 213) {
        raw.B(s.accel).H(s.accelValue).H(s.accelStep);
    }
    raw.H(s.range).B(s.limitRange).H(s.rangeStep).B(s.stopAtRange).B(s.limitTime).H(s.lifeTime);
    raw.H(s.lifeTimeStep).B(s.blockMode).B(s.pierce);
    if (version >= 636) {
        raw.B(s.pierce2);
    }
    raw.B(s.clash).B(s.clashPower).I(s.power).H(s.optE).B(s.impact).H(s.hitEffect).B(s.itemKind);
    raw.H(s.itemIndex).B(s.blockSummon).B(s.optF);
    if (version >= 197) {
        raw.B(s.optG);
    }
    raw.B(s.summonPalette).H(s.summonIndex).B(s.summonFaction).B(s.optH).B(s.summonReverse);
    raw.WriteTo(out);
    NoStrings(out);
}

void WriteRecord(ByteWriter& out, const CommandSpec& c, int version)
{
    RawPart raw;
    raw.B(c.itemCommand).B(c.kind).H(c.time).H(c.timeStep).B(c.withNext).H(c.sound).B(c.soundOnScreen).H(c.anime);
    raw.WriteTo(out);
    out.I32(1).RecordString(c.text);
    out.I32(c.move ? 1 : 0);
    if (c.move) {
        WriteRecord(out, *c.move, version);
    }
    out.I32(c.shot ? 1 : 0);
    if (c.shot) {
        WriteRecord(out, *c.shot, version);
    }
    WriteList(out, c.flows, version);
    out.I32(static_cast<std::int32_t>(c.params.size()));
    for (std::int32_t p : c.params) {
        out.I32(p);
    }
}

void WriteRecord(ByteWriter& out, const FlowSpec& f, int version)
{
    RawPart raw;
    raw.B(f.flowId).B(f.flowGroup).B(f.testPlayOnly).B(f.condMode).B(f.condOnce).B(f.trigger).B(f.keyGap);
    raw.B(f.keyRepeat);
    raw.WriteTo(out);
    if (version >= 676) {
        out.I32(1).RecordString(f.memo);
    } else {
        NoStrings(out);
    }
    WriteList(out, f.conditions, version);
    WriteList(out, f.keyConditions, version);
    WriteList(out, f.commands, version);
}

int ConditionMemberCount(int version)
{
    ByteWriter bytes;
    WriteRecord(bytes, ConditionSpec{}, version);
    return FirstInt32(bytes);
}

int MoveMemberCount(int version)
{
    ByteWriter bytes;
    WriteRecord(bytes, MoveSpec{}, version);
    return FirstInt32(bytes);
}

int ShotMemberCount(int version)
{
    ByteWriter bytes;
    WriteRecord(bytes, ShotSpec{}, version);
    return FirstInt32(bytes);
}

}  // namespace testsupport
