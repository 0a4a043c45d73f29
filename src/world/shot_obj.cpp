#include "world/shot_obj.h"

#include <cmath>

#include "data/database.h"
#include "data/system_data.h"
#include "world/approach_solver.h"
#include "world/chara_search.h"
#include "world/motion_helpers.h"
#include "world/scene_play.h"
#include "core/world_math.h"

namespace {

cScenePlay& Scene() { return *PlaySceneGlobal; }

constexpr double kRadToDegWave = 57.29577951308239;
constexpr double kDegToRadWave = 0.017453292519943278;
constexpr double kTwoPi = 6.283185307179586;

bool SignFlipped(double before, double after) { return (before > 0 && after < 0) || (before < 0 && after > 0); }

}  // namespace

const AnimeStepTable& ShotAnimes() {
  static const AnimeStepTable table = [] {
    AnimeStepTable t(2);
    t[0] = cVector<AnimeStep>{{0, 1, 0}, {kAnimeStay, 0, 0}};
    t[1] = cVector<AnimeStep>{{0, 4, 0}, {1, 4, 0}, {kAnimeLoop, 0, 0}};
    return t;
  }();
  return table;
}

cShotObj::cShotObj() {
  Rec.bTakeGroup = 1;
  Rec.nScale = 1;
}

void cShotObj::ScaleBoxes(int scale) {
  Box.offX = Box.baseOffX * scale;
  Box.offY = Box.baseOffY * scale;
  Box.width = Box.baseWidth * scale;
  Box.height = Box.baseHeight * scale;
}

void cShotObj::KeepFootOnScale(int newScale, int oldScale) {
  if (newScale == oldScale) return;
  y -= static_cast<double>(newScale - oldScale) * (nBaseHeight >> 1);
  ClampY(2);
}

void cShotObj::UpdateBoxX() {
  Box.left = TruncToInt(x) + Box.offX;
  Box.right = Box.left + Box.width - 1;
}

void cShotObj::UpdateBoxY() {
  Box.top = TruncToInt(y) + Box.offY;
  Box.bottom = Box.top + Box.height - 1;
}

bool cShotObj::HasHit(int number) const {
  for (std::int32_t n : HitList) {
    if (n == number) return true;
  }
  return false;
}

void cShotObj::AimAcceleration(double dirX, double dirY) {
  const double b = Scene().Units.dSubSteps;
  ax = ay = 0;
  if (dirX != 0 && dirY != 0) {
    const double len = std::sqrt(dirX * dirX + dirY * dirY);
    ax = PerSecondToPerStep(dirX / len * dAccel, b);
    ay = PerSecondToPerStep(dirY / len * dAccel, b);
  } else if (dirX != 0) {
    ax = dirX > 0 ? PerSecondToPerStep(dAccel, b) : -PerSecondToPerStep(dAccel, b);
  } else if (dirY != 0) {
    ay = dirY > 0 ? PerSecondToPerStep(dAccel, b) : -PerSecondToPerStep(dAccel, b);
  }
}

