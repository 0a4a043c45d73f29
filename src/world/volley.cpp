#include "world/volley.h"

#include <cmath>

#include "core/rand_range.h"
#include "data/command_tables.h"
#include "data/common_palette.h"
#include "data/ed_shot.h"
#include "data/system_data.h"
#include "world/approach_solver.h"
#include "world/chara_base.h"
#include "world/scene_play.h"
#include "core/world_math.h"

namespace {

cScenePlay& Scene() { return *PlaySceneGlobal; }

constexpr double kDegToRad = 0.017453292519943278;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kC = 0.7071067811865476;

// The shooter's (or target's) screen rectangle and the scroll, as the layouts read them.
struct Frame {
  int L = 0, T = 0, R = 0, B = 0, pw = 0, ph = 0;
  int sx = 0, sy = 0;
};

Frame FrameOf(const cGameObj& o) {
  const cScenePlay& s = Scene();
  Frame f;
  f.L = o.Rect.left;
  f.T = o.Rect.top;
  f.pw = o.Rect.width;
  f.ph = o.Rect.height;
  f.R = f.L + f.pw - 1;
  f.B = f.T + f.ph - 1;
  f.sx = TruncToInt(s.ScrollX.dPos);
  f.sy = TruncToInt(s.ScrollY.dPos);
  return f;
}

struct Point {
  int x = 0, y = 0;
};

void VelocityAt(double angle, double v, ShotSpawn& p) {
  const double r = angle * kDegToRad;
  p.vx = -v * WorldCos(r);
  p.vy = -v * WorldSin(r);
}

void AxisVelocity(int code, double v, ShotSpawn& p) {
  switch (code) {
    case 3: p.vx = v, p.vy = 0; break;
    case 6: p.vx = 0, p.vy = -v; break;
    case 7: p.vx = 0, p.vy = v; break;
    case 8: p.vx = -v * kC, p.vy = -v * kC; break;
    case 9: p.vx = -v * kC, p.vy = v * kC; break;
    case 10: p.vx = v * kC, p.vy = -v * kC; break;
    case 11: p.vx = v * kC, p.vy = v * kC; break;
    default: p.vx = -v, p.vy = 0; break;
  }
}

// The straight A layout along the axis of the code: the first point and the step.
void AxisLayout(int code, int n, int g, int w, int h, const Frame& f, Point& first, Point& step) {
  const int hw = w >> 1;
  const int hh = h >> 1;
  const int hg = g >> 1;
  const int hpw = f.pw >> 1;
  const int hph = f.ph >> 1;
  const double m = n - 1;
  const auto diagX8 = [&] {
    return TruncToInt(TruncToInt(hpw + f.sx + f.L + (1 - hpw - hw) * kC - hw) - kC * m * (hg + hw));
  };
  const auto diagX10 = [&] {
    return TruncToInt(TruncToInt(hpw + f.sx + f.L + kC * (f.R + hw - hpw - f.L + 1) - hw) - kC * m * (hg + hw));
  };
  const auto upperY = [&] { return TruncToInt(f.sy + f.T + hph - kC * (hph + hh) - hh); };
  const auto lowerY = [&] { return TruncToInt(f.sy + f.T + hph + kC * (f.B + hh - f.T - hph + 1) - hh); };
  switch (code) {
    case 3:
    case 2:
    default:
      first.x = code == 3 ? f.sx + f.R + 1 : f.L + f.sx + 1 - w;
      first.y = f.sy + hph + f.T - (n - 1) * hg - n * hh;
      step = {0, g + h};
      break;
    case 6:
    case 7:
      first.x = f.sx + hpw + f.L - (n - 1) * hg - n * hw;
      first.y = code == 6 ? f.sy + f.T - h : f.sy + f.B + 1;
      step = {g + w, 0};
      break;
    case 8:
      first.x = diagX8();
      first.y = TruncToInt(m * (hh + hg) * kC + upperY());
      step = {g + w, -(g + h)};
      break;
    case 9:
      first.x = diagX8();
      first.y = TruncToInt(lowerY() - m * (hh + hg) * kC);
      step = {g + w, g + h};
      break;
    case 10:
      first.x = diagX10();
      first.y = TruncToInt(upperY() - m * (hh + hg) * kC);
      step = {g + w, g + h};
      break;
    case 11:
      first.x = diagX10();
      first.y = TruncToInt(m * (hh + hg) * kC + lowerY());
      step = {g + w, -(g + h)};
      break;
  }
}

// A point of size w × h turned by theta degrees about the shooter's centre.
Point TurnAboutCentre(double theta, int w, int h, const Frame& f) {
  const int hw = w >> 1;
  const int hh = h >> 1;
  const double r = (f.B + hh - f.T - (f.ph >> 1) + 1) * kC;
  const double t = kC * (hw + f.R - f.L - (f.pw >> 1) + 1);
  const double phi = (theta + 225) * kDegToRad;
  Point p;
  p.x = TruncToInt(f.L + (f.pw >> 1) + f.sx + r * WorldSin(phi) + t * WorldCos(phi) - hw);
  p.y = TruncToInt(f.T + (f.ph >> 1) + f.sy + t * WorldSin(phi) - r * WorldCos(phi) - hh);
  return p;
}

int AimFromPoint(const Point& p, cCharaBase& shooter, const cEdShot& rec, ShotSpawn& spawn) {
  return AimAngle(p.x + (spawn.w >> 1), p.y + (spawn.h >> 1), shooter, rec, spawn);
}

int AimFromShooter(cCharaBase& shooter, const cEdShot& rec, ShotSpawn& spawn, const Frame& f) {
  return AimAngle(f.L + (f.pw >> 1) + f.sx + spawn.offX, f.T + (f.ph >> 1) + f.sy + spawn.offY, shooter, rec, spawn);
}

void SpawnRow(int n, Point first, Point step, cCharaBase& shooter, const VolleyCommand& cmd, const cEdShot& rec,
              ShotSpawn& spawn) {
  for (int k = 0; k < n; ++k) {
    spawn.x = first.x + k * step.x;
    spawn.y = first.y + k * step.y;
    SpawnOne(spawn, shooter, cmd, rec);
  }
}

void StraightA(cCharaBase& shooter, const VolleyCommand& cmd, const cEdShot& rec, ShotSpawn& spawn) {
  const Frame f = FrameOf(shooter);
  const int n = rec.nCount;
  const int g = rec.nFormParam[0] * 16;
  const int w = spawn.w;
  const int h = spawn.h;
  Point first;
  Point step;
  if (spawn.angle == 0 && rec.bAim == 0) {
    AxisLayout(spawn.dirCode, n, g, w, h, f, first, step);
    first.x += spawn.offX;
    first.y += spawn.offY;
    AxisVelocity(spawn.dirCode, spawn.speed, spawn);
  } else if (rec.bRotate == 0) {
    AxisLayout(spawn.dirCode, n, g, w, h, f, first, step);
    first.x += spawn.offX;
    first.y += spawn.offY;
    const double base = rec.bAim != 0 ? AimFromPoint(first, shooter, rec, spawn) : BaseAngle(spawn.dirCode);
    VelocityAt(base + spawn.angle, spawn.speed, spawn);
  } else {
    double theta = (rec.bAim != 0 ? AimFromShooter(shooter, rec, spawn, f) : BaseAngle(spawn.dirCode)) + spawn.angle;
    first = TurnAboutCentre(theta, w, h, f);
    if (rec.bAim != 0) {
      const Point shifted{first.x + spawn.offX, first.y + spawn.offY};
      theta = AimFromPoint(shifted, shooter, rec, spawn) + spawn.angle;
    }
    const double d = WorldSin(theta * kDegToRad);
    const double e = WorldCos(theta * kDegToRad);
    const double m = n - 1;
    const int hg = g >> 1;
    if ((d >= 0) == (e >= 0)) {
      first.x = TruncToInt(first.x - d * (hg + (w >> 1)) * m);
      step.x = TruncToInt(d * (g + w));
      first.y = TruncToInt(first.y + e * (hg + (h >> 1)) * m);
      step.y = TruncToInt(e * -(g + h));
    } else {
      first.x = TruncToInt(first.x + d * (hg + (w >> 1)) * m);
      step.x = TruncToInt(d * -(g + w));
      first.y = TruncToInt(first.y - e * (hg + (h >> 1)) * m);
      step.y = TruncToInt(e * (g + h));
    }
    first.x += spawn.offX;
    first.y += spawn.offY;
    spawn.vx = -spawn.speed * e;
    spawn.vy = -spawn.speed * d;
  }
  SpawnRow(n, first, step, shooter, cmd, rec, spawn);
}

void StraightB(cCharaBase& shooter, const VolleyCommand& cmd, const cEdShot& rec, ShotSpawn& spawn) {
  const Frame f = FrameOf(shooter);
  const int g = rec.nFormParam[0] * 16;
  const int w = spawn.w;
  const int h = spawn.h;
  const int code = spawn.dirCode;
  const int leftX = f.L + f.sx + 1 - w;
  const int rightX = f.sx + f.R + 1;
  Point first;
  if (code == 3 || code == 10 || code == 11) {
    first.x = rightX;
  } else if (code == 6 || code == 7) {
    first.x = shooter.nFacing == 1 ? rightX : leftX;
  } else {
    first.x = leftX;
  }
  first.y = f.sy + f.B - h + 1;
  first.x += spawn.offX;
  first.y += spawn.offY;
  if (spawn.angle != 0 || rec.bAim != 0) {
    const double base = rec.bAim != 0 ? AimFromPoint(first, shooter, rec, spawn) : BaseAngle(code);
    VelocityAt(base + spawn.angle, spawn.speed, spawn);
  } else {
    AxisVelocity(code, spawn.speed, spawn);
  }
  SpawnRow(rec.nCount, first, Point{0, -(g + h)}, shooter, cmd, rec, spawn);
}

void Spread(cCharaBase& shooter, const VolleyCommand& cmd, const cEdShot& rec, ShotSpawn& spawn) {
  const Frame f = FrameOf(shooter);
  const int n = rec.nCount;
  const int w = spawn.w;
  const int h = spawn.h;
  const int code = spawn.dirCode;
  Point p;
  switch (code) {
    case 3: p = {f.sx + f.R + 1, f.sy + (f.ph >> 1) + f.T - (h >> 1)}; break;
    case 6: p = {f.sx + (f.pw >> 1) + f.L - (w >> 1), f.sy + f.T - h}; break;
    case 7: p = {f.sx + (f.pw >> 1) + f.L - (w >> 1), f.sy + f.B + 1}; break;
    case 8:
    case 9:
    case 10:
    case 11: {
      Point step;
      AxisLayout(code, 1, 0, w, h, f, p, step);
      break;
    }
    default: p = {f.sx + f.L - w + 1, f.sy + (f.ph >> 1) + f.T - (h >> 1)}; break;
  }
  p.x += spawn.offX;
  p.y += spawn.offY;
  if ((spawn.angle != 0 || rec.bAim != 0) && rec.bRotate != 0) {
    const double theta =
        (rec.bAim != 0 ? AimFromShooter(shooter, rec, spawn, f) : BaseAngle(code)) + spawn.angle;
    p = TurnAboutCentre(theta, w, h, f);
    p.x += spawn.offX;
    p.y += spawn.offY;
  }
  const double c0 = rec.bAim != 0 ? AimFromPoint(p, shooter, rec, spawn) : BaseAngle(code);
  const double p0 = rec.nFormParam[0];
  double angle = c0 + spawn.angle - p0 * ((n & 1) != 0 ? (n / 2) : (n / 2) - 0.5);
  spawn.x = p.x;
  spawn.y = p.y;
  const double speed = spawn.speed;
  for (int k = 0; k < n; ++k) {
    VelocityAt(angle, speed, spawn);
    SpawnOne(spawn, shooter, cmd, rec);
    angle += p0;
  }
}

// The character formations 3 and 5 lay out around; null when the shooter has no target.
cCharaBase* FormationTarget(cCharaBase& shooter, const cEdShot& rec) {
  cScenePlay& s = Scene();
  cCharaBase* t = nullptr;
  switch (rec.nFormTarget) {
    case 1: t = &s.Hero(); break;
    case 2: t = &shooter; break;
    default: t = shooter.nTarget >= 0 ? s.FindCharaByNumber(shooter.nTarget) : nullptr; break;
  }
  if (t != nullptr) t->UpdateScreenRect();
  return t;
}

void Thunder(cCharaBase& shooter, const VolleyCommand& cmd, const cEdShot& rec, ShotSpawn& spawn) {
  cCharaBase* target = FormationTarget(shooter, rec);
  if (target == nullptr) return;
  const Frame f = FrameOf(*target);
  const int n = rec.nCount;
  const int g = rec.nFormParam[0] * 16;
  const int k = rec.nFormParam[1];
  const int d = rec.nFormParam[2] * 16;
  const int q = SystemData.bLegacy555 == 0 ? g : 0;
  const int spreadF = ((k - 1) / 2) * d + ((k % 2) == 0 ? rec.nFormParam[2] * 8 : 0);
  const int w = spawn.w;
  const int h = spawn.h;
  const int code = spawn.dirCode;
  const double v = spawn.speed;
  const int cx = f.L + (f.pw >> 1);
  const int cy = f.T + (f.ph >> 1);
  Point p;
  Point row;
  Point train;
  switch (code) {
    case 3:
    case 2:
    default:
      p = {code == 3 ? f.sx : f.sx + 640 - w, f.sy + (f.ph >> 1) + f.T - (h >> 1)};
      row = {code == 3 ? w + q : -(w + q), 0};
      spawn.vx = code == 3 ? v : -v;
      spawn.vy = 0;
      train = {0, d};
      if (k >= 2) p.y -= spreadF;
      break;
    case 6:
    case 7:
      p = {f.sx + (f.pw >> 1) + f.L - (w >> 1), code == 6 ? f.sy + 480 - h : f.sy};
      row = {0, code == 6 ? -(h + q) : h + q};
      spawn.vx = 0;
      spawn.vy = code == 6 ? -v : v;
      train = {d, 0};
      if (k >= 2) p.x -= spreadF;
      break;
    case 8:
    case 9:
    case 10:
    case 11: {
      const int G = 640 - cx;
      const int H = 480 - cy;
      const int K = cy;
      const int E = cx;
      if (code == 8) {
        p = G < H ? Point{f.sx + 640 - w, f.sy + cy + G - h} : Point{f.sx + cx + H - w, f.sy + 480 - h};
      } else if (code == 9) {
        p = G < K ? Point{f.sx + 640 - w, f.sy + cy - G} : Point{f.sx + cx + K - w, f.sy};
      } else if (code == 10) {
        p = E < H ? Point{f.sx, f.sy + cy + E - h} : Point{f.sx + E - H, f.sy + 480 - h};
      } else {
        p = E < K ? Point{f.sx, f.sy + cy - E} : Point{f.sx + E - K, f.sy};
      }
      const int signX = code == 8 || code == 9 ? -1 : 1;
      const int signY = code == 8 || code == 10 ? -1 : 1;
      row = {TruncToInt(signX * (w + q) * kC), TruncToInt(signY * (h + q) * kC)};
      spawn.vx = signX * v * kC;
      spawn.vy = signY * v * kC;
      const int dc = TruncToInt(d * kC);
      const int fc = TruncToInt(kC * spreadF);
      if (code == 8 || code == 11) {
        train = {dc, TruncToInt(-d * kC)};
        p.x -= fc;
        p.y += fc;
      } else {
        train = {dc, dc};
        p.x -= fc;
        p.y -= fc;
      }
      break;
    }
  }
  p.x += spawn.offX;
  p.y += spawn.offY;
  if (spawn.angle != 0) VelocityAt(BaseAngle(code) + spawn.angle, v, spawn);
  for (int i = 0; i < n; ++i) {
    for (int t = 0; t < k; ++t) {
      spawn.x = p.x + t * train.x;
      spawn.y = p.y + t * train.y;
      SpawnOne(spawn, shooter, cmd, rec);
    }
    p.x += row.x;
    p.y += row.y;
  }
}

void Burst(cCharaBase& shooter, const VolleyCommand& cmd, const cEdShot& rec, ShotSpawn& spawn) {
  const Frame f = FrameOf(shooter);
  const int n = rec.nCount;
  if (n == 0) return;
  spawn.x = f.L + (f.pw >> 1) + f.sx - (spawn.w >> 1) + spawn.offX;
  spawn.y = f.T + (f.ph >> 1) + f.sy - (spawn.h >> 1) + spawn.offY;
  double angle = BaseAngle(spawn.dirCode) + spawn.angle;
  const double speed = spawn.speed;
  for (int k = 0; k < n; ++k) {
    VelocityAt(angle, speed, spawn);
    SpawnOne(spawn, shooter, cmd, rec);
    angle += 360.0 / n;
  }
}

void Surround(cCharaBase& shooter, const VolleyCommand& cmd, const cEdShot& rec, ShotSpawn& spawn) {
  cCharaBase* target = FormationTarget(shooter, rec);
  const int n = rec.nCount;
  if (target == nullptr || n == 0) return;
  const Frame f = FrameOf(*target);
  const int cx = f.L + (f.pw >> 1) + f.sx - (spawn.w >> 1) + spawn.offX;
  const int cy = f.T + (f.ph >> 1) + f.sy - (spawn.h >> 1) + spawn.offY;
  const double r = rec.nFormParam[0] * 16.0;
  const double speed = spawn.speed;
  for (int k = 0; k < n; ++k) {
    const double u = (BaseAngle(spawn.dirCode) + spawn.angle + k * 360.0 / n) * kDegToRad;
    spawn.x = TruncToInt(r * WorldCos(u) + 0.5) + cx;
    spawn.y = TruncToInt(r * WorldSin(u) + 0.5) + cy;
    spawn.vx = -speed * WorldCos(u);
    spawn.vy = -speed * WorldSin(u);
    SpawnOne(spawn, shooter, cmd, rec);
  }
}

int MirroredAngle(int angle, const cEdShot& rec, const cCharaBase& shooter) {
  if (rec.bMirrorAngle != 0 && shooter.nFacing == 1) angle = 360 - angle;
  if (rec.nSpread != 0) angle += RandRange(-rec.nSpread, rec.nSpread);
  return angle;
}

}  // namespace

