// The flow, stage, target and status commands: the flow operation over a scripted owner's flows,
// and the bodies on a small running stage -- the stage clear's next stage, world-map position and
// carried start, the target choice with its back-links, the status flags with their ranges, the
// item get (its result, and item gets that get themselves), the game wait and the run of code.
#include <gtest/gtest.h>

#include <algorithm>

#include "FlowTestSupport.h"
#include "ItemsTestSupport.h"
#include "definitions/cEdCommonPalette.h"
#include "definitions/cEdStage.h"
#include "objects/commands/CommandDispatch.h"
#include "objects/commands/FlowStageCommands.h"
#include "objects/flow/CommandTable.h"
#include "objects/item/ItemCommandTable.h"
#include "project/DerivedTables.h"
#include "project/cSaveData.h"
#include "project/cWorldMap.h"

namespace {

constexpr int kFlowOperation = 16;

struct FLOWOPCASE {
    const char* szName;
    int nOperation;
    int nScope;
    int nId;
    // Per flow (0 runs the command; 1 has ID 0; 2 has ID 7): running, paused, stopped, toDelete.
    int expect[3][4];
    int bBreak;  // the running flow's step ended after the command
};

TEST(FlowStageCommandsTest, FlowOperationActsOnTheFlowsOfItsScope)
{
    const FLOWOPCASE cases[] = {
        {"end this flow", 1, 0, 0, {{0, 0, 0, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}}, 1},
        {"pause every other flow", 2, 1, 0, {{1, 0, 0, 0}, {1, 1, 0, 0}, {1, 1, 0, 0}}, 0},
        {"pause by ID", 2, 2, 7, {{1, 0, 0, 0}, {1, 0, 0, 0}, {1, 1, 0, 0}}, 0},
        {"ID 0 names no flow", 2, 2, 0, {{1, 0, 0, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}}, 0},
        {"delete the others", 4, 1, 0, {{1, 0, 0, 0}, {1, 0, 0, 1}, {1, 0, 0, 1}}, 0},
        {"stop this flow for good", 5, 0, 0, {{1, 0, 1, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}}, 1},
        {"end by ID", 1, 2, 7, {{1, 0, 0, 0}, {1, 0, 0, 0}, {0, 0, 0, 0}}, 0},
        {"unknown operation", 9, 1, 0, {{1, 0, 0, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}}, 0},
        {"unknown scope", 1, 3, 0, {{1, 0, 0, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}}, 0},
    };
    InstallActionCommands();
    for (const FLOWOPCASE& c : cases) {
        SCOPED_TRACE(c.szName);
        cTestFlowOwner owner;
        owner.AddFlow(0, {{kFlowOperation, 1, 1}, {1, 5, 0}});
        owner.AddFlow(0, {{1, 5, 0}});
        owner.AddFlow(0, {{1, 5, 0}}, 0, 7);
        cEdCommand& op = owner.defs[0].m_Command[0];
        op.m_Param[0] = c.nOperation;
        op.m_Param[1] = c.nScope;
        op.m_Param[2] = c.nId;
        for (int f = 0; f < 3; ++f) cFlowRuntime::Start(owner, f);
        cFlowRuntime::Step(owner, 0);
        for (int f = 0; f < 3; ++f) {
            const FLOWINSTANCE& flow = owner.state.flows[f];
            EXPECT_EQ(flow.running, c.expect[f][0]) << "flow " << f;
            EXPECT_EQ(flow.paused, c.expect[f][1]) << "flow " << f;
            EXPECT_EQ(flow.stoppedForever, c.expect[f][2]) << "flow " << f;
            EXPECT_EQ(flow.toDelete, c.expect[f][3]) << "flow " << f;
        }
        EXPECT_EQ(owner.state.flowDeletePending, c.expect[1][3]);
        // The immediate command after the operation runs in the same step unless the flow broke off.
        EXPECT_EQ(owner.state.flows[0].commands[1].remain != 0, c.bBreak == 0 && c.expect[0][0] == 1);
    }
    CommandFuncTable::Clear();
}

TEST(FlowStageCommandsTest, AFlowThatStartsItselfBeginsAgainNextStep)
{
    InstallActionCommands();
    cTestFlowOwner owner;
    owner.AddFlow(0, {{1, 2, 0}, {kFlowOperation, 1, 0}});
    owner.defs[0].m_Command[1].m_Param[0] = 0;  // start, this flow
    cFlowRuntime::Start(owner, 0);
    int nFinished = 0;
    for (int i = 0; i < 3; ++i) nFinished += cFlowRuntime::Step(owner, 0);
    EXPECT_EQ(nFinished, 0);
    EXPECT_EQ(owner.state.flows[0].running, 1);
    EXPECT_EQ(owner.state.flows[0].current, 0);
    EXPECT_EQ(owner.state.flows[0].commands[1].done, 0);
    CommandFuncTable::Clear();
}

class StageCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = SaveData;
        savedMapW = WorldMap.nWidth;
        savedMapH = WorldMap.nHeight;
        savedCommon = CommonPalette.m_PaletteItem;
        savedStage = Stage.m_PaletteItem;
    }
    void TearDown() override
    {
        SaveData = saved;
        WorldMap.nWidth = savedMapW;
        WorldMap.nHeight = savedMapH;
        CommonPalette.m_PaletteItem = savedCommon;
        Stage.m_PaletteItem = savedStage;
    }
    cSaveData saved;
    int savedMapW = 0;
    int savedMapH = 0;
    cVector<cEdItem> savedCommon;
    cVector<cEdItem> savedStage;
};

