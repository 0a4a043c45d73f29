// The hero status kept between stages: each group only as the project's carry switches say,
// the kept flags, what a lost life forgets, and nothing given back before anything was kept.
#include <gtest/gtest.h>

#include <vector>

#include "data/save_data.h"
#include "data/stage_data.h"
#include "data/system_data.h"

namespace {

class HeroStatusTest : public testing::Test {
 protected:
  HeroStatusTest() : savedCarry_(SystemData.CarryFlags), savedForget_(SystemData.ForgetFlags) {
    save.Reset();
    Enable({});
    SystemData.ForgetFlags.assign(kHeroStatusGroups, 0);
    hero.nMaxHp = 50;
    hero.nMaxSp = 20;
    hero.nPicture = 7;
    hero.nPower = 3;
  }
  ~HeroStatusTest() override {
    SystemData.CarryFlags = savedCarry_;
    SystemData.ForgetFlags = savedForget_;
  }
  static void Enable(std::vector<int> groups) {
    SystemData.CarryFlags.assign(kHeroStatusGroups, 0);
    for (int g : groups) SystemData.CarryFlags[g] = 1;
  }
  HeroStatusValues Values() const { return HeroStatusValues{hero, 33, 12, 5, -2, 1, 95, 4, 9}; }

  cSaveData save;
  cEdChara hero;

 private:
  cVector<std::uint8_t> savedCarry_;
  cVector<std::uint8_t> savedForget_;
};

TEST_F(HeroStatusTest, OnlyTheEnabledGroupsAreKeptAndGivenBack) {
  Enable({13, 14});
  save.StoreHeroStatus(0, Values());
  EXPECT_EQ(save.m_bHeroSaved, 1);
  for (int g = 0; g < kHeroStatusGroups; ++g) EXPECT_EQ(save.m_CarryFlags[g], g == 13 || g == 14 ? 1 : 0) << g;
  EXPECT_EQ(save.m_Heroes[0].m_Chara.nMaxHp, 50);
  EXPECT_EQ(save.m_Heroes[0].m_Chara.nPicture, 0);  // group 0 not kept
  EXPECT_EQ(save.m_Heroes[0].m_nHp, 0);
  cEdChara next;
  next.nMaxHp = 1;
  next.nMaxSp = 2;
  next.nPicture = 4;
  next.nPower = 8;
  cStageData stage;
  stage.nTimeLimit = 300;
  save.ApplyHeroStatus(0, next, stage);
  EXPECT_EQ(next.nMaxHp, 50);
  EXPECT_EQ(next.nMaxSp, 20);
  EXPECT_EQ(next.nPicture, 4);
  EXPECT_EQ(next.nPower, 8);
  EXPECT_EQ(stage.nTimeLimit, 300);
}

TEST_F(HeroStatusTest, TheOtherValuesGoToTheStageTheLivesAndTheBuiltHero) {
  Enable({0, 4, 11, 12, 21, 22, 23, 24});
  hero.flows.resize(2);
  hero.nPicture = 0;
  save.StoreHeroStatus(0, Values());
  hero.flows.clear();  // the kept flows are a copy
  cEdChara next;
  cStageData stage;
  save.m_nLives = 1;
  save.ApplyHeroStatus(0, next, stage);
  EXPECT_EQ(next.nPicture, 1);  // a kept picture 0 is given back as 1
  EXPECT_EQ(next.nStartEffect, 5);  // the effect that ran, not the definition's
  EXPECT_EQ(next.nStartEffectParam1, -2);
  EXPECT_EQ(next.nStartEffectParam2, 1);
  EXPECT_EQ(next.flows.size(), 2u);
  EXPECT_EQ(stage.nTimeLimit, 95);
  EXPECT_EQ(stage.nBgm, 9);
  EXPECT_EQ(save.m_nLives, 4);
  std::int32_t hp = -1;
  std::int32_t sp = -1;
  save.GetHeroValues(0, &hp, &sp);
  EXPECT_EQ(hp, 33);
  EXPECT_EQ(sp, 12);
}

TEST_F(HeroStatusTest, ALostLifeForgetsTheNamedGroupsAndNothingIsGivenBackBeforeAClear) {
  Enable({11, 13});
  SystemData.ForgetFlags[11] = 1;
  SystemData.ForgetFlags[20] = 1;  // forgotten whatever its carry switch says
  save.m_CarryFlags.assign(kHeroStatusGroups, 1);
  cEdChara next;
  next.nMaxHp = 9;
  cStageData stage;
  save.ApplyHeroStatus(0, next, stage);
  EXPECT_EQ(next.nMaxHp, 9);  // nothing kept yet, whatever the flags say
  save.StoreHeroStatus(0, Values());
  save.ClearFlagged(0);
  EXPECT_EQ(save.m_CarryFlags[11], 0);
  EXPECT_EQ(save.m_CarryFlags[20], 0);
  EXPECT_EQ(save.m_CarryFlags[13], 1);
  std::int32_t hp = -1;
  save.GetHeroValues(0, &hp, nullptr);
  EXPECT_EQ(hp, -1);  // enabled, but forgotten
  save.ApplyHeroStatus(0, next, stage);
  EXPECT_EQ(next.nMaxHp, 50);
}

}  // namespace
