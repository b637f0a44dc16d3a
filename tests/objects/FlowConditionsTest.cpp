// Every condition kind with its operands and operators, on a stage character, the player as its
// target and the stage values, with the edge values the rules single out.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "definitions/cEdStage.h"
#include "objects/IFlowStage.h"
#include "objects/StageObjects.h"
#include "objects/cStageField.h"
#include "objects/commands/FlowConditions.h"
#include "project/cSaveData.h"

namespace {

class cTestStage : public cStageField, public IFlowStage {
public:
    cTestStage() { m_Services.flow = this; }
    int CheckBlockCond(MAPCELL&) override { return 1; }
    int FlowTimeLeft() const override { return nTime; }
    int FlowHasNoTimeLimit() const override { return bNoLimit; }
    void SetFlowTimeLeft(int nSeconds) override { nTime = nSeconds; }
    int nTime = 999;
    int bNoLimit = 1;
};

cEdCondition Cond(int nKind, int nIndex, int nOp, int nValue)
{
    cEdCondition c;
    c.m_nKind = static_cast<std::int8_t>(nKind);
    c.m_nIndex = static_cast<std::int16_t>(nIndex);
    c.m_nCompare = static_cast<std::int8_t>(nOp);
    c.m_nValue = nValue;
    return c;
}

// Kind 4 with a status on the left: subject, item, operator, constant right operand.
cEdCondition Status(int nSubject, int nItem, int nOp, int nValue, int bPercent = 0)
{
    cEdCondition c = Cond(4, 0, nOp, nValue);
    c.m_nSubject = static_cast<std::int8_t>(nSubject);
    c.m_nItem = static_cast<std::int8_t>(nItem);
    c.m_bPercent = static_cast<std::int8_t>(bPercent);
    return c;
}

cEdCondition Kind(int nKind, int nSubject, int nItem, int nOp, int nIndex = 0)
{
    cEdCondition c = Cond(nKind, nIndex, nOp, 0);
    c.m_nSubject = static_cast<std::int8_t>(nSubject);
    c.m_nItem = static_cast<std::int8_t>(nItem);
    return c;
}

struct CONDCASE {
    const char* szName;
    std::function<void()> prepare;  // changes to the fixture's state, may be empty
    cEdCondition condition;
    int nExpected;
};

class FlowConditionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_SavedVar = SaveData.Var;
        m_nSavedLives = SaveData.nLives;
        m_nSavedScore = SaveData.nTotalScore;
        m_nScrollX = Stage.m_nAutoScrollSpeedX;
        m_bScrollX = Stage.m_bAutoScrollX;
        ResetStageObjects();
        lpStageField = &stage;
        SaveData.Var.assign(256, 0);
        SaveData.nLives = 3;
        SaveData.nTotalScore = 0;
        Player[P1].source = 1;
        Player[P1].value2 = 0;
        Player[P1].charaVars.Reset(9);
        CharaList.emplace_back();
        self = &CharaList.back();
        self->source = 2;
        self->value2 = 1;
        self->charaVars.Reset(9);
        self->facing = 0;
        self->airborne = 0;
    }
    void TearDown() override
    {
        lpStageField = nullptr;
        ResetStageObjects();
        SaveData.Var = m_SavedVar;
        SaveData.nLives = m_nSavedLives;
        SaveData.nTotalScore = m_nSavedScore;
        Stage.m_nAutoScrollSpeedX = m_nScrollX;
        Stage.m_bAutoScrollX = m_bScrollX;
    }

    void Run(const std::vector<CONDCASE>& cases)
    {
        for (const CONDCASE& c : cases) {
            SetUp();
            if (c.prepare) c.prepare();
            EXPECT_EQ(CheckCondition(c.condition, *self), c.nExpected) << c.szName;
            TearDown();
        }
    }

    cTestStage stage;
    cChara* self = nullptr;
    cVector<std::int32_t> m_SavedVar;
    int m_nSavedLives = 0;
    int m_nSavedScore = 0;
    int m_nScrollX = 0;
    int m_bScrollX = 0;
};

