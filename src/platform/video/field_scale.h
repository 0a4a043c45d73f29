#pragma once

#include <cstdint>

namespace platform {

// Channel conversions between 5- and 6-bit fields and 8-bit components by a
// multiply and a shift, each equal to its integer division for every value
// (checked below at compile time) and within 16 bits, so that pixel loops using
// them vectorise.

// f * 255 / 31 and f * 255 / 63: a field widened as UnpackArgb widens it.
constexpr std::uint16_t Widen5(std::uint16_t f) {
  return static_cast<std::uint16_t>(static_cast<std::uint16_t>(f * 1053u) >> 7);
}
constexpr std::uint16_t Widen6(std::uint16_t f) {
  return static_cast<std::uint16_t>(static_cast<std::uint16_t>(f * 259u + 3u) >> 6);
}

// c * 31 / 255 and c * 63 / 255: a component truncated to a field.
constexpr std::uint16_t Narrow5(std::uint16_t c) {
  return static_cast<std::uint16_t>(static_cast<std::uint16_t>(c * 249u) >> 11);
}
constexpr std::uint16_t Narrow6(std::uint16_t c) {
  return static_cast<std::uint16_t>(static_cast<std::uint16_t>(c * 253u) >> 10);
}

namespace field_scale_check {
constexpr bool AllExact() {
  for (std::uint16_t f = 0; f < 32; ++f)
    if (Widen5(f) != f * 255 / 31) return false;
  for (std::uint16_t f = 0; f < 64; ++f)
    if (Widen6(f) != f * 255 / 63) return false;
  for (std::uint16_t c = 0; c < 256; ++c)
    if (Narrow5(c) != c * 31 / 255 || Narrow6(c) != c * 63 / 255) return false;
  return true;
}
static_assert(AllExact(), "a multiply-shift differs from its division");
}  // namespace field_scale_check

}  // namespace platform
