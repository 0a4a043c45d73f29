#include "world/game_obj.h"

#include <cmath>

#include "data/stage_param.h"
#include "data/system_data.h"
#include "world/approach_solver.h"
#include "world/scene_play.h"
#include "core/world_math.h"

namespace {

cScenePlay& Scene() { return *PlaySceneGlobal; }

}  // namespace

void cGameObj::Setup(int number, int operatorKind, int playerNo, int group, int graphic,
                     const AnimeStepTable* animes, int firstAnime, int offX, int offY, int w, int h, int picW,
                     int picH, int facing, int flight, int groupIndex) {
  nNumber = number;
  nOperator = operatorKind;
  nPlayerNo = playerNo;
  nGroup = group;
  nGraphic = graphic;
  nLifetime = kLifetimeUnlimited;
  if (animes != nullptr) {
    Anime.m_Animes = *animes;
    Anime.Set(firstAnime, 1);
  }
  Rect.offX = Rect.baseOffX = offX;
  Rect.offY = Rect.baseOffY = offY;
  Rect.width = Rect.baseWidth = picW;
  Rect.height = Rect.baseHeight = picH;
  nWidth = nBaseWidth = w;
  nHeight = nBaseHeight = h;
  vx = vy = ax = ay = 0;
  bPresent = bOnScreen = 0;
  nFacing = facing;
  nGroupIndex = static_cast<std::int16_t>(groupIndex);
  SetFlightKind(flight);
}

void cGameObj::SetFlightKind(int kind) {
  static constexpr std::int32_t kNoGravity[] = {0, 1, 1, 1};
  static constexpr std::uint8_t kControl[] = {1, 0, 1, 2};
  if (kind < 0 || kind > 3) return;
  bNoGravity = kNoGravity[kind];
  nVControl = kControl[kind];
}

void cGameObj::SetScale(int newScale, int oldScale) {
  if (newScale == oldScale) return;
  nWidth = newScale * nBaseWidth;
  nHeight = newScale * nBaseHeight;
  Rect.offX = newScale * Rect.baseOffX;
  Rect.offY = newScale * Rect.baseOffY;
  Rect.width = newScale * Rect.baseWidth;
  Rect.height = newScale * Rect.baseHeight;
  KeepCentreX(newScale, oldScale);
  KeepFootOnScale(newScale, oldScale);
  ScaleBoxes(newScale);
}

void cGameObj::KeepCentreX(int newScale, int oldScale) {
  x -= static_cast<double>(newScale - oldScale) * (nBaseWidth >> 1);
  ClampX(2);
}

int cGameObj::UpdateScreenRect() {
  const cScenePlay& s = Scene();
  Rect.left = TruncToInt(x - Rect.offX - TruncToInt(s.ScrollX.dPos));
  Rect.top = TruncToInt(y - Rect.offY - TruncToInt(s.ScrollY.dPos));
  Rect.right = Rect.left + Rect.width - 1;
  Rect.bottom = Rect.top + Rect.height - 1;
  return Rect.top;
}

bool cGameObj::IsOnScreen() const { return IsOnScreenAxes(false, false); }

bool cGameObj::IsOnScreenAxes(bool ignoreX, bool ignoreY) const {
  const cScenePlay& s = Scene();
  const double sx = s.ScrollX.dPos;
  const double sy = s.ScrollY.dPos;
  const bool inX = ignoreX || (right >= sx && sx + 640 > x);
  const bool inY = ignoreY || (bottom >= sy && sy + 480 > y);
  return inX && inY;
}

bool cGameObj::IsInStage(bool wholeMap) const {
  const cScenePlay& s = Scene();
  if (wholeMap) return x >= 0 && right < s.ScrollX.nMapPixels && y >= 0 && bottom < s.ScrollY.nMapPixels;
  return x >= s.ScrollX.nAreaStart && right < s.ScrollX.nAreaEnd && y >= s.ScrollY.nAreaStart &&
         bottom < s.ScrollY.nAreaEnd;
}

