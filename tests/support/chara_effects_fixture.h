#pragma once

#include <initializer_list>

#include "data/database.h"
#include "world/effect_tables.h"

namespace worldtest {

// The database's character effects replaced for a test by `count` blank entries, filled with
// Set and built into the run tables with Build; the project's own come back afterwards.
class ScopedCharaEffects {
 public:
  explicit ScopedCharaEffects(int count) : saved_(Database.CharaEffects) {
    Database.CharaEffects.assign(count, cEdCharaEffect{});
  }
  ~ScopedCharaEffects() {
    Database.CharaEffects = saved_;
    Database.CopyEffectsForBackwards();
    CharaEffectsForward.clear();
    CharaEffectsBackward.clear();
  }
  ScopedCharaEffects(const ScopedCharaEffects&) = delete;
  ScopedCharaEffects& operator=(const ScopedCharaEffects&) = delete;

  static void Set(int i, int kind, std::initializer_list<int> params) {
    Database.CharaEffects[i].nKind = kind;
    int k = 0;
    for (int p : params) Database.CharaEffects[i].nParam[k++] = p;
  }
  static void Build() {
    Database.CopyEffectsForBackwards();
    BuildCharaEffectTables();
  }

 private:
  cVector<cEdCharaEffect> saved_;
};

}  // namespace worldtest