struct CLEARCASE {
    const char* szName;
    std::initializer_list<std::pair<int, int>> params;
    int nNextStage;
    int nMapX, nMapY;  // -1: unchanged
    int bStartPos, nStartX, nStartY, nStartDir;
};

TEST_F(StageCommandsTest, StageClearSetsTheNextStageTheMapAndTheCarriedStart)
{
    const CLEARCASE cases[] = {
        {"the following stage", {{0, 0}}, 4, -1, -1, 0, 0, 0, 0},
        {"stage by number", {{0, 1}, {1, 5}}, 5, -1, -1, 0, 0, 0, 0},
        {"world clear", {{0, 2}}, 0, -1, -1, 0, 0, 0, 0},
        {"map position inside", {{2, 1}, {3, 3}, {4, 2}}, 4, 3, 2, 0, 0, 0, 0},
        {"map position beyond the map", {{2, 1}, {3, 9}, {4, 20}}, 4, 4, 3, 0, 0, 0, 0},
        {"negative map position onto the edge", {{2, 1}, {3, -3}, {4, -1}}, 4, 0, 0, 0, 0, 0, 0},
        {"carried start facing right", {{5, 1}, {6, 7}, {7, 8}, {8, 1}}, 4, -1, -1, 1, 7, 8, 1},
        {"carried start with the hero's facing", {{5, 1}, {6, 2}, {7, 3}, {8, 2}}, 4, -1, -1, 1, 2, 3, 0},
    };
    for (const CLEARCASE& c : cases) {
        SCOPED_TRACE(c.szName);
        cItemsTestStage stage;
        cPlayer& hero = stage.Hero(400, 400);
        hero.facing = 0;
        WorldMap.nWidth = 5;
        WorldMap.nHeight = 4;
        SaveData.nStageNo = 7;  // the world; the following stage counts within it
        SaveData.nWorldStage = 3;
        SaveData.nMapX = 1;
        SaveData.nMapY = 1;
        SaveData.bStartPos = 1;
        EXPECT_EQ(StageClearCommand(hero, cItemsTestStage::Command(17, 9, c.params)), 1);
        EXPECT_EQ(stage.field.nNextStage, c.nNextStage);
        EXPECT_EQ(SaveData.nMapX, c.nMapX < 0 ? 1 : c.nMapX);
        EXPECT_EQ(SaveData.nMapY, c.nMapY < 0 ? 1 : c.nMapY);
        EXPECT_EQ(SaveData.bStartPos, c.bStartPos);
        if (c.bStartPos) {
            EXPECT_EQ(SaveData.nStartX, c.nStartX);
            EXPECT_EQ(SaveData.nStartY, c.nStartY);
            EXPECT_EQ(SaveData.nStartDir, c.nStartDir);
        }
    }
}

