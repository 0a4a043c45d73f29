#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "platform/text/glyph_source.h"
#include "platform/video/gdi_copy.h"

namespace platform {

struct TextExtent {
  int cx = 0;
  int cy = 0;
};

// The GDI font of the drawing library: made by face name and cell height, it draws and measures
// CP932 text on a device context. Text is laid out glyph by glyph on the face's own advances,
// with the cell top at the given y. A font whose face is missing draws nothing and measures its
// text by the cell height alone.
class TextFont {
 public:
  TextFont(std::unique_ptr<GlyphSource> source, int height);
  static std::unique_ptr<TextFont> Create(std::string_view cp932Face, int height, int width);

  bool HasFace() const { return source_ != nullptr; }
  int CellHeight() const { return height_; }

  // Ink only (a transparent background), in the context's text colour; into an 8-bit target as
  // the nearest entry of the context's palette.
  void TextOut(DeviceContext& context, int x, int y, const char* text, int count);
  TextExtent GetTextExtent(const char* text, int count);

  // How many texts were drawn (TextOut here, the sprite font's draws too): the glyph sheets of
  // the drawing library are there so that cached text draws none.
  int DrawCount() const { return draws_; }
  void CountDraw() { ++draws_; }

  // Walks the text's glyphs: visit(glyph, pen x). Used by the sprite font too.
  template <typename Visit>
  void ForEachGlyph(const char* text, int count, Visit&& visit) {
    int pen = 0;
    for (int i = 0; i < count && text[i] != '\0';) {
      int length = 1;
      const std::uint16_t code = Cp932CodeAt(text + i, count - i, length);
      const GlyphBitmap& glyph = Glyph(code);
      visit(code, glyph, pen);
      pen += glyph.advance;
      i += length;
    }
  }

 private:
  const GlyphBitmap& Glyph(std::uint16_t code);

  std::unique_ptr<GlyphSource> source_;
  int height_;
  int draws_ = 0;
  // Each glyph is rendered once: direct text is drawn again every frame.
  std::unordered_map<std::uint16_t, GlyphBitmap> glyphs_;
};

}  // namespace platform
