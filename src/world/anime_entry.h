#pragma once

#include <cstdint>

#include "gfx/anime_player.h"

// A timed animation that a flow started on a character.
struct AnimeEntry {
  cAnimePlayer Player;
  std::int32_t bPriority = 0;
  std::int32_t nFramesLeft = 0;  // may go below 0
  std::int32_t nSecondCount = 0;
  std::int32_t nKey = 0;  // the flow that started it
  std::int32_t bPaused = 0;
};

// Who hit a character recently, by object number.
struct AttackerMemo {
  std::int32_t nAttacker = 0;
  std::int32_t nLeft = 0;  // sub-steps
};

// The running character effect: which effect, and the frame it is on. Drawing and the
// value tables come with the effect drawing.
struct cCharaEffectRun {
  std::int16_t nIndex = 0;
  std::int32_t nPlayType = 0;
  std::int32_t nRepeat = 0;
  std::int32_t nDirection = 0;
  std::int32_t nFrame = 0;
  std::int32_t nStart = 0, nEnd = 0;
  double dValue = 0, dStep = 0, dProgress = 0;
  std::int32_t nRunTime = 0;

  void Start(int index, int playType, int repeat) {
    *this = cCharaEffectRun{};
    nIndex = static_cast<std::int16_t>(index);
    nPlayType = playType;
    nRepeat = repeat;
  }
};
