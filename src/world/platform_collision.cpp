// Block characters as moving platforms and walls for the other characters.
#include <algorithm>
#include <vector>

#include "core/report_log.h"

#include "world/scene_play.h"

namespace {

// A target offered by a platform: the position and the platform it came from.
struct Offer {
  bool set = false;
  double value = 0;
  double platformVx = 0, platformVy = 0;
  int platform = -1;

  void TakeIf(bool better, double v, const cChara& p) {
    if (set && !better) return;
    set = true;
    value = v;
    platformVx = p.vx;
    platformVy = p.vy;
    platform = p.nNumber;
  }
};

// Does segment (x1, y1)-(x2, y2) (an edge of the mover) meet the box?
bool Touches(const WorldBox& box, double x1, double y1, double x2, double y2) {
  return box.left <= x2 && box.right >= x1 && box.top <= y2 && box.bottom >= y1;
}

double DepthX(const WorldBox& a, const WorldBox& p) {
  return (a.left < p.left && p.left <= a.right) ? a.right - p.left + 1 : p.right - a.left + 1;
}

double DepthY(const WorldBox& a, const WorldBox& p) {
  return (a.top < p.top && p.top <= a.bottom) ? a.bottom - p.top + 1 : p.bottom - a.top + 1;
}

}  // namespace