int ResolveDirCode(int direction, int facing, int firstKey) {
  const bool right = facing == 1;
  switch (direction) {
    case 0: return right ? 3 : 2;
    case 1: return right ? 2 : 3;
    case 2: return 2;
    case 3: return 3;
    case 4: return right ? 7 : 6;
    case 5: return right ? 6 : 7;
    case 6: return 6;
    case 7: return 7;
    case 8:
    case 9:
    case 10:
    case 11: return direction;
    case 12: {
      const int code = DirCodeFromChoice(firstKey, right ? 1 : 0);
      return code != 0 ? code : (right ? 3 : 2);
    }
    default: return right ? 3 : 2;
  }
}

int BaseAngle(int code) {
  switch (code) {
    case 3: return 180;
    case 6: return 90;
    case 7: return 270;
    case 8: return 45;
    case 9: return 315;
    case 10: return 135;
    case 11: return 225;
    default: return 0;
  }
}

void RunFormation(cCharaBase& shooter, const VolleyCommand& command, const cEdShot& record, ShotSpawn& spawn) {
  switch (record.nFormation) {
    case 0: StraightA(shooter, command, record, spawn); break;
    case 1: StraightB(shooter, command, record, spawn); break;
    case 2: Spread(shooter, command, record, spawn); break;
    case 3: Thunder(shooter, command, record, spawn); break;
    case 4: Burst(shooter, command, record, spawn); break;
    case 5: Surround(shooter, command, record, spawn); break;
    default: break;
  }
}

