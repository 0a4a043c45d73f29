#include "world/effect_tables.h"

#include <cmath>
#include <utility>

#include "data/database.h"

cVector<cCharaEffect> CharaEffectsForward;
cVector<cCharaEffect> CharaEffectsBackward;
cVector<cScrEffect> ScrEffectsForward;
cVector<cScrEffect> ScrEffectsBackward;

namespace {

constexpr double kTenth = 0.16666666666666666;  // a frame in tenths of a second

// The step that takes start to end in the run time; a run time of 0 or less reaches the end
// in one step.
double StepOver(int start, int end, int runTime) {
  const double span = std::fabs(static_cast<double>(end) - start);
  return runTime > 0 ? span / (runTime * 6.0) : span;
}

}  // namespace

void cCharaEffect::Prepare(int index, bool backwards) {
  *this = cCharaEffect{};
  nIndex = index;
  // The backwards entry swaps start and end in a copy of its own; the database stays as read.
  cEdCharaEffect record = backwards ? Database.CharaEffectsBack[index] : Database.CharaEffects[index];
  if (backwards) std::swap(record.nParam[1], record.nParam[2]);
  nKind = record.nKind;
  nRunTime = record.nParam[0];
  const bool counted = nKind == 6 || nKind == 14 || nKind < 1 || nKind > 16;
  if (!counted) {
    nStart = record.nParam[1];
    nEnd = record.nParam[2];
    dValue = nStart;
    dStep = StepOver(nStart, nEnd, nRunTime);
  } else {
    nStart = 0;
    nEnd = nRunTime;
    dValue = 0;
    dStep = kTenth;
  }
  if (nKind != 0 && nStart == nEnd) {
    bTimeMode = true;
    dStep = kTenth;
    dProgress = 0;
  }
}

void cScrEffect::Prepare(int index, bool backwards) {
  *this = cScrEffect{};
  nIndex = index;
  cEdScrEffect record = backwards ? Database.ScrEffectsBack[index] : Database.ScrEffects[index];
  nKind = record.nKind;
  nRunTime = record.nParam[0];
  switch (nKind) {
    case 1:
      if (backwards) {
        std::swap(record.nParam[1], record.nParam[3]);
        std::swap(record.nParam[2], record.nParam[4]);
      }
      dStep = kTenth;
      nPointX = record.nParam[1];
      nPointY = record.nParam[2];
      nEnd = nRunTime;
      break;
    case 2:
    case 3:
    case 8:
      dStep = kTenth;
      nEnd = nRunTime;
      break;
    default:
      if (backwards) std::swap(record.nParam[1], record.nParam[2]);
      nStart = record.nParam[1];
      nEnd = record.nParam[2];
      dValue = nStart;
      dStep = StepOver(nStart, nEnd, nRunTime);
      break;
  }
  if (nKind != 1 && nKind != 2 && nKind != 3 && nKind != 8 && nStart == nEnd) {
    bTimeMode = true;
    dProgress = 0;
    dStep = kTenth;
  }
}

namespace {

template <typename Entry, typename Records>
void Build(cVector<Entry>& forward, cVector<Entry>& backward, const Records& records) {
  const int count = static_cast<int>(records.size());
  forward.assign(count, Entry{});
  backward.assign(count, Entry{});
  for (int i = 0; i < count; ++i) {
    forward[i].Prepare(i, false);
    backward[i].Prepare(i, true);
  }
}

// Before the tables are built (no project loaded) every effect is the empty one; after, an
// index beyond the table is the sequence error it always is.
template <typename Entry>
Entry TableEntry(const cVector<Entry>& table, int index) {
  return table.empty() ? Entry{} : table[index];
}

cCharaEffect TableEntry(const cCharaEffect*, int index, bool backwards) {
  return TableEntry(backwards ? CharaEffectsBackward : CharaEffectsForward, index);
}

cScrEffect TableEntry(const cScrEffect*, int index, bool backwards) {
  return TableEntry(backwards ? ScrEffectsBackward : ScrEffectsForward, index);
}

}  // namespace

void BuildCharaEffectTables() { Build(CharaEffectsForward, CharaEffectsBackward, Database.CharaEffects); }

void BuildScrEffectTables() { Build(ScrEffectsForward, ScrEffectsBackward, Database.ScrEffects); }

template <typename Entry>
void cEffectRun<Entry>::Start(int index, int playType, int repeat) {
  nDirection = playType == 1 ? 1 : 0;
  entry = TableEntry(static_cast<const Entry*>(nullptr), index, nDirection == 1);
  nPlayType = playType;
  nRepeat = repeat;
  nFrame = 0;
  bBlink = 0;
  nBlinkCount = 0;
}

template <typename Entry>
void cEffectRun<Entry>::Restart() {
  if (nPlayType == 2) nDirection ^= 1;
  entry = TableEntry(static_cast<const Entry*>(nullptr), entry.nIndex, nDirection == 1);
  nFrame = 0;
}

template <typename Entry>
bool cEffectRun<Entry>::Step() {
  bool goesOn = false;
  if (entry.nRunTime <= 0) {
    entry.dValue = entry.nEnd;
  } else if (entry.bTimeMode) {
    entry.dProgress += entry.dStep;
    goesOn = entry.dProgress <= entry.nRunTime;
  } else if (entry.nEnd < entry.nStart) {
    entry.dValue -= entry.dStep;
    goesOn = entry.dValue >= entry.nEnd;
  } else {
    entry.dValue += entry.dStep;
    goesOn = entry.dValue <= entry.nEnd;
  }
  ++nFrame;
  if (goesOn) return false;
  if (nRepeat != 0 || (nPlayType == 2 && nDirection == 0)) {
    Restart();
    return false;
  }
  return true;
}

template struct cEffectRun<cCharaEffect>;
template struct cEffectRun<cScrEffect>;
