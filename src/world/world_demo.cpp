#include "world/world_demo.h"

#include "world/volley.h"

#include "core/rand_range.h"
#include "world/scene_play.h"
#include "core/world_math.h"

namespace {

// The layout's own sequence, apart from the game's generator.
class LayoutRandom {
 public:
  explicit LayoutRandom(std::uint32_t seed) : state_(seed) {}
  int Next(int n) {
    state_ = state_ * 1103515245u + 12345u;
    return n > 0 ? static_cast<int>((state_ >> 16) % static_cast<std::uint32_t>(n)) : 0;
  }

 private:
  std::uint32_t state_;
};

cEdBlock Solid(int x, int y) {
  cEdBlock b;
  b.nPicture = 1;
  b.nHitKind = 1;
  b.x = static_cast<std::int16_t>(x);
  b.y = static_cast<std::int16_t>(y);
  return b;
}

}  // namespace

void BuildDemoStage(cStageData& st, const DemoSpec& spec) {
  LayoutRandom random(spec.layoutSeed);
  st.Reset();
  st.nWidth = spec.width;
  st.nHeight = spec.height;
  st.nMapPixelWidth = spec.width * 32;
  st.nMapPixelHeight = spec.height * 32;
  st.nHitLevel = spec.hitLevel;
  st.bOnScreenHitsOnly = 0;
  st.SetHitLevel(spec.hitLevel);
  for (int x = 0; x < spec.width; ++x) st.Blocks.push_back(Solid(x, spec.height - 1));
  for (int y = 0; y < spec.height; ++y) {
    st.Blocks.push_back(Solid(0, y));
    st.Blocks.push_back(Solid(spec.width - 1, y));
  }
  // Ledges of three to six blocks.
  for (int i = 0; i < spec.width / 6; ++i) {
    const int x = 2 + random.Next(spec.width - 8);
    const int y = 3 + random.Next(spec.height - 6);
    const int len = 3 + random.Next(4);
    for (int k = 0; k < len; ++k) st.Blocks.push_back(Solid(x + k, y));
  }
  cEdChara hero;
  hero.nPicture = 1;
  hero.nOperator = 0;
  hero.nGroup = 0;
  hero.nMaxHp = 1000000;
  hero.nPower = 1;
  hero.x = 2;
  hero.y = static_cast<std::int16_t>(spec.height - 2);
  st.Charas.push_back(hero);
  for (int i = 0; i < spec.walkers + spec.blockCharas; ++i) {
    cEdChara c;
    c.nPicture = static_cast<std::uint16_t>(2 + i % 10);
    c.nOperator = 1;
    c.nGroup = static_cast<std::uint8_t>(1 + i % std::max(spec.groups, 1));
    c.nMaxHp = 50;
    c.nPower = 1 + i % 3;
    c.nImpact = static_cast<std::int8_t>(i % 4);
    c.nFacing = static_cast<std::uint8_t>(i % 2);
    c.nActivityRange = 3;  // acts everywhere
    if (i >= spec.walkers) {
      c.bBlockChara = 1;
      c.nFlight = 2;
    }
    c.x = static_cast<std::int16_t>(3 + random.Next(spec.width - 6));
    c.y = static_cast<std::int16_t>(1 + random.Next(spec.height - 4));
    st.Charas.push_back(c);
  }
}

int cDemoFlowLink::RunFlowFrameStep(cCharaBase& c, int dyingOnly) {
  if (dyingOnly != 0) return 0;
  cScenePlay& s = *PlaySceneGlobal;
  const double b = s.Units.dSubSteps;
  if (c.bHeroFlag != 0) {
    c.vx = 1.5 / b;
    if (c.nNoGround == 0 && c.bFalling == 0 && s.nFrame % 90 == 0) c.vy = c.JumpSpeed(4);
    return 0;
  }
  if (c.Def.bBlockChara != 0) {
    // Sway on a slow wave, each with its own phase.
    const double phase = (s.nSubStepTotal + 37 * c.nNumber) * 0.01;
    c.vx = WorldCos(phase) * 0.8 / b;
    c.vy = WorldSin(phase * 0.7) * 0.5 / b;
    return 0;
  }
  if (RandRange(0, 99) < 2) c.nFacing ^= 1;
  // Turn at a wall, once per wall.
  if (c.nWallSide >= 0) c.nFacing = c.nWallSide == 0 ? 1 : 0;
  c.nWallSide = -1;
  c.vx = (c.nFacing == 1 ? 1.0 : -1.0) / b;
  if (c.nNoGround == 0 && c.bFalling == 0 && RandRange(0, 299) == 0) c.vy = c.JumpSpeed(3);
  if (chaos_) Chaos(c);
  if (actors_) Fire(c);
  return 0;
}

void cDemoFlowLink::Fire(cCharaBase& c) {
  const cScenePlay& s = *PlaySceneGlobal;
  if (c.nNumber % 4 != 1 || s.nSubStep != 1 || (s.nFrame + 7 * c.nNumber) % 90 != 0 || c.bOnScreen == 0) return;
  DemoVolley(c, (s.nFrame / 90 + c.nNumber) % 3, 0);
}

