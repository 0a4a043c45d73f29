#pragma once

#include <array>
#include <cstdint>

namespace sample {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

using PaletteColors = std::array<Rgb, 256>;

// The one palette every bitmap of the game shares (Palette.bmp and every sheet's colour
// table), laid out for the runtime's palette services:
// - 0 is the transparent colour (pixel (0, 0) of Palette.bmp);
// - 1 to 15 are fixed colours: outlines and the interface, which keep their look under every
//   palette choice;
// - 16 to 207 are twelve ramps of sixteen shades, dark to light. The palette choices of the
//   options rotate these ramps (or repeat one of them), recolouring the game, so art takes
//   its colours from the ramps; 16 is black, the colour the runtime fills empty screens with;
// - 208 to 239 are eight groups of four that the palette animation cycles: the colours of the
//   hit-box display (red, green, blue, yellow, magenta, violet, black, rainbow);
// - 240 is the frame colour and 241 the text colour of the fonts; 242 to 255 are fixed
//   window and status colours.
const PaletteColors& SamplePalette();

enum Ramp : int {
  kGrey,
  kRed,
  kOrange,
  kGold,
  kGreen,
  kForest,
  kTeal,
  kSky,
  kBlue,
  kPurple,
  kPink,
  kBrown,
  kRampCount,
};

constexpr int kRampFirst = 16;
constexpr int kRampShades = 16;
constexpr int kCycleFirst = 208;
constexpr int kCycleLast = 239;

// Shade 0 (darkest) to 15 (lightest) of a ramp; levels outside are clamped.
constexpr std::uint8_t Shade(Ramp ramp, int level) {
  const int clamped = level < 0 ? 0 : (level > 15 ? 15 : level);
  return static_cast<std::uint8_t>(kRampFirst + kRampShades * ramp + clamped);
}

// Fixed colours.
namespace ink {
constexpr std::uint8_t kKey = 0;
constexpr std::uint8_t kOutline = 1;
constexpr std::uint8_t kSlate = 2;
constexpr std::uint8_t kSteel = 3;
constexpr std::uint8_t kSilver = 4;
constexpr std::uint8_t kPale = 5;
constexpr std::uint8_t kWhite = 6;
constexpr std::uint8_t kRed = 7;
constexpr std::uint8_t kGreen = 8;
constexpr std::uint8_t kBlue = 9;
constexpr std::uint8_t kYellow = 10;
constexpr std::uint8_t kCyan = 11;
constexpr std::uint8_t kMagenta = 12;
constexpr std::uint8_t kOrange = 13;
constexpr std::uint8_t kBrown = 14;
constexpr std::uint8_t kSkin = 15;
constexpr std::uint8_t kFrame = 240;
constexpr std::uint8_t kText = 241;
constexpr std::uint8_t kShadow = 242;
constexpr std::uint8_t kPanelFirst = 243;  // eight window shades, dark to light
constexpr std::uint8_t kPanelLast = 250;
constexpr std::uint8_t kHighlight = 251;
constexpr std::uint8_t kGaugeLow = 252;
constexpr std::uint8_t kGaugeHp = 253;
constexpr std::uint8_t kGaugeSp = 254;
constexpr std::uint8_t kBright = 255;
}  // namespace ink

}  // namespace sample
