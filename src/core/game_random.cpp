#include "core/game_random.h"

#include <atomic>

namespace {

constexpr std::uint32_t kMultiplier = 214013;
constexpr std::uint32_t kIncrement = 2531011;

// The generator's whole state. Game logic draws on the game thread only; the atomic keeps a
// stray draw from another thread defined, and every draw still takes its own step.
std::atomic<std::uint32_t> g_state{1};

}  // namespace

void SeedGameRandom(std::uint32_t seed) { g_state.store(seed, std::memory_order_relaxed); }

int GameRandom() {
  std::uint32_t state = g_state.load(std::memory_order_relaxed);
  std::uint32_t next = 0;
  do {
    next = state * kMultiplier + kIncrement;
  } while (!g_state.compare_exchange_weak(state, next, std::memory_order_relaxed));
  return static_cast<int>((next >> 16) & 0x7FFF);
}

std::uint32_t GameRandomState() { return g_state.load(std::memory_order_relaxed); }
