// Volleys and formations with a recording spawn step, and the summons' refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "data/common_palette.h"
#include "support/world_fixture.h"
#include "world/volley.h"

namespace {

using worldtest::WorldFixture;

class VolleyTest : public testing::Test {
 protected:
  VolleyTest() : world({"..........", "..........", "H.......e.", "##########"}, 1) {
    rec.nScale = 1;
    rec.nCount = 1;
    rec.nSpeed = 50;  // 5 pixels per frame
    command.record = &points;
  }
  void Build() {
    world.Build();
    Walker().UpdateScreenRect();
  }
  cChara& Walker() { return *world.Chara(1); }
  // The angle of a recorded velocity in the shots' convention (0 flies left, 90 up).
  static double AngleOf(const ShotSpawn& p) {
    double a = std::atan2(-p.vy, -p.vx) * 180 / 3.141592653589793;
    if (a < -1e-9) a += 360;
    return a;
  }
  WorldFixture world;
  cEdShot rec;
  VolleyCommand command;
  std::vector<ShotSpawn> points;
};

TEST_F(VolleyTest, NoShotsPerRowMakesNothingInEveryFormation) {
  Build();
  rec.nCount = 0;
  rec.nFormTarget = 1;
  for (int f = 0; f < 6; ++f) {
    rec.nFormation = static_cast<std::uint8_t>(f);
    FireShots(Walker(), command, rec);
    EXPECT_TRUE(points.empty()) << "formation " << f;
  }
}

TEST_F(VolleyTest, SpreadFansAroundTheBaseDirection) {
  Build();
  rec.nFormation = 2;
  rec.nDirection = 2;  // left: base angle 0
  rec.nFormParam[0] = 30;
  const struct {
    int n;
    std::vector<double> angles;
  } cases[] = {{2, {345, 15}}, {3, {330, 0, 30}}, {1, {0}}};
  for (const auto& c : cases) {
    points.clear();
    rec.nCount = static_cast<std::uint8_t>(c.n);
    FireShots(Walker(), command, rec);
    ASSERT_EQ(points.size(), c.angles.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
      EXPECT_NEAR(AngleOf(points[i]), c.angles[i], 1e-9) << "n " << c.n << " shot " << i;
      EXPECT_NEAR(std::hypot(points[i].vx, points[i].vy), 5.0, 1e-12);
      EXPECT_EQ(points[i].x, points[0].x);  // one start point
    }
  }
}

TEST_F(VolleyTest, StraightALeftIsAColumnCentredOnTheShooterOneGapApart) {
  Build();
  rec.nFormation = 0;
  rec.nDirection = 2;
  rec.nCount = 2;
  rec.nFormParam[0] = 1;  // 16 pixels
  cChara& w = Walker();
  FireShots(w, command, rec);
  ASSERT_EQ(points.size(), 2u);
  const int sx = static_cast<int>(world.Scene().ScrollX.dPos);
  const int sy = static_cast<int>(world.Scene().ScrollY.dPos);
  EXPECT_EQ(points[0].x, w.Rect.left + sx + 1 - 16);
  EXPECT_EQ(points[1].x, points[0].x);
  EXPECT_EQ(points[1].y - points[0].y, 16 + 16);
  // Centred: the middle of the pair's span is the shooter's vertical centre.
  const int top = points[0].y;
  const int bottom = points[1].y + 16;
  EXPECT_EQ((top + bottom) / 2, sy + w.Rect.top + (w.Rect.height >> 1));
  EXPECT_EQ(points[0].vx, -5.0);
  EXPECT_EQ(points[0].vy, 0.0);
}

TEST_F(VolleyTest, DirectionCodesFollowTheFacing) {
  const struct {
    int direction, facing, code;
  } cases[] = {{0, 1, 3}, {0, 0, 2}, {1, 1, 2}, {4, 1, 7}, {4, 0, 6}, {5, 1, 6}, {5, 0, 7}, {9, 0, 9}, {12, 1, 3}};
  for (const auto& c : cases) {
    EXPECT_EQ(ResolveDirCode(c.direction, c.facing, 0), c.code) << c.direction << "/" << c.facing;
  }
}

TEST_F(VolleyTest, ThunderAndSurroundWithoutATargetMakeNothing) {
  Build();
  rec.nCount = 3;
  rec.nFormTarget = 0;
  Walker().nTarget = -1;
  for (const int f : {3, 5}) {
    rec.nFormation = static_cast<std::uint8_t>(f);
    FireShots(Walker(), command, rec);
    EXPECT_TRUE(points.empty()) << f;
  }
}

TEST_F(VolleyTest, SurroundPutsPointsOnACircleFlyingInwards) {
  Build();
  rec.nFormation = 5;
  rec.nFormTarget = 1;  // the hero
  rec.nCount = 4;
  rec.nFormParam[0] = 2;  // radius 32
  rec.nDirection = 2;
  FireShots(Walker(), command, rec);
  ASSERT_EQ(points.size(), 4u);
  cPlayer& hero = world.Hero();
  const int cx = hero.Rect.left + (hero.Rect.width >> 1) + static_cast<int>(world.Scene().ScrollX.dPos) - 8;
  const int cy = hero.Rect.top + (hero.Rect.height >> 1) + static_cast<int>(world.Scene().ScrollY.dPos) - 8;
  // (int)(r cos u + 0.5) truncates towards zero: the negative side lands a pixel short.
  const int expected[4][2] = {{32, 0}, {0, 32}, {-31, 0}, {0, -31}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(points[k].x - cx, expected[k][0]) << k;
    EXPECT_EQ(points[k].y - cy, expected[k][1]) << k;
    // Inwards: the velocity points back to the centre.
    EXPECT_LE(points[k].vx * expected[k][0] + points[k].vy * expected[k][1], 0);
  }
}

TEST_F(VolleyTest, ADiagonalRowLiesOnTheHandComputedPoints) {
  Build();
  rec.nFormation = 0;
  rec.nDirection = 11;  // down-right
  rec.nCount = 2;
  rec.nFormParam[0] = 0;
  cChara& w = Walker();
  FireShots(w, command, rec);
  ASSERT_EQ(points.size(), 2u);
  const int sx = static_cast<int>(world.Scene().ScrollX.dPos);
  const int sy = static_cast<int>(world.Scene().ScrollY.dPos);
  const int L = w.Rect.left, T = w.Rect.top, pw = w.Rect.width, ph = w.Rect.height;
  const int R = L + pw - 1, B = T + ph - 1;
  const double c = 0.7071067811865476;
  const int x = static_cast<int>(static_cast<int>(pw / 2 + sx + L + c * (R + 8 - pw / 2 - L + 1) - 8) - c * 1 * 8);
  const int y = static_cast<int>(1 * 8 * c + static_cast<int>(sy + T + ph / 2 + c * (B + 8 - T - ph / 2 + 1) - 8));
  EXPECT_EQ(points[0].x, x);
  EXPECT_EQ(points[0].y, y);
  EXPECT_EQ(points[1].x - points[0].x, 16);
  EXPECT_EQ(points[1].y - points[0].y, -16);
  EXPECT_NEAR(points[0].vx, 5 * c, 1e-12);
  EXPECT_NEAR(points[0].vy, 5 * c, 1e-12);
}

TEST_F(VolleyTest, ATurnedLayoutRotatesTheFirstPointAboutTheShooter) {
  Build();
  rec.nFormation = 0;
  rec.nDirection = 2;
  rec.nAngle = 90;  // left turned by 90: up
  rec.bRotate = 1;
  rec.nCount = 1;
  cChara& w = Walker();
  FireShots(w, command, rec);
  ASSERT_EQ(points.size(), 1u);
  const int sx = static_cast<int>(world.Scene().ScrollX.dPos);
  const int sy = static_cast<int>(world.Scene().ScrollY.dPos);
  const int L = w.Rect.left, T = w.Rect.top, pw = w.Rect.width, ph = w.Rect.height;
  const int R = L + pw - 1, B = T + ph - 1;
  const double c = 0.7071067811865476;
  const double r = (B + 8 - T - ph / 2 + 1) * c;
  const double t = c * (8 + R - L - pw / 2 + 1);
  const double phi = (90 + 225) * 0.017453292519943278;
  EXPECT_EQ(points[0].x, static_cast<int>(L + pw / 2 + sx + r * std::sin(phi) + t * std::cos(phi) - 8));
  EXPECT_EQ(points[0].y, static_cast<int>(T + ph / 2 + sy + t * std::sin(phi) - r * std::cos(phi) - 8));
  EXPECT_NEAR(points[0].vx, 0, 1e-12);
  EXPECT_NEAR(points[0].vy, -5, 1e-12);  // up
}

TEST_F(VolleyTest, VolleysStepSpeedAndAngle) {
  Build();
  rec.nFormation = 4;  // burst
  rec.nCount = 1;
  rec.nDirection = 2;
  rec.nVolleys = 2;
  rec.nSpeedStep = 10;
  rec.nAngleStep = 90;
  FireShots(Walker(), command, rec);
  ASSERT_EQ(points.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(points[i].volley, i);
    EXPECT_NEAR(std::hypot(points[i].vx, points[i].vy), 5.0 + i, 1e-12);
    EXPECT_NEAR(AngleOf(points[i]), 90.0 * i, 1e-9);
  }
}

TEST_F(VolleyTest, SummonsRefuseBadIndicesAndPlayerOperatedCharacters) {
  Build();
  const cVector<cEdChara> saved = CommonPalette.Charas;
  cEdChara player = worldtest::WalkerTemplate();
  player.nOperator = 0;
  CommonPalette.Charas = cVector<cEdChara>{cEdChara{}, player};
  rec.nSummonPalette = 0;
  rec.nSummonIndex = 1;
  command.kind = kMakeChara;
  SummonChara(Walker(), command, rec);
  EXPECT_TRUE(points.empty());
  rec.nSummonIndex = 7;
  SummonChara(Walker(), command, rec);
  SummonItem(Walker(), command, rec);
  SummonBlock(Walker(), command, rec);
  EXPECT_TRUE(points.empty());
  CommonPalette.Charas[1].nOperator = 1;
  rec.nSummonIndex = 1;
  SummonChara(Walker(), command, rec);
  EXPECT_EQ(points.size(), 1u);
  CommonPalette.Charas = saved;
}

TEST_F(VolleyTest, BlockModeTwoChangesACellSharedByItsPointsOnceAndToggles) {
  Build();
  const cVector<cEdBlock> saved = CommonPalette.Blocks;
  cEdBlock brick;
  brick.nPicture = 5;
  brick.nHitKind = 1;
  CommonPalette.Blocks = cVector<cEdBlock>{cEdBlock{}, brick};
  command.record = nullptr;
  command.kind = kMakeBlock;
  rec.nSummonPalette = 0;
  rec.nSummonIndex = 1;
  rec.nFormation = 2;  // a spread: every point starts at one place
  rec.nCount = 3;
  rec.nBlockMode = 2;
  cScenePlay& s = world.Scene();
  SummonBlock(Walker(), command, rec);
  ASSERT_EQ(s.ChangedCells.size(), 1u);
  const int cell = s.ChangedCells[0];
  EXPECT_EQ(s.BlockMap.Block(cell).nPicture, 5);  // placed once, not toggled back by the other points
  SummonBlock(Walker(), command, rec);  // each summon starts a fresh record: the block goes
  EXPECT_EQ(s.ChangedCells.size(), 1u);
  EXPECT_EQ(s.BlockMap.Block(cell).nPicture, 0);
  rec.nBlockMode = 0;
  s.ChangedCells.clear();
  SummonBlock(Walker(), command, rec);
  EXPECT_TRUE(s.ChangedCells.empty());
  EXPECT_EQ(s.BlockMap.Block(cell).nPicture, 5);
  CommonPalette.Blocks = saved;
}

TEST_F(VolleyTest, FiredShotsFlyAndAHomingShotJoinsItsTargetsList) {
  Build();
  command.record = nullptr;
  rec.nFormation = 2;
  rec.nCount = 3;
  rec.nFormParam[0] = 20;
  rec.nDirection = 0;
  rec.nTrajectory = 6;
  rec.nTrajParam[1] = 999;
  cChara& w = Walker();
  w.nTarget = 0;
  FireShots(w, command, rec);
  ASSERT_EQ(world.Scene().ShotList.size(), 3u);
  EXPECT_EQ(world.Hero().HomingShots.size(), 3u);
  const int group = world.Scene().ShotList.front().Rec.nGroup;
  EXPECT_EQ(world.Scene().ShotGroups[group].size(), 3u);
  world.Step(1);
  EXPECT_EQ(world.Scene().ShotGroups[group].size(), world.Scene().ShotList.size());
}

}  // namespace
