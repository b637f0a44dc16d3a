#include "ItemsTestSupport.h"

#include "definitions/cEdStage.h"
#include "objects/TextObjects.h"
#include "objects/commands/CommandDispatch.h"
#include "objects/flow/CommandTable.h"
#include "objects/item/ItemCommandTable.h"

cItemsTestStage::cItemsTestStage()
{
    Stage.SetSpeedLevel(1);
    lpStageField = &field;
    field.m_ScrollX.Setup(0, 40, 64, 6);
    field.m_ScrollY.Setup(1, 30, 50, 0);
    field.m_ScrollX.SetLimit(0, 0, 0, 0);
    field.m_ScrollY.SetLimit(0, 0, 0, 0);
    field.m_ScrollX.dPos = field.m_ScrollX.nStageMin;
    field.m_ScrollY.dPos = field.m_ScrollY.nStageMin;
    ResetStageObjects();
    InstallActionCommands();
}

cItemsTestStage::~cItemsTestStage()
{
    ClearTextObjects(field.m_TextList);
    CommandFuncTable::Clear();
    ItemCommandFuncTable::Clear();
    ResetStageObjects();
    lpStageField = nullptr;
    Stage.SetSpeedLevel(10);
}

cPlayer& cItemsTestStage::Hero(double x, double y)
{
    cPlayer& hero = Player[P1];
    hero.cGameObject::Init(cGameObject::INITVALUES{
        .nSource = 1, .nHitWidth = 32, .nHitHeight = 32, .nGfxWidth = 32, .nGfxHeight = 32, .nFacing = 1});
    hero.source = 1;
    hero.x = x;
    hero.y = y;
    hero.right = x + 31;
    hero.bottom = y + 31;
    hero.hp = 10;
    hero.def.m_nMaxHp = 10;
    hero.active = 1;
    hero.CalcScreenRect();
    field.m_CharaLayer[0].push_back(&hero);
    return hero;
}

cChara& cItemsTestStage::AddChara(int nSource, int nFaction, double x, double y, int nCharaId)
{
    CharaList.emplace_back();
    cChara& c = CharaList.back();
    c.cGameObject::Init(cGameObject::INITVALUES{.nSource = nSource,
                                                .nValue2 = 1,
                                                .nFaction = nFaction,
                                                .nHitWidth = 32,
                                                .nHitHeight = 32,
                                                .nGfxWidth = 32,
                                                .nGfxHeight = 32,
                                                .nFlightKind = 1});
    c.source = nSource;
    c.x = x;
    c.y = y;
    c.right = x + 31;
    c.bottom = y + 31;
    c.hp = 10;
    c.def.m_nMaxHp = 10;
    c.def.m_nCharaId = static_cast<std::int8_t>(nCharaId);
    c.active = 1;
    c.CalcScreenRect();
    field.m_CharaLayer[nFaction].push_back(&c);
    return c;
}

cEdCommand cItemsTestStage::Command(int nKind, int nParams, std::initializer_list<std::pair<int, int>> params)
{
    cEdCommand c;
    c.m_nKind = static_cast<std::int8_t>(nKind);
    c.ResizeParam(nParams);
    for (const auto& [i, v] : params) c.m_Param[i] = v;
    return c;
}
