#pragma once

#include <cstdint>
#include <string_view>

#include "make_sample_game/pixel_canvas.h"

namespace sample {

// A small 5 x 7 capital font for the bitmaps' lettering (banners, the title, the menu strips,
// the debug sheet). Lower-case letters draw as capitals; characters it lacks draw as blanks.
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;

// True when the font has a picture for the character.
bool HasGlyph(char c);
// Whether pixel (x, y) of the character's 5 x 7 cell is set.
bool GlyphPixel(char c, int x, int y);

// Width in pixels of a text at the scale (no trailing gap).
int TextWidth(std::string_view text, int scale);

struct TextStyle {
  int scale = 1;
  int scaleY = 0;              // 0: the same as `scale`
  std::uint8_t face = 0;       // colour of the letters' top half, or all of them
  std::uint8_t faceLow = 0;    // colour of the lower half; 0 keeps `face`
  std::uint8_t outline = 0;    // 0: none
  int outlineWidth = 1;        // pixels of outline round the letters
  std::uint8_t shadow = 0;     // 0: none; drawn one scaled pixel down and right
};

// Draws the text with its top-left corner at (x, y).
void DrawText(Canvas& canvas, int x, int y, std::string_view text, const TextStyle& style);
// The same, centred on x.
void DrawTextCentred(Canvas& canvas, int centreX, int y, std::string_view text, const TextStyle& style);

}  // namespace sample
