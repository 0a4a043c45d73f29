#pragma once

#include <cstdint>
#include <vector>

struct DialogRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool Contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
};

// The 640 × 480 ARGB picture the dialogs are drawn into, shown over the game's frame.
// Alpha 0 lets the frame through. Drawing is clipped to the picture.
class DialogCanvas {
 public:
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 480;

  DialogCanvas() : pixels_(static_cast<std::size_t>(kWidth) * kHeight, 0) {}
  void Clear() { pixels_.assign(pixels_.size(), 0); }
  void Pixel(int x, int y, std::uint32_t argb) {
    if (x >= 0 && y >= 0 && x < kWidth && y < kHeight) pixels_[static_cast<std::size_t>(y) * kWidth + x] = argb;
  }
  std::uint32_t At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * kWidth + x]; }
  void Fill(const DialogRect& rect, std::uint32_t argb);
  // A one-pixel outline; `dotted` draws every other pixel (the focus mark).
  void Outline(const DialogRect& rect, std::uint32_t argb, bool dotted = false);
  // Light top-left and dark bottom-right edges: raised, or sunken when swapped.
  void Bevel(const DialogRect& rect, bool raised);

  const std::vector<std::uint32_t>& Pixels() const { return pixels_; }

 private:
  std::vector<std::uint32_t> pixels_;
};

namespace dialog_colours {
inline constexpr std::uint32_t kFace = 0xFFD4D0C8;
inline constexpr std::uint32_t kLight = 0xFFFFFFFF;
inline constexpr std::uint32_t kShadow = 0xFF808080;
inline constexpr std::uint32_t kDark = 0xFF404040;
inline constexpr std::uint32_t kText = 0xFF000000;
inline constexpr std::uint32_t kGreyText = 0xFF808080;
inline constexpr std::uint32_t kCaption = 0xFF0A246A;
inline constexpr std::uint32_t kCaptionText = 0xFFFFFFFF;
inline constexpr std::uint32_t kWindow = 0xFFFFFFFF;
inline constexpr std::uint32_t kSelection = 0xFF0A246A;
}  // namespace dialog_colours
