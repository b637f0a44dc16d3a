// The status operation on variables, system statuses and character statuses, with every operand
// kind, the percentage modes and the edge values of the ranges.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "definitions/cEdCommand.h"
#include "definitions/cEdStage.h"
#include "objects/IFlowStage.h"
#include "objects/StageObjects.h"
#include "objects/cStageField.h"
#include "objects/commands/StatusOperation.h"
#include "project/cSaveData.h"

namespace {

class cOpStage : public cStageField, public IFlowStage {
public:
    cOpStage() { m_Services.flow = this; }
    int CheckBlockCond(MAPCELL&) override { return 1; }
    int FlowTimeLeft() const override { return nTime; }
    int FlowHasNoTimeLimit() const override { return bNoLimit; }
    void SetFlowTimeLeft(int nSeconds) override { nTime = nSeconds; }
    int nTime = 100;
    int bNoLimit = 0;
};

cEdCommand Op(const std::map<int, int>& params)
{
    cEdCommand c;
    c.m_nKind = 22;
    c.ResizeParam(18);
    for (const auto& [i, v] : params) c.m_Param[i] = v;
    return c;
}

struct OPCASE {
    const char* szName;
    std::function<void()> prepare;
    std::map<int, int> params;
    std::function<void()> check;
};

class StatusOperationTest : public ::testing::Test {
protected:
    void Begin()
    {
        m_Var = SaveData.Var;
        m_nLives = SaveData.nLives;
        m_nScore = SaveData.nTotalScore;
        m_nSpeedX = Stage.m_nAutoScrollSpeedX;
        m_bAutoX = Stage.m_bAutoScrollX;
        ResetStageObjects();
        stage = std::make_unique<cOpStage>();
        lpStageField = stage.get();
        SaveData.Var.assign(256, 0);
        SaveData.nLives = 3;
        SaveData.nTotalScore = 0;
        Player[P1].source = 1;
        Player[P1].value2 = 0;
        Player[P1].def.m_nMaxHp = 10;
        Player[P1].hp = 10;
        Player[P1].charaVars.Reset(9);
        CharaList.emplace_back();
        self = &CharaList.back();
        self->source = 2;
        self->value2 = 1;
        self->def.m_nMaxHp = 10;
        self->hp = 10;
        self->charaVars.Reset(9);
    }
    void End()
    {
        lpStageField = nullptr;
        ResetStageObjects();
        SaveData.Var = m_Var;
        SaveData.nLives = m_nLives;
        SaveData.nTotalScore = m_nScore;
        Stage.m_nAutoScrollSpeedX = m_nSpeedX;
        Stage.m_bAutoScrollX = m_bAutoX;
    }
    void Run(const std::vector<OPCASE>& cases)
    {
        for (const OPCASE& c : cases) {
            SCOPED_TRACE(c.szName);
            Begin();
            if (c.prepare) c.prepare();
            StatusOperation(*self, Op(c.params));
            c.check();
            End();
        }
    }

