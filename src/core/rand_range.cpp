#include "core/rand_range.h"

#include <algorithm>

#include "core/game_random.h"

std::int32_t RandRange(std::int32_t a, std::int32_t b) {
  const std::int64_t lo = std::min(a, b);
  const std::int64_t span = static_cast<std::int64_t>(std::max(a, b)) - lo + 1;
  return static_cast<std::int32_t>(GameRandom() % span + lo);
}
