#include "input/dialogs/font_dialog_text.h"

#include <gtest/gtest.h>

#include <memory>

#include "input/dialogs/dialog_canvas.h"

namespace {

int InkIn(const DialogCanvas& canvas, int x0, int y0, int width, int height, std::uint32_t argb) {
  int ink = 0;
  for (int y = y0; y < y0 + height; ++y) {
    for (int x = x0; x < x0 + width; ++x) ink += canvas.At(x, y) == argb ? 1 : 0;
  }
  return ink;
}

// The installed dialog face writes real glyphs where the boxes stood: a proportional face
// (an "i" narrower than a "W"), Japanese with ink inside its cell, nothing outside it.
TEST(FontDialogText, TheDialogFaceDrawsProportionalJapaneseTextInsideItsCells) {
  const std::unique_ptr<cFontDialogText> text = cFontDialogText::Create();
  ASSERT_NE(text, nullptr) << "the IPA gothic faces are installed by scripts/setup";
  EXPECT_EQ(text->Height(), 12);
  EXPECT_LT(text->Measure("i"), text->Measure("W"));
  const int width = text->Measure("データ");
  EXPECT_GT(width, 20);
  EXPECT_LE(width, 3 * 13);

  DialogCanvas canvas;
  constexpr std::uint32_t kInk = 0xFF000000;
  text->Draw(canvas, 100, 50, "データ", kInk);
  const int inside = InkIn(canvas, 100, 50, width, text->Height(), kInk);
  EXPECT_GT(inside, 30);
  EXPECT_EQ(InkIn(canvas, 0, 0, DialogCanvas::kWidth, DialogCanvas::kHeight, kInk), inside);
  // Not the stand-in's outlined boxes.
  cDialogText boxes;
  DialogCanvas boxed;
  boxes.Draw(boxed, 100, 50, "データ", kInk);
  EXPECT_NE(canvas.Pixels(), boxed.Pixels());
}

}  // namespace