    std::unique_ptr<cOpStage> stage;
    cChara* self = nullptr;
    cVector<std::int32_t> m_Var;
    int m_nLives = 0, m_nScore = 0, m_nSpeedX = 0, m_bAutoX = 0;
};

TEST_F(StatusOperationTest, VariablesAndSystemStatuses)
{
    Run({
        {"add to a common variable",
         [] { SaveData.Var[3] = 10; },
         {{0, 1}, {2, 3}, {5, 1}, {7, 5}},
         [] { EXPECT_EQ(SaveData.Var[3], 15); }},
        {"a product past the range ends at its limit",
         [] { SaveData.Var[3] = 100000; },
         {{0, 1}, {2, 3}, {5, 3}, {7, 100000}},
         [] { EXPECT_EQ(SaveData.Var[3], 999999); }},
        {"65536 x 65536 does not wrap to 0",
         [] { SaveData.Var[3] = 65536; },
         {{0, 1}, {2, 3}, {5, 3}, {7, 65536}},
         [] { EXPECT_EQ(SaveData.Var[3], 999999); }},
        {"percentage of the current value",
         [] { SaveData.Var[3] = 200; },
         {{0, 1}, {2, 3}, {5, 0}, {7, 50}, {14, 1}},
         [] { EXPECT_EQ(SaveData.Var[3], 100); }},
        {"stage variable",
         {},
         {{0, 1}, {1, 1}, {2, 4}, {5, 2}, {7, 7}},
         [this] { EXPECT_EQ(stage->m_StageVar[4], -7); }},
        {"another variable kind changes nothing",
         [] { SaveData.Var[4] = 1; },
         {{0, 1}, {1, 2}, {2, 4}, {7, 7}},
         [] { EXPECT_EQ(SaveData.Var[4], 1); }},
        {"random operand, bounds in reverse",
         {},
         {{0, 1}, {2, 3}, {6, 1}, {8, 9}, {9, 9}},
         [] { EXPECT_EQ(SaveData.Var[3], 9); }},
        {"variable operand",
         [] { SaveData.Var[7] = 42; },
         {{0, 1}, {2, 3}, {6, 3}, {10, 0}, {11, 7}},
         [] { EXPECT_EQ(SaveData.Var[3], 42); }},
        {"unlimited lives read 0 as operand",
         [] {
             SaveData.Var[3] = 5;
             SaveData.nLives = 999999;
         },
         {{0, 1}, {2, 3}, {6, 2}, {12, 2}, {13, 4}},
         [] { EXPECT_EQ(SaveData.Var[3], 0); }},
        {"time without limit reads 0 as operand",
         [this] {
             SaveData.Var[3] = 5;
             stage->bNoLimit = 1;
         },
         {{0, 1}, {2, 3}, {6, 2}, {12, 2}, {13, 0}},
         [] { EXPECT_EQ(SaveData.Var[3], 0); }},
        {"unlimited lives are left alone",
         [] { SaveData.nLives = 999999; },
         {{3, 2}, {4, 4}, {5, 1}, {7, 1}},
         [] { EXPECT_EQ(SaveData.nLives, 999999); }},
        {"lives at most 99", {}, {{3, 2}, {4, 4}, {5, 1}, {7, 200}}, [] { EXPECT_EQ(SaveData.nLives, 99); }},
        {"score plus half of itself",
         [] { SaveData.nTotalScore = 400; },
         {{3, 2}, {4, 3}, {5, 1}, {7, 50}, {14, 1}},
         [] { EXPECT_EQ(SaveData.nTotalScore, 600); }},
        {"time not below 0", {}, {{3, 2}, {4, 0}, {5, 2}, {7, 150}}, [this] { EXPECT_EQ(stage->nTime, 0); }},
        {"scroll speed sets the camera again",
         [] {
             Stage.m_bAutoScrollX = 1;
             Stage.m_nAutoScrollSpeedX = 10;
         },
         {{3, 2}, {4, 1}, {5, 0}, {7, 600}},
         [this] {
             EXPECT_EQ(Stage.m_nAutoScrollSpeedX, 480);
             EXPECT_EQ(stage->m_ScrollX.bAuto, 1);
             const double b = Stage.m_nSubSteps > 0 ? Stage.m_nSubSteps : 1;
             EXPECT_DOUBLE_EQ(stage->m_ScrollX.dSpeed, 480 * 0.1 / b);
         }},
    });
}

TEST_F(StatusOperationTest, CharacterStatuses)
{
    Run({
        {"target's HP to 0 asks for the death check",
         [this] { self->target = CharaRef(1); },
         {{3, 1}, {4, 1}, {5, 2}, {7, 10}},
         [this] {
             EXPECT_EQ(Player[P1].hp, 0);
             EXPECT_EQ(stage->m_bHpCheck, 1);
         }},
        {"own HP to 0 does not",
         {},
         {{3, 0}, {4, 1}, {5, 2}, {7, 10}},
         [this] {
             EXPECT_EQ(self->hp, 0);
             EXPECT_EQ(stage->m_bHpCheck, 0);
         }},
        {"HP plus a quarter of the maximum",
         [this] {
             self->def.m_nMaxHp = 40;
             self->hp = 10;
         },
         {{4, 1}, {5, 1}, {7, 25}, {15, 1}},
         [this] { EXPECT_EQ(self->hp, 20); }},
        {"HP set to half of itself",
         [this] {
             self->def.m_nMaxHp = 40;
             self->hp = 20;
         },
         {{4, 1}, {5, 0}, {7, 50}, {15, 2}},
         [this] { EXPECT_EQ(self->hp, 10); }},
        {"HP with an unknown base is unchanged",
         [this] { self->hp = 7; },
         {{4, 1}, {5, 0}, {7, 1}, {15, 3}},
         [this] { EXPECT_EQ(self->hp, 7); }},
        {"SP gains no more than its maximum",
         [this] { self->def.m_nMaxSp = 5; },
         {{4, 2}, {5, 1}, {7, 9}},
         [this] { EXPECT_EQ(self->sp, 5); }},
        {"lower maximum HP lowers HP",
         [this] {
             self->def.m_nMaxHp = 40;
             self->hp = 30;
         },
         {{4, 3}, {5, 0}, {7, 20}},
         [this] {
             EXPECT_EQ(self->def.m_nMaxHp, 20);
             EXPECT_EQ(self->hp, 20);
         }},
        {"invincible target is left alone",
         [this] { self->def.m_nInvincible = 1; },
         {{4, 1}, {5, 2}, {7, 5}, {17, 1}},
         [this] { EXPECT_EQ(self->hp, 10); }},
        {"character variable", {}, {{2, 4}, {4, 0}, {5, 1}, {7, -3}}, [this] { EXPECT_EQ(self->charaVars[4], -3); }},
        {"character ID does not wrap",
         [this] { self->def.m_nCharaId = 90; },
         {{4, 5}, {5, 1}, {7, 50}},
         [this] { EXPECT_EQ(self->def.m_nCharaId, 99); }},
        {"body impact", {}, {{4, 10}, {5, 0}, {7, -50}}, [this] { EXPECT_EQ(self->def.m_nRamImpact, -20); }},
        {"sight of a computer-operated character is ignored",
         [this] { self->def.m_nViewRange = 2; },
         {{4, 8}, {5, 0}, {7, 5}},
         [this] { EXPECT_EQ(self->def.m_nViewRange, 2); }},
        {"sight of the player",
         [this] { self->target = CharaRef(1); },
         {{3, 1}, {4, 8}, {5, 0}, {7, 5}},
         [] {
             EXPECT_EQ(Player[P1].def.m_nViewRange, 5);
             EXPECT_EQ(Player[P1].viewRange, 80);
         }},
        {"ease of stopping sets the deceleration",
         {},
         {{4, 13}, {5, 0}, {7, 300}},
         [this] {
             EXPECT_EQ(self->def.m_nBrake, 200);
             const double b = Stage.m_nSubSteps > 0 ? Stage.m_nSubSteps : 1;
             EXPECT_DOUBLE_EQ(self->decel, 200 * 0.01 / (b * b));
         }},
        {"missing target",
         [this] { self->hp = 4; },
         {{3, 1}, {4, 1}, {5, 0}, {7, 9}},
         [this] { EXPECT_EQ(self->hp, 4); }},
        {"an operand of a computer-operated sight ends the command",
         [this] { self->charaVars[1] = 6; },
         {{2, 1}, {4, 0}, {5, 0}, {6, 2}, {12, 0}, {13, 8}},
         [this] { EXPECT_EQ(self->charaVars[1], 6); }},
    });
}

}  // namespace