// A flow owner for one stage character.
class cCharaOwner : public cTestFlowOwner {
public:
    cCharaBase* chara = nullptr;
    cCharaBase* Chara() override { return chara; }
};

TEST_F(StageCommandsTest, StageClearThroughTheTableRequestsTheClearButNeverLowersARequest)
{
    const struct {
        int nPending;
        int nExpected;
    } cases[] = {{0, 1}, {1, 1}, {2, 1}};  // a clear outranks a pending death
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPending);
        cItemsTestStage stage;
        cCharaOwner owner;
        owner.chara = &stage.AddChara(100, 1, 400, 400);
        owner.AddFlow(0, {{17, 1, 0}});
        owner.defs[0].m_Command[0].m_Param[0] = 1;
        owner.defs[0].m_Command[0].m_Param[1] = 6;
        stage.field.m_nResult = c.nPending;
        cFlowRuntime::Start(owner, 0);
        cFlowRuntime::Step(owner, 0);
        EXPECT_EQ(stage.field.m_nResult, c.nExpected);
        EXPECT_EQ(stage.field.nNextStage, 6);
    }
}

TEST_F(StageCommandsTest, TargetChoiceKeepsTheBackLinks)
{
    cItemsTestStage stage;
    cPlayer& hero = stage.Hero(640, 480);
    cChara& self = stage.AddChara(100, 1, 400, 400);
    cChara& nearFoe = stage.AddChara(101, 2, 440, 400, 5);  // 40 pixels away
    cChara& farFoe = stage.AddChara(102, 3, 400, 560, 5);   // 160 away
    cChara& other = stage.AddChara(103, 2, 700, 700, 9);
    auto targetedBy = [](const cCharaBase& c) {
        return static_cast<int>(std::count(c.targetedBy.begin(), c.targetedBy.end(), 100));
    };

    TargetCommand(self, cItemsTestStage::Command(21, 10, {{0, 0}}));
    EXPECT_EQ(self.target, CharaRef(hero.source));
    TargetCommand(self, cItemsTestStage::Command(21, 10, {{0, 0}}));
    EXPECT_EQ(targetedBy(hero), 1) << "listed once however often it is chosen";

    // Nearest over every faction (mode 1: every active character), itself excluded.
    TargetCommand(self, cItemsTestStage::Command(21, 10, {{0, 2}, {2, 1}, {3, 1}, {4, 1}}));
    EXPECT_EQ(self.target, CharaRef(nearFoe.source));
    EXPECT_EQ(targetedBy(hero), 0);
    EXPECT_EQ(targetedBy(nearFoe), 1);

    // Nearest within faction 3 only.
    TargetCommand(self, cItemsTestStage::Command(21, 10, {{0, 2}, {1, 3}, {3, 1}}));
    EXPECT_EQ(self.target, CharaRef(farFoe.source));

    // By ID 9 over every faction.
    TargetCommand(self, cItemsTestStage::Command(21, 10, {{0, 3}, {2, 1}, {8, 1}, {9, 9}}));
    EXPECT_EQ(self.target, CharaRef(other.source));
    EXPECT_EQ(targetedBy(farFoe), 0);
    EXPECT_EQ(targetedBy(other), 1);

    // An empty faction while other factions hold characters leaves no target; so does an ID
    // nobody has.
    TargetCommand(self, cItemsTestStage::Command(21, 10, {{0, 3}, {1, 7}, {8, 1}, {9, 9}}));
    EXPECT_TRUE(self.target.IsNone());
    EXPECT_EQ(targetedBy(other), 0);
    TargetCommand(self, cItemsTestStage::Command(21, 10, {{0, 3}, {2, 1}, {8, 1}, {9, 9}}));
    ASSERT_EQ(self.target, CharaRef(other.source));
    TargetCommand(self, cItemsTestStage::Command(21, 10, {{0, 3}, {2, 1}, {8, 1}, {9, 42}}));
    EXPECT_TRUE(self.target.IsNone());
    EXPECT_EQ(targetedBy(other), 0);

    // A faction outside 0..7 from the stage data is no list.
    TargetCommand(self, cItemsTestStage::Command(21, 10, {{0, 2}, {1, 12}, {3, 1}}));
    EXPECT_TRUE(self.target.IsNone());
    TargetCommand(self, cItemsTestStage::Command(21, 10, {{0, 1}}));
    EXPECT_EQ(self.target, CharaRef(self.source));

    // Only when all eight faction lists are empty does the search by ID keep the old target,
    // with or without the every-faction switch.
    for (CHARAGROUP& list : stage.field.m_CharaLayer) list.clear();
    TargetCommand(self, cItemsTestStage::Command(21, 10, {{0, 3}, {1, 2}, {8, 1}, {9, 9}}));
    EXPECT_EQ(self.target, CharaRef(self.source));
    TargetCommand(self, cItemsTestStage::Command(21, 10, {{0, 3}, {2, 1}, {8, 1}, {9, 9}}));
    EXPECT_EQ(self.target, CharaRef(self.source));
}

