#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "input/dialogs/dialog_text.h"

namespace platform {
class TextFont;
}

// The dialogs' text in the desktop's dialog face (a proportional gothic), drawn glyph by
// glyph onto the dialog canvas. Made on the main thread, which alone draws dialogs.
class cFontDialogText : public cDialogText {
 public:
  explicit cFontDialogText(std::unique_ptr<platform::TextFont> font);
  ~cFontDialogText() override;

  // The font of the dialog face at the dialogs' text height; null when no face can be had.
  static std::unique_ptr<cFontDialogText> Create();

  int Height() const override;
  int Measure(std::string_view text) const override;
  void Draw(DialogCanvas& canvas, int x, int y, std::string_view text, std::uint32_t argb) const override;

 private:
  // Glyphs are rendered once and kept: the font's cache changes under const calls.
  std::unique_ptr<platform::TextFont> font_;
};

// Puts the dialog face in place of the boxes when the face is installed; false leaves the boxes.
bool InstallDialogFont();
