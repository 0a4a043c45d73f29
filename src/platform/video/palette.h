#pragma once

#include <array>
#include <cstdint>

namespace platform {

struct PaletteEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;
  bool operator==(const PaletteEntry&) const = default;
};

// The 256 colours through which an 8-bit screen is seen.
class Palette {
 public:
  static constexpr int kSize = 256;

  explicit Palette(const PaletteEntry* entries = nullptr);

  // False when the range leaves the 256 entries.
  bool SetEntries(int first, int count, const PaletteEntry* entries);
  bool GetEntries(int first, int count, PaletteEntry* entries) const;
  const PaletteEntry& Entry(int index) const { return entries_[static_cast<std::size_t>(index)]; }

  // The colours as XRGB8888, for turning an 8-bit screen into a frame.
  const std::array<std::uint32_t, kSize>& Xrgb() const { return xrgb_; }

 private:
  void Refresh(int first, int count);

  std::array<PaletteEntry, kSize> entries_{};
  std::array<std::uint32_t, kSize> xrgb_{};
};

}  // namespace platform