struct STATUS2CASE {
    const char* szName;
    int nSubject;
    int nItem;
    int v;
    std::function<void(const cChara&, const cPlayer&, const cItemsTestField&)> check;
};

TEST_F(StageCommandsTest, StatusOperation2KeepsTheFlagsWrittenAndBoundsTheSize)
{
    const STATUS2CASE cases[] = {
        {"vanish", 0, 0, 1,
         [](const cChara& c, const cPlayer&, const cItemsTestField& f) {
             EXPECT_EQ(c.vanished, 1);
             EXPECT_EQ(f.m_bHpCheck, 0);
         }},
        {"transparent", 0, 1, 1,
         [](const cChara& c, const cPlayer&, const cItemsTestField&) { EXPECT_EQ(c.def.m_bTransparent, 1); }},
        {"transparent 5 stays 5", 0, 1, 5,
         [](const cChara& c, const cPlayer&, const cItemsTestField&) { EXPECT_EQ(c.def.m_bTransparent, 5); }},
        {"fixed facing", 0, 2, 1,
         [](const cChara& c, const cPlayer&, const cItemsTestField&) { EXPECT_EQ(c.def.m_nDirectionFix, 1); }},
        {"fixed facing 2 stays 2", 0, 2, 2,
         [](const cChara& c, const cPlayer&, const cItemsTestField&) { EXPECT_EQ(c.def.m_nDirectionFix, 2); }},
        {"flight on an ordinary character changes nothing", 0, 3, 1,
         [](const cChara& c, const cPlayer& h, const cItemsTestField&) {
             EXPECT_EQ(c.noGravity, 1);
             EXPECT_EQ(h.noGravity, 0);
         }},
        {"invincible 7 stays 7", 0, 4, 7,
         [](const cChara& c, const cPlayer&, const cItemsTestField&) { EXPECT_EQ(c.def.m_nInvincible, 7); }},
        {"invincible -1 stays -1", 0, 4, -1,
         [](const cChara& c, const cPlayer&, const cItemsTestField&) { EXPECT_EQ(c.def.m_nInvincible, -1); }},
        {"size 2 doubles the box", 0, 5, 2,
         [](const cChara& c, const cPlayer&, const cItemsTestField&) {
             EXPECT_EQ(c.def.m_nScale, 2);
             EXPECT_EQ(c.hitWidth, 64);
         }},
        {"size 0 is size 1", 0, 5, 0,
         [](const cChara& c, const cPlayer&, const cItemsTestField&) {
             EXPECT_EQ(c.def.m_nScale, 1);
             EXPECT_EQ(c.hitWidth, 32);
         }},
        {"size 30 is size 10", 0, 5, 30,
         [](const cChara& c, const cPlayer&, const cItemsTestField&) {
             EXPECT_EQ(c.def.m_nScale, 10);
             EXPECT_EQ(c.hitWidth, 320);
         }},
        {"scroll sync", 0, 6, 1,
         [](const cChara& c, const cPlayer&, const cItemsTestField&) {
             EXPECT_EQ(c.def.m_bScrollSync, 1);
             EXPECT_EQ(c.syncScroll, 1);
         }},
        {"scroll sync 3 stays 3", 0, 6, 3,
         [](const cChara& c, const cPlayer&, const cItemsTestField&) {
             EXPECT_EQ(c.def.m_bScrollSync, 3);
             EXPECT_EQ(c.syncScroll, 3);
         }},
        {"the target (the hero) vanishes by dying", 1, 0, 1,
         [](const cChara& c, const cPlayer& h, const cItemsTestField& f) {
             EXPECT_EQ(h.hp, 0);
             EXPECT_EQ(h.vanished, 0);
             EXPECT_EQ(c.vanished, 0);
             EXPECT_EQ(f.m_bHpCheck, 1);
         }},
        {"the hero's flight", 1, 3, 1,
         [](const cChara&, const cPlayer& h, const cItemsTestField&) { EXPECT_EQ(h.noGravity, 1); }},
        {"system horizontal auto-scroll", 2, 0, 1,
         [](const cChara&, const cPlayer&, const cItemsTestField& f) {
             EXPECT_EQ(Stage.m_bAutoScrollX, 1);
             EXPECT_EQ(f.m_ScrollX.bAuto, 1);
         }},
        {"system horizontal auto-scroll 2 stays 2", 2, 0, 2,
         [](const cChara&, const cPlayer&, const cItemsTestField& f) {
             EXPECT_EQ(Stage.m_bAutoScrollX, 2);
             EXPECT_EQ(f.m_ScrollX.bAuto, 1);
         }},
        {"system horizontal auto-scroll -1 is on", 2, 0, -1,
         [](const cChara&, const cPlayer&, const cItemsTestField& f) {
             EXPECT_EQ(Stage.m_bAutoScrollX, -1);
             EXPECT_EQ(f.m_ScrollX.bAuto, 1);
         }},
        {"system vertical auto-scroll 3 stays 3", 2, 1, 3,
         [](const cChara&, const cPlayer&, const cItemsTestField& f) {
             EXPECT_EQ(Stage.m_bAutoScrollY, 3);
             EXPECT_EQ(f.m_ScrollY.bAuto, 1);
             EXPECT_EQ(f.m_ScrollX.bAuto, 0);
         }},
    };
    for (const STATUS2CASE& c : cases) {
        SCOPED_TRACE(c.szName);
        cItemsTestStage stage;
        cPlayer& hero = stage.Hero(400, 400);
        cChara& chara = stage.AddChara(100, 1, 500, 400);
        chara.target = CharaRef(hero.source);
        Stage.m_bAutoScrollX = 0;
        Stage.m_bAutoScrollY = 0;
        StatusOperation2Command(chara, cItemsTestStage::Command(23, 3, {{0, c.nSubject}, {1, c.nItem}, {2, c.v}}));
        c.check(chara, hero, stage.field);
    }
    Stage.m_bAutoScrollX = 0;
    Stage.m_bAutoScrollY = 0;
}

