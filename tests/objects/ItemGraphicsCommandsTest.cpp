// The graphics item commands run their action bodies on the hero who took the item: the character
// effect and the animation (which belongs to no flow).
#include <gtest/gtest.h>

#include "ItemsTestSupport.h"
#include "objects/chara/cPlayer.h"
#include "objects/item/ItemCommandTable.h"
#include "project/DerivedTables.h"

namespace {

constexpr int kItemAnime = 27 - 15;
constexpr int kItemCharaEffect = 29 - 15;

TEST(ItemGraphicsCommandsTest, TheHeroTakesTheItemsCharacterEffectAndAnimation)
{
    const cVector<CHARAEFFECTWORK> savedWork = CharaEffectWork;
    const cVector<CHARAEFFECTWORK> savedRev = CharaEffectWorkRev;
    const PatternTable savedPatterns = AnimePattern;
    CharaEffectWork.resize(3);
    CharaEffectWorkRev.resize(3);
    AnimePattern.resize(2);
    AnimePattern[1].clear();
    AnimePattern[1].push_back(PATTERNSTEP{3, 5, 0});
    AnimePattern[1].push_back(PATTERNSTEP{kPatternEnd, 0, 0});
    InstallItemCommands();
    cItemsTestStage stage;
    cPlayer& hero = stage.Hero(100, 100);

    cVector<cEdCommand> list;
    list.push_back(cItemsTestStage::Command(kItemCharaEffect, 3, {{0, 2}, {1, 0}, {2, 1}}));
    list.push_back(cItemsTestStage::Command(kItemAnime, 1, {{0, 1}}));
    EXPECT_EQ(RunItemCommands(hero, list), 0);
    EXPECT_EQ(hero.charaEffect.nNumber, 2);
    EXPECT_EQ(hero.charaEffect.bLoop, 1);
    ASSERT_EQ(hero.extraAnimes.size(), 1u);
    EXPECT_LT(hero.extraAnimes.front().key, 0) << "no flow serial names it";

    CharaEffectWork = savedWork;
    CharaEffectWorkRev = savedRev;
    AnimePattern = savedPatterns;
}

}  // namespace
