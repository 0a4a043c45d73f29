#include "make_sample_game/sprite_stamp.h"

#include <cstring>

namespace sample {

Legend::Legend(std::initializer_list<std::pair<char, std::uint8_t>> entries) {
  colors_.fill(-1);
  for (const auto& [c, color] : entries) {
    if (static_cast<unsigned char>(c) < colors_.size()) colors_[static_cast<unsigned char>(c)] = color;
  }
}

int Legend::ColorOf(char c) const {
  const auto index = static_cast<unsigned char>(c);
  return index < colors_.size() ? colors_[index] : -1;
}

void Stamp(Canvas& canvas, PixelRows rows, const Legend& legend, int x, int y, int scale, bool mirrored) {
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const char* line = rows[row];
    const int length = static_cast<int>(std::strlen(line));
    for (int col = 0; col < length; ++col) {
      const int color = legend.ColorOf(line[mirrored ? length - 1 - col : col]);
      if (color < 0) continue;
      canvas.FillRect(x + col * scale, y + static_cast<int>(row) * scale, scale, scale, static_cast<std::uint8_t>(color));
    }
  }
}

}  // namespace sample
