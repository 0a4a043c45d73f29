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
