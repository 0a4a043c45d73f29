#include "input/dialogs/dialog_text.h"

#include "core/sjis.h"
#include "input/dialogs/dialog_canvas.h"

namespace {

cDialogText g_boxes;
cDialogText* g_text = &g_boxes;

}  // namespace

int cDialogText::Measure(std::string_view text) const {
  int width = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t bytes = SjisCharWidth(text, pos);
    width += bytes == 2 ? 12 : 6;
    pos += bytes;
  }
  return width;
}

void cDialogText::Draw(DialogCanvas& canvas, int x, int y, std::string_view text, std::uint32_t argb) const {
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t bytes = SjisCharWidth(text, pos);
    const int width = bytes == 2 ? 12 : 6;
    if (text[pos] != ' ') canvas.Outline(DialogRect{x + 1, y + 1, width - 2, Height() - 2}, argb);
    x += width;
    pos += bytes;
  }
}

void SetDialogText(cDialogText* text) { g_text = text != nullptr ? text : &g_boxes; }

const cDialogText& DialogText() { return *g_text; }
