#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/text/text_font.h"
#include "platform/video/render_device.h"

namespace platform {

// Formats of SpriteFont::DrawText.
enum TextFormat : unsigned {
  kTextNoClip = 1u << 0,    // draw beyond the rectangle
  kTextCalcRect = 1u << 1,  // only measure: the rectangle's right and bottom are set
};

// The device backend's font: glyphs rendered once into glyph textures and drawn as sprites,
// ink texels opaque white modulated by the text colour, the rest transparent, so that it shows
// the same pixels as the GDI font. Glyph textures are in the managed pool and survive a reset.
class SpriteFont {
 public:
  SpriteFont(RenderDevice* device, std::unique_ptr<TextFont> font);
  static std::unique_ptr<SpriteFont> Create(RenderDevice* device, std::string_view cp932Face, int height, int width);

  bool HasFace() const { return font_->HasFace(); }
  TextFont& Font() { return *font_; }

  // Queues the text on the begun sprite with the cell top-left at the rectangle's top-left;
  // returns the text height. With kTextCalcRect nothing is drawn and the rectangle grows to the
  // text's extent. Only single-line text: the drawing library splits lines itself.
  int DrawText(Sprite* sprite, const char* text, int count, PixelRect* rect, unsigned format, std::uint32_t argb);

  VideoResult OnLostDevice();
  VideoResult OnResetDevice();

 private:
  struct Cell {
    std::shared_ptr<Texture> texture;
    PixelRect source;
  };
  const Cell* CellOf(std::uint16_t code, const GlyphBitmap& glyph);

  RenderDevice* device_;
  std::unique_ptr<TextFont> font_;
  std::map<std::uint16_t, Cell> cells_;
  std::shared_ptr<Texture> page_;
  int penX_ = 0;
  int penY_ = 0;
  int rowHeight_ = 0;
};

}  // namespace platform