void DemoVolley(cCharaBase& c, int kind, int picture) {
  cScenePlay& s = *PlaySceneGlobal;
  cEdShot rec;
  rec.nScale = 1;
  rec.bTakeGroup = 1;
  rec.nSpeed = 30;
  rec.bLifeLimited = 1;
  rec.nLife = 40;
  rec.nDirection = 0;
  rec.nPicture = static_cast<std::int16_t>(picture);
  c.nTarget = s.Hero().nNumber;
  switch (kind) {
    case 0:  // an aimed spread of three
      rec.nFormation = 2;
      rec.nCount = 3;
      rec.nFormParam[0] = 15;
      rec.bAim = 1;
      break;
    case 1:  // a homing orb
      rec.nCount = 1;
      rec.nSpeed = 20;
      rec.nTrajectory = 4;
      rec.nTrajParam[1] = 999;
      break;
    default:  // a wave
      rec.nCount = 1;
      rec.nTrajectory = 8;
      rec.nTrajParam[0] = 2;
      rec.nTrajParam[1] = 20;
      break;
  }
  VolleyCommand command;
  FireShots(c, command, rec);
}

void cDemoFlowLink::Chaos(cCharaBase& c) {
  cScenePlay& s = *PlaySceneGlobal;
  const int roll = RandRange(0, 999);
  if (roll < 2 && s.CharaList.size() < 400) {
    // Summon a copy of this walker beside it; it is visited when the pass reaches it.
    s.SpawnCharas((TruncToInt(c.x) >> 5) - 10, (TruncToInt(c.y) >> 5) - 11, c.Def);
    s.AddToGroup(s.CharaList.back());
  } else if (roll < 4) {
    // Warp a character chosen by number, possibly one the pass has not reached.
    if (cCharaBase* other = s.FindCharaByNumber(RandRange(1, s.nCharaNumber))) {
      other->x = 320 + RandRange(0, s.ScrollX.nAreaEnd - 400);
      other->y = 320 + RandRange(0, 64);
      other->OnMovedX();
      other->OnMovedY();
    }
  } else if (roll < 6) {
    // Kill one by number, to be taken out by the HP check of the next character's pass.
    if (cCharaBase* other = s.FindCharaByNumber(RandRange(1, s.nCharaNumber)); other != nullptr && other != &c) {
      if (RandRange(0, 1) == 0) {
        other->nHp = 0;
      } else {
        other->bKillRequest = 1;
      }
      s.nKillFlag = 1;
    }
  }
}

void TopUpDemoShots(cScenePlay& scene, std::uint32_t& seed, int shots, bool harmful) {
  if (scene.CharaList.empty()) return;
  const cCharaBase& shooter = scene.CharaList.front();
  const int mapW = scene.ScrollX.nMapPixels;
  const int mapH = scene.ScrollY.nMapPixels;
  while (static_cast<int>(scene.ShotList.size()) < shots) {
    seed = seed * 1103515245u + 12345u;
    const int n = scene.nShotNumber;
    cEdShot rec;
    rec.nScale = 1;
    rec.bTakeGroup = 0;
    rec.nGroup = static_cast<std::uint8_t>(4 + n % 4);
    rec.bThroughBlocks = 1;
    rec.bPierceChara = !harmful || n % 2 == 0 ? 1 : 0;
    rec.bPierceBlockChara = 1;
    if (harmful) {
      rec.nPower = n % 5 == 0 ? 0 : 1;
      rec.nImpact = n % 3 == 0 ? 2 : 0;
    }
    rec.bErasable = n % 3 == 0 ? 1 : 0;
    rec.nEraseLevel = static_cast<std::uint8_t>(n % 5);
    rec.nSpeed = 5;
    if (n % 7 == 1) {
      rec.nTrajectory = 4;
      rec.nTrajParam[1] = 999;
    } else if (n % 7 == 2) {
      rec.nTrajectory = 8;
      rec.nTrajParam[0] = 2;
      rec.nTrajParam[1] = 20;
    }
    ShotSpawn p;
    p.x = 40 + static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(mapW - 80));
    p.y = 40 + static_cast<int>((seed >> 4) % static_cast<std::uint32_t>(mapH - 80));
    p.vx = (static_cast<int>(seed % 11) - 5) * 0.1;
    p.vy = (static_cast<int>((seed >> 16) % 11) - 5) * 0.1;
    cShotObj shot;
    shot.Init(n, shooter, kMakeShot, rec, p);
    AddShotObj(scene, shot);
    ++scene.nShotNumber;
  }
}

void PlayDemoFrames(cStageData& stage, std::uint32_t seed, int frames) {
  cDemoFlowLink flows(true);
  SetFlowLink(&flows);
  {
    cScenePlay scene(stage);
    scene.SetupField(seed);
    for (int frame = 0; frame < frames; ++frame) {
      if (scene.StepPlayFrame() != 0) break;
    }
  }
  SetFlowLink(nullptr);
}
