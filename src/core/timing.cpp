#include "core/timing.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "platform/clock.h"

namespace {

struct TimingState {
  std::uint32_t frameStart = 0;
  std::uint32_t lastElapsed = 0;

  std::uint32_t frameCounter = 0;

  bool fpsStarted = false;
  std::uint32_t fpsSecondStart = 0;
  int fpsFrames = 0;
  int fpsPublished = 0;

  bool gateStarted = false;
  std::uint32_t gateNext = 0;
  // The period that set gateNext: how far ahead of the clock gateNext can honestly lie.
  std::uint32_t gatePeriod = 0;

  bool limiterStarted = false;
  std::uint32_t limiterGroupStart = 0;
  int limiterIndex = 0;
};

TimingState g_timing;
std::atomic<bool> g_limiterActive{false};

}  // namespace

std::uint32_t ClockMs() { return platform::TimeMs(); }

std::uint32_t TimerStart() {
  g_timing.frameStart = platform::TimeMs();
  return g_timing.frameStart;
}

std::uint32_t TimerElapsed(int flag) {
  if (flag != 0) g_timing.lastElapsed = platform::TimeMs() - g_timing.frameStart;
  return g_timing.lastElapsed;
}

int FrameCounter(int mode, int n) {
  std::uint32_t& counter = g_timing.frameCounter;
  if (mode == 0) {
    counter = 0;
    return 0;
  }
  if (mode == 2) return counter == 0 ? 1 : 0;
  if (++counter >= static_cast<std::uint32_t>(n)) {
    counter = 0;
    return 1;
  }
  return 0;
}

int FpsCounter(int flag) {
  const std::uint32_t now = platform::TimeMs();
  if (!g_timing.fpsStarted) {
    g_timing.fpsStarted = true;
    g_timing.fpsSecondStart = now;
  }
  if (flag != 0) {
    // The frame that closes a second is counted in neither second.
    if (now - g_timing.fpsSecondStart >= 1000) {
      g_timing.fpsPublished = g_timing.fpsFrames;
      g_timing.fpsSecondStart = now;
      g_timing.fpsFrames = 0;
    } else {
      ++g_timing.fpsFrames;
    }
  }
  return g_timing.fpsPublished;
}

bool FramesUnpaced() {
  static const bool unpaced = [] {
    const char* value = std::getenv("KESTREL_UNPACED");
    return value != nullptr && std::strcmp(value, "1") == 0;
  }();
  return unpaced;
}

bool FrameGate(int fps) {
  if (FramesUnpaced()) return true;
  const std::uint32_t now = platform::TimeMs();
  if (!g_timing.gateStarted) {
    g_timing.gateStarted = true;
    g_timing.gateNext = now;
  }
  if (fps <= 0) return true;
  // "now is before the next frame time", read across the wrap of the 32-bit clock: the next
  // frame time never lies more than one period ahead, so a larger distance means it passed.
  const std::uint32_t ahead = g_timing.gateNext - now;
  if (ahead != 0 && ahead <= g_timing.gatePeriod) return false;
  g_timing.gatePeriod = static_cast<std::uint32_t>(1000 / fps);
  g_timing.gateNext = now + g_timing.gatePeriod;
  return true;
}

bool FpsLimiter(int fps) {
  if (FramesUnpaced()) return true;
  if (!g_limiterActive.load(std::memory_order_relaxed) || fps <= 0) return true;
  const std::uint32_t now = platform::TimeMs();
  if (!g_timing.limiterStarted) {
    g_timing.limiterStarted = true;
    g_timing.limiterGroupStart = now;
  }
  // Measured from the group start, so the wrap of the clock changes nothing.
  const double sinceGroupStart = static_cast<double>(now - g_timing.limiterGroupStart);
  if (sinceGroupStart < 1000.0 / fps * g_timing.limiterIndex) return false;
  if (++g_timing.limiterIndex >= fps) {
    g_timing.limiterIndex = 0;
    g_timing.limiterGroupStart = now;
  }
  return true;
}

void SetFpsLimiterActive(bool active) { g_limiterActive.store(active, std::memory_order_relaxed); }

void ResetTiming() {
  g_timing = TimingState{};
  g_limiterActive.store(false, std::memory_order_relaxed);
}
