#include "platform/video/palette.h"

namespace platform {

Palette::Palette(const PaletteEntry* entries) {
  if (entries != nullptr) SetEntries(0, kSize, entries);
}

bool Palette::SetEntries(int first, int count, const PaletteEntry* entries) {
  if (first < 0 || count < 0 || first + count > kSize || entries == nullptr) return false;
  for (int i = 0; i < count; ++i) entries_[static_cast<std::size_t>(first + i)] = entries[i];
  Refresh(first, count);
  return true;
}

bool Palette::GetEntries(int first, int count, PaletteEntry* entries) const {
  if (first < 0 || count < 0 || first + count > kSize || entries == nullptr) return false;
  for (int i = 0; i < count; ++i) entries[i] = entries_[static_cast<std::size_t>(first + i)];
  return true;
}

void Palette::Refresh(int first, int count) {
  for (int i = first; i < first + count; ++i) {
    const PaletteEntry& e = entries_[static_cast<std::size_t>(i)];
    xrgb_[static_cast<std::size_t>(i)] =
        static_cast<std::uint32_t>(e.red) << 16 | static_cast<std::uint32_t>(e.green) << 8 | e.blue;
  }
}

}  // namespace platform
