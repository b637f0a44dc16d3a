// The conditions of flows (and of placed objects): each kind's test, the walk over a condition
// list, and the status values a condition reads. Game thread only.
//
// Kinds: 1 common variable, 2 stage variable, 3 the subject's character variable (each compared
// with the value), 4 a status or variable against a constant, random, status or variable right
// operand, 5 a switch-like setting against a constant, 6 a state of the subject or its target,
// 7 the distance to the player or the target; any other kind never holds.
#pragma once

#include <cstdint>

#include "core/cVector.h"
#include "definitions/cEdCondition.h"
#include "objects/flow/FlowInstance.h"

class cCharaBase;

// Subjects of status conditions.
enum CONDSUBJECT { SUBJECT_SELF = 0, SUBJECT_TARGET = 1, SUBJECT_SYSTEM = 2 };

// One condition with self as subject: 1 holds, 0 not.
int CheckCondition(const cEdCondition& condition, cCharaBase& self);
// A list: mode 0 every condition holds (stops at the first that fails), mode 1 at least one
// (stops at the first that holds); an empty list holds in mode 0 and fails in mode 1 here (the
// owner tests treat an empty list as holding before they walk it); another mode never holds.
int CheckCondList(const cVector<cEdCondition>& list, int nMode, cCharaBase& self);
// The start conditions of a flow: an empty list holds; with the check-once flag and condLatched
// set the list is not tested again; a list that holds sets condLatched.
int CheckFlowCond(FLOWINSTANCE& flow, cCharaBase& self);

int CheckStatusCondition(const cEdCondition& condition, cCharaBase& self);
int CheckStatusCondition2(const cEdCondition& condition, cCharaBase& self);
int CheckStatusCondition3(const cEdCondition& condition, cCharaBase& self);
int CheckDistanceCondition(const cEdCondition& condition, cCharaBase& self);

// Character status nItem (0..14) of c into value (nVarIndex: the character variable of item 0).
// 0 when it cannot be read: item 8 (sight) of a computer-operated character, an unknown item.
// Reading item 13 (ease of stopping) also sets the character's deceleration from it.
int ReadCharaStatus(cCharaBase& c, int nItem, int nVarIndex, std::int64_t& value);
// System status nItem (0 time, 1 and 2 auto-scroll speed settings, 3 score, 4 lives) as stored:
// lives 999999 while unlimited, the time 999 without a limit. 0 for an unknown item.
int ReadSystemStatus(int nItem, std::int64_t& value);
// 1 when the stage has no time limit (the time then reads 0 as a right operand).
int StageHasNoTimeLimit();