bool cGameObj::IsOutOfRange(const cStageParam& p) const {
  if (bOnScreen != 0) return false;
  const cScenePlay& s = Scene();
  const double sx = s.ScrollX.dPos;
  const double sy = s.ScrollY.dPos;
  if (p.bLeft != 0 && TruncToInt(sx - p.nMarginLeft * 32) >= right) return true;
  if (p.bRight != 0 && TruncToInt(sx + p.nMarginRight * 32 + 640) <= x) return true;
  if (p.bBottom != 0 && TruncToInt(p.nMarginBottom * 32 + sy + 480) <= y) return true;
  if (p.bTop != 0 && TruncToInt(sy - p.nMarginTop * 32) >= bottom) return true;
  return x <= 0 || right >= s.ScrollX.nMapPixels - 1 || y <= 0 || bottom >= s.ScrollY.nMapPixels - 1;
}

namespace {

// One axis of the clamp. Codes: near and far are the results of leaving the scroll limits on
// the low and high side, area and areaFar those of the margin, mapFar the map's far end.
struct ClampCodes {
  int scrollLow, scrollHigh, areaLow, areaHigh, mapHigh;
};

int ClampAxis(double& pos, int size, const cScrollAxis& axis, int mode, const ClampCodes& codes) {
  const double far = pos + size - 1;
  switch (mode) {
    case 0:
      if (pos < axis.nClampStart) {
        pos = axis.nClampStart;
      } else if (far >= axis.nClampEnd) {
        pos = axis.nClampEnd - size;
      }
      return 0;
    case 1:
      if (pos < axis.nAreaStart) {
        pos = axis.nAreaStart;
        return 0;
      }
      if (far >= axis.nAreaEnd) {
        pos = axis.nAreaEnd - size;
        return 0;
      }
      if (pos < axis.nClampStart) return codes.scrollLow;
      if (far >= axis.nClampEnd) return codes.scrollHigh;
      return 0;
    case 2:
      if (pos < 0) {
        pos = 0;
        return 3;
      }
      if (far >= axis.nMapPixels) {
        pos = axis.nMapPixels - size;
        return codes.mapHigh;
      }
      if (pos < axis.nAreaStart) return codes.areaLow;
      if (far >= axis.nAreaEnd) return codes.areaHigh;
      if (pos < axis.nClampStart) return codes.scrollLow;
      if (far >= axis.nClampEnd) return codes.scrollHigh;
      return 0;
    default:
      return 0;
  }
}

}  // namespace

void cGameObj::RecomputeCellsX() {
  nCellL = TruncToInt(x) >> 5;
  nCellR = TruncToInt(right) >> 5;
}

void cGameObj::RecomputeCellsY() {
  nCellT = TruncToInt(y) >> 5;
  nCellB = TruncToInt(bottom) >> 5;
}

int cGameObj::ClampX(int mode) {
  const int code = ClampAxis(x, nWidth, Scene().ScrollX, mode, ClampCodes{1, 1, 2, 2, 3});
  right = x + nWidth - 1;
  UpdateBoxX();
  RecomputeCellsX();
  if (Slots.Any()) NotifyObjectMoved(*this);
  return code;
}

int cGameObj::ClampY(int mode) {
  const int code = ClampAxis(y, nHeight, Scene().ScrollY, mode, ClampCodes{1, 4, 2, 5, 6});
  bottom = y + nHeight - 1;
  UpdateBoxY();
  RecomputeCellsY();
  if (Slots.Any()) NotifyObjectMoved(*this);
  return code;
}

namespace {

void LimitSpeed(double& v, double limit) {
  if (v > limit) v = limit;
  if (v < -limit) v = -limit;
}

}  // namespace

int cGameObj::MoveX(int mode) {
  LimitSpeed(vx, Scene().Units.dSpeedLimitPerStep);
  x += vx;
  const int code = ClampX(mode);
  return code >= 1 && code <= 3 ? code : 0;
}

int cGameObj::MoveY(int mode) {
  LimitSpeed(vy, Scene().Units.dSpeedLimitPerStep);
  y += vy;
  const int code = ClampY(mode);
  return code >= 1 && code <= 6 ? code : 0;
}

void cGameObj::ApplyObjGravity() {
  if (bNoGravity == 0) vy += Scene().Units.dGravityPerStep;
}