int AimAngle(double x, double y, cCharaBase& shooter, const cEdShot& record, ShotSpawn& spawn) {
  cScenePlay& s = Scene();
  cCharaBase* target = shooter.nTarget >= 0 ? s.FindCharaByNumber(shooter.nTarget) : nullptr;
  if (target == nullptr) return shooter.nFacing == 1 ? 180 : 0;
  target->UpdateScreenRect();
  const double scrollX = s.ScrollX.CountedAutoSpeed();
  const double scrollY = s.ScrollY.CountedAutoSpeed();
  const double tcx = target->Rect.left + (target->Rect.width >> 1);
  const double tcy = target->Rect.top + (target->Rect.height >> 1);
  if ((scrollX == 0 && scrollY == 0) || record.bFollowScroll != 0 || target->bFollowScroll == 0) {
    const double tx = tcx + TruncToInt(s.ScrollX.dPos);
    const double ty = tcy + TruncToInt(s.ScrollY.dPos);
    return TruncToInt(WorldAtan2(ty - y, tx - x) * kRadToDeg + 180 + 0.5);
  }
  // A target carried by the scroll and a shot that is not: aim where they will meet.
  const double b = s.Units.dSubSteps;
  ApproachInput in;
  in.fx = x - s.ScrollX.dPos;
  in.fy = y - s.ScrollY.dPos;
  in.tx = tcx;
  in.ty = tcy;
  in.v = (record.nSpeed + record.nSpeedStep * spawn.volley) * 0.1 / b;
  in.hasTarget = true;
  in.moverFollows = false;
  in.targetFollows = true;
  in.allFollow = SystemData.bLegacy214 != 0;
  in.scrollX = scrollX;
  in.scrollY = scrollY;
  const ApproachResult r = SolveApproach(in);
  spawn.speed = std::sqrt(r.vx * r.vx + r.vy * r.vy) * b;
  return TruncToInt(WorldAtan2(r.vy, r.vx) * kRadToDeg + 180);
}

