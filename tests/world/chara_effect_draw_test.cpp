// The draw effects' timing, the death display, the gauges and the small display objects.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "data/database.h"
#include "support/chara_effects_fixture.h"
#include "support/world_fixture.h"
#include "world/chara_draw.h"
#include "world/effect_obj.h"
#include "world/effect_tables.h"
#include "world/picture_obj.h"

namespace {

using worldtest::WorldFixture;

class DrawTimingTest : public testing::Test {
 protected:
  void SetUp() override {
    effects_.Set(1, 1, {1, 0, 30});   // burst: 7 frames
    effects_.Set(2, 6, {10, 2, 2});   // blink every 2 frames for a second
    effects_.Set(3, 11, {10, 32, 32});
    effects_.Build();
    world.emplace(std::vector<std::string>{"..e.", "H...", "####"});
    world->Build();
  }
  void TearDown() override { world.reset(); }
  cChara& Walker() { return *world->Chara(1); }
  worldtest::ScopedCharaEffects effects_{4};
  std::optional<WorldFixture> world;
};

TEST_F(DrawTimingTest, ATransparentCharactersEffectEndsOnTimeAndAFrozenDrawStepsNothing) {
  cChara& c = Walker();
  c.Def.bTransparent = 1;
  c.Effect.Start(1, 0, 0);
  for (int i = 0; i < 3; ++i) DrawCharaPicture(c, nullptr, true);
  EXPECT_EQ(c.Effect.nFrame, 0);
  for (int i = 0; i < 6; ++i) DrawCharaPicture(c, nullptr, false);
  EXPECT_EQ(c.Effect.entry.nKind, 1);
  DrawCharaPicture(c, nullptr, false);
  EXPECT_EQ(c.Effect.entry.nKind, 0);
}

TEST_F(DrawTimingTest, ABlinkOfIntervalTwoShowsEveryOtherPairOfFrames) {
  cChara& c = Walker();
  c.Effect.Start(2, 0, 0);
  std::vector<int> shown;
  for (int i = 0; i < 8; ++i) {
    DrawCharaPicture(c, nullptr, false);
    shown.push_back(c.Effect.bBlink);
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 0, 1, 1, 0, 0, 1, 1}));
}

TEST_F(DrawTimingTest, TheDeathDisplayEndsAtOnceForAPlainCharacterAndAfterASecondForTheHero) {
  cChara& c = Walker();
  EXPECT_EQ(DeathDisplayStep(c, nullptr, false, 60), 1);
  c.Effect.Start(1, 0, 0);
  int frames = 1;
  while (DeathDisplayStep(c, nullptr, false, 60) == 0 && frames < 100) ++frames;
  EXPECT_EQ(frames, 7);
  EXPECT_EQ(c.Effect.entry.nKind, 0);
  cPlayer& hero = world->Hero();
  frames = 1;
  while (DeathDisplayStep(hero, nullptr, false, 60) == 0 && frames < 200) ++frames;
  EXPECT_EQ(frames, 61);
  EXPECT_EQ(DeathDisplayStep(hero, nullptr, true, 60), 1);
}

TEST_F(DrawTimingTest, AGaugeShowsItsChangeForTheFirstSixtyOfItsFrames) {
  cChara& c = Walker();
  c.HpGauge.Start(20, 50, 100);
  ASSERT_EQ(c.HpGauge.nFrames, 120);
  for (int i = 0; i < 60; ++i) DrawHpGauge(c, nullptr);
  EXPECT_NEAR(c.HpGauge.dChange, 0, 1e-9);
  DrawHpGauge(c, nullptr);
  EXPECT_EQ(c.HpGauge.dChange, 0);
  for (int i = 0; i < 59; ++i) DrawHpGauge(c, nullptr);
  EXPECT_EQ(c.HpGauge.nFrames, 0);
  c.bDead = 1;
  c.SpGauge.Start(5, 5, 10);
  DrawSpGauge(c, nullptr);
  EXPECT_EQ(c.SpGauge.nFrames, 120);  // nothing for the dead
}

TEST_F(DrawTimingTest, EffectsAndPicturesKeepTheirTime) {
  cEffectObj empty;
  EXPECT_EQ(empty.Draw(nullptr, true), 1);  // no frames: over at its first draw

  cPictureObj once;
  once.Init(1, 100, 100, 32, 32, 0, 0, 100, 2, 0, 0, 0, 0);
  EXPECT_EQ(once.Draw(nullptr, nullptr, false), 0);
  EXPECT_EQ(once.Draw(nullptr, nullptr, false), 1);

  cScenePlay& s = world->Scene();
  cPictureObj fixed;
  fixed.Init(1, s.ScrollX.dPos + 50, s.ScrollY.dPos + 60, 32, 32, 1, 0, 100, 0, 0, 0, 0, 0);
  cPictureObj loose;
  loose.Init(1, s.ScrollX.dPos + 50, s.ScrollY.dPos + 60, 32, 32, 0, 0, 100, 0, 0, 0, 0, 0);
  s.ScrollX.dPos += 16;
  fixed.Draw(nullptr, nullptr, false);
  loose.Draw(nullptr, nullptr, false);
  EXPECT_EQ(fixed.nDrawnX, 50);
  EXPECT_EQ(loose.nDrawnX, 34);
  EXPECT_EQ(fixed.nDrawnY, 60);
}

}  // namespace