TEST_F(StageCommandsTest, APlayerOperatedStageCharacterIsNotTakenForTheHero)
{
    cItemsTestStage stage;
    cPlayer& hero = stage.Hero(400, 400);
    cChara& partner = stage.AddChara(100, 1, 500, 400);
    partner.value2 = 0;  // operated by a player
    StatusOperation2Command(partner, cItemsTestStage::Command(23, 3, {{0, 0}, {1, 3}, {2, 1}}));
    EXPECT_EQ(hero.noGravity, 0) << "the hero does not take the flight";
    StatusOperation2Command(partner, cItemsTestStage::Command(23, 3, {{0, 0}, {1, 0}, {2, 1}}));
    EXPECT_EQ(partner.vanished, 1) << "removed, not killed";
    EXPECT_EQ(partner.hp, 10);
    EXPECT_EQ(hero.hp, 10);
    // A kind-2 object is left as it is.
    cChara& fixed = stage.AddChara(101, 1, 600, 400);
    fixed.value2 = 2;
    StatusOperation2Command(fixed, cItemsTestStage::Command(23, 3, {{0, 0}, {1, 0}, {2, 1}}));
    EXPECT_EQ(fixed.vanished, 0);
}

TEST_F(StageCommandsTest, StatusOperation2OnAMissingTargetDoesNothing)
{
    cItemsTestStage stage;
    cChara& chara = stage.AddChara(100, 1, 500, 400);
    StatusOperation2Command(chara, cItemsTestStage::Command(23, 3, {{0, 1}, {1, 0}, {2, 1}}));
    EXPECT_EQ(chara.vanished, 0);
    EXPECT_EQ(stage.field.m_bHpCheck, 0);
}

