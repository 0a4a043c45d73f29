#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One rendered glyph, monochrome: keyed targets take no fringes, and every route (device
// context, sprite, glyph sheet) draws the same pixels.
struct GlyphBitmap {
  int width = 0;
  int height = 0;
  int left = 0;     // from the pen position to the first column
  int top = 0;      // from the cell top to the first row
  int advance = 0;  // pen movement to the next character
  std::vector<std::uint8_t> bits;  // width x height, 1 = ink
};

// Cell metrics of a face at the size it was made: the cell height is ascent + descent.
struct GlyphMetrics {
  int ascent = 0;
  int descent = 0;
  int averageWidth = 0;
};

// Renders the characters of one face at one size. Codes are CP932: a single byte, or lead byte
// << 8 | trail byte.
class GlyphSource {
 public:
  virtual ~GlyphSource() = default;
  virtual GlyphMetrics Metrics() const = 0;
  // False for a code the face cannot show; `out` then describes an empty glyph that still
  // advances.
  virtual bool Render(std::uint16_t code, GlyphBitmap& out) = 0;
};

// Makes the source of a Windows face name (CP932) at a GDI cell height and, when non-zero, an
// average character width. Null when no face can be found; the reason goes to the diagnostics
// once per process.
using GlyphSourceMaker =
    std::function<std::unique_ptr<GlyphSource>(std::string_view cp932Face, int height, int width)>;
std::unique_ptr<GlyphSource> MakeGlyphSource(std::string_view cp932Face, int height, int width);
// Replaces the FreeType maker (tests use a stub rasteriser); an empty maker puts it back.
void SetGlyphSourceMaker(GlyphSourceMaker maker);

// The CP932 code of the character at `text` (one or two bytes of `count`) and its byte length.
std::uint16_t Cp932CodeAt(const char* text, int count, int& length);

}  // namespace platform