void FireShots(cCharaBase& shooter, const VolleyCommand& command, const cEdShot& record) {
  cScenePlay& s = Scene();
  ShotSpawn spawn;
  spawn.w = spawn.h = 16 * record.nScale;
  spawn.dirCode = ResolveDirCode(record.nDirection, shooter.nFacing, command.firstKey);
  if (!shooter.IsPlayerOperated()) shooter.UpdateScreenRect();
  if (cCharaBase* t = shooter.nTarget >= 0 ? s.FindCharaByNumber(shooter.nTarget) : nullptr) {
    if (!t->IsPlayerOperated()) t->UpdateScreenRect();
  }
  int angle = MirroredAngle(record.nAngle, record, shooter);
  double v = record.nSpeed * 0.1;
  int range = record.nRange;
  int life = record.nLife;
  for (int i = 0; i <= record.nVolleys; ++i) {
    spawn.volley = i;
    spawn.speed = v;
    spawn.angle = angle;
    spawn.range = range;
    spawn.life = life;
    spawn.offX = TruncToInt(record.VolleyOffsetX(i, shooter.nFacing));
    spawn.offY = TruncToInt(record.VolleyOffsetY(i, shooter.nFacing));
    RunFormation(shooter, command, record, spawn);
    v += record.nSpeedStep * 0.1;
    angle = MirroredAngle(record.nAngle + record.nAngleStep * (i + 1), record, shooter);
    range += record.nRangeStep;
    life += record.nLifeStep;
  }
}

