#pragma once

#include <cstdint>

#include "core/checked_sequence.h"

class cEdCharaEffect;
class cEdScrEffect;

// A character effect made ready to run: its values from start to end and the step per frame,
// worked out once at start-up in both directions, so starting an effect is a copy.
struct cCharaEffect {
  std::int32_t nIndex = 0;
  std::int32_t nKind = 0;
  std::int32_t nStart = 0;
  std::int32_t nEnd = 0;
  double dValue = 0;
  double dStep = 0;
  double dProgress = 0;
  std::int32_t nRunTime = 0;  // tenths of a second
  std::int32_t nWavePhase = 0;
  bool bTimeMode = false;  // start equals end: the run only counts its time

  void Prepare(int index, bool backwards);
};

// The same for a screen effect, which also moves a point.
struct cScrEffect {
  std::int32_t nIndex = 0;
  std::int32_t nKind = 0;
  std::int32_t nStart = 0;
  std::int32_t nEnd = 0;
  double dValue = 0;
  double dStep = 0;
  bool bTimeMode = false;
  double dProgress = 0;
  std::int32_t nPointX = 0, nPointY = 0;
  std::int32_t nRunTime = 0;

  void Prepare(int index, bool backwards);
};

extern cVector<cCharaEffect> CharaEffectsForward;
extern cVector<cCharaEffect> CharaEffectsBackward;
extern cVector<cScrEffect> ScrEffectsForward;
extern cVector<cScrEffect> ScrEffectsBackward;

// Both tables of each family from the database's lists (start-up, after the database).
void BuildCharaEffectTables();
void BuildScrEffectTables();

// A running effect: play type 1 runs backwards, 2 forwards then backwards, any other
// forwards; with repeat it starts over at its end.
template <typename Entry>
struct cEffectRun {
  Entry entry;
  std::int32_t nPlayType = 0;
  std::int32_t nRepeat = 0;
  std::int32_t nDirection = 0;  // 1 while running the backwards entry
  std::int32_t nFrame = 0;
  std::int32_t bBlink = 0;       // the blink toggle of the blinking kinds
  std::int32_t nBlinkCount = 0;  // frames since the toggle last flipped

  void Start(int index, int playType, int repeat);
  void Restart();
  // One frame; true when the effect has ended.
  bool Step();
};

using cCharaEffectRun = cEffectRun<cCharaEffect>;
using cScrEffectRun = cEffectRun<cScrEffect>;
