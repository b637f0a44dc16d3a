#include <gtest/gtest.h>

#include <string>

#include "ObjectsTestSupport.h"
#include "objects/StageSpeed.h"

namespace {

using objectstest::ObjectsTest;

struct Box {
    int offsetX;
    int offsetY;
    int width;
    int height;
};

struct SetupCase {
    const char* name;
    int flying;
    int fullCell;
    int rangeKind;
    int scale;
    Box hit;  // offsets and size of the hit box (graphic offsets = hit offsets)
    Box body;
    Box shot;
    int firstPattern;
};

// The stage's default character sizes: body 16 x 24 bottom-aligned (flying 16 x 16 centred),
// character range 12 x 24 bottom-aligned (flying 12 x 16 centred), character-versus-shot range
// 30 x 30, shot-versus-character range 16 x 16.
const SetupCase kSetupCases[] = {
    {"walking", 0, 0, 0, 1, {8, 8, 16, 24}, {2, 0, 12, 24}, {-7, -7, 30, 30}, 1},
    {"flying", 2, 0, 0, 1, {8, 8, 16, 16}, {2, 0, 12, 16}, {-7, -7, 30, 30}, 0},
    {"block character", 0, 1, 0, 1, {0, 0, 32, 32}, {0, 0, 32, 32}, {0, 0, 32, 32}, 1},
    {"range of shots", 0, 0, 1, 1, {8, 8, 16, 24}, {-7, -7, 30, 30}, {-7, -7, 30, 30}, 1},
    {"second body", 0, 0, 2, 1, {8, 8, 16, 24}, {0, 0, 16, 16}, {-7, -7, 30, 30}, 1},
    {"graphic size", 3, 0, 3, 1, {8, 8, 16, 16}, {-8, -8, 32, 32}, {-7, -7, 30, 30}, 0},
    {"doubled", 0, 0, 0, 2, {16, 16, 32, 48}, {4, 0, 24, 48}, {-14, -14, 60, 60}, 1},
    {"doubled block character", 0, 1, 0, 2, {0, 0, 64, 64}, {0, 0, 64, 64}, {0, 0, 64, 64}, 1},
};

class CharaSetup : public ObjectsTest, public ::testing::WithParamInterface<SetupCase> {};

TEST_P(CharaSetup, FromTheDefinitionAndTheStageSizes)
{
    const SetupCase& c = GetParam();
    cEdChara d;
    d.m_nFlying = static_cast<std::int8_t>(c.flying);
    d.m_bFullCell = static_cast<std::int8_t>(c.fullCell);
    d.m_nRangeKind = static_cast<std::int8_t>(c.rangeKind);
    d.m_nScale = static_cast<std::int8_t>(c.scale);
    cChara chara;
    chara.InitFromTemplate(1, d, nullptr, 0, 0, 0);
    EXPECT_EQ(chara.gfxOffsetX, c.hit.offsetX);
    EXPECT_EQ(chara.gfxOffsetY, c.hit.offsetY);
    EXPECT_EQ(chara.hitWidth, c.hit.width);
    EXPECT_EQ(chara.hitHeight, c.hit.height);
    EXPECT_EQ(chara.gfxWidth, 32 * c.scale);
    EXPECT_EQ(chara.bodyBox.offsetX, c.body.offsetX);
    EXPECT_EQ(chara.bodyBox.offsetY, c.body.offsetY);
    EXPECT_EQ(chara.bodyBox.width, c.body.width);
    EXPECT_EQ(chara.bodyBox.height, c.body.height);
    EXPECT_EQ(chara.shotBox.offsetX, c.shot.offsetX);
    EXPECT_EQ(chara.shotBox.offsetY, c.shot.offsetY);
    EXPECT_EQ(chara.shotBox.width, c.shot.width);
    EXPECT_EQ(chara.shotBox.height, c.shot.height);
    EXPECT_EQ(chara.baseHitWidth * c.scale, c.hit.width);
    EXPECT_EQ(chara.noGravity, c.flying != 0 ? 1 : 0);
    EXPECT_EQ(chara.anime.pattern, c.firstPattern);
}

INSTANTIATE_TEST_SUITE_P(Definitions, CharaSetup, ::testing::ValuesIn(kSetupCases),
                         [](const ::testing::TestParamInfo<SetupCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (ch == ' ') {
                                     ch = '_';
                                 }
                             }
                             return name;
                         });

using CharaTest = ObjectsTest;

