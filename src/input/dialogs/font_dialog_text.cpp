#include "input/dialogs/font_dialog_text.h"

#include <climits>

#include "input/dialogs/dialog_canvas.h"
#include "platform/text/text_font.h"

namespace {

// The face the kit's own dialogs were drawn in, at the height of the boxes it replaces.
constexpr const char* kDialogFace = "ＭＳ Ｐゴシック";
constexpr int kDialogTextHeight = 12;

int Count(std::string_view text) { return text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size()); }

}  // namespace

cFontDialogText::cFontDialogText(std::unique_ptr<platform::TextFont> font) : font_(std::move(font)) {}

cFontDialogText::~cFontDialogText() = default;

std::unique_ptr<cFontDialogText> cFontDialogText::Create() {
  std::unique_ptr<platform::TextFont> font = platform::TextFont::Create(kDialogFace, kDialogTextHeight, 0);
  if (font == nullptr || !font->HasFace()) return nullptr;
  return std::make_unique<cFontDialogText>(std::move(font));
}

int cFontDialogText::Height() const { return font_->CellHeight(); }

int cFontDialogText::Measure(std::string_view text) const {
  return font_->GetTextExtent(text.data(), Count(text)).cx;
}

void cFontDialogText::Draw(DialogCanvas& canvas, int x, int y, std::string_view text, std::uint32_t argb) const {
  font_->ForEachGlyph(text.data(), Count(text), [&](std::uint16_t, const platform::GlyphBitmap& glyph, int pen) {
    for (int row = 0; row < glyph.height; ++row) {
      for (int column = 0; column < glyph.width; ++column) {
        if (glyph.bits[static_cast<std::size_t>(row) * glyph.width + column] != 0) {
          canvas.Pixel(x + pen + glyph.left + column, y + glyph.top + row, argb);
        }
      }
    }
  });
}

bool InstallDialogFont() {
  static std::unique_ptr<cFontDialogText> text = cFontDialogText::Create();
  if (text == nullptr) return false;
  SetDialogText(text.get());
  return true;
}
