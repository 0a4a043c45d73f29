#pragma once

#include <cstdint>

#include "core/checked_sequence.h"

// One step of an animation as the animation player runs it. The database builds step tables
// from its animation and effect records; game objects build theirs from frame arrays.
struct AnimeStep {
  std::int32_t value = 0;     // a cell number, or one of the codes below
  std::int32_t duration = 0;  // ticks (one per player step); for a jump, the animation to jump to
  std::int32_t hold = 0;      // non-zero: a non-forced switch is refused while this step is current

  bool operator==(const AnimeStep&) const = default;
};

// Negative step values. Stay, loop and jump are commands the player carries out; any other
// negative value ends the animation and is returned to the caller like a cell number.
constexpr std::int32_t kAnimeStay = -1;  // back to the step before, which then repeats
constexpr std::int32_t kAnimeLoop = -2;  // back to the first step
constexpr std::int32_t kAnimeJump = -3;  // to the first step of the animation numbered by the duration
constexpr std::int32_t kAnimeEnd = -4;   // ends an effect or a timed animation

// Ticks per tenth of a second of the database's durations.
constexpr std::int32_t kTicksPerTenth = 6;

// One step table per animation number.
using AnimeStepTable = cVector<cVector<AnimeStep>>;
