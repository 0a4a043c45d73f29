// Characters against the block map: probes along the box's edges, wall, floor and ceiling
// snaps, and the screen edges of auto-scrolling stages.
#include <climits>

#include "data/system_data.h"
#include "world/scene_play.h"
#include "core/world_math.h"

namespace {

constexpr int kNoCell = 0;
constexpr int kWeakest = INT_MIN;

// Kinds other than passable (0) and deadly-for-players (2) act as solid (1): larger kinds
// only win comparisons.
int Rule(int kind) { return kind == 0 ? 0 : kind == 2 ? 2 : 1; }

// Of the cells a probe offers, the one of the strongest hit kind; on a tie, the one nearest the
// probe's middle (a probe without a middle offers every cell at distance 0: the first wins).
class StrongestCell {
 public:
  void Offer(int cell, int kind, int distance = 0) {
    if (kind > bestKind_ || (kind == bestKind_ && distance < bestDistance_)) {
      best_ = cell;
      bestKind_ = kind;
      bestDistance_ = distance;
    }
  }
  int Cell() const { return best_; }

 private:
  int best_ = kNoCell;
  int bestKind_ = kWeakest;
  int bestDistance_ = INT_MAX;
};

bool WalksOrDies(const cCharaBase& c) { return !c.Flies() || c.nVControl == 2; }
bool PassesBlocks(const cCharaBase& c) { return c.Flies() && c.nVControl == 0; }

}  // namespace

int cScenePlay::HitKind(int cell, int group) {
  const cEdBlock* c = CellBlock(cell);
  if (c == nullptr) return 0;
  if (!c->conditions.empty() && !CheckCellConditions(cell)) return 0;
  if (c->nPassGroup == group) return 0;
  return static_cast<std::int8_t>(c->nHitKind);
}

int cScenePlay::PickEdgeCell(const cCharaBase& c, int x1, int y1, int x2, int y2) {
  const int probes = c.Scale() + 1;
  if (probes <= 0) return kNoCell;
  StrongestCell pick;
  if (x1 == x2) {
    for (int i = 0; i < probes; ++i) {
      const int cell = CellAt(x1, y1 + i * (c.nBaseHeight - 1));
      pick.Offer(cell, HitKind(cell, c.nGroup));
    }
    return pick.Cell();
  }
  if (y1 == y2) {
    const int middle = (x1 + x2) >> 1;
    for (int i = 0; i < probes; ++i) {
      const int px = x1 + i * (c.nBaseWidth - 1);
      const int cell = CellAt(px, y1);
      pick.Offer(cell, HitKind(cell, c.nGroup), std::abs(px - middle));
    }
    return pick.Cell();
  }
  return kNoCell;
}

int cScenePlay::PickFootCell(const cCharaBase& c) {
  int s = c.Scale();
  if (s <= 0) s = 1;
  const int count = (s % 2 != 0) ? s + 2 : s + 1;
  const int step = c.nWidth / (count - 1);
  const int left = TruncToInt(c.x);
  const int rightEdge = TruncToInt(c.right);
  const int row = TruncToInt(c.bottom);
  const int middle = (left + rightEdge) >> 1;
  StrongestCell pick;
  for (int i = 0; i < count; ++i) {
    const int px = i == count - 1 ? rightEdge : left + i * step;
    const int cell = CellAt(px, row);
    pick.Offer(cell, HitKind(cell, c.nGroup), std::abs(px - middle));
  }
  return pick.Cell();
}

int cScenePlay::PickCornerCell(int l, int t, int r, int b, int group) {
  const int corners[4] = {CellIndex(l, t), CellIndex(r, t), CellIndex(l, b), CellIndex(r, b)};
  StrongestCell pick;
  for (int cell : corners) pick.Offer(cell, HitKind(cell, group));
  return pick.Cell();
}

int cScenePlay::HitLeftWall(cCharaBase& c) {
  const int cell = PickEdgeCell(c, TruncToInt(c.x), TruncToInt(c.y), TruncToInt(c.x), TruncToInt(c.bottom));
  const int kind = Rule(HitKind(cell, c.nGroup));
  if (kind == 2 && c.IsPlayerOperated()) return 2;
  if (kind != 1 && kind != 2) return 0;
  if (c.Flies() && c.nVControl == 2) return 2;
  c.bContactL = 1;
  c.ax = 0;
  c.x += 32 - (TruncToInt(c.x) & 31);
  c.OnMovedX();
  c.nWallSide = 0;
  c.bWallHit = 1;
  c.FireTrigger(9);
  c.FireTrigger(10);
  c.FireTrigger(11);
  return 0;
}

int cScenePlay::HitRightWall(cCharaBase& c) {
  const int cell =
      PickEdgeCell(c, TruncToInt(c.right), TruncToInt(c.y), TruncToInt(c.right), TruncToInt(c.bottom));
  const int kind = Rule(HitKind(cell, c.nGroup));
  if (kind == 2 && c.IsPlayerOperated()) return 2;
  if (kind != 1 && kind != 2) return 0;
  if (c.Flies() && c.nVControl == 2) return 2;
  c.bContactR = 1;
  c.ax = 0;
  c.x -= (TruncToInt(c.right) & 31) + 1;
  c.OnMovedX();
  c.nWallSide = 1;
  c.bWallHit = 1;
  c.FireTrigger(9);
  c.FireTrigger(10);
  c.FireTrigger(12);
  return 0;
}

