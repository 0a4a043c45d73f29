// The screen effects over the finished frame, in the drawing library's modes: a shake swings
// between its amplitudes, a zoom of 640 leaves the picture as it was, frozen drawing keeps an
// effect's place, effects without steps end at once, and the iris closes and opens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "data/database.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_surface.h"
#include "gfx/render_target.h"
#include "gfx/gfx_test_support.h"
#include "gfx/surface_records.h"
#include "support/world_fixture.h"
#include "world/effect_tables.h"

namespace {

using gfxtest::Mode;

class ScreenEffectTest : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    ASSERT_TRUE(InitWithPalette(GetParam()));
    for (int row : {67, 68}) ASSERT_TRUE(DDCreateSurface(&SurfaceRecords[row], 640, 480, 1, 0, 0, 0, 0));
    savedEffects_ = Database.ScrEffects;
    world_.emplace(std::vector<std::string>{"      ", "  H   ", "######"});
    world_->Build();
  }
  void TearDown() override {
    world_.reset();
    Database.ScrEffects = savedEffects_;
    Database.CopyEffectsForBackwards();
    ScrEffectsForward.clear();
    ScrEffectsBackward.clear();
    for (int row : {67, 68}) DDReleaseSurface(&SurfaceRecords[row]);
    LibraryTest::TearDown();
  }
  // Effect 1 of the list, of a kind with its five parameters.
  static void UseEffect(int kind, std::vector<int> params) {
    Database.ScrEffects.assign(2, cEdScrEffect{});
    Database.ScrEffects[1].nKind = kind;
    for (std::size_t i = 0; i < params.size(); ++i) Database.ScrEffects[1].nParam[i] = params[i];
    Database.CopyEffectsForBackwards();
    BuildScrEffectTables();
  }
  // A picture with something in every corner, so that a move shows; drawn as the field is
  // while an effect runs, into the virtual back buffer.
  static void DrawPattern() {
    DDSetVirtualBackBuffer(1);
    DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 36);
    DDFillRect(&SDBackBuffer, 10, 10, 100, 50, 200);
    DDFillRect(&SDBackBuffer, 500, 400, 120, 60, 90);
  }

  std::optional<worldtest::WorldFixture> world_;

 private:
  cVector<cEdScrEffect> savedEffects_;
};

TEST_P(ScreenEffectTest, AShakeSwingsBetweenItsAmplitudesAndEndsAfterItsSteps) {
  // Ten tenths, amplitude 8, 3 swings: 3 x 8 x 4 / 60 = 1.6 a frame.
  UseEffect(2, {10, 8, 3});
  cScenePlay& s = world_->Scene();
  s.StartScreenEffect(1, 0, 0);
  double highest = 0;
  double lowest = 0;
  int frames = 0;
  while (s.ScreenEffect.entry.nIndex != 0 && frames < 200) {
    DrawPattern();
    s.RunScreenEffect(false);
    highest = std::max(highest, s.EffectWork.offset);
    lowest = std::min(lowest, s.EffectWork.offset);
    ++frames;
  }
  EXPECT_EQ(highest, 8);
  EXPECT_EQ(lowest, -8);
  EXPECT_EQ(frames, 61);  // ten tenths of a second, and the frame that finds it over
  // Frozen, the effect neither moves nor ends.
  s.StartScreenEffect(1, 0, 0);
  for (int i = 0; i < 100; ++i) s.RunScreenEffect(true);
  EXPECT_EQ(s.EffectWork.offset, 0);
  EXPECT_EQ(s.ScreenEffect.entry.nIndex, 1);
}

TEST_P(ScreenEffectTest, AZoomOf640ShowsThePictureUnscaled) {
  UseEffect(11, {10, 640, 640});
  cScenePlay& s = world_->Scene();
  DrawPattern();
  const std::vector<std::uint32_t> before = gfxtest::ReadPixels(&SDBackBuffer);
  s.StartScreenEffect(1, 0, 0);
  s.RunScreenEffect(true);
  EXPECT_EQ(gfxtest::ReadPixels(&SDBackBuffer), before);
}

TEST_P(ScreenEffectTest, EffectsWithoutStepsOrBlocksEndAtOnce) {
  struct Case {
    int kind;
    std::vector<int> params;
  };
  const Case cases[] = {{2, {0, 8, 3}}, {8, {10, 0}}, {13, {10, 0, 0}}, {9, {0, 0, 90}}};
  cScenePlay& s = world_->Scene();
  for (const Case& c : cases) {
    UseEffect(c.kind, c.params);
    s.StartScreenEffect(1, 0, 1);  // repeating: would never end by itself
    DrawPattern();
    s.RunScreenEffect(false);
    EXPECT_EQ(s.ScreenEffect.entry.nIndex, 0) << c.kind;
  }
}

// The iris is a lens about a point by the hero that covers the whole screen: at depth 0 every
// pixel shows the one at its centre; deeper, the picture comes back round a centre that stays.
TEST_P(ScreenEffectTest, TheIrisLensClosesOnThePixelByTheHeroAndOpensAgain) {
  cScenePlay& s = world_->Scene();
  const cPlayer& hero = world_->Hero();
  DrawPattern();
  const std::vector<std::uint32_t> before = gfxtest::ReadPixels(&SDBackBuffer);
  const int cx = hero.Rect.left + hero.Rect.width / 2 + 40;
  const int cy = hero.Rect.top + hero.Rect.height / 2 - 20;
  const std::uint32_t centre = before[static_cast<std::size_t>(cy) * 640 + static_cast<std::size_t>(cx)];
  UseEffect(12, {10, 0, 0, 40, -20});
  s.StartScreenEffect(1, 0, 0);
  s.RunScreenEffect(true);
  const std::vector<std::uint32_t> closed = gfxtest::ReadPixels(&SDBackBuffer);
  EXPECT_EQ(std::count(closed.begin(), closed.end(), centre), static_cast<std::ptrdiff_t>(closed.size()));

  UseEffect(12, {10, 300, 300, 40, -20});
  DrawPattern();
  s.StartScreenEffect(1, 0, 0);
  s.RunScreenEffect(true);
  const std::vector<std::uint32_t> open = gfxtest::ReadPixels(&SDBackBuffer);
  EXPECT_NE(open, before);
  EXPECT_NE(std::count(open.begin(), open.end(), centre), static_cast<std::ptrdiff_t>(open.size()));
  EXPECT_EQ(open[static_cast<std::size_t>(cy) * 640 + static_cast<std::size_t>(cx)], centre);
}

INSTANTIATE_TEST_SUITE_P(Modes, ScreenEffectTest, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

}  // namespace
