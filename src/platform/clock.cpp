#include "platform/clock.h"

#include <atomic>
#include <ctime>
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

CalendarTime LocalTime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::tm local{};
  localtime_r(&now.tv_sec, &local);
  CalendarTime t;
  t.year = static_cast<std::uint16_t>(local.tm_year + 1900);
  t.month = static_cast<std::uint16_t>(local.tm_mon + 1);
  t.dayOfWeek = static_cast<std::uint16_t>(local.tm_wday);
  t.day = static_cast<std::uint16_t>(local.tm_mday);
  t.hour = static_cast<std::uint16_t>(local.tm_hour);
  t.minute = static_cast<std::uint16_t>(local.tm_min);
  t.second = static_cast<std::uint16_t>(local.tm_sec);
  t.milliseconds = static_cast<std::uint16_t>(now.tv_nsec / 1000000);
  return t;
}

void SetClockSource(ClockSource* source) { g_source.store(source, std::memory_order_release); }

}  // namespace platform