TEST_F(CharaTest, SetUpTakesStatusSettingsAndTargetsTheHeroOnce)
{
    SetSpeed(3, 0.5);
    Player[P1].source = 0;
    cEdChara d;
    d.m_nScale = 0;
    d.m_nMaxHp = 40;
    d.m_nMaxSp = 12;
    d.m_nBrake = 30;
    d.m_nViewRange = 5;
    d.m_bScrollSync = 1;
    d.m_nController = 1;
    d.m_nCharaOpt26 = 2;
    d.m_nFaction = 4;
    d.m_nDirection = 1;
    d.m_nGraphic = 77;
    CharaList.emplace_back();
    cChara& chara = CharaList.back();
    chara.InitFromTemplate(5, d, nullptr, 100, 200, 2);
    EXPECT_EQ(d.m_nScale, 1);
    EXPECT_EQ(chara.source, 5);
    EXPECT_EQ(chara.hp, 40);
    EXPECT_EQ(chara.sp, 12);
    EXPECT_DOUBLE_EQ(chara.decel, 30 * 0.01 / 9.0);
    EXPECT_EQ(chara.viewRange, 80);
    EXPECT_EQ(chara.syncScroll, 1);
    EXPECT_EQ(chara.value2, 1);
    EXPECT_EQ(chara.value3, 2);
    EXPECT_EQ(chara.faction, 4);
    EXPECT_EQ(chara.facing, 1);
    EXPECT_EQ(chara.pictureNumber, 77);
    EXPECT_EQ(chara.memberIndex, 2);
    EXPECT_EQ(chara.spawnX, 100);
    EXPECT_EQ(chara.airborne, 1);
    EXPECT_EQ(chara.lastWallSide, -1);
    EXPECT_EQ(chara.charaVars.size(), 9u);
    EXPECT_EQ(chara.target, CharaRef(0));
    // A second set-up starts from nothing of the first life.
    chara.extraAnimes.emplace_back();
    chara.dying = 1;
    chara.invincibleTime = 9;
    chara.InitFromTemplate(5, d, nullptr, 100, 200, 2);
    EXPECT_EQ(Player[P1].targetedBy.Count(5), 1);
    EXPECT_TRUE(chara.extraAnimes.empty());
    EXPECT_EQ(chara.dying, 0);
    EXPECT_EQ(chara.invincibleTime, 0);
}