namespace {

const cVector<cEdChara>& CharaPalette(int which) {
  return which == 0 ? CommonPalette.Charas : Scene().Stage.PalCharas;
}
const cVector<cEdItem>& ItemPalette(int which) { return which == 0 ? CommonPalette.Items : Scene().Stage.PalItems; }
const cVector<cEdBlock>& BlockPalette(int which) {
  return which == 0 ? CommonPalette.Blocks : Scene().Stage.PalBlocks;
}

void RunSummon(cCharaBase& summoner, const VolleyCommand& command, const cEdShot& record, int size) {
  ShotSpawn spawn;
  spawn.volley = 0;
  spawn.speed = 1.0;
  spawn.w = spawn.h = size;
  spawn.dirCode = ResolveDirCode(record.nDirection, summoner.nFacing, command.firstKey);
  spawn.offX = TruncToInt(record.VolleyOffsetX(0, summoner.nFacing));
  spawn.offY = TruncToInt(record.VolleyOffsetY(0, summoner.nFacing));
  summoner.UpdateScreenRect();
  RunFormation(summoner, command, record, spawn);
}

}  // namespace

void SummonChara(cCharaBase& summoner, const VolleyCommand& command, const cEdShot& record) {
  const cVector<cEdChara>& palette = CharaPalette(record.nSummonPalette);
  if (record.nSummonIndex < 0 || record.nSummonIndex >= static_cast<int>(palette.size())) return;
  const cEdChara& def = palette.at(static_cast<std::size_t>(record.nSummonIndex));
  if (def.nOperator != 1) return;
  RunSummon(summoner, command, record, 32 * def.nGiant);
}