void cShotObj::Init(int number, const cCharaBase& shooter, int kind, const cEdShot& record, const ShotSpawn& spawn) {
  cScenePlay& s = Scene();
  Rec = record;
  if (Rec.nScale == 0) Rec.nScale = 1;
  const int facing = spawn.vx > 0 ? 1 : spawn.vx < 0 ? 0 : shooter.nFacing;
  int w = 16;
  int h = 16;
  int firstAnime = 1;
  if (kind == kMakeSword) {
    cEdSwordType& type = Database.SwordTypes[Rec.nTrajectory];
    const cEdSwordPart& part = type.Parts[0];
    w = part.nRectWidth;
    h = part.nRectHeight;
    bIsShot = 0;
    firstAnime = 0;
  } else {
    bIsShot = 1;
  }
  nOwner = shooter.nNumber;
  Setup(number, shooter.nOperator, shooter.nPlayerNo, Rec.nGroup, Rec.nPicture, &ShotAnimes(), firstAnime, 0, 0, w, h,
        16, 16, facing, 1, spawn.volley);
  if (Rec.bTakeGroup != 0) {
    Rec.nGroup = static_cast<std::uint8_t>(shooter.Def.nGroup);
    nGroup = Rec.nGroup;
  }
  if (kind == kMakeSword) {
    Box.SetBoth(0, 0, w, h);
  } else {
    const std::int32_t* size = shooter.IsPlayerOperated() ? s.Stage.nHeroShotHitBox : s.Stage.nCharaShotHitBox;
    Box.SetBoth(8 - size[0] / 2, 8 - size[1] / 2, size[0], size[1]);
  }
  SetScale(Rec.nScale, 1);
  x = spawn.x;
  ClampToMap();
  y = spawn.y;
  ClampY(2);
  const double b = s.Units.dSubSteps;
  dBaseVx = spawn.vx / b;
  dBaseVy = spawn.vy / b;
  if (Rec.bAccelerate != 0) {
    bAccelerating = 1;
    dAccel = (Rec.nAccel + Rec.nAccelStep * spawn.volley) * 0.1 / b;
    AimAcceleration(spawn.vx, spawn.vy);
  } else {
    bAccelerating = 0;
    dAccel = ax = ay = 0;
  }
  vx = vy = 0;
  bFollowScroll = Rec.bFollowScroll;
  if (Rec.bLifeLimited != 0) nLifeTimer = TruncToInt(spawn.life * b * 6);
  if (Rec.bRangeLimited != 0) {
    double distance = spawn.range * 16.0 - nWidth;
    if (distance < 0) distance = 0;
    const double v = std::fabs(spawn.speed / b);
    if (distance > 0 && v > 0) {
      nRangeTimer = TruncToInt(distance / v);
    } else if (TruncToInt(b * v) > nWidth) {
      nRangeTimer = TruncToInt(nWidth / v);
    } else {
      nRangeTimer = TruncToInt(b);
    }
    if (nRangeTimer < b) {
      // The whole range fits in one frame: it is covered in exactly b sub-steps.
      const double sum = std::fabs(spawn.vx) + std::fabs(spawn.vy);
      if (sum != 0) {
        dBaseVx = distance / b * spawn.vx / sum;
        dBaseVy = distance / b * spawn.vy / sum;
      }
      nRangeTimer = TruncToInt(b);
    }
  }
  nStepCount = nPart = nChangeTime = nHomingEnd = bTrajDone = 0;
  nTarget = shooter.nTarget;
}

void cShotObj::CarriedSpeed() {
  const cScenePlay& s = Scene();
  const bool flying = bNoGravity != 0;
  if (SystemData.bLegacy214 == 0 && bFollowScroll != 0) {
    vx = s.ScrollX.CountedAutoSpeed();
    if (flying) vy = s.ScrollY.CountedAutoSpeed();
  } else {
    vx = 0;
    if (flying) vy = 0;
  }
}

int cShotObj::Update() {
  if (IsSword()) return SwordStep();
  CarriedSpeed();
  RunTrajectory();
  const bool flying = bNoGravity != 0;
  if (bAccelerating != 0) {
    dBaseVx += ax;
    if (flying) {
      dBaseVy += ay;
    } else {
      vy += ay;
    }
  }
  vx += dBaseVx;
  if (flying) vy += dBaseVy;
  if (Rec.bLifeLimited != 0) {
    if (nLifeTimer <= 0) return 1;
    --nLifeTimer;
  }
  if (vx != 0) nFacing = vx > 0 ? 1 : 0;
  if (Rec.bRangeLimited != 0) {
    if (nRangeTimer > 0) --nRangeTimer;
    if (nRangeTimer == 0) {
      if (Rec.nRangeEnd == 0) return 1;
      if (Rec.nRangeEnd == 1) {
        dBaseVx = dBaseVy = 0;
        Rec.nTrajectory = 0;
        CarriedSpeed();
      }
    }
  }
  return 0;
}

int cShotObj::Distance(int halfBlocks) const {
  if (dTrajSpeed == 0) return 0;
  return TruncToInt(halfBlocks * 16 / dTrajSpeed);
}

cCharaBase* cShotObj::Aimed(int kind, int groupParam) {
  cScenePlay& s = Scene();
  switch (kind) {
    case 1:
    case 4:
      return &s.Hero();
    case 2:
    case 5:
    case 7: {
      UpdateScreenRect();
      CharaFilter f;
      f.skipInvincible2 = true;
      const double cx = Rect.left + (Rect.width >> 1);
      const double cy = Rect.top + (Rect.height >> 1);
      return FindNearestChara(cx, cy, s.CharaGroups[groupParam], s.Stage.bOnScreenHitsOnly != 0 ? 2 : 0, f);
    }
    case 3:
    case 6: {
      cCharaBase* t = nTarget >= 0 ? s.FindCharaByNumber(nTarget) : nullptr;
      return t != nullptr && t->bDead == 0 ? t : nullptr;
    }
    default:
      return nullptr;
  }
}