TEST_F(CharaTest, ActivationModesAndTheStayActiveFlag)
{
    const int expected[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (int mode = 0; mode < 4; ++mode) {
        cEdChara d;
        d.m_nActiveRange = static_cast<std::int8_t>(mode);
        cChara chara;
        chara.InitFromTemplate(1, d, nullptr, 0, 0, 0);
        EXPECT_EQ(chara.skipViewX, expected[mode][0]) << mode;
        EXPECT_EQ(chara.skipViewY, expected[mode][1]) << mode;
    }

    // Far right of the view (the view shows field x 320..959).
    cEdChara d;
    d.m_nActiveRange = 3;
    d.m_nPresenceMode = 1;
    d.m_bSwitchAppear = 1;
    d.m_nSwitch = 5;
    cChara everywhere;
    everywhere.InitFromTemplate(1, d, nullptr, 0, 0, 0);
    everywhere.SetGridPos(35, 5);
    cVector<std::uint8_t>& links = field.m_LinkFlag;
    EXPECT_FALSE(everywhere.IsInView());
    EXPECT_EQ(everywhere.CheckAppearance(links), 1);
    EXPECT_EQ(links[5], 1);
    EXPECT_EQ(everywhere.CheckStartAction(links), 1);
    EXPECT_EQ(everywhere.started, 1);

    d.m_nActiveRange = 0;
    cChara stays;
    stays.InitFromTemplate(2, d, nullptr, 0, 0, 0);
    stays.SetGridPos(5, 5);
    EXPECT_EQ(stays.CheckAppearance(links), 1);
    EXPECT_EQ(stays.CheckStartAction(links), 1);
    stays.SetGridPos(35, 5);
    EXPECT_EQ(stays.CheckAppearance(links), 1);

    d.m_nPresenceMode = 0;
    d.m_bSwitchAppear = 0;
    cChara onScreenOnly;
    onScreenOnly.InitFromTemplate(3, d, nullptr, 0, 0, 0);
    onScreenOnly.SetGridPos(35, 5);
    EXPECT_EQ(onScreenOnly.CheckAppearance(links), 0);
    EXPECT_EQ(onScreenOnly.CheckStartAction(links), 0);
    // A walker that started acting goes on while it is in the air.
    onScreenOnly.started = 1;
    EXPECT_EQ(onScreenOnly.CheckStartAction(links), 1);
    onScreenOnly.airborne = 0;
    EXPECT_EQ(onScreenOnly.CheckStartAction(links), 0);
    // A linked character acts when another of its link appeared.
    d.m_bSwitchAppear = 1;
    d.m_nSwitch = 5;
    cChara linked;
    linked.InitFromTemplate(4, d, nullptr, 0, 0, 0);
    linked.SetGridPos(35, 5);
    EXPECT_EQ(linked.CheckAppearance(links), 0);
    EXPECT_EQ(linked.CheckStartAction(links), 1);
    // A link number beyond the flags is no link.
    d.m_nSwitch = 60;
    cChara badLink;
    badLink.InitFromTemplate(5, d, nullptr, 0, 0, 0);
    badLink.SetGridPos(5, 5);
    EXPECT_EQ(badLink.CheckAppearance(links), 1);
    EXPECT_EQ(badLink.CheckStartAction(links), 1);
}

TEST_F(CharaTest, GridPositionHalfAPixelRightOfTheCell)
{
    struct Case {
        int fullCell;
        int scale;
        int grow;
        double x;
        double y;
    };
    const Case cases[] = {
        {1, 1, 0, 320.5, 320},
        {0, 1, 0, 320 + 8 + 0.5, 328},
        // Doubled: 8 pixels further left (half the base hit width) and the feet kept on the cell's bottom.
        {0, 2, 0, 320.5, 328 - 32 + 8},
        {0, 2, 1, 320.5, 328 - 24},
    };
    for (const Case& c : cases) {
        SystemData.bResizeVariant = c.grow;
        cEdChara d;
        d.m_bFullCell = static_cast<std::int8_t>(c.fullCell);
        d.m_nScale = static_cast<std::int8_t>(c.scale);
        cChara chara;
        chara.InitFromTemplate(1, d, nullptr, 0, 0, 0);
        chara.SetGridPos(0, 0);
        EXPECT_DOUBLE_EQ(chara.x, c.x);
        EXPECT_DOUBLE_EQ(chara.y, c.y);
        EXPECT_DOUBLE_EQ(chara.right, c.x + chara.hitWidth - 1);
        EXPECT_EQ(chara.bodyBox.left, static_cast<int>(c.x) + chara.bodyBox.offsetX);
        EXPECT_EQ(chara.shotBox.bottom, static_cast<int>(c.y) + chara.shotBox.offsetY + chara.shotBox.height - 1);
    }
}

TEST_F(CharaTest, MovementStepsReportLeavingTheStageAndTheField)
{
    cEdChara d;
    cChara walker;
    walker.InitFromTemplate(1, d, nullptr, 0, 0, 0);
    walker.SetGridPos(5, 29);  // the stage's last row
    walker.vy = 5;
    EXPECT_EQ(walker.MoveStepY(), 7);

    d.m_nFlying = 1;
    cChara flyer;
    flyer.InitFromTemplate(2, d, nullptr, 0, 0, 0);
    flyer.SetGridPos(5, -10);  // the field's first row
    flyer.y = 2;
    flyer.vy = -5;
    EXPECT_EQ(flyer.MoveStepY(), 8);
    EXPECT_EQ(flyer.y, 0.0);
    flyer.SetGridPos(-10, 5);
    flyer.x = 2;
    flyer.vx = -5;
    EXPECT_EQ(flyer.MoveStepX(), 4);
    flyer.SetGridPos(-1, 5);
    flyer.vx = -1;
    EXPECT_EQ(flyer.MoveStepX(), 2);

    // Knock-back replaces the speed; inertia decays and adds to it.
    flyer.SetGridPos(10, 10);
    const double x0 = flyer.x;
    flyer.vx = 0;
    flyer.ax = 1.0;
    flyer.decel = 0.25;
    flyer.decayX = 1;
    flyer.MoveStepX();
    EXPECT_DOUBLE_EQ(flyer.ax, 0.75);
    EXPECT_DOUBLE_EQ(flyer.x, x0 + 0.75);
    flyer.knockX = -2.0;
    flyer.MoveStepX();
    EXPECT_DOUBLE_EQ(flyer.x, x0 - 1.25);
}

TEST_F(CharaTest, FlowRunSetsTheBaseVelocityResetsAndTheIdlePattern)
{
    field.m_ScrollX.dSpeed = 0.5;
    field.m_ScrollY.dSpeed = 0.25;
    cEdChara d;
    d.m_bScrollSync = 1;
    d.m_nFlying = 1;
    cChara chara;
    chara.InitFromTemplate(1, d, nullptr, 0, 0, 0);
    chara.hp = 3;
    chara.frameCountdown = 2;
    chara.moveStopped = 1;
    chara.flowGroupChanged = 1;
    chara.flowGroupEnded[4] = 1;
    chara.flowGroupRunning[4] = 1;
    chara.flowGroupRunning[5] = 1;
    EXPECT_EQ(chara.RunFlows(0), 0);
    EXPECT_EQ(chara.vx, 0.5);
    EXPECT_EQ(chara.vy, 0.25);
    EXPECT_EQ(chara.frameCountdown, 1);
    EXPECT_EQ(chara.moveStopped, 0);
    EXPECT_EQ(chara.decayX, 1);
    EXPECT_EQ(chara.flowGroupRunning[4], 0);
    EXPECT_EQ(chara.flowGroupRunning[5], 1);
    EXPECT_EQ(chara.flowGroupChanged, 0);
    EXPECT_EQ(chara.anime.pattern, 2);
    EXPECT_EQ(field.m_pCurrentObject, nullptr);

    field.m_ScrollX.bAtLimit = 1;
    chara.hp = 0;
    EXPECT_EQ(chara.RunFlows(0), 1);
    EXPECT_EQ(chara.vx, 0.0);

    // A walker keeps its falling speed; moving keeps its pattern.
    cEdChara w;
    cChara walker;
    walker.InitFromTemplate(2, w, nullptr, 0, 0, 0);
    walker.hp = 1;
    walker.vy = 3;
    walker.ax = 0.5;
    walker.RunFlows(0);
    EXPECT_EQ(walker.vy, 3);
    EXPECT_EQ(walker.anime.pattern, 1);
    SystemData.bScrollSyncVariant = 1;
    chara.RunFlows(0);
    EXPECT_EQ(chara.vx, 0.0);
    EXPECT_EQ(chara.vy, 0.0);
}

TEST_F(CharaTest, AnimationSetBuildsOneLoopingPatternPerMotion)
{
    cDbAnimeSet& set = Database.AnimeSet[0];
    set.MotionList.resize(2);
    set.MotionList[0].FrameList.resize(2);
    set.MotionList[0].FrameList[0].nCell = 3;
    set.MotionList[0].FrameList[0].nTime = 2;
    set.MotionList[0].FrameList[1].nCell = 4;
    set.MotionList[0].FrameList[1].nTime = 1;
    set.MotionList[1].FrameList.clear();
    cEdChara d;
    cChara chara;
    chara.InitFromTemplate(1, d, nullptr, 0, 0, 0);
    ASSERT_EQ(chara.anime.patterns.size(), 2u);
    const cVector<PATTERNSTEP>& first = chara.anime.patterns[0];
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0], (PATTERNSTEP{3, 12, 1}));
    EXPECT_EQ(first[1], (PATTERNSTEP{4, 6, 1}));
    EXPECT_EQ(first[2], (PATTERNSTEP{kPatternLoop, 0, 1}));
    // Motion 1 has no frames: cell 0, never stepping.
    EXPECT_EQ(chara.anime.pattern, 1);
    EXPECT_EQ(chara.anime.Step(), 0);

    chara.anime.SetPattern(0, 1);
    chara.anime.Step();
    set.MotionList[0].FrameList[0].nCell = 9;
    chara.SetAnimeSet(0, 0);
    EXPECT_EQ(chara.anime.patterns[0][0].nFrame, 3);
    EXPECT_EQ(chara.anime.tick, 1);
    chara.SetAnimeSet(0, 1);
    EXPECT_EQ(chara.anime.patterns[0][0].nFrame, 9);
    EXPECT_EQ(chara.anime.pattern, 0);
    EXPECT_EQ(chara.anime.tick, 0);
}

