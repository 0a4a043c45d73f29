#include "world/chara_search.h"

#include <cmath>

#include "core/strings.h"
#include "world/chara_base.h"

namespace {

bool Passes(const cCharaBase& c, const CharaFilter& f) {
  if (c.bDead != 0) return false;
  if (f.byId && c.Def.nCharaId != f.charaId) return false;
  if (f.skipSelf && c.nNumber == f.selfNumber) return false;
  if (f.skipInvincible1 && c.Def.nInvincible == 1) return false;
  if (f.skipInvincible2 && c.Def.nInvincible == 2) return false;
  if (f.skipBlockCharas && c.Def.bBlockChara != 0) return false;
  if (f.byValue) {
    if (f.valueIndex < 0 || f.valueIndex >= static_cast<int>(c.Vars.size())) return false;
    if (!CompareByOp(c.Vars[f.valueIndex], f.value, f.comparison)) return false;
  }
  return true;
}

double CentreX(const cCharaBase& c) { return c.Rect.left + (c.Rect.width >> 1); }
double CentreY(const cCharaBase& c) { return c.Rect.top + (c.Rect.height >> 1); }

cCharaBase* Nearest(double x, double y, const cList<cCharaBase*>& list, const CharaFilter& f, bool needPresent,
                    int onScreen) {
  cCharaBase* best = nullptr;
  double bestDistance = 0;
  for (cCharaBase* c : list) {
    if (!Passes(*c, f)) continue;
    if (needPresent && c->bPresent == 0) continue;
    if (onScreen >= 0 && (c->bOnScreen != 0) != (onScreen != 0)) continue;
    const double d = std::fabs(CentreY(*c) - y) + std::fabs(CentreX(*c) - x);
    if (best == nullptr || d < bestDistance) {
      best = c;
      bestDistance = d;
    }
  }
  return best;
}

}  // namespace

cCharaBase* FindChara(const cList<cCharaBase*>& list, const CharaFilter& filter) {
  for (cCharaBase* c : list) {
    if (Passes(*c, filter)) return c;
  }
  return nullptr;
}

cCharaBase* FindNearestChara(double x, double y, const cList<cCharaBase*>& list, int rule, const CharaFilter& filter) {
  switch (rule) {
    case 0:
      if (cCharaBase* c = Nearest(x, y, list, filter, true, 1)) return c;
      return Nearest(x, y, list, filter, true, 0);
    case 1: return Nearest(x, y, list, filter, true, -1);
    case 2: return Nearest(x, y, list, filter, false, 1);
    default: return nullptr;
  }
}

cCharaBase* FindNearestFromCentre(const cCharaBase& c, const cList<cCharaBase*>& list, bool onScreenOnly) {
  CharaFilter f;
  f.skipInvincible2 = true;
  return FindNearestChara(CentreX(c), CentreY(c), list, onScreenOnly ? 2 : 0, f);
}
