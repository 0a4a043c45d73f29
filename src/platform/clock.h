#pragma once

#include <cstdint>

namespace platform {

// The program's time base: a 32-bit millisecond counter that wraps around after about
// 49.7 days, as the multimedia timer did. Callers compare times with unsigned arithmetic.
std::uint32_t TimeMs();
void SleepMs(std::uint32_t milliseconds);

// A moment of the local calendar, field by field (day of week 0 = Sunday).
struct CalendarTime {
  std::uint16_t year = 0, month = 0, dayOfWeek = 0, day = 0;
  std::uint16_t hour = 0, minute = 0, second = 0, milliseconds = 0;
};
// Now, in the user's time zone.
CalendarTime LocalTime();

// Tests replace the time base with a fake one; nullptr restores the real clock.
class ClockSource {
 public:
  virtual ~ClockSource() = default;
  virtual std::uint32_t NowMs() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};
void SetClockSource(ClockSource* source);

}  // namespace platform
