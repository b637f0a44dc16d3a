// cEdMove: the settings of a movement -- where to go (a direction, an angle or goal
// coordinates), how fast or in how long, how far, and how the character turns and animates
// meanwhile. A command owns at most one (cEdCommand::m_lpMove); the movement commands and the
// warp read it. Many settings come as a base and a step: the value used is base + step x n, n
// being the running character's multiplier. Distances are in half-blocks (16 dots) unless
// m_nDistUnit says dots; speeds are in tenths, divided by the stage's speed unit. The names of the
// values are in MoveVocabulary.h.
//
// In a file: the raw members below in their order (those of later versions left out of older
// files), no strings, no lists.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/cDataRecord.h"

class cEdMove : public cDataRecord {
public:
    std::int8_t m_nMoveMode = 0;   // how the goal is given (goal lists)
    std::int8_t m_nDirection = 0;  // direction code 0-12; "円移動": the rotation
    std::int16_t m_nAngle = 0;     // degrees (0 left, 90 up); "円移動": start angle
    std::int16_t m_nAngleStep = 0;
    std::int8_t m_bMirrorAngle = 0;  // facing right: angle a becomes 360 - a (from version 158)
    std::int8_t m_bUseX = 0;         // the horizontal part of the goal counts
    std::int8_t m_bUseY = 0;         // the vertical part of the goal counts
    std::int16_t m_nTargetX = 0;     // goal in tiles of 32 dots
    std::int16_t m_nTargetY = 0;
    std::int16_t m_nTargetDotX = 0;  // dots added to the goal
    std::int16_t m_nTargetDotY = 0;
    std::int8_t m_nCoordKind = 0;      // what the goal is relative to (coordinate lists)
    std::int8_t m_bArriveEnds = 0;     // the move lasts as long as reaching the goal takes
    std::int8_t m_bFreezeX = 0;        // no horizontal movement
    std::int8_t m_bFreezeY = 0;        // no vertical movement
    std::int8_t m_bMirrorX = 0;        // facing right: the goal x is negated
    std::int8_t m_bMirrorY = 0;        // facing right: the goal y is negated
    std::int8_t m_bFollowFacing = 0;   // a facing change during the move reverses it
    std::int8_t m_bStopOnArrival = 0;  // with m_bArriveEnds: stops when less than a frame is left
    std::int8_t m_bKeepFacing = 0;     // the move never turns the character (from version 162)
    std::int8_t m_nTimeMode = 0;       // which two of time, speed and distance are given
    std::int16_t m_nSpeed = 0;         // tenths, divided by the speed unit
    std::int16_t m_nSpeedStep = 0;
    std::int16_t m_nDistance = 0;  // in m_nDistUnit; "円移動": end angle
    std::int16_t m_nDistanceStep = 0;
    std::int8_t m_nDistUnit = 0;  // 0 half-blocks, 1 dots (from version 159)
    std::int16_t m_nRadius = 0;   // "円移動": radius in half-blocks; "誘導移動": frames between re-aims
    std::int16_t m_nRadiusStep = 0;
    std::int8_t m_bInertia = 0;    // the speed acts as an acceleration, limited to m_nMaxSpeed
    std::int16_t m_nMaxSpeed = 0;  // tenths, divided by the speed unit
    double m_fBrake = 0.0;         // inertia: factor on the acceleration against the speed
    std::int8_t m_bKeepAnime = 0;  // the move leaves the animation alone (from version 162)

    // Registered for nDataVersion with the defaults of a new movement (SetDefault).
    cEdMove();

    // The members a file of version nVersion holds, in file order.
    void RegisterMembers(int nVersion) override;
    // Every member 0, then speed 10, brake 1.0, and the flags m_bMirrorAngle, m_bUseX, m_bUseY,
    // m_bArriveEnds, m_bMirrorX, m_bFollowFacing 1. cEdCommand::NewMove uses it.
    void SetDefault();
    // Base part for nFileVersion; the members an older file lacks get the values of the old
    // behaviour (0). 1, or 0 when the record does not fit the file.
    int Load(FILE* fp) override;
};
