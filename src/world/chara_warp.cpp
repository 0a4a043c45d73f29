// A character moved at once by the warp command, and its target changed by the target command.
#include "world/chara_base.h"
#include "world/scene_play.h"

namespace {

// The step of a direction, and which axes it moves.
struct Offset {
  double x = 0, y = 0;
  bool movesX = false, movesY = false;
  bool Any() const { return movesX || movesY; }
};

Offset OffsetOf(const FlowWarp& w) {
  const double d = w.straight;
  const double k = w.diagonal;
  switch (w.dirCode) {
    case 2: return {-d, 0, true, false};
    case 3: return {d, 0, true, false};
    case 6: return {0, -d, false, true};
    case 7: return {0, d, false, true};
    case 8: return {-k, -k, true, true};
    case 9: return {-k, k, true, true};
    case 10: return {k, -k, true, true};
    case 11: return {k, k, true, true};
    default: return {};
  }
}

}  // namespace

void cCharaBase::Warp(const FlowWarp& w) {
  if (PlaySceneGlobal == nullptr) return;
  cScenePlay& s = *PlaySceneGlobal;
  bPinX = bPinY = 0;
  const WorldBox saved = Box();
  const Offset o = OffsetOf(w);
  switch (w.mode) {
    case 0:
      if (o.movesX) {
        x += o.x;
        OnMovedX();
      }
      if (o.movesY) {
        y += o.y;
        OnMovedY();
      }
      break;
    case 1: {
      const cCharaBase* t = nTarget >= 0 ? s.FindCharaByNumber(nTarget) : nullptr;
      if (t == nullptr) return;
      if (!o.Any()) break;
      // Centre on the target's centre, then step off it by the direction.
      x = t->x - t->Rect.offX + (t->Rect.width >> 1) + Rect.offX - (Rect.width >> 1) + o.x;
      OnMovedX();
      y = t->y - t->Rect.offY + (t->Rect.height >> 1) + Rect.offY - (Rect.height >> 1) + o.y;
      OnMovedY();
      break;
    }
    case 2:
      if (w.coordMode == 0) {
        x += w.dx;
        OnMovedX();
        y += w.dy;
        OnMovedY();
      } else if (w.coordMode == 1) {
        SetCellX(w.cellX);
        SetCellY(w.cellY);
        x += w.dotsX;
        OnMovedX();
        y += w.dotsY;
        OnMovedY();
      } else if (w.coordMode == 2) {
        x = Rect.offX + s.ScrollX.dPos + w.dx;
        OnMovedX();
        y = Rect.offY + s.ScrollY.dPos + w.dy;
        OnMovedY();
      }
      break;
    default: break;
  }
  UpdateScreenRect();
  if (!IsInStage(false) || s.IsBlocked(*this)) {
    x = saved.left;
    y = saved.top;
    right = saved.right;
    bottom = saved.bottom;
    OnMovedY();
    OnMovedX();
    UpdateScreenRect();
  } else if (!Flies()) {
    vy = 0;
  }
  if (w.mode == 2 && w.coordMode == 2) {
    bPinX = bPinY = 1;
    nPinLeft = Rect.left;
    nPinTop = Rect.top;
  }
}

void cCharaBase::Retarget(cFlowActor* target) {
  cScenePlay* s = PlaySceneGlobal;
  if (s != nullptr && nTarget >= 0) {
    if (cCharaBase* old = s->FindCharaByNumber(nTarget)) old->TargetedBy.RemoveValue(nNumber);
  }
  nTarget = -1;
  auto* chosen = dynamic_cast<cCharaBase*>(target);
  if (chosen == nullptr) return;
  nTarget = chosen->nNumber;
  chosen->TargetedBy.AddUnique(nNumber);
}
