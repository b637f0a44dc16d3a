// A change of the hero's view range, by the status operation or by code, asks the stage to make
// the view mask again; a computer-operated character's never does.
#include <gtest/gtest.h>

#include "ItemsTestSupport.h"
#include "objects/chara/CharaCodeView.h"
#include "objects/chara/cPlayer.h"
#include "objects/commands/StatusOperation.h"

namespace {

cEdCommand SightOperation(int nRange)
{
    cEdCommand c = cItemsTestStage::Command(22, 18, {{4, 8}, {5, 0}, {7, nRange}});
    return c;
}

TEST(ViewMaskRequestTest, AChangedSightOfTheHeroRemakesTheViewMask)
{
    cItemsTestStage stage;
    cPlayer& hero = stage.Hero(100, 100);
    cChara& other = stage.AddChara(5, 2, 300, 100);

    StatusOperation(hero, SightOperation(6));
    EXPECT_EQ(hero.viewRange, 6 * 16);
    EXPECT_EQ(stage.field.nViewMasks, 1);

    StatusOperation(other, SightOperation(6));
    EXPECT_EQ(stage.field.nViewMasks, 1) << "a computer-operated character has no view mask";

    cCharaCodeView(hero).OnSightChanged();
    EXPECT_EQ(stage.field.nViewMasks, 2);
    cCharaCodeView(other).OnSightChanged();
    EXPECT_EQ(stage.field.nViewMasks, 2);
}

}  // namespace
