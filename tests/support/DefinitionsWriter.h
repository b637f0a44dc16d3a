// The definitions part of the game-folder writer: conditions, key conditions, flows, commands,
// movement and shot records, built byte by byte from the record layouts of each data version,
// independently of the player's own record code. Texts are the bytes stored in the files
// (Shift-JIS).
//
// A record: int32 raw-member count and the raw members of its version (little-endian, no
// padding), int32 string count and the strings (int32 length + 1, then the text and a NUL unless
// the text is empty), then its lists (int32 count and the elements). Elements of lists carry no
// version: the file's version applies to all of them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ByteWriter.h"

namespace testsupport {

// The version the player writes and expects.
constexpr int kDefinitionsVersion = 720;

// A condition. Before version 110 the file holds kind, value, dropped0, dropped1, compare,
// percent (from 43) and distDir; from 110 all members but the dropped ones.
struct ConditionSpec {
    std::int8_t kind = 0;
    std::int32_t value = 0;
    std::int32_t randMin = 0;
    std::int32_t randMax = 0;
    std::int8_t subject = 0;
    std::int8_t item = 0;
    std::int8_t leftSource = 0;
    std::int8_t leftVarKind = 0;
    std::int16_t index = 0;
    std::int8_t rightSource = 0;
    std::int8_t rightSubject = 0;
    std::int8_t rightItem = 0;
    std::int8_t rightVarKind = 0;
    std::int16_t rightIndex = 0;
    std::int8_t compare = 0;
    std::int8_t percent = 0;
    std::int8_t distDir = 0;
    std::int16_t dropped0 = 0;
    std::int16_t dropped1 = 0;
};

// A key condition: five raw members (every version), then the entry vector.
struct KeyConditionSpec {
    std::int8_t facingRelative = 0;
    std::int16_t minFrames = 0;
    std::int16_t maxFrames = 0;
    std::int8_t anyLength = 0;
    std::int8_t keyMode = 0;
    std::vector<std::uint8_t> keys = std::vector<std::uint8_t>(19, 0);
};

// A movement record with the defaults of a new one. mirrorAngle from 158, distUnit from 159,
// keepFacing and keepAnime from 162.
struct MoveSpec {
    std::int8_t moveMode = 0;
    std::int8_t direction = 0;
    std::int16_t angle = 0;
    std::int16_t angleStep = 0;
    std::int8_t mirrorAngle = 1;
    std::int8_t useX = 1;
    std::int8_t useY = 1;
    std::int16_t targetX = 0;
    std::int16_t targetY = 0;
    std::int16_t targetDotX = 0;
    std::int16_t targetDotY = 0;
    std::int8_t coordKind = 0;
    std::int8_t arriveEnds = 1;
    std::int8_t freezeX = 0;
    std::int8_t freezeY = 0;
    std::int8_t mirrorX = 1;
    std::int8_t mirrorY = 0;
    std::int8_t followFacing = 1;
    std::int8_t stopOnArrival = 0;
    std::int8_t keepFacing = 0;
    std::int8_t timeMode = 0;
    std::int16_t speed = 10;
    std::int16_t speedStep = 0;
    std::int16_t distance = 0;
    std::int16_t distanceStep = 0;
    std::int8_t distUnit = 0;
    std::int16_t radius = 0;
    std::int16_t radiusStep = 0;
    std::int8_t inertia = 0;
    std::int16_t maxSpeed = 0;
    double brake = 1.0;
    std::int8_t keepAnime = 0;
};

// A shot record with the defaults of a new one. shotOptG from 197, scrollSync from 211,
// accel/accelValue/accelStep from 213, pierce2 from 636, origin from 671, mirrorAngle from 158.
struct ShotSpec {
    std::int8_t count = 0;
    std::int8_t shotKind = 0;
    std::array<std::int16_t, 3> kindParam{};
    std::int8_t origin = 0;
    std::int8_t direction = 0;
    std::int8_t aim = 0;
    std::int16_t angle = 0;
    std::int16_t angleStep = 0;
    std::int8_t mirrorAngle = 1;
    std::int16_t angleRandom = 0;
    std::int8_t optA = 0;
    std::int8_t repeat = 0;
    std::int16_t offsetX = 0;
    std::int16_t offsetXStep = 0;
    std::int16_t offsetY = 0;
    std::int16_t offsetYStep = 0;
    std::int8_t mirrorOffsetX = 1;
    std::int8_t mirrorOffsetY = 0;
    std::int16_t graphic = 0;
    std::int8_t optB = 0;
    std::int8_t invisible = 0;
    std::int8_t ownerFaction = 1;
    std::int8_t faction = 0;
    std::int8_t optC = 0;
    std::int8_t size = 1;
    std::int8_t optD = 0;
    std::int8_t aimKind = 0;
    std::array<std::int16_t, 3> aimParam{};
    std::int8_t scrollSync = 0;
    std::int16_t speed = 0;
    std::int16_t speedStep = 0;
    std::int8_t accel = 0;
    std::int16_t accelValue = 0;
    std::int16_t accelStep = 0;
    std::int16_t range = 0;
    std::int8_t limitRange = 0;
    std::int16_t rangeStep = 0;
    std::int8_t stopAtRange = 0;
    std::int8_t limitTime = 0;
    std::int16_t lifeTime = 0;
    std::int16_t lifeTimeStep = 0;
    std::int8_t blockMode = 0;
    std::int8_t pierce = 0;
    std::int8_t pierce2 = 0;
    std::int8_t clash = 0;
    std::int8_t clashPower = 0;
    std::int32_t power = 0;
    std::int16_t optE = 0;
    std::int8_t impact = 0;
    std::int16_t hitEffect = 0;
    std::int8_t itemKind = 0;
    std::int16_t itemIndex = 0;
    std::int8_t blockSummon = 0;
    std::int8_t optF = 0;
    std::int8_t optG = 0;
    std::int8_t summonPalette = 0;
    std::int16_t summonIndex = 0;
    std::int8_t summonFaction = 0;
    std::int8_t optH = 0;
    std::int8_t summonReverse = 0;
};

struct FlowSpec;

// A command: the same registered members in every version.
struct CommandSpec {
    std::int8_t itemCommand = 0;
    std::int8_t kind = 0;
    std::int16_t time = 0;
    std::int16_t timeStep = 0;
    std::int8_t withNext = 0;
    std::int16_t sound = 0;
    std::int8_t soundOnScreen = 1;
    std::int16_t anime = 0;
    std::string text;
    std::optional<MoveSpec> move;
    std::optional<ShotSpec> shot;
    std::vector<FlowSpec> flows;
    std::vector<std::int32_t> params;
};

// A flow; the memo is stored from version 676.
struct FlowSpec {
    std::string memo;
    std::int8_t flowId = 0;
    std::int8_t flowGroup = 0;
    std::int8_t testPlayOnly = 0;
    std::int8_t condMode = 0;
    std::int8_t condOnce = 0;
    std::int8_t trigger = 0;
    std::int8_t keyGap = 3;
    std::int8_t keyRepeat = 0;
    std::vector<ConditionSpec> conditions;
    std::vector<KeyConditionSpec> keyConditions;
    std::vector<CommandSpec> commands;
};

// One record in the layout of the given version.
void WriteRecord(ByteWriter& out, const ConditionSpec& condition, int version);
void WriteRecord(ByteWriter& out, const KeyConditionSpec& keyCondition, int version);
void WriteRecord(ByteWriter& out, const MoveSpec& move, int version);
void WriteRecord(ByteWriter& out, const ShotSpec& shot, int version);
void WriteRecord(ByteWriter& out, const CommandSpec& command, int version);
void WriteRecord(ByteWriter& out, const FlowSpec& flow, int version);

// A list: int32 count, then the elements.
template <class Spec>
void WriteList(ByteWriter& out, const std::vector<Spec>& list, int version)
{
    out.I32(static_cast<std::int32_t>(list.size()));
    for (const Spec& element : list) {
        WriteRecord(out, element, version);
    }
}

// Number of raw members a record of the version holds (the first int32 of its base part).
int ConditionMemberCount(int version);
int MoveMemberCount(int version);
int ShotMemberCount(int version);

}  // namespace testsupport