TEST_F(CharaTest, JumpOnlyFromTheGround)
{
    cEdChara d;
    cChara chara;
    chara.InitFromTemplate(1, d, nullptr, 0, 0, 0);
    chara.LaunchJump(-6.0, 0);
    EXPECT_EQ(chara.vy, 0.0);
    chara.airborne = 0;
    chara.onFoothold = 1;
    chara.LaunchJump(-6.0, 0);
    EXPECT_EQ(chara.vy, -6.0);
    EXPECT_EQ(chara.jumped, 1);
    EXPECT_EQ(chara.jumpRiseOver, 1);
    EXPECT_EQ(chara.onFoothold, 0);
    chara.vy = 0;
    chara.LaunchJump(-6.0, 0);
    EXPECT_EQ(chara.vy, 0.0);
}

TEST_F(CharaTest, TheJumpSlotLaunchesWithTheInstancesSpeed)
{
    cEdChara d;
    cChara chara;
    chara.InitFromTemplate(1, d, nullptr, 0, 0, 0);
    chara.airborne = 0;
    cEdCommand command;
    COMMANDINSTANCE inst;
    inst.command = &command;
    inst.speed = -4.5;
    cCharaBase& base = chara;
    base.Jump(nullptr);
    EXPECT_EQ(chara.vy, 0.0) << "no instance, no jump";
    base.Jump(&inst);
    EXPECT_EQ(chara.vy, -4.5);
    EXPECT_EQ(chara.jumped, 1);
    chara.vy = 0.0;
    base.Jump(&inst);
    EXPECT_EQ(chara.vy, 0.0) << "one jump until it lands";
}

