// The movement commands' shared helpers: directions, angles, target points and how a velocity
// reaches the character.
#include "flow/move_helpers.h"

#include <cmath>
#include <cstdlib>

#include "core/trunc_to_int.h"
#include "core/world_math.h"
#include "data/command_tables.h"
#include "data/ed_move.h"
#include "flow/flow_actor_seam.h"
#include "flow/flow_cursor.h"
#include "flow/flow_world_seam.h"
#include "flow/key_conditions.h"

namespace {

constexpr double kDegToRad = 3.141592653589793 / 180.0;
// Velocities smaller than this count as standing still when a facing is chosen.
constexpr double kStill = 1e-8;
constexpr int kScreenW = 640;
constexpr int kScreenH = 480;

bool FacingRight(const cFlowActor& chara) { return chara.Facing() == 1; }
bool FixedFacing(const cFlowActor& chara) { return chara.StatusFlag(2) != 0; }

void Request(MoveVelocity& v, const cFlowActor& chara, std::uint32_t request) {
  if (FixedFacing(chara)) return;
  v.request = request;
  v.requested = true;
}

struct Wishes {
  bool left = false, right = false, up = false, down = false;
};

Wishes WishesOf(int code) {
  Wishes w;
  w.left = code == kDirLeft || code == kDirUpLeft || code == kDirDownLeft;
  w.right = code == kDirRight || code == kDirUpRight || code == kDirDownRight;
  w.up = code == kDirUp || code == kDirUpLeft || code == kDirUpRight;
  w.down = code == kDirDown || code == kDirDownLeft || code == kDirDownRight;
  return w;
}

// The facing-relative modes; others are codes already.
int DirByFacing(const cFlowActor& chara, int mode) {
  const bool right = FacingRight(chara);
  switch (mode) {
    case 0: return right ? kDirRight : kDirLeft;
    case 1: return right ? kDirLeft : kDirRight;
    case 4: return right ? kDirDown : kDirUp;
    case 5: return right ? kDirUp : kDirDown;
    default: return mode;
  }
}

double PerSecondToPerStep(double value, int subSteps) { return value / subSteps / 60.0; }

std::int32_t WrapBelow360(std::int64_t angle) {
  if (angle >= 360) angle %= 360;
  return static_cast<std::int32_t>(angle);
}

}  // namespace

int ResolveMoveDir(cFlowActor& chara, int mode, bool keyNow, bool flying) {
  if (mode != 12) return DirByFacing(chara, mode);
  int key = 0;
  if (keyNow) {
    key = FirstPressedKey(PlayerInputs[0]);
  } else if (const cFlow* flow = CurrentFlow().flow) {
    key = flow->nFirstKey;
  }
  int code = DirCodeFromChoice(key, FacingRight(chara) ? 1 : 0);
  if (!flying) {
    if (code == kDirUpLeft || code == kDirDownLeft) code = kDirLeft;
    if (code == kDirUpRight || code == kDirDownRight) code = kDirRight;
  }
  return code;
}

void SetMoveAngle(cFlowActor& chara, cFlowCmd& command, const cEdMove& move) {
  std::int64_t angle = static_cast<std::int64_t>(move.nAngleStep) * chara.Clone() + move.nAngle;
  if (move.bMirrorAngle != 0 && chara.PlacedFacing() == 1) angle = 360 - angle;
  command.nAngle = WrapBelow360(angle);
}

void SetMoveTarget(cFlowActor& chara, cFlowCmd& command, const cEdMove& move) {
  command.nTargetX = move.nTargetX * 32 + move.nTargetXDots;
  command.nTargetY = move.nTargetY * 32 + move.nTargetYDots;
  if (chara.PlacedFacing() != 1) return;
  if (move.bMirrorX != 0) command.nTargetX = -command.nTargetX;
  if (move.bMirrorY != 0) command.nTargetY = -command.nTargetY;
}