// An item whose list is the given commands.
cEdItem ItemOf(std::initializer_list<cEdCommand> commands)
{
    cEdItem item;
    for (const cEdCommand& c : commands) item.m_Command.push_back(c);
    return item;
}

cEdCommand ItemCommand(int nKind, int nParams, std::initializer_list<std::pair<int, int>> params = {})
{
    cEdCommand c = cItemsTestStage::Command(nKind, nParams, params);
    c.m_bItemCommand = 1;
    return c;
}

TEST_F(StageCommandsTest, ItemGetRunsThePaletteItemAndItsResultEndsTheStage)
{
    cItemsTestStage stage;
    cPlayer& hero = stage.Hero(400, 400);
    cChara& chara = stage.AddChara(100, 1, 500, 400);
    cEdCommand code = ItemCommand(21, 0);
    code.m_strText = "S1 = S1 + 1";
    Stage.m_PaletteItem.clear();
    Stage.m_PaletteItem.push_back(ItemOf({code}));
    Stage.m_PaletteItem.push_back(ItemOf({ItemCommand(2, 9, {{0, 2}}), code}));  // clear, then code
    CommonPalette.m_PaletteItem.clear();
    CommonPalette.m_PaletteItem.push_back(ItemOf({code, code}));

    ItemGetCommand(chara, cItemsTestStage::Command(24, 2, {{0, 1}, {1, 0}}));
    EXPECT_EQ(stage.field.m_StageVar[1], 1);
    EXPECT_EQ(stage.field.m_nResult, 0);
    ItemGetCommand(chara, cItemsTestStage::Command(24, 2, {{0, 0}, {1, 0}}));
    EXPECT_EQ(stage.field.m_StageVar[1], 3);

    ItemGetCommand(chara, cItemsTestStage::Command(24, 2, {{0, 1}, {1, 1}}));
    EXPECT_EQ(stage.field.m_nResult, 1);
    EXPECT_EQ(stage.field.m_StageVar[1], 3) << "the list ends at the stage clear";
    EXPECT_EQ(stage.field.nNextStage, 0);

    // An item that takes the hero's last HP reports the death; a later harmless item keeps it.
    stage.field.m_nResult = 0;
    cEdCommand kill = ItemCommand(21, 0);
    kill.m_strText = "hp = 0";
    Stage.m_PaletteItem.push_back(ItemOf({kill}));
    ItemGetCommand(chara, cItemsTestStage::Command(24, 2, {{0, 1}, {1, 2}}));
    EXPECT_EQ(hero.hp, 0);
    EXPECT_EQ(stage.field.m_nResult, 2);
    hero.hp = 5;
    ItemGetCommand(chara, cItemsTestStage::Command(24, 2, {{0, 1}, {1, 0}}));
    EXPECT_EQ(stage.field.m_nResult, 2);

    // Indexes and palettes outside the lists do nothing.
    ItemGetCommand(chara, cItemsTestStage::Command(24, 2, {{0, 1}, {1, 9}}));
    ItemGetCommand(chara, cItemsTestStage::Command(24, 2, {{0, 1}, {1, -1}}));
    ItemGetCommand(chara, cItemsTestStage::Command(24, 2, {{0, 5}, {1, 0}}));
    EXPECT_EQ(stage.field.m_StageVar[1], 4);
}

