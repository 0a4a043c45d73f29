#include "platform/text/text_font.h"

#include "platform/video/pixel_format.h"

namespace platform {

TextFont::TextFont(std::unique_ptr<GlyphSource> source, int height) : source_(std::move(source)), height_(height) {
  if (source_ != nullptr) {
    const GlyphMetrics m = source_->Metrics();
    height_ = m.ascent + m.descent;
  }
}

std::unique_ptr<TextFont> TextFont::Create(std::string_view cp932Face, int height, int width) {
  return std::make_unique<TextFont>(MakeGlyphSource(cp932Face, height, width), height);
}

const GlyphBitmap& TextFont::Glyph(std::uint16_t code) {
  const auto found = glyphs_.find(code);
  if (found != glyphs_.end()) return found->second;
  GlyphBitmap& glyph = glyphs_[code];
  if (source_ != nullptr) source_->Render(code, glyph);
  return glyph;
}

void TextFont::TextOut(DeviceContext& context, int x, int y, const char* text, int count) {
  if (context.pixels == nullptr || context.pixels->empty() || source_ == nullptr || text == nullptr) return;
  ++draws_;
  PixelBuffer& target = *context.pixels;
  const PixelFormat format = target.format();
  std::uint32_t value = 0;
  if (format == PixelFormat::Indexed8) {
    value = context.palette != nullptr ? NearestPaletteIndex(*context.palette, context.textColor) : 0;
  } else {
    value = PackArgb(0xFF000000u | context.textColor, format);
  }
  ForEachGlyph(text, count, [&](std::uint16_t, const GlyphBitmap& glyph, int pen) {
    const int left = x + pen + glyph.left;
    const int top = y + glyph.top;
    for (int gy = 0; gy < glyph.height; ++gy) {
      const int ty = top + gy;
      if (ty < 0 || ty >= target.height()) continue;
      const std::uint8_t* ink = glyph.bits.data() + static_cast<std::ptrdiff_t>(gy) * glyph.width;
      for (int gx = 0; gx < glyph.width; ++gx) {
        const int tx = left + gx;
        if (ink[gx] != 0 && tx >= 0 && tx < target.width()) target.SetPixel(tx, ty, value);
      }
    }
  });
}

TextExtent TextFont::GetTextExtent(const char* text, int count) {
  TextExtent extent{0, height_};
  if (source_ == nullptr || text == nullptr) return extent;
  ForEachGlyph(text, count, [&](std::uint16_t, const GlyphBitmap& glyph, int pen) { extent.cx = pen + glyph.advance; });
  return extent;
}

}  // namespace platform
