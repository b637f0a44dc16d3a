// The fixed name lists that the stored numbers of conditions, flows, commands, movements, shots
// and character definitions index: the name of value v of a member is entry v of its list. The
// player itself reads none of them while it runs (only the command tables of CommandInfo.h); they
// give logs, tests and tools the editor's names of stored values. Texts are Shift-JIS; each list
// is built on first use and never changes.
#pragma once

#include <string>

#include "core/cVector.h"

enum NAMELIST {
    // Conditions and key conditions.
    NL_CONDITION_KIND,    // m_nKind 0-7 of cEdCondition (0 has the empty name)
    NL_COMPARE,           // m_nCompare 0-7 of kinds 1-5
    NL_SUBJECT,           // m_nSubject / m_nRightSubject: itself, target, system
    NL_DISTANCE_SUBJECT,  // m_nSubject of kind 7: hero, target (system where offered)
    NL_STATE,             // m_nItem of kind 6
    NL_DISTANCE_MEASURE,  // m_nDistDir of kind 7
    NL_DISTANCE_COMPARE,  // m_nCompare of kind 7: within, outside
    NL_LEFT_SOURCE,       // m_nLeftSource: status, variable
    NL_RIGHT_SOURCE,      // m_nRightSource: constant, random, status, variable
    NL_VARIABLE_KIND,     // m_nLeftVarKind / m_nRightVarKind: common, stage
    NL_CONDITION_MODE,    // combination of a condition list: all, at least one
    NL_KEY_STATE,         // entries of cEdKeyCondition::m_KeyFlag: "--", pressed, released
    NL_KEY_MODE,          // m_nKeyMode: all, at least one, exactly one
    // Flows.
    NL_TRIGGER,     // m_nTrigger 0-19
    NL_FLOW_ID,     // m_nFlowID: "-", "A".."Z"
    NL_FLOW_GROUP,  // m_nFlowGroup: "-", "a".."z"
    // Operands of "ステータスの操作" and the expression words.
    NL_CALCULATION,     // plain, percent of the maximum, percent of the current value
    NL_CHECK_BOX,       // "ON"
    NL_OPERATOR,        // "＝" .. "X ％"
    NL_CONDITIONAL,     // "なら", "でないなら"
    NL_CHARA_VARIABLE,  // default names of character variables 1-8
    // Parameters of commands.
    NL_FACING_CHANGE,       // "向き変更" p[0]
    NL_JUMP_HEIGHT,         // "ジャンプ" p[0]
    NL_FLOW_OPERATION,      // "フローの操作" p[0]
    NL_FLOW_SELECTION,      // "フローの操作" p[1]
    NL_FLOW_CHANGE_MODE,    // item "フローの変更" p[0]
    NL_FLOW_CHANGE_ID,      // item "フローの変更" p[1]: all, "A".."Z"
    NL_ITEM_PALETTE,        // "アイテムの取得" p[0]
    NL_STAGE_CLEAR_MODE,    // "ステージクリア": the next stage
    NL_STAGE_CLEAR_FACING,  // "ステージクリア": facing afterwards
    NL_MESSAGE_POSITION,    // "メッセージ": position
    NL_DISPLAY_DURATION,    // "メッセージ" and "ピクチャーの表示": how long
    NL_TARGET_WHOM,         // "ターゲットの設定": whom
    NL_TARGET_RANGE,        // "ターゲットの設定": search range
    NL_PICTURE_POSITION,    // "ピクチャーの表示": position
    NL_ANIME_RUN,           // "アニメの実行": how
    NL_BACKGROUND_CHANGE,   // "背景の変更": what
    // Option lists of character definitions.
    NL_CONTROLLER,
    NL_COLLISION_RANGE,
    NL_SIGHT_SHAPE,
    NL_ACTIVE_AREA,
    NL_PRESENCE_MODE,
    NL_SCALE,  // "×4" .. "×100" (scale 2-10)
    NL_ONE,    // the one-entry list "1"
    NL_OFF_ON,
    // Movements.
    NL_MOVE_GOAL,      // m_nMoveMode of the movement commands
    NL_WARP_GOAL,      // m_nMoveMode of "ワープ"
    NL_MOVE_COORD,     // m_nCoordKind of the movement commands
    NL_WARP_COORD,     // m_nCoordKind of "ワープ"
    NL_MOVE_TIME,      // m_nTimeMode
    NL_CIRCLE_TIME,    // m_nTimeMode of "円移動"
    NL_DIRECTION,      // direction codes 0-12 (movements and shots)
    NL_ROTATION,       // m_nDirection of "円移動"
    NL_DISTANCE_UNIT,  // m_nDistUnit
    // Shots and summons.
    NL_SHOT_ORIGIN,     // m_nOrigin
    NL_SUMMON_PALETTE,  // m_nSummonPalette
    NL_BLOCK_SUMMON,    // m_nBlockSummon
    NL_SUMMON_FACTION,  // m_nSummonFaction
    NL_COUNT
};

// The names of list nList; an empty list for a value outside the enumeration.
const cVector<std::string>& NameList(int nList);
