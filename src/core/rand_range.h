#pragma once

#include <cstdint>

// A number of the game's generator in [min(a, b), max(a, b)]: the next draw modulo the span,
// plus the low bound. The span is taken in 64 bits, so bounds of opposite extremes work.
std::int32_t RandRange(std::int32_t a, std::int32_t b);
