#include "world/effect_obj.h"

#include <algorithm>

#include "core/rand_range.h"
#include "data/database.h"
#include "core/world_math.h"

namespace {

// The effect record of an index, by the sequence rule (a bad index is reported and record 0
// stands in); none at all without a database.
const cEdEffect* Record(int index) {
  if (Database.Effects.empty()) return nullptr;
  return &Database.Effects[static_cast<std::int16_t>(index)];
}

}  // namespace

void cEffectObj::LoadFrames() {
  Anime.m_Animes.clear();
  if (!EffectStepTables.empty()) Anime.m_Animes.push_back(EffectStepTables[static_cast<std::int16_t>(nIndex)]);
  Anime.Set(0, 1);
}

void cEffectObj::Init(int index, double px, double py, int width, int height, int stepAlways) {
  nIndex = index;
  x = px;
  y = py;
  nWidth = width;
  nHeight = height;
  bStepAlways = stepAlways;
  const cEdEffect* r = Record(index);
  bScaled = r != nullptr && width != r->nCellWidth ? 1 : 0;
  LoadFrames();
}

void cEffectObj::InitAtOverlap(int index, const WorldBox& a, const WorldBox& b, int scale) {
  nIndex = index;
  const cEdEffect* r = Record(index);
  const int cellW = r != nullptr ? r->nCellWidth : 32;
  const int cellH = r != nullptr ? r->nCellHeight : 32;
  const bool scales = r != nullptr && r->bScalable != 0;
  if (scales && scale > 1) {
    bScaled = 1;
    nWidth = scale * cellW;
    nHeight = scale * cellH;
  } else {
    bScaled = 0;
    nWidth = cellW;
    nHeight = cellH;
  }
  if (a.Overlaps(b)) {
    const double l = std::max(a.left, b.left);
    const double t = std::max(a.top, b.top);
    const double rt = std::min(a.right, b.right);
    const double bt = std::min(a.bottom, b.bottom);
    x = l + (TruncToInt(rt - l + 1) >> 1) - nWidth / 2;
    y = t + (TruncToInt(bt - t + 1) >> 1) - nHeight / 2;
  } else {
    // No overlap: centred on the origin.
    x = -(nWidth / 2);
    y = -(nHeight / 2);
  }
  const int k = scales ? scale : 1;
  x += RandRange(-4 * k, 4 * k);
  y += RandRange(-4 * k, 4 * k);
  LoadFrames();
}

bool cEffectObj::Step(bool step) {
  if (Anime.m_Animes.empty() || Anime.m_Animes[0].empty()) return true;
  if (bStepAlways != 0 || step) return Anime.Step() == kAnimeEnd;
  return false;
}
