// Character effect runs and the timed animations of a character.
#include <gtest/gtest.h>

#include "data/database.h"
#include "support/chara_effects_fixture.h"
#include "support/world_fixture.h"
#include "core/game_random.h"
#include "world/effect_obj.h"
#include "world/effect_tables.h"

namespace {

using worldtest::WorldFixture;

class EffectRunTest : public testing::Test {
 protected:
  void SetUp() override {
    Database.CharaEffects[0].nKind = 0;
    effects_.Set(1, 1, {1, 0, 30});   // burst from 0 to 30 in a tenth
    effects_.Set(2, 7, {2, 90, 90});  // start equals end: counts its time
    effects_.Set(3, 11, {0, 32, 64});  // no run time at all
    effects_.Build();
  }
  static int StepsUntilEnd(cCharaEffectRun& run, int limit = 1000) {
    for (int n = 1; n <= limit; ++n) {
      if (run.Step()) return n;
    }
    return -1;
  }
  worldtest::ScopedCharaEffects effects_{4};
};

TEST_F(EffectRunTest, ForwardsBackwardsAndThereAndBack) {
  cCharaEffectRun run;
  run.Start(1, 0, 0);
  EXPECT_DOUBLE_EQ(run.entry.dStep, 5.0);
  EXPECT_EQ(StepsUntilEnd(run), 7);  // 5, 10, ... 30, then past the end
  run.Start(1, 1, 0);
  EXPECT_EQ(run.entry.nStart, 30);
  EXPECT_EQ(run.entry.nEnd, 0);
  EXPECT_EQ(StepsUntilEnd(run), 7);
  run.Start(1, 2, 0);
  EXPECT_EQ(StepsUntilEnd(run), 14);  // there, then back, then over
  run.Start(1, 2, 1);
  EXPECT_EQ(StepsUntilEnd(run, 500), -1);  // with repeat it never ends
  // The database's own records stay as read.
  EXPECT_EQ(Database.CharaEffectsBack[1].nParam[1], 0);
}

TEST_F(EffectRunTest, EqualEndsCountTimeAndNoRunTimeEndsAtOnce) {
  cCharaEffectRun run;
  run.Start(2, 0, 0);
  EXPECT_TRUE(run.entry.bTimeMode);
  const int steps = StepsUntilEnd(run);
  EXPECT_GE(steps, 12);
  EXPECT_LE(steps, 13);
  run.Start(3, 0, 0);
  EXPECT_TRUE(run.Step());
  EXPECT_EQ(run.entry.dValue, 64);
  run.Start(0, 0, 0);
  EXPECT_EQ(run.entry.nKind, 0);
}

AnimeEntry Entry(int key, int framesLeft, bool priority, int value) {
  AnimeEntry e;
  e.nKey = key;
  e.nFramesLeft = framesLeft;
  e.bPriority = priority ? 1 : 0;
  e.Player.m_Animes.assign(1, cVector<AnimeStep>{AnimeStep{value, 100, 0}, AnimeStep{kAnimeStay, 0, 0}});
  return e;
}

class TimedAnimeTest : public testing::Test {
 protected:
  TimedAnimeTest() : world(Rows()) { world.Build(); }
  static std::vector<std::string> Rows() {
    std::vector<std::string> rows(20, std::string(20, '.'));
    rows[0][0] = 'H';
    rows[19] = std::string(20, '#');
    return rows;
  }
  WorldFixture world;
};

TEST_F(TimedAnimeTest, ChoosesByPriorityAndFramesLeft) {
  cPlayer& hero = world.Hero();
  hero.Anime.m_Animes.assign(1, cVector<AnimeStep>{AnimeStep{50, 100, 0}, AnimeStep{kAnimeStay, 0, 0}});
  EXPECT_EQ(hero.CurrentAnimeValue(true), 50);  // no entries: the base player
  hero.Animes.push_back(Entry(1, 10, false, 7));
  hero.Animes.push_back(Entry(2, 5, false, 8));
  EXPECT_EQ(hero.CurrentAnimeValue(true), 7);  // the first plain entry
  hero.Animes.push_back(Entry(3, 4, true, 9));
  hero.Animes.push_back(Entry(4, 3, true, 10));
  EXPECT_EQ(hero.CurrentAnimeValue(true), 10);  // the priority entry with the fewest frames
  hero.Animes.back().nFramesLeft = 0;
  hero.Animes.push_back(Entry(5, -2, true, 11));
  // 0 is taken as the fewest so far; then -2 with a value at or below 0 settles the choice.
  EXPECT_EQ(hero.CurrentAnimeValue(true), 11);
  hero.PauseAnimes(4);
  EXPECT_EQ(hero.Animes.size(), 4u);  // frames left + second count - 1 < 0: erased
  hero.PauseAnimes(3);
  EXPECT_EQ(hero.Animes.size(), 4u);
  EXPECT_EQ(hero.CurrentAnimeValue(true), 11);
  hero.ResumeAnimes(3);
  hero.RemoveAnimes(5);
  EXPECT_EQ(hero.CurrentAnimeValue(true), 9);
  // Stepping counts the frames down.
  hero.CurrentAnimeValue(false);
  EXPECT_EQ(hero.Animes.front().nFramesLeft, 9);
}

TEST_F(TimedAnimeTest, DefeatAddsTheScoreWithinItsRange) {
  cScenePlay& s = world.Scene();
  cPlayer& hero = world.Hero();
  hero.Def.nScore = 500;
  s.nScore = 999800;
  hero.OnDefeated();
  EXPECT_EQ(s.nScore, 999999);
  hero.Def.nScore = -2000000;
  hero.OnDefeated();
  EXPECT_EQ(s.nScore, 0);
}

TEST_F(TimedAnimeTest, ResetAndCentring) {
  cPlayer& hero = world.Hero();
  hero.nHp = 5;
  hero.Def.nMaxHp = 7;
  hero.ResetForStage(nullptr, 0, 0, 3);
  EXPECT_EQ(hero.nHp, 0);
  EXPECT_EQ(hero.Def.nMaxHp, 7);  // the old definition stays
  EXPECT_EQ(hero.bFalling, 1);
  EXPECT_EQ(hero.nWallSide, -1);
  EXPECT_EQ(hero.Vars.size(), 9u);
  hero.UpdateScreenRect();
  const double x = hero.x;
  hero.SetCenterX(hero.Rect.left + (hero.Rect.width >> 1));
  EXPECT_EQ(hero.x, x);
}

TEST_F(TimedAnimeTest, FeetStayOnRescaleByTheLegacySwitch) {
  cPlayer& hero = world.Hero();
  hero.nBaseHeight = 24;
  hero.Rect.baseHeight = 32;
  hero.Rect.baseOffY = 16;
  hero.y = 500;
  hero.KeepFootOnScale(2, 1);
  EXPECT_EQ(hero.y, 484);
  SystemData.bLegacy261 = 1;
  hero.y = 500;
  hero.KeepFootOnScale(2, 1);
  EXPECT_EQ(hero.y, 476);
}

}  // namespace

namespace {

TEST(EffectObjTest, ImpactEffectsSitOnTheOverlapWithAJitter) {
  SeedGameRandom(1);  // draws 41 and 18467: jitters 41 % 9 - 4 and 18467 % 9 - 4
  cEffectObj e;
  e.InitAtOverlap(0, WorldBox{0, 0, 31, 31}, WorldBox{16, 8, 47, 39}, 1);
  EXPECT_EQ(e.nWidth, 32);
  EXPECT_EQ(e.x, 16 + (16 >> 1) - 16 + (41 % 9 - 4));
  EXPECT_EQ(e.y, 8 + (24 >> 1) - 16 + (18467 % 9 - 4));
  // Apart: placed at the origin less half its size, and still jittered.
  e.InitAtOverlap(0, WorldBox{0, 0, 1, 1}, WorldBox{10, 10, 11, 11}, 1);
  EXPECT_GE(e.x, -16 - 4);
  EXPECT_LE(e.x, -16 + 4);
  EXPECT_TRUE(e.Step(true));  // no frames without a database: over at once
  SeedGameRandom(1);
}

}  // namespace