int cScenePlay::CollideBlocksX(cCharaBase& c) {
  if (PassesBlocks(c)) return 0;
  const bool rightFirst = WalksOrDies(c) ? c.vx > 0 : true;
  const int first = rightFirst ? HitRightWall(c) : HitLeftWall(c);
  if (first == 2) return 2;
  return rightFirst ? HitLeftWall(c) : HitRightWall(c);
}

int cScenePlay::CheckWalls(cCharaBase& c) {
  if (PassesBlocks(c)) return 0;
  if (HitRightWall(c) == 2) return 2;
  return HitLeftWall(c);
}

namespace {

bool Lands(const cCharaBase& c) { return SystemData.bLegacy677 != 0 || c.Flies() || c.vy >= 0; }

}  // namespace

int cScenePlay::HitFloor(cCharaBase& c) {
  const int cell =
      PickEdgeCell(c, TruncToInt(c.x), TruncToInt(c.bottom), TruncToInt(c.right), TruncToInt(c.bottom));
  c.nFootCell = cell;
  const int kind = Rule(HitKind(cell, c.nGroup));
  if (kind == 0) {
    c.nFootCell = -1;
    ++c.nNoGround;
    if (c.nNoGround >= Units.subSteps8) {
      if (!c.IsPlayerOperated()) {
        c.bFalling = 1;
      } else if (c.bRiding == 0) {
        if (c.bHeroFlag != 0) static_cast<cPlayer&>(c).bJumpReady = 1;
        c.bFalling = 1;
      }
    }
    return 0;
  }
  if (kind == 2) {
    c.nLandCell = c.nFootCell;
    if (c.IsPlayerOperated()) return 2;
    if (c.Flies() && c.nVControl == 2) return 2;
    if (Lands(c)) c.Land();
    return 0;
  }
  if (c.Flies() && c.nVControl == 2) return 2;
  if (!Lands(c)) return 0;
  if (c.IsPlayerOperated()) c.nFootCell = PickFootCell(c);
  c.nLandCell = c.nFootCell;
  c.Land();
  return 0;
}

int cScenePlay::HitCeilingBlock(cCharaBase& c) {
  const int cell = PickEdgeCell(c, TruncToInt(c.x), TruncToInt(c.y), TruncToInt(c.right), TruncToInt(c.y));
  const int kind = Rule(HitKind(cell, c.nGroup));
  if (kind == 2 && c.IsPlayerOperated()) return 2;
  if (kind != 1 && kind != 2) return 0;
  if (c.Flies() && c.nVControl == 2) return 2;
  c.HitCeiling();
  return 0;
}

int cScenePlay::CollideBlocksY(cCharaBase& c) {
  c.nFootCell = -1;
  if (PassesBlocks(c)) return 0;
  const bool floorFirst = WalksOrDies(c) ? c.vy > 0 : true;
  const int first = floorFirst ? HitFloor(c) : HitCeilingBlock(c);
  if (first == 2) return 2;
  return floorFirst ? HitCeilingBlock(c) : HitFloor(c);
}

int cScenePlay::CheckFloorThenCeiling(cCharaBase& c) {
  if (PassesBlocks(c)) return 0;
  const int cell =
      PickEdgeCell(c, TruncToInt(c.x), TruncToInt(c.bottom), TruncToInt(c.right), TruncToInt(c.bottom));
  const int kind = Rule(HitKind(cell, c.nGroup));
  if (kind != 0) {
    c.nFootCell = cell;
    const int r = HitFloor(c);
    if (r == 2) return 2;
  }
  return HitCeilingBlock(c);
}

void cScenePlay::ClampToScreenX(cCharaBase& c) {
  if (ScrollX.nAutoOn == 0 && !c.Flies()) return;
  c.UpdateScreenRect();
  if (c.Rect.left + c.Rect.offX < 0) {
    c.bContactL = 1;
    c.x = ScrollX.dPos;
    c.OnMovedX();
  } else if (c.Rect.right - c.Rect.offX + 1 >= 640) {
    c.bContactR = 1;
    c.x = ScrollX.dPos + 640 - c.nWidth - 1;
    c.OnMovedX();
  }
}

int cScenePlay::ClampToScreenY(cCharaBase& c) {
  if (ScrollY.nAutoOn == 0 && !c.Flies()) return 0;
  c.UpdateScreenRect();
  if (c.Rect.top + c.Rect.offY < 0) {
    c.bContactU = 1;
    c.y = ScrollY.dPos;
    c.OnMovedY();
  } else if (c.Rect.bottom - c.Rect.offY + 1 >= 480) {
    c.bContactD = 1;
    c.y = ScrollY.dPos + 480 - c.nHeight - 1;
    c.OnMovedY();
    if (!c.Flies()) return 2;
  }
  return 0;
}

bool cScenePlay::IsBlocked(cCharaBase& c) {
  if (PassesBlocks(c)) return false;
  const int cell = PickCornerCell(c.nCellL, c.nCellT, c.nCellR, c.nCellB, c.nGroup);
  return HitKind(cell, c.nGroup) != 0 || OverlapsSolidChara(c);
}
