// Shared by the game-object tests: a running stage made of a test stage field (whose block
// conditions hold or fail as the test says), the global stage with a given size, speed level and
// gravity, an empty block map, and the object globals reset before and after each test.
#pragma once

#include <gtest/gtest.h>

#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"
#include "objects/cStageField.h"
#include "project/cDatabase.h"
#include "project/cSystemData.h"

namespace objectstest {

class TestStageField : public cStageField {
public:
    int blockCondHolds = 1;
    int CheckBlockCond(MAPCELL&) override { return blockCondHolds; }
};

// Smallest power of two above width + 19, and its logarithm, as the block map's row pitch.
inline void RowPitch(int nWidth, int& pitch, int& shift)
{
    pitch = 1;
    shift = 0;
    while (pitch <= nWidth + 19) {
        pitch <<= 1;
        ++shift;
    }
}

class ObjectsTest : public ::testing::Test {
protected:
    TestStageField field;
    int savedScrollSync = 0;
    int savedResize = 0;

    void SetUp() override
    {
        savedScrollSync = SystemData.bScrollSyncVariant;
        savedResize = SystemData.bResizeVariant;
        SystemData.bScrollSyncVariant = 0;
        SystemData.bResizeVariant = 0;
        Database.SetDefault();
        Stage.Reset();
        SetSpeed(10, 0.5);
        ResetStageObjects();
        field.ResetField();
        lpStageField = &field;
        SetStageSize(40, 30);
    }

    void TearDown() override
    {
        lpStageField = nullptr;
        ResetStageObjects();
        Stage.Reset();
        Database.SetDefault();
        SystemData.bScrollSyncVariant = savedScrollSync;
        SystemData.bResizeVariant = savedResize;
    }

    // Speed level a (b = a up to 10, a - 10 above) and gravity G per frame squared.
    static void SetSpeed(int nLevel, double dGravity)
    {
        Stage.m_dGravity = dGravity;
        Stage.SetSpeedLevel(nLevel);
    }

    // A stage of w x h tiles: both camera axes with the whole stage as scroll area and the view
    // at the stage's top left, and an empty block map.
    void SetStageSize(int w, int h)
    {
        int pitch = 0;
        int shift = 0;
        RowPitch(w, pitch, shift);
        field.m_ScrollX.Setup(0, w, pitch, shift);
        field.m_ScrollY.Setup(1, h, h + 20, 0);
        field.m_ScrollX.SetLimit(0, 0, 0, 0);
        field.m_ScrollY.SetLimit(0, 0, 0, 0);
        field.m_ScrollX.dPos = 320;
        field.m_ScrollY.dPos = 320;
        StageMap.clear();
        StageMap.resize(static_cast<std::size_t>(pitch) * (h + 20));
        for (MAPCELL& cell : StageMap) {
            cell.m_nHitKind = 0;  // an empty block passes
        }
    }

    // Makes the block at field cell (column, row) solid for every faction.
    static void PutSolidBlock(int nColumn, int nRow)
    {
        MAPCELL* cell = MapCellAt(nColumn, nRow);
        ASSERT_NE(cell, nullptr);
        cell->m_nGraphic = 1;
        cell->m_nHitKind = 1;
        cell->m_nPassFaction = 255;
    }
};

}  // namespace objectstest