MoveVelocity VelocityByDir(cFlowActor& chara, double speed, int mode) {
  MoveVelocity v;
  const bool flying = chara.Flying();
  const double diagonal = speed / std::sqrt(2.0);
  const int code = ResolveMoveDir(chara, mode, false, flying);
  const Wishes w = WishesOf(code);
  const bool isDiagonal = (w.left || w.right) && (w.up || w.down);
  const double step = isDiagonal ? diagonal : speed;
  if (w.left) v.vx = -step;
  if (w.right) v.vx = step;
  if (flying && w.up) v.vy = -step;
  if (flying && w.down) v.vy = step;
  if (w.left) Request(v, chara, kFaceLeft);
  if (w.right) Request(v, chara, kFaceRight);
  if (!w.left && !w.right && (w.up || w.down)) Request(v, chara, kFaceAsIs);
  return v;
}

MoveVelocity VelocityByAngle(cFlowActor& chara, double speed, int mode, int angle) {
  struct Base {
    int code, degrees;
    std::uint32_t request;
  };
  static constexpr Base kBases[] = {
      {kDirLeft, 0, kFaceLeft},       {kDirRight, 180, kFaceRight},    {kDirUp, 90, kFaceAsIs},
      {kDirDown, 270, kFaceAsIs},     {kDirUpLeft, 45, kFaceLeft},     {kDirDownLeft, 315, kFaceLeft},
      {kDirUpRight, 135, kFaceRight}, {kDirDownRight, 225, kFaceRight},
  };
  MoveVelocity v;
  const bool flying = chara.Flying();
  const int code = ResolveMoveDir(chara, mode, false, flying);
  int base = 0;
  for (const Base& b : kBases) {
    if (b.code != code) continue;
    base = b.degrees;
    Request(v, chara, b.request);
  }
  const double a = (static_cast<double>(base) + angle) * kDegToRad;
  v.vx = -WorldCos(a) * speed;
  if (flying) v.vy = -WorldSin(a) * speed;
  return v;
}

MoveVelocity VelocityToward(cFlowActor& chara, cFlowCmd& command, const cEdMove& move, double speed) {
  const FlowScreenRect rect = chara.ScreenRect();
  FlowScrollAxis axes[2];
  if (cFlowWorld* world = FlowWorld()) {
    axes[0] = world->ScrollAxis(0);
    axes[1] = world->ScrollAxis(1);
  }
  const double centre[2] = {rect.left + (rect.width >> 1) + axes[0].position,
                            rect.top + (rect.height >> 1) + axes[1].position};
  const double offset[2] = {static_cast<double>(command.nTargetX), static_cast<double>(command.nTargetY)};
  double placed[2] = {0, 0};
  chara.PlacedPosition(placed[0], placed[1]);
  const bool enabled[2] = {move.bAxisX != 0, move.bAxisY != 0};
  const bool locked[2] = {move.bNoMoveX != 0, move.bNoMoveY != 0};
  double d[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    if (!enabled[i]) continue;
    switch (move.nCoordMode) {
      case 0: d[i] = placed[i] + offset[i] - centre[i]; break;
      case 1: d[i] = offset[i]; break;
      case 2: d[i] = axes[i].margin * 32.0 + offset[i] + 16 - centre[i]; break;
      case 3: d[i] = offset[i] + 16 + axes[i].position - centre[i]; break;
      default: break;
    }
  }
  MoveVelocity v;
  const double length = std::sqrt(d[0] * d[0] + d[1] * d[1]);
  if (length != 0) {
    if (!locked[0]) v.vx = d[0] / length * speed;
    if (!locked[1]) v.vy = d[1] / length * speed;
  }
  Request(v, chara, v.vx < -kStill ? kFaceLeft : v.vx > kStill ? kFaceRight : kFaceAsIs);
  if (move.bTimeToTarget != 0 && speed != 0) {
    command.nLeft = TruncToInt(length / std::fabs(speed));
    if (move.bStopAtTarget != 0 && command.nLeft <= 0) {
      if (enabled[0] && !locked[0]) {
        v.vx = 0;
        if (v.requested) v.request = kFaceAsIs;
      }
      if (enabled[1] && !locked[1]) v.vy = 0;
    }
  }
  return v;
}

