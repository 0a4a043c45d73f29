#pragma once

#include <cstdint>

#include "data/anime_step.h"

// A record of the frame arrays game objects build their animations from; an array ends with
// (and includes) its first record with a negative value.
struct AnimeFrame {
  std::int32_t value = 0;
  std::int32_t duration = 0;
  std::uint8_t hold = 0;
};

// Sequences the cell numbers of a sprite over time.
class cAnimePlayer {
 public:
  // A null-terminated list of frame arrays; a null list changes nothing.
  void Build(const AnimeFrame* const* lists);
  int Set(int n, int force);
  int Change(int n, int force);
  // Advances one tick and returns the current step's value. On the last step of an animation
  // the player stays there instead of stepping past the end.
  int Step();
  int GetValue();
  void Clear();

  AnimeStepTable m_Animes;
  std::int32_t m_nAnime = 0;
  std::int32_t m_nStep = 0;
  std::int32_t m_nTick = 0;
};
