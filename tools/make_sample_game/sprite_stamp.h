#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <utility>

#include "make_sample_game/pixel_canvas.h"

namespace sample {

// Which palette index each character of a pixel template stands for; characters it does not
// name (and '.') are transparent.
class Legend {
 public:
  Legend(std::initializer_list<std::pair<char, std::uint8_t>> entries);
  // -1 for a transparent character.
  int ColorOf(char c) const;

 private:
  std::array<std::int16_t, 128> colors_{};
};

using PixelRows = std::span<const char* const>;

// Draws a template, one string per row, with its top-left corner at (x, y); each template
// pixel becomes a scale x scale square, and a mirrored stamp reads each row right to left.
void Stamp(Canvas& canvas, PixelRows rows, const Legend& legend, int x, int y, int scale = 1, bool mirrored = false);

}  // namespace sample
