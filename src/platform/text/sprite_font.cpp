#include "platform/text/sprite_font.h"

#include <cstring>

namespace platform {
namespace {

constexpr int kPageSide = 256;

}  // namespace

SpriteFont::SpriteFont(RenderDevice* device, std::unique_ptr<TextFont> font)
    : device_(device), font_(std::move(font)) {}

std::unique_ptr<SpriteFont> SpriteFont::Create(RenderDevice* device, std::string_view cp932Face, int height,
                                               int width) {
  return std::make_unique<SpriteFont>(device, TextFont::Create(cp932Face, height, width));
}

const SpriteFont::Cell* SpriteFont::CellOf(std::uint16_t code, const GlyphBitmap& glyph) {
  if (const auto found = cells_.find(code); found != cells_.end()) return &found->second;
  if (glyph.width <= 0 || glyph.height <= 0 || glyph.width > kPageSide || glyph.height > kPageSide) return nullptr;
  if (penX_ + glyph.width > kPageSide) {
    penX_ = 0;
    penY_ += rowHeight_;
    rowHeight_ = 0;
  }
  if (page_ == nullptr || penY_ + glyph.height > kPageSide) {
    page_.reset();
    if (device_ == nullptr || !Succeeded(device_->CreateTexture(kPageSide, kPageSide, PixelFormat::Argb8888,
                                                                TextureUsage::None, MemoryPool::Managed, page_))) {
      return nullptr;
    }
    penX_ = penY_ = rowHeight_ = 0;
  }
  LockedRect locked;
  RenderSurface& level = *page_->Level();
  if (!Succeeded(level.Lock(locked))) return nullptr;
  for (int y = 0; y < glyph.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(locked.bits + static_cast<std::ptrdiff_t>(penY_ + y) * locked.pitch);
    for (int x = 0; x < glyph.width; ++x) {
      row[penX_ + x] = glyph.bits[static_cast<std::size_t>(y * glyph.width + x)] != 0 ? 0xFFFFFFFFu : 0u;
    }
  }
  level.Unlock();
  Cell cell{page_, {penX_, penY_, penX_ + glyph.width, penY_ + glyph.height}};
  penX_ += glyph.width;
  if (glyph.height > rowHeight_) rowHeight_ = glyph.height;
  return &cells_.emplace(code, cell).first->second;
}

int SpriteFont::DrawText(Sprite* sprite, const char* text, int count, PixelRect* rect, unsigned format,
                         std::uint32_t argb) {
  if (text == nullptr || rect == nullptr) return 0;
  if (count < 0) count = static_cast<int>(std::strlen(text));
  if ((format & kTextCalcRect) != 0) {
    const TextExtent extent = font_->GetTextExtent(text, count);
    rect->right = rect->left + extent.cx;
    rect->bottom = rect->top + extent.cy;
    return extent.cy;
  }
  if (sprite == nullptr || !font_->HasFace()) return font_->CellHeight();
  font_->CountDraw();
  font_->ForEachGlyph(text, count, [&](std::uint16_t code, const GlyphBitmap& glyph, int pen) {
    const Cell* cell = CellOf(code, glyph);
    if (cell == nullptr) return;
    const int x = rect->left + pen + glyph.left;
    const int y = rect->top + glyph.top;
    // Without kTextNoClip a glyph reaching beyond the rectangle is left out.
    if ((format & kTextNoClip) == 0 &&
        (x < rect->left || y < rect->top || x + glyph.width > rect->right || y + glyph.height > rect->bottom)) {
      return;
    }
    sprite->Draw(cell->texture, &cell->source, static_cast<float>(x), static_cast<float>(y), argb);
  });
  return font_->CellHeight();
}

VideoResult SpriteFont::OnLostDevice() { return VideoResult::Ok; }

VideoResult SpriteFont::OnResetDevice() { return VideoResult::Ok; }

}  // namespace platform
