// Shots: their trajectories, range and lifetime, terrain, hits on characters and on each other.
#include <gtest/gtest.h>

#include <cmath>

#include "data/database.h"
#include "support/world_fixture.h"
#include "world/shot_obj.h"

namespace {

using worldtest::WorldFixture;

// The hero on the left, a walker (1) further right, an open field above a floor.
class ShotsTest : public testing::Test {
 protected:
  ShotsTest() : world({"..........", "..........", "H.......e.", "##########"}, 2) {
    world.stage.nCharaShotHitBox[0] = world.stage.nCharaShotHitBox[1] = 16;
    world.stage.nHeroShotHitBox[0] = world.stage.nHeroShotHitBox[1] = 16;
    rec.bTakeGroup = 0;
    rec.nGroup = 5;
    rec.bThroughBlocks = 1;
  }
  double B() { return world.Scene().Units.dSubSteps; }
  cShotObj& Fire(cCharaBase& shooter, double x, double y, double vx, double vy) {
    ShotSpawn p;
    p.x = static_cast<int>(x);
    p.y = static_cast<int>(y);
    p.vx = vx;
    p.vy = vy;
    p.speed = std::hypot(vx, vy);
    p.range = range;
    cShotObj shot;
    shot.Init(world.Scene().nShotNumber++, shooter, kMakeShot, rec, p);
    return AddShotObj(world.Scene(), shot);
  }
  cChara& Walker() { return *world.Chara(1); }
  WorldFixture world;
  cEdShot rec;
  int range = 0;
};

TEST_F(ShotsTest, AimAtHeroWithoutDelayAimsFromTheShotsTrueCentreInTheFirstSubStep) {
  world.Build();
  rec.nTrajectory = 1;
  rec.nSpeed = 40;
  cChara& w = Walker();
  cShotObj& shot = Fire(w, w.x - 40, w.y - 64, 0, 0);
  EXPECT_EQ(shot.Update(), 0);
  ASSERT_EQ(shot.bTrajDone, 1);
  cPlayer& hero = world.Hero();
  hero.UpdateScreenRect();
  const double dx = (hero.Rect.left + (hero.Rect.width >> 1)) - (shot.Rect.left + 8);
  const double dy = (hero.Rect.top + (hero.Rect.height >> 1)) - (shot.Rect.top + 8);
  const double speed = 40 * 0.1 / B();
  EXPECT_NEAR(shot.dBaseVx, speed * dx / std::hypot(dx, dy), 1e-9);
  EXPECT_NEAR(shot.dBaseVy, speed * dy / std::hypot(dx, dy), 1e-9);
  EXPECT_LT(shot.dBaseVx, 0);
  EXPECT_GT(shot.dBaseVy, 0);  // the shot starts above the hero's centre
}

TEST_F(ShotsTest, OnlyAnAcceleratingHomingShotKeepsItsBaseVelocityAfterHomingStarts) {
  world.Build();
  rec.nTrajectory = 4;
  rec.nSpeed = 20;
  rec.nTrajParam[1] = 999;
  cChara& w = Walker();
  for (const int accelerating : {0, 1}) {
    rec.bAccelerate = static_cast<std::uint8_t>(accelerating);
    rec.nAccel = 10;
    cShotObj& shot = Fire(w, w.x, w.y - 80, 0, -1);
    shot.Update();
    EXPECT_LT(shot.dBaseVx, 0) << accelerating;  // the solver's velocity, towards the hero
    shot.dBaseVx = shot.dBaseVy = 0;
    shot.Update();
    if (accelerating != 0) {
      EXPECT_EQ(shot.dBaseVx, shot.ax);  // it steers by its acceleration only
      EXPECT_LT(shot.ax, 0);
    } else {
      EXPECT_LT(shot.dBaseVx, -0.5);
    }
  }
}

TEST_F(ShotsTest, WaveComponentsNeverCrossZeroInOneStep) {
  world.Build();
  rec.nTrajectory = 8;
  rec.nTrajParam[0] = 6;
  rec.nTrajParam[1] = 30;
  rec.nSpeed = 20;
  cChara& w = Walker();
  cShotObj& shot = Fire(w, w.x, w.y - 100, -0.5, 0);
  double lastVx = -1;
  double lastVy = 0;
  for (int i = 0; i < 400; ++i) {
    shot.Update();
    const bool crossedX = (lastVx > 0 && shot.dBaseVx < 0) || (lastVx < 0 && shot.dBaseVx > 0);
    const bool crossedY = (lastVy > 0 && shot.dBaseVy < 0) || (lastVy < 0 && shot.dBaseVy > 0);
    ASSERT_FALSE(crossedX) << "step " << i;
    ASSERT_FALSE(crossedY) << "step " << i;
    lastVx = shot.dBaseVx;
    lastVy = shot.dBaseVy;
  }
}

TEST_F(ShotsTest, ARangeShorterThanAFrameEndsInExactlyBSubStepsAndStopStays) {
  world.Build();
  const int b = world.Scene().Units.subSteps;
  ASSERT_GT(b, 1);
  rec.bRangeLimited = 1;
  range = 2;  // 32 pixels less the width: 16
  cChara& w = Walker();
  cShotObj& vanishing = Fire(w, w.x - 100, w.y - 64, -40, 0);
  EXPECT_EQ(vanishing.nRangeTimer, b);
  EXPECT_NEAR(vanishing.dBaseVx * b, -16, 1e-9);
  int steps = 0;
  while (vanishing.Update() == 0 && steps < 100) ++steps;
  EXPECT_EQ(steps, b - 1);  // removed in sub-step b

  rec.nRangeEnd = 1;
  cShotObj& stopping = Fire(w, w.x - 100, w.y - 64, -40, 0);
  for (int i = 0; i < 5 * b; ++i) ASSERT_EQ(stopping.Update(), 0);
  EXPECT_EQ(stopping.vx, 0);
  EXPECT_EQ(stopping.dBaseVx, 0);
}

TEST_F(ShotsTest, AShotRidesTheAutoScrollOnlyWhenAskedAndNotUnderTheOldRule) {
  world.Build();
  cScrollAxis& axis = world.Scene().ScrollX;
  axis.nAutoOn = 1;
  axis.bAtEdge = 0;
  axis.dAutoSpeed = 0.75;
  const struct {
    int follows, legacy;
    double vx;
  } cases[] = {{1, 0, 0.75}, {0, 0, 0}, {1, 1, 0}};
  for (const auto& c : cases) {
    SystemData.bLegacy214 = c.legacy;
    rec.bFollowScroll = static_cast<std::uint8_t>(c.follows);
    cShotObj& shot = Fire(Walker(), 400, 400, 0, 0);
    shot.Update();
    EXPECT_EQ(shot.vx, c.vx) << c.follows << "/" << c.legacy;
  }
}

TEST_F(ShotsTest, ZeroSpeedKeepsTheBaseVelocityAtZero) {
  world.Build();
  rec.bRangeLimited = 1;
  range = 4;
  cShotObj& shot = Fire(Walker(), 400, 400, 0, 0);
  EXPECT_EQ(shot.dBaseVx, 0);
  EXPECT_EQ(shot.dBaseVy, 0);
  EXPECT_EQ(shot.nRangeTimer, world.Scene().Units.subSteps);
}

TEST_F(ShotsTest, TerrainTestsCoverNarrowCornersAndEveryCellOfAWideShot) {
  world.rows = {"..........", "....#.....", "..........", "H.......e.", "##########"};
  world.Build();
  rec.bThroughBlocks = 0;
  const double blockX = WorldFixture::BlockX(4);
  const double blockY = WorldFixture::BlockY(1);
  cChara& w = Walker();
  // Narrow: a box just left of the block misses it, one pixel further right touches.
  cShotObj& narrow = Fire(w, blockX - 16, blockY, 0, 0);
  EXPECT_FALSE(narrow.TouchesTerrain());
  narrow.x += 1;
  narrow.ClampToMap();
  EXPECT_TRUE(narrow.TouchesTerrain());
  // Wide (scale 5, 80 pixels): the block lies under the middle of the box, under no corner.
  world.stage.nCharaShotHitBox[0] = world.stage.nCharaShotHitBox[1] = 16;
  rec.nScale = 5;
  cShotObj& wide = Fire(w, blockX - 32, blockY - 32, 0, 0);
  ASSERT_GT(wide.Box.width, 32);
  EXPECT_TRUE(wide.TouchesTerrain());
  rec.bThroughBlocks = 1;
  cShotObj& through = Fire(w, blockX, blockY, 0, 0);
  EXPECT_FALSE(through.TouchesTerrain());
}

struct EraseCase {
  int strengthA, strengthB;
  bool aGoes, bGoes;
};

TEST_F(ShotsTest, ErasableShotsEraseByStrength) {
  const EraseCase cases[] = {{2, 5, true, false}, {5, 5, true, true}, {5, 2, false, true}};
  world.Build();
  cChara& w = Walker();
  for (const EraseCase& c : cases) {
    world.Scene().ShotList.clear();
    for (auto& g : world.Scene().ShotGroups) g.clear();
    rec.bErasable = 1;
    rec.nGroup = 2;
    rec.nEraseLevel = static_cast<std::uint8_t>(c.strengthA);
    const int a = Fire(w, 500, 380, 0, 0).nNumber;
    rec.nGroup = 3;
    rec.nEraseLevel = static_cast<std::uint8_t>(c.strengthB);
    const int b = Fire(w, 504, 380, 0, 0).nNumber;
    world.Scene().CheckGroupHits();
    bool aLeft = false;
    bool bLeft = false;
    for (const cShotObj& s : world.Scene().ShotList) {
      aLeft = aLeft || s.nNumber == a;
      bLeft = bLeft || s.nNumber == b;
    }
    EXPECT_EQ(aLeft, !c.aGoes) << c.strengthA << " vs " << c.strengthB;
    EXPECT_EQ(bLeft, !c.bGoes) << c.strengthA << " vs " << c.strengthB;
    EXPECT_EQ(world.Scene().ShotGroups[2].size() + world.Scene().ShotGroups[3].size(),
              world.Scene().ShotList.size());
  }
}

TEST_F(ShotsTest, APiercingShotHitsEachCharacterOnceAndAPlainOneIsErased) {
  world.Build();
  world.Hero().nHp = 8;
  rec.nGroup = 4;
  rec.nPower = 1;
  rec.bPierceChara = 1;
  cPlayer& hero = world.Hero();
  cShotObj& piercing = Fire(Walker(), hero.x, hero.y, 0, 0);
  piercing.Box.left = hero.Attack.left;
  piercing.Box.top = hero.Attack.top;
  piercing.Box.right = hero.Attack.right;
  piercing.Box.bottom = hero.Attack.bottom;
  for (int i = 0; i < 3; ++i) {
    hero.nInvincible = 0;
    world.Scene().CheckGroupHits();
  }
  EXPECT_EQ(hero.nHp, 7);
  EXPECT_EQ(world.Scene().ShotList.size(), 1u);
  EXPECT_EQ(world.flows.Count(0, 7), 1);

  rec.bPierceChara = 0;
  cShotObj& plain = Fire(Walker(), hero.x, hero.y, 0, 0);
  plain.Box = piercing.Box;
  hero.nInvincible = 0;
  world.Scene().CheckGroupHits();
  EXPECT_EQ(hero.nHp, 6);
  EXPECT_EQ(world.Scene().ShotList.size(), 1u);
}

TEST_F(ShotsTest, AShotNeverHitsItsOwnGroupsCharacters) {
  world.Build();
  rec.nGroup = static_cast<std::uint8_t>(world.Hero().Def.nGroup);
  rec.nPower = 5;
  cPlayer& hero = world.Hero();
  const int hp = hero.nHp;
  cShotObj& shot = Fire(Walker(), hero.x, hero.y, 0, 0);
  shot.Box.left = hero.Attack.left;
  shot.Box.top = hero.Attack.top;
  shot.Box.right = hero.Attack.right;
  shot.Box.bottom = hero.Attack.bottom;
  world.Scene().CheckGroupHits();
  EXPECT_EQ(hero.nHp, hp);
}

TEST_F(ShotsTest, AHomingShotWhoseTargetIsRemovedMidFrameFliesOnStraight) {
  world.Build();
  cChara& w = Walker();
  w.nTarget = 0;
  rec.nTrajectory = 6;
  rec.nSpeed = 20;
  rec.nTrajParam[1] = 999;
  cPlayer& hero = world.Hero();
  hero.nTarget = w.nNumber;
  cShotObj& shot = Fire(hero, w.x - 200, w.y - 100, 10, 0);
  shot.nTarget = w.nNumber;
  shot.Update();
  const double vx = shot.dBaseVx;
  const double vy = shot.dBaseVy;
  EXPECT_GT(vy, 0);  // homing down towards the walker
  for (auto it = world.Scene().CharaList.begin(); it != world.Scene().CharaList.end(); ++it) {
    if (it->nNumber == w.nNumber) {
      world.Scene().RemoveChara(it);
      break;
    }
  }
  shot.Update();
  shot.Update();
  EXPECT_EQ(shot.dBaseVx, vx);
  EXPECT_EQ(shot.dBaseVy, vy);
  EXPECT_EQ(world.Step(2), 0);
}

TEST_F(ShotsTest, SwordPartsFollowTheOwnerAndEndWithIt) {
  cEdSwordType type;
  type.Parts.resize(2);
  type.Parts[0].nRectWidth = 20;
  type.Parts[0].nRectHeight = 10;
  type.Parts[0].nDuration = 0;
  type.Parts[1] = type.Parts[0];
  type.Parts[1].nAttach = 2;
  type.Parts[1].nDuration = 1;
  const cVector<cEdSwordType> saved = Database.SwordTypes;
  Database.SwordTypes = cVector<cEdSwordType>{type};
  world.Build();
  rec.nTrajectory = 0;
  cChara& w = Walker();
  w.nFacing = 1;
  ShotSpawn p;
  p.w = 20;
  p.h = 10;
  cShotObj sword;
  sword.Init(0, w, kMakeSword, rec, p);
  cShotObj& s = AddShotObj(world.Scene(), sword);
  ASSERT_TRUE(s.IsSword());
  EXPECT_EQ(s.Update(), 0);  // duration 0: shown for one sub-step
  w.UpdateScreenRect();
  EXPECT_EQ(s.nPart, 1);
  const int b = world.Scene().Units.subSteps;
  for (int i = 0; i < 6 * b; ++i) ASSERT_EQ(s.Update(), 0);
  // Above the owner, centred.
  EXPECT_EQ(static_cast<int>(s.x), w.Rect.left + (w.Rect.width >> 1) - 10 + static_cast<int>(world.Scene().ScrollX.dPos));
  EXPECT_EQ(s.Update(), 1);  // past its last part

  cShotObj again;
  again.Init(1, w, kMakeSword, rec, p);
  cShotObj& s2 = AddShotObj(world.Scene(), again);
  for (auto it = world.Scene().CharaList.begin(); it != world.Scene().CharaList.end(); ++it) {
    if (it->nNumber == w.nNumber) {
      world.Scene().RemoveChara(it);
      break;
    }
  }
  EXPECT_EQ(s2.Update(), 1);
  Database.SwordTypes = saved;
}

TEST_F(ShotsTest, SwordsAttachInFourPlacesByFacing) {
  cEdSwordType type;
  type.Parts.resize(1);
  type.Parts[0].nRectWidth = 20;
  type.Parts[0].nRectHeight = 10;
  type.Parts[0].nDuration = 5;
  type.Parts[0].nOffsetX = 3;
  type.Parts[0].bMirrorX = 1;
  const cVector<cEdSwordType> saved = Database.SwordTypes;
  world.Build();
  cChara& w = Walker();
  const int sx = static_cast<int>(world.Scene().ScrollX.dPos);
  const int sy = static_cast<int>(world.Scene().ScrollY.dPos);
  for (int attach = 0; attach < 4; ++attach) {
    for (int facing = 0; facing < 2; ++facing) {
      type.Parts[0].nAttach = attach;
      Database.SwordTypes = cVector<cEdSwordType>{type};
      w.nFacing = facing;
      w.UpdateScreenRect();
      const ObjRect& r = w.Rect;
      const bool right = facing == 1;
      int x = 0;
      int y = r.top + r.height / 2 + sy - 5;
      if (attach == 0) x = right ? sx + r.left + r.width : r.left + sx - 20;
      if (attach == 1) x = right ? r.left + sx - 20 : sx + r.left + r.width;
      if (attach >= 2) x = r.left + r.width / 2 + sx - 10;
      if (attach == 2) y = r.top + sy - 10;
      if (attach == 3) y = sy + r.top + r.height;
      x += right ? -3 : 3;  // the x offset mirrors for a right-facing owner
      ShotSpawn p;
      cShotObj sword;
      sword.Init(0, w, kMakeSword, rec, p);
      ASSERT_EQ(sword.SwordStep(), 0);
      EXPECT_EQ(static_cast<int>(sword.x), x) << attach << "/" << facing;
      EXPECT_EQ(static_cast<int>(sword.y), y) << attach << "/" << facing;
      EXPECT_EQ(sword.nFacing, attach == 1 ? 1 - facing : facing) << attach << "/" << facing;
    }
  }
  Database.SwordTypes = saved;
}

}  // namespace
