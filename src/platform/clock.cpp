#include "platform/clock.h"

#include <atomic>
#include <thread>  // also brings the clocks; <chrono> itself has a literal CP932 cannot hold

namespace platform {
namespace {

std::atomic<ClockSource*> g_source{nullptr};

std::uint32_t SteadyMs() {
  using namespace std::chrono;
  static const steady_clock::time_point origin = steady_clock::now();
  const auto elapsed = duration_cast<milliseconds>(steady_clock::now() - origin).count();
  // Truncation to 32 bits is the wrap-around the callers expect.
  return static_cast<std::uint32_t>(elapsed);
}

}  // namespace

std::uint32_t TimeMs() {
  ClockSource* source = g_source.load(std::memory_order_acquire);
  return source != nullptr ? source->NowMs() : SteadyMs();
}

void SleepMs(std::uint32_t milliseconds) {
  ClockSource* source = g_source.load(std::memory_order_acquire);
  if (source != nullptr) {
    source->Sleep(milliseconds);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void SetClockSource(ClockSource* source) { g_source.store(source, std::memory_order_release); }

}  // namespace platform