TEST_F(StageCommandsTest, ItemGetsThatGetThemselvesStopAtTheDepthLimit)
{
    cItemsTestStage stage;
    cChara& chara = stage.AddChara(100, 1, 500, 400);
    stage.Hero(400, 400);
    cEdCommand count = ItemCommand(21, 0);
    count.m_strText = "S2 = S2 + 1";
    Stage.m_PaletteItem.clear();
    // Item 0 counts and gets item 1; item 1 counts and gets item 0: a cycle.
    Stage.m_PaletteItem.push_back(ItemOf({count, ItemCommand(9, 2, {{0, 1}, {1, 1}})}));
    Stage.m_PaletteItem.push_back(ItemOf({count, ItemCommand(9, 2, {{0, 1}, {1, 0}})}));
    ItemGetCommand(chara, cItemsTestStage::Command(24, 2, {{0, 1}, {1, 0}}));
    EXPECT_EQ(stage.field.m_StageVar[2], kMaxItemGetDepth);
    // The limit is per nesting, not per run: the next get runs as deep again.
    ItemGetCommand(chara, cItemsTestStage::Command(24, 2, {{0, 1}, {1, 1}}));
    EXPECT_EQ(stage.field.m_StageVar[2], 2 * kMaxItemGetDepth);
}

TEST_F(StageCommandsTest, GameWaitStopsThePlayForItsFramesWithATimer)
{
    cItemsTestStage stage;
    cChara& chara = stage.AddChara(100, 1, 500, 400);
    GameWaitCommand(chara, cItemsTestStage::Command(18, 1, {{0, 15}}));
    ASSERT_EQ(stage.field.waits.size(), 1u);
    const WAITCALL& w = stage.field.waits[0];
    EXPECT_EQ(w.nMode, 0);
    EXPECT_EQ(w.bWaitKey, 0);
    EXPECT_EQ(w.nCount, 15 * 6) << "1.5 s are 90 frames whatever the speed";
    EXPECT_FALSE(w.bHandshake);
    EXPECT_EQ(w.nTexts, 1u) << "a timer object exists during the wait";
    EXPECT_TRUE(stage.field.m_TextList.empty());
}