bool cShotObj::Solve(const cCharaBase& aimed, double& outVx, double& outVy) {
  cScenePlay& s = Scene();
  // Both rectangles are refreshed first, so an aim never starts from a stale point.
  UpdateScreenRect();
  const_cast<cCharaBase&>(aimed).UpdateScreenRect();
  ApproachInput in;
  in.fx = Rect.left + (Rect.width >> 1);
  in.fy = Rect.top + (Rect.height >> 1);
  in.tx = aimed.Rect.left + (aimed.Rect.width >> 1);
  in.ty = aimed.Rect.top + (aimed.Rect.height >> 1);
  in.v = dTrajSpeed;
  in.hasTarget = true;
  in.moverFollows = bFollowScroll != 0;
  in.targetFollows = aimed.bFollowScroll != 0;
  in.allFollow = SystemData.bLegacy214 != 0;
  in.scrollX = s.ScrollX.CountedAutoSpeed();
  in.scrollY = s.ScrollY.CountedAutoSpeed();
  const ApproachResult r = SolveApproach(in);
  if (r.gaveUp) return false;
  outVx = r.vx;
  outVy = r.vy;
  return true;
}

void cShotObj::RunTrajectory() {
  if (bTrajDone != 0) return;
  const int kind = Rec.nTrajectory;
  if (kind <= 0 || kind > 9) return;
  const double b = Scene().Units.dSubSteps;
  if (nStepCount == 0) dTrajSpeed = (Rec.nSpeed + Rec.nSpeedStep * nGroupIndex) * 0.1 / b;
  const std::int16_t* q = Rec.nTrajParam;
  if (kind <= 3) {
    nChangeTime = q[0] != 0 ? Distance(q[0]) : 0;
    if (nStepCount == nChangeTime) {
      if (cCharaBase* aimed = Aimed(kind, q[1])) {
        double nvx = 0;
        double nvy = 0;
        if (Solve(*aimed, nvx, nvy)) {
          dBaseVx = nvx;
          dBaseVy = nvy;
          if (bAccelerating != 0) AimAcceleration(dBaseVx, dBaseVy);
        }
      }
      bTrajDone = 1;
    }
  } else if (kind <= 7) {
    if (q[0] != 0) nChangeTime = Distance(q[0]);
    if (q[1] != 0) nHomingEnd = Distance(q[1]);
    if (nStepCount >= nHomingEnd) {
      bTrajDone = 1;
    } else if (nStepCount >= nChangeTime) {
      if (cCharaBase* aimed = Aimed(kind, q[2])) {
        double nvx = 0;
        double nvy = 0;
        if (Solve(*aimed, nvx, nvy)) {
          if (bAccelerating == 0 || nStepCount == nChangeTime) {
            dBaseVx = nvx;
            dBaseVy = nvy;
          } else {
            AimAcceleration(nvx, nvy);
          }
        }
      }
    }
  } else if (kind == 8) {
    if (nStepCount == 0) {
      dWaveAmplitude = q[0] * 16.0;
      nStepCount = 1;
      dWaveZero = 0;
      const double a = nFacing == 1 ? q[2] : q[2] + 180.0;
      dWavePhase = q[1] != 0 ? b * (a / q[1]) : 0.0;
      const double h = WaveVelocity(dWaveAmplitude, q[1], dWavePhase, 1, 0, b);
      double theta = WorldAtan2(dBaseVy, dBaseVx);
      if (theta < 0) theta += kTwoPi;
      theta = (theta * kRadToDegWave - 90) * kDegToRadWave;
      dWaveNx = WorldCos(theta);
      dWaveNy = WorldSin(theta);
      dBaseVx += h * dWaveNx;
      dBaseVy += h * dWaveNy;
      if (bAccelerating != 0) AimAcceleration(dBaseVx, dBaseVy);
      return;
    }
    const double g = WaveVelocityY(dWaveAmplitude, q[1], dWavePhase, 1, 0, b);
    const double oldX = dBaseVx;
    const double oldY = dBaseVy;
    dBaseVx += g * dWaveNx;
    dBaseVy += g * dWaveNy;
    if (SignFlipped(oldX, dBaseVx)) dBaseVx = 0;
    if (SignFlipped(oldY, dBaseVy)) dBaseVy = 0;
    if (bAccelerating != 0) AimAcceleration(dBaseVx, dBaseVy);
  } else {
    nChangeTime = Distance(q[0]);
    if (nStepCount >= nChangeTime) {
      vy = dBaseVy;
      bNoGravity = 0;
      bTrajDone = 1;
    }
  }
  ++nStepCount;
}

