#pragma once

#include <cstdint>

// Truncation towards zero that is defined for every double: NaN gives 0, values beyond the
// 32-bit range give its nearest end.
inline std::int32_t TruncToInt(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<std::int32_t>(v);
}

// A 64-bit integer held to the 32-bit range.
inline std::int32_t SaturateToInt(std::int64_t v) {
  if (v > 2147483647) return 2147483647;
  if (v < -2147483647 - 1) return -2147483647 - 1;
  return static_cast<std::int32_t>(v);
}