TEST_F(FlowConditionsTest, VariableConditions)
{
    auto vars = [this] {
        SaveData.Var[5] = -9;
        stage.m_StageVar[7] = 3;
        self->charaVars[2] = 6;
    };
    Run({
        {"common = ", vars, Cond(1, 5, 0, -9), 1},
        {"common > ", vars, Cond(1, 5, 4, -9), 0},
        {"common divisible by 3 (absolute value)", vars, Cond(1, 5, 6, 3), 1},
        {"common not divisible by 3", vars, Cond(1, 5, 7, 3), 0},
        {"divisor 0 counts as divisible", vars, Cond(1, 5, 6, 0), 1},
        {"divisor 0 is never indivisible", vars, Cond(1, 5, 7, 0), 0},
        {"unknown operator", vars, Cond(1, 5, 9, -9), 0},
        {"stage <", vars, Cond(2, 7, 5, 4), 1},
        {"stage !=", vars, Cond(2, 7, 1, 3), 0},
        {"character >=", vars, Cond(3, 2, 2, 6), 1},
        {"character <=", vars, Cond(3, 2, 3, 5), 0},
        {"kind 0 never holds", vars, Cond(0, 5, 0, -9), 0},
        {"kind 8 never holds", vars, Cond(8, 5, 0, -9), 0},
    });
}

TEST_F(FlowConditionsTest, StatusConditions)
{
    auto hp = [this](int nHp) {
        return [this, nHp] {
            self->def.m_nMaxHp = 101;
            self->hp = nHp;
        };
    };
    auto withTarget = [this] {
        self->target = CharaRef(1);
        Player[P1].hp = 30;
        Player[P1].def.m_nViewRange = 4;
    };
    cEdCondition varPercent = Status(0, 0, 0, 77, 1);
    varPercent.m_nLeftSource = 1;
    varPercent.m_nIndex = 1;
    cEdCondition unknownLeft = Status(0, 1, 0, 0);
    unknownLeft.m_nLeftSource = 2;
    cEdCondition timeRight = Status(0, 0, 0, 0);
    timeRight.m_nLeftSource = 1;
    timeRight.m_nIndex = 1;
    timeRight.m_nRightSource = 2;
    timeRight.m_nRightSubject = 2;
    timeRight.m_nRightItem = 0;
    cEdCondition randomRight = Status(0, 0, 3, 0);
    randomRight.m_nLeftSource = 1;
    randomRight.m_nIndex = 1;
    randomRight.m_nRightSource = 1;
    randomRight.m_nRandMin = 8;
    randomRight.m_nRandMax = 7;  // reversed, and max = min - 1
    cEdCondition missingRight = Status(0, 1, 1, 0);
    missingRight.m_nRightSource = 2;
    missingRight.m_nRightSubject = 1;
    missingRight.m_nRightItem = 1;
    cEdCondition targetRight = missingRight;
    targetRight.m_nCompare = 0;
    auto hpEqualsTarget = [this] {
        self->target = CharaRef(1);
        Player[P1].hp = 30;
        self->hp = 30;
    };
    Run({
        {"HP 51 >= 50 % of 101 (50.5 rounds up)", hp(51), Status(0, 1, 2, 50, 1), 1},
        {"HP 50 >= 50 % of 101", hp(50), Status(0, 1, 2, 50, 1), 0},
        {"HP 50 >= 50 without percent", hp(50), Status(0, 1, 2, 50), 1},
        {"score with percent compares with 0", [] { SaveData.nTotalScore = 500; }, Status(2, 3, 0, 50, 1), 0},
        {"score 0 with percent equals any percentage", [] {}, Status(2, 3, 0, 50, 1), 1},
        {"a variable with percent compares with 0", [] {}, varPercent, 1},
        {"lives unlimited: !=", [] { SaveData.nLives = 999999; }, Status(2, 4, 1, 3), 0},
        {"lives unlimited: = 999999", [] { SaveData.nLives = 999999; }, Status(2, 4, 0, 999999), 0},
        {"lives limited", [] { SaveData.nLives = 3; }, Status(2, 4, 0, 3), 1},
        {"time is not touched by unlimited lives", [] { SaveData.nLives = 999999; }, Status(2, 0, 0, 999), 1},
        {"time without limit reads 999 on the left", [] {}, Status(2, 0, 0, 999), 1},
        {"time without limit reads 0 on the right", [] {}, timeRight, 1},
        {"time with a limit on the right",
         [this] {
             stage.bNoLimit = 0;
             stage.nTime = 120;
         },
         timeRight, 0},
        {"scroll speed", [] { Stage.m_nAutoScrollSpeedX = -40; }, Status(2, 1, 5, 0), 1},
        {"unknown system item", [] {}, Status(2, 5, 1, 0), 0},
        {"random bounds in reverse order", [] {}, randomRight, 1},
        {"missing target on the left", [] {}, Status(1, 1, 1, 0), 0},
        {"missing target on the right", [] {}, missingRight, 0},
        {"target's status on the right", hpEqualsTarget, targetRight, 1},
        {"target's HP", withTarget, Status(1, 1, 0, 30), 1},
        {"sight of a player-operated target", withTarget, Status(1, 8, 0, 4), 1},
        {"sight of a computer-operated character", [] {}, Status(0, 8, 1, 99), 0},
        {"character ID", [this] { self->def.m_nCharaId = 12; }, Status(0, 5, 0, 12), 1},
        {"a byte is not cut to its width", [this] { self->def.m_nRamImpact = 20; }, Status(0, 10, 0, 276), 0},
        {"percentage of a byte item is of 0", [this] { self->def.m_nRamImpact = 5; }, Status(0, 10, 4, 100, 1), 1},
        {"unknown left side", [] {}, unknownLeft, 0},
        {"unknown character item", [] {}, Status(0, 15, 1, 0), 0},
    });
}