int cShotObj::MoveX() {
  if (ax != 0) vx += ax;
  if (vx != 0) {
    const double limit = Scene().Units.dSpeedLimitPerStep;
    if (vx > limit) vx = limit;
    if (vx < -limit) vx = -limit;
    x += vx;
    ClampToMap();
  }
  return 0;
}

int cShotObj::MoveY() {
  if (ay != 0) vy += ay;
  if (vy != 0) {
    cGameObj::MoveY(2);
    ClampY(2);
  }
  return 0;
}

void cShotObj::ClampToMap() {
  const int mapWidth = Scene().ScrollX.nMapPixels;
  if (x < 0) x = 0;
  if (x + nWidth - 1 >= mapWidth) x = mapWidth - nWidth;
  right = x + nWidth - 1;
  UpdateBoxX();
  RecomputeCellsX();
}

bool cShotObj::TouchesTerrain() const {
  if (Rec.bThroughBlocks != 0) return false;
  cScenePlay& s = Scene();
  const int left = TruncToInt(Box.left);
  const int top = TruncToInt(Box.top);
  const auto hits = [&](int px, int py) { return s.HitKind(s.CellAt(px, py), nGroup) != 0; };
  if (Box.width > 32) {
    // Every cell the box covers, on a 32-pixel grid plus the last row and column.
    const auto axisPoints = [](int size, auto&& visit) {
      for (int o = 0; o < size; o += 32) {
        if (visit(o)) return true;
      }
      return size > 0 && visit(size - 1);
    };
    return axisPoints(Box.width, [&](int ox) {
      return axisPoints(Box.height, [&](int oy) { return hits(left + ox, top + oy); });
    });
  }
  const int r = left + Box.width - 1;
  const int b = top + Box.height - 1;
  return hits(left, top) || hits(left, b) || hits(r, top) || hits(r, b);
}

int cShotObj::SwordStep() {
  cScenePlay& s = Scene();
  cCharaBase* owner = s.FindCharaByNumber(nOwner);
  if (owner == nullptr) return 1;
  owner->UpdateScreenRect();
  nFacing = owner->nFacing;
  cEdSwordType& type = Database.SwordTypes[Rec.nTrajectory];
  const cEdSwordPart& part = type.Parts[nPart];
  const int k = Rec.nScale;
  if (nStepCount == 0) {
    Rect.baseWidth = nBaseWidth = Box.baseWidth = part.nRectWidth;
    Rect.baseHeight = nBaseHeight = Box.baseHeight = part.nRectHeight;
    Rect.width = nWidth = Box.width = k * part.nRectWidth;
    Rect.height = nHeight = Box.height = k * part.nRectHeight;
  }
  const ObjRect& o = owner->Rect;
  const int sx = TruncToInt(s.ScrollX.dPos);
  const int sy = TruncToInt(s.ScrollY.dPos);
  const int w = nWidth;
  const int h = nHeight;
  const bool right = owner->nFacing == 1;
  switch (part.nAttach) {
    case 1:
      nFacing = right ? 0 : 1;
      x = right ? o.left + sx - w : sx + o.right + 1;
      y = o.top + (o.height >> 1) + sy - (h >> 1);
      break;
    case 2:
      x = o.left + (o.width >> 1) + sx - (w >> 1);
      y = o.top + sy - h;
      break;
    case 3:
      x = o.left + (o.width >> 1) + sx - (w >> 1);
      y = sy + o.bottom + 1;
      break;
    default:
      x = right ? sx + o.right + 1 : o.left + sx - w;
      y = o.top + (o.height >> 1) + sy - (h >> 1);
      break;
  }
  if (right) {
    x += part.bMirrorX != 0 ? -k * part.nOffsetX : k * part.nOffsetX;
    y += part.bMirrorY != 0 ? -k * part.nOffsetY : k * part.nOffsetY;
  } else {
    x += k * part.nOffsetX;
    y += k * part.nOffsetY;
  }
  ClampToMap();
  ClampY(2);
  ++nStepCount;
  if (part.nDuration * s.Units.subSteps6 >= nStepCount) return 0;
  nStepCount = 0;
  ++nPart;
  return nPart >= static_cast<int>(type.Parts.size()) ? 1 : 0;
}

cShotObj& AddShotObj(cScenePlay& scene, const cShotObj& shot) {
  cShotObj& added = scene.ShotList.emplace_back(shot);
  scene.ShotGroups[added.Rec.nGroup].push_back(&added);
  return added;
}
