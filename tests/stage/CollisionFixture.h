// Shared by the collision tests: the minimal stage entered through the harness, its block map
// emptied, and the hero given a plain 20 x 30 hit box that the tests place freely. Block
// characters are added to CharaList by hand. World pixels: field cell (c, r) covers
// (32c .. 32c + 31, 32r .. 32r + 31).
#pragma once

#include "StageFixture.h"

#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"
#include "project/cSystemData.h"
#include "stage/StageGeometry.h"

namespace stagetest {

class CollisionFixture : public StageFixture {
protected:
    static constexpr int kW = 20;
    static constexpr int kH = 30;

    void SetUp() override
    {
        StageFixture::SetUp();
        savedLandWhileRising = SystemData.bLandWhileRising;
        ASSERT_TRUE(LoadAndEnter());
        ASSERT_TRUE(CharaList.empty());
        Fresh();
    }
    void TearDown() override
    {
        CharaList.clear();
        SystemData.bLandWhileRising = savedLandWhileRising;
        StageFixture::TearDown();
    }

    // An empty map, no block characters, and the hero walking, still, 20 x 30, off any floor.
    void Fresh()
    {
        CharaList.clear();
        SystemData.bLandWhileRising = 0;
        for (MAPCELL& cell : StageMap) {
            cell.m_nGraphic = 0;
            cell.m_nHitKind = 0;
            cell.m_nTouchKind = 0;
            cell.m_Condition.clear();
        }
        cPlayer& p = Hero();
        Resize(p, kW, kH, 1);
        p.value2 = 0;
        p.noGravity = 0;
        p.blockMode = 1;
        p.vx = p.vy = p.ax = p.ay = 0.0;
        p.knockX = p.knockY = 0.0;
        p.onFoothold = 0;
        p.leftFoothold = 0;
        p.footholdKey = 0;
        p.floorCell = p.lastFloorCell = cCharaBase::kNoCell;
        p.noFloorCount = 0;
        p.floorEffectKind = 0;
        p.floorEffectTimer = 0;
        p.floorNoJump = 0;
        p.ClearLRUD();
    }

    static cPlayer& Hero() { return Player.data()[P1]; }
    static void Resize(cCharaBase& c, int w, int h, int scale)
    {
        c.def.m_nScale = static_cast<std::int8_t>(scale);
        c.baseHitWidth = w / scale;
        c.baseHitHeight = h / scale;
        c.hitWidth = w;
        c.hitHeight = h;
    }
    // The box at (x, y) now and at the sub-step's start.
    static void Place(cCharaBase& c, double x, double y)
    {
        c.x = x;
        c.y = y;
        c.right = x + c.hitWidth - 1;
        c.bottom = y + c.hitHeight - 1;
        c.SavePrevRect();
    }
    // The block map cell of field cell (c, r) with a collision kind.
    MAPCELL& Cell(int c, int r) { return StageMap[layout.Cell(c, r)]; }
    void Solid(int c, int r, int kind = 1)
    {
        Cell(c, r).m_nGraphic = 1;
        Cell(c, r).m_nHitKind = static_cast<std::int8_t>(kind);
        Cell(c, r).m_nPassFaction = 255;
    }
    // A block character of w x h at (x, y), moving by (vx, vy) per sub-step; its previous box
    // is where it was before that move.
    cChara& AddBlock(int source, double x, double y, int w = 32, int h = 32, double vx = 0.0, double vy = 0.0)
    {
        cChara& c = CharaList.emplace_back();
        c.source = source;
        c.value2 = 1;
        c.def.m_bFullCell = 1;
        c.def.m_nScale = 1;
        c.active = 1;
        c.hp = 1;
        Resize(c, w, h, 1);
        Place(c, x - vx, y - vy);
        c.x = x;
        c.y = y;
        c.right = x + w - 1;
        c.bottom = y + h - 1;
        c.vx = vx;
        c.vy = vy;
        return c;
    }

    const MAPLAYOUT layout = MAPLAYOUT::ForStage(20, 15);
    int savedLandWhileRising = 0;
};

}  // namespace stagetest