void ApplyMove(cFlowActor& chara, const MoveVelocity& v, const cFlowCmd& command, const cEdMove& move,
               bool ignoreFixedFacing) {
  const bool fixed = FixedFacing(chara) && !ignoreFixedFacing;
  if (!fixed && move.bKeepFacing == 0) {
    if (v.request == kFaceLeft) chara.Turn(0);
    if (v.request == kFaceRight) chara.Turn(1);
  }
  const double value[2] = {v.vx, v.vy};
  if (move.bInertia != 0) {
    const int b = chara.SubSteps();
    for (int axis = 0; axis < 2; ++axis) {
      double& inertia = chara.Inertia(axis);
      const double accel = PerSecondToPerStep(value[axis], b);
      if ((inertia < 0 && value[axis] > 0) || (inertia > 0 && value[axis] < 0)) {
        inertia += accel * move.dTurnFactor;
      } else {
        inertia += accel;
        chara.SetTurning(axis, false);
      }
      if (inertia > command.dSpeedMax) inertia = command.dSpeedMax;
      if (inertia < -command.dSpeedMax) inertia = -command.dSpeedMax;
    }
  } else {
    chara.Speed(0) += value[0];
    chara.Speed(1) += value[1];
  }
  if (move.bKeepMotion == 0) chara.ShowMoving();
}

MoveVelocity GroundTurnVelocity(cFlowActor& chara, const cFlowCmd& command) {
  MoveVelocity v;
  v.requested = true;
  v.vx = (FacingRight(chara) ? 1 : -1) * command.dSpeed;
  if (chara.WallHit()) {
    v.request = FacingRight(chara) ? kFaceLeft : kFaceRight;
    v.vx = -v.vx;
    double shift = 0;
    if (chara.RiddenShift(shift)) {
      // A platform moving the way it now walks would carry it back into the wall.
      const bool along = (shift > 0 && v.vx > 0) || (shift < 0 && v.vx < 0);
      v.vx += along ? 2 * shift : shift;
    }
    chara.ClearWallHit();
    return v;
  }
  bool left = false;
  bool right = false;
  chara.SolidUnderFeet(left, right);
  if (left && !right) v.request = kFaceLeft;
  if (right && !left) v.request = kFaceRight;
  return v;
}

void ApproachPoint(cFlowActor& chara, cFlowCmd& command, const cEdMove& move, double px, double py) {
  const int axes = move.bNoMoveY != 0 ? 1 : move.bNoMoveX != 0 ? 2 : 3;
  chara.Approach(command, axes, move.bStopAtTarget != 0, px, py);
}

MoveVelocity OffScreenVelocity(cFlowActor& chara, const cFlowCmd& command, const cEdMove& move) {
  MoveVelocity v;
  v.request = command.nFacing;
  v.requested = true;
  const Wishes w = WishesOf(DirByFacing(chara, move.nDirection));
  const FlowScreenRect r = chara.ScreenRect();
  FlowScrollAxis h;
  FlowScrollAxis vert;
  if (cFlowWorld* world = FlowWorld()) {
    h = world->ScrollAxis(0);
    vert = world->ScrollAxis(1);
  }
  const double speed = command.dSpeed;
  if (h.autoSpeed == 0 || h.atEdge) {
    if (w.left && r.left > kScreenW - 32) v.vx = -speed;
    if (w.right && r.right < 32) v.vx = speed;
    if (w.up && r.top > kScreenH - 32) v.vy = -speed;
    if (w.down && r.bottom < 32) v.vy = speed;
    return v;
  }
  const auto axis = [speed](const FlowScrollAxis& a, bool back, bool front, int farEdge, int nearEnd, int view,
                            double& out) {
    const double s = a.autoSpeed;
    const double reach = std::fabs(s + 1);
    const double last = static_cast<double>(a.stageDots) - view;
    if (back && farEdge > view - 32 - reach && a.position > 0 && a.position + s <= last) out = s - speed;
    if (front && nearEnd < reach + 32 && a.position + s > 0 && a.position < last) out = s + speed;
  };
  axis(h, w.left, w.right, r.left, r.right, kScreenW, v.vx);
  axis(vert, w.up, w.down, r.top, r.bottom, kScreenH, v.vy);
  return v;
}