TEST_F(FlowConditionsTest, ReadingEaseOfStoppingSetsDeceleration)
{
    self->def.m_nBrake = 50;
    self->decel = 0.0;
    EXPECT_EQ(CheckCondition(Status(0, 13, 0, 50), *self), 1);
    const double b = Stage.m_nSubSteps > 0 ? Stage.m_nSubSteps : 1;
    EXPECT_DOUBLE_EQ(self->decel, 50 * 0.01 / (b * b));
}

TEST_F(FlowConditionsTest, SwitchConditions)
{
    auto def = [this] {
        self->def.m_bTransparent = 1;
        self->def.m_nScale = 2;
        self->def.m_bScrollSync = 1;
        Stage.m_bAutoScrollX = 1;
    };
    Run({
        {"system horizontal auto-scroll", def, Kind(5, 2, 0, 0, 1), 1},
        {"system item 2", def, Kind(5, 2, 2, 1, 1), 0},
        {"transparent", def, Kind(5, 0, 1, 0, 1), 1},
        {"size factor > 1", def, Kind(5, 0, 5, 4, 1), 1},
        {"scroll sync", def, Kind(5, 0, 6, 0, 1), 1},
        {"item 0 cannot be tested", def, Kind(5, 0, 0, 1, 5), 0},
        {"item 7", def, Kind(5, 0, 7, 1, 5), 0},
        {"missing target", def, Kind(5, 1, 1, 0, 1), 0},
        {"another subject is self", def, Kind(5, 3, 1, 0, 1), 1},
    });
}

TEST_F(FlowConditionsTest, StateConditions)
{
    Run({
        {"faces left", [] {}, Kind(6, 0, 0, 0), 1},
        {"faces left, negated", [] {}, Kind(6, 0, 0, 1), 0},
        {"faces right", [] {}, Kind(6, 0, 1, 0), 0},
        {"on a block", [] {}, Kind(6, 0, 2, 0), 1},
        {"in the air", [this] { self->airborne = 1; }, Kind(6, 0, 2, 0), 0},
        {"jumping", [this] { self->jumped = 1; }, Kind(6, 0, 2, 0), 0},
        {"in the air on a block character",
         [this] {
             self->airborne = 1;
             self->onFoothold = 1;
         },
         Kind(6, 0, 2, 0), 1},
        {"a flying character is never on a block",
         [this] {
             self->def.m_nFlying = 2;
             self->onFoothold = 1;
         },
         Kind(6, 0, 2, 0), 0},
        {"computer-operated in view by its flag", [this] { self->inView = 1; }, Kind(6, 0, 3, 0), 1},
        {"unknown item negated holds", [] {}, Kind(6, 0, 9, 1), 1},
        {"missing target, negated", [] {}, Kind(6, 1, 0, 1), 0},
        {"target faces right",
         [this] {
             self->target = CharaRef(1);
             Player[P1].facing = 1;
         },
         Kind(6, 1, 1, 0), 1},
    });
}

cEdCondition Distance(int nSubject, int nDir, int nOp, int nHalfBlocks, int nDots)
{
    cEdCondition c = Cond(7, 0, nOp, nHalfBlocks);
    c.m_nSubject = static_cast<std::int8_t>(nSubject);
    c.m_nDistDir = static_cast<std::int8_t>(nDir);
    c.m_nRightIndex = static_cast<std::int16_t>(nDots);
    return c;
}