void cGameObj::Decelerate(double& speed, int enabled) const {
  if (enabled == 0 || speed == 0) return;
  if (speed > 0) {
    speed -= dDecel;
    if (speed < 0) speed = 0;
  } else {
    speed += dDecel;
    if (speed > 0) speed = 0;
  }
}

bool cGameObj::TouchesBlock() const {
  cScenePlay& s = Scene();
  const int corners[4][2] = {{nCellL, nCellT}, {nCellL, nCellB}, {nCellR, nCellT}, {nCellR, nCellB}};
  for (const auto& c : corners) {
    if (s.HitKind(s.CellIndex(c[0], c[1]), nGroup) != 0) return true;
  }
  return false;
}

void cGameObj::MoveTargetPoint(double& px, double& py, const MoveCommandState& command) const {
  const double cx = Rect.left + (Rect.width >> 1) + command.targetOffsetX;
  const double cy = Rect.top + (Rect.height >> 1) + command.targetOffsetY;
  if (command.bNoMoveY != 0) {
    px = cx;
  } else if (command.bNoMoveX != 0) {
    py = cy;
  } else {
    px = cx;
    py = cy;
  }
}

namespace {

ApproachInput MakeApproach(const cGameObj& mover, const MoveCommandState& command, int target, double tx,
                           double ty) {
  cScenePlay& s = Scene();
  ApproachInput in;
  in.fx = mover.Rect.left + (mover.Rect.width >> 1);
  in.fy = mover.Rect.top + (mover.Rect.height >> 1);
  in.tx = tx;
  in.ty = ty;
  in.v = command.speed;
  const cCharaBase* aimed = target >= 0 ? s.FindCharaByNumber(target) : nullptr;
  in.hasTarget = aimed != nullptr;
  in.targetFollows = aimed != nullptr && aimed->bFollowScroll != 0;
  in.moverFollows = mover.bFollowScroll != 0;
  in.straight = command.bStraight != 0;
  in.stopAtTarget = command.bStopAtTarget != 0;
  in.allFollow = SystemData.bLegacy214 != 0;
  in.scrollX = s.ScrollX.CountedAutoSpeed();
  in.scrollY = s.ScrollY.CountedAutoSpeed();
  return in;
}

}  // namespace

void cGameObj::ApproachXY(MoveCommandState& command, int target, double tx, double ty) {
  const ApproachResult r = SolveApproach(MakeApproach(*this, command, target, tx, ty));
  command.vx = r.vx;
  command.vy = r.vy;
  if (!r.gaveUp) command.direction = r.direction;
  if (r.arrived) SnapToTarget(TruncToInt(tx), TruncToInt(ty), command);
}

void cGameObj::ApproachX(MoveCommandState& command, int target, double tx) {
  const ApproachResult r = ::SolveApproachX(MakeApproach(*this, command, target, tx, 0));
  command.vx = r.vx;
  command.vy = 0;
  command.direction = r.direction;
  if (r.arrived) SnapToTargetX(TruncToInt(tx), command);
}

double cGameObj::SolveApproachX(const MoveCommandState& command, int target, double tx) const {
  return ::SolveApproachX(MakeApproach(*this, command, target, tx, 0)).vx;
}

void cGameObj::ApproachY(MoveCommandState& command, int target, double ty) {
  const ApproachResult r = SolveApproachY(MakeApproach(*this, command, target, 0, ty));
  command.vx = 0;
  command.vy = r.vy;
  if (r.arrived) SnapToTargetY(TruncToInt(ty), command);
}

bool CheckRange(const RangeTest& r, bool switchOn) {
  int lo = 0;
  int hi = 0;
  MakeRange(lo, hi, r.ownPos, r.ownSize, r.back, r.front, r.wholeSpan);
  bool loSide = lo <= r.otherEnd - r.depth;
  if (r.useOtherHeight != 0 && r.other != nullptr && !switchOn &&
      TruncToInt(r.other->bottom - r.other->y) + r.depth + 1 >= r.other->Rect.height) {
    loSide = lo <= r.otherEnd;
  }
  return loSide && r.otherStart + r.depth <= hi;
}
