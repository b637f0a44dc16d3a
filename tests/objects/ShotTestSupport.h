// Shared by the shot tests: the running stage of ObjectsTest (40 x 30 tiles, camera at the stage's
// top-left corner, world (320, 320)), a command of a given kind with a shot record whose mirror
// flags are off, an owner character with a 32 x 32 box and graphic, and the shots of the stage.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ObjectsTestSupport.h"
#include "definitions/cEdCommand.h"
#include "definitions/cEdShot.h"
#include "objects/StageObjects.h"
#include "objects/flow/CommandInstance.h"
#include "objects/shot/cShot.h"
#include "project/cSystemData.h"

namespace shottest {

constexpr double kDeg = 3.14159265358979323846 / 180.0;
const double kK = 1.0 / std::sqrt(2.0);

// World position of the camera in these tests.
constexpr int kSx = 320;
constexpr int kSy = 320;

class ShotTest : public objectstest::ObjectsTest {
protected:
    cEdCommand command;
    COMMANDINSTANCE inst;
    int savedPlacement = 0;

    void SetUp() override
    {
        ObjectsTest::SetUp();
        savedPlacement = SystemData.bPlacementVariant;
        SystemData.bPlacementVariant = 0;
        SetKind(11);
        command.NewShot();
        Def().m_bMirrorAngle = 0;
        Def().m_bMirrorOffsetX = 0;
        Def().m_bOwnerFaction = 0;
        Def().m_nCount = 1;
        Def().m_nSpeed = 20;
        inst.command = &command;
    }

    void TearDown() override
    {
        SystemData.bPlacementVariant = savedPlacement;
        ClearShots();
        ObjectsTest::TearDown();
    }

    void SetKind(int nKind) { command.m_nKind = static_cast<std::int8_t>(nKind); }
    cEdShot& Def() { return *command.m_lpShot; }

    // A stage character with a 32 x 32 box and graphic at world (x, y), computer-operated, active
    // and in view, with its screen rectangle.
    static cChara& AddChara(int nSource, double x, double y, int nFacing, int nFaction)
    {
        cChara& c = CharaList.emplace_back();
        c.cGameObject::Init(cGameObject::INITVALUES{.nSource = nSource,
                                                    .nValue2 = 1,
                                                    .nFaction = nFaction,
                                                    .nHitWidth = 32,
                                                    .nHitHeight = 32,
                                                    .nGfxWidth = 32,
                                                    .nGfxHeight = 32,
                                                    .nFacing = nFacing,
                                                    .nFlightKind = 1});
        c.def.m_nFaction = static_cast<std::int8_t>(nFaction);
        c.x = x;
        c.y = y;
        c.ClampToStageX(2);
        c.ClampToStageY(2);
        c.active = 1;
        c.inView = 1;
        c.CalcScreenRect();
        if (lpStageField != nullptr) {
            lpStageField->m_CharaLayer[nFaction].push_back(&c);
        }
        return c;
    }

    // The hero with a 32 x 32 box at (x, y), object number 1, faction 0, player-operated.
    static cPlayer& SetupHero(double x, double y)
    {
        cPlayer& hero = Player[P1];
        hero.cGameObject::Init(cGameObject::INITVALUES{.nSource = 1,
                                                       .nHitWidth = 32,
                                                       .nHitHeight = 32,
                                                       .nGfxWidth = 32,
                                                       .nGfxHeight = 32,
                                                       .nFacing = 1,
                                                       .nFlightKind = 1});
        hero.x = x;
        hero.y = y;
        hero.ClampToStageX(2);
        hero.ClampToStageY(2);
        hero.active = 1;
        hero.inView = 1;
        hero.CalcScreenRect();
        return hero;
    }

    // Moves a character by (dx, dy) as its movement step would.
    static void MoveBy(cCharaBase& c, double dx, double dy)
    {
        c.x += dx;
        c.y += dy;
        c.ClampToStageX(2);
        c.ClampToStageY(2);
        c.CalcScreenRect();
    }

    std::vector<cShot*> Shots()
    {
        std::vector<cShot*> out;
        for (cShot& s : field.m_ShotList) {
            out.push_back(&s);
        }
        return out;
    }
};

}  // namespace shottest
