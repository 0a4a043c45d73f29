#include "world/approach_solver.h"

#include <cmath>

namespace {

constexpr double kInvSqrt2 = 0.7071067811865476;

int DirectionOf(double vx) { return vx < 0 ? 1 : vx > 0 ? 2 : 0; }

// The target rides the screen and the mover does not: aim where the target will be. Returns
// false (velocity left as it was) when the geometry has no finite answer.
bool Intercept(const ApproachInput& in, double dx, double dy, ApproachResult& out) {
  const double P = dx * dx;
  const double D = dy * dy;
  const double O = in.scrollY;
  const double Q = in.scrollX;
  const double R = P * O * O + D * Q * Q - 2 * dx * dy * O * Q;
  const double V2 = out.vx * out.vx + out.vy * out.vy;
  const auto root = [](double lead, double quad, double constant, double& value) {
    const double disc = lead * lead - 4 * quad * constant;
    if (!(disc >= 0)) return false;
    value = -((-lead - std::sqrt(disc)) / (2 * quad));
    return std::isfinite(value);
  };
  double vx = out.vx;
  double vy = out.vy;
  if (std::fabs(dy) >= std::fabs(dx)) {
    if (D == 0 || P / D + 1 == 0) return false;
    const double lead = (2 * O * P - 2 * dx * dy * Q) / D;
    if (!root(lead, P / D + 1, R / D - V2, vy)) return false;
    if (dy < 0) vy = -vy;
    if (O - vy == 0) return false;
    const double k = (in.fy - in.ty) / (O - vy);
    if (k == 0) return false;
    vx = (dx + k * Q) / k;
  } else {
    if (P == 0 || D / P + 1 == 0) return false;
    const double lead = (2 * Q * D - 2 * dx * dy * O) / P;
    if (!root(lead, D / P + 1, R / P - V2, vx)) return false;
    if (dx < 0) vx = -vx;
    if (Q - vx == 0) return false;
    const double k = (in.fx - in.tx) / (Q - vx);
    if (k == 0) return false;
    vy = (dy + O * k) / k;
  }
  if (!std::isfinite(vx) || !std::isfinite(vy)) return false;
  out.vx = vx;
  out.vy = vy;
  return true;
}

}  // namespace

ApproachResult SolveApproach(const ApproachInput& in) {
  ApproachResult out;
  if (!in.straight && in.v < 0) {
    const double u = std::fabs(in.v) * kInvSqrt2;
    out.vx = in.fx >= in.tx ? u : -u;
    out.vy = in.fy >= in.ty ? u : -u;
    out.direction = DirectionOf(out.vx);
    if (in.allFollow) {
      out.vx += in.scrollX;
      out.vy += in.scrollY;
    } else if (in.hasTarget && in.moverFollows != in.targetFollows) {
      out.vx -= in.scrollX;
      out.vy -= in.scrollY;
    }
    return out;
  }
  const double dx = in.tx - in.fx;
  const double dy = in.ty - in.fy;
  double d = std::sqrt(dx * dx + dy * dy);
  if (d == 0) d = 1;
  out.vx = in.v * dx / d;
  out.vy = in.v * dy / d;
  if (in.allFollow) {
    out.vx += in.scrollX;
    out.vy += in.scrollY;
  } else if (in.hasTarget) {
    if (!in.moverFollows && in.targetFollows) {
      if ((in.scrollX != 0 || in.scrollY != 0) && !Intercept(in, dx, dy, out)) {
        out.gaveUp = true;
        return out;
      }
    } else if (!in.targetFollows) {
      out.vx -= in.scrollX;
      out.vy -= in.scrollY;
    }
  }
  out.direction = DirectionOf(out.vx);
  out.arrived = in.stopAtTarget && std::fabs(in.v) > std::fabs(dx) && std::fabs(in.v) > std::fabs(dy);
  return out;
}

namespace {

ApproachResult SolveOneAxis(const ApproachInput& in, double from, double to, double scroll) {
  ApproachResult out;
  double v = from >= to ? -in.v : in.v;
  if (!in.moverFollows && in.hasTarget && in.targetFollows && in.allFollow) v += scroll;
  out.vx = v;
  out.direction = from >= to ? 1 : 2;
  out.arrived = in.stopAtTarget && std::fabs(in.v) > std::fabs(from - to);
  return out;
}

}  // namespace

ApproachResult SolveApproachX(const ApproachInput& in) { return SolveOneAxis(in, in.fx, in.tx, in.scrollX); }

ApproachResult SolveApproachY(const ApproachInput& in) {
  ApproachResult r = SolveOneAxis(in, in.fy, in.ty, in.scrollY);
  r.vy = r.vx;
  r.vx = 0;
  r.direction = 0;
  return r;
}
