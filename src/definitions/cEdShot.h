// cEdShot: everything a shot command fires -- the formation (kind, count, spacing), direction or
// aim, speed, acceleration, range and lifetime, how the shot flies (the flight kinds) and hits
// (power, impact, hit effect, piercing, clashing), and for the summon commands what is summoned
// from which palette. A command owns at most one (cEdCommand::m_lpShot); the shot, sword and
// summon commands read it, and every flying shot carries its own copy. "Step" members are
// multiplied by the repeat number k of the formation (0 for the first firing) or, where said, by
// the running character's multiplier n. The names of the values are in ShotVocabulary.h.
//
// The carried settings m_nShotOptA to m_nShotOptH are read, saved and copied; where the player
// acts on one, its comment says so (m_nShotOptB is the drawing priority).
//
// In a file: the raw members below in their order (those of later versions left out of older
// files), no strings, no lists.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/cDataRecord.h"

class cEdShot : public cDataRecord {
public:
    // Graphic numbers of the shot sheet.
    static constexpr int kMaxShotGraphic = 119;

    std::int8_t m_nCount = 0;           // shots in one firing of the formation
    std::int8_t m_nShotKind = 0;        // formation kind 0-5
    std::int16_t m_nKindParam[3] = {};  // the formation's three parameters
    std::int8_t m_nOrigin = 0;          // "落雷"/"包囲": 0 target, 1 hero, 2 itself (from 671)
    std::int8_t m_nDirection = 0;       // direction code 0-12
    std::int8_t m_bAim = 0;             // aimed at the character's target
    std::int16_t m_nAngle = 0;          // degrees (0 left, 90 up)
    std::int16_t m_nAngleStep = 0;      // added per repeat
    std::int8_t m_bMirrorAngle = 0;     // facing right: 360 - angle (from 158)
    std::int16_t m_nAngleRandom = 0;    // random -r..r added to the angle of every repeat
    std::int8_t m_nShotOptA = 0;        // carried setting
    std::int8_t m_nRepeat = 0;          // the formation is fired m_nRepeat + 1 times
    std::int16_t m_nOffsetX = 0;        // firing point offset, dots
    std::int16_t m_nOffsetXStep = 0;    // added per repeat
    std::int16_t m_nOffsetY = 0;
    std::int16_t m_nOffsetYStep = 0;
    std::int8_t m_bMirrorOffsetX = 0;  // facing right: the horizontal offset is negated
    std::int8_t m_bMirrorOffsetY = 0;  // facing right: the vertical offset is negated
    std::int16_t m_nShotGraphic = 0;   // graphic number in the shot sheet, 0..kMaxShotGraphic
    std::int8_t m_nShotOptB = 0;       // drawing priority 0..7 (the stage's drawing pass)
    std::int8_t m_bInvisible = 0;      // the shot is not drawn
    std::int8_t m_bOwnerFaction = 0;   // the shot takes the firer's faction
    std::int8_t m_nFaction = 0;        // faction otherwise; faction of a summoned character
    std::int8_t m_nShotOptC = 0;       // carried setting
    std::int8_t m_nSize = 0;           // box 16 x m_nSize dots square; at least 1 after Repair
    std::int8_t m_nShotOptD = 0;       // carried setting
    std::int8_t m_nAimKind = 0;        // flight kind 0-9; "ソード": the SwordType entry
    std::int16_t m_nAimParam[3] = {};  // the flight kind's three parameters
    std::int8_t m_bScrollSync = 0;     // moves with the screen's scrolling (from 211)
    std::int16_t m_nSpeed = 0;         // tenths, divided by the speed unit
    std::int16_t m_nSpeedStep = 0;     // added per repeat
    std::int8_t m_bAccel = 0;          // the shot accelerates (from 213)
    std::int16_t m_nAccel = 0;         // tenths, divided by the speed unit (from 213)
    std::int16_t m_nAccelStep = 0;     // added per step of the multiplier n (from 213)
    std::int16_t m_nRange = 0;         // half-blocks, when m_bLimitRange
    std::int8_t m_bLimitRange = 0;
    std::int16_t m_nRangeStep = 0;   // added per repeat
    std::int8_t m_bStopAtRange = 0;  // stops and stays at the end of its range
    std::int8_t m_bLimitTime = 0;
    std::int16_t m_nLifeTime = 0;      // tenths of a second, when m_bLimitTime
    std::int16_t m_nLifeTimeStep = 0;  // added per repeat
    std::int8_t m_nBlockMode = 0;      // 1: passes through blocks
    std::int8_t m_bPierce = 0;         // goes on after hitting a character without m_bFullCell
    std::int8_t m_bPierce2 = 0;        // goes on after hitting one with m_bFullCell (from 636)
    std::int8_t m_bClash = 0;          // collides with other clashing shots
    std::int8_t m_nClashPower = 0;     // the lower one is destroyed in a clash
    std::int32_t m_nPower = 0;         // attack power
    std::int16_t m_nShotOptE = 0;      // carried setting
    std::int8_t m_nImpact = 0;         // knock-back given on a hit
    std::int16_t m_nHitEffect = 0;     // Effect database entry shown where it hits (0 none)
    std::int8_t m_nItemKind = 0;       // item produced on a hit: 0 none, 1 common, 2 stage palette
    std::int16_t m_nItemIndex = 0;     // its index in that palette's item list
    std::int8_t m_nBlockSummon = 0;    // "ブロック召喚": 0 summon, 1 remove, 2 toggle
    std::int8_t m_nShotOptF = 0;       // carried setting
    std::int8_t m_nShotOptG = 0;       // carried setting (from 197)
    std::int8_t m_nSummonPalette = 0;  // summons: 0 common, 1 stage palette
    std::int16_t m_nSummonIndex = 0;   // summons: index into that palette's list
    std::int8_t m_nSummonFaction = 0;  // "キャラ召喚": 0 its definition's, 1 the summoner's, 2 m_nFaction
    std::int8_t m_nShotOptH = 0;       // carried setting
    std::int8_t m_bSummonReverse = 0;  // "キャラ召喚": faces away from the summoner's facing

    // Registered for nDataVersion with the defaults of a new shot (SetDefault).
    cEdShot();

    // The members a file of version nVersion holds, in file order.
    void RegisterMembers(int nVersion) override;
    // Every member 0, then m_bMirrorAngle, m_bMirrorOffsetX, m_bOwnerFaction and m_nSize 1.
    // cEdCommand::NewShot uses it.
    void SetDefault();
    // Base part for nFileVersion; the members an older file lacks get the values of the old
    // behaviour; then Repair (also after a failed read). 1, or 0 when the record does not fit
    // the file.
    int Load(FILE* fp) override;
    // Repair, then the base part. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

    // m_nSize below 1 becomes 1; m_nHitEffect outside the Effect table (DefinitionContext)
    // becomes 0. m_nShotGraphic keeps its stored value (whoever draws it checks it against the
    // sheet), so that a load and save round trip changes nothing else.
    void Repair();

    // Firing-point offset of repeat k for a character facing nFacing (0 left, 1 right):
    // k x step + offset, negated for facing 1 when the mirror flag is set. Dots.
    double GetOffsetX(int k, int nFacing) const;
    double GetOffsetY(int k, int nFacing) const;
};