TEST_F(CharaTest, SetUpInsertsTheDefinitionsFlowsForEachMember)
{
    // Two flows; the second's command lasts 5 tenths plus 3 per member: member 2 of a group at
    // b = 10 sub-steps runs it (5 + 3 x 2) x 6 x 10 sub-steps.
    cEdChara d;
    d.m_Flow.resize(2);
    d.m_Flow[0].m_nTrigger = 0;
    d.m_Flow[1].m_nTrigger = 4;
    cEdCommand wait;
    wait.m_nKind = 1;
    wait.m_nTime = 5;
    wait.m_nTimeStep = 3;
    d.m_Flow[1].m_Command.push_back(wait);
    cEdChara heroDef = d;
    heroDef.m_nController = 0;
    Player[P1].InitFromTemplate(0, heroDef, 0, 0);
    cChara chara;
    chara.InitFromTemplate(1, d, nullptr, 0, 0, 2);
    for (cCharaBase* c : {static_cast<cCharaBase*>(&chara), static_cast<cCharaBase*>(&Player[P1])}) {
        ASSERT_EQ(c->flows.size(), 2u);
        ASSERT_EQ(c->def.m_Flow.size(), 2u);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(c->flows[i].index, i);
            EXPECT_EQ(c->flows[i].serial, i);
            EXPECT_EQ(c->flows[i].flow, &c->def.m_Flow[i]) << "linked to its own copy";
            EXPECT_EQ(c->flows[i].running, 0);
        }
        EXPECT_EQ(c->flowSerial, 2);
        ASSERT_EQ(c->flows[1].commands.size(), 1u);
        EXPECT_EQ(c->flows[1].commands[0].command, &c->def.m_Flow[1].m_Command[0]);
    }
    EXPECT_EQ(chara.flows[1].commands[0].duration, (5 + 3 * 2) * 6 * 10);
    EXPECT_EQ(Player[P1].flows[1].commands[0].duration, 5 * 6 * 10) << "the hero is member 0";
}

TEST_F(CharaTest, EraseClearsEveryLinkAndLeavesItsGroup)
{
    cEdChara hero;
    hero.m_nController = 0;
    Player[P1].InitFromTemplate(0, hero, 0, 0);
    cEdChara d;
    d.m_nFaction = 2;
    for (int source = 1; source <= 3; ++source) {
        CharaList.emplace_back();
        CharaList.back().InitFromTemplate(source, d, nullptr, 0, 0, 0);
        field.m_CharaLayer[2].push_back(&CharaList.back());
    }
    auto it = CharaList.begin();
    cChara& a = *it;
    cChara& b = *std::next(it);
    cChara& c = *std::next(it, 2);
    b.target = CharaRef(a.source);
    a.targetedBy.push_back(b.source);
    c.target = CharaRef(c.source);
    c.targetedBy.push_back(c.source);
    ASSERT_EQ(Player[P1].targetedBy.Count(1), 1);

    auto next = EraseChara(CharaList, it);
    EXPECT_EQ(&*next, &b);
    EXPECT_TRUE(b.target.IsNone());
    EXPECT_EQ(Player[P1].targetedBy.Count(1), 0);
    EXPECT_EQ(CharaList.size(), 2u);
    EXPECT_EQ(field.m_CharaLayer[2].size(), 2u);
    EXPECT_EQ(field.m_CharaLayer[2].front(), &b);
    EXPECT_EQ(FindCharaBySource(1), nullptr);

    // One that targets itself is gone with its own links.
    next = EraseChara(CharaList, std::next(CharaList.begin()));
    EXPECT_EQ(next, CharaList.end());
    EXPECT_EQ(FindCharaBySource(3), nullptr);
    EXPECT_EQ(field.m_CharaLayer[2].size(), 1u);
    EXPECT_EQ(FindCharaBySource(2), &b);
    EXPECT_EQ(FindCharaBySource(0), &Player[P1]);
}

}  // namespace
