// A character's motions built from an animation set of the database.
#include <gtest/gtest.h>

#include "data/database.h"
#include "fake_actor.h"
#include "flow/anime_set.h"

namespace {

cEdAnime Motion(std::initializer_list<std::pair<int, int>> frames) {
  cEdAnime motion;
  motion.Frames.clear();
  for (const auto& [cell, tenths] : frames) {
    cEdAnimeFrame frame;
    frame.nCell = cell;
    frame.nDuration = tenths;
    motion.Frames.push_back(frame);
  }
  return motion;
}

class AnimeSetTest : public testing::Test {
 protected:
  AnimeSetTest() {
    cEdAnimeSet walker;
    walker.Motions = {Motion({{4, 2}, {5, 3}}), Motion({{7, 1}})};
    cEdAnimeSet first;
    first.Motions = {Motion({{1, 1}})};
    Database.AnimeSets = {first, walker};
  }
  ~AnimeSetTest() override { Database.AnimeSets = saved_; }

  flowtest::FakeActor chara;

 private:
  cVector<cEdAnimeSet> saved_ = Database.AnimeSets;
};

TEST_F(AnimeSetTest, TheSetsMotionsLoopTheirFramesAndThePlayerStartsItsMotionAgain) {
  chara.motions.m_nAnime = 1;
  chara.motions.m_nStep = 3;
  chara.motions.m_nTick = 9;
  SetAnimeSet(chara, 1, 0);
  EXPECT_EQ(chara.animeSet, 1);
  const AnimeStepTable expected = {{{4, 12, 1}, {5, 18, 1}, {kAnimeLoop, 0, 1}}, {{7, 6, 1}, {kAnimeLoop, 0, 1}}};
  EXPECT_EQ(chara.motions.m_Animes, expected);
  EXPECT_EQ(chara.motions.m_nAnime, 1);
  EXPECT_EQ(chara.motions.m_nStep, 0);
  EXPECT_EQ(chara.motions.m_nTick, 0);

  // The same set again changes nothing unless forced.
  chara.motions.m_Animes.clear();
  SetAnimeSet(chara, 1, 0);
  EXPECT_TRUE(chara.motions.m_Animes.empty());
  SetAnimeSet(chara, 1, 1);
  EXPECT_EQ(chara.motions.m_Animes, expected);
}

TEST_F(AnimeSetTest, ASetOutsideTheDatabaseTakesTheFirst) {
  for (const int set : {-1, 2, 40000}) {
    SetAnimeSet(chara, set, 1);
    EXPECT_EQ(chara.animeSet, set);
    EXPECT_EQ(chara.motions.m_Animes, (AnimeStepTable{{{1, 6, 1}, {kAnimeLoop, 0, 1}}})) << set;
  }
}

}  // namespace