void SummonItem(cCharaBase& summoner, const VolleyCommand& command, const cEdShot& record) {
  const cVector<cEdItem>& palette = ItemPalette(record.nSummonPalette);
  if (record.nSummonIndex < 0 || record.nSummonIndex >= static_cast<int>(palette.size())) return;
  RunSummon(summoner, command, record, 32 * palette.at(static_cast<std::size_t>(record.nSummonIndex)).nScale);
}

void SummonBlock(cCharaBase& summoner, const VolleyCommand& command, const cEdShot& record) {
  const cVector<cEdBlock>& palette = BlockPalette(record.nSummonPalette);
  if (record.nSummonIndex < 0 || record.nSummonIndex >= static_cast<int>(palette.size())) return;
  if (record.nBlockMode == 2) Scene().ChangedCells.clear();
  RunSummon(summoner, command, record, 32);
}

void SpawnOne(const ShotSpawn& point, cCharaBase& shooter, const VolleyCommand& command, const cEdShot& record) {
  if (command.record != nullptr) {
    command.record->push_back(point);
    return;
  }
  cScenePlay& s = Scene();
  switch (command.kind) {
    case kMakeShot: {
      cShotObj shot;
      shot.Init(s.nShotNumber, shooter, kMakeShot, record, point);
      cShotObj& added = AddShotObj(s, shot);
      ++s.nShotNumber;
      if (record.nTrajectory == 3 || record.nTrajectory == 6) {
        if (cCharaBase* t = added.nTarget >= 0 ? s.FindCharaByNumber(added.nTarget) : nullptr) {
          if (!t->HomingShots.Contains(added.nNumber)) t->HomingShots.push_back(added.nNumber);
        }
      } else {
        added.nTarget = -1;
      }
      break;
    }
    case kMakeBlock: {
      const cEdBlock& def = BlockPalette(record.nSummonPalette)[record.nSummonIndex];
      s.ChangeBlock(point.x, point.y, shooter.nFacing, record, def);
      break;
    }
    case kMakeChara: {
      int facing = shooter.nFacing;
      if (record.bSummonFaceAway != 0) facing = facing == 1 ? 0 : 1;
      cEdChara def = CharaPalette(record.nSummonPalette)[record.nSummonIndex];
      int group = def.nGroup;
      if (record.nSummonGroup == 1) group = shooter.Def.nGroup;
      if (record.nSummonGroup == 2) group = record.nGroup;
      s.SpawnCharaByCommand(def, point.x, point.y, facing, group, record);
      break;
    }
    case kMakeItem: {
      const cEdItem& def = ItemPalette(record.nSummonPalette)[record.nSummonIndex];
      s.SpawnItemByCommand(def, point.x, point.y);
      break;
    }
    default:
      break;
  }
}