TEST_F(FlowConditionsTest, DistanceConditions)
{
    // Self: hit box and graphic 32 x 32 at (100, 100); the camera at 0, so its screen span is
    // 100..131 and its centre 116. The player's hit box lies 60 right and 80 below (centres 100
    // apart); its last screen rectangle is set by each case.
    auto place = [this](int nLeft, int nRight, int nFacing) {
        return [this, nLeft, nRight, nFacing] {
            self->x = 100;
            self->y = 100;
            self->hitWidth = self->hitHeight = 32;
            self->gfxWidth = self->gfxHeight = 32;
            self->facing = nFacing;
            Player[P1].x = 160;
            Player[P1].y = 180;
            Player[P1].hitWidth = Player[P1].hitHeight = 32;
            Player[P1].screenLeft = nLeft;
            Player[P1].screenRight = nRight;
            Player[P1].screenTop = 0;
            Player[P1].screenBottom = 479;
        };
    };
    Run({
        {"circle: exactly 100 pixels", place(0, 0, 0), Distance(0, 6, 0, 6, 4), 1},
        {"circle: 99 pixels", place(0, 0, 0), Distance(0, 6, 0, 6, 3), 0},
        {"circle: outside", place(0, 0, 0), Distance(0, 6, 1, 6, 3), 1},
        {"ahead 0 reaches the centre line", place(116, 140, 0), Distance(0, 1, 0, 0, 0), 1},
        {"ahead 0 misses one pixel right of it", place(117, 140, 0), Distance(0, 1, 0, 0, 0), 0},
        {"ahead 2 half blocks while facing left", place(40, 68, 0), Distance(0, 1, 0, 2, 0), 1},
        {"ahead 2 half blocks while facing right", place(40, 68, 1), Distance(0, 1, 0, 2, 0), 0},
        {"behind 2 half blocks while facing right", place(40, 68, 1), Distance(0, 2, 0, 2, 0), 1},
        {"across, own span at 0 (pos .. pos + width)", place(132, 200, 0), Distance(0, 0, 0, 0, 0), 1},
        {"across, one pixel beyond", place(133, 200, 0), Distance(0, 0, 0, 0, 0), 0},
        {"vertical", place(0, 0, 0), Distance(0, 3, 0, 0, 0), 1},
        {"unknown direction is never within", place(0, 0, 0), Distance(0, 7, 1, 0, 0), 1},
        {"unknown operator", place(0, 0, 0), Distance(0, 6, 2, 60, 0), 0},
        {"missing target", place(0, 0, 0), Distance(1, 6, 1, 0, 0), 0},
        {"subject 2 has no character", place(0, 0, 0), Distance(2, 6, 1, 0, 0), 0},
    });
}

TEST_F(FlowConditionsTest, ListsAndTheCheckOnceLatch)
{
    SaveData.Var[1] = 1;
    const cEdCondition yes = Cond(1, 1, 0, 1);
    const cEdCondition no = Cond(1, 1, 0, 2);
    cVector<cEdCondition> mixed;
    mixed.push_back(yes);
    mixed.push_back(no);
    cVector<cEdCondition> none;
    none.push_back(no);
    none.push_back(no);
    EXPECT_EQ(CheckCondList(mixed, 0, *self), 0);
    EXPECT_EQ(CheckCondList(mixed, 1, *self), 1);
    EXPECT_EQ(CheckCondList(none, 1, *self), 0);
    EXPECT_EQ(CheckCondList(mixed, 2, *self), 0);

    cEdFlow def;
    FLOWINSTANCE flow;
    flow.flow = &def;
    EXPECT_EQ(CheckFlowCond(flow, *self), 1) << "an empty list holds";
    EXPECT_EQ(flow.condLatched, 0);
    def.m_Condition.push_back(Cond(1, 1, 0, 1));
    def.m_bCondOnce = 1;
    EXPECT_EQ(CheckFlowCond(flow, *self), 1);
    EXPECT_EQ(flow.condLatched, 1);
    SaveData.Var[1] = 5;
    EXPECT_EQ(CheckFlowCond(flow, *self), 1) << "held once, holds for good";
    def.m_bCondOnce = 0;
    EXPECT_EQ(CheckFlowCond(flow, *self), 0);
}

}  // namespace
