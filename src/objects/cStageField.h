// cStageField: the part of the running stage that the game objects read and write. The
// stage-play screen derives from it and sets lpStageField to itself for as long as it exists;
// the objects reach the stage only through lpStageField, and the stage's services beyond the
// field (flow time, summons, stage commands) through the accessors below. Everything here belongs to the game
// thread (and to a nested wait loop while the game thread waits for it).
#pragma once

#include <cstdint>
#include <list>

#include "core/cVector.h"
#include "objects/cScroll.h"
#include "objects/cTextObj.h"
#include "objects/code/cCodeErrorReports.h"
#include "objects/effect/cEffectObj.h"
#include "objects/effect/cPictureObj.h"
#include "objects/effect/cScrEffectRun.h"

class cCharaBase;
class cShot;
class IFlowStage;
class ISummonStage;
class IStageCommands;
struct MAPCELL;

// The services of a running stage beyond the field. Whoever builds the field fills them: the
// stage-play screen all of them, a test field those its test uses. Not owned.
struct STAGESERVICES {
    IFlowStage* flow = nullptr;          // time left and the time limit (conditions, status operation)
    ISummonStage* summon = nullptr;      // block and character summons (shot launch)
    IStageCommands* commands = nullptr;  // next stage, frame count, quitting, the nested wait
};

// One faction's collision group: the player and the stage characters of that faction. The
// group does not own them; EraseChara and the stage set-up keep it free of erased characters.
using CHARAGROUP = std::list<cCharaBase*>;
// One faction's shots and swords, not owned either.
using SHOTGROUP = std::list<cShot*>;

// The result a step asks of the stage, by rank: a clear outranks the player's death, which
// outranks none. Held in cStageField::m_nResult and answered by the play frame.
constexpr int RESULT_NONE = 0;
constexpr int RESULT_CLEAR = 1;
constexpr int RESULT_PLAYER_DIES = 2;

class cStageField {
public:
    static constexpr int kFactionCount = 8;
    static constexpr int kStageVarCount = 255;
    static constexpr int kLinkFlagCount = 60;

    int m_nResult = RESULT_NONE;             // result request of the commands: RESULT_*
    cScroll m_ScrollX;                       // the camera's horizontal axis
    cScroll m_ScrollY;                       // and its vertical axis
    cVector<CHARAGROUP> m_CharaLayer;        // kFactionCount groups, by faction
    cVector<SHOTGROUP> m_ShotLayer;          // kFactionCount groups, by faction
    cCharaBase* m_pCurrentObject = nullptr;  // the object whose flows run; null between flow runs
    int m_nSubStep = 0;                      // the sub-step being run, 1-based
    int m_nSubStepTotal = 0;                 // sub-steps run since set-up
    int m_bHpCheck = 0;                      // death-check request: HP of an object other than the running one fell
    cVector<std::int32_t> m_StageVar;        // kStageVarCount stage variables
    cVector<std::uint8_t> m_LinkFlag;        // kLinkFlagCount link flags of the current sub-step
    int m_nCharaId = 0;                      // object number of the next character (the player included)
    int m_nItemId = 0;                       // object number of the next item
    int m_nShotSerial = 0;                   // object number of the next shot or sword
    std::list<cShot> m_ShotList;             // owns the shots and swords on the field
    std::list<cTextObj> m_TextList;          // text, icon and timer objects, in drawing order
    cCodeErrorReports m_CodeErrors;          // code lines whose failure was reported in this stage
    std::list<cEffectObj> m_EffectList;      // effect animations playing on the field
    std::list<cPictureObj> m_PictureList;    // pictures shown, in drawing order
    cScrEffectRun m_ScrEffect;               // the running screen effect (number 0: none)
    std::uint32_t m_nCharaListEdits = 0;     // characters joined to or left CharaList, wrapping; game thread
    STAGESERVICES m_Services;                // filled by the field's builder; kept by ResetField
    int m_nMissingServices = 0;              // bits of the services whose absence was reported

    // Eight empty groups of each kind, the variables and link flags zeroed, the counters 0.
    cStageField();
    virtual ~cStageField();
    cStageField(const cStageField&) = delete;
    cStageField& operator=(const cStageField&) = delete;

    // Whether the condition list of a block-map cell holds now (an empty list holds). May note
    // in the cell that the list held once.
    virtual int CheckBlockCond(MAPCELL& cell) = 0;

    // Back to the state after construction (the camera axes included).
    void ResetField();
    // Asks for a stage result (RESULT_CLEAR, RESULT_PLAYER_DIES) without ever lowering one asked
    // for earlier. Other values are ignored.
    void RequestResult(int nResult);
    // No effect objects, no pictures (their surfaces released) and no screen effect.
    void ResetStageEffects();
};

// The running stage, or null when no stage is being played. Set by the stage-play screen when it
// is created and cleared when it is destroyed. Game thread.
extern cStageField* lpStageField;

// The running stage's services. Null when no stage runs (the caller then does without, as with no
// stage). A running stage that lacks the service is a fault of its builder: the first such call
// per field and service writes a line to the report log, and every one returns null so that the
// caller goes on without it. Game thread.
IFlowStage* StageFlowService();
ISummonStage* StageSummonService();
IStageCommands* StageCommandService();
