#pragma once

#include <cstdint>

#include "core/checked_sequence.h"

// One step of an animation as the animation player runs it.
struct AnimeStep {
  std::int32_t nFrame = 0;     // a cell number, or a negative end code
  std::int32_t nDuration = 0;  // ticks; the player advances one tick per step
  std::int32_t bHold = 0;      // while set, switching to another animation needs force

  bool operator==(const AnimeStep&) const = default;
};

// End codes of a step table's last step.
constexpr std::int32_t kAnimeLoop = -2;  // back to the first step
constexpr std::int32_t kAnimeEnd = -4;   // stays, and ends an effect or a timed animation

// Ticks per tenth of a second of the database's durations.
constexpr std::int32_t kTicksPerTenth = 6;

// One step table per animation number.
using AnimeStepTable = cVector<cVector<AnimeStep>>;