TEST_F(StageCommandsTest, CodeRunsOnTheStageAndItsErrorsAreNotedOncePerStage)
{
    cItemsTestStage stage;
    cPlayer& hero = stage.Hero(400, 400);
    cChara& chara = stage.AddChara(100, 1, 500, 400);
    chara.target = CharaRef(hero.source);
    chara.charaVars[2] = 7;
    cEdCommand code = cItemsTestStage::Command(36, 0);
    code.m_strText = "tg.hp = my.v2 - 3";
    CodeCommand(chara, code);
    EXPECT_EQ(hero.hp, 4);
    code.m_strText = "C9 = S0 + 2";
    stage.field.m_StageVar[0] = 40;
    CodeCommand(chara, code);
    EXPECT_EQ(SaveData.Var[9], 42);
    // The character itself, named through its target or as the player, is no other character.
    chara.target = CharaRef(chara.source);
    code.m_strText = "tg.hp = 0";
    CodeCommand(chara, code);
    EXPECT_EQ(chara.hp, 0);
    EXPECT_EQ(stage.field.m_bHpCheck, 0);
    code.m_strText = "pl.hp = 0";
    CodeCommand(hero, code);
    EXPECT_EQ(hero.hp, 0);
    EXPECT_EQ(stage.field.m_bHpCheck, 0);
    chara.target = CharaRef(hero.source);
    hero.hp = 3;
    code.m_strText = "tg.hp = 0";
    CodeCommand(chara, code);
    EXPECT_EQ(stage.field.m_bHpCheck, 1) << "another character's HP fell to 0";
    code.m_strText = "C300 = 1";
    CodeCommand(chara, code);
    CodeCommand(chara, code);
    EXPECT_EQ(stage.field.m_CodeErrors.Count(), 1u);
}

}  // namespace

namespace {

// The animation command starts an extra animation keyed by its flow; pausing that flow halts the
// flow's animations (one with time left stops, one without is dropped) and resuming lets the
// stopped ones go on.
TEST_F(StageCommandsTest, TheAnimationCommandsAnimationsFollowTheirFlowsPauseAndResume)
{
    const PatternTable saved = AnimePattern;
    AnimePattern.clear();
    AnimePattern.resize(3);
    AnimePattern[2].push_back(PATTERNSTEP{7, 4, 0});
    AnimePattern[2].push_back(PATTERNSTEP{kPatternEnd, 0, 0});
    cItemsTestStage stage;
    cCharaOwner owner;
    cChara& chara = stage.AddChara(100, 1, 400, 400);
    owner.chara = &chara;
    owner.AddFlow(0, {{27, 1, 0}});              // flow 0: the animation command
    owner.AddFlow(0, {{kFlowOperation, 1, 0}});  // flow 1: pause or resume flow 2 by its ID
    owner.AddFlow(0, {{1, 5, 0}}, 0, 3);         // flow 2: ID 3, keeps running
    owner.defs[0].m_Command[0].m_Param[0] = 2;
    cEdCommand& op = owner.defs[1].m_Command[0];
    op.m_Param[1] = 2;  // by ID
    op.m_Param[2] = 3;
    for (int f = 0; f < 3; ++f) cFlowRuntime::Start(owner, f);
    const std::int32_t serial0 = owner.state.flows[0].serial;
    const std::int32_t serial2 = owner.state.flows[2].serial;
    cFlowRuntime::Step(owner, 0);
    ASSERT_EQ(chara.extraAnimes.size(), 1u);
    EXPECT_EQ(chara.extraAnimes.front().key, serial0);
    EXPECT_EQ(chara.extraAnimes.front().remaining, 0);

    // Flow 2's animations: one with time left goes first, the command's own kind behind it.
    EXTRAANIME timed;
    timed.key = serial2;
    timed.remaining = 5;
    chara.extraAnimes.push_front(timed);
    EXTRAANIME untimed;
    untimed.key = serial2;
    chara.extraAnimes.push_back(untimed);

    op.m_Param[0] = 2;  // pause
    cFlowRuntime::Step(owner, 1);
    ASSERT_EQ(chara.extraAnimes.size(), 2u) << "the untimed one of the paused flow is dropped";
    EXPECT_EQ(chara.extraAnimes.front().key, serial2);
    EXPECT_EQ(chara.extraAnimes.front().stopped, 1);
    EXPECT_EQ(chara.extraAnimes.back().key, serial0);
    EXPECT_EQ(chara.extraAnimes.back().stopped, 0) << "other flows' animations go on";

    op.m_Param[0] = 3;  // resume
    cFlowRuntime::Start(owner, 1);
    cFlowRuntime::Step(owner, 1);
    EXPECT_EQ(chara.extraAnimes.front().stopped, 0);
    AnimePattern = saved;
}

}  // namespace