namespace {

// The platforms that may meet a box, copied: the walks below may ask again inside.
std::vector<const cChara*> Near(cScenePlay& s, const WorldBox& box) {
  std::vector<const cChara*> out;
  for (cCharaBase* c : s.PlatformsNear(box)) out.push_back(static_cast<const cChara*>(c));
  return out;
}

WorldBox Span(double x0, double y0, double x1, double y1) {
  return WorldBox{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

}  // namespace

bool cScenePlay::IsPlatform(const cChara& p, const cGameObj& mover) const {
  return p.IsBlockChara() && p.bPresent != 0 && p.bDead == 0 && p.nNumber != mover.nNumber;
}

bool cScenePlay::OverlapsSolidChara(const cGameObj& o) { return OverlapsOtherSolidChara(o, o.nNumber); }

bool cScenePlay::OverlapsOtherSolidChara(const cGameObj& o, int excluded) {
  if (o.bNoGravity != 0 && o.nVControl == 0) return false;
  const WorldBox box{o.x, o.y, o.right, o.bottom};
  for (const cChara* q : Near(*this, box)) {
    const cChara& p = *q;
    if (!IsPlatform(p, o) || p.nNumber == excluded) continue;
    if (box.Overlaps(p.Box())) return true;
  }
  return false;
}

void cScenePlay::PushFromSolidCharas(cCharaBase& c, bool vertical) {
  Offer up, down, left, rightOffer;
  for (const cChara* q : Near(*this, c.Box())) {
    const cChara& p = *q;
    if (!IsPlatform(p, c) || !c.Box().Overlaps(p.Box())) continue;
    const WorldBox pb = p.Box();
    if (vertical) {
      if (Touches(pb, c.x + 1, c.y, c.right - 1, c.y)) {
        c.bContactU = 1;
        up.TakeIf(pb.bottom + 1 > up.value, pb.bottom + 1, p);
      }
      if (Touches(pb, c.x, c.bottom, c.right, c.bottom)) {
        c.bContactD = 1;
        down.TakeIf(pb.top - c.nHeight < down.value, pb.top - c.nHeight, p);
      }
    } else {
      if (Touches(pb, c.x, c.y + 1, c.x, c.bottom - 1)) {
        c.bContactL = 1;
        left.TakeIf(pb.right + 1 > left.value, pb.right + 1, p);
      }
      if (Touches(pb, c.right, c.y, c.right, c.bottom)) {
        c.bContactR = 1;
        rightOffer.TakeIf(pb.left - c.nWidth < rightOffer.value, pb.left - c.nWidth, p);
      }
    }
  }
  if (vertical) {
    if (up.set) {
      c.y = up.value;
      c.OnMovedY();
    }
    if (down.set) {
      c.y = down.value;
      c.OnMovedY();
    }
    return;
  }
  for (const Offer* o : {&left, &rightOffer}) {
    if (!o->set) continue;
    c.x = o->value;
    if (!(c.bRiding != 0 && o->platform == c.nRidden)) c.bLandedOnBlock = 1;
    c.OnMovedX();
  }
}

bool cScenePlay::IsSqueezed(const cCharaBase& c, const WorldBox& before) {
  if (c.Flies() && c.nVControl == 0) return false;
  const double now[4][2] = {{c.x, c.y}, {c.right, c.y}, {c.x, c.bottom - 1}, {c.right, c.bottom - 1}};
  const double then[4][2] = {{before.left, before.top},
                             {before.right, before.top},
                             {before.left, before.bottom - 1},
                             {before.right, before.bottom - 1}};
  for (int i = 0; i < 4; ++i) {
    bool covered = false;
    for (const cChara* q : Near(*this, Span(now[i][0], now[i][1], then[i][0], then[i][1]))) {
      const cChara& p = *q;
      if (!IsPlatform(p, c)) continue;
      const WorldBox pb = p.Box();
      if (pb.Contains(now[i][0], now[i][1]) || pb.Contains(then[i][0], then[i][1])) {
        covered = true;
        break;
      }
    }
    if (!covered) return false;
  }
  return true;
}

namespace {

// The stage character of that number, or none (the hero is never a platform).
cChara* StageChara(cScenePlay& s, int number) {
  cCharaBase* found = number >= 0 ? s.FindCharaByNumber(number) : nullptr;
  return found != nullptr && found->bHeroFlag == 0 ? static_cast<cChara*>(found) : nullptr;
}

}  // namespace

bool cScenePlay::StillOnRidden(const cCharaBase& c) {
  const cChara* p = StageChara(*this, c.nRidden);
  return p != nullptr && IsPlatform(*p, c) && Touches(p->Box(), c.x, c.bottom, c.right, c.bottom + 5);
}

cChara* cScenePlay::FindPlatformBelow(const cCharaBase& c) {
  for (const cChara* q : Near(*this, WorldBox{c.x, c.bottom, c.right, c.bottom + 5})) {
    if (IsPlatform(*q, c) && Touches(q->Box(), c.x, c.bottom, c.right, c.bottom + 5)) return const_cast<cChara*>(q);
  }
  return nullptr;
}

void cScenePlay::CarryByRidden(cCharaBase& c) {
  cChara* platform = StageChara(*this, c.nRidden);
  if (platform == nullptr) return;
  c.vx += platform->x - c.RiddenBox.left;
  if (platform->Flies() || platform->bFalling != 0) c.vy = platform->y - c.RiddenBox.top;
  if (c.IsPlayerOperated()) platform->FireTrigger(16);
  platform->FireTrigger(17);
}

namespace {

// The moved box for a trial move: the same columns, the top at newY, rows recomputed.
bool TrialBlocked(cScenePlay& s, cCharaBase& c, double newY, int excludedPlatform) {
  cGameObj trial = static_cast<const cGameObj&>(c);
  trial.y = newY;
  trial.bottom = newY + c.nHeight - 1;
  trial.RecomputeCellsY();
  if (trial.TouchesBlock()) return true;
  return excludedPlatform >= 0 && s.OverlapsOtherSolidChara(trial, excludedPlatform);
}

void PutBelow(cCharaBase& c, const cChara& p) {
  c.ay = 0;
  c.bInJump = c.bAscending = c.bJumpLock = 1;
  c.vy = p.vy;
  c.y = p.bottom + 1;
  c.OnMovedY();
}

}  // namespace

int cScenePlay::ResolveTerrain(cCharaBase& c) {
  if (c.Flies() && c.nVControl == 0) return 0;
  const WorldBox start = c.Box();
  bool anyOverlap = false;

  if (c.Flies()) {
    Offer up, down, left, rightOffer;
    for (const cChara* q : Near(*this, c.Box())) {
      const cChara& p = *q;
      if (!IsPlatform(p, c) || !c.Box().Overlaps(p.Box())) continue;
      anyOverlap = true;
      const WorldBox pb = p.Box();
      const double dx = DepthX(c.Box(), pb);
      const double dy = DepthY(c.Box(), pb);
      if (dx > dy) {
        if (Touches(pb, c.x + 1, c.y, c.right - 1, c.y)) {
          c.bContactU = 1;
          up.TakeIf(pb.bottom + 1 > up.value, pb.bottom + 1, p);
        }
        if (Touches(pb, c.x + 1, c.bottom, c.right - 1, c.bottom)) {
          c.bContactD = 1;
          down.TakeIf(pb.top - c.nHeight < down.value, pb.top - c.nHeight, p);
        }
      } else {
        if (Touches(pb, c.x, c.y + 1, c.x, c.bottom - 1)) {
          c.bContactL = 1;
          left.TakeIf(pb.right + 1 > left.value, pb.right + 1, p);
        }
        if (Touches(pb, c.right, c.y + 1, c.right, c.bottom - 1)) {
          c.bContactR = 1;
          rightOffer.TakeIf(pb.left - c.nWidth < rightOffer.value, pb.left - c.nWidth, p);
        }
      }
    }
    if (anyOverlap) c.FireTrigger(5);
    if (c.nVControl == 2) return up.set || down.set || left.set || rightOffer.set ? 2 : 0;
    if (left.set) {
      if (left.platformVx < 0 && c.vx >= 0) {
        c.bContactL = 0;
        PushFromSolidCharas(c, true);
      } else {
        c.ax = 0;
        c.x = left.value;
        c.bLandedOnBlock = 1;
        c.OnMovedX();
      }
    }
    if (rightOffer.set) {
      if (rightOffer.platformVx > 0 && c.vx <= 0) {
        c.bContactR = 0;
        PushFromSolidCharas(c, true);
      } else {
        c.ax = 0;
        c.x = rightOffer.value;
        c.bLandedOnBlock = 1;
        c.OnMovedX();
      }
    }
    if (up.set) {
      if (up.platformVy < 0 && c.vy >= 0) {
        c.bContactU = 0;
        PushFromSolidCharas(c, false);
      } else {
        c.ay = 0;
        c.y = up.value;
        c.OnMovedY();
      }
    }
    if (down.set) {
      if (down.platformVy > 0 && c.vy <= 0) {
        c.bContactD = 0;
        PushFromSolidCharas(c, false);
        return 0;
      }
      c.ay = 0;
      c.y = down.value;
      c.OnMovedY();
    }
    return 0;
  }

  // Walking characters.
  const int h = c.nHeight;
  const int w = c.nWidth;
  const double b = Units.dSubSteps;
  const WorldBox upper{c.x, c.y, c.right, c.y + (h / 2)};
  const WorldBox foot{c.x + 1, c.bottom - (h / 3), c.right - 1, c.bottom};
  const WorldBox saved = c.Saved;
  const WorldBox p{saved.left, c.y, saved.right, c.bottom};
  Offer head, land, left, rightOffer;
  for (const cChara* q : Near(*this, c.Box())) {
    const cChara& x = *q;
    if (!IsPlatform(x, c)) continue;
    const WorldBox xb = x.Box();
    if (!c.Box().Overlaps(xb)) continue;
    anyOverlap = true;
    const WorldBox xs = x.Saved;
    const auto offerLanding = [&] {
      const double target = xb.top - h;
      if (!land.set || target < land.value) {
        land.TakeIf(true, target, x);
        c.nRidden = x.nNumber;
        c.RiddenBox = xb;
      }
    };
    const auto offerSide = [&](bool leftEdge) {
      if (leftEdge) {
        c.bContactL = 1;
        left.TakeIf(xb.right + 1.5 > left.value, xb.right + 1.5, x);
      } else {
        c.bContactR = 1;
        rightOffer.TakeIf(xb.left - w - 0.5 < rightOffer.value, xb.left - w - 0.5, x);
      }
    };
    if (upper.Overlaps(xb)) {
      const double dx = DepthX(upper, xb);
      const double dy = DepthY(upper, xb);
      if (c.vy > 2 / b && p.Overlaps(xs) && saved.top < xs.top) {
        ErrLogf("D Hit");
        if (x.vy < 0) c.bContactD = 1;
        offerLanding();
      } else if ((dx - dy > 0.4 / b && c.bottom > xb.bottom) ||
                 (p.Overlaps(xs) && saved.top > xs.top && !saved.Overlaps(xs))) {
        if (x.vy > 0) c.bContactU = 1;
        head.TakeIf(xb.bottom + 1 > head.value, xb.bottom + 1, x);
        if (c.bRiding != 0 && c.vy < 0) c.bContactD = 1;
      } else {
        const double half = c.y + (h / 2);
        const bool leftTouch = Touches(xb, c.x, c.y, c.x, half);
        const bool rightTouch = Touches(xb, c.right, c.y, c.right, half);
        if (c.vx < 0) {
          if (leftTouch) {
            offerSide(true);
          } else if (rightTouch) {
            offerSide(false);
          }
        } else if (rightTouch) {
          offerSide(false);
        } else if (leftTouch) {
          offerSide(true);
        }
      }
    } else {
      const double dx = DepthX(c.Box(), xb);
      const double dy = DepthY(c.Box(), xb);
      if (dy > dx) {
        if (Touches(xb, c.right, c.y, c.right, c.bottom)) offerSide(false);
        if (Touches(xb, c.x, c.y, c.x, c.bottom)) offerSide(true);
      } else if (foot.Overlaps(xb)) {
        if (x.vy < 0) c.bContactD = 1;
        offerLanding();
      }
    }
  }

  const auto firstOverHead = [&]() -> const cChara* {
    const WorldBox startUpper{start.left, start.top, start.right, start.top + (h / 2)};
    for (const cChara* x : Near(*this, startUpper)) {
      if (IsPlatform(*x, c) && startUpper.Overlaps(x->Box())) return x;
    }
    return nullptr;
  };
  bool landed = false;
  if (head.set && !land.set) {
    const bool refused = head.platformVy < 0 && TrialBlocked(*this, c, head.value, head.platform);
    if (!refused) {
      c.y = head.value;
      c.bInJump = c.bAscending = c.bJumpLock = 1;
      c.ay = 0;
      c.vy = head.platformVy;
      c.OnMovedY();
      CheckFloorThenCeiling(c);
    }
  }
  if (left.set && rightOffer.set && !land.set && !head.set) {
    if (const cChara* above = firstOverHead()) PutBelow(c, *above);
    c.bContactL = c.bContactR = 0;
  } else {
    if (land.set && !(left.set && rightOffer.set)) {
      if (land.platformVy > 0 && TrialBlocked(*this, c, land.value, -1)) {
        c.bRiding = 0;
      } else {
        c.ay = 0;
        if (c.bRiding == 0) {
          c.bRiding = 1;
          if (cCharaBase* platform = FindCharaByNumber(land.platform)) {
            if (c.IsPlayerOperated()) platform->FireTrigger(16);
            platform->FireTrigger(17);
          }
        }
        c.y = land.value;
        c.OnMovedY();
        c.vy = 0;
        c.nNoGround = 0;
        c.bInJump = c.bAscending = c.bFalling = c.bKnockBack = 0;
        if (!c.IsPlayerOperated()) {
          c.bJumpLock = 0;
        } else if (c.bHeroFlag != 0) {
          static_cast<cPlayer&>(c).bJumpCut = 0;
        }
        landed = true;
      }
    }
    for (const Offer* o : {&left, &rightOffer}) {
      if (!o->set) continue;
      c.ax = 0;
      if (!(o->platform == c.nRidden && c.bRiding != 0)) c.bLandedOnBlock = 1;
      c.x = o->value;
      c.OnMovedX();
    }
    if (left.set && rightOffer.set && !land.set) {
      c.x = start.left;
      c.OnMovedX();
      if (const cChara* above = firstOverHead()) {
        PutBelow(c, *above);
        if (above->vy > 0) c.bContactU = 1;
      }
      c.bContactL = c.bContactR = 0;
    }
  }

  if (anyOverlap) {
    c.FireTrigger(5);
    if (c.bRiding != 0) c.FireTrigger(6);
  } else if (c.bRiding != 0) {
    c.FireTrigger(5);
    c.FireTrigger(6);
  }
  if ((c.bContactL != 0 && c.bContactR != 0) || (c.bContactU != 0 && c.bContactD != 0) || IsSqueezed(c, start)) {
    return 2;
  }
  const auto pushOut = [&c](int flag, double dx, double dy) {
    if (flag == 0) return;
    for (int i = 0; i < 15 && c.TouchesBlock(); ++i) {
      c.x += dx;
      c.y += dy;
      if (dx != 0) c.OnMovedX();
      if (dy != 0) c.OnMovedY();
    }
  };
  pushOut(c.bContactL, -0.1, 0);
  pushOut(c.bContactR, 0.1, 0);
  pushOut(c.bContactU, 0, -0.1);
  pushOut(c.bContactD, 0, 0.1);
  if (c.bRiding != 0 && !landed) {
    if (c.dImpY < 0) {
      c.LeaveRide(1);
    } else {
      cChara* platform = nullptr;
      if (StillOnRidden(c)) {
        platform = StageChara(*this, c.nRidden);
      } else {
        platform = FindPlatformBelow(c);
      }
      if (platform != nullptr) {
        c.nNoGround = 0;
        c.bKnockBack = 0;
        c.nRidden = platform->nNumber;
        c.RiddenBox = platform->Box();
      } else {
        c.LeaveRide(1);
      }
    }
  }
  return 0;
}
