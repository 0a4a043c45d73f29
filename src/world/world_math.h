#pragma once

#include <cstdint>

// Trigonometry for game logic. The C library picks different code (fused multiply-adds or
// not) by processor, so its results can differ in the last bit from machine to machine; a
// replay must not. These use plain double operations only, in a fixed order, and stay within
// one unit in the last place of the correctly rounded result.
double WorldSin(double x);
double WorldCos(double x);
double WorldAtan2(double y, double x);

// Truncation towards zero that is defined for every double: NaN gives 0, values beyond the
// 32-bit range give its nearest end.
inline std::int32_t TruncToInt(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<std::int32_t>(v);
}
